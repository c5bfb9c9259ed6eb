#pragma once

#include "host/sdk/ClientDataSet.h"
#include "vip/cardtypes/VipCardTypeSettings.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QVBoxLayout;

// Page "会员介绍": rewards for members who bring in new members, either one rule
// for all or rules by the new member's type (kept in their own window).
class CardTypeIntroducePage final : public QWidget {
    Q_OBJECT

public:
    explicit CardTypeIntroducePage(QWidget* parent = nullptr);

    void Load(const ClientDataSet* type);
    // Editions without rules by type: only the unified rule is offered.
    void ForceUnified();
    // The two reward shares are percentages, saved whether or not rewards are on.
    void Check();
    void Fill(VipCardTypeSettings& settings) const;

private:
    void updateState();

    QVBoxLayout* m_layout;
    QLineEdit* m_limitNum;
    QLineEdit* m_limitDays;
    QRadioButton* m_unified;
    QRadioButton* m_byType;
    QGroupBox* m_openReward;
    QGroupBox* m_buyReward;
    QLabel* m_hint;
    QLineEdit* m_introducerPoints;
    QLineEdit* m_newMemberPoints;
    QLineEdit* m_firstPer;
    QLineEdit* m_per;
};
