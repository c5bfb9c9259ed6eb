#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/db/procedures/ETCHeldCard.h"
#include "host/sdk/BitValue.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/VipCodes.h"

#include <QDate>
#include <QDateTime>

// KD_ETCListEdit: writes a coupon card, a new one (@ID 0; its id comes back in @ID)
// or the live card @ID. Returns 0, or -1 with the reason in @RetValue. The card
// takes Flags and VIPType from its type when it is created or moved to another
// type; a type changed later does not change the cards issued before. UsedTotal is
// never written here: it belongs to the use ledger.
namespace {

constexpr int Refused = -1;
const qint64 MaxValue = Money::fromUnits(999999999).raw();
const QDate NoEnd(2050, 1, 1);

struct Input {
    int id = 0, etcId = 0, kind = 0, vipId = 0, userRec = 0, flag = 0;
    QString cardNo, vipCode, posIds, posNames;
    Money total;
    QDate start, end;
};

QDate optionalDate(const ProcedureContext& call, const QString& name) {
    if (!call.has(name))
        return {};
    const QVariant value = call.in().Value(name);
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return value.toDate();
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return {};
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        throw DbError(QStringLiteral("参数 %1 不是有效的日期。").arg(name));
    return date;
}

Input read(const ProcedureContext& call) {
    Input in;
    in.id = call.integer(QStringLiteral("@ID"));
    in.etcId = call.integer(QStringLiteral("@ETCID"));
    in.kind = call.integer(QStringLiteral("@ETCType"));
    in.cardNo = call.text(QStringLiteral("@CardNo"), 60).trimmed();
    in.vipId = call.integer(QStringLiteral("@VIPID"));
    in.vipCode = call.text(QStringLiteral("@VIPCode"), 100).trimmed();
    in.userRec = call.integer(QStringLiteral("@CreateERec"));
    in.flag = call.integer(QStringLiteral("@Flag"));
    in.total = call.money(QStringLiteral("@Total"));
    if (!call.money(QStringLiteral("@UsedTotal")).isZero())
        throw DbError(QStringLiteral("购物卡的已用金额只由使用记录产生。"));
    in.start = optionalDate(call, QStringLiteral("@StartDate"));
    in.end = optionalDate(call, QStringLiteral("@EndDate"));
    in.posIds = call.text(QStringLiteral("@LPosID"), 1000).trimmed();
    in.posNames = call.text(QStringLiteral("@LPosName"), 2000).trimmed();
    if (in.posNames == QLatin1String("全部门店"))
        in.posNames.clear();
    return in;
}

bool numberTaken(Database& db, const QString& cardNo, int id) {
    return db.scalar(
                 QStringLiteral("SELECT COUNT(*) FROM ETCList WHERE CardNo = ? AND deleted = 0 AND ID <> ?"),
                 {cardNo, id})
               .toInt() > 0;
}

QString numberTakenText(const QString& cardNo) {
    return QStringLiteral("卡号[%1]已经存在").arg(cardNo);
}

class Edit {
public:
    Edit(ProcedureContext& call, Input in)
        : m_db(call.db())
        , m_in(std::move(in)) {}

    // The first reason the card cannot be written, empty when it can.
    QString check() {
        if (const QString why = checkType(); !why.isEmpty())
            return why;
        if (m_in.cardNo.isEmpty())
            return QStringLiteral("卡号不能为空");
        if (m_in.total.raw() <= 0 || m_in.total.raw() > MaxValue)
            return QStringLiteral("购物卡的值必须大于0且不超过999999999");
        if (m_in.flag != 0 && m_in.flag != 1)
            return QStringLiteral("购物卡只能保存为未激活或已激活");
        if (const QString why = checkMember(); !why.isEmpty())
            return why;
        if (m_in.id != 0) {
            m_card = ETCHeldCard::hold(m_db, m_in.id);
            if (!m_card)
                return QStringLiteral("购物卡不存在");
            if (m_card->voided())
                return QStringLiteral("已经作废的购物卡不能进行修改");
            if (m_card->everUsed())
                return QStringLiteral("已经使用的购物卡不能进行修改");
            if (m_card->activated() && m_in.flag == 0)
                return QStringLiteral("已经激活的购物卡不能取消激活");
        }
        if (numberTaken(m_db, m_in.cardNo, m_in.id))
            return numberTakenText(m_in.cardNo);
        return {};
    }

    // Writes the card; on PostgreSQL a clerk who took the number since the check
    // is turned away by the unique index, and gets the check's words for it.
    QString write() {
        try {
            Transaction unique(m_db);
            if (m_in.id == 0)
                insert();
            else
                update();
            unique.Commit();
            return {};
        } catch (const DbError&) {
            if (numberTaken(m_db, m_in.cardNo, m_in.id))
                return numberTakenText(m_in.cardNo);
            throw;
        }
    }

    int id() const { return m_in.id; }

private:
    QString checkType() {
        // The type's row is held so a void of the type waits for this card, or this
        // card sees the void: no live card of a voided type slips in between.
        m_db.select(QStringLiteral("SELECT TYPE, Flags, VIPType, VallidityType, VallidityDate, VallidityDay, "
                                   "Enabled FROM ETCType WHERE ID = ?") +
                        m_db.dialect().forUpdate(),
                    {m_in.etcId}, m_type);
        if (m_type.IsEmpty() || typeValue("Enabled") == 0)
            return QStringLiteral("购物卡类型不存在或已经删除");
        if (typeValue("Enabled") == 3)
            return QStringLiteral("购物卡类型已经作废");
        if (typeValue("TYPE") != m_in.kind)
            return QStringLiteral("购物卡类型与卡的种类不符");
        return {};
    }

