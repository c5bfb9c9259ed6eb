#pragma once

#include <QString>
#include <array>

// The host's application descriptor: a row of one-byte boolean flags that callers
// name by position ("application flag 14"). Their meaning is the host's edition and
// set-up; the module only reads them.
class TAppClass {
public:
    static constexpr int FlagCount = 64;

    // Positions count from 1; any other position is a programming error and throws
    // std::out_of_range rather than reading as a quiet false.
    bool Flag(int position) const;
    void SetFlag(int position, bool on);

    // One character per position, '1' set and '0' clear, position 1 first: the form
    // kept in the host configuration. Reading ignores what lies past the last flag
    // and takes anything but '1' as clear, so a shorter text leaves the rest clear.
    QString ToText() const;
    static TAppClass FromText(const QString& text);

    bool operator==(const TAppClass&) const = default;

private:
    static int index(int position);
    std::array<unsigned char, FlagCount> m_flags{};
};
