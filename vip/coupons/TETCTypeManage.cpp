#include "vip/coupons/TETCTypeManage.h"

#include "host/sdk/BitValue.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/TStringList.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TPtypeSelectDlg.h"
#include "host/sdk/ui/TQueryGridModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

using namespace DialogFields;
using namespace CouponTypeFlag;

namespace {

constexpr double LargestValue = 999999999;
const QString AllStores = QStringLiteral("全部门店");

QDate lastDay() {
    return {CouponExpiry::LastYear, CouponExpiry::LastMonth, CouponExpiry::LastDay};
}

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QLatin1String(name));
    return b;
}

QTableView* grid(const char* name, TQueryGridModel* model) {
    auto* view = new QTableView;
    view->setObjectName(QLatin1String(name));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

QString valueText(Money value) {
    return DoubleToString(value.toDouble());
}

} // namespace

TETCTypeManage::TETCTypeManage(int kind, QWidget* parent)
    : TBaseDialog(parent)
    , m_value(NumberEdit("edtTotal", KeyFilter::DigitsDot, 13))
    , m_useCount(NumberEdit("edtUseCount", KeyFilter::Digits, 9))
    , m_useLimit(NumberEdit("edtUseLimit", KeyFilter::Digits, 9))
    , m_useLimitLabel(Label(QStringLiteral("使用张数限制")))
    , m_rangType(new QComboBox)
    , m_rangTypeLabel(Label(QStringLiteral("优惠类型")))
    , m_pointsRule(new QComboBox)
    , m_pointsRuleLabel(Label(QStringLiteral("积分设置")))
    , m_otherTypes(CheckBox("chkOtherType", QStringLiteral("是否使用其他类型现金券")))
    , m_undiscounted(CheckBox("chkNoDiscount", QStringLiteral("不打折商品是否打折")))
    , m_kind(kind)
    , m_pages(new QTabWidget)
    , m_name(Edit("edtName", 60))
    , m_comment(Edit("edtComment", 255))
    , m_valueLabel(Label(QString(), "lblTotal"))
    , m_valueMark(Label(QStringLiteral("*"), "lblTotalMark"))
    , m_valueHint(Label(QString(), "lblTotalHint"))
    , m_saleStart(NumberEdit("edtSaleStart", KeyFilter::DigitsDot, 13))
    , m_storeNames(Edit("edtPos"))
    , m_pickStores(button("btnPos", QStringLiteral("...")))
    , m_partGoods(CheckBox("chkPartGoods", QStringLiteral("是否部分商品有效")))
    , m_memberTypes(CheckBox("chkVipType", QStringLiteral("适用卡类型")))
    , m_specialPrice(CheckBox("chkSpecialPrice", QStringLiteral("特价商品是否使用")))
    , m_earnsPoints(CheckBox("chkIntegral", QStringLiteral("是否积分")))
    , m_expiry(CheckBox("chkExpiry", QStringLiteral("是否控制过期")))
    , m_bindMember(CheckBox("chkBindVip", QStringLiteral("绑定会员卡")))
    , m_autoCreate(CheckBox("chkAutoAdd", QStringLiteral("零售自动赠卡数量不足自动新增")))
    , m_note(Label(QString(), "lblNote"))
    , m_goodsModel(new TQueryGridModel(this))
    , m_addGoods(button("btnAddGoods", QStringLiteral("添加")))
    , m_delGoods(button("btnDelGoods", QStringLiteral("删除")))
    , m_memberModel(new TQueryGridModel(this))
    , m_byDays(Radio("rbDays", QStringLiteral("生效后天数")))
    , m_byDate(Radio("rbDate", QStringLiteral("有效期至")))
    , m_days(NumberEdit("edtDays", KeyFilter::Digits, 9))
    , m_date(new QDateEdit) {
    m_saved.kind = kind;
    m_pages->setObjectName(QStringLiteral("pcMain"));
    m_rangType->setObjectName(QStringLiteral("cbRangType"));
    m_rangType->addItems({QStringLiteral("优惠比例"), QStringLiteral("优惠金额")});
    m_pointsRule->setObjectName(QStringLiteral("cbIntegerType"));
    m_pointsRule->addItems({QStringLiteral("现金券支付部分要积分"), QStringLiteral("现金券支付部分不积分"),
                            QStringLiteral("现金券支付整单不积分")});
    m_date->setObjectName(QStringLiteral("dtpDate"));
    m_date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_date->setCalendarPopup(true);
    m_date->setMaximumDate(lastDay());
    m_date->setDate(QDate::currentDate());
    m_storeNames->setReadOnly(true);
    m_note->setWordWrap(true);
    m_saleStart->setText(QStringLiteral("0"));
    m_useCount->setText(QStringLiteral("0"));
    m_useLimit->setText(QStringLiteral("1"));
    KeepInRange(m_saleStart, QStringLiteral("消费起点"), 0, LargestValue);

    m_pages->addTab(buildBasics(), QStringLiteral("基础信息"));
    m_pages->addTab(buildGoods(), QStringLiteral("许可商品"));
    m_pages->addTab(buildMemberTypes(), QStringLiteral("许可会员卡类型"));
    m_pages->addTab(buildExpiry(), QStringLiteral("过期设置"));
    QHBoxLayout* buttons =
        ConfirmButtons(QStringLiteral("确定(&O)"), QStringLiteral("取消(&C)"), [this] { OnSave(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    m_ok = findChild<QPushButton*>(QStringLiteral("btnOK"));
    m_ok->setToolTip(QStringLiteral("保存[F2]"));
    auto* save = new QShortcut(Qt::Key_F2, this);
    connect(save, &QShortcut::activated, m_ok, [this] {
        if (m_ok->isEnabled())
            m_ok->click();
    });
    resize(620, 460);

    for (QCheckBox* box : {m_partGoods, m_memberTypes, m_expiry})
        connect(box, &QCheckBox::toggled, this, &TETCTypeManage::applyState);
    connect(m_byDays, &QRadioButton::toggled, this, &TETCTypeManage::applyState);
    ConnectGuarded(m_pickStores, &QPushButton::clicked, this, &TETCTypeManage::OnPickStores);
    ConnectGuarded(m_addGoods, &QPushButton::clicked, this, &TETCTypeManage::OnAddGoods);
    ConnectGuarded(m_delGoods, &QPushButton::clicked, this, &TETCTypeManage::OnDelGoods);
    connect(m_memberGrid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            m_memberModel->SetMarked(index.row(), !m_memberModel->IsMarked(index.row()));
    });
}

QWidget* TETCTypeManage::buildBasics() {
    m_basics = new QWidget;
    auto* fields = new QGridLayout;
    fields->addWidget(Label(QStringLiteral("名    称")), 0, 0);
    fields->addWidget(m_name, 0, 1, 1, 3);
    fields->addWidget(Label(QStringLiteral("*")), 0, 4);
    fields->addWidget(Label(QStringLiteral("备    注")), 1, 0);
    fields->addWidget(m_comment, 1, 1, 1, 3);
    fields->addWidget(m_valueLabel, 2, 0);
    fields->addWidget(m_value, 2, 1);
    fields->addWidget(m_valueMark, 2, 2);
    fields->addWidget(m_valueHint, 2, 3);
    fields->addWidget(m_rangTypeLabel, 3, 0);
    fields->addWidget(m_rangType, 3, 1);
    fields->addWidget(Label(QStringLiteral("消费起点")), 4, 0);
    fields->addWidget(m_saleStart, 4, 1);
    fields->addWidget(Label(QStringLiteral("使用次数限制")), 4, 2);
    fields->addWidget(m_useCount, 4, 3);
    fields->addWidget(m_useLimitLabel, 5, 0);
    fields->addWidget(m_useLimit, 5, 1);
    fields->addWidget(m_pointsRuleLabel, 5, 2);
    fields->addWidget(m_pointsRule, 5, 3);
    fields->addWidget(Label(QStringLiteral("适用门店")), 6, 0);
    auto* stores = new QHBoxLayout;
    stores->addWidget(m_storeNames, 1);
    stores->addWidget(m_pickStores);
    fields->addLayout(stores, 6, 1, 1, 3);
    auto* boxes = new QGridLayout;
    const QList<QCheckBox*> all = {m_partGoods,    m_memberTypes, m_otherTypes,   m_expiry,     m_bindMember,
                                   m_undiscounted, m_autoCreate,  m_specialPrice, m_earnsPoints};
    for (int i = 0; i < all.size(); ++i)
        boxes->addWidget(all[i], i / 3, i % 3);
    auto* layout = new QVBoxLayout(m_basics);
    layout->addLayout(fields);
    layout->addLayout(boxes);
    layout->addWidget(m_note);
    layout->addStretch();
    // Special-price goods are not offered; purchases paid with a coupon earn points
    // unless the points rule says otherwise.
    m_specialPrice->hide();
    m_earnsPoints->hide();
    m_earnsPoints->setChecked(true);
    return m_basics;
}

QWidget* TETCTypeManage::buildGoods() {
    m_goodsPage = new QWidget;
    m_goodsModel->SetColumns({{QStringLiteral("UserCode"), QStringLiteral("商品编号"), 120},
                              {QStringLiteral("FullName"), QStringLiteral("商品名称"), 260}});
    m_goodsGrid = grid("gridGoods", m_goodsModel);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_addGoods);
    buttons->addWidget(m_delGoods);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(m_goodsPage);
    layout->addLayout(buttons);
    layout->addWidget(m_goodsGrid);
    showGoods();
    return m_goodsPage;
}

QWidget* TETCTypeManage::buildMemberTypes() {
    m_memberPage = new QWidget;
    m_memberModel->SetColumns({{TQueryGridModel::MarkField, QStringLiteral("选择"), 50},
                               {QStringLiteral("TypeName"), QStringLiteral("会员卡类型"), 240}});
    m_memberGrid = grid("gridVipType", m_memberModel);
    auto* layout = new QVBoxLayout(m_memberPage);
    layout->addWidget(m_memberGrid);
    return m_memberPage;
}

QWidget* TETCTypeManage::buildExpiry() {
    m_expiryPage = new QWidget;
    auto* layout = new QGridLayout(m_expiryPage);
    layout->addWidget(m_byDays, 0, 0);
    layout->addWidget(m_days, 0, 1);
    layout->addWidget(Label(QStringLiteral("天")), 0, 2);
    layout->addWidget(m_byDate, 1, 0);
    layout->addWidget(m_date, 1, 1);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(3, 1);
    m_byDays->setChecked(true);
    return m_expiryPage;
}

void TETCTypeManage::SetValueCaption(const QString& caption, const QString& mark, const QString& hint) {
    m_valueLabel->setText(caption);
    m_valueMark->setText(mark);
    m_valueHint->setText(hint);
}

void TETCTypeManage::SetNote(const QString& text) {
    m_note->setText(text);
}

bool TETCTypeManage::IsAmount() const {
    return m_kind == CouponKind::PreferentialCoupon && m_rangType->currentIndex() == 1;
}

bool TETCTypeManage::Open(int id, bool readOnly) {
    m_readOnly = readOnly;
    SetControlVisible();
    BeforeFormShow();
    m_memberModel->SetRows(m_store.MemberTypes());
    if (id > 0) {
        const std::optional<ETCTypeRecord> type = m_store.Load(m_kind, id);
        if (!type) {
            ShowMsg(QStringLiteral("该购物卡类型不存在或已经删除"));
            return false;
        }
        show(*type);
    } else {
        m_storeNames->setText(AllStores);
    }
    KeepInRange(m_value, m_valueLabel->text(), 0, LargestValue);
    m_ok->setEnabled(!readOnly && m_saved.enabled == CouponTypeState::InUse);
    for (QWidget* part :
         std::initializer_list<QWidget*>{m_basics, m_memberGrid, m_expiryPage, m_addGoods, m_delGoods})
        part->setEnabled(!readOnly);
    applyState();
    m_pages->setCurrentIndex(0);
    return true;
}

void TETCTypeManage::show(const ETCTypeRecord& t) {
    m_saved = t;
    m_name->setText(t.name);
    m_comment->setText(t.comment);
    m_rangType->setCurrentIndex(GetBitValue(t.flags, PreferentialAmount) ? 1 : 0);
    m_value->setText(valueText(t.value));
    m_saleStart->setText(valueText(t.saleStart));
    m_useCount->setText(QString::number(t.useCount));
    m_useLimit->setText(QString::number(t.useLimit));
    m_pointsRule->setCurrentIndex(t.pointsRule);
    const QList<QPair<QCheckBox*, int>> boxes = {
        {m_partGoods, PartialGoods},         {m_memberTypes, MemberTypes},
        {m_specialPrice, SpecialPriceGoods}, {m_otherTypes, OtherTypes},
        {m_earnsPoints, EarnsPoints},        {m_expiry, ExpiryControlled},
        {m_bindMember, BoundToMember},       {m_undiscounted, UndiscountedGoods},
        {m_autoCreate, AutoCreate}};
    for (const auto& [box, bit] : boxes)
        box->setChecked(GetBitValue(t.flags, bit));
    m_stores = t.stores;
    m_storeNames->setText(t.stores.isEmpty() ? AllStores : t.storeNames);
    m_goods = t.goods;
    showGoods();
    for (int row = 0; row < m_memberModel->rowCount(); ++row)
        m_memberModel->SetMarked(
            row, t.memberTypes.contains(m_memberModel->Value(row, QStringLiteral("CTypeID")).toInt()));
    (t.expiryType == CouponExpiry::UntilDate ? m_byDate : m_byDays)->setChecked(true);
    m_days->setText(QString::number(t.expiryDays));
    if (t.expiryDate.isValid())
        m_date->setDate(t.expiryDate);
}

void TETCTypeManage::applyState() {
    m_pages->setTabVisible(m_pages->indexOf(m_goodsPage), m_partGoods->isChecked());
    m_pages->setTabVisible(m_pages->indexOf(m_memberPage), m_memberTypes->isChecked());
    m_pages->setTabVisible(m_pages->indexOf(m_expiryPage), m_expiry->isChecked());
    m_days->setEnabled(m_byDays->isChecked());
    m_date->setEnabled(!m_byDays->isChecked());
}

void TETCTypeManage::showGoods() {
    ClientDataSet rows;
    rows.SetFields({QStringLiteral("typeId"), QStringLiteral("UserCode"), QStringLiteral("FullName")});
    for (const BaseInfoItem& product : m_goods)
        rows.AppendRow({product.typeId, product.code, product.name});
    m_goodsModel->SetRows(rows);
}

void TETCTypeManage::OnPickStores() {
    TStringList chosen;
    for (int store : m_stores)
        chosen.Add(QStringLiteral("%1=1").arg(store));
    TParamObject params;
    params.Add(QStringLiteral("@PosList"), chosen.Text());
    params.Add(QStringLiteral("@CanAllPos"), m_stores.isEmpty() ? 1 : 0);
    params.Add(QStringLiteral("@UseCustomPosColumn"), 1);
    if (CallQueryClass(QStringLiteral("TPosMultSel"), params) != mrOk)
        return;
    m_stores.clear();
    QStringList names;
    if (params.AsString(QStringLiteral("@Sel")) == QLatin1String("1")) {
        const QStringList lines =
            params.AsString(QStringLiteral("@PosList")).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        for (const QString& line : lines) {
            m_stores.append(line.section(QLatin1Char('='), 0, 0).toInt());
            names.append(line.section(QLatin1Char('='), 1));
        }
    }
    m_storeNames->setText(m_stores.isEmpty() ? AllStores : names.join(QLatin1Char(',')));
}

void TETCTypeManage::OnAddGoods() {
    for (const BaseInfoItem& product : TPtypeSelectDlg::Select(this)) {
        const bool listed = std::any_of(m_goods.cbegin(), m_goods.cend(), [&](const BaseInfoItem& item) {
            return item.typeId == product.typeId;
        });
        if (!listed)
            m_goods.append(product);
    }
    showGoods();
}

void TETCTypeManage::OnDelGoods() {
    const int row = m_goodsGrid->currentIndex().row();
    if (row < 0 || row >= m_goods.size())
        return;
    m_goods.removeAt(row);
    showGoods();
    m_goodsGrid->setCurrentIndex(m_goodsModel->index(std::min(row, int(m_goods.size()) - 1), 0));
}

QString TETCTypeManage::valueMissingText() const {
    if (m_kind == CouponKind::CashCoupon)
        return QStringLiteral("必须录入金额");
    if (m_kind == CouponKind::DiscountCard)
        return QStringLiteral("必须录入折扣");
    return IsAmount() ? QStringLiteral("必须录入优惠金额") : QStringLiteral("必须录入优惠范围");
}

ETCTypeRecord TETCTypeManage::entered() const {
    ETCTypeRecord t;
    t.id = m_saved.id;
    t.kind = m_kind;
    t.name = m_name->text().trimmed();
    t.comment = m_comment->text();
    t.saleStart = Money::fromText(m_saleStart->text());
    t.useCount = StringToInt(m_useCount->text());
    t.useLimit = StringToInt(m_useLimit->text());
    t.value = Money::fromText(m_value->text());
    t.pointsRule = m_pointsRule->currentIndex();
    const QList<QPair<QCheckBox*, int>> boxes = {
        {m_partGoods, PartialGoods},         {m_memberTypes, MemberTypes},
        {m_specialPrice, SpecialPriceGoods}, {m_otherTypes, OtherTypes},
        {m_earnsPoints, EarnsPoints},        {m_expiry, ExpiryControlled},
        {m_bindMember, BoundToMember},       {m_undiscounted, UndiscountedGoods},
        {m_autoCreate, AutoCreate}};
    for (const auto& [box, bit] : boxes)
        t.flags = SetBitValue(t.flags, bit, box->isChecked());
    t.flags = SetBitValue(t.flags, MinimumPurchase, t.saleStart.raw() > 0);
    t.flags = SetBitValue(t.flags, UseCountLimited, t.useCount > 0);
    t.flags = SetBitValue(t.flags, SeveralPerReceipt, t.useLimit > 1);
    t.flags = SetBitValue(t.flags, HasValue, t.value.raw() > 0);
    t.flags = SetBitValue(t.flags, PreferentialAmount, IsAmount());
    if (m_memberTypes->isChecked()) {
        for (int row : m_memberModel->MarkedRows())
            t.memberTypes.append(m_memberModel->Value(row, QStringLiteral("CTypeID")).toInt());
    }
    t.expiryType = m_byDays->isChecked() ? CouponExpiry::DaysAfterActivation : CouponExpiry::UntilDate;
    t.expiryDays = m_byDays->isChecked() ? StringToInt(m_days->text()) : 0;
    t.expiryDate = m_byDays->isChecked() ? QDate::currentDate().addDays(t.expiryDays) : m_date->date();
    t.stores = m_stores;
    t.storeNames = m_storeNames->text();
    if (m_partGoods->isChecked())
        t.goods = m_goods;
    return t;
}

void TETCTypeManage::OnSave() {
    const ETCTypeRecord t = entered();
    if (t.name.isEmpty())
        Refuse(m_name, QStringLiteral("名称不能为空"));
    if (m_partGoods->isChecked() && m_goods.isEmpty())
        Refuse(m_goodsGrid, QStringLiteral("许可商品不能为空"));
    if (m_memberTypes->isChecked() && t.memberTypes.isEmpty())
        Refuse(m_memberGrid, QStringLiteral("许可会员类型不能为空"));
    if (t.value.raw() <= 0)
        Refuse(m_value, valueMissingText());
    if (m_kind == CouponKind::PreferentialCoupon && !IsAmount() && t.value > Money::fromUnits(100))
        Refuse(m_value, QStringLiteral("优惠范围必须在 0 到 100 之间"));
    if (m_expiry->isChecked() && m_byDays->isChecked()) {
        if (t.expiryDays > QDate::currentDate().daysTo(lastDay()))
            Refuse(m_days, QStringLiteral("生效后天数设置过大，不能保存"));
        if (t.expiryDays == 0)
            Refuse(m_days, QStringLiteral("生效后天数设置不能为0"));
    }
    const ETCTypeStore::Result result = m_store.Save(t);
    if (result.code != 0) {
        if (!result.text.isEmpty())
            ShowMsg(result.text, QStringLiteral("提示"));
        return;
    }
    m_saved = t;
    m_saved.id = result.id;
    SetModalResult(mrOk);
}
