#include "vip/coupons/TETCCardManage.h"

#include "host/sdk/BitValue.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/TStringList.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/coupons/CouponTypeExports.h"
#include "vip/coupons/ETCCardHeadOffice.h"
#include "vip/coupons/ETCKinds.h"
#include "vip/members/VipSelectExports.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

const Money MostValue = Money::fromUnits(999999999);

QPushButton* dots(const char* name) {
    auto* button = new QPushButton(QStringLiteral("..."));
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setMaximumWidth(30);
    return button;
}

QString dateText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

} // namespace

TETCCardManage::TETCCardManage(int kind, int id, bool readOnly, QWidget* parent)
    : TBaseDialog(parent)
    , m_kind(kind)
    , m_readOnly(readOnly)
    , m_type(DialogFields::Edit("edtType"))
    , m_typeButton(dots("btnType"))
    , m_cardNo(DialogFields::Edit("edtCardNo", 60))
    , m_valueLabel(DialogFields::Label(QString()))
    , m_value(DialogFields::NumberEdit("edtTotal", KeyFilter::DigitsDot, 12))
    , m_valueMark(DialogFields::Label(QString(), "lbMark"))
    , m_member(DialogFields::Edit("edtVIP", 100))
    , m_memberButton(dots("btnVIP"))
    , m_stores(DialogFields::Edit("edtPos"))
    , m_storesButton(dots("btnPos"))
    , m_start(new QDateEdit(QDate::currentDate()))
    , m_active(DialogFields::CheckBox("chkActive", QStringLiteral("激活")))
    , m_save(new QPushButton(QStringLiteral("保存[F2]")))
    , m_viewType(new QPushButton(QStringLiteral("查看类型"))) {
    setObjectName(QStringLiteral("TETCCardManage"));
    m_card.id = id;
    m_card.kind = kind;
    m_type->setReadOnly(true);
    m_stores->setReadOnly(true);
    m_start->setObjectName(QStringLiteral("dtStart"));
    m_start->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_start->setCalendarPopup(true);
    m_save->setObjectName(QStringLiteral("btnOK"));
    m_viewType->setObjectName(QStringLiteral("btnViewType"));
    auto* exit = new QPushButton(QStringLiteral("取消(&C)"));
    exit->setObjectName(QStringLiteral("btnExit"));

    auto* grid = new QGridLayout;
    int row = 0;
    const auto add = [&](QLabel* label, QWidget* field, QWidget* beside = nullptr) {
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        if (beside)
            grid->addWidget(beside, row, 2);
        ++row;
    };
    add(DialogFields::Label(QStringLiteral("类    型")), m_type, m_typeButton);
    add(DialogFields::Label(QStringLiteral("卡    号")), m_cardNo);
    add(m_valueLabel, m_value, m_valueMark);
    add(DialogFields::Label(QStringLiteral("绑定会员")), m_member, m_memberButton);
    add(DialogFields::Label(QStringLiteral("适用门店")), m_stores, m_storesButton);
    add(DialogFields::Label(QStringLiteral("生效日期")), m_start);
    grid->addWidget(m_active, row, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_viewType);
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    ConnectGuarded(m_typeButton, &QPushButton::clicked, this, [this] { chooseType(); });
    ConnectGuarded(m_memberButton, &QPushButton::clicked, this, [this] { chooseMember(); });
    ConnectGuarded(m_storesButton, &QPushButton::clicked, this, [this] { chooseStores(); });
    ConnectGuarded(m_viewType, &QPushButton::clicked, this, [this] { showType(); });
    ConnectGuarded(m_save, &QPushButton::clicked, this, [this] {
        DialogFields::FinishEditing(this);
        onSave();
    });
    auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(f2, &QShortcut::activated, m_save, [this] {
        if (m_save->isEnabled())
            m_save->click();
    });
    connect(exit, &QPushButton::clicked, this, &TBaseDialog::reject);
    connect(m_active, &QCheckBox::toggled, m_start, &QWidget::setEnabled);
    m_start->setEnabled(false);

    SetKind(kind);
    // The head office keeps the stores of a chain's cards: a new card is the current store's.
    if (ETCCardHeadOffice::ChainEdition()) {
        m_storesButton->setEnabled(false);
        const TComVar& session = Ucomvar();
        if (id == 0 && session.lPublicPosid > 0) {
            m_card.posIds = QString::number(session.lPublicPosid);
            m_card.posNames = session.szPublicPosName;
            m_stores->setText(m_card.posNames);
        }
    }
    if (m_readOnly) {
        for (QWidget* field :
             std::initializer_list<QWidget*>{m_typeButton, m_cardNo, m_value, m_member, m_memberButton,
                                             m_storesButton, m_start, m_active, m_save})
            field->setEnabled(false);
    }
}

void TETCCardManage::SetKind(int kind) {
    m_kind = kind;
    m_card.kind = kind;
    setWindowTitle(ETCKinds::EditorCaption(kind));
    m_valueLabel->setText(ETCKinds::EditorValueLabel(kind));
    showValueMark();
}

void TETCCardManage::showValueMark() {
    const bool ratio = m_kind == CouponKind::PreferentialCoupon &&
                       !GetBitValue(m_card.flags, CouponTypeFlag::PreferentialAmount);
    m_valueMark->setText(ratio ? QStringLiteral("% *") : QStringLiteral("*"));
}

