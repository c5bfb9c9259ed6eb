#include "vip/members/TVipCondition.h"

#include "host/sdk/Ucomvar.h"
#include "vip/members/VipCardStore.h"

#include <QComboBox>
#include <QDateEdit>

namespace {

QDateEdit* dateBox(const char* name, const QDate& date) {
    auto* box = new QDateEdit(date);
    box->setObjectName(QLatin1String(name));
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    box->setCalendarPopup(true);
    return box;
}

} // namespace

TVipCondition::TVipCondition(QWidget* parent)
    : TBaseCondition(parent) {}

void TVipCondition::IniCondition() {
    auto* stores = new QComboBox;
    stores->setObjectName(QStringLiteral("cbPos"));
    stores->addItem(QStringLiteral("配送中心"), 0);
    for (const VipCardStore::Store& store : VipCardStore().IssuingStores())
        stores->addItem(store.name, store.id);
    // An independent store issues no cards of its own but lists the cards it may use.
    const TComVar& session = Ucomvar();
    if (stores->findData(session.lPublicPosid) < 0)
        stores->addItem(session.szPublicPosName, session.lPublicPosid);
    stores->setCurrentIndex(stores->findData(session.lPublicPosid));
    AddControl(QStringLiteral("@nPosRec"), QStringLiteral("门店"), stores);
    const QDate first(1900, 1, 1);
    const QDate last(2099, 12, 31);
    AddControl(QStringLiteral("@VIPFKDate"), QStringLiteral("发卡日期"), dateBox("dtFKDate", first));
    AddControl(QStringLiteral("@VIPFKDate1"), QStringLiteral("至"), dateBox("dtFKDate1", last));
    AddControl(QStringLiteral("@VIPYxDate"), QStringLiteral("有效期"), dateBox("dtYxDate", first));
    AddControl(QStringLiteral("@VIPYxDate1"), QStringLiteral("至"), dateBox("dtYxDate1", last));
    SetMaxRow(1);
}
