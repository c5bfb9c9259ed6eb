#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <initializer_list>

class QWidget;
class TBaseQuery;

// A set of the host's 11 edition flags (0..10) as a 16-bit word; bit n is flag n.
using EditionFlags = quint16;
constexpr EditionFlags editionFlags(std::initializer_list<int> bits) {
    EditionFlags word = 0;
    for (int bit : bits)
        word = static_cast<EditionFlags>(word | (1u << bit));
    return word;
}

// The member-card module's subsystems, in the order the desktop offers their menus.
// Frame holds the package's own helper windows (store and machine pickers).
enum class Subsystem { Frame, Members, CardTypes, StoredValue, Points, Coupons, Devices, Reports };

// The title of a subsystem's menu, as the desktop and vipctl show it.
QString SubsystemTitle(Subsystem subsystem);

// One list-window class a module offers. The window number groups classes (several
// share one); the class name is the key. The caption names the window in menus and
// tabs; helper windows that only other windows open have no edition flags and need
// none. 'create' builds the window, or is empty while it is not yet available.
struct QueryClassEntry {
    QString className;
    int windowNo = 0;
    EditionFlags editions = 0;
    int rights = 0;
    Subsystem subsystem;
    QString caption = {};
    std::function<TBaseQuery*(QWidget* parent)> create = {};
    // Set by the registry: the entry's place among the entries of both registries,
    // so windows and functions can be offered in the one order they came in.
    int sequence = 0;
};

class QueryClassFactory {
public:
    // A class name registered again replaces its entry in place, keeping its sequence.
    void Register(const QueryClassEntry& entry);
    const QueryClassEntry* Find(const QString& className) const;
    const QList<QueryClassEntry>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    QList<QueryClassEntry> m_entries;
};

// One named function a module offers for the host's menus; 'function' is empty
// while it is not yet available.
struct ComClassEntry {
    QString name;
    EditionFlags editions = 0;
    int rights = 0;
    Subsystem subsystem;
    QString caption = {};
    std::function<void()> function = {};
    // Set by the registry, as for QueryClassEntry.
    int sequence = 0;
};

class ComClassRegistry {
public:
    // A name registered again replaces its entry in place, keeping its sequence.
    void Register(const ComClassEntry& entry);
    const ComClassEntry* Find(const QString& name) const;
    const QList<ComClassEntry>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    QList<ComClassEntry> m_entries;
};

// The host's two registries, in registration order.
QueryClassFactory& gQueryClassFactory();
ComClassRegistry& ComClassReg();
