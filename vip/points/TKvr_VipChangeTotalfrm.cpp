#include "vip/points/TKvr_VipChangeTotalfrm.h"

#include "host/sdk/ShopCardConnect.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TAtypeSelectDlg.h"
#include "vip/points/TChangeType.h"
#include "vip/points/VipExchangeCardSection.h"
#include "vip/points/VipExchangeListModel.h"
#include "vip/points/VipPointsStore.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The class of accounts a price difference is paid into.
const QString AccountClass = QStringLiteral("00001");
constexpr int MostDigits = 9;

bool isEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool chainEdition() {
    return AppClass().Flag(14) || AppClass().Flag(19);
}

QString postRefusal(int result) {
    switch (result) {
    case VipPointsStore::BeforePeriod:
        return QStringLiteral("单据不能过账，单据日期应该大于本期开始日期！");
    case VipPointsStore::OutOfStock:
    case VipPointsStore::NoStockRow:
        return QStringLiteral("库存数量不足，请选择其他商品！");
    case VipPointsStore::BillRefused:
        return QStringLiteral("兑换单据保存失败，请重新保存！");
    case VipPointsStore::NotAStore:
        return QStringLiteral("兑换必须由门店进行，请检查对应门店仓库设置！");
    default:
        return QStringLiteral("兑换单据保存失败，请检查库存数量是否不足！");
    }
}

} // namespace

TKvr_VipChangeTotalfrm::TKvr_VipChangeTotalfrm(QWidget* parent)
    : TfrmVipTotalAdjust(parent)
    , m_list(new VipExchangeListModel(this))
    , m_grid(new QTableView)
    , m_listGroup(new QGroupBox(QStringLiteral("可兑换列表")))
    , m_cards(new VipExchangeCardSection(*m_list))
    , m_totalCaption(DialogFields::Label(QString()))
    , m_total(DialogFields::Label(QStringLiteral("0"), "lblTotal"))
    , m_qtyCaption(DialogFields::Label(QStringLiteral("兑换商品总量：")))
    , m_qty(DialogFields::Label(QStringLiteral("0"), "lblQty"))
    , m_diffCaption(DialogFields::Label(QString()))
    , m_diff(DialogFields::Label(QStringLiteral("0.00"), "lblDiff"))
    , m_account(DialogFields::Edit("edtAccount"))
    , m_accountRow(new QWidget) {
    setObjectName(QStringLiteral("TKvr_VipChangeTotalfrm"));
    setWindowTitle(QStringLiteral("积分兑换"));
    m_form->setRowVisible(m_typeName, false);
    m_form->setRowVisible(m_tel, false);

    m_account->setReadOnly(true);
    auto* pickAccount = new QPushButton(QStringLiteral("..."));
    pickAccount->setObjectName(QStringLiteral("btnAccount"));
    pickAccount->setFocusPolicy(Qt::NoFocus);
    ConnectGuarded(pickAccount, &QPushButton::clicked, this, &TKvr_VipChangeTotalfrm::chooseAccount);
    auto* accountLayout = new QHBoxLayout(m_accountRow);
    accountLayout->setContentsMargins(0, 0, 0, 0);
    accountLayout->addWidget(m_account);
    accountLayout->addWidget(pickAccount);
    m_form->addRow(QStringLiteral("收款账户[&M]："), m_accountRow);

    m_grid->setObjectName(QStringLiteral("gridExchange"));
    m_grid->setModel(m_list);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    auto* totals = new QHBoxLayout;
    for (QLabel* label : {m_totalCaption, m_total, m_qtyCaption, m_qty, m_diffCaption, m_diff})
        totals->addWidget(label);
    totals->addStretch();
    auto* listLayout = new QVBoxLayout(m_listGroup);
    listLayout->addWidget(m_grid);
    listLayout->addLayout(totals);
    listLayout->addWidget(DialogFields::Label(
        QStringLiteral("如需修改可兑换列表中的内容，请到『会员卡类型设置』功能中，按卡类型设置")));
    addSection(m_listGroup);
    addSection(m_cards);

    connect(m_list, &VipExchangeListModel::totalsChanged, this, [this] {
        if (exchanging())
            m_points->setText(QString::number(m_list->Points()));
        showTotals();
    });
    connect(m_points, &QLineEdit::editingFinished, this, [this] {
        if (exchanging())
            RunGuardedAction(this, [this] { allot(); });
    });
    m_saveButton = findChild<QWidget*>(QStringLiteral("btnOK"));
    resize(720, 640);
    m_built = true;
}

