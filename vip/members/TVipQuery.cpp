#include "vip/members/TVipQuery.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/Limit.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/SysLog.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCardConnect.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "vip/members/TVipCondition.h"
#include "vip/members/TfrmVipClear.h"
#include "vip/members/TfrmVipModifValidityDate.h"
#include "vip/members/VipAddListShow.h"
#include "vip/members/VipCardBatch.h"
#include "vip/members/VipCardImport.h"
#include "vip/members/VipCardNotices.h"
#include "vip/members/VipCardStore.h"
#include "vip/members/VipInfoShow.h"
#include "vip/members/VipListRow.h"
#include "vip/members/VipRowChecks.h"
#include "vip/points/PointsExports.h"
#include "vip/storedvalue/StoredValueExports.h"

#include <QAction>
#include <QDate>
#include <optional>

namespace {

const QString NoRight = QStringLiteral("您没有当前操作的权限");
// Cards per procedure call when an action reaches every row of the list: one
// transaction each, so a million cards are not one long write.
constexpr int CardsPerCall = 500;

// A store on its own data whose cards the head office manages.
bool headOfficeManagesCards() {
    return AppClass().Flag(14) || AppClass().Flag(19);
}

void requireRight(int right) {
    if (!HasLimit(right))
        ShowErrorAndAbort(NoRight, QStringLiteral("提示"));
}

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

// The editions whose menus offer points exchanges (shopping cards in fewer).
bool exchangeEdition(bool shoppingCards) {
    const int edition = MEDVERSION();
    return edition == 1 || edition == 2 || edition == 3 || edition == 5 || (!shoppingCards && edition == 8);
}

} // namespace

TVipQuery::TVipQuery(QWidget* parent)
    : TBaseQuery(parent) {
    setWindowTitle(QStringLiteral("会员卡管理"));
    SetModelId(ModelId);
    SetLoadAllRecord(true);
}

TBaseCondition* TVipQuery::QueryCase() {
    auto* condition = new TVipCondition(this);
    condition->CreateBtn(QStringLiteral("查询[&F]"), [this] { RefreshData(); });
    return condition;
}

void TVipQuery::OnIniButton() {
    for (int right : {484, 507, 508, 509, 521, 522, 826, 827, 828, 855, 940, 952})
        m_rights.insert(right, HasLimit(right));
    addButtons();
    addGridMenu();
}

void TVipQuery::addButtons() {
    const TComVar& session = Ucomvar();
    const bool managed = headOfficeManagesCards();
    if (!managed && m_rights[521]) {
        AddButtonAndGetAction(QStringLiteral("发卡[&A]"), &TVipQuery::OnAdd);
        AddButtonAndGetAction(QStringLiteral("批量发卡[&G]"), &TVipQuery::OnBatchAdd);
    }
    if (m_rights[522] && !(managed && session.lConnectType != 0 && !session.bPubTranVipCardToCenter))
        SetEditAction(AddButtonAndGetAction(QStringLiteral("修改[&E]"), &TVipQuery::OnModify));
    if (!managed && m_rights[484])
        AddButtonAndGetAction(QStringLiteral("删除[&D]"), &TVipQuery::OnDel);
    if (!managed && m_rights[509])
        m_stop = AddButtonAndGetAction(QStringLiteral("停用[&T]"), &TVipQuery::OnTY);
    if (m_rights[507])
        AddButtonAndGetAction(QStringLiteral("积分清零[&J]"), &TVipQuery::OnClearJF);
    if (!(managed && session.lConnectType == 1 && !session.bvipConnect))
        m_loss = AddButtonAndGetAction(QStringLiteral("挂失[&L]"), &TVipQuery::OnGS);
    AddButtonAndGetAction(QStringLiteral("已介绍会员列表[&J]"), &TVipQuery::OnJsCardDetail);
    if (!AppClass().Flag(12))
        AddButtonAndGetAction(QStringLiteral("持有购物卡查看"), &TVipQuery::OnETCCardDetail);
    if (m_rights[940] && !AppClass().Flag(12))
        AddButtonAndGetAction(QStringLiteral("服务明细"), &TVipQuery::OnServiceDetail);
    m_activate = AddButtonAndGetAction(QStringLiteral("激活"), &TVipQuery::OnActiveCard);
}

