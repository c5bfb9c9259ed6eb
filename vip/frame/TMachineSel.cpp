#include "vip/frame/TMachineSel.h"

#include "host/sdk/TStringList.h"

TMachineSel::TMachineSel(QWidget* parent)
    : TMultSelQuery(QStringLiteral("选择全部POS机[A]"), parent) {
    setWindowTitle(QStringLiteral("选择POS机"));
}

QString TMachineSel::KeyField() const {
    return QStringLiteral("MachineId");
}

QString TMachineSel::ChosenListParam() const {
    return QStringLiteral("@MachineList");
}

void TMachineSel::SetGrid() {
    AddGridColumn(QStringLiteral("SelName"), QStringLiteral("选择"), 40);
    AddGridColumn(QStringLiteral("MachineCode"), QStringLiteral("编号"), 70);
    AddGridColumn(QStringLiteral("MachineName"), QStringLiteral("名称"), 130);
    AddGridColumn(QStringLiteral("PosName"), QStringLiteral("门店"), 100);
}

void TMachineSel::Confirm() {
    if (!AllChecked() && !RequireMarked(QStringLiteral("必须选择至少一个Pos机。")))
        return;
    TStringList lines;
    for (int row = 0; row < RowCount(); ++row) {
        if (IsMarked(row))
            lines.Add(GData(KeyField(), row) + QLatin1Char('=') + GData(QStringLiteral("MachineName"), row));
    }
    if (!lines.IsEmpty()) {
        const QString text = lines.Text();
        Params().Add(QStringLiteral("@MachineList"), text);
        Params().Add(QStringLiteral("@MachineNameList"),
                     QString(text).replace(QLatin1Char('\r'), QLatin1Char(',')));
    }
    SetModalResult(mrOk);
}
