#include "vip/cardtypes/TFormVipdaysel.h"

#include "vip/cardtypes/VipWeekdays.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>

TFormVipdaysel::TFormVipdaysel(const QString& current, int mode, QWidget* parent)
    : TBaseDialog(parent)
    , m_days(new QListWidget) {
    setObjectName(QStringLiteral("TFormVipdaysel"));
    setWindowTitle(QStringLiteral("会员日选择"));
    m_days->setObjectName(QStringLiteral("lstDays"));
    QStringList items;
    QString chosen = current;
    if (mode == 2) {
        items = VipWeekdays::FromDigits(QStringLiteral("1,2,3,4,5,6,7")).split(QLatin1Char(','));
        chosen = VipWeekdays::ToDigits(current);
    } else {
        for (int day = 1; day <= 31; ++day)
            items.append(QString::number(day));
        // The days of a month stand in columns, as on a calendar page.
        m_days->setFlow(QListView::TopToBottom);
        m_days->setWrapping(true);
        m_days->setResizeMode(QListView::Adjust);
    }
    for (const QString& text : items) {
        auto* item = new QListWidgetItem(text, m_days);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    // Entries that are no day of the list are ignored rather than guessed at.
    for (const QString& entry : chosen.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int position = entry.trimmed().toInt(&ok);
        if (ok && position >= 1 && position <= m_days->count())
            m_days->item(position - 1)->setCheckState(Qt::Checked);
    }

    auto* all = new QPushButton(QStringLiteral("全选"));
    all->setObjectName(QStringLiteral("btnAll"));
    auto* invert = new QPushButton(QStringLiteral("反选"));
    invert->setObjectName(QStringLiteral("btnInvert"));
    QHBoxLayout* buttons = ConfirmButtons(QStringLiteral("确认[&Y]"), QStringLiteral("退出[&X]"),
                                          [this] { SetModalResult(mrOk); });
    buttons->insertWidget(0, all);
    buttons->insertWidget(1, invert);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_days);
    layout->addLayout(buttons);

    connect(all, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < m_days->count(); ++i)
            m_days->item(i)->setCheckState(Qt::Checked);
    });
    connect(invert, &QPushButton::clicked, this, [this] {
        for (int i = 0; i < m_days->count(); ++i) {
            QListWidgetItem* item = m_days->item(i);
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        }
    });
}

QString TFormVipdaysel::Choice() const {
    QStringList ticked;
    for (int i = 0; i < m_days->count(); ++i) {
        if (m_days->item(i)->checkState() == Qt::Checked)
            ticked.append(m_days->item(i)->text());
    }
    return ticked.join(QLatin1Char(','));
}
