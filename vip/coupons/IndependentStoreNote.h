#pragma once

#include <QString>

class TBaseQuery;

// An independent store sees only its own coupon uses: the detail windows say so
// above their grid and narrow their query to the store ("@PosID"; 0 elsewhere).
namespace IndependentStoreNote {
void Apply(TBaseQuery& window, const QString& text);
}
