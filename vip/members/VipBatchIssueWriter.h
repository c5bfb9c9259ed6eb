#pragma once

#include "vip/members/VipCardStore.h"

#include <QList>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

// Writes the cards of a batch issue through the card procedures, so each gets the
// checks and ledger rows of a card saved in the editor, many cards to a
// transaction. A card is written whole or not at all: with stored value, the card
// and its opening balance share a savepoint. A number another card has is counted
// as a duplicate and left alone, so a run repeated after an abort writes the rest.
class VipBatchIssueWriter {
public:
    struct Card {
        QString cardNo;
        QString barCode;
    };
    // What a run wrote; only committed cards are counted.
    struct Tally {
        int written = 0;
        int duplicates = 0;
        int refused = 0; // other refusals (a bar code another card has)
        QString firstCardNo;
        QString error; // the database error that ended the run early, empty when none
    };

    static constexpr int CardsPerTransaction = 1000;

    // 'pattern' is every card's fields but its number, bar code and identity;
    // 'storedValue', when given, is written after each card.
    VipBatchIssueWriter(DataModule& data, VipCardStore::CardFields pattern,
                        std::optional<VipCardStore::StoredValue> storedValue,
                        int cardsPerTransaction = CardsPerTransaction);

    // Writes the cards in order until the end or until 'stop' is set; a stop
    // commits the cards written so far. 'progress' hears how many cards were handled
    // after each one. A database error undoes the transaction in progress.
    Tally Write(const QList<Card>& cards, const std::atomic<bool>& stop,
                const std::function<void(int handled)>& progress = {});

private:
    // The card was accepted but its stored value was not (a franchise store's opening).
    static constexpr int StoredValueRefused = -100;
    int writeOne(const Card& card);

    DataModule& m_data;
    VipCardStore m_store;
    VipCardStore::CardFields m_pattern;
    std::optional<VipCardStore::StoredValue> m_storedValue;
    int m_cardsPerTransaction;
};
