#pragma once

// The exports of Card_dll.so, as the member-card module calls them. Every text is
// UTF-8 and NUL-terminated. A text the library hands out (Card_ReadNo,
// Card_ReadDate) lives in a buffer the library owns: the caller's pointer is set
// to it and stays valid until the caller's next call into the library. Every
// call belongs to one thread at a time (the caller's user-interface thread).
#define CARD_DLL_EXPORT __attribute__((visibility("default")))

extern "C" {
// 0 once the PC/SC service answers and the chosen reader is connected to the
// system; 1 no PC/SC service, 2 no reader at all, 3 the reader named in
// CARD_DLL_READER is not there. A card need not be on the reader.
CARD_DLL_EXPORT int Card_Init();
// The card number / date kept on the card; empty without a card, on a blank card
// or when a record fails its check.
CARD_DLL_EXPORT void Card_ReadNo(const char** text);
CARD_DLL_EXPORT void Card_ReadDate(const char** text);
// True once the text is on the card and reads back the same.
CARD_DLL_EXPORT bool Card_WriteNo(const char* text);
CARD_DLL_EXPORT bool Card_WriteDate(const char* text);
// Chooses the reader again (a reader plugged in since, or CARD_DLL_READER changed).
CARD_DLL_EXPORT void Card_SetDev();
// Lets go of the reader and the PC/SC service.
CARD_DLL_EXPORT void Car_dExit();
}
