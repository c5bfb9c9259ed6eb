#pragma once

#include <QString>

class DataModule;

// The birthday reminder's two system settings, "VipTxDay" and "VipTxComment":
// the only code of the device area that reads or writes the database.
class VipSoundStore {
public:
    struct Reminder {
        QString days;
        QString comment;
    };

    explicit VipSoundStore(DataModule& data)
        : m_data(data) {}

    // The stored values over 'defaults', each only where its row exists.
    Reminder Load(const Reminder& defaults);
    // Both settings in one transaction.
    void Save(const Reminder& reminder);

private:
    DataModule& m_data;
};