void TVipQuery::addGridMenu() {
    const TComVar& session = Ucomvar();
    AddGridMenu(QStringLiteral("消费记录[&Y]"), &TVipQuery::OnRecord);
    AddGridMenu(QStringLiteral("积分明细[&M]"), &TVipQuery::OnIntegralMx);
    AddGridMenu(QStringLiteral("-"));
    if (exchangeEdition(false)) {
        m_pointsItems.insert(
            508, AddGridMenu(QStringLiteral("现金兑换[&X]"), [this] { IntegraChange(PointsChange::Cash); }));
        m_pointsItems.insert(826, AddGridMenu(QStringLiteral("储值兑换[&C]"),
                                              [this] { IntegraChange(PointsChange::StoredValue); }));
        m_pointsItems.insert(
            827, AddGridMenu(QStringLiteral("商品兑换[&S]"), [this] { IntegraChange(PointsChange::Goods); }));
        if (exchangeEdition(true) && !AppClass().Flag(12))
            m_pointsItems.insert(855, AddGridMenu(QStringLiteral("购物卡兑换"),
                                                  [this] { IntegraChange(PointsChange::ShoppingCards); }));
    }
    m_pointsItems.insert(828, AddGridMenu(QStringLiteral("积分调整[&U]"), &TVipQuery::OnAdjust));
    AddGridMenu(QStringLiteral("积分兑换查询[&Q]"), &TVipQuery::OnJFChange);
    AddGridMenu(QStringLiteral("-"));
    AddGridMenu(QStringLiteral("修改储值密码[&W]"), &TVipQuery::OnChangePass);
    if (session.lConnectType == 0 || session.bPubTranVipCardToCenter)
        AddGridMenu(QStringLiteral("批量设置有效期[&V]"), &TVipQuery::OnValidityDate)
            ->setEnabled(m_rights[522]);
    if (!headOfficeManagesCards() && HasLimit(160) && HasLimit(718))
        AddGridMenu(QStringLiteral("会员卡信息导入"), &TVipQuery::OnBasicimport);
}

