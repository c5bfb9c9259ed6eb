#include "vip/members/VipBatchIssueThread.h"

#include "host/sdk/DbError.h"

namespace {
// Cards between two progress reports: often enough for a smooth bar, rarely
// enough not to flood the desktop's event queue.
constexpr int ReportEvery = 50;
} // namespace

VipBatchIssueThread::VipBatchIssueThread(OwnConnection connection, QList<VipBatchIssueWriter::Card> cards,
                                         VipCardStore::CardFields pattern,
                                         std::optional<VipCardStore::StoredValue> storedValue,
                                         QObject* parent)
    : QThread(parent)
    , m_connection(std::move(connection))
    , m_cards(std::move(cards))
    , m_pattern(std::move(pattern))
    , m_storedValue(std::move(storedValue)) {}

void VipBatchIssueThread::run() {
    try {
        const std::unique_ptr<DataModule> data = m_connection.Open();
        VipBatchIssueWriter writer(*data, m_pattern, m_storedValue);
        m_tally = writer.Write(m_cards, m_stop, [this](int handled) {
            if (handled % ReportEvery == 0 || handled == m_cards.size())
                emit progressed(handled);
        });
    } catch (const DbError& error) {
        m_tally.error = error.message();
    }
}
