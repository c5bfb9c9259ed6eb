#include "vip/frame/TPosMultSel.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/TStringList.h"

#include <QHash>

namespace {

const QString StoreIdField = QStringLiteral("posid");

QHash<int, QString> storeNames() {
    ClientDataSet rows;
    dmClient().OpenSQL(QStringLiteral("SELECT posid, PosName FROM posinfo"), rows);
    QHash<int, QString> names;
    for (; !rows.Eof(); rows.Next())
        names.insert(rows.FieldByName(StoreIdField).AsInteger(),
                     rows.FieldByName(QStringLiteral("PosName")).AsString());
    return names;
}

} // namespace

TPosMultSel::TPosMultSel(QWidget* parent)
    : TMultSelQuery(QStringLiteral("选择全部门店[A]"), parent) {
    setWindowTitle(QStringLiteral("选择门店"));
}

QString TPosMultSel::KeyField() const {
    return StoreIdField;
}

QString TPosMultSel::ChosenListParam() const {
    return QStringLiteral("@PosList");
}

void TPosMultSel::SetGrid() {
    AddGridColumn(QStringLiteral("SelName"), QStringLiteral("选择"), 40);
    AddGridColumn(QStringLiteral("PosCode"), QStringLiteral("编号"), 80);
    AddGridColumn(QStringLiteral("PosName"), QStringLiteral("名称"), 200);
}

void TPosMultSel::InitParamList() {
    TMultSelQuery::InitParamList();
    // Callers pass the card type as id or text, or not at all; the list counts
    // cards by id, and 0 matches none.
    Params().Add(QStringLiteral("@viptype"), Params().AsInteger(QStringLiteral("@viptype")));
    Params().Add(QStringLiteral("@ExceptPosID"), ExcludedStore());
}

TStringList TPosMultSel::MarkedStoreLines() const {
    const QHash<int, QString> names = storeNames();
    TStringList lines;
    for (int row = 0; row < RowCount(); ++row) {
        if (!IsMarked(row))
            continue;
        const int id = GDataVar(StoreIdField, row).toInt();
        lines.Add(QStringLiteral("%1=%2").arg(id).arg(names.value(id)));
    }
    return lines;
}

void TPosMultSel::Confirm() {
    if (!AllChecked()) {
        if (!RequireMarked(QStringLiteral("必须选择至少一个门店。")) || !keepsStoredValueStores() ||
            !keepsRealTimeStore())
            return;
    }
    const TStringList lines = MarkedStoreLines();
    if (!lines.IsEmpty()) {
        const QString text = lines.Text();
        Params().Add(QStringLiteral("@Sel"), QStringLiteral("1"));
        // Callers of this picker take "all stores" from the lines, never from the flag.
        Params().Add(QStringLiteral("@CanAllPos"), 0);
        Params().Add(QStringLiteral("@PosList"), text);
        Params().Add(QStringLiteral("@PosNameList"),
                     QString(text).replace(QLatin1Char('\r'), QLatin1Char(',')));
    }
    SetModalResult(mrOk);
}

bool TPosMultSel::keepsStoredValueStores() {
    // Row 0 doubles as "nothing found" in this search, so an unmarked store in the
    // first row passes. The store lists saved so far were all checked this way.
    int found = 0;
    for (int row = 0; row < RowCount(); ++row) {
        if (!IsMarked(row) && GDataVar(QStringLiteral("poscount"), row).toInt() > 0) {
            found = row;
            break;
        }
    }
    if (found == 0)
        return true;
    const int id = GDataVar(StoreIdField, found).toInt();
    ShowMsg(storeNames().value(id) + QStringLiteral("门店已经被指储值适用门店应用，不允许删除。"),
            QStringLiteral("提示"));
    return false;
}

bool TPosMultSel::keepsRealTimeStore() {
    bool anyRealTime = false;
    for (int row = 0; row < RowCount(); ++row) {
        if (GDataVar(QStringLiteral("poscount1"), row).toInt() <= 0)
            continue;
        if (IsMarked(row))
            return true;
        anyRealTime = true;
    }
    if (!anyRealTime)
        return true;
    ShowMsg(QStringLiteral("至少保留一个实时门店，不允许删除全部实时门店。"), QStringLiteral("提示"));
    return false;
}