bool TETCCardManage::LoadCard() {
    if (m_card.id == 0)
        return true;
    const std::optional<ETCCardStore::Card> card = m_store.Load(m_card.id, m_kind);
    if (!card) {
        ShowMsg(QStringLiteral("购物卡不存在或已经删除"));
        return false;
    }
    ShowCard(*card);
    return true;
}

void TETCCardManage::ShowCard(const ETCCardStore::Card& card) {
    m_card = card;
    if (card.kind != m_kind)
        SetKind(card.kind);
    m_type->setText(card.typeName);
    m_cardNo->setText(card.cardNo);
    m_value->setText(card.total.toString(2));
    m_member->setText(card.vipCode);
    m_stores->setText(card.posNames);
    m_active->setChecked(card.flag == 1);
    if (card.startDate.isValid())
        m_start->setDate(card.startDate);
    if (!card.endDate.isValid())
        m_card.endDate = QDate(2050, 1, 1);
    showValueMark();
    if (card.used)
        m_save->setEnabled(false);
    m_loaded = values();
}

ETCCardChangeLog::Values TETCCardManage::values() const {
    return {m_cardNo->text().trimmed(),
            m_type->text(),
            m_member->text().trimmed(),
            m_stores->text(),
            Money::fromText(m_value->text()).toString(2),
            m_active->isChecked() ? dateText(m_start->date()) : QString()};
}

void TETCCardManage::chooseType() {
    TParamObject params;
    params.Add(QStringLiteral("@SelectOneRow"), 1);
    params.Add(QStringLiteral("@FormStyle"), 1);
    params.Add(QStringLiteral("@Enable"), 1);
    if (CallQueryClass(ETCKinds::TypeListClass(m_kind), params) != mrOk || !params.Has(QStringLiteral("@ID")))
        return;
    m_card.etcId = params.AsInteger(QStringLiteral("@ID"));
    m_card.flags = params.AsInteger(QStringLiteral("@Flags"));
    m_type->setText(params.AsString(QStringLiteral("@NAME")));
    m_value->setText(params.AsMoney(QStringLiteral("@Total")).toString(2));
    if (m_storesButton->isEnabled()) {
        m_card.posIds = params.AsString(QStringLiteral("@TPosID"));
        m_card.posNames = params.AsString(QStringLiteral("@TPosName"));
        m_stores->setText(m_card.posNames);
    }
    showValueMark();
}

void TETCCardManage::chooseMember() {
    VRecord record;
    if (!ShowBillVipCardSel(&record))
        return;
    m_card.vipId = record.Id;
    m_card.vipCode = record.CardNo;
    m_member->setText(record.CardNo);
}

void TETCCardManage::chooseStores() {
    TStringList chosen;
    for (const QString& id : m_card.posIds.split(QLatin1Char(','), Qt::SkipEmptyParts))
        chosen.Add(id.trimmed() + QStringLiteral("=1"));
    TParamObject params;
    params.Add(QStringLiteral("@PosList"), chosen.Text());
    params.Add(QStringLiteral("@UseCustomPosColumn"), 1);
    if (CallQueryClass(QStringLiteral("TPosMultSel"), params) != mrOk)
        return;
    QStringList ids;
    QStringList names;
    static const QRegularExpression lineBreak(QStringLiteral("[\r\n]+"));
    for (const QString& line :
         params.AsString(QStringLiteral("@PosList")).split(lineBreak, Qt::SkipEmptyParts)) {
        ids.append(line.section(QLatin1Char('='), 0, 0).trimmed());
        names.append(line.section(QLatin1Char('='), 1));
    }
    m_card.posIds = ids.join(QLatin1Char(','));
    m_card.posNames = names.join(QLatin1Char(','));
    m_stores->setText(m_card.posNames.isEmpty() ? QStringLiteral("全部门店") : m_card.posNames);
}

void TETCCardManage::showType() {
    if (m_card.etcId != 0)
        ShowETCTypeManage(m_kind, m_card.etcId, true);
}

void TETCCardManage::onSave() {
    BeforeSave();
    if (m_card.etcId == 0)
        Refuse(m_typeButton, QStringLiteral("类型不能为空！"));
    const Money value = Money::fromText(m_value->text());
    if (value.isZero())
        Refuse(m_value, m_valueLabel->text().remove(QLatin1Char(' ')) + QStringLiteral("不能为空"));
    if (value > MostValue || value < Money())
        Refuse(m_value,
               m_valueLabel->text().remove(QLatin1Char(' ')) + QStringLiteral("必须大于0且不超过999999999"));
    ETCCardStore::Card card = m_card;
    card.cardNo = m_cardNo->text().trimmed();
    card.total = value.rounded(2);
    const QString member = m_member->text().trimmed();
    if (member != m_card.vipCode || member.isEmpty())
        card.vipId = 0;
    card.vipCode = member;
    card.flag = m_active->isChecked() ? 1 : 0;
    card.startDate = m_active->isChecked() ? m_start->date() : QDate();
    if (m_stores->text() == QLatin1String("全部门店"))
        card.posNames.clear();
    const ETCCardStore::Saved saved = m_store.Save(card, Ucomvar().nLoginUserRec, m_loaded, values());
    if (!saved.refusal.isEmpty()) {
        ShowError(saved.refusal, QStringLiteral("错误"));
        return;
    }
    card.id = saved.id;
    card.cardNo = saved.cardNo;
    m_card = card;
    m_cardNo->setText(saved.cardNo);
    AfterSave();
    SetModalResult(mrOk);
}
