#pragma once

#include <QList>
#include <QString>

class QLabel;
class QWidget;

// The editor's editable fields as the field configuration shows them, in the order
// the required check walks them: the main page's configurable fields first, then
// the custom fields in their defined order.
class TEditItems {
public:
    struct Item {
        QString fieldName;
        QString caption;
        QWidget* control = nullptr;
        QLabel* marker = nullptr; // the "*" beside a required field
        bool custom = false;
        QLabel* captionLabel = nullptr;
        QWidget* companion = nullptr; // a second control shown and hidden with the field
    };

    void AddItem(const Item& item) { m_items.append(item); }
    void Clear() { m_items.clear(); }
    const Item* GetRecByCtl(const QWidget* control) const;
    const QList<Item>& Items() const { return m_items; }

    // The first shown, editable field whose marker is shown and that holds
    // nothing (edits trimmed, a picker without a record); null when all are filled.
    const Item* FirstMissing() const;

private:
    QList<Item> m_items;
};
