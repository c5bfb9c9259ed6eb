#pragma once

#include "vip/coupons/TETCCardListBase.h"

class QAction;
class QCheckBox;

// The coupon card management of one kind: the cards under the condition panel,
// viewed, added and changed in the card editor, deleted, stopped or resumed,
// activated, voided and bound to members, and their uses traced. "显示停用" shows
// or hides the stopped cards.
class TETCCardQuery : public TETCCardListBase {
    Q_OBJECT

public:
    TETCCardQuery(int kind, QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void AfterRowChanged() override;
    void CompleteParams() override;

private:
    void OnView();
    void OnAddExcetue();
    void OnEditExcetue();
    void OnDelExcetue();
    void OnStop();
    void OnActivate();
    void OnVoid();
    void OnBind();
    void OnUseDetail();
    // Runs 'mode' over the chosen cards after the question; refusals in one box.
    void massChange(int mode, const QString& question);

    QAction* m_stop = nullptr;
    QCheckBox* m_showStopped = nullptr;
};
