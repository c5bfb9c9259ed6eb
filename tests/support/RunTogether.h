#pragma once

#include <QStringList>
#include <functional>

class DataModule;
class TestDatabase;

// Runs 'work' on 'writers' threads at once, each with a connection of its own to
// the test's database, all connected before any starts; gives the database errors
// they met, so concurrent writers are checked in one statement.
QStringList RunTogether(const TestDatabase& db, int writers,
                        const std::function<void(DataModule&, int)>& work);
