#include "vip/storedvalue/TvipCardSrvConsumeQuery.h"

#include "host/sdk/DbError.h"
#include "host/sdk/Limit.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/RetailConnect.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "vip/storedvalue/TfrmTimesAdjust.h"
#include "vip/storedvalue/VipCzStore.h"

#include <QDate>
#include <QSet>
#include <QUuid>

namespace {

constexpr int ServiceDetailsRight = 940;
constexpr int AdjustRight = 909;

bool refusedWithoutRight(int right) {
    if (HasLimit(right))
        return false;
    ShowMsg(QStringLiteral("您没有当前操作的权限"));
    return true;
}

} // namespace

TvipCardSrvConsumeQuery::TvipCardSrvConsumeQuery(QWidget* parent)
    : TBaseQuery(parent) {
    setWindowTitle(QStringLiteral("服务次数使用"));
    SetModelId(ModelId);
    SetHelpItem(QStringLiteral("服务项目管理.htm"));
}

void TvipCardSrvConsumeQuery::OnIniButton() {
    AddButtonAndGetAction(QStringLiteral("服务明细"), &TvipCardSrvConsumeQuery::OnServiceDetails);
    AddButtonAndGetAction(QStringLiteral("消费明细[&M]"), &TvipCardSrvConsumeQuery::OnConsumeDetails);
    AddButtonAndGetAction(QStringLiteral("次数调整[&A]"), &TvipCardSrvConsumeQuery::OnAdjust);
}

void TvipCardSrvConsumeQuery::SetGrid() {
    AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("会员卡号"), 100);
    AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 80);
    AddGridColumn(QStringLiteral("Tel"), QStringLiteral("电话"), 100);
    AddGridColumn(QStringLiteral("CardTypeName"), QStringLiteral("卡类型"), 80);
    AddGridColumn(QStringLiteral("PUSERCODE"), QStringLiteral("项目编号"), 80);
    AddGridColumn(QStringLiteral("PFULLNAME"), QStringLiteral("项目名称"), 140);
    AddGridColumn(QStringLiteral("remainTimes"), QStringLiteral("剩余次数"), 70);
    AddGridColumn(QStringLiteral("remainTotal"), QStringLiteral("剩余金额"), 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("ValidityPeriod"), QStringLiteral("最近到期"), 90, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("VipID"), QStringLiteral("卡编号"), 50, false);
    AddGridColumn(QStringLiteral("pRec"), QStringLiteral("项目"), 50, false);
    AddGridColumn(QStringLiteral("posId"), QStringLiteral("门店"), 50, false);
}

// Lots are valid up to their last day; the consumption dates default to this month.
void TvipCardSrvConsumeQuery::InitParamList() {
    TBaseQuery::InitParamList();
    const QDate today = QDate::currentDate();
    Params().Add(QStringLiteral("@Today"), today);
    if (!Params().Has(QStringLiteral("@consumeDateS")))
        Params().Add(QStringLiteral("@consumeDateS"),
                     QDate(today.year(), today.month(), 1).toString(Qt::ISODate));
    if (!Params().Has(QStringLiteral("@consumeDateE")))
        Params().Add(QStringLiteral("@consumeDateE"),
                     today.toString(Qt::ISODate) + QStringLiteral(" 23:59:59"));
}

TParamObject TvipCardSrvConsumeQuery::cardParams() const {
    TParamObject p;
    p.Add(QStringLiteral("@VipID"), GDataVar(QStringLiteral("VipID")));
    p.Add(QStringLiteral("@CardNo"), GData(QStringLiteral("CardNo")));
    p.Add(QStringLiteral("@CardTypeName"), GData(QStringLiteral("CardTypeName")));
    p.Add(QStringLiteral("@Name"), GData(QStringLiteral("Name")));
    p.Add(QStringLiteral("@Tel"), GData(QStringLiteral("Tel")));
    p.Add(QStringLiteral("@pRec"), GDataVar(QStringLiteral("pRec")));
    return p;
}

void TvipCardSrvConsumeQuery::OnServiceDetails() {
    if (CurrentRow() < 0 || refusedWithoutRight(ServiceDetailsRight))
        return;
    if (MEDVERSION() != 2 && GDataVar(QStringLiteral("posId")).toInt() != 0) {
        ShowMsg(QStringLiteral("配送中心库中不允许查看 储值类型为加盟店的会员卡的服务明细!"));
        return;
    }
    TParamObject p = cardParams();
    CallQueryClass(QStringLiteral("TvipCardServiceQuery"), p);
}