bool TKvr_VipChangeTotalfrm::exchanging() const {
    return m_changeType == PointsChange::Cash || m_changeType == PointsChange::StoredValue ||
           m_changeType == PointsChange::Goods || m_changeType == PointsChange::ShoppingCards;
}

void TKvr_VipChangeTotalfrm::SetChangeType(int changeType) {
    TfrmVipTotalAdjust::SetChangeType(changeType);
    setWindowTitle(TChangeType::Name(changeType));
    const bool exchange = exchanging();
    const bool goodsOrCards = changeType == PointsChange::Goods || changeType == PointsChange::ShoppingCards;
    SetKeyFilter(m_points, exchange ? KeyFilter::Digits : KeyFilter::DigitsMinus);
    m_points->setMaxLength(exchange ? MostDigits : MostDigits + 3);
    m_minusHint->setVisible(!exchange);
    m_listGroup->setVisible(exchange);
    m_cards->setVisible(changeType == PointsChange::ShoppingCards);
    m_form->setRowVisible(m_accountRow, goodsOrCards);
    for (QLabel* label : {m_qtyCaption, m_qty, m_diffCaption, m_diff})
        label->setVisible(goodsOrCards);
    m_totalCaption->setText(changeType == PointsChange::Cash ? QStringLiteral("兑换现金合计：")
                            : changeType == PointsChange::StoredValue ? QStringLiteral("兑换储值合计：")
                                                                      : QStringLiteral("处理积分合计："));
    m_diffCaption->setText(changeType == PointsChange::ShoppingCards ? QStringLiteral("    补差合计：")
                                                                     : QStringLiteral("商品补差合计："));
    m_list->SetChangeType(changeType);
    if (changeType == PointsChange::Goods) {
        const TComVar& session = Ucomvar();
        const QString warehouse =
            session.szPublicPosSetKtype.isEmpty() ? session.szPublicPosKtype : session.szPublicPosSetKtype;
        m_warehouseRec = warehouse.isEmpty() ? 0 : VipPointsStore().WarehouseRec(warehouse);
    }
    if (!exchange)
        adjustSize();
}

void TKvr_VipChangeTotalfrm::CardShown() {
    m_cards->SetMember(m_foundCardNo, m_cardType);
    loadList();
}

void TKvr_VipChangeTotalfrm::CardCleared() {
    m_list->Clear();
    m_cards->SetMember(QString(), 0);
}

void TKvr_VipChangeTotalfrm::CardNumberEmptied() {
    clearCard();
    m_points->clear();
    m_memo->clear();
}

void TKvr_VipChangeTotalfrm::loadList() {
    if (!exchanging())
        return;
    ClientDataSet rules;
    VipPointsStore().LoadRules(m_cardType, m_changeType, m_availablePoints, rules);
    m_list->SetAvailable(m_availablePoints);
    m_list->Load(rules);
    if (rules.RecordCount() == 1) {
        m_points->setText(QString::number(m_availablePoints));
        allot();
    }
}

void TKvr_VipChangeTotalfrm::allot() {
    const QString entry = m_points->text().trimmed();
    m_points->setText(QString::number(m_list->Allot(entry.toInt())));
}

void TKvr_VipChangeTotalfrm::showTotals() {
    const bool money = m_changeType == PointsChange::Cash || m_changeType == PointsChange::StoredValue;
    m_total->setText(money ? m_list->Total().toString(2) : QString::number(m_list->Points()));
    m_qty->setText(VipExchangeListModel::QuantityText(m_list->Total()));
    m_diff->setText(m_list->DifferenceTotal().toString(2));
}

void TKvr_VipChangeTotalfrm::chooseAccount() {
    const std::optional<BaseInfoItem> chosen = TAtypeSelectDlg::Select(AccountClass, this);
    if (!chosen)
        return;
    m_accountRec = chosen->rec;
    m_account->setText(chosen->name);
}

