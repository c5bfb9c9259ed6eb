#include "vip/members/TfrmVipCardImport.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

MemberCardImport importer() {
    const TComVar& session = Ucomvar();
    return MemberCardImport(dmClient(), session.lPublicPosid, session.nLoginUserRec);
}

} // namespace

TfrmVipCardImport::TfrmVipCardImport(MemberCardImport::File file, QWidget* parent)
    : TBaseDialog(parent)
    , m_file(std::move(file))
    , m_summary(new QLabel)
    , m_grid(new QTableWidget) {
    setObjectName(QStringLiteral("frmVipCardImport"));
    setWindowTitle(QStringLiteral("会员卡信息导入"));
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_grid->setObjectName(QStringLiteral("sgPreview"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setColumnCount(5);
    m_grid->setHorizontalHeaderLabels({QStringLiteral("行号"), QStringLiteral("会员卡号"),
                                       QStringLiteral("持卡人"), QStringLiteral("持卡类型"),
                                       QStringLiteral("检查结果")});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_grid, 1);
    layout->addLayout(
        ConfirmButtons(QStringLiteral("导入[&Y]"), QStringLiteral("取消[&X]"), [this] { OnImport(); }));
    fillPreview(importer().Run(m_file, false));
}

void TfrmVipCardImport::fillPreview(const MemberCardImport::Outcome& outcome) {
    QHash<int, QString> reasons;
    for (const MemberCardImport::Refusal& refusal : outcome.refused)
        reasons.insert(refusal.line, refusal.reason);
    m_grid->setRowCount(int(m_file.rows.size()));
    for (int row = 0; row < m_file.rows.size(); ++row) {
        const MemberCardImport::Row& line = m_file.rows.at(row);
        const QStringList cells = {QString::number(line.line), line.values.value(QStringLiteral("会员卡号")),
                                   line.values.value(QStringLiteral("持卡人")),
                                   line.values.value(QStringLiteral("持卡类型")),
                                   reasons.value(line.line, QStringLiteral("可以导入"))};
        for (int column = 0; column < cells.size(); ++column)
            m_grid->setItem(row, column, new QTableWidgetItem(cells.at(column)));
        if (reasons.contains(line.line))
            m_grid->item(row, 4)->setForeground(Qt::red);
    }
    QString summary = QStringLiteral("共 %1 行：可以导入 %2 行，不能导入 %3 行。")
                          .arg(m_file.rows.size())
                          .arg(outcome.imported)
                          .arg(outcome.refused.size());
    if (!m_file.ignoredColumns.isEmpty())
        summary += QStringLiteral("忽略的列：%1。").arg(m_file.ignoredColumns.join(QStringLiteral("、")));
    m_summary->setText(summary);
    if (auto* confirm = findChild<QPushButton*>(QStringLiteral("btnOK")))
        confirm->setEnabled(outcome.imported > 0);
}

void TfrmVipCardImport::OnImport() {
    const MemberCardImport::Outcome outcome = importer().Run(m_file, true);
    m_imported = outcome.imported;
    QString text = QStringLiteral("已导入会员卡 %1 张。").arg(outcome.imported);
    for (const MemberCardImport::Refusal& refusal : outcome.refused)
        text +=
            QStringLiteral("\n第%1行 会员卡号[%2]：%3").arg(refusal.line).arg(refusal.cardNo, refusal.reason);
    ShowMsg(text);
    SetModalResult(mrOk);
}
