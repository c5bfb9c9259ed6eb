#pragma once

#include <QGroupBox>
#include <QList>
#include <QString>

class ClientDataSet;
class QLineEdit;
class TQueryGrid;
class VipExchangeListModel;

// The shopping cards a member takes in a shopping-card exchange: found by the number
// typed (a card the number begins with that is neither used, stopped nor activated;
// several are picked in TETCCardMultSelect), listed when the exchange list offers
// its coupon type and the card's permitted member types allow the member's card.
class VipExchangeCardSection final : public QGroupBox {
    Q_OBJECT

public:
    struct Card {
        int id = 0;
        int etcId = 0;
        QString cardNo;
    };

    explicit VipExchangeCardSection(const VipExchangeListModel& list, QWidget* parent = nullptr);

    // The member card the cards go to; an empty number clears the cards.
    void SetMember(const QString& cardNo, int cardType);
    const QList<Card>& Cards() const { return m_cards; }
    // For every coupon type the quantity the list gives equals the cards listed of it.
    bool MatchesList() const;
    void Clear();
    // Enter in the card number adds, Delete in the list removes; true when the key
    // was one of those. The dialog hands its keys here before it moves the focus.
    bool HandleKey(QObject* watched, QEvent* event);

private:
    void OnAdd();
    void OnDelete();
    // Lists the card of the row; says why not, empty when it was listed or already was.
    QString add(const ClientDataSet& cards, int row);
    void showCards();

    const VipExchangeListModel& m_list;
    QLineEdit* m_number;
    TQueryGrid* m_grid;
    QList<Card> m_cards;
    QList<QPair<QString, qint64>> m_shown; // name and value of each card, for the grid
    QString m_memberCardNo;
    int m_memberType = 0;
};
