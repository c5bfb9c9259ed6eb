#pragma once

// The module's one IC card device object, created when the module starts and freed
// when it stops, so that every dialog that reads or writes a card shares one
// device and one initialisation. It loads no device library yet: reading and
// writing cards are not part of the module so far.
class TFunCard {
public:
    TFunCard() = default;
    TFunCard(const TFunCard&) = delete;
    TFunCard& operator=(const TFunCard&) = delete;
};
