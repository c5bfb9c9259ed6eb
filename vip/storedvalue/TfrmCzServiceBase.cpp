#include "vip/storedvalue/TfrmCzServiceBase.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Notices.h"
#include "host/sdk/RetailConnect.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VRecord.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/devices/DeviceExports.h"
#include "vip/members/VipSelectExports.h"
#include "vip/storedvalue/ServiceItemChoice.h"
#include "vip/storedvalue/StoredValueExports.h"
#include "vip/storedvalue/TFrmChangeCzPass.h"

#include <QDate>
#include <QDateTime>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QUuid>
#include <QVBoxLayout>

namespace {

bool isEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool leftByTheUser(QEvent* event) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

QPushButton* button(const QString& caption, const char* name) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

TfrmCzServiceBase::TfrmCzServiceBase(int changeType, const QList<ServiceGridModel::Column>& columns,
                                     QWidget* parent)
    : TBaseDialog(parent)
    , m_changeType(changeType)
    , m_model(new ServiceGridModel(columns, this))
    , m_grid(new QTableView)
    , m_cardNo(DialogFields::Edit("CardNoEdit", 100))
    , m_passwordLabel(DialogFields::Label(QStringLiteral("密 码")))
    , m_password(DialogFields::Edit("edtPasswd", 6))
    , m_typeName(DialogFields::Label(QString(), "lblCardType"))
    , m_name(DialogFields::Label(QString(), "lblName"))
    , m_tel(DialogFields::Label(QString(), "lblTel"))
    , m_date(DialogFields::Label(QString(), "lblDate"))
    , m_employee(DialogFields::Label(QString(), "lblEmployee"))
    , m_pos(DialogFields::Label(QString(), "lblPos"))
    , m_moneyLabel(DialogFields::Label(QStringLiteral("金额合计：")))
    , m_money(DialogFields::Label(QString(), "lblMoney"))
    , m_footer(DialogFields::Label(QString(), "lblFooter"))
    , m_comment(DialogFields::Edit("CommentEdit", 255))
    , m_readCard(button(QStringLiteral("IC读卡[F11]"), "btnReadCard"))
    , m_delete(button(QStringLiteral("删除行[&D]"), "btnDelete"))
    , m_extra(new QWidget) {
    m_uniqueBillId = NewId();
    m_password->setEchoMode(QLineEdit::Password);
    m_readCard->setShortcut(QKeySequence(Qt::Key_F11));
    m_readCard->setFocusPolicy(Qt::NoFocus);
    m_grid->setObjectName(QStringLiteral("GridCZ"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    for (int c = 0; c < columns.size(); ++c) {
        m_grid->setColumnWidth(c, columns.at(c).width);
        m_grid->setColumnHidden(c, !columns.at(c).visible);
    }

    auto* card = new QGridLayout;
    const auto captioned = [](const QString& caption, QWidget* field) {
        auto* row = new QHBoxLayout;
        QLabel* label = DialogFields::Label(caption);
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field, 1);
        return row;
    };
    card->addLayout(captioned(QStringLiteral("会员卡号[&V]"), m_cardNo), 0, 0);
    card->addWidget(m_readCard, 0, 1);
    auto* password = new QHBoxLayout;
    m_passwordLabel->setBuddy(m_password);
    password->addWidget(m_passwordLabel);
    password->addWidget(m_password);
    card->addLayout(password, 0, 2);
    card->addLayout(captioned(QStringLiteral("卡类型："), m_typeName), 1, 0);
    card->addLayout(captioned(QStringLiteral("持卡人："), m_name), 1, 1);
    card->addLayout(captioned(QStringLiteral("电话："), m_tel), 1, 2);

    auto* foot = new QGridLayout;
    foot->addLayout(captioned(changeType == StoredValueChange::ServiceConsumption
                                  ? QStringLiteral("消费日期：")
                                  : QStringLiteral("充值日期："),
                              m_date),
                    0, 0);
    foot->addLayout(captioned(QStringLiteral("经手人："), m_employee), 0, 1);
    foot->addLayout(captioned(changeType == StoredValueChange::ServiceConsumption
                                  ? QStringLiteral("消费门店：")
                                  : QStringLiteral("充值门店："),
                              m_pos),
                    0, 2);
    auto* money = new QHBoxLayout;
    money->addWidget(m_moneyLabel);
    money->addWidget(m_money);
    money->addStretch();
    foot->addLayout(money, 1, 0);
    foot->addLayout(captioned(QStringLiteral("备注[&M]"), m_comment), 1, 1, 1, 2);
    foot->addWidget(m_extra, 2, 0, 1, 3);

    auto* savePrint = button(QStringLiteral("保存打印[&P]"), "btnSavePrint");
    auto* save = button(QStringLiteral("保存[&S]"), "btnSave");
    auto* exit = button(QStringLiteral("退出[&X]"), "btnExit");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(savePrint);
    buttons->addWidget(save);
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(card);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_footer);
    layout->addLayout(foot);
    layout->addLayout(buttons);
    resize(760, 460);

    ConnectGuarded(savePrint, &QPushButton::clicked, this, [this] { onSave(true); });
    ConnectGuarded(save, &QPushButton::clicked, this, [this] { onSave(false); });
    // Leaving the card number on the way out checks nothing.
    exit->setFocusPolicy(Qt::NoFocus);
    connect(exit, &QPushButton::clicked, this, [this] {
        m_closing = true;
        reject();
    });
    ConnectGuarded(m_readCard, &QPushButton::clicked, this, [this] { onReadCard(); });
    ConnectGuarded(m_delete, &QPushButton::clicked, this,
                   [this] { deleteRow(m_grid->currentIndex().row()); });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const QString field = m_model->Columns().at(index.column()).field;
        if (field == QLatin1String("PUSERCODE") || field == QLatin1String("PFULLNAME"))
            RunGuardedAction(this, [this, index] { chooseItem(index.row()); });
    });
    connect(m_model, &ServiceGridModel::cellEdited, this, [this](int row, const QString& field) {
        RunGuardedAction(this, [this, row, field] {
            CellEdited(row, field);
            RefreshFooter();
        });
    });
    connect(m_model, &ServiceGridModel::totalsChanged, this, [this] { RefreshFooter(); });
    ClearCardLabels();
}

