#include "vip/devices/VipSoundStore.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/Transaction.h"

namespace {

const QString DaysName = QStringLiteral("VipTxDay");
const QString CommentName = QStringLiteral("VipTxComment");

} // namespace

VipSoundStore::Reminder VipSoundStore::Load(const Reminder& defaults) {
    Reminder reminder = defaults;
    const auto read = [this](const QString& name, QString& value) {
        ClientDataSet rows;
        m_data.OpenSQL(QStringLiteral("SELECT SubValue FROM sysdata WHERE SubName = ?"), rows, {name});
        if (!rows.IsEmpty())
            value = rows.FieldByName(QStringLiteral("SubValue")).AsString();
    };
    read(DaysName, reminder.days);
    read(CommentName, reminder.comment);
    return reminder;
}

void VipSoundStore::Save(const Reminder& reminder) {
    Transaction transaction(m_data);
    const QStringList params = {QStringLiteral("@szName"), QStringLiteral("@szValue")};
    m_data.ExecuteProcByName(QStringLiteral("Kd_SetSubValue"), params, {DaysName, reminder.days});
    m_data.ExecuteProcByName(QStringLiteral("Kd_SetSubValue"), params, {CommentName, reminder.comment});
    transaction.Commit();
}
