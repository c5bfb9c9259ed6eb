#pragma once

#include <winscard.h>

#include <QString>

// The PC/SC daemon with the virtual reader driver (vpcd), as the device tests need
// it: started when it does not answer (pcscd runs as root, reading vpcd's reader
// from /etc/reader.conf.d), then watched through its first virtual reader, the
// one vpcd serves on port 35963. The daemon is shared by every device test and
// keeps running after them.
class PcscDaemon {
public:
    PcscDaemon();
    ~PcscDaemon();
    PcscDaemon(const PcscDaemon&) = delete;
    PcscDaemon& operator=(const PcscDaemon&) = delete;

    // Empty once the reader is there; otherwise what is missing.
    const QString& Problem() const { return m_problem; }
    // Waits until the reader reports a card (or none), as PC/SC clients see it.
    bool WaitForCard(bool present);

private:
    bool FindReader();

    SCARDCONTEXT m_context = 0;
    bool m_hasContext = false;
    QString m_reader;
    QString m_problem;
};
