#include "devices/CardSession.h"

namespace {

constexpr int PageSize = 4;
constexpr int PagesPerRead = 4;

} // namespace

CardSession::CardSession(SCARDCONTEXT context, const char* reader) {
    if (SCardConnect(context, reader, SCARD_SHARE_SHARED, SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1, &m_card,
                     &m_protocol) != SCARD_S_SUCCESS)
        return;
    m_open = SCardBeginTransaction(m_card) == SCARD_S_SUCCESS;
    if (!m_open)
        SCardDisconnect(m_card, SCARD_LEAVE_CARD);
}

CardSession::~CardSession() {
    if (!m_open)
        return;
    SCardEndTransaction(m_card, SCARD_LEAVE_CARD);
    SCardDisconnect(m_card, SCARD_LEAVE_CARD);
}

bool CardSession::Read(int page, int count, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    for (int at = page; at < page + count; at += PagesPerRead) {
        const auto length = std::uint8_t(PageSize * std::min(PagesPerRead, page + count - at));
        std::vector<std::uint8_t> data;
        if (!Transmit({0xFF, 0xB0, 0x00, std::uint8_t(at), length}, data) || data.size() != length)
            return false;
        bytes.insert(bytes.end(), data.begin(), data.end());
    }
    return true;
}

bool CardSession::Write(int page, const std::vector<std::uint8_t>& bytes) {
    for (std::size_t offset = 0; offset + PageSize <= bytes.size(); offset += PageSize) {
        std::vector<std::uint8_t> command = {0xFF, 0xD6, 0x00, std::uint8_t(page + int(offset / PageSize)),
                                             PageSize};
        command.insert(command.end(), bytes.begin() + long(offset), bytes.begin() + long(offset) + PageSize);
        std::vector<std::uint8_t> data;
        if (!Transmit(command, data))
            return false;
    }
    return true;
}

bool CardSession::Transmit(const std::vector<std::uint8_t>& command, std::vector<std::uint8_t>& data) {
    if (!m_open)
        return false;
    const SCARD_IO_REQUEST* pci = m_protocol == SCARD_PROTOCOL_T0 ? SCARD_PCI_T0 : SCARD_PCI_T1;
    std::uint8_t answer[258];
    DWORD length = sizeof answer;
    if (SCardTransmit(m_card, pci, command.data(), DWORD(command.size()), nullptr, answer, &length) !=
            SCARD_S_SUCCESS ||
        length < 2)
        return false;
    // Anything but 90 00 is the card or the reader refusing the command.
    if (answer[length - 2] != 0x90 || answer[length - 1] != 0x00)
        return false;
    data.assign(answer, answer + length - 2);
    return true;
}
