#include "host/db/procedures/ETCCardRows.h"
#include "host/db/queries/ListQueryRegistry.h"

// Windows 830, 831 and 832: the live coupon cards of one kind ("@ETCType") under
// the card lists' condition panel (ETCCardRows::filtered), for the card management
// of cash coupons, discount cards and preferential coupons.
namespace {

const ListQueryRegistration cash(830, ETCCardRows::filtered());
const ListQueryRegistration discount(831, ETCCardRows::filtered());
const ListQueryRegistration preferential(832, ETCCardRows::filtered());

} // namespace
