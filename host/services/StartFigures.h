#pragma once

#include "host/sdk/Money.h"

#include <QDate>

class DataModule;

// The few figures the start page shows: live members, the stored value they hold,
// and the recharges of one day from the stored-value ledger. Each is one aggregate
// over a narrow index, so reading them stays quick at a million members.
struct StartFigures {
    int members = 0;
    Money outstanding;
    int recharges = 0;
    Money recharged;

    static StartFigures Read(DataModule& data, const QDate& day);
};
