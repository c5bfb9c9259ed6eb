#include "vip/cardtypes/TRuleBandDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

TRuleBandDialog::TRuleBandDialog(const QString& objectName, const QString& caption, BandCheck check,
                                 bool flag, QWidget* parent)
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
    QHBoxLayout* buttons =
        ConfirmButtons(QStringLiteral("确认[&Y]"), QStringLiteral("退出[&X]"), [this] { OnConfirm(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void TRuleBandDialog::Accept(double from, double to) {
    if (m_check && !m_check(from, to, m_flag))
        return;
    SetModalResult(mrOk);
}
