#include "vip/members/TfrmVipClear.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/members/VipDateText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString DateError = QStringLiteral("日期输入错误!请按如下格式输入(2000-10-01)或日期范围不正确!");

QGroupBox* group(const QString& title, const QList<QWidget*>& members) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    for (QWidget* member : members)
        layout->addWidget(member);
    return box;
}

} // namespace

TfrmVipClear::TfrmVipClear(QWidget* parent)
    : TBaseDialog(parent)
    , m_selectedRows(DialogFields::Radio("rbSelected", QStringLiteral("当前选择行")))
    , m_allRows(DialogFields::Radio("rbAllRows", QStringLiteral("表体所有行")))
    , m_clearAll(DialogFields::Radio("rbClearAll", QStringLiteral("全部清零")))
    , m_upToDate(DialogFields::Radio("rbClearDate", QStringLiteral("清除日期                 及之前的数据")))
    , m_date(DialogFields::Edit("edtDate", 10))
    , m_buyTotal(DialogFields::CheckBox("cbBuyTotal", QStringLiteral("消费金额")))
    , m_memberPriceTotal(DialogFields::CheckBox("cbMemberPriceTotal", QStringLiteral("会员价消费金额")))
    , m_points(DialogFields::CheckBox("cbPoints", QStringLiteral("消费积分"))) {
    setObjectName(QStringLiteral("TfrmVipClear"));
    setWindowTitle(QStringLiteral("消费积分清零"));
    auto* ranges = new QButtonGroup(this);
    ranges->addButton(m_selectedRows);
    ranges->addButton(m_allRows);
    m_selectedRows->setChecked(true);
    auto* operations = new QButtonGroup(this);
    operations->addButton(m_clearAll);
    operations->addButton(m_upToDate);
    m_upToDate->setChecked(true);
    m_date->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    m_points->setChecked(true);
    connect(m_upToDate, &QRadioButton::toggled, m_date, &QWidget::setEnabled);

    // The date box sits in the gap the dated operation's caption leaves for it.
    auto* operationBox = new QGroupBox(QStringLiteral("操作类型"));
    auto* operationLayout = new QGridLayout(operationBox);
    operationLayout->addWidget(m_clearAll, 0, 0, 1, 2);
    operationLayout->addWidget(m_upToDate, 1, 0, 1, 2);
    operationLayout->addWidget(m_date, 1, 0, Qt::AlignCenter);
    m_date->setMaximumWidth(90);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group(QStringLiteral("数据范围"), {m_selectedRows, m_allRows}));
    layout->addWidget(operationBox);
    layout->addWidget(group(QStringLiteral("清除范围"), {m_buyTotal, m_memberPriceTotal, m_points}));
    layout->addLayout(
        ConfirmButtons(QStringLiteral("确定[&S]"), QStringLiteral("取消[&C]"), [this] { confirm(); }));
}

void TfrmVipClear::confirm() {
    if (!ClearBuyTotal() && !ClearMemberPriceTotal() && !ClearPoints())
        Refuse(m_buyTotal, QStringLiteral("请至少选择一种清除范围"));
    if (!Question(QStringLiteral("确定做积分金额清零操作？")))
        AbandonAt(m_buyTotal);
    if (m_upToDate->isChecked()) {
        const QDate date = VipDateText::ToDate(VipDateText::ConvertDate(m_date->text().trimmed()));
        if (!date.isValid())
            Refuse(m_date, DateError, QStringLiteral("日期录入错误或超出范围!"));
        m_date->setText(date.toString(QStringLiteral("yyyy-MM-dd")));
    }
    SetModalResult(mrOk);
}

QString TfrmVipClear::DateText() const {
    return m_upToDate->isChecked() ? m_date->text() : QString();
}

int TfrmVipClear::Range() const {
    return m_allRows->isChecked() ? 1 : 0;
}

bool TfrmVipClear::ClearBuyTotal() const {
    return m_buyTotal->isChecked();
}

bool TfrmVipClear::ClearMemberPriceTotal() const {
    return m_memberPriceTotal->isChecked();
}

bool TfrmVipClear::ClearPoints() const {
    return m_points->isChecked();
}

bool ShowVipClear(QString& date, int& range, bool& buyTotal, bool& memberPriceTotal, bool& points) {
    TfrmVipClear dialog;
    if (dialog.ShowModal() != mrOk)
        return false;
    date = dialog.DateText();
    range = dialog.Range();
    buyTotal = dialog.ClearBuyTotal();
    memberPriceTotal = dialog.ClearMemberPriceTotal();
    points = dialog.ClearPoints();
    return true;
}
