#include "host/sdk/HeadOfficeLink.h"

namespace {

// A store without a head office: the link is not in use and cannot be opened.
// Callers that ask IsConnectUse first never reach the operations; one that does
// not gets a failure and a reason instead of a silent success.
class LinkNotInUse final : public HeadOfficeLink {
public:
    bool IsConnectUse(TLmConnectClass) override { return false; }
    bool Connect(TLmConnectClass) override { return false; }
    bool Connected(TLmConnectClass) override { return false; }
    QString ErrorMessage(TLmConnectClass, const QString& cardNo) override {
        return QStringLiteral("会员卡 %1 的数据未能上传总部：本店没有启用总部连接。").arg(cardNo);
    }

    int SaveVipInfo(int, int) override { return -1; }
    int SaveVipPassowrd(const QString&, const QString&) override { return -1; }
    bool GetCenterVipInteGral(const QString&, bool) override { return false; }
    bool SvrGetCenterVipCard(int) override { return false; }
    int SvrDetailTmpInsert(const QString&, int, int, int, double, int, const QVariant&) override {
        return -1;
    }
    int SvrMainInsert(const QString&, const QString&, int, Money, int, int, int, const QString&,
                      const QString&, const QString&, int, Money, const QString&) override {
        return -1;
    }
    int SvrTimesAdjust(int, const QString&, int, int, int, int, Money, int, const QVariant&, const QString&,
                       int, int, const QString&) override {
        return -1;
    }

    void SaveVipCardGS(const QString&, bool) override {}
    bool GetCenterVipJSInfo(const QString&) override { return false; }
    int UpdateVipInfo(const TParamObject&) override { return -1; }
    int GetIsJSReward(const QString&) override { return 0; }

    void SetETCList(int, int, const QString&, int, const QDate&) override {}
};

HeadOfficeLink* installed = nullptr;

} // namespace

HeadOfficeLink& HeadOfficeLink::current() {
    static LinkNotInUse notInUse;
    return installed ? *installed : notInUse;
}

void HeadOfficeLink::install(HeadOfficeLink* link) {
    installed = link;
}
