#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where the card number and the date live on a contactless memory card with 4-byte
// pages whose user area is pages 4 to 15 (48 bytes, the size of the smallest such
// cards). Page 4 holds the header "VIP" and the layout version; the number record
// takes pages 5 to 12, the date record pages 13 to 15. A record is its length, a
// CRC-8 over the length and the text, then the text, padded with zeros.
class CardLayout {
public:
    static constexpr int FirstPage = 4;
    static constexpr int PageSize = 4;
    static constexpr int UserPages = 12;
    static constexpr int UserBytes = UserPages * PageSize;

    enum class Record { Number, Date };

    static std::vector<std::uint8_t> Header();
    static int FirstPageOf(Record record);
    static int PageCount(Record record);
    // The most text bytes a record holds: 30 for the number, 10 for the date.
    static int Capacity(Record record);

    // The record's pages, or nothing when the text does not fit.
    static std::optional<std::vector<std::uint8_t>> Encode(Record record, std::string_view text);
    // The record's text from the whole user area; empty for a blank card, another
    // layout, or a record that fails its check (torn by a card pulled mid-write).
    static std::string Decode(Record record, const std::vector<std::uint8_t>& user);

private:
    // CRC-8 (polynomial 0x07) over the length byte and then the text.
    static std::uint8_t Check(std::uint8_t length, const std::uint8_t* text);
};
