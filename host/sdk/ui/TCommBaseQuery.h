#pragma once

#include "host/sdk/ui/TBaseQuery.h"

// The common list window: opened on a given query model, with the refresh button
// every plain list has. Windows add their own buttons after the inherited
// OnIniButton.
class TCommBaseQuery : public TBaseQuery {
    Q_OBJECT

public:
    explicit TCommBaseQuery(QWidget* parent = nullptr, int modelId = 0);

protected:
    void OnIniButton() override;
};
