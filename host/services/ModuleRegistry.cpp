#include "host/sdk/ModuleRegistry.h"

QString SubsystemTitle(Subsystem subsystem) {
    switch (subsystem) {
    case Subsystem::Frame:
        return QStringLiteral("基础资料");
    case Subsystem::Members:
        return QStringLiteral("会员");
    case Subsystem::CardTypes:
        return QStringLiteral("卡类型与价格");
    case Subsystem::StoredValue:
        return QStringLiteral("储值与服务");
    case Subsystem::Points:
        return QStringLiteral("积分");
    case Subsystem::Coupons:
        return QStringLiteral("购物卡");
    case Subsystem::Devices:
        return QStringLiteral("设备");
    case Subsystem::Reports:
        return QStringLiteral("报表");
    }
    return {};
}

namespace {

// Shared by both registries; it only grows, so entries registered after a Clear
// still sort after everything before it.
int nextSequence() {
    static int sequence = 0;
    return ++sequence;
}

template <typename Entry> void registerEntry(QList<Entry>& entries, const Entry& entry, QString Entry::*key) {
    for (Entry& existing : entries) {
        if (existing.*key == entry.*key) {
            const int sequence = existing.sequence;
            existing = entry;
            existing.sequence = sequence;
            return;
        }
    }
    entries.append(entry);
    entries.last().sequence = nextSequence();
}

} // namespace

void QueryClassFactory::Register(const QueryClassEntry& entry) {
    registerEntry(m_entries, entry, &QueryClassEntry::className);
}

const QueryClassEntry* QueryClassFactory::Find(const QString& className) const {
    for (const QueryClassEntry& entry : m_entries) {
        if (entry.className == className)
            return &entry;
    }
    return nullptr;
}

void ComClassRegistry::Register(const ComClassEntry& entry) {
    registerEntry(m_entries, entry, &ComClassEntry::name);
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
