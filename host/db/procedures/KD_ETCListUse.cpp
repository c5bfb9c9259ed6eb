#include "host/data/StoredProcedure.h"
#include "host/db/procedures/ETCUseLedger.h"
#include "host/sdk/DbError.h"

#include <QDateTime>

// KD_ETCListUse: a sale at the till pays with (or is discounted by) the coupon card
// @ID: @Total taken off a cash coupon (0 for the other kinds), in the store @PosID
// on the bill @BillCode by the user @ERec, at @UseDate when given (a bill posted
// later), else now. Goes through the use ledger; returns the use's id, or -1 with
// the reason in @RetValue.
namespace {

QDateTime useMoment(const ProcedureContext& call) {
    if (!call.has(QStringLiteral("@UseDate")))
        return QDateTime::currentDateTime();
    const QVariant value = call.in().Value(QStringLiteral("@UseDate"));
    const QDateTime moment = value.typeId() == QMetaType::QDateTime
                                 ? value.toDateTime()
                                 : QDateTime::fromString(value.toString().trimmed(), Qt::ISODate);
    if (!moment.isValid())
        throw DbError(QStringLiteral("参数 @UseDate 不是有效的时间。"));
    return moment;
}

int kdEtcListUse(ProcedureContext& call) {
    const ETCUseLedger::Result result =
        ETCUseLedger::post(call.db(), {.cardId = call.integer(QStringLiteral("@ID")),
                                       .amount = call.money(QStringLiteral("@Total")),
                                       .posId = call.integer(QStringLiteral("@PosID")),
                                       .billCode = call.text(QStringLiteral("@BillCode"), 60),
                                       .userRec = call.integer(QStringLiteral("@ERec")),
                                       .when = useMoment(call)});
    call.setOutput(QStringLiteral("@RetValue"), result.refusal);
    return result.refusal.isEmpty() ? result.useId : -1;
}

const ProcedureRegistration registration(QStringLiteral("KD_ETCListUse"), kdEtcListUse);

} // namespace
