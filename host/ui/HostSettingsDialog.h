#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "host/services/HostConfig.h"

#include <QHash>
#include <QList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QWidget;

// The administrator's settings: the current store's kind and connection mode, the
// store/centre switches, the edition, the application flags, the member-notice
// switches and the other session options the module reads. Saving writes only what
// was changed here, so settings another workstation changed meanwhile stand, and
// publishes the values into the session at once.
class HostSettingsDialog final : public TBaseDialog {
    Q_OBJECT

public:
    explicit HostSettingsDialog(QWidget* parent = nullptr);

    // The configuration as the database holds it after a save; valid once the
    // dialog closed with mrOk.
    const HostConfig& Config() const { return m_config; }

private:
    QWidget* createBasicPage();
    QWidget* createFlagsPage();
    QCheckBox* addSwitch(QWidget* parent, const QString& key, const QString& caption);
    void loadStore();
    // Setting name -> the text it would be saved as, for every control.
    QHash<QString, QString> values() const;
    void OnSave();

    HostConfig m_config;
    QHash<QString, QString> m_loaded;
    QList<QPair<QString, QCheckBox*>> m_switches;
    QList<QCheckBox*> m_appFlags;
    QSpinBox* m_edition = nullptr;
    QSpinBox* m_period = nullptr;
    QLineEdit* m_goodsName = nullptr;
    QLineEdit* m_warehouse = nullptr;
    QComboBox* m_posType = nullptr;
    QComboBox* m_connectType = nullptr;
    int m_storeId = 0;
    int m_loadedPosType = 0;
    int m_loadedConnectType = 0;
};