    QString checkMember() {
        if (m_in.vipId == 0 && m_in.vipCode.isEmpty())
            return {};
        ClientDataSet member;
        if (m_in.vipId != 0)
            m_db.select(
                QStringLiteral("SELECT id, CardNo, CardType FROM vipcard WHERE id = ? AND deleted = 0"),
                {m_in.vipId}, member);
        else
            m_db.select(
                QStringLiteral("SELECT id, CardNo, CardType FROM vipcard WHERE CardNo = ? AND deleted = 0"),
                {m_in.vipCode}, member);
        if (member.IsEmpty())
            return QStringLiteral("会员卡[%1]不存在").arg(m_in.vipCode);
        m_in.vipId = member.FieldByName(QStringLiteral("id")).AsInteger();
        m_in.vipCode = member.FieldByName(QStringLiteral("CardNo")).AsString();
        return ETCHeldCard::memberTypeRefusal(
            typeValue("Flags"), m_type.FieldByName(QStringLiteral("VIPType")).AsString(),
            member.FieldByName(QStringLiteral("CardType")).AsInteger(), m_in.cardNo, m_in.vipCode);
    }

    int typeValue(const char* name) const { return m_type.FieldByName(QLatin1String(name)).AsInteger(); }

    // A type that controls expiry fixes the end: its date, or its number of days
    // from activation (unknown until then). Otherwise the caller's, else no end.
    QDate endDate(QDate start, QDate given) const {
        if (!GetBitValue(typeValue("Flags"), CouponTypeFlag::ExpiryControlled))
            return given.isValid() ? given : NoEnd;
        if (typeValue("VallidityType") == 1)
            return m_type.FieldByName(QStringLiteral("VallidityDate")).AsDate();
        return m_in.flag == 1 ? start.addDays(typeValue("VallidityDay")) : QDate();
    }

    static QVariant dateValue(QDate date) { return date.isValid() ? QVariant(date) : QVariant(); }

    void insert() {
        const QDate start = m_in.start.isValid() || m_in.flag == 0 ? m_in.start : QDate::currentDate();
        m_in.id =
            m_db.scalar(
                    QStringLiteral("INSERT INTO ETCList (ETCID, ETCType, CardNo, VIPID, VIPCode, CreateERec, "
                                   "CreateDate, Flag, Total, StartDate, EndDate, LPosID, LPosName, Flags, "
                                   "VIPType) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) "
                                   "RETURNING ID"),
                    {m_in.etcId, m_in.kind, m_in.cardNo, m_in.vipId, m_in.vipCode, m_in.userRec,
                     QDateTime::currentDateTime(), m_in.flag, QVariant::fromValue(m_in.total),
                     dateValue(start), dateValue(endDate(start, m_in.end)), m_in.posIds, m_in.posNames,
                     typeValue("Flags"), m_type.FieldByName(QStringLiteral("VIPType")).AsString()})
                .toInt();
    }

    void update() {
        const bool newType = m_card->etcId != m_in.etcId;
        const QDate start = m_in.start.isValid() || m_in.flag == 0 ? m_in.start : QDate::currentDate();
        // The same type keeps the end the card was given; another type brings its own.
        const QDate given = m_in.end.isValid() ? m_in.end : m_card->endDate;
        const QDate end = newType || (m_in.flag == 1 && !m_card->activated()) ? endDate(start, given) : given;
        QString sql =
            QStringLiteral("UPDATE ETCList SET ETCID = ?, ETCType = ?, CardNo = ?, VIPID = ?, VIPCode = ?, "
                           "Flag = ?, Total = ?, StartDate = ?, EndDate = ?, LPosID = ?, LPosName = ?");
        QVariantList values = {m_in.etcId,
                               m_in.kind,
                               m_in.cardNo,
                               m_in.vipId,
                               m_in.vipCode,
                               m_in.flag,
                               QVariant::fromValue(m_in.total),
                               dateValue(start),
                               dateValue(end),
                               m_in.posIds,
                               m_in.posNames};
        if (newType) {
            sql += QStringLiteral(", Flags = ?, VIPType = ?");
            values << typeValue("Flags") << m_type.FieldByName(QStringLiteral("VIPType")).AsString();
        }
        values << m_in.id;
        m_db.execute(sql + QStringLiteral(" WHERE ID = ?"), values);
    }

    Database& m_db;
    Input m_in;
    ClientDataSet m_type;
    std::optional<ETCHeldCard> m_card;
};

int kdEtcListEdit(ProcedureContext& call) {
    Edit edit(call, read(call));
    QString why = edit.check();
    if (why.isEmpty())
        why = edit.write();
    call.setOutput(QStringLiteral("@RetValue"), why);
    if (!why.isEmpty())
        return Refused;
    call.setOutput(QStringLiteral("@ID"), edit.id());
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCListEdit"), kdEtcListEdit);

} // namespace
