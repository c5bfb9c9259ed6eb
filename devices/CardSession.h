#pragma once

#include <winscard.h>

#include <cstdint>
#include <vector>

// One card on the reader, held exclusively for a sequence of commands so no other
// program's command lands between them. The storage-card pseudo-commands of PC/SC
// part 3 (read binary FF B0, update binary FF D6) address the card's 4-byte pages.
class CardSession {
public:
    CardSession(SCARDCONTEXT context, const char* reader);
    ~CardSession();
    CardSession(const CardSession&) = delete;
    CardSession& operator=(const CardSession&) = delete;

    // False when no card is on the reader or it did not answer.
    bool IsOpen() const { return m_open; }
    // 'count' pages from 'page', four at a time as the cards read them.
    bool Read(int page, int count, std::vector<std::uint8_t>& bytes);
    // Whole pages from 'page'; 'bytes' is a multiple of a page.
    bool Write(int page, const std::vector<std::uint8_t>& bytes);

private:
    bool Transmit(const std::vector<std::uint8_t>& command, std::vector<std::uint8_t>& data);

    SCARDHANDLE m_card = 0;
    DWORD m_protocol = 0;
    bool m_open = false;
};
