#include "host/sdk/AppClass.h"

#include <stdexcept>

int TAppClass::index(int position) {
    if (position < 1 || position > FlagCount)
        throw std::out_of_range("application flag position out of range");
    return position - 1;
}

bool TAppClass::Flag(int position) const {
    return m_flags[index(position)] != 0;
}

void TAppClass::SetFlag(int position, bool on) {
    m_flags[index(position)] = on ? 1 : 0;
}

QString TAppClass::ToText() const {
    QString text;
    text.reserve(FlagCount);
    for (unsigned char flag : m_flags)
        text.append(flag ? QLatin1Char('1') : QLatin1Char('0'));
    return text;
}

TAppClass TAppClass::FromText(const QString& text) {
    TAppClass flags;
    const int count = qMin(static_cast<int>(text.size()), FlagCount);
    for (int i = 0; i < count; ++i)
        flags.m_flags[i] = text[i] == QLatin1Char('1') ? 1 : 0;
    return flags;
}
