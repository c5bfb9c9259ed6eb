#include "host/sdk/ui/TPtypeSelectDlg.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/ui/TQueryGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QVBoxLayout>

namespace {

const QString ClassField = QStringLiteral("IsClass");

// Product rows in tree order, each marked as a class when anything lies under it
// (a class keeps that name even while it holds no live product).
ClientDataSet productTree() {
    ClientDataSet rows;
    dmClient().OpenSQL(
        QStringLiteral("SELECT rec, typeId, sonnum, UserCode, FullName, Standard, Unit FROM ptype "
                       "WHERE deleted = 0 AND typeId <> ? ORDER BY typeId"),
        rows, {QStringLiteral("00000")});
    ClientDataSet tree;
    tree.SetFields({TQueryGridModel::MarkField, QStringLiteral("rec"), QStringLiteral("typeId"),
                    QStringLiteral("UserCode"), QStringLiteral("FullName"), QStringLiteral("Standard"),
                    QStringLiteral("Unit"), ClassField});
    for (int row = 0; row < rows.RecordCount(); ++row) {
        const QString key = rows.Value(row, QStringLiteral("typeId")).toString();
        const bool hasChild = row + 1 < rows.RecordCount() &&
                              rows.Value(row + 1, QStringLiteral("typeId")).toString().startsWith(key);
        const bool isClass = hasChild || rows.Value(row, QStringLiteral("sonnum")).toInt() > 0;
        tree.AppendRow({QString(), rows.Value(row, QStringLiteral("rec")), key,
                        rows.Value(row, QStringLiteral("UserCode")),
                        rows.Value(row, QStringLiteral("FullName")),
                        rows.Value(row, QStringLiteral("Standard")), rows.Value(row, QStringLiteral("Unit")),
                        isClass ? 1 : 0});
    }
    return tree;
}

} // namespace

TPtypeSelectDlg::TPtypeSelectDlg(QWidget* parent)
    : TBaseDialog(parent)
    , m_filter(new QLineEdit)
    , m_grid(new TQueryGrid) {
    setObjectName(QStringLiteral("TPtypeSelectDlg"));
    setWindowTitle(QStringLiteral("选择商品"));
    resize(640, 480);
    m_filter->setObjectName(QStringLiteral("edtFilter"));
    m_grid->setObjectName(QStringLiteral("GridPtype"));
    m_grid->setSortingEnabled(false);
    TQueryGridModel* model = m_grid->GridModel();
    model->SetColumns({{TQueryGridModel::MarkField, QStringLiteral("选择"), 40},
                       {QStringLiteral("UserCode"), QStringLiteral("编号"), 100},
                       {QStringLiteral("FullName"), QStringLiteral("名称"), 220},
                       {QStringLiteral("Standard"), QStringLiteral("规格"), 100},
                       {QStringLiteral("Unit"), QStringLiteral("单位"), 50}});
    model->SetRows(productTree());
    // Classes stand out so that marking one is a choice made knowingly.
    model->SetCellStyler([model](int row, const QString&, CellStyle& style) {
        if (model->Value(row, ClassField).toInt() == 1)
            style.font = Qt::blue;
    });
    if (model->rowCount() > 0)
        m_grid->SetCurrentRow(0);

    auto* search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("查找：")));
    search->addWidget(m_filter);
    QHBoxLayout* buttons = ConfirmButtons(QStringLiteral("确定[&O]"), QStringLiteral("取消[&C]"),
                                          [this] { SetModalResult(mrOk); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);

    connect(m_filter, &QLineEdit::textChanged, this, &TPtypeSelectDlg::filterRows);
}

QList<BaseInfoItem> TPtypeSelectDlg::Select(QWidget* parent) {
    TPtypeSelectDlg dialog(parent);
    return dialog.ShowModal() == mrOk ? dialog.Chosen() : QList<BaseInfoItem>();
}

void TPtypeSelectDlg::filterRows() {
    const QString text = m_filter->text().trimmed();
    const TQueryGridModel* model = m_grid->GridModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        const bool match = text.isEmpty() ||
                           model->Text(row, QStringLiteral("UserCode")).contains(text, Qt::CaseInsensitive) ||
                           model->Text(row, QStringLiteral("FullName")).contains(text, Qt::CaseInsensitive);
        m_grid->setRowHidden(row, !match);
    }
}

QList<BaseInfoItem> TPtypeSelectDlg::productsOf(int row) const {
    const TQueryGridModel* model = m_grid->GridModel();
    const auto item = [model](int r) {
        return BaseInfoItem{
            model->Value(r, QStringLiteral("rec")).toInt(), model->Text(r, QStringLiteral("typeId")),
            model->Text(r, QStringLiteral("UserCode")), model->Text(r, QStringLiteral("FullName"))};
    };
    if (model->Value(row, ClassField).toInt() != 1)
        return {item(row)};
    const QString key = model->Text(row, QStringLiteral("typeId"));
    QList<BaseInfoItem> products;
    for (int r = 0; r < model->rowCount(); ++r) {
        if (model->Value(r, ClassField).toInt() != 1 &&
            model->Text(r, QStringLiteral("typeId")).startsWith(key))
            products.append(item(r));
    }
    return products;
}

QList<BaseInfoItem> TPtypeSelectDlg::Chosen() const {
    QList<int> rows = m_grid->GridModel()->MarkedRows();
    if (rows.isEmpty() && m_grid->CurrentRow() >= 0)
        rows.append(m_grid->CurrentRow());
    QList<BaseInfoItem> chosen;
    QSet<int> seen;
    for (int row : rows) {
        for (const BaseInfoItem& product : productsOf(row)) {
            if (!seen.contains(product.rec)) {
                seen.insert(product.rec);
                chosen.append(product);
            }
        }
    }
    return chosen;
}
