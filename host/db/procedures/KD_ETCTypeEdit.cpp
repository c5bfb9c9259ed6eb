#include "host/data/Database.h"
#include "host/data/StoredProcedure.h"
#include "host/sdk/BitValue.h"
#include "host/sdk/ClientDataSet.h"
#include "host/sdk/VipCodes.h"

#include <QDate>
#include <QDateTime>
#include <optional>

// KD_ETCTypeEdit: inserts a coupon type (@ID 0) or rewrites a type in use. Returns
// 0 and the type's id in the output @ID; a refusal returns a negative code with its
// text in @RetValue and writes nothing. Everything the caller sends is checked
// again: the name, the kind (an existing type keeps its own), the value and the
// limits, the member card types and stores (each must exist; the store names are
// read here), the expiry, and the state of an existing type. The flag bits that
// follow the values (8 to 11, 13) are set here from the values.
namespace {

enum Refusal {
    NameMissing = -1,
    KindInvalid = -2,
    ValueInvalid = -3,
    LimitInvalid = -4,
    TypeGone = -5,
    TypeClosed = -6,
    MemberTypesInvalid = -7,
    ExpiryInvalid = -8,
    StoresInvalid = -9,
};

constexpr qint64 LargestAmount = 999999999LL * Money::Scale;

int refuse(ProcedureContext& call, int code, const QString& text) {
    call.setOutput(QStringLiteral("@RetValue"), text);
    return code;
}

// "3,7,12" as ids; empty text is no ids, anything but whole numbers above 0 is nothing.
std::optional<QList<int>> idList(const QString& text) {
    QList<int> ids;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int id = part.trimmed().toInt(&ok);
        if (!ok || id <= 0)
            return std::nullopt;
        if (!ids.contains(id))
            ids.append(id);
    }
    return ids;
}

QString joined(const QList<int>& ids) {
    QStringList parts;
    for (int id : ids)
        parts.append(QString::number(id));
    return parts.join(QLatin1Char(','));
}

QString valueMissingText(int kind, bool amount) {
    if (kind == CouponKind::CashCoupon)
        return QStringLiteral("必须录入金额");
    if (kind == CouponKind::DiscountCard)
        return QStringLiteral("必须录入折扣");
    return amount ? QStringLiteral("必须录入优惠金额") : QStringLiteral("必须录入优惠范围");
}

// The live stores' names in the order of the ids; empty when one of them is gone.
std::optional<QStringList> storeNames(Database& db, const QList<int>& ids) {
    QStringList names;
    for (int id : ids) {
        const QVariant name =
            db.scalar(QStringLiteral("SELECT PosName FROM posinfo WHERE posid = ? AND deleted = 0"), {id});
        if (!name.isValid())
            return std::nullopt;
        names.append(name.toString());
    }
    return names;
}

