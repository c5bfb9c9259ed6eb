#include "host/ui/HostSettingsDialog.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/NumberRange.h"
#include "host/sdk/ui/Refuse.h"
#include "host/ui/Administrator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

using Entry = SettingCatalogue::Entry;
using Kind = SettingCatalogue::Kind;
using Home = SettingCatalogue::Home;

const QString Caption = QStringLiteral("系统设置");
const QString On = QStringLiteral("1");
const QString Off = QStringLiteral("0");

// Picks the item carrying 'value'; a value the list does not name is kept as an
// item of its own, so opening and saving never changes it behind the user's back.
void selectValue(QComboBox& combo, int value) {
    int index = combo.findData(value);
    if (index < 0) {
        combo.addItem(QStringLiteral("类型 %1").arg(value), value);
        index = combo.count() - 1;
    }
    combo.setCurrentIndex(index);
}

QLabel* explanationLabel(const Entry& entry, QWidget* parent) {
    auto* label = new QLabel(entry.explanation, parent);
    label->setObjectName(entry.key + QStringLiteral("Explanation"));
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

} // namespace

HostSettingsDialog::HostSettingsDialog(QWidget* parent)
    : TBaseDialog(parent)
    , m_config(dmClient()) {
    setWindowTitle(Caption);
    m_config.Load();

    auto* pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("SettingsPages"));
    for (const QString& group : SettingCatalogue::Groups()) {
        // A group longer than the window scrolls rather than squeezing its explanations.
        auto* scroll = new QScrollArea(pages);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(createPage(group));
        pages->addTab(scroll, group);
    }

    auto* save = new QPushButton(QStringLiteral("保存[&S]"), this);
    save->setObjectName(QStringLiteral("SaveButton"));
    auto* close = new QPushButton(QStringLiteral("退出[&X]"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setAutoDefault(false);
    // Saving checks every field itself; leaving needs no check.
    save->setProperty(NumberRange::EndsDialog, true);
    close->setProperty(NumberRange::EndsDialog, true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(save, QDialogButtonBox::AcceptRole);
    buttons->addButton(close, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addWidget(buttons);

    resize(640, 620);
    loadStore();
    m_loaded = values();
    ConnectGuarded(save, &QPushButton::clicked, this, &HostSettingsDialog::OnSave);
    connect(close, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
}

QWidget* HostSettingsDialog::createPage(const QString& group) {
    auto* page = new QWidget;
    auto* rows = new QVBoxLayout(page);
    const QList<Entry>& entries = SettingCatalogue::Entries();
    // The store whose kind and mode the page sets, named above them.
    if (std::any_of(entries.cbegin(), entries.cend(), [&](const Entry& entry) {
            return entry.group == group && entry.home == Home::CurrentStore;
        })) {
        auto* store = new QLabel(page);
        store->setObjectName(QStringLiteral("StoreNameLabel"));
        auto* line = new QHBoxLayout;
        line->addWidget(new QLabel(QStringLiteral("当前门店："), page));
        line->addWidget(store, 1);
        rows->addLayout(line);
    }
    for (const Entry& entry : entries) {
        if (entry.group != group)
            continue;
        QWidget* control = createControl(entry, page);
        control->setToolTip(entry.explanation);
        m_fields.append({&entry, control});
        if (entry.kind == Kind::Flag) {
            rows->addWidget(control);
        } else {
            auto* line = new QHBoxLayout;
            auto* name = new QLabel(entry.name + QStringLiteral("："), page);
            name->setBuddy(control);
            name->setToolTip(entry.explanation);
            line->addWidget(name);
            line->addWidget(control, 1);
            rows->addLayout(line);
        }
        QLabel* explanation = explanationLabel(entry, page);
        // Under the switch's caption rather than under its box.
        if (entry.kind == Kind::Flag)
            explanation->setIndent(control->sizeHint().height());
        rows->addWidget(explanation);
        rows->addSpacing(6);
    }
    rows->addStretch();
    return page;
}

QWidget* HostSettingsDialog::createControl(const Entry& entry, QWidget* parent) {
    const QByteArray name = entry.key.toLatin1();
    switch (entry.kind) {
    case Kind::Flag: {
        auto* box = DialogFields::CheckBox(name.constData(), entry.name);
        box->setParent(parent);
        box->setChecked(entry.home == Home::AppFlag ? m_config.AppFlags().Flag(entry.position)
                                                    : m_config.Flag(entry.key, entry.fallback == On));
        return box;
    }
    case Kind::Number: {
        auto* edit = DialogFields::NumberEdit(
            name.constData(), entry.low < 0 ? KeyFilter::DigitsMinus : KeyFilter::Digits, entry.maxLength);
        edit->setParent(parent);
        DialogFields::KeepInRange(edit, entry.name, entry.low, entry.high);
        edit->setText(QString::number(m_config.Integer(entry.key, entry.fallback.toInt())));
        return edit;
    }
    case Kind::Text: {
        QLineEdit* edit = DialogFields::Edit(name.constData(), entry.maxLength);
        edit->setParent(parent);
        edit->setText(m_config.Text(entry.key, entry.fallback));
        return edit;
    }
    case Kind::Choice: {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(entry.key);
        for (const SettingCatalogue::Choice& choice : entry.choices)
            combo->addItem(choice.caption, choice.value);
        return combo;
    }
    }
    Q_UNREACHABLE();
}

void HostSettingsDialog::loadStore() {
    auto* name = findChild<QLabel*>(QStringLiteral("StoreNameLabel"));
    m_storeId = Ucomvar().lPublicPosid;
    ClientDataSet store;
    if (m_storeId != 0)
        dmClient().OpenSQL(
            QStringLiteral(
                "SELECT PosName, PosType, ConnectType FROM posinfo WHERE posid = ? AND deleted = 0"),
            store, {m_storeId});
    // The head office (or a store closed meanwhile) has no kind or mode to set.
    if (store.IsEmpty()) {
        name->setText(m_storeId == 0 ? QStringLiteral("总部") : Ucomvar().szPublicPosName);
        m_storeId = 0;
    } else {
        name->setText(store.FieldByName(QStringLiteral("PosName")).AsString());
    }
    for (const Field& field : std::as_const(m_fields)) {
        if (field.entry->home != Home::CurrentStore)
            continue;
        auto* combo = static_cast<QComboBox*>(field.control);
        combo->setEnabled(m_storeId != 0);
        if (m_storeId != 0)
            selectValue(*combo, store.FieldByName(field.entry->key).AsInteger());
    }
}

QHash<QString, QString> HostSettingsDialog::values() const {
    QHash<QString, QString> result;
    for (const Field& field : m_fields) {
        QString value;
        switch (field.entry->kind) {
        case Kind::Flag:
            value = static_cast<QCheckBox*>(field.control)->isChecked() ? On : Off;
            break;
        case Kind::Number:
        case Kind::Text:
            value = static_cast<QLineEdit*>(field.control)->text().trimmed();
            break;
        case Kind::Choice:
            value = static_cast<QComboBox*>(field.control)->currentData().toString();
            break;
        }
        result.insert(field.entry->key, value);
    }
    return result;
}

void HostSettingsDialog::check() const {
    // Numbers are held to their ranges by their fields (KeepInRange).
    for (const Field& field : m_fields) {
        const Entry& entry = *field.entry;
        if (entry.kind == Kind::Text && entry.required &&
            static_cast<QLineEdit*>(field.control)->text().trimmed().isEmpty())
            Refuse(field.control, QStringLiteral("%1不能为空。").arg(entry.name));
    }
}

void HostSettingsDialog::OnSave() {
    if (!IsAdministrator())
        ShowErrorAndAbort(QStringLiteral("只有系统管理员才能修改系统设置。"), QStringLiteral("提示"));
    DialogFields::FinishEditing(this);
    check();

    // Changes go onto what the table holds now, so what another workstation saved
    // meanwhile stands, down to the single application flag.
    const QHash<QString, QString> now = values();
    m_config.Load();
    TAppClass flags = m_config.AppFlags();
    bool flagsChanged = false;
    bool storeChanged = false;
    for (const Field& field : std::as_const(m_fields)) {
        const Entry& entry = *field.entry;
        const QString value = now.value(entry.key);
        if (value == m_loaded.value(entry.key))
            continue;
        switch (entry.home) {
        case Home::HostConfig:
            m_config.SetText(entry.key, value);
            break;
        case Home::AppFlag:
            flags.SetFlag(entry.position, value == On);
            flagsChanged = true;
            break;
        case Home::CurrentStore:
            storeChanged = true;
            break;
        }
    }
    if (flagsChanged)
        m_config.SetAppFlags(flags);
    const int posType = now.value(QStringLiteral("PosType")).toInt();
    const int connectType = now.value(QStringLiteral("ConnectType")).toInt();

    Transaction transaction(dmClient());
    if (storeChanged &&
        dmClient().ExecuteSQL(
            QStringLiteral("UPDATE posinfo SET PosType = ?, ConnectType = ? WHERE posid = ? AND deleted = 0"),
            {posType, connectType, m_storeId}) == 0)
        throw DbError(QStringLiteral("当前门店已被删除，门店类型和连接方式未能保存。"));
    // Last, so that a failure before it leaves the changed settings pending for another try.
    m_config.Save();
    transaction.Commit();

    // Read back, so the session also gets what other workstations saved meanwhile.
    m_config.Load();
    m_config.ApplyTo(Ucomvar());
    if (storeChanged) {
        Ucomvar().lpostype = posType;
        Ucomvar().lConnectType = connectType;
    }
    SetModalResult(mrOk);
}
