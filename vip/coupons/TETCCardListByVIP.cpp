#include "vip/coupons/TETCCardListByVIP.h"

#include "host/sdk/ui/CallQueryClass.h"
#include "vip/coupons/ETCKinds.h"
#include "vip/coupons/TETCCardManage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

TETCCardListByVIP::TETCCardListByVIP(QWidget* parent)
    : TBaseQuery(parent) {
    SetModelId(870);
    SetLoadAllRecord(true);
}

void TETCCardListByVIP::OnIniButton() {
    setWindowTitle(QStringLiteral("持有购物卡：") + Params().AsString(QStringLiteral("@VIPCard")));
    SetEditAction(AddButtonAndGetAction(QStringLiteral("查看"), &TETCCardListByVIP::OnView));
    AddButtonAndGetAction(QStringLiteral("使用明细"), &TETCCardListByVIP::OnUseDetail);
    m_status = new QComboBox(GetTopPanel());
    m_status->setObjectName(QStringLiteral("cbStatus"));
    for (const char* status : {"全部", "有效", "使用完成", "作废", "未生效"})
        m_status->addItem(QString::fromUtf8(status));
    auto* row = new QHBoxLayout(GetTopPanel());
    row->addWidget(new QLabel(QStringLiteral("状态："), GetTopPanel()));
    row->addWidget(m_status);
    row->addStretch();
    connect(m_status, &QComboBox::currentIndexChanged, this, [this] { RefreshData(); });
}

void TETCCardListByVIP::SetGrid() {
    AddGridColumn(QStringLiteral("CardNo"), QStringLiteral("卡号"), 120);
    AddGridColumn(QStringLiteral("TypeName"), QStringLiteral("种类"), 60);
    AddGridColumn(QStringLiteral("NAME"), QStringLiteral("类型名称"), 120);
    AddGridColumn(QStringLiteral("Total"), QStringLiteral("金额/优惠/折扣"), 90, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("RemainTotal"), QStringLiteral("余额"), 80, true, GridColumn::Money);
    AddGridColumn(QStringLiteral("FlagName"), QStringLiteral("状态"), 60);
    AddGridColumn(QStringLiteral("StartDate"), QStringLiteral("生效日期"), 80, true, GridColumn::Date);
    AddGridColumn(QStringLiteral("EndDate"), QStringLiteral("失效日期"), 80, true, GridColumn::Date);
}

void TETCCardListByVIP::InitParamList() {
    TBaseQuery::InitParamList();
    ParamRefresh();
}

void TETCCardListByVIP::ParamRefresh() {
    Params().Add(QStringLiteral("@VipID"), Params().AsInteger(QStringLiteral("@VipID")));
    Params().Add(QStringLiteral("@FlagName"),
                 m_status && m_status->currentIndex() > 0 ? m_status->currentText() : QString());
}

void TETCCardListByVIP::OnView() {
    if (RowCount() == 0 || CurrentRow() < 0)
        return;
    TETCCardManage editor(GDataVar(QStringLiteral("ETCType")).toInt(), GDataVar(QStringLiteral("ID")).toInt(),
                          true);
    if (editor.LoadCard())
        editor.ShowModal();
}

void TETCCardListByVIP::OnUseDetail() {
    if (RowCount() == 0 || CurrentRow() < 0)
        return;
    const int kind = GDataVar(QStringLiteral("ETCType")).toInt();
    TParamObject params;
    params.Add(QStringLiteral("@ETCTypeName"), ETCKinds::Name(kind));
    params.Add(QStringLiteral("@ETCName"), GData(QStringLiteral("NAME")));
    params.Add(QStringLiteral("@CardNo"), GData(QStringLiteral("CardNo")));
    params.Add(QStringLiteral("@ETCType"), kind);
    params.Add(QStringLiteral("@Flags"), GDataVar(QStringLiteral("Flags")).toInt());
    CallQueryClass(QStringLiteral("TETCUseCardDetail"), params);
}
