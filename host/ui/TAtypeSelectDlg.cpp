#include "host/sdk/ui/TAtypeSelectDlg.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/ui/TQueryGrid.h"

#include <QVBoxLayout>

namespace {

ClientDataSet accountsUnder(const QString& classTypeId) {
    ClientDataSet rows;
    dmClient().OpenSQL(QStringLiteral("SELECT a.rec, a.typeId, a.UserCode, a.FullName FROM atype a "
                                      "WHERE a.deleted = 0 AND a.typeId LIKE ? AND a.typeId <> ? "
                                      "AND NOT EXISTS (SELECT 1 FROM atype c WHERE c.deleted = 0 "
                                      "AND c.parid = a.typeId) ORDER BY a.typeId"),
                       rows, {classTypeId + QLatin1Char('%'), classTypeId});
    return rows;
}

} // namespace

TAtypeSelectDlg::TAtypeSelectDlg(const QString& classTypeId, QWidget* parent)
    : TBaseDialog(parent)
    , m_grid(new TQueryGrid) {
    setObjectName(QStringLiteral("TAtypeSelectDlg"));
    setWindowTitle(QStringLiteral("选择帐户"));
    resize(420, 360);
    m_grid->setObjectName(QStringLiteral("GridAtype"));
    m_grid->SetSingleSelection(true);
    TQueryGridModel* model = m_grid->GridModel();
    model->SetColumns({{QStringLiteral("UserCode"), QStringLiteral("编号"), 100},
                       {QStringLiteral("FullName"), QStringLiteral("名称"), 220}});
    model->SetRows(accountsUnder(classTypeId));
    if (model->rowCount() > 0)
        m_grid->SetCurrentRow(0);
    QHBoxLayout* buttons = ConfirmButtons(QStringLiteral("确定[&O]"), QStringLiteral("取消[&C]"),
                                          [this] { SetModalResult(mrOk); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);
    connect(m_grid, &QAbstractItemView::activated, this, [this] { SetModalResult(mrOk); });
}

std::optional<BaseInfoItem> TAtypeSelectDlg::Select(const QString& classTypeId, QWidget* parent) {
    TAtypeSelectDlg dialog(classTypeId, parent);
    return dialog.ShowModal() == mrOk ? dialog.Chosen() : std::nullopt;
}

std::optional<BaseInfoItem> TAtypeSelectDlg::Chosen() const {
    const int row = m_grid->CurrentRow();
    if (row < 0)
        return std::nullopt;
    const TQueryGridModel* model = m_grid->GridModel();
    return BaseInfoItem{
        model->Value(row, QStringLiteral("rec")).toInt(), model->Text(row, QStringLiteral("typeId")),
        model->Text(row, QStringLiteral("UserCode")), model->Text(row, QStringLiteral("FullName"))};
}