QString TfrmCzServiceBase::Today() const {
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

QString TfrmCzServiceBase::NewId() const {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

void TfrmCzServiceBase::SetCardNo(const QString& cardNo, bool editable) {
    m_cardNo->setText(cardNo);
    m_cardNo->setEnabled(editable);
    m_readCard->setEnabled(editable);
}

void TfrmCzServiceBase::ClearCardLabels() {
    m_typeName->clear();
    m_name->clear();
    m_tel->clear();
}

void TfrmCzServiceBase::showEvent(QShowEvent* event) {
    TBaseDialog::showEvent(event);
    const TComVar& session = Ucomvar();
    m_pos->setText(session.szPublicPosName);
    m_date->setText(Today());
    m_employee->setText(session.szLoginUserName);
    RefreshFooter();
    if (m_cardNo->text().trimmed().isEmpty())
        m_cardNo->setFocus();
    else
        m_grid->setFocus();
    m_cardNoEntered = m_cardNo->text().trimmed();
}

int TfrmCzServiceBase::RecordedPosId() const {
    const TComVar& session = Ucomvar();
    bool recorded = session.bPJVer;
    for (int flag : {10, 11, 13, 14, 19, 21})
        recorded = recorded || AppClass().Flag(flag);
    return recorded ? session.lPublicPosid : 0;
}

bool TfrmCzServiceBase::refuseCard(const QString& text) {
    ShowMsg(text);
    if (m_cardNo->isVisible()) {
        m_cardNo->clear();
        m_cardNo->setFocus();
    }
    return false;
}

bool TfrmCzServiceBase::LoadCard() {
    const QString cardNo = m_cardNo->text().trimmed();
    m_cardLoaded = false;
    const TComVar& session = Ucomvar();
    const bool ownStore = AppClass().Flag(14) || AppClass().Flag(19);
    const QList<VipCzStore::ServiceCard> found =
        m_store.FindServiceCards(cardNo, ownStore ? session.lPublicPosid : 0);
    if (found.size() != 1) {
        if (cardNo.isEmpty())
            Messagebox(QStringLiteral("没有输入会员卡，请输入会员卡。"), QStringLiteral("提示"),
                       MB::IconInformation);
        else
            Messagebox(QStringLiteral("没有这样的VIP卡，或卡号错误！"), QStringLiteral("输入错误！"),
                       MB::IconError);
        ClearCardLabels();
        m_cardNo->clear();
        return false;
    }
    const VipCzStore::ServiceCard& card = found.first();
    if (!card.isLife)
        return refuseCard(QStringLiteral("这张卡未激活，不能使用！"));
    if (card.lose)
        return refuseCard(QStringLiteral("这张卡已经挂失，不能使用！"));
    if (card.stopUse)
        return refuseCard(QStringLiteral("这张卡已经停用，不能使用！"));
    if (!card.vipCz)
        return refuseCard(QStringLiteral("不是储值卡，不能使用！"));
    if (!card.vipCzService)
        return refuseCard(QStringLiteral("不是服务项目储值卡，不能使用！"));
    if (AppClass().Flag(14)) {
        if (card.posId == 0 && session.lpostype == 2)
            return refuseCard(QStringLiteral("该会员卡不允许独立加盟门店使用服务项目功能！"));
        if (session.lpostype == 1 && session.lConnectType == 1) {
            TRetailConnect connection;
            if (!session.bvipConnect || !connection.Connect())
                return refuseCard(
                    QStringLiteral("服务次卡在独立门店中使用时，\n必须打开选项'会员卡储值、会员卡积分、"
                                   "购物卡实时操作'，\n并且能够连接配送中心！"));
            connection.SvrGetCenterVipCard(card.id);
        }
        if (card.posId > 0 && card.posId != session.lPublicPosid)
            return refuseCard(QStringLiteral("该会员卡只允许指定的门店使用服务项目功能！"));
    } else if (card.posId > 0 && m_store.IsIndependentStore(card.posId)) {
        return refuseCard(QStringLiteral("该会员卡只允许指定的独立门店使用服务项目功能！"));
    }
    if (card.id != m_card.id)
        m_uniqueBillId = NewId();
    m_card = card;
    m_cardLoaded = true;
    m_cardNoLoaded = card.cardNo;
    m_cardNo->setText(card.cardNo);
    m_typeName->setText(card.typeName);
    m_name->setText(card.name);
    m_tel->setText(card.tel);
    m_store.RefreshServices(card.id);
    CardLoaded();
    return true;
}

void TfrmCzServiceBase::CheckPasswordTyped(bool askWhenHidden) {
    if (!m_card.usePass || m_passwordWaivedFor == m_cardNoLoaded)
        return;
    if (m_password->isVisible()) {
        const VipCzStore::PasswordResult answer =
            m_store.CheckPassword(m_cardNoLoaded, m_password->text().trimmed());
        if (answer == VipCzStore::PasswordLocked)
            Refuse(m_password, TFrmChangeCzPass::LockedText());
        if (answer != VipCzStore::PasswordRight)
            Refuse(m_password, QStringLiteral("密码错误！"));
        return;
    }
    // A dialog opened for a known card hides the password field; the card's
    // password is asked in its own dialog instead.
    if (askWhenHidden && !CheckPassword(m_cardNoLoaded, QString()))
        throw AbortAction();
}

bool TfrmCzServiceBase::GridHoldsEntries() const {
    return m_model->Prec(0) != 0;
}

bool TfrmCzServiceBase::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_cardNo) {
        if (event->type() == QEvent::FocusIn)
            m_cardNoEntered = m_cardNo->text().trimmed();
        if (isEnter(event) && focusWidget() == watched) {
            RunGuardedAction(this, [this] { onCardNoEnter(); });
            return true;
        }
        if (event->type() == QEvent::FocusOut && leftByTheUser(event) && !m_closing)
            RunGuardedAction(this, [this] { onCardNoExit(); });
    } else if (watched == m_password && isEnter(event) && focusWidget() == watched) {
        RunGuardedAction(this, [this] { PasswordEntered(); });
        m_grid->setFocus();
        if (m_model->rowCount() > 0)
            m_grid->setCurrentIndex(m_model->index(0, 0));
        return true;
    } else if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QModelIndex current = m_grid->currentIndex();
        if (current.isValid()) {
            const QString field = m_model->Columns().at(current.column()).field;
            if (key->key() == Qt::Key_Delete && field != ProtectedColumn()) {
                RunGuardedAction(this, [this, current] { deleteRow(current.row()); });
                return true;
            }
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                (field == QLatin1String("PUSERCODE") || field == QLatin1String("PFULLNAME"))) {
                RunGuardedAction(this, [this, current] { chooseItem(current.row()); });
                return true;
            }
        }
    }
    return TBaseDialog::eventFilter(watched, event);
}

