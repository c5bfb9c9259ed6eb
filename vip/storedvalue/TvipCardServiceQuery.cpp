#include "vip/storedvalue/TvipCardServiceQuery.h"

#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/TBaseCondition.h"
#include "vip/storedvalue/VipCzStore.h"

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <algorithm>

TvipCardServiceQuery::TvipCardServiceQuery(QWidget* parent)
    : TBaseQuery(parent) {
    setWindowTitle(QStringLiteral("服务项目"));
    SetModelId(ModelId);
    SetHelpItem(QStringLiteral("服务项目管理.htm"));
}

int TvipCardServiceQuery::cardId() const {
    return Params().AsInteger(QStringLiteral("@VipID"));
}

void TvipCardServiceQuery::OnIniButton() {
    AddButtonAndGetAction(QStringLiteral("消费明细[&M]"), &TvipCardServiceQuery::OnConsumeDetail);
    if (cardId() == 0)
        return;
    const auto param = [this](const char* name) { return Params().AsString(QLatin1String(name)); };
    auto* card = new QLabel(QStringLiteral("会员卡号：%1    持卡人：%2    卡类型：%3    电话：%4")
                                .arg(param("@CardNo"), param("@Name"), param("@CardTypeName"), param("@Tel")),
                            GetTopPanel());
    card->setObjectName(QStringLiteral("lblCard"));
    card->adjustSize();
}

TBaseCondition* TvipCardServiceQuery::QueryCase() {
    if (!Params().Has(QStringLiteral("@VipID")))
        Params().Add(QStringLiteral("@VipID"), 0);
    auto* items = new QComboBox;
    items->addItem(QStringLiteral("<全部>"), 0);
    for (const auto& [prec, name] : VipCzStore().CardServiceItems(cardId()))
        items->addItem(name, prec);
    items->setCurrentIndex(std::max(0, items->findData(Params().AsInteger(QStringLiteral("@pRec")))));
    auto* condition = new TBaseCondition(this);
    condition->AddControl(QStringLiteral("@pRec"), QStringLiteral("服务项目"), items);
    ConnectGuarded(items, &QComboBox::currentIndexChanged, this, [this] { RefreshData(); });
    return condition;
}

void TvipCardServiceQuery::SetGrid() {
    const bool oneCard = cardId() != 0;
    AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("会员卡号"), 100, !oneCard);
    AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 80, !oneCard);
    AddGridColumn(QStringLiteral("PUSERCODE"), QStringLiteral("项目编号"), 100);
    AddGridColumn(QStringLiteral("PFULLNAME"), QStringLiteral("项目名称"), 180);
    AddGridColumn(QStringLiteral("remainTimes"), QStringLiteral("剩余次数"), 70);
    AddGridColumn(QStringLiteral("remainTotal"), QStringLiteral("剩余金额"), 90, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("ValidityPeriod"), QStringLiteral("有效期"), 90, true, GridColumn::Date);
}

void TvipCardServiceQuery::OnConsumeDetail() {
    if (CurrentRow() < 0)
        return;
    const QDate today = QDate::currentDate();
    TParamObject params;
    params.Add(QStringLiteral("@CardNo"), GData(QStringLiteral("CardNo")));
    params.Add(QStringLiteral("@Name"), GData(QStringLiteral("Name")));
    params.Add(QStringLiteral("@pRec"), GDataVar(QStringLiteral("prec")).toInt());
    params.Add(QStringLiteral("@consumeDateS"), QDate(today.year(), today.month(), 1));
    params.Add(QStringLiteral("@consumeDateE"), today);
    CallQueryClass(QStringLiteral("TvipCardSrvConsumeDQuery"), params);
}
