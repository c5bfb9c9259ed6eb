#include "vip/members/TfrmVipModifValidityDate.h"

#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/members/VipDateText.h"

#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmVipModifValidityDate::TfrmVipModifValidityDate(QWidget* parent)
    : TBaseDialog(parent)
    , m_date(DialogFields::Edit("edtDate", 10)) {
    setObjectName(QStringLiteral("TfrmVipModifValidityDate"));
    setWindowTitle(QStringLiteral("批量设置有效期"));
    m_date->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    auto* row = new QHBoxLayout;
    row->addWidget(DialogFields::Label(QStringLiteral("将表体所有会员卡有效期设置为")));
    row->addWidget(m_date);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(
        ConfirmButtons(QStringLiteral("确定[&S]"), QStringLiteral("取消[&C]"), [this] { confirm(); }));
}

void TfrmVipModifValidityDate::confirm() {
    const QDate date = VipDateText::ToDate(VipDateText::ConvertDate(m_date->text().trimmed()));
    if (!date.isValid())
        Refuse(m_date, QStringLiteral("日期输入错误!请按如下格式输入(2000-10-01)或日期范围不正确!"),
               QStringLiteral("日期录入错误或超出日期范围!"));
    m_date->setText(date.toString(QStringLiteral("yyyy-MM-dd")));
    SetModalResult(mrOk);
}

QString TfrmVipModifValidityDate::DateText() const {
    return m_date->text();
}

int ShowVipModifValidityDate(QString& date) {
    TfrmVipModifValidityDate dialog;
    const int result = dialog.ShowModal();
    if (result != mrOk)
        return result;
    date = dialog.DateText();
    return 1;
}