void TVipQuery::SetGrid() {
    const auto money = [this](const char* field, const QString& caption, bool visible = true) {
        AddGridColumn(QLatin1String(field), caption, 80, visible, GridColumn::Money);
    };
    const auto flag = [this](const char* field, const QString& caption, bool visible = true) {
        AddGridColumn(QLatin1String(field), caption, 50, visible, GridColumn::YesNo);
    };
    AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("会员卡号"), 110);
    AddGridColumn(QStringLiteral("VIPBarCode"), QStringLiteral("条码"), 100);
    AddGridColumn(QStringLiteral("Name"), QStringLiteral("持卡人"), 80);
    AddGridColumn(QStringLiteral("TypeName"), QStringLiteral("卡类型"), 80);
    AddGridColumn(QStringLiteral("Tel"), QStringLiteral("电话"), 100);
    AddGridColumn(QStringLiteral("SexName"), QStringLiteral("性别"), 40, false);
    AddGridColumn(QStringLiteral("Birthday"), QStringLiteral("生日"), 80);
    AddGridColumn(QStringLiteral("IdentityCard"), QStringLiteral("身份证号"), 140, false);
    AddGridColumn(QStringLiteral("E-Mail"), QStringLiteral("电子邮件"), 120, false);
    AddGridColumn(QStringLiteral("Address"), QStringLiteral("地址"), 140);
    AddGridColumn(QStringLiteral("BulidDate"), QStringLiteral("发卡日期"), 80, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("ValidityDate"), QStringLiteral("有效期"), 80, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("Discount"), QStringLiteral("折扣(%)"), 60, false);
    flag("Lose", QStringLiteral("挂失"));
    flag("StopUse", QStringLiteral("停用"));
    flag("IsLife", QStringLiteral("已激活"), false);
    flag("AutoDiscount", QStringLiteral("折扣"), false);
    flag("AutoMemberTotal", QStringLiteral("分段折扣"), false);
    flag("AutoIntegral", QStringLiteral("积分"), false);
    flag("ifvipprice", QStringLiteral("会员价"));
    AddGridColumn(QStringLiteral("IntegralTotal"), QStringLiteral("积分余额"), 70);
    AddGridColumn(QStringLiteral("ljIntegral"), QStringLiteral("累计积分"), 70);
    money("buyTotal", QStringLiteral("累计消费"), false);
    money("xfje", QStringLiteral("消费金额"), false);
    money("hyxfje", QStringLiteral("会员价消费金额"), false);
    flag("VipCz", QStringLiteral("储值"), false);
    flag("VipCzService", QStringLiteral("服务项目"));
    money("Cz00", QStringLiteral("期初储值"), false);
    money("CzTotal", QStringLiteral("累计储值"), false);
    money("Cz", QStringLiteral("储值余额"), false);
    money("giftTotal00", QStringLiteral("期初赠送"), false);
    money("giftTotal", QStringLiteral("累计赠送"), false);
    AddGridColumn(QStringLiteral("PosName"), QStringLiteral("储值门店"), 90);
    AddGridColumn(QStringLiteral("PosNames"), QStringLiteral("适用门店"), 140);
    AddGridColumn(QStringLiteral("JSVIPCardNo"), QStringLiteral("介绍人卡号"), 100, false);
    AddGridColumn(QStringLiteral("JSVIPName"), QStringLiteral("介绍人"), 80, false);
    AddGridColumn(QStringLiteral("JSNum"), QStringLiteral("介绍会员数"), 70, false);
    AddGridColumn(QStringLiteral("JSIntegralTotal"), QStringLiteral("介绍奖励积分"), 80, false);
    flag("IsOnlyJS", QStringLiteral("只能储值结算"), false);
    AddGridColumn(QStringLiteral("Creator"), QStringLiteral("发卡人"), 60, false);
    AddGridColumn(QStringLiteral("MediFeedback"),
                  IsFood() ? Ucomvar().szPubGoodsName + QStringLiteral("过敏史") : QStringLiteral("医疗反馈"),
                  120);
    AddGridColumn(QStringLiteral("Comment"), QStringLiteral("备注"), 120);
    hideColumnsByEdition();
}

void TVipQuery::hideColumnsByEdition() {
    // Without services there are neither service cards nor stores of their own.
    if (AppClass().Flag(12)) {
        for (const char* field : {"VipCzService", "PosName", "PosNames"})
            ModifGridColumnVisible(QLatin1String(field), false);
    }
    const int edition = MEDVERSION();
    if ((edition == 2 || edition == 8) && headOfficeManagesCards())
        ModifGridColumnVisible(QStringLiteral("ifvipprice"), false);
}

void TVipQuery::MainGridAfterDrawCell(int row, const QString&, CellStyle& style) {
    // Later rules win: a stopped card is red whatever else it is, a lost one blue.
    if (GDataVar(QStringLiteral("IsLife"), row).toInt() == 0)
        style.font = WindowsColor(0xFF00FF);
    if (GDataVar(QStringLiteral("Lose"), row).toInt() != 0)
        style.font = WindowsColor(0xFF0000);
    if (GDataVar(QStringLiteral("StopUse"), row).toInt() != 0)
        style.font = WindowsColor(0x0000FF);
}

void TVipQuery::AfterRowChanged() {
    const bool any = !empty();
    const VipListRow card = any ? VipListRow::At(*this) : VipListRow{};
    if (m_loss)
        m_loss->setText(card.lose ? QStringLiteral("取挂[&L]") : QStringLiteral("挂失[&L]"));
    if (m_stop) {
        m_stop->setText(card.stopUse ? QStringLiteral("使用[&U]") : QStringLiteral("停用[&T]"));
        m_stop->setShortcut(card.stopUse ? QKeySequence(QStringLiteral("Alt+U"))
                                         : QKeySequence(QStringLiteral("Alt+T")));
    }
    m_activate->setEnabled(any && card.isLife == 0 && m_rights[952]);
    // A store that keeps its own data exchanges points only on the cards its type allows there.
    const TComVar& session = Ucomvar();
    const bool storeAllows = !(headOfficeManagesCards() && session.lConnectType == 1) ||
                             card.changeIntegralPos == -1 || card.changeIntegralPos == session.lPublicPosid;
    for (auto it = m_pointsItems.cbegin(); it != m_pointsItems.cend(); ++it)
        it.value()->setEnabled(any && m_rights[it.key()] && storeAllows);
}

