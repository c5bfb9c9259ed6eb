#include "host/app/vipctl/Command.h"
#include "host/app/vipctl/StoredValueOperation.h"
#include "host/sdk/VipCodes.h"

namespace {

using namespace StoredValueOptions;

const Command::Registration registration(
    QStringLiteral("recharge"),
    QStringLiteral(
        "给会员卡充值：--card 卡号 --amount 金额 [--account 帐户编号] [--op 操作编号]，打印当前可用余额"),
    true,
    [](CommandContext& context) { return RunStoredValueOperation(context, StoredValueChange::Recharge); },
    {QLatin1String(Card), QLatin1String(Amount), QLatin1String(Account), QLatin1String(Operation)});

} // namespace
