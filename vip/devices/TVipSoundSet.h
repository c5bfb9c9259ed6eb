#pragma once

#include "host/sdk/ui/TBaseDialog.h"

class QLineEdit;

// The member birthday reminder: how many days before the birthday to remind (1 to
// 100) and what to say (at most 50 characters, not empty).
class TVipSoundSet : public TBaseDialog {
    Q_OBJECT

public:
    explicit TVipSoundSet(QWidget* parent = nullptr);

private:
    void OnConfirm();

    QLineEdit* m_days;
    QLineEdit* m_comment;
};
