#include "vip/coupons/TETCCardCondition.h"

#include "vip/coupons/ETCKinds.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>

namespace {

QDateEdit* dateBox(const char* name, const QDate& date) {
    auto* box = new QDateEdit(date);
    box->setObjectName(QLatin1String(name));
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    box->setCalendarPopup(true);
    return box;
}

} // namespace

TETCCardCondition::TETCCardCondition(int kind, QWidget* parent)
    : TBaseCondition(parent)
    , m_kind(kind) {}

void TETCCardCondition::IniCondition() {
    auto* kinds = new QComboBox;
    kinds->setObjectName(QStringLiteral("cbETCType"));
    kinds->addItem(QStringLiteral("全部"), 0);
    for (int kind : ETCKinds::All)
        kinds->addItem(ETCKinds::Name(kind), kind);
    kinds->setCurrentIndex(kinds->findData(m_kind));
    kinds->setEnabled(m_kind == 0);
    AddControl(QStringLiteral("@ETCType"), QStringLiteral("种类"), kinds);
    auto* typeName = new QLineEdit;
    typeName->setObjectName(QStringLiteral("edtETCName"));
    AddControl(QStringLiteral("@ETCName"), QStringLiteral("类型名称"), typeName);
    const QDate first(1900, 1, 1);
    const QDate last(2099, 12, 31);
    AddControl(QStringLiteral("@BCreateDate"), QStringLiteral("创建日期"), dateBox("dtBCreate", first));
    AddControl(QStringLiteral("@ECreateDay"), QStringLiteral("至"), dateBox("dtECreate", last));
    AddControl(QStringLiteral("@BStartDate"), QStringLiteral("生效日期"), dateBox("dtBStart", first));
    AddControl(QStringLiteral("@EStartDate"), QStringLiteral("至"), dateBox("dtEStart", last));
    AddControl(QStringLiteral("@BEndDate"), QStringLiteral("失效日期"), dateBox("dtBEnd", first));
    AddControl(QStringLiteral("@EEndDate"), QStringLiteral("至"), dateBox("dtEEnd", last));
    SetMaxRow(2);
}
