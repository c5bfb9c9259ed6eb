#include "tests/support/PcscDaemon.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

#include <vector>

namespace {

const QString VirtualReader = QStringLiteral("Virtual PCD 00 00");
constexpr int StartUpMs = 15000;
constexpr int CardChangeMs = 10000;

} // namespace

PcscDaemon::PcscDaemon() {
    if (!FindReader()) {
        // pcscd forks into the background and its reader appears shortly after.
        QProcess::execute(QStringLiteral("pcscd"), {});
        const QDeadlineTimer deadline(StartUpMs);
        while (!FindReader() && !deadline.hasExpired())
            QThread::msleep(100);
    }
    if (m_reader.isEmpty())
        m_problem = QStringLiteral("pcscd does not list \"%1\": is vsmartcard-vpcd installed and pcscd "
                                   "startable (as root)?")
                        .arg(VirtualReader);
}

PcscDaemon::~PcscDaemon() {
    if (m_hasContext)
        SCardReleaseContext(m_context);
}

bool PcscDaemon::FindReader() {
    if (!m_hasContext)
        m_hasContext =
            SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &m_context) == SCARD_S_SUCCESS;
    if (!m_hasContext)
        return false;
    DWORD length = 0;
    if (SCardListReaders(m_context, nullptr, nullptr, &length) != SCARD_S_SUCCESS)
        return false;
    std::vector<char> names(length);
    if (SCardListReaders(m_context, nullptr, names.data(), &length) != SCARD_S_SUCCESS)
        return false;
    for (const char* name = names.data(); *name; name += qstrlen(name) + 1) {
        if (QLatin1String(name) == VirtualReader)
            m_reader = VirtualReader;
    }
    return !m_reader.isEmpty();
}

bool PcscDaemon::WaitForCard(bool present) {
    if (m_reader.isEmpty())
        return false;
    const QByteArray reader = m_reader.toLatin1();
    SCARD_READERSTATE state{};
    state.szReader = reader.constData();
    state.dwCurrentState = SCARD_STATE_UNAWARE;
    const QDeadlineTimer deadline(CardChangeMs);
    while (!deadline.hasExpired()) {
        const LONG result = SCardGetStatusChange(m_context, DWORD(deadline.remainingTime()), &state, 1);
        if (result != SCARD_S_SUCCESS)
            return false;
        if (bool(state.dwEventState & SCARD_STATE_PRESENT) == present)
            return true;
        state.dwCurrentState = state.dwEventState & ~SCARD_STATE_CHANGED;
    }
    return false;
}
