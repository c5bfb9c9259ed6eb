#include "vip/storedvalue/TfrmTimesAdjust.h"

#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/Refuse.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int ExpiryDaysAhead = 91;

} // namespace

TfrmTimesAdjust::TfrmTimesAdjust(const QString& itemName, int remaining, QWidget* parent)
    : TBaseDialog(parent)
    , m_remaining(remaining)
    , m_increase(DialogFields::CheckBox("chkIncrease", QStringLiteral("增加")))
    , m_decrease(DialogFields::CheckBox("chkDecrease", QStringLiteral("减少")))
    // Uses are whole: the count takes digits only.
    , m_count(DialogFields::NumberEdit("edtTimes", KeyFilter::Digits, 4))
    , m_reason(DialogFields::Edit("edtReason", 255))
    , m_hasExpiry(DialogFields::CheckBox("chkExpiry", QString()))
    , m_expiry(new QDateEdit) {
    setObjectName(QStringLiteral("TfrmTimesAdjust"));
    setWindowTitle(QStringLiteral("次数调整"));
    m_expiry->setObjectName(QStringLiteral("dtpExpiry"));
    m_expiry->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_expiry->setCalendarPopup(true);

    auto* grid = new QGridLayout;
    grid->addWidget(DialogFields::Label(QStringLiteral("服务项目：")), 0, 0);
    grid->addWidget(DialogFields::Label(itemName, "lblItem"), 0, 1);
    grid->addWidget(DialogFields::Label(QStringLiteral("调整方式：")), 1, 0);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(m_increase);
    kinds->addWidget(m_decrease);
    kinds->addStretch();
    grid->addLayout(kinds, 1, 1);
    grid->addWidget(DialogFields::Label(QStringLiteral("调整次数 ")), 2, 0);
    grid->addWidget(m_count, 2, 1);
    grid->addWidget(DialogFields::Label(QStringLiteral("调整原因 ")), 3, 0);
    grid->addWidget(m_reason, 3, 1);
    grid->addWidget(DialogFields::Label(QStringLiteral("失效日期 ")), 4, 0);
    auto* expiry = new QHBoxLayout;
    expiry->addWidget(m_hasExpiry);
    expiry->addWidget(m_expiry);
    expiry->addStretch();
    grid->addLayout(expiry, 4, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(
        ConfirmButtons(QStringLiteral("确定[&Y]"), QStringLiteral("取消[&C]"), [this] { onConfirm(); }));

    // Exactly one kind is ticked at any time.
    connect(m_increase, &QCheckBox::clicked, this, [this] { setIncrease(true); });
    connect(m_decrease, &QCheckBox::clicked, this, [this] { setIncrease(false); });
    connect(m_hasExpiry, &QCheckBox::toggled, this, [this](bool on) {
        m_expiry->setEnabled(on);
        if (on)
            m_expiry->setDate(QDate::currentDate().addDays(ExpiryDaysAhead));
    });
    setIncrease(true);
}

void TfrmTimesAdjust::showEvent(QShowEvent* event) {
    TBaseDialog::showEvent(event);
    m_hasExpiry->setChecked(false);
    m_expiry->setEnabled(false);
    m_count->setFocus();
}

void TfrmTimesAdjust::setIncrease(bool increase) {
    m_increase->setChecked(increase);
    m_decrease->setChecked(!increase);
    // An expiry belongs to added uses only.
    m_hasExpiry->setVisible(increase);
    m_expiry->setVisible(increase);
    if (!increase)
        m_hasExpiry->setChecked(false);
}

bool TfrmTimesAdjust::Increase() const {
    return m_increase->isChecked();
}

int TfrmTimesAdjust::Count() const {
    return m_count->text().trimmed().toInt();
}

QString TfrmTimesAdjust::Reason() const {
    return m_reason->text();
}

QDate TfrmTimesAdjust::Expiry() const {
    return Increase() && m_hasExpiry->isChecked() ? m_expiry->date() : QDate();
}

void TfrmTimesAdjust::onConfirm() {
    if (Count() == 0)
        Refuse(m_count, QStringLiteral("请输入调整次数！"));
    const QDate today = QDate::currentDate();
    if (Expiry().isValid() && Expiry() <= today)
        Refuse(m_expiry, QStringLiteral("失效日期(%1)必须大于当前日期(%2)，请重新选择！")
                             .arg(Expiry().toString(QStringLiteral("yyyy-MM-dd")),
                                  today.toString(QStringLiteral("yyyy-MM-dd"))));
    if (!Increase() && Count() > m_remaining)
        Refuse(m_count, QStringLiteral("调减次数不能大于剩余次数(%1)").arg(m_remaining));
    SetModalResult(mrOk);
}
