#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/PinyinInitials.h"
#include "host/db/procedures/VipPointsLedger.h"
#include "host/sdk/Cncalendar.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"

#include <QDate>

// Y_InsVipCard: writes a member card, "I" a new one (its creation row in the points
// ledger with it) or "U" a live one found by @cardid, or deletes ("D") the live card
// numbered @CardNo (CardDeleteRefusal says why not). Returns the card's id; -1 when
// the card to change is gone, -2 when the holder's telephone or identity number
// already holds as many live cards of the type as the type's RepeatNum allows, -3
// when another live card has the number, -4 the bar code, -5 when the caller passes
// the IsUse it read (@IsUse) and the card changed since. Every change moves IsUse.
// Balances are not written here: points go through the ledger, stored value through
// Y_InsVipCardCz.
namespace {

constexpr int CardGone = -1;
constexpr int RepeatLimit = -2;
constexpr int NumberTaken = -3;
constexpr int BarCodeTaken = -4;
constexpr int ChangedSinceRead = -5;

QDate dateParam(const ProcedureContext& call, const QString& name, bool required) {
    const QVariant value = call.in().Value(name);
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return value.toDate();
    const QString text = call.text(name).trimmed();
    if (text.isEmpty() && !required)
        return {};
    QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        date = QDate::fromString(text.left(10), QStringLiteral("yyyy/MM/dd"));
    if (!date.isValid())
        throw DbError(QStringLiteral("参数 %1 不是有效的日期。").arg(name));
    return date;
}

// A lunar birthday "yyyy-mm-dd" that may exist, month and day padded.
bool validLunar(const QString& text) {
    if (text.size() != 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return false;
    bool okYear = false, okMonth = false, okDay = false;
    const int year = text.left(4).toInt(&okYear);
    const int month = text.mid(5, 2).toInt(&okMonth);
    const int day = text.mid(8, 2).toInt(&okDay);
    if (!okYear || !okMonth || !okDay || month < 1 || month > 12 || day < 1 || day > 30)
        return false;
    // The text does not say which of a doubled month it means; either may hold the day.
    // A year the calendar does not cover is taken as typed: its solar date is kept as
    // the first day of the date system.
    const int days = qMax(Cncalendar::GetLunarMonthDays(year, month, false),
                          Cncalendar::GetLunarMonthDays(year, month, true));
    return days == 0 || days >= day;
}

int count(Database& db, const QString& where, const QVariantList& params) {
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE deleted = 0 AND ") + where, params)
        .toInt();
}

bool numberTaken(Database& db, const QString& cardNo, int cardId) {
    return count(db, QStringLiteral("CardNo = ? AND id <> ?"), {cardNo, cardId}) > 0;
}

bool barCodeTaken(Database& db, const QString& barCode, int cardId) {
    return !barCode.isEmpty() &&
           count(db, QStringLiteral("VIPBarCode = ? AND id <> ?"), {barCode, cardId}) > 0;
}

// The type's repeat-issue limit, with the type's row held so that two clerks
// issuing cards of the type to one holder at the same moment are counted one
// after the other.
bool overRepeatLimit(Database& db, int typeId, const QString& tel, const QString& identity, int cardId) {
    const QString readLimit = QStringLiteral("SELECT RepeatNum FROM viptype WHERE CTypeId = ?");
    if ((tel.isEmpty() && identity.isEmpty()) || db.scalar(readLimit, {typeId}).toInt() <= 0)
        return false;
    // Types without a limit issue in parallel; only a limited one holds its row.
    const int limit = db.scalar(readLimit + db.dialect().forUpdate(), {typeId}).toInt();
    if (limit <= 0)
        return false;
    QStringList holder;
    QVariantList params = {typeId, cardId};
    if (!tel.isEmpty()) {
        holder.append(QStringLiteral("Tel = ?"));
        params.append(tel);
    }
    if (!identity.isEmpty()) {
        holder.append(QStringLiteral("IdentityCard = ?"));
        params.append(identity);
    }
    return count(db,
                 QStringLiteral("CardType = ? AND id <> ? AND (%1)").arg(holder.join(QStringLiteral(" OR "))),
                 params) >= limit;
}

bool exists(Database& db, const QString& sql, int id) {
    return db.scalar(sql, {id}).toInt() > 0;
}

struct Card {
    QString cardNo, name, pinyinInitials, tel, address, comment, identity, email, mediFeedback, caseText,
        barCode, birthday, birthdayCN, cardGuid;
    int cardType = 0, btypeId = 0, isLife = 0, introducerId = 0, posId = 0, userRec = 0, activePosId = -1;
    double discount = 100;
    QDate bulidDate, validityDate;
    int lose = 0, stopUse = 0, autoDiscount = 0, autoMemberTotal = 0, autoOneOff = 0, autoIntegral = 0,
        sex = 0, birthType = 0, leapMonth = 0;
    Money buyTotal;
    int ljIntegral = 0;
};

int zeroOrOne(const ProcedureContext& call, const QString& name) {
    return call.flag(name) ? 1 : 0;
}

Card read(ProcedureContext& call) {
    Database& db = call.db();
    Card c;
    c.cardNo = call.text(QStringLiteral("@CardNo"), 30).trimmed();
    if (c.cardNo.isEmpty())
        throw DbError(QStringLiteral("会员卡号不能为空。"));
    c.name = call.text(QStringLiteral("@Name"), 50).trimmed();
    // Worked out here, so every way a card is written keeps it for the search.
    c.pinyinInitials = PinyinInitials::of(c.name);
    c.tel = call.text(QStringLiteral("@Tel"), 40).trimmed();
    c.address = call.text(QStringLiteral("@Address"), 50);
    c.comment = call.text(QStringLiteral("@Comment"), 200);
    c.cardType = call.integer(QStringLiteral("@CardType"));
    if (!exists(db, QStringLiteral("SELECT COUNT(*) FROM viptype WHERE CTypeId = ? AND deleted = 0"),
                c.cardType))
        throw DbError(QStringLiteral("会员卡类型不存在。"));
    c.discount = call.number(QStringLiteral("@Discount"));
    if (c.discount < 0 || c.discount > 100)
        throw DbError(QStringLiteral("折扣必须在 0 到 100 之间。"));
    c.bulidDate = dateParam(call, QStringLiteral("@BulidDate"), true);
    c.validityDate = dateParam(call, QStringLiteral("@ValidityDate"), true);
    c.lose = zeroOrOne(call, QStringLiteral("@Lose"));
    c.stopUse = zeroOrOne(call, QStringLiteral("@StopUse"));
    c.autoDiscount = zeroOrOne(call, QStringLiteral("@AutoDiscount"));
    c.autoMemberTotal = zeroOrOne(call, QStringLiteral("@AutoMemberTotal"));
    c.autoOneOff = zeroOrOne(call, QStringLiteral("@AutoOneOff"));
    c.autoIntegral = zeroOrOne(call, QStringLiteral("@AutoIntegral"));
    c.sex = zeroOrOne(call, QStringLiteral("@Sex"));
    const QDate birthday = dateParam(call, QStringLiteral("@Birthday"), false);
    c.birthday = birthday.isValid() ? birthday.toString(QStringLiteral("yyyy-MM-dd")) : QString();
    c.identity = call.text(QStringLiteral("@Identitycard"), 18).trimmed();
    c.email = call.text(QStringLiteral("@Email"), 60);
    c.mediFeedback = call.text(QStringLiteral("@MediFeedBack"), 200);
    c.caseText = call.text(QStringLiteral("@case"), 200);
    for (const char* unused : {"@buliddate1", "@validitydate1", "@searchdate", "@searchdate1"})
        call.text(QLatin1String(unused));
    c.cardGuid = call.text(QStringLiteral("@cardid"), 40).trimmed();
    c.btypeId = call.integer(QStringLiteral("@BRec"));
    if (c.btypeId > 0 &&
        !exists(db, QStringLiteral("SELECT COUNT(*) FROM btype WHERE rec = ? AND deleted = 0"), c.btypeId))
        throw DbError(QStringLiteral("往来单位不存在。"));
    c.isLife = zeroOrOne(call, QStringLiteral("@IsLife"));
    c.barCode = call.text(QStringLiteral("@VIPBarCode"), 60).trimmed();
    c.introducerId = call.integer(QStringLiteral("@JSVIPCardID"));
    c.posId = call.integer(QStringLiteral("@PosID"));
    c.userRec = call.integer(QStringLiteral("@ERec"));
    c.activePosId = call.integer(QStringLiteral("@ActivePosId"));
    if (c.activePosId > 0 &&
        !exists(db, QStringLiteral("SELECT COUNT(*) FROM posinfo WHERE posid = ? AND deleted = 0"),
                c.activePosId))
        throw DbError(QStringLiteral("发卡门店不存在。"));
    c.activePosId = qMax(c.activePosId, -1);
    c.birthType = zeroOrOne(call, QStringLiteral("@BirthType"));
    c.birthdayCN = call.text(QStringLiteral("@BirthdayCN"), 10).trimmed();
    if (!c.birthdayCN.isEmpty() && !validLunar(c.birthdayCN))
        throw DbError(QStringLiteral("农历生日 %1 不是有效的日期。").arg(c.birthdayCN));
    if (c.birthType == 1 && c.birthdayCN.isEmpty() && !c.birthday.isEmpty())
        throw DbError(QStringLiteral("按农历登记的生日缺少农历日期。"));
    c.leapMonth = zeroOrOne(call, QStringLiteral("@IsLeapMonth"));
    c.buyTotal = call.money(QStringLiteral("@BuyTotal"));
    c.ljIntegral = call.integer(QStringLiteral("@ljIntegral"));
    if (c.buyTotal < Money() || c.ljIntegral < 0)
        throw DbError(QStringLiteral("累计消费和累计积分不能小于 0。"));
    return c;
}

// The first check a card fails, 0 when it passes.
int refusal(Database& db, const Card& c, int cardId) {
    if (overRepeatLimit(db, c.cardType, c.tel, c.identity, cardId))
        return RepeatLimit;
    if (numberTaken(db, c.cardNo, cardId))
        return NumberTaken;
    if (barCodeTaken(db, c.barCode, cardId))
        return BarCodeTaken;
    return 0;
}

// Runs a write that the unique indexes guard. On PostgreSQL a second clerk may take
// the number or bar code between the check and the write; the index then refuses
// it and the refusal is the same code the check gives rather than the server's text.
template <typename Write> int guarded(Database& db, const Card& c, int cardId, Write write) {
    try {
        Transaction unique(db);
        const int id = write();
        unique.Commit();
        return id;
    } catch (const DbError&) {
        if (numberTaken(db, c.cardNo, cardId))
            return NumberTaken;
        if (barCodeTaken(db, c.barCode, cardId))
            return BarCodeTaken;
        throw;
    }
}

QVariantList columnValues(const Card& c) {
    return {
        c.cardNo,          c.barCode,      c.name,         c.tel,          c.address,       c.identity,
        c.email,           c.sex,          c.birthday,     c.birthdayCN,   c.birthType,     c.leapMonth,
        c.comment,         c.mediFeedback, c.caseText,     c.cardType,     c.discount,      c.autoDiscount,
        c.autoMemberTotal, c.autoOneOff,   c.autoIntegral, c.bulidDate,    c.validityDate,  c.lose,
        c.stopUse,         c.isLife,       c.btypeId,      c.introducerId, c.pinyinInitials};
}

const QString columnNames = QStringLiteral(
    "CardNo, VIPBarCode, Name, Tel, Address, IdentityCard, \"E-Mail\", sex, Birthday, BirthdayCN, BirthType, "
    "IsLeapMonth, Comment, MediFeedback, \"Case\", CardType, Discount, AutoDiscount, AutoMemberTotal, "
    "AutoOneOff, AutoIntegral, BulidDate, ValidityDate, Lose, StopUse, IsLife, btypeid, JSVIPCardID, PYZJM");

int insertCard(ProcedureContext& call, const Card& c) {
    Database& db = call.db();
    if (!c.cardGuid.startsWith(QLatin1Char('{')) || !c.cardGuid.endsWith(QLatin1Char('}')) ||
        c.cardGuid.size() < 3)
        throw DbError(QStringLiteral("新会员卡缺少卡标识。"));
    if (c.introducerId != 0 &&
        !exists(db, QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE id = ? AND deleted = 0"),
                c.introducerId))
        throw DbError(QStringLiteral("介绍人的会员卡不存在。"));
    if (const int refused = refusal(db, c, 0))
        return refused;
    const int id = guarded(db, c, 0, [&] {
        QVariantList values = columnValues(c);
        values << c.cardGuid << c.activePosId << c.posId << c.userRec << QVariant::fromValue(c.buyTotal);
        return db
            .scalar(
                QStringLiteral(
                    "INSERT INTO vipcard (%1, cardid, ActivatePosId, CreatePosId, Creator, buyTotal) "
                    "VALUES (%2) RETURNING id")
                    .arg(columnNames, QStringList(values.size(), QStringLiteral("?")).join(QLatin1Char(','))),
                values)
            .toInt();
    });
    if (id < 0)
        return id;
    VipPointsLedger::post(db, {.cardId = id,
                               .changeType = PointsChange::CardCreated,
                               .points = c.ljIntegral,
                               .memo = QStringLiteral("新建会员卡[%1]").arg(c.cardNo),
                               .offerCardId = 0,
                               .total = Money(),
                               .posId = c.posId,
                               .userRec = c.userRec});
    return id;
}

int updateCard(ProcedureContext& call, const Card& c) {
    Database& db = call.db();
    ClientDataSet held;
    db.select(QStringLiteral("SELECT id, IsUse, IsLife FROM vipcard WHERE cardid = ? AND deleted = 0") +
                  db.dialect().forUpdate(),
              {c.cardGuid}, held);
    if (held.IsEmpty())
        return CardGone;
    const int id = held.FieldByName(QStringLiteral("id")).AsInteger();
    if (call.has(QStringLiteral("@IsUse")) &&
        call.integer(QStringLiteral("@IsUse")) != held.FieldByName(QStringLiteral("IsUse")).AsInteger())
        return ChangedSinceRead;
    if (c.introducerId == id ||
        (c.introducerId != 0 &&
         !exists(db, QStringLiteral("SELECT COUNT(*) FROM vipcard WHERE id = ? AND deleted = 0"),
                 c.introducerId)))
        throw DbError(QStringLiteral("介绍人的会员卡不存在。"));
    if (const int refused = refusal(db, c, id))
        return refused;
    // The issuing store is the one the card was first activated in.
    const bool wasActive = held.FieldByName(QStringLiteral("IsLife")).AsInteger() > 0;
    return guarded(db, c, id, [&] {
        QStringList assignments;
        for (const QString& name : columnNames.split(QStringLiteral(", ")))
            assignments.append(name + QStringLiteral(" = ?"));
        QVariantList values = columnValues(c);
        if (!wasActive) {
            assignments.append(QStringLiteral("ActivatePosId = ?"));
            values.append(c.activePosId);
        }
        values.append(id);
        db.execute(QStringLiteral("UPDATE vipcard SET %1, IsUse = IsUse + 1 WHERE id = ?")
                       .arg(assignments.join(QStringLiteral(", "))),
                   values);
        return id;
    });
}

// A deleted card keeps its rows for the histories. Stored value it still holds
// would vanish from the chain's books, so such a card stays; so does one that live
// coupon cards are bound to (voided ones no longer count). Services and WeChat
// bindings have no tables in this database yet; their refusals are reserved in
// CardDeleteRefusal for when they come.
int deleteCard(ProcedureContext& call) {
    Database& db = call.db();
    const QString cardNo = call.text(QStringLiteral("@CardNo"), 30).trimmed();
    call.integer(QStringLiteral("@PosID"));
    call.integer(QStringLiteral("@ERec"));
    ClientDataSet held;
    db.select(QStringLiteral("SELECT id, Cz00, Cz FROM vipcard WHERE CardNo = ? AND deleted = 0") +
                  db.dialect().forUpdate(),
              {cardNo}, held);
    if (held.IsEmpty())
        return CardDeleteRefusal::Gone;
    if (held.FieldByName(QStringLiteral("Cz00")).AsLargeInt() != 0 ||
        held.FieldByName(QStringLiteral("Cz")).AsLargeInt() != 0)
        return CardDeleteRefusal::HoldsStoredValue;
    const int id = held.FieldByName(QStringLiteral("id")).AsInteger();
    if (db.scalar(
              QStringLiteral("SELECT COUNT(*) FROM ETCList WHERE VIPID = ? AND deleted = 0 AND Flag <> 3"),
              {id})
            .toInt() > 0)
        return CardDeleteRefusal::CouponCardsBound;
    db.execute(QStringLiteral("UPDATE vipcard SET deleted = 1, IsUse = IsUse + 1 WHERE id = ?"), {id});
    return id;
}

int yInsVipCard(ProcedureContext& call) {
    const QString editType = call.text(QStringLiteral("@EditType")).trimmed().toUpper();
    if (editType == QLatin1String("D"))
        return deleteCard(call);
    if (editType != QLatin1String("I") && editType != QLatin1String("U"))
        throw DbError(QStringLiteral("会员卡写入方式 %1 无效。").arg(editType));
    const Card card = read(call);
    return editType == QLatin1String("I") ? insertCard(call, card) : updateCard(call, card);
}

const ProcedureRegistration registration(QStringLiteral("Y_InsVipCard"), yInsVipCard);

} // namespace
