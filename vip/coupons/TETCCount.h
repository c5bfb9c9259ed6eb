#pragma once

#include "host/sdk/ui/TBaseQuery.h"

// "购物卡统计": per coupon type, how many cards it has, expired, usable, used up and
// voided; each group's details open in TETCUseDetail.
class TETCCount : public TBaseQuery {
    Q_OBJECT

public:
    // The groups of the details, as "@Flag" carries them.
    enum Group { Expired = 1, Usable = 2, Used = 3, Voided = 4 };

    explicit TETCCount(QWidget* parent = nullptr);

protected:
    void OnIniButton() override;
    void SetGrid() override;
    void InitParamList() override;
    void ParamRefresh() override;

private:
    void openDetail(Group group);
};
