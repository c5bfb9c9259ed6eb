#pragma once

#include <QString>

class CardTypeRuleGrid;

// Which band table is checked; each has its own words in the messages.
enum class BandTable { Discount, Points, StoredValue };

// Checks the counted rows of a band grid before the type is saved: a first band
// not starting at 0 and each gap between bands are questions, a zero rate or base,
// a rate above 100, a band ending below its start and overlapping bands are
// refusals. Bands that touch (the next starts where this one ends) pass. A refusal
// or a question answered No puts the cursor on the cell at fault, its page in
// front, and abandons the action.
void CheckRuleBands(CardTypeRuleGrid& grid, BandTable table, const QString& gapQuestion);
