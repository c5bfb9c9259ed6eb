#include "vip/members/TEditItems.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

bool holdsNothing(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text().trimmed().isEmpty();
    // A picker holds a record only when its current entry carries one.
    if (const auto* box = qobject_cast<const QComboBox*>(control))
        return box->currentIndex() < 0 || (box->currentData().isValid() && box->currentData().toInt() <= 0);
    return false;
}

} // namespace

const TEditItems::Item* TEditItems::GetRecByCtl(const QWidget* control) const {
    for (const Item& item : m_items) {
        if (item.control == control)
            return &item;
    }
    return nullptr;
}

const TEditItems::Item* TEditItems::FirstMissing() const {
    for (const Item& item : m_items) {
        if (!item.marker || item.marker->isHidden() || item.control->isHidden() || !item.control->isEnabled())
            continue;
        if (const auto* edit = qobject_cast<const QLineEdit*>(item.control); edit && edit->isReadOnly())
            continue;
        if (holdsNothing(item.control))
            return &item;
    }
    return nullptr;
}
