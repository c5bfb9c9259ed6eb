#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/VipTypeStamp.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"

#include <QVariantList>
#include <optional>

// Y_InsVipType: inserts a card type (@CTypeId 0) or rewrites a live one with all
// its settings. A caller that read the type passes the change stamp it read in
// @MD, and the type is rewritten only while it still carries that stamp. Returns
// the type's id; -1 when the type to change is gone, -3 when another live type
// already has the name, -4 when the type changed since the caller read it.
namespace {

constexpr int TypeGone = -1;
constexpr int NameTaken = -3;
constexpr int ChangedSinceRead = -4;

bool nameTaken(Database& db, const QString& name, int typeId) {
    return db.scalar(QStringLiteral(
                         "SELECT COUNT(*) FROM viptype WHERE TypeName = ? AND deleted = 0 AND CTypeId <> ?"),
                     {name, typeId})
               .toInt() > 0;
}

// The stamp the caller read the type with; absent for callers that hold no copy of
// it (imports, batch jobs), who rewrite whatever is there.
std::optional<qint64> stampRead(const ProcedureContext& call) {
    if (!call.has(QStringLiteral("@MD")))
        return std::nullopt;
    bool ok = false;
    const qint64 stamp = call.in().Value(QStringLiteral("@MD")).toLongLong(&ok);
    if (!ok)
        throw DbError(QStringLiteral("参数 @MD 必须是整数。"));
    return stamp;
}

// Writes the row. On PostgreSQL another writer may claim the name between the
// check and this write; the unique index then refuses it, and the refusal is the
// same -3 the check gives rather than the server's text.
int writeType(Database& db, int typeId, const QStringList& names, QVariantList values) {
    const QString typeName = values.first().toString();
    try {
        Transaction write(db);
        int id = typeId;
        if (typeId > 0) {
            QStringList assignments;
            for (const QString& name : names)
                assignments.append(name + QStringLiteral(" = ?"));
            values.append(typeId);
            db.execute(QStringLiteral("UPDATE viptype SET %1 WHERE CTypeId = ?")
                           .arg(assignments.join(QStringLiteral(", "))),
                       values);
        } else {
            const QString marks = QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", "));
            id = db.scalar(QStringLiteral("INSERT INTO viptype (%1) VALUES (%2) RETURNING CTypeId")
                               .arg(names.join(QStringLiteral(", ")), marks),
                           values)
                     .toInt();
        }
        write.Commit();
        return id;
    } catch (const DbError&) {
        if (nameTaken(db, typeName, typeId))
            return NameTaken;
        throw;
    }
}

enum class Kind { Text, Int, Float, Flag };

struct Column {
    const char* name; // parameter without "@", and the column of the same name
    Kind kind;
    double low;
    double high;
};

// Every setting the dialog sends, with the range a stored type may hold.
constexpr Column columns[] = {
    {"TypeName", Kind::Text, 1, 20},
    {"Discount", Kind::Float, 0, 100},
    {"Comment", Kind::Text, 0, 50},
    {"CanAllPos", Kind::Flag, 0, 1},
    {"CanUseRemainTotal", Kind::Flag, 0, 1},
    {"ChangeIntegralPos", Kind::Int, -1, INT_MAX},
    {"UseVipDay", Kind::Int, 0, 3},
    {"DayList", Kind::Text, 0, 50},
    {"UseDisAndVipPrice", Kind::Flag, 0, 1},
    {"XIntegral", Kind::Float, 0, 10},
    {"IsSaleLimit", Kind::Flag, 0, 1},
    {"AutoDiscount", Kind::Flag, 0, 1},
    {"automembertotal", Kind::Flag, 0, 1},
    {"AutoIntegral", Kind::Flag, 0, 1},
    {"IfVipPrice", Kind::Flag, 0, 1},
    {"IfVipPriceDisCount", Kind::Flag, 0, 1},
    {"IfPromotionPriceDisCount", Kind::Flag, 0, 1},
    {"vipPriceType", Kind::Int, 0, INT_MAX},
    {"UsePtypeDisCount", Kind::Flag, 0, 1},
    {"EsPriceNotIntegral", Kind::Flag, 0, 1},
    {"vipdayDisCount", Kind::Int, 0, 100},
    {"usebirthday", Kind::Int, 0, 2},
    {"useintegral", Kind::Int, 0, 0},
    {"UseVipPrice", Kind::Flag, 0, 1},
    {"BirthdyDisCount", Kind::Int, 0, 100},
    {"BirthdyXIntegral", Kind::Float, 0, 10},
    {"BirthdyMontyDisCount", Kind::Int, 0, 100},
    {"BirthdyMonthXIntegral", Kind::Float, 0, 10},
    {"MonthDayList", Kind::Text, 0, 200},
    {"RepeatNum", Kind::Int, 0, 99},
    {"IsOnlyJS", Kind::Flag, 0, 1},
    {"IsCZPreferential", Kind::Flag, 0, 1},
    {"IsIntroduceJS", Kind::Flag, 0, 1},
    {"IntroduceJSLimitNum", Kind::Int, 0, 99},
    {"IntroducerJS", Kind::Float, 0, 9999},
    {"NewMemberJS", Kind::Float, 0, 9999},
    {"IntroducerJSPer", Kind::Float, 0, 100},
    {"LimitDays", Kind::Int, 0, 9999},
    {"WeekVIPDayDisCount", Kind::Int, 0, 100},
    {"WeekVIPDayXIntegral", Kind::Float, 0, 10},
    {"WeekVIPDayUseVipPrice", Kind::Flag, 0, 1},
    {"NotVIPDayFlags", Kind::Int, 0, 0xFFFF},
    {"WeekVIPDayUseDis", Kind::Flag, 0, 1},
    {"VIPDayOrder", Kind::Int, 0, 2},
    {"FixedDiscount", Kind::Flag, 0, 1},
    {"FixedIntegral", Kind::Flag, 0, 1},
    {"StepIntegral", Kind::Flag, 0, 1},
    {"PosRange", Kind::Flag, 0, 1},
    {"IsCZService", Kind::Flag, 0, 1},
    {"TimesIntegral", Kind::Flag, 0, 1},
    {"PtypeIntegral", Kind::Flag, 0, 1},
    {"PtypePTIntegral", Kind::Flag, 0, 1},
    {"ClearIntegral", Kind::Flag, 0, 1},
    {"ClearCycle", Kind::Int, 0, 1200},
    {"IntroducerJSgainType", Kind::Int, 0, 1},
    {"IntroducerJSfirstPer", Kind::Float, 0, 100},
    {"CZIntegerType", Kind::Int, 0, 2},
};

