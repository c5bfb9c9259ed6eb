#include "host/sdk/ModuleRegistry.h"

void QueryClassFactory::Register(const QueryClassEntry& entry) {
    for (QueryClassEntry& existing : m_entries) {
        if (existing.className == entry.className) {
            existing = entry;
            return;
        }
    }
    m_entries.append(entry);
}

const QueryClassEntry* QueryClassFactory::Find(const QString& className) const {
    for (const QueryClassEntry& entry : m_entries) {
        if (entry.className == className)
            return &entry;
    }
    return nullptr;
}

void ComClassRegistry::Register(const ComClassEntry& entry) {
    for (ComClassEntry& existing : m_entries) {
        if (existing.name == entry.name) {
            existing = entry;
            return;
        }
    }
    m_entries.append(entry);
}

const ComClassEntry* ComClassRegistry::Find(const QString& name) const {
    for (const ComClassEntry& entry : m_entries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

QueryClassFactory& gQueryClassFactory() {
    static QueryClassFactory factory;
    return factory;
}

ComClassRegistry& ComClassReg() {
    static ComClassRegistry registry;
    return registry;
}
