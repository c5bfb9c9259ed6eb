#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// A member-list action over the chosen rows, one card at a time: each card's writes
// run in a transaction of their own, so a card that fails is undone whole and the
// cards before it stay changed. A failure is shown as one box; with cards left the
// user is asked "是否继续？" unless the failure ends the batch.
class VipCardBatch {
public:
    struct Failure {
        QString text;
        bool endsBatch = false;
    };
    // One card's change for a display row: nothing on success.
    using Change = std::function<std::optional<Failure>(int row)>;

    // 'dbFailure' is shown in place of a database error's own text (which ends the
    // batch). 'committed' runs for each card once its change is committed (the
    // head office hears of it then). Returns the number of cards changed.
    static int Run(const QList<int>& rows, const Change& change, const QString& dbFailure = {},
                   const std::function<void(int row)>& committed = {});
};
