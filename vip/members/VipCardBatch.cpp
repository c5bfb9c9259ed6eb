#include "vip/members/VipCardBatch.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Transaction.h"

int VipCardBatch::Run(const QList<int>& rows, const Change& change, const QString& dbFailure,
                      const std::function<void(int row)>& committed) {
    int changed = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        std::optional<Failure> failure;
        try {
            Transaction transaction(dmClient());
            failure = change(rows[i]);
            if (!failure)
                transaction.Commit();
        } catch (const DbError& error) {
            failure = Failure{dbFailure.isEmpty() ? error.message() : dbFailure, true};
        }
        if (!failure) {
            ++changed;
            if (committed)
                committed(rows[i]);
            continue;
        }
        ShowError(failure->text);
        if (failure->endsBatch || i + 1 == rows.size() ||
            !Question(QStringLiteral("是否继续？"), QStringLiteral("提示")))
            break;
    }
    return changed;
}