void TfrmCzServiceBase::onCardNoExit() {
    const QString text = m_cardNo->text().trimmed();
    if (text == m_cardNoEntered && (m_cardLoaded || text.isEmpty()))
        return;
    if (text != m_cardNoEntered && !m_cardNoEntered.isEmpty()) {
        m_password->clear();
        if (GridHoldsEntries()) {
            if (Messagebox(SwitchQuestion(), QStringLiteral("确认"), MB::OkCancel | MB::IconQuestion) !=
                IDOK) {
                m_cardNo->setText(m_cardNoEntered);
                return;
            }
            m_model->Clear();
        }
        m_card.usePass = false;
    }
    m_cardNoEntered = text;
    if (text.isEmpty()) {
        m_cardLoaded = false;
        m_cardNoLoaded.clear();
        ClearCardLabels();
        CardLoaded();
        return;
    }
    LoadCard();
}

void TfrmCzServiceBase::onCardNoEnter() {
    const QString text = m_cardNo->text().trimmed();
    if (!text.isEmpty()) {
        VRecord record;
        if (VIPSelect(record, text, false, true, false, false) == 0)
            m_cardNo->setText(record.CardNo);
    }
    if (m_password->isVisible())
        m_password->setFocus();
    else
        m_grid->setFocus();
}

