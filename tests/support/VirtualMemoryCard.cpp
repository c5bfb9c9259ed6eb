#include "tests/support/VirtualMemoryCard.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The answer-to-reset of a contactless storage card as PC/SC part 3 builds it for
// the reader's client (RID of the PC/SC workgroup, standard ISO 14443 A-3, a
// 4-byte-page card), with its check byte.
const QByteArray Atr = QByteArray::fromHex("3B8F8001804F0CA0000003060300030000000068");

const QByteArray Done = QByteArray::fromHex("9000");
const QByteArray WrongLength = QByteArray::fromHex("6700");
const QByteArray WrongAddress = QByteArray::fromHex("6B00");
const QByteArray UnknownCommand = QByteArray::fromHex("6D00");
const QByteArray UnknownClass = QByteArray::fromHex("6E00");

// The control messages are 0 power off, 1 power on, 2 reset and 4 get the ATR.
constexpr char GetAtr = 4;
constexpr int FirstFreePage = 4;

bool receiveAll(int socket, char* into, int size) {
    return size == 0 || recv(socket, into, size_t(size), MSG_WAITALL) == size;
}

bool sendFramed(int socket, const QByteArray& bytes) {
    QByteArray framed(2, '\0');
    framed[0] = char(bytes.size() >> 8);
    framed[1] = char(bytes.size() & 0xFF);
    framed += bytes;
    return send(socket, framed.constData(), size_t(framed.size()), MSG_NOSIGNAL) == framed.size();
}

} // namespace

VirtualMemoryCard::VirtualMemoryCard(quint16 port)
    : m_port(port)
    , m_memory(Pages * PageSize, '\0') {
    // The maker's serial number, so a blank card is not all zeros.
    m_memory.replace(0, 8, QByteArray::fromHex("04A1B2C3D4E5F680"));
}

VirtualMemoryCard::~VirtualMemoryCard() {
    Remove();
}

bool VirtualMemoryCard::Insert() {
    Remove();
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (socket < 0 || ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (socket >= 0)
            ::close(socket);
        return false;
    }
    m_socket = socket;
    m_thread = std::thread([this, socket] { Serve(socket); });
    return true;
}

void VirtualMemoryCard::Remove() {
    if (m_socket < 0)
        return;
    ::shutdown(m_socket, SHUT_RDWR);
    m_thread.join();
    ::close(m_socket);
    m_socket = -1;
}

QByteArray VirtualMemoryCard::Memory() const {
    std::lock_guard lock(m_mutex);
    return m_memory;
}

void VirtualMemoryCard::SetBytes(int page, const QByteArray& bytes) {
    std::lock_guard lock(m_mutex);
    m_memory.replace(page * PageSize, bytes.size(), bytes);
}

void VirtualMemoryCard::Serve(int socket) {
    for (;;) {
        unsigned char length[2];
        if (!receiveAll(socket, reinterpret_cast<char*>(length), 2))
            return;
        QByteArray message(length[0] << 8 | length[1], '\0');
        if (!receiveAll(socket, message.data(), int(message.size())))
            return;
        if (message.size() == 1) {
            // Power and reset change nothing on a memory card and get no answer.
            if (message[0] == GetAtr && !sendFramed(socket, Atr))
                return;
            continue;
        }
        if (!sendFramed(socket, Answer(message)))
            return;
    }
}

QByteArray VirtualMemoryCard::Answer(const QByteArray& command) {
    if (command.size() < 5)
        return WrongLength;
    if (quint8(command[0]) != 0xFF)
        return UnknownClass;
    const int page = quint8(command[3]);
    const int length = quint8(command[4]);
    std::lock_guard lock(m_mutex);
    if (quint8(command[1]) == 0xB0) {
        // A read of more than four pages is more than such a card answers at once.
        if (command.size() != 5 || length == 0 || length > 4 * PageSize)
            return WrongLength;
        if (command[2] != 0 || page * PageSize + length > m_memory.size())
            return WrongAddress;
        return m_memory.mid(page * PageSize, length) + Done;
    }
    if (quint8(command[1]) == 0xD6) {
        if (length != PageSize || command.size() != 5 + PageSize)
            return WrongLength;
        if (command[2] != 0 || page < FirstFreePage || page >= Pages)
            return WrongAddress;
        m_memory.replace(page * PageSize, PageSize, command.mid(5));
        return Done;
    }
    return UnknownCommand;
}
