#pragma once

#include "host/sdk/ui/TBaseDialog.h"

class QComboBox;
class QTableWidget;

// Chooses the identity-card reader among those the plug library
// PlugCard/QnCardInfo.so offers, and keeps the choice (the device's library file)
// in PlugCard/PlugConfig.ini, [CardInfo] Name, under the host's system folder.
// Without the plug library the only choice is "无", an empty library file.
class TCardInfoSet : public TBaseDialog {
    Q_OBJECT

public:
    explicit TCardInfoSet(QWidget* parent = nullptr);

private:
    void LoadDevices();
    void ShowDevice(int index);
    void OnConfirm();

    QString m_folder;
    QString m_comment;
    QComboBox* m_devices;
    QTableWidget* m_info;
};
