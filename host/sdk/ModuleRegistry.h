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

// One list-window class a module offers. The window number groups classes (several
// share one); the class name is the key. 'create' builds the window, or is empty
// while the window is not yet available.
struct QueryClassEntry {
    QString className;
    int windowNo = 0;
    EditionFlags editions = 0;
    int rights = 0;
    std::function<TBaseQuery*(QWidget* parent)> create;
};

class QueryClassFactory {
public:
    // A class name registered again replaces its entry in place.
    void Register(const QueryClassEntry& entry);
    const QueryClassEntry* Find(const QString& className) const;
    const QList<QueryClassEntry>& Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    QList<QueryClassEntry> m_entries;
};

// One named function a module offers for the host's menus.
struct ComClassEntry {
    QString name;
    std::function<void()> function;
    EditionFlags editions = 0;
    int rights = 0;
};

class ComClassRegistry {
public:
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
