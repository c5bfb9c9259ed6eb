#include "vip/points/VipExchangeCardSection.h"

#include "host/sdk/BitValue.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/ModalResult.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "vip/points/VipExchangeListModel.h"
#include "vip/points/VipPointsStore.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

VipExchangeCardSection::VipExchangeCardSection(const VipExchangeListModel& list, QWidget* parent)
    : QGroupBox(QStringLiteral("购物卡"), parent)
    , m_list(list)
    , m_number(DialogFields::Edit("edtCouponNo", 60))
    , m_grid(new TQueryGrid) {
    m_grid->setObjectName(QStringLiteral("gridCoupons"));
    m_grid->SetSingleSelection(true);
    m_grid->GridModel()->SetColumns(
        {{QStringLiteral("Name"), QStringLiteral("类型名称"), 160},
         {QStringLiteral("CardNO"), QStringLiteral("卡号"), 160},
         {QStringLiteral("Total"), QStringLiteral("金额"), 90, true, GridColumn::Money}});
    auto* add = new QPushButton(QStringLiteral("添加"));
    add->setObjectName(QStringLiteral("btnAddCoupon"));
    auto* remove = new QPushButton(QStringLiteral("删除"));
    remove->setObjectName(QStringLiteral("btnDelCoupon"));
    ConnectGuarded(add, &QPushButton::clicked, this, &VipExchangeCardSection::OnAdd);
    ConnectGuarded(remove, &QPushButton::clicked, this, &VipExchangeCardSection::OnDelete);
    auto* entry = new QHBoxLayout;
    entry->addWidget(DialogFields::Label(QStringLiteral("购物卡号[&G]")));
    entry->addWidget(m_number);
    entry->addWidget(add);
    entry->addWidget(remove);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(entry);
    showCards();
}

void VipExchangeCardSection::SetMember(const QString& cardNo, int cardType) {
    if (cardNo != m_memberCardNo)
        Clear();
    m_memberCardNo = cardNo;
    m_memberType = cardType;
}

void VipExchangeCardSection::Clear() {
    m_cards.clear();
    m_shown.clear();
    showCards();
}

bool VipExchangeCardSection::MatchesList() const {
    QMap<int, Money> given;
    for (const VipExchangeListModel::Row& row : m_list.Rows())
        given[row.etcId] += row.total();
    QMap<int, Money> listed;
    for (const Card& card : m_cards)
        listed[card.etcId] += Money::fromUnits(1);
    for (auto it = listed.cbegin(); it != listed.cend(); ++it)
        given.insert(it.key(), given.value(it.key()));
    for (auto it = given.cbegin(); it != given.cend(); ++it)
        if (it.value() != listed.value(it.key()))
            return false;
    return true;
}

bool VipExchangeCardSection::HandleKey(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == m_number && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            RunGuardedAction(this, [this] { OnAdd(); });
            return true;
        }
        if (watched == m_grid && key == Qt::Key_Delete) {
            RunGuardedAction(this, [this] { OnDelete(); });
            return true;
        }
    }
    return false;
}

void VipExchangeCardSection::OnAdd() {
    const QString text = m_number->text().trimmed();
    if (text.isEmpty())
        return;
    VipPointsStore store;
    ClientDataSet found;
    store.FindCouponCards(text, Ucomvar().lPublicPosid, found);
    QList<int> unissued;
    for (int i = 0; i < found.RecordCount(); ++i) {
        const auto value = [&](const char* name) { return found.Value(i, QLatin1String(name)).toInt(); };
        if (value("Used") == 0 && value("IsStop") == 0 && value("Flag") == 0)
            unissued.append(i);
    }
    if (unissued.isEmpty()) {
        ShowMsg(QStringLiteral("没有找到未激活的购物卡：") + text, QStringLiteral("提示"));
        return;
    }
    QStringList messages;
    if (unissued.size() == 1) {
        messages << add(found, unissued.first());
    } else {
        TParamObject params;
        params.Add(QStringLiteral("@FormStyle"), 1);
        params.Add(QStringLiteral("@CardNo"), text);
        if (CallQueryClass(QStringLiteral("TETCCardMultSelect"), params) != mrOk)
            return;
        for (const QString& id :
             params.AsString(QStringLiteral("@IDList")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            ClientDataSet card;
            store.LoadCouponCard(id.trimmed().toInt(), card);
            if (!card.IsEmpty())
                messages << add(card, 0);
        }
    }
    messages.removeAll(QString());
    if (!messages.isEmpty())
        ShowMsg(messages.join(QLatin1Char('\n')), QStringLiteral("提示"));
}

QString VipExchangeCardSection::add(const ClientDataSet& cards, int row) {
    const auto value = [&](const char* name) { return cards.Value(row, QLatin1String(name)); };
    const int id = value("ID").toInt();
    const QString cardNo = value("CardNo").toString();
    if (id == 0 || std::any_of(m_cards.cbegin(), m_cards.cend(), [&](const Card& c) { return c.id == id; }))
        return {};
    const int etcId = value("ETCID").toInt();
    const QList<VipExchangeListModel::Row>& rows = m_list.Rows();
    if (std::none_of(rows.cbegin(), rows.cend(), [&](const auto& r) { return r.etcId == etcId; }))
        return QStringLiteral("你选择的购物卡[%1]不在可兑换的列表中，请重新选择！").arg(cardNo);
    const QString permitted = value("VIPType").toString().trimmed();
    if (GetBitValue(value("Flags").toInt(), CouponTypeFlag::MemberTypes) && !permitted.isEmpty() &&
        !permitted.split(QLatin1Char(','), Qt::SkipEmptyParts).contains(QString::number(m_memberType)))
        return QStringLiteral("你选择的购物卡%1的许可卡类型与会员卡[%2]不相符，请重新选择！")
            .arg(cardNo, m_memberCardNo);
    m_cards.append({id, etcId, cardNo});
    m_shown.append({value("NAME").toString(), value("Total").toLongLong()});
    m_number->clear();
    showCards();
    return {};
}

void VipExchangeCardSection::OnDelete() {
    const int row = m_grid->CurrentRow();
    if (row < 0)
        return;
    const int index = m_grid->GridModel()->DataRow(row);
    m_cards.removeAt(index);
    m_shown.removeAt(index);
    showCards();
}

void VipExchangeCardSection::showCards() {
    ClientDataSet rows;
    rows.SetFields({QStringLiteral("CardID"), QStringLiteral("ETCID"), QStringLiteral("Name"),
                    QStringLiteral("CardNO"), QStringLiteral("Total")});
    for (int i = 0; i < m_cards.size(); ++i)
        rows.AppendRow({m_cards.at(i).id, m_cards.at(i).etcId, m_shown.at(i).first, m_cards.at(i).cardNo,
                        m_shown.at(i).second});
    m_grid->GridModel()->SetRows(rows);
}
