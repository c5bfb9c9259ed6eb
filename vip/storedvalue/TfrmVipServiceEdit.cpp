#include "vip/storedvalue/TfrmVipServiceEdit.h"

#include "host/sdk/Limit.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/PrintService.h"
#include "host/sdk/ui/Refuse.h"
#include "host/sdk/ui/TPtypeSelectDlg.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/storedvalue/TVipServiceQuery.h"
#include "vip/storedvalue/VipServiceRuleDelegate.h"
#include "vip/storedvalue/VipServiceRuleModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

namespace {

const QString Caption = QStringLiteral("服务项目规则");
const QString PtypeCaption = QStringLiteral("项目名称");
const QString StartTimesCaption = QStringLiteral("起购次数");
const QString DiscountTypeCaption = QStringLiteral("赠送方式");
constexpr int AddRight = 903;
constexpr int EditRight = 904;

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

TfrmVipServiceEdit::TfrmVipServiceEdit(VSRuleOp op, int prec, TVipServiceQuery* list, QWidget* parent)
    : TBaseDialog(parent)
    , m_list(list)
    , m_ptype(DialogFields::Edit("edtPtype", 100))
    , m_ptypeButton(button("btnPtype", QStringLiteral("...")))
    , m_startTimes(DialogFields::NumberEdit("edtStartTimes", KeyFilter::Digits, 4))
    , m_oncePrice(DialogFields::NumberEdit("edtOncePrice", KeyFilter::DigitsDot, 12))
    , m_discountType(new QComboBox)
    , m_rules(new VipServiceRuleModel(this))
    , m_grid(new QTableView)
    , m_save(button("btnSave", QStringLiteral("保存[&S]")))
    , m_saveNew(button("btnSaveNew", QStringLiteral("保存新增[&A]")))
    , m_deleteRow(button("btnDelRow", QStringLiteral("删除行[&D]"))) {
    setObjectName(QStringLiteral("TfrmVipServiceEdit"));
    resize(620, 420);
    m_ptypeButton->setFocusPolicy(Qt::NoFocus);
    DialogFields::KeepWhole(m_startTimes);
    // The single-use price is kept as the item has it; nobody types it here.
    m_oncePrice->setVisible(false);
    m_discountType->setObjectName(QStringLiteral("cbxDiscountType"));
    m_discountType->addItem(QStringLiteral("倍数"), ServiceGiftMode::PerMultiple);
    m_discountType->addItem(QStringLiteral("直赠"), ServiceGiftMode::Direct);
    m_grid->setObjectName(QStringLiteral("GridRule"));
    m_grid->setModel(m_rules);
    m_grid->setItemDelegate(new VipServiceRuleDelegate(m_grid));
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_grid->setTabKeyNavigation(false);
    m_grid->horizontalHeader()->setDefaultSectionSize(86);

    auto* fields = new QGridLayout;
    const auto add = [&](int row, int column, const QString& caption, QWidget* field,
                         QWidget* beside = nullptr) {
        QLabel* label = DialogFields::Label(caption);
        label->setBuddy(field);
        fields->addWidget(label, row, column);
        auto* box = new QHBoxLayout;
        box->addWidget(field);
        if (beside)
            box->addWidget(beside);
        fields->addLayout(box, row, column + 1);
    };
    add(0, 0, PtypeCaption, m_ptype, m_ptypeButton);
    add(1, 0, StartTimesCaption, m_startTimes);
    add(1, 2, DiscountTypeCaption, m_discountType);
    fields->addWidget(m_oncePrice, 2, 1);

    auto* print = button("btnPrint", QStringLiteral("打印"));
    auto* exit = button("btnExit", QStringLiteral("退出[&X]"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_deleteRow);
    buttons->addStretch();
    for (QPushButton* b : {m_save, m_saveNew, print, exit})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    ConnectGuarded(m_ptypeButton, &QPushButton::clicked, this, &TfrmVipServiceEdit::choosePtype);
    ConnectGuarded(m_ptype, &QLineEdit::returnPressed, this, &TfrmVipServiceEdit::choosePtype);
    ConnectGuarded(m_startTimes, &QLineEdit::editingFinished, this, &TfrmVipServiceEdit::onStartTimesExit);
    ConnectGuarded(m_deleteRow, &QPushButton::clicked, this, &TfrmVipServiceEdit::onDeleteRow);
    ConnectGuarded(print, &QPushButton::clicked, this, &TfrmVipServiceEdit::onPrint);
    ConnectGuarded(m_save, &QPushButton::clicked, this, [this] { onSave(false); });
    ConnectGuarded(m_saveNew, &QPushButton::clicked, this, [this] { onSave(true); });
    connect(exit, &QPushButton::clicked, this, &TBaseDialog::reject);

    setMode(op);
    if (op == vsrAdd)
        clearForNext();
    else
        loadItem(prec);
}

void TfrmVipServiceEdit::setMode(VSRuleOp op) {
    m_op = op;
    const bool browse = op == vsrBrowse;
    setWindowTitle(op == vsrAdd    ? Caption + QStringLiteral("-新增")
                   : op == vsrEdit ? Caption + QStringLiteral("-编辑")
                                   : Caption);
    // The product is the item's identity: chosen once, when the item is made.
    m_ptype->setEnabled(op == vsrAdd);
    m_ptypeButton->setEnabled(op == vsrAdd);
    m_startTimes->setEnabled(!browse);
    m_discountType->setEnabled(!browse);
    m_deleteRow->setEnabled(!browse);
    m_rules->SetReadOnly(browse);
    const bool canSave = !browse && HasLimit(op == vsrAdd ? AddRight : EditRight);
    m_save->setVisible(!browse);
    m_save->setEnabled(canSave);
    m_saveNew->setVisible(!browse);
    m_saveNew->setEnabled(canSave && HasLimit(AddRight));
}

void TfrmVipServiceEdit::loadItem(int prec) {
    const std::optional<VipCzStore::ServiceItem> item = m_store.LoadServiceItem(prec);
    if (!item)
        ShowErrorAndAbort(QStringLiteral("该服务项目已不存在!"));
    m_prec = item->prec;
    m_ptypeName = item->name;
    m_ptype->setText(item->name);
    m_startTimes->setText(QString::number(item->startTimes));
    m_oncePrice->setText(DoubleToString(item->oncePrice.toDouble()));
    m_discountType->setCurrentIndex(m_discountType->findData(item->discountType));
    m_rules->Load(m_store.ServiceRules(prec));
}

void TfrmVipServiceEdit::clearForNext() {
    m_prec = 0;
    m_ptypeName.clear();
    m_ptype->clear();
    m_startTimes->setText(QStringLiteral("1"));
    m_oncePrice->clear();
    m_discountType->setCurrentIndex(0);
    m_rules->Load({});
    m_rules->SetFirstRow(1, Money());
    m_ptype->setFocus();
}

void TfrmVipServiceEdit::choosePtype() {
    const QList<BaseInfoItem> chosen = TPtypeSelectDlg::Select(this);
    if (chosen.isEmpty())
        return;
    m_prec = chosen.first().rec;
    m_ptypeName = chosen.first().name;
    m_ptype->setText(m_ptypeName);
    m_startTimes->setFocus();
}

int TfrmVipServiceEdit::startTimes() const {
    return StringToInt(m_startTimes->text());
}

void TfrmVipServiceEdit::onStartTimesExit() {
    if (m_op == vsrBrowse)
        return;
    m_rules->SetFirstRow(std::max(0, startTimes()), Money::fromText(m_oncePrice->text()));
}

void TfrmVipServiceEdit::onDeleteRow() {
    const int row = m_grid->currentIndex().row();
    if (row < 0)
        return;
    if (row == 0) {
        ShowMsg(QStringLiteral("第1行记录不允许删除!"));
        return;
    }
    if (Question(QStringLiteral("你确定要删除该行吗？")))
        m_rules->RemoveRule(row);
}

void TfrmVipServiceEdit::onPrint() {
    DialogFields::FinishEditing(this);
    VipServiceRuleModel rows;
    rows.SetReadOnly(true);
    QList<VipCzStore::ServiceRule> steps;
    for (const VipCzStore::ServiceRule& rule : m_rules->Rules()) {
        if (rule.buyTimes > 0)
            steps.append(rule);
    }
    rows.Load(steps);
    TParamObject items;
    items.Add(PtypeCaption, m_ptype->text());
    items.Add(StartTimesCaption, m_startTimes->text());
    items.Add(DiscountTypeCaption, m_discountType->currentText());
    RunPrintManage(QStringLiteral("服务项目规则.rwx"), items, &rows);
}

void TfrmVipServiceEdit::checkData() {
    if (m_ptype->text().trimmed().isEmpty())
        Refuse(m_ptype, PtypeCaption + QStringLiteral("不能为空!"));
    if (m_prec == 0 || m_ptype->text() != m_ptypeName)
        Refuse(m_ptype, QStringLiteral("无效的") + PtypeCaption + QStringLiteral("，请先选择!"));
    if (startTimes() < 1)
        Refuse(m_startTimes, StartTimesCaption + QStringLiteral("至少为1!"));
    if (m_discountType->currentIndex() < 0)
        Refuse(m_discountType, QStringLiteral("请先选择 ") + DiscountTypeCaption + QStringLiteral("!"));
    const QList<VipCzStore::ServiceRule>& rules = m_rules->Rules();
    if (m_discountType->currentData().toInt() == ServiceGiftMode::PerMultiple &&
        std::count_if(rules.begin(), rules.end(),
                      [](const VipCzStore::ServiceRule& r) { return r.buyTimes > 0 && r.gainTimes > 0; }) > 1)
        Refuse(m_grid, m_discountType->currentText() + QStringLiteral("优惠时，只允许有一行记录有赠送次数!"));
    for (int row = 0; row < rules.size(); ++row) {
        const VipCzStore::ServiceRule& rule = rules.at(row);
        if (rule.buyTimes == 0)
            continue;
        if (rule.buyTimes < startTimes()) {
            m_grid->setCurrentIndex(m_rules->index(row, VipServiceRuleModel::BuyTimes));
            Refuse(m_grid,
                   QStringLiteral("购买次数(%1)不能小于起购次数(%2)!").arg(rule.buyTimes).arg(startTimes()));
        }
        if (rule.oncePrice.isZero()) {
            m_grid->setCurrentIndex(m_rules->index(row, VipServiceRuleModel::OncePrice));
            Refuse(m_grid, QStringLiteral("请输入单价!"));
        }
    }
}

void TfrmVipServiceEdit::onSave(bool another) {
    DialogFields::FinishEditing(this);
    if (!HasLimit(m_op == vsrAdd ? AddRight : EditRight))
        ShowErrorAndAbort(QStringLiteral("您没有当前操作的权限"), QStringLiteral("提示"));
    checkData();
    const VipCzStore::ServiceSaved saved =
        m_store.SaveServiceItem({.prec = m_prec,
                                 .code = {},
                                 .name = m_ptypeName,
                                 .startTimes = startTimes(),
                                 .oncePrice = Money::fromText(m_oncePrice->text()),
                                 .discountType = m_discountType->currentData().toInt()},
                                m_op == vsrAdd, m_rules->Rules());
    if (saved.result < 0) {
        Messagebox(saved.atRule ? QStringLiteral("保存规则失败，请重试!")
                                : QStringLiteral("保存失败，请重试!"),
                   QStringLiteral("提示"), MB::IconWarning);
        throw AbortAction();
    }
    m_savedId = saved.result;
    newRuleId = saved.result;
    if (!another) {
        SetModalResult(mrOk);
        return;
    }
    if (m_list)
        m_list->AfterSave(QStringLiteral("ruleId"), m_savedId);
    setMode(vsrAdd);
    clearForNext();
}