void TVipQuery::DoGridDoubleClick() {
    if (FormStyle() == PickStyle) {
        TBaseQuery::DoGridDoubleClick();
        return;
    }
    if (empty())
        return;
    const TComVar& session = Ucomvar();
    if (headOfficeManagesCards() && session.lConnectType == 1 && !session.bPubTranVipCardToCenter) {
        ShowMsg(QStringLiteral("如果要修改会员卡信息，请在系统设置中勾选上传门店修改的会员卡信息"));
        return;
    }
    OnModify();
}

bool TVipQuery::empty() const {
    return RowCount() == 0 || CurrentRow() < 0;
}

QList<int> TVipQuery::chosenRows() const {
    QList<int> rows = GetMainGrid()->SelectedRows();
    if (rows.isEmpty() && CurrentRow() >= 0)
        rows.append(CurrentRow());
    return rows;
}

QList<int> TVipQuery::idsOf(const QList<int>& rows) const {
    QList<int> ids;
    ids.reserve(rows.size());
    for (int row : rows)
        ids.append(GDataVar(QStringLiteral("id"), row).toInt());
    return ids;
}

void TVipQuery::OnAdd() {
    requireRight(521);
    VipInfoShow(false, -1, this);
}

void TVipQuery::OnBatchAdd() {
    requireRight(521);
    VipAddListShow(this);
}

void TVipQuery::OnModify() {
    requireRight(522);
    if (!empty())
        VipInfoShow(true, CurrentRow(), this);
}

void TVipQuery::OnDel() {
    requireRight(484);
    if (empty())
        return;
    const QList<int> rows = chosenRows();
    const QString question =
        (headOfficeManagesCards() ? QStringLiteral("删除可能影响独立门店使用或者明细查询，你确认对选中的")
                                  : QStringLiteral("删除可能影响明细查询，你确认对选中的")) +
        QString::number(rows.size()) + QStringLiteral("个卡号进行批量删除吗？");
    if (Messagebox(question, QStringLiteral("提示?"), MB::OkCancel | MB::IconQuestion) != IDOK)
        return;
    const TComVar& session = Ucomvar();
    VipCardStore store;
    VipCardBatch::Run(
        rows,
        [&](int row) -> std::optional<VipCardBatch::Failure> {
            const VipListRow card = VipListRow::At(*this, row);
            const int result = store.DeleteCard(card.cardNo, session.lPublicPosid, session.nLoginUserRec);
            if (result >= 0) {
                store.WriteChangeLog({QStringLiteral("卡号%1,卡类型%2,持卡人%3,电话%4的会员卡已被删除!")
                                          .arg(card.cardNo, card.typeName, card.name, card.tel)},
                                     session.nLoginUserRec);
                return std::nullopt;
            }
            static const QHash<int, QString> reasons = {
                {CardDeleteRefusal::Gone, QStringLiteral("已经删除或者遇其它技术原因，不能删除。")},
                {CardDeleteRefusal::HoldsStoredValue,
                 QStringLiteral("已经有期初储值或者储值余额, 不能删除。")},
                {CardDeleteRefusal::CouponCardsBound, QStringLiteral("已经绑定购物卡, 不能删除。")},
                {CardDeleteRefusal::ServiceBalance, QStringLiteral("已经有服务项目储值余额, 不能删除。")},
                {CardDeleteRefusal::ServiceUses, QStringLiteral("还有服务项目次数, 不能删除。")},
                {CardDeleteRefusal::WeChatBound, QStringLiteral("已经绑定微信, 不能删除。")}};
            return VipCardBatch::Failure{QStringLiteral("会员卡") + card.cardNo +
                                         reasons.value(result, reasons[CardDeleteRefusal::Gone])};
        },
        QStringLiteral("网络忙或网络错误,不能删除!"));
    RefreshData();
}

void TVipQuery::OnTY() {
    switchFlag(true);
}

