#include "devices/CardDll.h"
#include "devices/CardLayout.h"
#include "devices/CardSession.h"
#include "devices/PcscReader.h"

#include <string>

// The library's state: one reader, and the text last handed out, which the caller
// reads before its next call.
namespace {

PcscReader reader;
std::string handedOut;

std::string ReadRecord(CardLayout::Record record) {
    if (!reader.Ready())
        return {};
    CardSession card(reader.Context(), reader.Reader());
    std::vector<std::uint8_t> user;
    if (!card.IsOpen() || !card.Read(CardLayout::FirstPage, CardLayout::UserPages, user))
        return {};
    return CardLayout::Decode(record, user);
}

// The record's pages go on from the last to the first, so the page holding its
// length and check is written last; the header first makes a blank card ours.
// What the card holds afterwards is read back and compared.
bool WriteRecord(CardLayout::Record record, const char* text) {
    const std::string wanted = text ? text : "";
    const auto pages = CardLayout::Encode(record, wanted);
    if (!pages || !reader.Ready())
        return false;
    CardSession card(reader.Context(), reader.Reader());
    if (!card.IsOpen() || !card.Write(CardLayout::FirstPage, CardLayout::Header()))
        return false;
    const int first = CardLayout::FirstPageOf(record);
    for (int page = CardLayout::PageCount(record) - 1; page >= 0; --page) {
        const auto from = pages->begin() + page * CardLayout::PageSize;
        if (!card.Write(first + page, std::vector<std::uint8_t>(from, from + CardLayout::PageSize)))
            return false;
    }
    std::vector<std::uint8_t> user;
    return card.Read(CardLayout::FirstPage, CardLayout::UserPages, user) &&
           CardLayout::Decode(record, user) == wanted;
}

void HandOut(const char** text, std::string value) {
    handedOut = std::move(value);
    if (text)
        *text = handedOut.c_str();
}

} // namespace

int Card_Init() {
    return reader.Open();
}

void Card_ReadNo(const char** text) {
    HandOut(text, ReadRecord(CardLayout::Record::Number));
}

void Card_ReadDate(const char** text) {
    HandOut(text, ReadRecord(CardLayout::Record::Date));
}

bool Card_WriteNo(const char* text) {
    return WriteRecord(CardLayout::Record::Number, text);
}

bool Card_WriteDate(const char* text) {
    return WriteRecord(CardLayout::Record::Date, text);
}

void Card_SetDev() {
    reader.Open();
}

void Car_dExit() {
    reader.Close();
}
