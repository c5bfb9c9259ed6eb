#include "host/sdk/ui/TfrmPtypeServiceSel.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/ui/TQueryGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

ClientDataSet serviceItems() {
    ClientDataSet rows;
    dmClient().OpenSQL(
        QStringLiteral("SELECT p.rec, p.typeId, p.UserCode, p.FullName, p.Standard, p.Unit, "
                       "CASE WHEN s.startTimes > 0 THEN s.startTimes ELSE 0 END AS startTimes, "
                       "s.oncePrice FROM VipService s JOIN ptype p ON p.rec = s.prec "
                       "WHERE p.deleted = 0 ORDER BY p.UserCode, p.rec"),
        rows);
    return rows;
}

} // namespace

TfrmPtypeServiceSel::TfrmPtypeServiceSel(const QString& search, QWidget* parent)
    : TBaseDialog(parent)
    , m_filter(new QLineEdit)
    , m_grid(new TQueryGrid) {
    setObjectName(QStringLiteral("TfrmPtypeServiceSel"));
    setWindowTitle(QStringLiteral("选择服务项目"));
    resize(560, 400);
    m_filter->setObjectName(QStringLiteral("edtFilter"));
    m_grid->setObjectName(QStringLiteral("GridService"));
    m_grid->SetSingleSelection(true);
    m_grid->setSortingEnabled(false);
    TQueryGridModel* model = m_grid->GridModel();
    model->SetColumns(
        {{QStringLiteral("UserCode"), QStringLiteral("项目编号"), 100},
         {QStringLiteral("FullName"), QStringLiteral("项目名称"), 200},
         {QStringLiteral("Standard"), QStringLiteral("规格"), 80},
         {QStringLiteral("Unit"), QStringLiteral("单位"), 50},
         {QStringLiteral("startTimes"), QStringLiteral("起购次数"), 60},
         {QStringLiteral("oncePrice"), QStringLiteral("单次售价"), 70, true, GridColumn::Money}});
    model->SetRows(serviceItems());

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("查找：")));
    searchRow->addWidget(m_filter);
    QHBoxLayout* buttons = ConfirmButtons(QStringLiteral("确定[&O]"), QStringLiteral("取消[&C]"),
                                          [this] { SetModalResult(mrOk); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);

    connect(m_filter, &QLineEdit::textChanged, this, &TfrmPtypeServiceSel::filterRows);
    connect(m_grid, &QAbstractItemView::activated, this, [this] { SetModalResult(mrOk); });
    m_filter->setText(search.trimmed());
    filterRows();
}

std::optional<BaseInfoItem> TfrmPtypeServiceSel::Select(const QString& search, QWidget* parent) {
    TfrmPtypeServiceSel dialog(search, parent);
    return dialog.ShowModal() == mrOk ? dialog.Chosen() : std::nullopt;
}

void TfrmPtypeServiceSel::filterRows() {
    const QString text = m_filter->text().trimmed();
    const TQueryGridModel* model = m_grid->GridModel();
    int first = -1;
    for (int row = 0; row < model->rowCount(); ++row) {
        const bool match = text.isEmpty() ||
                           model->Text(row, QStringLiteral("UserCode")).contains(text, Qt::CaseInsensitive) ||
                           model->Text(row, QStringLiteral("FullName")).contains(text, Qt::CaseInsensitive);
        m_grid->setRowHidden(row, !match);
        if (match && first < 0)
            first = row;
    }
    // The current row is always one the user sees, so confirming picks what is shown.
    if (first >= 0 && (m_grid->CurrentRow() < 0 || m_grid->isRowHidden(m_grid->CurrentRow())))
        m_grid->SetCurrentRow(first);
}

std::optional<BaseInfoItem> TfrmPtypeServiceSel::Chosen() const {
    const int row = m_grid->CurrentRow();
    if (row < 0 || m_grid->isRowHidden(row))
        return std::nullopt;
    const TQueryGridModel* model = m_grid->GridModel();
    return BaseInfoItem{
        model->Value(row, QStringLiteral("rec")).toInt(), model->Text(row, QStringLiteral("typeId")),
        model->Text(row, QStringLiteral("UserCode")), model->Text(row, QStringLiteral("FullName"))};
}
