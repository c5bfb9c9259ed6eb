#include "host/app/vipctl/StoredValueOperation.h"

#include "host/app/vipctl/Command.h"
#include "host/data/Database.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/Money.h"
#include "host/sdk/VipCodes.h"

#include <QDate>
#include <QRegularExpression>
#include <QUuid>

namespace {

// The account the recharge dialog presets.
const QString PresetAccount = QStringLiteral("0000100003");

QString refusal(int result) {
    switch (result) {
    case -1:
        return QStringLiteral("会员卡不存在、没有激活、没有启用储值，或已挂失、停用。");
    case -2:
        return QStringLiteral("退款金额大于当前可用余额。");
    case -3:
        return QStringLiteral("金额必须大于0。");
    case -4:
        return QStringLiteral("金额超出最大许可值100000。");
    case -5:
        return QStringLiteral("赠送金额与卡类型的储值优惠不符，请重试。");
    case -6:
        return QStringLiteral("没有这个帐户。");
    case -7:
        return QStringLiteral(
            "此会员卡的储值已因密码连续输错5次被锁定，请系统管理员重新设置储值密码后解锁。");
    case -8:
        return QStringLiteral("这个操作编号已用于另一笔储值操作。");
    default:
        return QStringLiteral("保存失败（%1）。").arg(result);
    }
}

} // namespace

int RunStoredValueOperation(CommandContext& context, int changeType) {
    using namespace StoredValueOptions;
    const QString cardNo = context.options.value(QLatin1String(Card)).trimmed();
    const QString amountText = context.options.value(QLatin1String(Amount)).trimmed();
    if (cardNo.isEmpty() || amountText.isEmpty()) {
        context.err << "vipctl: 请用 --card 指定会员卡号，用 --amount 指定金额。\n";
        return 2;
    }
    static const QRegularExpression money(QStringLiteral("^-?\\d{1,6}(\\.\\d{1,2})?$"));
    if (!money.match(amountText).hasMatch()) {
        context.err << "vipctl: 金额 " << amountText << " 不是最多两位小数的数字。\n";
        return 2;
    }
    const Money amount = Money::fromText(amountText);
    const QString account = context.options.value(QLatin1String(Account), PresetAccount).trimmed();
    const QString operationId =
        context.options.value(QLatin1String(Operation), QUuid::createUuid().toString(QUuid::WithoutBraces));

    DataModule data(context.openDatabase());
    const int cardType = data.OpenSQLAsInt(
        QStringLiteral("SELECT CardType FROM vipcard WHERE CardNo = ? AND deleted = 0"), {cardNo});
    TParamObject gift;
    data.ExecuteProcByName(
        QStringLiteral("kd_VIPGetCZGiftTotal"),
        {QStringLiteral("@CtypeId"), QStringLiteral("@CZTotal"), QStringLiteral("@GiftTotal")},
        {cardType, amount.toDouble(), 0}, &gift);
    const int accountRec = data.OpenSQLAsInt(
        QStringLiteral("SELECT rec FROM atype WHERE typeId = ? AND deleted = 0"), {account});

    TParamObject p;
    p.Add(QStringLiteral("@CardNo"), cardNo);
    p.Add(QStringLiteral("@ChangeType"), QString::number(changeType));
    p.Add(QStringLiteral("@Total"), amount.toDouble());
    p.Add(QStringLiteral("@ERec"), 0);
    p.Add(QStringLiteral("@ARec"), QString::number(accountRec));
    p.Add(QStringLiteral("@Posid"), 0);
    p.Add(QStringLiteral("@Memo"), QStringLiteral("vipctl"));
    p.Add(QStringLiteral("@szDate"), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    p.Add(QStringLiteral("@szBillCode"), QString(), TParamObject::Output);
    p.Add(QStringLiteral("@changeid"), 0, TParamObject::Output);
    p.Add(QStringLiteral("@giftTotal"), gift.AsFloat(QStringLiteral("@GiftTotal")));
    p.Add(QStringLiteral("@OpId"), operationId);
    context.err << "操作编号：" << operationId << "\n";
    const int result = data.ExecuteProcByName(QStringLiteral("XF_CzOperator"), p);
    if (result != 0) {
        context.err << "vipctl: 会员卡 " << cardNo
                    << (changeType == StoredValueChange::Refund ? " 退款" : " 充值") << "被拒绝："
                    << refusal(result) << "\n";
        return 1;
    }
    context.out << "会员卡 " << cardNo << (changeType == StoredValueChange::Refund ? " 退款 " : " 充值 ")
                << amount.toString(2) << "，赠送 " << gift.AsMoney(QStringLiteral("@GiftTotal")).toString(2)
                << "，单号 " << p.AsString(QStringLiteral("@szBillCode")) << "\n";
    context.out << "当前可用余额：" << p.AsMoney(QStringLiteral("@BalanceAfter")).toString(2) << "\n";
    return 0;
}