QVariant checkedValue(const ProcedureContext& call, const Column& column) {
    const QString param = QLatin1Char('@') + QLatin1String(column.name);
    const auto outOfRange = [&] {
        return DbError(QStringLiteral("会员卡类型的参数 %1 超出允许范围。").arg(param));
    };
    switch (column.kind) {
    case Kind::Text: {
        QString text = call.text(param, static_cast<int>(column.high));
        if (column.low > 0)
            text = text.trimmed();
        if (text.size() < column.low)
            throw outOfRange();
        return text;
    }
    case Kind::Float: {
        const double value = call.number(param);
        if (value < column.low || value > column.high)
            throw outOfRange();
        return value;
    }
    case Kind::Int:
    case Kind::Flag: {
        const int value = call.integer(param);
        if (value < column.low || value > column.high)
            throw outOfRange();
        return value;
    }
    }
    return {};
}

int yInsVipType(ProcedureContext& call) {
    Database& db = call.db();
    const int typeId = call.integer(QStringLiteral("@CTypeId"));
    QStringList names;
    QVariantList values;
    for (const Column& column : columns) {
        names.append(QLatin1String(column.name));
        values.append(checkedValue(call, column));
    }
    const QString typeName = values.first().toString();

    const int changeStore = values[names.indexOf(QStringLiteral("ChangeIntegralPos"))].toInt();
    if (changeStore > 0 &&
        db.scalar(QStringLiteral(
                      "SELECT COUNT(*) FROM posinfo WHERE posid = ? AND ConnectType = 1 AND deleted = 0"),
                  {changeStore})
                .toInt() == 0)
        throw DbError(QStringLiteral("积分兑换门店不存在或不是独立门店。"));
    const int priceMode = values[names.indexOf(QStringLiteral("vipPriceType"))].toInt();
    if (values[names.indexOf(QStringLiteral("IfVipPrice"))].toInt() == 1 &&
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM pricelist WHERE PriceMode = ?"), {priceMode})
                .toInt() == 0)
        throw DbError(QStringLiteral("会员价对应的价格不存在。"));

    if (typeId > 0) {
        // Locked until the save commits (SQLite's write transaction holds the whole
        // database), so the stamp cannot move between this check and the write.
        const QVariant stamp =
            db.scalar(QStringLiteral("SELECT MD FROM viptype WHERE CTypeId = ? AND deleted = 0") +
                          db.dialect().forUpdate(),
                      {typeId});
        if (!stamp.isValid())
            return TypeGone;
        const std::optional<qint64> read = stampRead(call);
        if (read && stamp.toLongLong() != *read)
            return ChangedSinceRead;
    }
    if (nameTaken(db, typeName, typeId))
        return NameTaken;

    const int id = writeType(db, typeId, names, values);
    if (id < 0)
        return id;
    VipTypeStamp::touch(db, id);
    return id;
}

const ProcedureRegistration registration(QStringLiteral("Y_InsVipType"), yInsVipType);

} // namespace