bool TKvr_VipChangeTotalfrm::eventFilter(QObject* watched, QEvent* event) {
    if (!m_built)
        return TfrmVipTotalAdjust::eventFilter(watched, event);
    if (m_cards->isVisible() && m_cards->HandleKey(watched, event))
        return true;
    if (watched == m_memo && isEnter(event)) {
        if (exchanging() && m_list->rowCount() > 0) {
            m_grid->setFocus();
            m_grid->setCurrentIndex(m_list->index(0, m_list->ModelColumn(VipExchangeListModel::ExQty)));
        } else {
            m_saveButton->setFocus();
        }
        return true;
    }
    if (watched == m_grid && isEnter(event)) {
        moveOnInGrid();
        return true;
    }
    if (watched == m_account && event->type() == QEvent::MouseButtonDblClick) {
        RunGuardedAction(this, [this] { chooseAccount(); });
        return true;
    }
    return TfrmVipTotalAdjust::eventFilter(watched, event);
}

void TKvr_VipChangeTotalfrm::moveOnInGrid() {
    const QModelIndex current = m_grid->currentIndex();
    const int units = m_list->ModelColumn(VipExchangeListModel::ExQty);
    const int points = m_list->ModelColumn(VipExchangeListModel::ExInt);
    if (current.isValid() && current.column() == units) {
        m_grid->setCurrentIndex(m_list->index(current.row(), points));
        return;
    }
    if (current.isValid() && current.row() + 1 < m_list->rowCount()) {
        m_grid->setCurrentIndex(m_list->index(current.row() + 1, units));
        return;
    }
    if (m_accountRow->isVisible())
        m_account->setFocus();
    else
        m_saveButton->setFocus();
}

void TKvr_VipChangeTotalfrm::OnSave() {
    requireCard();
    if (exchanging() && m_points->text().trimmed() != QString::number(m_list->Points()))
        allot(); // points typed and confirmed without leaving the field
    QString entry = m_points->text().trimmed();
    if (entry.isEmpty() || entry == QLatin1String("-"))
        entry = QStringLiteral("0");
    m_points->setText(entry);
    const int points = entry.toInt();
    if (points == 0)
        refusePoints(QStringLiteral("本次处理积分不能为0!"));
    if (m_changeType != PointsChange::Added && points > m_availablePoints)
        refusePoints(QStringLiteral("本次处理积分不能大于可用积分!"));
    if (!exchanging()) {
        // The deduction mode deducts whatever the sign; the others go by it.
        const bool deduct = m_changeType == PointsChange::Deducted || points < 0;
        saveChange(deduct ? PointsChange::Deducted : PointsChange::Added, qAbs(points));
        return;
    }
    checkExchange();
    saveExchange(points);
}

void TKvr_VipChangeTotalfrm::checkExchange() {
    const bool goods = m_changeType == PointsChange::Goods;
    if ((goods || m_changeType == PointsChange::ShoppingCards) && !m_list->DifferenceTotal().isZero() &&
        m_accountRec == 0)
        Refuse(m_account,
               (goods ? QStringLiteral("商品") : QStringLiteral("购物卡")) +
                   QStringLiteral("兑换有补差合计时收款账户必须选择！!"),
               QStringLiteral("提示"), MB::IconError);
    if (goods && m_warehouseRec == 0)
        Refuse(m_grid, QStringLiteral("商品兑换必须要选择出库仓库！!"), QStringLiteral("提示"),
               MB::IconError);
    if (m_changeType == PointsChange::ShoppingCards && !m_cards->MatchesList())
        Refuse(m_cards, QStringLiteral("可兑换列表中兑换数量和购物卡的数量不一致"), QStringLiteral("提示"),
               MB::IconError);
}