int kdETCTypeEdit(ProcedureContext& call) {
    using namespace CouponTypeFlag;
    Database& db = call.db();
    const int id = call.integer(QStringLiteral("@ID"));
    int kind = call.integer(QStringLiteral("@TYPE"));
    const QString name = call.text(QStringLiteral("@NAME"), 60).trimmed();
    const QString comment = call.text(QStringLiteral("@Comment"), 255);
    int flags = call.integer(QStringLiteral("@Flags"));
    const Money saleStart = call.money(QStringLiteral("@SaleStart"));
    const int useCount = call.integer(QStringLiteral("@UseCount"));
    const int useLimit = call.integer(QStringLiteral("@UseLimit"));
    const Money value = call.money(QStringLiteral("@RangLimit"));
    const QString memberTypesText = call.text(QStringLiteral("@VIPType"));
    const int expiryType = call.integer(QStringLiteral("@VallidityType"));
    const QDate expiryDate = call.in().Value(QStringLiteral("@VallidityDate")).toDate();
    const int expiryDays = call.integer(QStringLiteral("@VallidityDay"));
    const int userId = call.integer(QStringLiteral("@UserID"));
    const QString storeText = call.text(QStringLiteral("@LPosID"));
    const int pointsRule = call.integer(QStringLiteral("@IntegerType"));

    if (name.isEmpty())
        return refuse(call, NameMissing, QStringLiteral("名称不能为空"));
    if (id != 0) {
        ClientDataSet type;
        db.select(QStringLiteral("SELECT TYPE, Enabled FROM ETCType WHERE ID = ?") + db.dialect().forUpdate(),
                  {id}, type);
        if (type.IsEmpty() ||
            type.FieldByName(QStringLiteral("Enabled")).AsInteger() == CouponTypeState::Deleted)
            return refuse(call, TypeGone, QStringLiteral("该购物卡类型不存在或已经删除"));
        if (type.FieldByName(QStringLiteral("Enabled")).AsInteger() == CouponTypeState::Voided)
            return refuse(call, TypeClosed, QStringLiteral("该购物卡类型已经作废，不能修改"));
        // Cards already issued carry the type's kind.
        if (type.FieldByName(QStringLiteral("TYPE")).AsInteger() != kind)
            return refuse(call, KindInvalid, QStringLiteral("不能修改购物卡类型的种类"));
    }
    if (kind != CouponKind::CashCoupon && kind != CouponKind::DiscountCard &&
        kind != CouponKind::PreferentialCoupon)
        return refuse(call, KindInvalid, QStringLiteral("购物卡类型无效"));

    const bool amount = kind == CouponKind::PreferentialCoupon && GetBitValue(flags, PreferentialAmount);
    if (value.raw() <= 0)
        return refuse(call, ValueInvalid, valueMissingText(kind, amount));
    if (kind == CouponKind::PreferentialCoupon && !amount && value > Money::fromUnits(100))
        return refuse(call, ValueInvalid, QStringLiteral("优惠比例不能大于100"));
    if (value.raw() > LargestAmount)
        return refuse(call, ValueInvalid, QStringLiteral("数值不能大于999999999"));
    if (saleStart.raw() < 0 || saleStart.raw() > LargestAmount)
        return refuse(call, LimitInvalid, QStringLiteral("消费起点必须在 0 到 999999999 之间"));
    if (useCount < 0)
        return refuse(call, LimitInvalid, QStringLiteral("使用次数限制不能小于0"));
    if (useLimit < 1)
        return refuse(call, LimitInvalid, QStringLiteral("使用张数限制不能小于1"));
    if (pointsRule < 0 || pointsRule > 2)
        return refuse(call, LimitInvalid, QStringLiteral("积分设置无效"));

    const std::optional<QList<int>> memberTypes = idList(memberTypesText);
    if (!memberTypes)
        return refuse(call, MemberTypesInvalid, QStringLiteral("许可会员类型无效"));
    if (GetBitValue(flags, MemberTypes)) {
        if (memberTypes->isEmpty())
            return refuse(call, MemberTypesInvalid, QStringLiteral("许可会员类型不能为空"));
        for (int type : *memberTypes) {
            if (!db.scalar(QStringLiteral("SELECT CTypeId FROM viptype WHERE CTypeId = ? AND deleted = 0"),
                           {type})
                     .isValid())
                return refuse(call, MemberTypesInvalid,
                              QStringLiteral("许可会员类型中有已经删除的会员卡类型"));
        }
    }

    const QDate today = QDate::currentDate();
    const QDate lastDay(CouponExpiry::LastYear, CouponExpiry::LastMonth, CouponExpiry::LastDay);
    QVariant storedDate; // NULL while expiry is not controlled
    int storedDays = 0;
    int storedExpiryType = CouponExpiry::DaysAfterActivation;
    if (GetBitValue(flags, ExpiryControlled)) {
        if (expiryType == CouponExpiry::DaysAfterActivation) {
            if (expiryDays <= 0)
                return refuse(call, ExpiryInvalid, QStringLiteral("生效后天数设置不能为0"));
            if (expiryDays > today.daysTo(lastDay))
                return refuse(call, ExpiryInvalid, QStringLiteral("生效后天数设置过大，不能保存"));
            storedDays = expiryDays;
            storedDate = today.addDays(expiryDays);
        } else if (expiryType == CouponExpiry::UntilDate) {
            if (!expiryDate.isValid() || expiryDate > lastDay)
                return refuse(call, ExpiryInvalid, QStringLiteral("有效期至必须是 2050-01-01 以前的日期"));
            storedDate = expiryDate;
        } else {
            return refuse(call, ExpiryInvalid, QStringLiteral("过期设置无效"));
        }
        storedExpiryType = expiryType;
    }

    const std::optional<QList<int>> stores = idList(storeText);
    const std::optional<QStringList> names = stores ? storeNames(db, *stores) : std::nullopt;
    if (!names)
        return refuse(call, StoresInvalid, QStringLiteral("适用门店中有不存在的门店"));
    const QString storeNameText =
        names->isEmpty() ? QStringLiteral("全部门店") : names->join(QLatin1Char(',')).left(2000);

    flags = SetBitValue(flags, Unused, false);
    flags = SetBitValue(flags, MinimumPurchase, saleStart.raw() > 0);
    flags = SetBitValue(flags, UseCountLimited, useCount > 0);
    flags = SetBitValue(flags, SeveralPerReceipt, useLimit > 1);
    flags = SetBitValue(flags, HasValue, value.raw() > 0);
    flags = SetBitValue(flags, PreferentialAmount, amount);
    flags = SetBitValue(flags, UndiscountedGoods,
                        kind == CouponKind::DiscountCard && GetBitValue(flags, UndiscountedGoods));

    const QVariantList values = {kind,
                                 name,
                                 comment,
                                 flags,
                                 QVariant::fromValue(saleStart),
                                 useCount,
                                 useLimit,
                                 QVariant::fromValue(value),
                                 amount ? 1 : 0,
                                 GetBitValue(flags, MemberTypes) ? joined(*memberTypes) : QString(),
                                 storedExpiryType,
                                 storedDate,
                                 storedDays,
                                 joined(*stores),
                                 storeNameText,
                                 pointsRule};
    const QString columns = QStringLiteral(
        "TYPE, NAME, Comment, Flags, SaleStart, UseCount, UseLimit, RangLimit, RangType, VIPType, "
        "VallidityType, VallidityDate, VallidityDay, TPosID, TPosName, IntegerType");
    int savedId = id;
    if (id == 0) {
        savedId =
            db.scalar(QStringLiteral("INSERT INTO ETCType (%1, Enabled, ERec, CreatedAt) VALUES "
                                     "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING ID")
                          .arg(columns),
                      QVariantList(values)
                          << CouponTypeState::InUse << userId << QDateTime::currentDateTime())
                .toInt();
    } else {
        QStringList assignments;
        for (const QString& column : columns.split(QStringLiteral(", ")))
            assignments.append(column + QStringLiteral(" = ?"));
        db.execute(
            QStringLiteral("UPDATE ETCType SET %1 WHERE ID = ?").arg(assignments.join(QStringLiteral(", "))),
            QVariantList(values) << id);
    }
    call.setOutput(QStringLiteral("@ID"), savedId);
    return 0;
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCTypeEdit"), kdETCTypeEdit);

} // namespace
