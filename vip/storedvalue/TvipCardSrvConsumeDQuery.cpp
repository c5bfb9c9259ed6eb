#include "vip/storedvalue/TvipCardSrvConsumeDQuery.h"

#include "host/sdk/ui/TBaseCondition.h"
#include "vip/storedvalue/VipCzStore.h"

#include <QDate>
#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>

namespace {

const QString Title = QStringLiteral("服务消费记录");

// A day as the callers hand it over: a date, or its text "yyyy-mm-dd", perhaps
// followed by a time of day.
QDate dayOf(const QVariant& value, const QDate& otherwise) {
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    const QDate day = QDate::fromString(value.toString().trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
    return day.isValid() ? day : otherwise;
}

QDateEdit* dateBox(const QDate& date) {
    auto* box = new QDateEdit(date);
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    box->setCalendarPopup(true);
    return box;
}

} // namespace

TvipCardSrvConsumeDQuery::TvipCardSrvConsumeDQuery(QWidget* parent)
    : TBaseQuery(parent) {
    setWindowTitle(Title);
    SetModelId(ModelId);
    SetHelpItem(QStringLiteral("服务项目管理.htm"));
}

TBaseCondition* TvipCardSrvConsumeDQuery::QueryCase() {
    const QDate today = QDate::currentDate();
    auto* cardNo = new QLineEdit(Params().AsString(QStringLiteral("@CardNo")));
    auto* condition = new TBaseCondition(this);
    condition->AddControl(QStringLiteral("@CardNo"), QStringLiteral("会员卡号"), cardNo);
    condition->AddControl(QStringLiteral("@consumeDateS"), QStringLiteral("消费日期"),
                          dateBox(dayOf(Params().Value(QStringLiteral("@consumeDateS")),
                                        QDate(today.year(), today.month(), 1))));
    condition->AddControl(QStringLiteral("@consumeDateE"), QStringLiteral("至"),
                          dateBox(dayOf(Params().Value(QStringLiteral("@consumeDateE")), today)));
    condition->CreateBtn(QStringLiteral("查询[&F]"), [this] { RefreshData(); });
    condition->SetMaxRow(1);
    if (!Params().Has(QStringLiteral("@pRec")))
        Params().Add(QStringLiteral("@pRec"), 0);
    return condition;
}

void TvipCardSrvConsumeDQuery::SetGrid() {
    AddGridColumn(QStringLiteral("ChangeDate"), QStringLiteral("日期"), 140);
    AddGridColumn(QStringLiteral("BillCode"), QStringLiteral("单据编号"), 130);
    AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("会员卡号"), 100);
    AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 80);
    AddGridColumn(QStringLiteral("PUSERCODE"), QStringLiteral("项目编号"), 90);
    AddGridColumn(QStringLiteral("PFULLNAME"), QStringLiteral("项目名称"), 160);
    AddGridColumn(QStringLiteral("ChangeTypeName"), QStringLiteral("类型"), 70);
    AddGridColumn(QStringLiteral("Times"), QStringLiteral("次数"), 60);
    AddGridColumn(QStringLiteral("GainTimes"), QStringLiteral("赠送次数"), 60);
    AddGridColumn(QStringLiteral("OncePrice"), QStringLiteral("单价"), 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("Total"), QStringLiteral("金额"), 90, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("PosName"), QStringLiteral("门店"), 100);
    AddGridColumn(QStringLiteral("EtypeName"), QStringLiteral("经手人"), 80);
    AddGridColumn(QStringLiteral("Comment"), QStringLiteral("备注"), 160);
}

void TvipCardSrvConsumeDQuery::InitParamList() {
    TBaseQuery::InitParamList();
    applyPeriod();
}

void TvipCardSrvConsumeDQuery::ParamRefresh() {
    TBaseQuery::ParamRefresh();
    applyPeriod();
}

void TvipCardSrvConsumeDQuery::applyPeriod() {
    const QDate begin = Params().Value(QStringLiteral("@consumeDateS")).toDate();
    const QDate end = Params().Value(QStringLiteral("@consumeDateE")).toDate();
    // The whole last day, however finely the ledger stamps its moments.
    Params().Add(QStringLiteral("@fromMoment"), QDateTime(begin, QTime(0, 0)));
    Params().Add(QStringLiteral("@beforeMoment"), QDateTime(end.addDays(1), QTime(0, 0)));
    const QString cardNo = Params().AsString(QStringLiteral("@CardNo")).trimmed();
    Params().Add(QStringLiteral("@CardNo"), cardNo);
    if (cardNo.isEmpty()) {
        setWindowTitle(Title);
        return;
    }
    const int before =
        VipCzStore().UsesBefore(cardNo, Params().AsInteger(QStringLiteral("@pRec")), begin, end);
    setWindowTitle(QStringLiteral("%1(%2，期初剩余次数：%3)").arg(Title, cardNo).arg(before));
}
