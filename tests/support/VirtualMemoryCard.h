#pragma once

#include <QByteArray>

#include <mutex>
#include <thread>

// A contactless memory card of 16 pages of 4 bytes (pages 0 to 3 the maker's,
// 4 to 15 free) for the virtual reader of vpcd. Inserting it connects to the
// port vpcd listens on, removing it hangs up. It answers vpcd's control messages
// (power, reset, ATR) and the storage-card commands read binary (FF B0) and update
// binary (FF D6) on its memory; vpcd frames every message as a 2-byte big-endian
// length and the bytes. The card answers from its own thread, because the program
// under test waits inside PC/SC for the answer.
class VirtualMemoryCard {
public:
    static constexpr int Pages = 16;
    static constexpr int PageSize = 4;

    explicit VirtualMemoryCard(quint16 port = 35963);
    ~VirtualMemoryCard();
    VirtualMemoryCard(const VirtualMemoryCard&) = delete;
    VirtualMemoryCard& operator=(const VirtualMemoryCard&) = delete;

    // False when vpcd does not listen on the port.
    bool Insert();
    void Remove();

    QByteArray Memory() const;
    // Writes bytes straight into the memory from the start of a page, as another
    // writer (or a damaged card) would have left them.
    void SetBytes(int page, const QByteArray& bytes);

private:
    void Serve(int socket);
    QByteArray Answer(const QByteArray& command);

    quint16 m_port;
    int m_socket = -1;
    std::thread m_thread;
    mutable std::mutex m_mutex;
    QByteArray m_memory;
};
