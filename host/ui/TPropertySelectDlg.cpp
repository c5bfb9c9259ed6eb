#include "host/sdk/ui/TPropertySelectDlg.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/TQueryGrid.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int AttributeFlag = 1;

ClientDataSet attributes(const QString& typeId, const QString& mode) {
    ClientDataSet rows;
    dmClient().OpenProcByName(QStringLiteral("Kd_QueryBaseInfoProperty"),
                              {QStringLiteral("@IDFlag"), QStringLiteral("@TypeId"), QStringLiteral("@Mode")},
                              {AttributeFlag, typeId, mode}, rows);
    return rows;
}

} // namespace

TPropertySelectDlg::TPropertySelectDlg(int parentRec, QWidget* parent)
    : TBaseDialog(parent)
    , m_group(new QComboBox)
    , m_grid(new TQueryGrid) {
    setObjectName(QStringLiteral("TPropertySelectDlg"));
    setWindowTitle(QStringLiteral("选择商品属性"));
    resize(480, 420);
    m_group->setObjectName(QStringLiteral("cboGroup"));
    m_grid->setObjectName(QStringLiteral("GridProperty"));
    m_grid->SetSingleSelection(true);
    m_grid->GridModel()->SetColumns({{QStringLiteral("UserCode"), QStringLiteral("属性编号"), 120},
                                     {QStringLiteral("FullName"), QStringLiteral("属性名称"), 220}});

    // Item data: the group's tree key; "全部" has none and lists every value.
    m_group->addItem(QStringLiteral("全部"), QString());
    const ClientDataSet groups = attributes(QString(), QStringLiteral("Child"));
    for (int row = 0; row < groups.RecordCount(); ++row) {
        m_group->addItem(groups.Value(row, QStringLiteral("FullName")).toString(),
                         groups.Value(row, QStringLiteral("typeid")).toString());
        if (parentRec != 0 && groups.Value(row, QStringLiteral("Rec")).toInt() == parentRec)
            m_group->setCurrentIndex(m_group->count() - 1);
    }
    loadGroup();

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("属性分组：")));
    top->addWidget(m_group, 1);
    QHBoxLayout* buttons =
        ConfirmButtons(QStringLiteral("确定[&O]"), QStringLiteral("取消[&C]"), [this] { pick(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);

    ConnectGuarded(m_group, &QComboBox::currentIndexChanged, this, &TPropertySelectDlg::loadGroup);
    // Enter or a double click on a row picks it.
    connect(m_grid, &QAbstractItemView::activated, this, &TPropertySelectDlg::pick);
}

std::optional<BaseInfoItem> TPropertySelectDlg::Select(int parentRec, QWidget* parent) {
    TPropertySelectDlg dialog(parentRec, parent);
    return dialog.ShowModal() == mrOk ? dialog.Chosen() : std::nullopt;
}

void TPropertySelectDlg::loadGroup() {
    const QString group = m_group->currentData().toString();
    m_grid->GridModel()->SetRows(group.isEmpty() ? attributes(QString(), QStringLiteral("Leaf"))
                                                 : attributes(group, QStringLiteral("Child")));
    m_grid->SetCurrentRow(0);
}

void TPropertySelectDlg::pick() {
    if (m_grid->CurrentRow() >= 0)
        SetModalResult(mrOk);
}

std::optional<BaseInfoItem> TPropertySelectDlg::Chosen() const {
    const int row = m_grid->CurrentRow();
    if (row < 0)
        return std::nullopt;
    const TQueryGridModel* model = m_grid->GridModel();
    return BaseInfoItem{
        model->Value(row, QStringLiteral("Rec")).toInt(), model->Text(row, QStringLiteral("typeid")),
        model->Text(row, QStringLiteral("UserCode")), model->Text(row, QStringLiteral("FullName"))};
}