void TVipQuery::OnGS() {
    switchFlag(false);
}

void TVipQuery::switchFlag(bool stop) {
    requireRight(509);
    if (empty())
        return;
    const QList<int> rows = chosenRows();
    // Each card's own flag is turned over; the question names what the button says
    // for the current card.
    const auto setsFlag = [stop](const VipListRow& card) { return !(stop ? card.stopUse : card.lose); };
    const auto word = [stop](bool on) {
        return stop ? (on ? QStringLiteral("停用") : QStringLiteral("恢复"))
                    : (on ? QStringLiteral("挂失") : QStringLiteral("取消挂失"));
    };
    if (!Question(QStringLiteral("是否对选中的%1个会员卡批量%2操作？")
                      .arg(rows.size())
                      .arg(word(setsFlag(VipListRow::At(*this)))),
                  QStringLiteral("提示?")))
        return;
    // Losses and their cancels go to the head office too, once each card is saved.
    std::optional<TVipCardConnect> link;
    if (!stop && TLmConnect::IsConnectUse(TVipCardConnect::ClassType)) {
        link.emplace();
        link->Connect();
    }
    const TComVar& session = Ucomvar();
    VipCardStore store;
    const auto forward = [&](int row) {
        const VipListRow card = VipListRow::At(*this, row);
        if (link && link->GetConnected())
            link->SaveVipCardGS(card.cardNo, setsFlag(card));
    };
    VipCardBatch::Run(
        rows,
        [&](int row) -> std::optional<VipCardBatch::Failure> {
            const VipListRow card = VipListRow::At(*this, row);
            const bool on = setsFlag(card);
            VipCardStore::CardFields fields = VipListRow::CardFieldsAt(*this, row);
            (stop ? fields.stopUse : fields.lose) = on;
            fields.posId = session.lPublicPosid;
            fields.userRec = session.nLoginUserRec;
            const int result = store.WriteCard(fields);
            if (result == VipCardStore::ChangedElsewhere)
                return VipCardBatch::Failure{
                    QStringLiteral("会员卡%1已被其他用户修改，请刷新后再操作。").arg(card.cardNo)};
            if (result == VipCardStore::NumberTaken || result == VipCardStore::BarCodeTaken)
                return VipCardBatch::Failure{QStringLiteral("发现相同的编号!"), true};
            if (result < 0)
                return VipCardBatch::Failure{ErrorWriteDb, true};
            store.WriteChangeLog({QStringLiteral("卡号:%1,卡类型:%2,持卡人:%3的会员卡已被%4!")
                                      .arg(card.cardNo, card.typeName, card.name, word(on))},
                                 session.nLoginUserRec);
            return std::nullopt;
        },
        {}, forward);
    RefreshData();
}

void TVipQuery::OnActiveCard() {
    requireRight(952);
    if (empty())
        return;
    const VipListRow card = VipListRow::At(*this);
    if (card.isLife != 0)
        return;
    if (!Question(QStringLiteral("确认要激活【") + card.cardNo + QStringLiteral("】会员卡吗？")))
        return;
    const TComVar& session = Ucomvar();
    VipCardStore store;
    {
        // The activation and the introducer's reward stand or fall together.
        Transaction transaction(dmClient());
        const int result = store.ActivateCard(card.id, session.nLoginUserRec, session.lPublicPosid);
        if (result == CardActivation::LostOrStopped)
            ShowErrorAndAbort(QStringLiteral("会员卡%1已挂失或停用，不能激活。").arg(card.cardNo));
        if (result == CardActivation::AlreadyActive)
            ShowErrorAndAbort(QStringLiteral("会员卡%1已经激活。").arg(card.cardNo), QStringLiteral("提示"));
        if (result < 0)
            ShowErrorAndAbort(QStringLiteral("会员卡%1不存在或已删除。").arg(card.cardNo));
        if (card.introducerId > 0 && !store.RewardIntroducer(card.id, PointsChange::CardCreated,
                                                             session.lPublicPosid, session.nLoginUserRec))
            ShowErrorAndAbort(ErrorWriteDb);
        transaction.Commit();
    }
    VipCardNotices::Send(store, card.id, card.introducerId);
    AfterSave(QStringLiteral("id"), card.id);
}

