#pragma once

#include "host/sdk/ui/KeyFilter.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <optional>

class QLabel;
class QLineEdit;
class TEditItems;

// The editor's page "自定义信息": up to 20 fields the chain defines for its member
// cards, each shown only once a definition claims it, in definition order.
class VipCustomPage : public QWidget {
    Q_OBJECT

public:
    static constexpr int FieldCount = 20;

    explicit VipCustomPage(QWidget* parent = nullptr);

    // Shows the next unused field under 'caption', with its marker when the field
    // must be filled and a key filter for number types, and enters it in 'items'.
    // Definitions past the twentieth are not shown.
    void Define(const QString& caption, bool required, std::optional<KeyFilter> filter, TEditItems& items);
    bool HasCustomInfo() const { return m_defined > 0; }

    // Values by position ("C0".."C19"); missing ones leave a field empty.
    void SetValues(const QStringList& values);
    // The trimmed texts of all 20 fields, empty where a field is not in use.
    QStringList Values() const;
    void ClearValues();
    QList<QLineEdit*> Fields() const { return m_edits; }

private:
    QList<QLabel*> m_captions;
    QList<QLineEdit*> m_edits;
    QList<QLabel*> m_markers;
    int m_defined = 0;
};
