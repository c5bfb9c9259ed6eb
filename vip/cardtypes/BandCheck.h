#pragma once

#include <functional>

// The caller's own test of a band (amount from, amount to, flag); it shows its own
// message and returns false to keep the band editor open.
using BandCheck = std::function<bool(double from, double to, bool flag)>;