void TVipQuery::OnClearJF() {
    requireRight(507);
    if (RowCount() == 0) {
        ShowMsg(QStringLiteral("表格还没有数据"));
        return;
    }
    VipCardStore::PointsClear clear;
    int range = 0;
    if (!ShowVipClear(clear.date, range, clear.buyTotal, clear.memberPriceTotal, clear.points))
        return;
    const TComVar& session = Ucomvar();
    clear.userRec = session.nLoginUserRec;
    clear.posId = session.lPublicPosid;
    VipCardStore store;
    int skipped = 0;
    if (range == 0) {
        // The chosen cards are looked at one by one, each refusal told by name.
        QList<int> due;
        for (int row : chosenRows()) {
            const VipListRow card = VipListRow::At(*this, row);
            QString last;
            const int check = store.CheckClearDate(card.id, clear.date, last);
            if (check == PointsClearCheck::AlreadyCleared) {
                ShowMsg(
                    QStringLiteral("会员卡%1已经在日期%2或之后做过积分金额清零操作").arg(card.cardNo, last));
                ++skipped;
            } else if (check == PointsClearCheck::NotActivated) {
                ShowMsg(QStringLiteral("该会员卡还没有激活，不能使使用该功能！"));
            } else if (check == 0) {
                due.append(row);
            }
        }
        // Another workstation may clear a card meanwhile; the procedure then passes it over.
        VipCardBatch::Run(due, [&](int row) -> std::optional<VipCardBatch::Failure> {
            int passed = 0;
            store.ClearPoints({GDataVar(QStringLiteral("id"), row).toInt()}, clear, passed);
            skipped += passed;
            return std::nullopt;
        });
    } else {
        // Every row the list shows, read yet or not: the procedure checks each card
        // itself and counts those it passes over, a few hundred cards to a transaction.
        ForEachShownKey(QStringLiteral("id"), CardsPerCall, [&](const QList<qint64>& keys) {
            const QList<int> ids(keys.cbegin(), keys.cend());
            int passed = 0;
            store.ClearPoints(ids, clear, passed);
            skipped += passed;
        });
    }
    if (skipped > 0)
        ShowMsg(QStringLiteral("有") + QString::number(skipped) +
                QStringLiteral("个会员卡已经做过积分金额清零操作，本次操作忽略！"));
    if (headOfficeManagesCards() && session.lConnectType == 1 && session.lpostype == 1 && session.bvipConnect)
        ShowMsg(QStringLiteral("启用了会员卡储值和积分实时应用功能，请及时上传数据，以免积分计算错误"));
    RefreshData();
}

void TVipQuery::OnValidityDate() {
    requireRight(522);
    if (RowCount() == 0) {
        ShowMsg(QStringLiteral("表格还没有数据"));
        return;
    }
    QString date;
    if (ShowVipModifValidityDate(date) != 1)
        return;
    const QList<int> ids = idsOf(chosenRows());
    VipCardStore store;
    int changed = 0;
    for (qsizetype first = 0; first < ids.size(); first += CardsPerCall) {
        int skipped = 0;
        changed += store.SetValidityDate(ids.mid(first, CardsPerCall), QDate::fromString(date, Qt::ISODate),
                                         skipped);
    }
    RefreshData();
    ShowStatusMessage(QStringLiteral("已设置%1张会员卡的有效期").arg(changed));
}

void TVipQuery::IntegraChange(int kind) {
    if (empty())
        return;
    VipCardStore store;
    if (!VipRowChecks::CanExchangePoints(VipListRow::At(*this), kind, store))
        return;
    if (IntegralExchage(kind, VipListRow::At(*this).cardNo))
        RefreshData();
}

void TVipQuery::OnAdjust() {
    requireRight(828);
    if (!empty())
        if (IntegralExchageAdjust(PointsChange::Adjustment, VipListRow::At(*this).cardNo))
            RefreshData();
}

void TVipQuery::OnChangePass() {
    if (empty())
        return;
    const VipListRow card = VipListRow::At(*this);
    if (VipRowChecks::CanChangePassword(card))
        ChangeCzPassword(card.id, card.cardNo, QString(), card.czPosId, card.tel);
}

