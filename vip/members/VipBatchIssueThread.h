#pragma once

#include "host/sdk/OwnConnection.h"
#include "vip/members/VipBatchIssueWriter.h"

#include <QThread>
#include <atomic>

// The batch issue's worker: writes the cards on a connection of its own, so the
// desktop stays responsive and the host's connection is never used off its thread.
// It reports progress as it goes and stops before the next card once asked to.
class VipBatchIssueThread : public QThread {
    Q_OBJECT

public:
    VipBatchIssueThread(OwnConnection connection, QList<VipBatchIssueWriter::Card> cards,
                        VipCardStore::CardFields pattern,
                        std::optional<VipCardStore::StoredValue> storedValue, QObject* parent = nullptr);

    void Stop() { m_stop = true; }
    // What the run wrote; read once the thread has finished.
    const VipBatchIssueWriter::Tally& Result() const { return m_tally; }

signals:
    // Cards handled so far, now and then rather than after every card.
    void progressed(int handled);

protected:
    void run() override;

private:
    OwnConnection m_connection;
    QList<VipBatchIssueWriter::Card> m_cards;
    VipCardStore::CardFields m_pattern;
    std::optional<VipCardStore::StoredValue> m_storedValue;
    std::atomic<bool> m_stop = false;
    VipBatchIssueWriter::Tally m_tally;
};
