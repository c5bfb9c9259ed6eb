#include "devices/CardLayout.h"

#include <algorithm>

namespace {

constexpr std::uint8_t LayoutVersion = 1;

} // namespace

std::vector<std::uint8_t> CardLayout::Header() {
    return {'V', 'I', 'P', LayoutVersion};
}

int CardLayout::FirstPageOf(Record record) {
    return record == Record::Number ? FirstPage + 1 : FirstPage + 9;
}

int CardLayout::PageCount(Record record) {
    return record == Record::Number ? 8 : 3;
}

int CardLayout::Capacity(Record record) {
    return PageCount(record) * PageSize - 2;
}

std::optional<std::vector<std::uint8_t>> CardLayout::Encode(Record record, std::string_view text) {
    if (text.size() > std::size_t(Capacity(record)))
        return std::nullopt;
    std::vector<std::uint8_t> pages(std::size_t(PageCount(record) * PageSize), 0);
    pages[0] = std::uint8_t(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        pages[2 + i] = std::uint8_t(text[i]);
    pages[1] = Check(pages[0], pages.data() + 2);
    return pages;
}

std::string CardLayout::Decode(Record record, const std::vector<std::uint8_t>& user) {
    if (user.size() < std::size_t(UserBytes) ||
        !std::equal(user.begin(), user.begin() + PageSize, Header().begin()))
        return {};
    const std::size_t start = std::size_t((FirstPageOf(record) - FirstPage) * PageSize);
    const std::uint8_t length = user[start];
    if (length > Capacity(record) || Check(length, user.data() + start + 2) != user[start + 1])
        return {};
    return std::string(user.begin() + long(start) + 2, user.begin() + long(start) + 2 + length);
}

std::uint8_t CardLayout::Check(std::uint8_t length, const std::uint8_t* text) {
    std::uint8_t crc = 0;
    const auto add = [&crc](std::uint8_t byte) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = std::uint8_t((crc & 0x80) ? (crc << 1) ^ 0x07 : crc << 1);
    };
    add(length);
    for (std::uint8_t i = 0; i < length; ++i)
        add(text[i]);
    return crc;
}
