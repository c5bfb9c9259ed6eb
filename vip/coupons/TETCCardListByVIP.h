#pragma once

#include "host/sdk/ui/TBaseQuery.h"

class QComboBox;

// The coupon cards bound to one member card ("@VipID", "@VIPCard"), narrowed by the
// status filter "状态："; a card is shown in its editor or its uses traced.
class TETCCardListByVIP : public TBaseQuery {
    Q_OBJECT

public:
    explicit TETCCardListByVIP(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void InitParamList() override;
    void ParamRefresh() override;

private:
    void OnView();
    void OnUseDetail();
    QComboBox* m_status = nullptr;
};
