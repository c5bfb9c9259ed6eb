#pragma once

struct CommandContext;

// What `vipctl recharge` and `vipctl refund` share: the card, the amount and the
// account from the options, the gift by the card type's rules, and XF_CzOperator,
// the procedure the recharge dialog saves through. Prints the card's new balance,
// or the reason it was refused with exit code 1 (2 for options that do not parse).
// The operation id (--op, else a new one) is printed too, so that a script that
// lost the answer can run the same command again and have it applied once.
int RunStoredValueOperation(CommandContext& context, int changeType);

namespace StoredValueOptions {
inline constexpr const char* Card = "--card";
inline constexpr const char* Amount = "--amount";
inline constexpr const char* Account = "--account";
inline constexpr const char* Operation = "--op";
} // namespace StoredValueOptions
