#include "vip/members/Ty_vipselectFm.h"

#include "host/sdk/ui/GuardedHandler.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

struct Column {
    const char* field;
    const char* caption;
};
constexpr Column Columns[] = {{"CardNo", "卡号"}, {"TypeName", "卡类型"}, {"Name", "持卡人"},
                              {"Tel", "电话"},    {"VIPBarCode", "条码"}, {"IdentityCard", "证件号"}};

} // namespace

Ty_vipselectFm::Ty_vipselectFm(const ClientDataSet& rows, QWidget* parent)
    : TBaseDialog(parent)
    , m_grid(new QTableWidget(rows.RecordCount(), static_cast<int>(std::size(Columns)), this)) {
    setObjectName(QStringLiteral("Ty_vipselectFm"));
    setWindowTitle(QStringLiteral("会员卡选择"));
    m_grid->setObjectName(QStringLiteral("grdCards"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    QStringList captions;
    for (const Column& column : Columns)
        captions.append(QString::fromUtf8(column.caption));
    m_grid->setHorizontalHeaderLabels(captions);
    for (int row = 0; row < rows.RecordCount(); ++row) {
        for (int column = 0; column < m_grid->columnCount(); ++column)
            m_grid->setItem(
                row, column,
                new QTableWidgetItem(rows.Value(row, QLatin1String(Columns[column].field)).toString()));
    }
    m_grid->resizeColumnsToContents();
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentCell(0, 0);
    // Enter and a double click both activate the current row.
    ConnectGuarded(m_grid, &QTableWidget::activated, this, &Ty_vipselectFm::OnSelect);

    auto* select = new QPushButton(QStringLiteral("选择[&B]"));
    select->setObjectName(QStringLiteral("btnSelect"));
    ConnectGuarded(select, &QPushButton::clicked, this, &Ty_vipselectFm::OnSelect);
    auto* exit = new QPushButton(QStringLiteral("退出[&X]"));
    exit->setObjectName(QStringLiteral("btnExit"));
    connect(exit, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("  最多显示模糊查询出来的前1000个信息。")));
    buttons->addStretch();
    buttons->addWidget(select);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);
    m_grid->setFocus();
}

void Ty_vipselectFm::OnSelect() {
    if (m_grid->currentRow() < 0)
        return;
    m_chosen = m_grid->currentRow();
    SetModalResult(mrOk);
}