void TfrmCzServiceBase::onReadCard() {
    const QString before = m_cardNo->text().trimmed();
    QString read;
    ShowReadICCard(read);
    if (read.trimmed().isEmpty() || read.trimmed() == before)
        return;
    m_cardNoEntered = before;
    m_cardNo->setText(read.trimmed());
    onCardNoExit();
}

void TfrmCzServiceBase::chooseItem(int row) {
    if (!m_cardLoaded) {
        ShowMsg(QStringLiteral("请先输入有效的会员卡号！"));
        m_cardNo->setFocus();
        return;
    }
    if (row > 0 &&
        (m_model->Prec(row - 1) == 0 || m_model->TextAt(row - 1, QStringLiteral("PFULLNAME")).isEmpty())) {
        Messagebox(QStringLiteral("当前行不能录入数据,因为上一行数据为空！"), QStringLiteral("出错提示"),
                   MB::IconError);
        return;
    }
    if (const std::optional<int> prec = ChooseServiceItem(this))
        SetItem(row, *prec);
}

void TfrmCzServiceBase::SetItem(int row, int prec) {
    const int other = m_model->RowOfItem(prec, row);
    if (other >= 0) {
        m_grid->setCurrentIndex(m_model->index(other, m_model->ColumnOf(QStringLiteral("PFULLNAME"))));
        return;
    }
    const std::optional<VipCzStore::ServiceItem> item = m_store.LoadServiceItem(prec);
    if (!item)
        return;
    if (m_model->Prec(row) != prec)
        m_model->ClearRow(row);
    m_model->SetItem(row, prec, item->code, item->name);
    ItemPlaced(row);
    RefreshFooter();
}

void TfrmCzServiceBase::SelectCell(int row, const QString& field) {
    m_grid->setFocus();
    m_grid->setCurrentIndex(m_model->index(row, m_model->ColumnOf(field)));
}

void TfrmCzServiceBase::deleteRow(int row) {
    if (row < 0 || m_model->Prec(row) == 0)
        return;
    if (Messagebox(QStringLiteral("你确定要删除该行吗？"), QStringLiteral("提示"),
                   MB::YesNo | MB::IconQuestion) != IDYES)
        return;
    m_model->RemoveItemRow(row);
    RefreshFooter();
}

void TfrmCzServiceBase::RefreshFooter() {
    m_footer->setText(m_model->FooterText());
    m_money->setText(MoneyTotal().toString(2));
}

void TfrmCzServiceBase::onSave(bool print) {
    DialogFields::FinishEditing(this);
    if (!LoadCard())
        return;
    CheckData();
    if (!SaveData())
        return;
    if (print)
        RunGuarded([this] { PrintSaved(); });
    SetModalResult(mrOk);
}

void TfrmCzServiceBase::ForwardToHeadOffice(const QList<VipCzStore::ServiceRow>& rows,
                                            const VipCzStore::ServiceSave& save) {
    if (!TLmConnect::IsConnectUse(TRetailConnect::ClassType))
        return;
    TRetailConnect connection;
    int place = 0;
    for (const VipCzStore::ServiceRow& row : rows)
        connection.SvrDetailTmpInsert(save.batchId, ++place, row.prec, row.count, row.oncePrice.toDouble(),
                                      row.gainTimes,
                                      row.lastDay.isEmpty() ? QVariant() : QVariant(row.lastDay));
    if (connection.SvrMainInsert(save.batchId, save.cardNo, save.changeType, save.total, save.userRec,
                                 save.accountRec, save.posId, save.memo, save.date, QString(), 0, Money(),
                                 save.uniqueBillId) != 0)
        connection.ShowErrorMessage(save.cardNo);
}

void TfrmCzServiceBase::TellMember(const QString& done, const QStringList& rowLines) {
    QStringList lines{QDateTime::currentDateTime().toString(QStringLiteral("yyyy年MM月dd日 HH:mm:ss")), done};
    lines << rowLines;
    SenWXVip(m_cardNoLoaded, lines.join(QLatin1Char('\n')), windowTitle());
}