void TKvr_VipChangeTotalfrm::saveExchange(int points) {
    const TComVar& session = Ucomvar();
    const QString name = TChangeType::Name(m_changeType);
    const bool money = m_changeType == PointsChange::Cash || m_changeType == PointsChange::StoredValue;
    const bool cards = m_changeType == PointsChange::ShoppingCards;
    VipPointsStore::Exchange exchange;
    exchange.cardNo = m_foundCardNo;
    exchange.changeType = m_changeType;
    exchange.points = points;
    exchange.userCode = session.szLoginUserId;
    exchange.userRec = session.nLoginUserRec;
    exchange.posId = session.lPublicPosid;
    exchange.memo = m_memo->text().trimmed().isEmpty() ? name : m_memo->text();
    exchange.total = money ? m_list->Total() : Money::fromUnits(points);
    QString firstItem;
    QList<VipExchangeCardSection::Card> handedOut = m_cards->Cards();
    for (int i = 0; i < m_list->rowCount(); ++i) {
        const VipExchangeListModel::Row& row = m_list->Rows().at(i);
        if (row.units <= 0)
            continue;
        if (firstItem.isEmpty())
            firstItem = cards ? row.name : row.productName;
        QStringList numbers;
        // Rows of one coupon type share its cards out in order, each as many as it gives.
        for (qint64 n = row.total().raw() / Money::Scale; cards && n > 0; --n) {
            const auto it =
                std::find_if(handedOut.begin(), handedOut.end(),
                             [&](const VipExchangeCardSection::Card& c) { return c.etcId == row.etcId; });
            if (it == handedOut.end())
                break;
            numbers << it->cardNo;
            handedOut.erase(it);
        }
        const QString cardList = numbers.join(QLatin1Char(','));
        exchange.rows.append({row.exchangeId, row.units, row.prec, row.diffTotal(), cardList});
        m_list->SetCardList(i, cardList);
    }
    const QString used = QStringLiteral("卡号%1的会员卡使用%2积分兑换").arg(m_foundCardNo).arg(points);
    exchange.comment = money ? used + QStringLiteral("生成") : used + firstItem + QStringLiteral("等商品");
    exchange.pzComment = money ? exchange.comment : used + firstItem + QStringLiteral("等商品补差");
    if (!money)
        exchange.quantity = m_list->Total();
    exchange.diffTotal = m_list->DifferenceTotal();
    exchange.accountRec = money ? 0 : m_accountRec;
    exchange.warehouseRec = m_warehouseRec;
    exchange.period = session.lPublicPeriod;
    for (const VipExchangeCardSection::Card& card : m_cards->Cards())
        exchange.couponCards.append({card.id, card.cardNo});
    exchange.reportCards = chainEdition();

    const VipPointsStore::ExchangeOutcome outcome = VipPointsStore().SaveExchange(exchange);
    if (outcome.changeRefusal == VipPointsStore::TooFewPoints) {
        // Another till took points meanwhile; show what is left.
        lookUp();
        refusePoints(QStringLiteral("本次处理积分不能大于可用积分!"));
    }
    if (outcome.changeRefusal != 0 || outcome.postResult == VipPointsStore::CardRefused) {
        lookUp(); // says why the card is refused now
        throw AbortAction();
    }
    if (outcome.postResult != VipPointsStore::Posted)
        ShowErrorAndAbort(postRefusal(outcome.postResult), QStringLiteral("错误"));
    if (!outcome.cardRefusals.isEmpty()) {
        ShowMsg(outcome.cardRefusals.join(QLatin1Char('\n')), QStringLiteral("提示"));
        throw AbortAction();
    }

    ShowMsg(name + QStringLiteral("成功！"), QStringLiteral("提示"));
    followUp(outcome.newId, m_changeType, [&] {
        if (!cards || !chainEdition() || session.lConnectType != 1)
            return;
        for (const VipExchangeCardSection::Card& card : m_cards->Cards()) {
            TShopCardConnect link;
            link.SetETCList(card.id, CouponCardMode::Bind, m_foundCardNo, session.nLoginUserRec);
            link.SetETCList(card.id, CouponCardMode::Activate, QString(), session.nLoginUserRec);
        }
    });
    m_cards->Clear();
    SetModalResult(mrOk);
}

QString TKvr_VipChangeTotalfrm::PrintTemplateName() const {
    return exchanging() ? TChangeType::PrintTemplate(m_changeType) : TfrmVipTotalAdjust::PrintTemplateName();
}

void TKvr_VipChangeTotalfrm::PrintItems(TParamObject& items) const {
    TfrmVipTotalAdjust::PrintItems(items);
    if (!exchanging())
        return;
    items.Remove(QStringLiteral("处理人"));
    items.Add(QStringLiteral("处理方式"), TChangeType::Name(m_changeType));
    if (m_changeType == PointsChange::Goods || m_changeType == PointsChange::ShoppingCards)
        items.Add(QStringLiteral("收款账户"), m_account->text());
    const QList<VipExchangeCardSection::Card>& cards = m_cards->Cards();
    for (int i = 0; i < cards.size(); ++i)
        items.Add(QStringLiteral("购物卡%1").arg(i + 1), cards.at(i).cardNo);
}

const QAbstractItemModel* TKvr_VipChangeTotalfrm::PrintRows() const {
    return exchanging() ? m_list : nullptr;
}