void TVipQuery::OnBasicimport() {
    requireRight(718);
    if (VipCardImport(this))
        RefreshData();
}

void TVipQuery::OnServiceDetail() {
    requireRight(940);
    if (empty())
        return;
    const VipListRow card = VipListRow::At(*this);
    if (!card.vipCzService) {
        ShowMsg(QStringLiteral("非服务项目卡!"));
        return;
    }
    constexpr int FranchiseStore = 2;
    if (Ucomvar().bCenterDb && card.czPosId != 0 &&
        VipCardStore().StoreKind(card.czPosId) == FranchiseStore) {
        ShowMsg(QStringLiteral("配送中心库中不允许查看 储值类型为加盟店的会员卡的服务明细!"));
        return;
    }
    TParamObject params;
    params.Add(QStringLiteral("@VipID"), card.id);
    params.Add(QStringLiteral("@CardNo"), card.cardNo);
    params.Add(QStringLiteral("@CardTypeName"), card.typeName);
    params.Add(QStringLiteral("@Name"), card.name);
    params.Add(QStringLiteral("@Tel"), card.tel);
    params.Add(QStringLiteral("@pRec"), 0);
    CallQueryClass(QStringLiteral("TvipCardServiceQuery"), params);
}

void TVipQuery::OnJsCardDetail() {
    if (empty())
        return;
    const VipListRow card = VipListRow::At(*this);
    TParamObject params;
    params.Add(QStringLiteral("@VIPNO"), card.cardNo);
    params.Add(QStringLiteral("@VIPName"), card.name);
    params.Add(QStringLiteral("@JsVipCardID"), card.id);
    CallQueryClass(QStringLiteral("TJSVipCardList"), params);
}

void TVipQuery::OnETCCardDetail() {
    if (empty())
        return;
    const VipListRow card = VipListRow::At(*this);
    TParamObject params;
    params.Add(QStringLiteral("@VipID"), card.id);
    params.Add(QStringLiteral("@VIPCard"), card.cardNo);
    CallQueryClass(QStringLiteral("TETCCardListByVIP"), params);
}

void TVipQuery::OnRecord() {
    if (empty())
        return;
    const VipListRow card = VipListRow::At(*this);
    // The year so far, which the record window lets the user widen.
    const QString from = dateText(QDate(QDate::currentDate().year(), 1, 1));
    const QString to = dateText(QDate::currentDate());
    TParamObject params;
    params.Add(QStringLiteral("@VipCardNo"), card.cardNo);
    params.Add(QStringLiteral("@VipCardid"), card.id);
    params.Add(QStringLiteral("@Name"), card.name);
    params.Add(QStringLiteral("@SaleTotal"), GData(QStringLiteral("buyTotal")));
    params.Add(QStringLiteral("@vipsearchdate"), from);
    params.Add(QStringLiteral("@vipsearchdate1"), to);
    params.Add(QStringLiteral("@StartDate"), from);
    params.Add(QStringLiteral("@EndDate"), to);
    CallQueryClass(QStringLiteral("Txfjlcx"), params);
}

void TVipQuery::OnIntegralMx() {
    if (empty())
        return;
    const VipListRow card = VipListRow::At(*this);
    const QString from = dateText(QDate(QDate::currentDate().year(), 1, 1));
    const QString to = dateText(QDate::currentDate());
    TParamObject params;
    params.Add(QStringLiteral("@VipCardNo"), card.cardNo);
    params.Add(QStringLiteral("@Name"), card.name);
    params.Add(QStringLiteral("@IntegralTotal"), GDataVar(QStringLiteral("IntegralTotal")).toInt());
    params.Add(QStringLiteral("@StartDate"), from);
    params.Add(QStringLiteral("@EndDate"), to);
    CallQueryClass(QStringLiteral("TVIPCardIntegralMx"), params);
}

void TVipQuery::OnJFChange() {
    if (empty())
        return;
    TParamObject params;
    params.Add(QStringLiteral("@CardNo"), GData(QStringLiteral("CardNo")).trimmed());
    CallQueryClass(QStringLiteral("TVipIntegralUpdateQuery"), params);
}
