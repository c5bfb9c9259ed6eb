#pragma once

#include <QString>
#include <functional>

class CardTypeRuleGrid;

// Which band table is checked; each has its own words in the messages.
enum class BandTable { Discount, Points, StoredValue };

// Checks the counted rows of a band grid before the type is saved: a first band
// not starting at 0 and each gap between bands are questions, a zero rate or base,
// a band ending below its start and overlapping bands are refusals. Bands that
// touch (the next starts where this one ends) pass. On a refusal or a question
// answered No, 'openPage' shows the grid's page, the cursor goes to the cell at
// fault and the result is false.
bool CheckRuleBands(CardTypeRuleGrid& grid, BandTable table, const QString& gapQuestion,
                    const std::function<void()>& openPage);
