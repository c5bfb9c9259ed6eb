#pragma once

#include "host/sdk/ModuleRegistry.h"

#include <QList>
#include <initializer_list>
#include <variant>

class TBaseQuery;
class QWidget;

// One row of a unit's registration table: a list window or a named function.
using RegistrationRow = std::variant<QueryClassEntry, ComClassEntry>;

// An area's rows of a unit's registration table, registered with the host, in the
// order written, when the frame starts the unit.
struct RegistrationRows {
    RegistrationRows(const QString& unit, int position, std::initializer_list<RegistrationRow> rows);
};

// The creator of a list window class, for the 'create' of its row.
template <typename Window> TBaseQuery* opens(QWidget* parent) {
    return new Window(parent);
}
