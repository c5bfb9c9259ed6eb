#include "vip/members/VipCustomPage.h"

#include "host/sdk/ui/DialogFields.h"
#include "vip/members/TEditItems.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int FieldLength = 50;
constexpr int Columns = 2;

} // namespace

VipCustomPage::VipCustomPage(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("tsCustom"));
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < FieldCount; ++i) {
        const QString number = QString::number(i + 1);
        auto* caption = new QLabel(QStringLiteral("自定义") + number);
        caption->setObjectName(QStringLiteral("lblCustom") + number);
        auto* edit = DialogFields::Edit("", FieldLength);
        edit->setObjectName(QStringLiteral("edtCustom") + number);
        auto* marker = new QLabel(QStringLiteral("*"));
        marker->setStyleSheet(QStringLiteral("color: red"));
        const int row = i / Columns;
        const int column = (i % Columns) * 3;
        grid->addWidget(caption, row, column);
        grid->addWidget(edit, row, column + 1);
        grid->addWidget(marker, row, column + 2);
        caption->hide();
        edit->hide();
        marker->hide();
        m_captions.append(caption);
        m_edits.append(edit);
        m_markers.append(marker);
    }
    grid->setRowStretch(FieldCount / Columns, 1);
}

void VipCustomPage::Define(const QString& caption, bool required, std::optional<KeyFilter> filter,
                           TEditItems& items) {
    if (m_defined >= FieldCount)
        return;
    const int i = m_defined++;
    m_captions[i]->setText(caption);
    m_captions[i]->show();
    m_edits[i]->show();
    m_markers[i]->setVisible(required);
    if (filter)
        SetKeyFilter(m_edits[i], *filter);
    items.AddItem(
        {QStringLiteral("C%1").arg(i), caption, m_edits[i], m_markers[i], true, m_captions[i], nullptr});
}

void VipCustomPage::SetValues(const QStringList& values) {
    for (int i = 0; i < FieldCount; ++i)
        m_edits[i]->setText(values.value(i));
}

QStringList VipCustomPage::Values() const {
    QStringList values;
    for (int i = 0; i < FieldCount; ++i)
        values.append(i < m_defined ? m_edits[i]->text().trimmed() : QString());
    return values;
}

void VipCustomPage::ClearValues() {
    for (QLineEdit* edit : m_edits)
        edit->clear();
}
