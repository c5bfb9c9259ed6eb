#include "vip/members/VipBatchIssueWriter.h"

#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"

#include <QUuid>

VipBatchIssueWriter::VipBatchIssueWriter(DataModule& data, VipCardStore::CardFields pattern,
                                         std::optional<VipCardStore::StoredValue> storedValue,
                                         int cardsPerTransaction)
    : m_data(data)
    , m_store(data)
    , m_pattern(std::move(pattern))
    , m_storedValue(std::move(storedValue))
    , m_cardsPerTransaction(qMax(1, cardsPerTransaction)) {}

VipBatchIssueWriter::Tally VipBatchIssueWriter::Write(const QList<Card>& cards, const std::atomic<bool>& stop,
                                                      const std::function<void(int)>& progress) {
    Tally committed;
    qsizetype next = 0;
    try {
        while (next < cards.size() && !stop) {
            Tally open = committed;
            Transaction transaction(m_data);
            for (int inChunk = 0; inChunk < m_cardsPerTransaction && next < cards.size() && !stop;
                 ++inChunk) {
                const Card& card = cards.at(next++);
                const int result = writeOne(card);
                if (result >= 0) {
                    ++open.written;
                    if (open.firstCardNo.isEmpty())
                        open.firstCardNo = card.cardNo;
                } else if (result == VipCardStore::NumberTaken) {
                    ++open.duplicates;
                } else {
                    ++open.refused;
                }
                if (progress)
                    progress(int(next));
            }
            transaction.Commit();
            committed = open;
        }
    } catch (const DbError& error) {
        committed.error = error.message();
    }
    return committed;
}

// The card's id, or the refusal of the card or of its stored value.
int VipBatchIssueWriter::writeOne(const Card& card) {
    VipCardStore::CardFields fields = m_pattern;
    fields.cardNo = card.cardNo;
    fields.barCode = card.barCode;
    fields.cardGuid = QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
    if (!m_storedValue)
        return m_store.WriteCard(fields);
    Transaction whole(m_data);
    const int cardId = m_store.WriteCard(fields);
    if (cardId < 0)
        return cardId;
    if (m_store.WriteStoredValue(cardId, *m_storedValue) < 0)
        return StoredValueRefused;
    whole.Commit();
    return cardId;
}
