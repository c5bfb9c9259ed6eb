#pragma once

#include "host/sdk/ui/TBaseDialog.h"
#include "host/services/HostConfig.h"
#include "host/services/SettingCatalogue.h"

#include <QHash>
#include <QList>

class QWidget;

// The administrator's settings, one page per group of the setting catalogue: each
// setting under its Chinese name with a line on what it changes, the current
// store's kind and connection mode among them. Saving writes only what was changed
// here, so settings another workstation changed meanwhile stand (application flags
// one by one, though they share a row), and publishes the values into the session
// at once.
class HostSettingsDialog final : public TBaseDialog {
    Q_OBJECT

public:
    explicit HostSettingsDialog(QWidget* parent = nullptr);

    // The configuration as the database holds it after a save; valid once the
    // dialog closed with mrOk.
    const HostConfig& Config() const { return m_config; }

private:
    struct Field {
        const SettingCatalogue::Entry* entry;
        QWidget* control;
    };

    QWidget* createPage(const QString& group);
    QWidget* createControl(const SettingCatalogue::Entry& entry, QWidget* parent);
    void loadStore();
    // Key -> the value the control holds, as text.
    QHash<QString, QString> values() const;
    void check() const;
    void OnSave();

    HostConfig m_config;
    QList<Field> m_fields;
    QHash<QString, QString> m_loaded;
    int m_storeId = 0;
};