void TvipCardSrvConsumeQuery::OnConsumeDetails() {
    if (CurrentRow() < 0)
        return;
    TParamObject p;
    p.Add(QStringLiteral("@CardNo"), GData(QStringLiteral("CardNo")));
    p.Add(QStringLiteral("@Name"), GData(QStringLiteral("Name")));
    p.Add(QStringLiteral("@pRec"), GDataVar(QStringLiteral("pRec")));
    p.Add(QStringLiteral("@consumeDateS"), Params().AsString(QStringLiteral("@consumeDateS")));
    p.Add(QStringLiteral("@consumeDateE"), Params().AsString(QStringLiteral("@consumeDateE")));
    CallQueryClass(QStringLiteral("TvipCardSrvConsumeDQuery"), p);
}

void TvipCardSrvConsumeQuery::OnAdjust() {
    if (refusedWithoutRight(AdjustRight))
        return;
    const QList<int> rows = GetMainGrid()->SelectedRows();
    if (rows.isEmpty()) {
        ShowMsg(QStringLiteral("请先选中一条或多条记录！"));
        return;
    }
    QSet<int> items;
    int fewest = std::numeric_limits<int>::max();
    for (int row : rows) {
        items.insert(GDataVar(QStringLiteral("pRec"), row).toInt());
        fewest = std::min(fewest, GDataVar(QStringLiteral("remainTimes"), row).toInt());
    }
    if (items.size() > 1) {
        ShowMsg(QStringLiteral("不能选择多类服务项目，一次只能调整同一类服务项目！"));
        return;
    }
    TfrmTimesAdjust dialog(GData(QStringLiteral("PFULLNAME"), rows.first()), fewest, this);
    if (dialog.ShowModal() != mrOk)
        return;

    const TComVar& session = Ucomvar();
    bool storeRecorded = session.bPJVer;
    for (int flag : {10, 11, 13, 14, 19, 21})
        storeRecorded = storeRecorded || AppClass().Flag(flag);
    const int changeType = dialog.Increase() ? StoredValueChange::UsesAdded : StoredValueChange::UsesRemoved;
    // The uses are valid up to the day before the expiry date.
    const QString validity =
        dialog.Expiry().isValid()
            ? dialog.Expiry().addDays(-1).toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00")
            : QString();
    const bool linked = TLmConnect::IsConnectUse(TRetailConnect::ClassType);
    VipCzStore store;
    for (int row : rows) {
        const QString cardNo = GData(QStringLiteral("CardNo"), row);
        const int posId = GDataVar(QStringLiteral("posId"), row).toInt();
        if (AppClass().Flag(14) && posId == 0 && session.lpostype == 2) {
            ShowMsg(QStringLiteral("该会员卡不允许独立加盟门店使用服务项目调整操作功能！"));
            continue;
        }
        if (session.lpostype == 1 && session.lConnectType == 1) {
            TRetailConnect connection;
            if (!session.bvipConnect || !connection.Connect()) {
                ShowMsg(QStringLiteral(
                            "服务次卡在独立门店中使用时，\n必须打开选项'会员卡储值、会员卡积分、购物卡实时"
                            "操作'，\n卡 %1 的调整操作将被忽略！")
                            .arg(cardNo));
                continue;
            }
        }
        if (linked && posId == 0)
            TRetailConnect().SvrGetCenterVipCard(GDataVar(QStringLiteral("VipID"), row).toInt());
        VipCzStore::UsesAdjustment adjustment{cardNo,
                                              changeType,
                                              GDataVar(QStringLiteral("pRec"), row).toInt(),
                                              dialog.Count(),
                                              validity,
                                              dialog.Reason(),
                                              storeRecorded ? session.lPublicPosid : 0,
                                              session.nLoginUserRec,
                                              QUuid::createUuid().toString(QUuid::WithoutBraces)};
        // Each row stands by itself: a failure is told and the next row goes on.
        try {
            if (store.AdjustUses(adjustment) != 0) {
                ShowMsg(QStringLiteral("保存失败，请重试!"));
                continue;
            }
        } catch (const DbError& error) {
            ShowMsg(QStringLiteral("保存失败，请重试!\n") + error.message());
            continue;
        }
        if (linked)
            TRetailConnect().SvrTimesAdjust(0, cardNo, changeType, 1, adjustment.prec, adjustment.count,
                                            Money(), -1, validity.isEmpty() ? QVariant() : QVariant(validity),
                                            adjustment.comment, adjustment.posId, adjustment.userRec,
                                            adjustment.uniqueBillId);
    }
    RefreshData();
}
