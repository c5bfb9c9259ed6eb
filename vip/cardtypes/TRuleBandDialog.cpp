#include "vip/cardtypes/TRuleBandDialog.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/GuardedHandler.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TRuleBandDialog::TRuleBandDialog(const QString& objectName, const QString& caption, BandCheck check, bool flag,
                                 QWidget* parent)
    : TBaseDialog(parent)
    , m_check(std::move(check))
    , m_flag(flag) {
    setObjectName(objectName);
    setWindowTitle(caption);
}

QLineEdit* TRuleBandDialog::Field(const QString& name, int maxLength) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

void TRuleBandDialog::Arrange(const QList<QPair<QString, QLineEdit*>>& fields) {
    auto* form = new QFormLayout;
    for (const auto& [caption, edit] : fields)
        form->addRow(caption, edit);
    auto* confirm = new QPushButton(QStringLiteral("确认[&Y]"));
    confirm->setObjectName(QStringLiteral("btnOK"));
    auto* exit = new QPushButton(QStringLiteral("退出[&X]"));
    exit->setObjectName(QStringLiteral("btnExit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirm);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    ConnectGuarded(confirm, &QPushButton::clicked, this, [this] { OnConfirm(); });
    connect(exit, &QPushButton::clicked, this, &TRuleBandDialog::reject);
}

void TRuleBandDialog::Refuse(const QString& text, const QString& caption, QLineEdit* field) {
    Messagebox(text, caption, MB::Ok | MB::IconInformation);
    if (field)
        field->setFocus();
}

void TRuleBandDialog::Accept(double from, double to) {
    if (m_check && !m_check(from, to, m_flag))
        return;
    SetModalResult(mrOk);
}
