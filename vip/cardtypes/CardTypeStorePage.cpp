#include "vip/cardtypes/CardTypeStorePage.h"

#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TQueryGridModel.h"
#include "vip/cardtypes/VipCardTypeStore.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace DialogFields;

namespace {

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

CardTypeStorePage::CardTypeStorePage(VipCardTypeStore& store, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_select(button("btnSelPos", QStringLiteral("选择")))
    , m_selectAll(button("btnAllPos", QStringLiteral("全部")))
    , m_clearAll(button("btnClearPos", QStringLiteral("取消全部")))
    , m_grid(new QTableView)
    , m_model(new TQueryGridModel(this))
    , m_allStores(CheckBox("chkAllPos", QStringLiteral("选择全部门店"))) {
    m_grid->setObjectName(QStringLiteral("GridPos"));
    m_model->SetColumns({{TQueryGridModel::MarkField, QStringLiteral("选择"), 50},
                         {QStringLiteral("PosCode"), QStringLiteral("编号"), 100},
                         {QStringLiteral("PosName"), QStringLiteral("名称"), 240}});
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setContextMenuPolicy(Qt::PreventContextMenu);
    m_grid->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_select, m_selectAll, m_clearAll})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(m_allStores);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_grid);

    connect(m_grid, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { RunGuarded([&] { toggle(index.row()); }); });
    ConnectGuarded(m_select, &QPushButton::clicked, this, [this] {
        if (m_grid->currentIndex().isValid())
            toggle(m_grid->currentIndex().row());
    });
    connect(m_selectAll, &QPushButton::clicked, this, [this] { m_model->MarkAll(true); });
    ConnectGuarded(m_clearAll, &QPushButton::clicked, this, &CardTypeStorePage::clearAll);
    connect(m_allStores, &QCheckBox::toggled, this, &CardTypeStorePage::updateState);
}

void CardTypeStorePage::Load(const ClientDataSet& stores, bool allStores, int typeId) {
    m_typeId = typeId;
    m_model->SetRows(stores);
    m_allStores->setChecked(allStores);
    updateState();
}

void CardTypeStorePage::updateState() {
    const bool all = m_allStores->isChecked();
    // All stores: every store is marked and the marks are not the user's to change.
    if (all)
        m_model->MarkAll(true);
    for (QWidget* widget : std::initializer_list<QWidget*>{m_grid, m_select, m_selectAll, m_clearAll})
        widget->setEnabled(!all);
}

void CardTypeStorePage::toggle(int row) {
    if (m_model->IsMarked(row))
        unmark(row);
    else
        m_model->SetMarked(row, true);
}

void CardTypeStorePage::unmark(int row) {
    const int store = m_model->Value(row, QStringLiteral("posid")).toInt();
    if (m_store.HoldsStoredValue(store, m_typeId)) {
        m_grid->setCurrentIndex(m_model->index(row, 0));
        Refuse(m_grid, m_model->Text(row, QStringLiteral("PosName")) +
                           QStringLiteral("门店已经被指储值适用门店应用，不允许取消。"));
    }
    m_model->SetMarked(row, false);
}

// Row by row from the top; a store that must stay ends the clearing there.
void CardTypeStorePage::clearAll() {
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->IsMarked(row))
            unmark(row);
    }
}

void CardTypeStorePage::Check() {
    if (!m_allStores->isChecked() && m_model->MarkedCount() == 0)
        Refuse(m_grid, QStringLiteral("启用了卡适用范围，必须选择门店！"));
}

void CardTypeStorePage::Fill(VipCardTypeSettings& settings) const {
    settings.allStores = m_allStores->isChecked();
    settings.markedStores.clear();
    for (int row : m_model->MarkedRows())
        settings.markedStores.append(m_model->Value(row, QStringLiteral("posid")).toInt());
}
