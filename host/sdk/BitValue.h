#pragma once

// Bits of a flag set stored as one integer (a coupon type's Flags). Bits are
// counted from 1, bit 1 being the least significant (value 1), bit 2 the next
// (value 2), up to bit 31. Every reader and writer of such a set goes through
// these two, so the numbering is the same everywhere.

// The set with 'bit' switched on or off.
constexpr int SetBitValue(int value, int bit, bool on) {
    const unsigned mask = 1u << (bit - 1);
    const unsigned bits = static_cast<unsigned>(value);
    return static_cast<int>(on ? bits | mask : bits & ~mask);
}

// Whether 'bit' is on in the set.
constexpr bool GetBitValue(int value, int bit) {
    return (static_cast<unsigned>(value) >> (bit - 1)) & 1u;
}
