#include "host/sdk/ui/TCommBaseQuery.h"

TCommBaseQuery::TCommBaseQuery(QWidget* parent, int modelId)
    : TBaseQuery(parent) {
    SetModelId(modelId);
}

void TCommBaseQuery::OnIniButton() {
    AddButtonAndGetAction(QStringLiteral("刷新[R]"), [this] { RefreshData(); });
}
