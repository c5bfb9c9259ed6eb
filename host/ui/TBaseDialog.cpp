#include "host/sdk/ui/TBaseDialog.h"

#include <QHBoxLayout>

#include "host/sdk/MessageBox.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/FocusFrame.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/ModalService.h"
#include "host/sdk/ui/NumberRange.h"
#include "host/sdk/ui/PrintService.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTextEdit>
#include <QToolButton>

TBaseDialog::TBaseDialog(QWidget* parent)
    : QDialog(parent)
    , m_printAction(new QAction(QStringLiteral("打印"), this)) {
    // Keys reach the field that has the focus before this dialog could see them, and
    // spin boxes or combo boxes would take Up and Down for themselves; watching at
    // the application lets the dialog move first.
    qApp->installEventFilter(this);
    ShowFocusFrame(this);
    m_printAction->setShortcut(QKeySequence::Print);
    m_printAction->setShortcutContext(Qt::WindowShortcut);
    addAction(m_printAction);
    ConnectGuarded(m_printAction, &QAction::triggered, this, &TBaseDialog::Print);
}

int TBaseDialog::ShowModal() {
    return ModalService::current().showModal(*this);
}

void TBaseDialog::SetModalResult(int modalResult) {
    if (modalResult == mrNone)
        setResult(mrNone);
    else
        done(modalResult);
}

void TBaseDialog::reject() {
    done(mrCancel);
}

QString TBaseDialog::sizeKey() const {
    return QStringLiteral("Dialogs/%1/size").arg(QString::fromLatin1(metaObject()->className()));
}

void TBaseDialog::showEvent(QShowEvent* event) {
    // Only the first show: a dialog shown again after a hide keeps what the user has now.
    if (!m_sizeRestored) {
        m_sizeRestored = true;
        const QSize saved = QSettings().value(sizeKey()).toSize();
        if (saved.isValid())
            resize(saved.expandedTo(minimumSizeHint()));
    }
    QDialog::showEvent(event);
}

void TBaseDialog::done(int modalResult) {
    if (isVisible())
        QSettings().setValue(sizeKey(), size());
    QDialog::done(modalResult);
}

void TBaseDialog::Print() {
    const QString name = PrintTemplateName();
    if (name.isEmpty())
        return;
    TParamObject items;
    PrintItems(items);
    RunPrintManage(name, items, PrintRows());
}

bool TBaseDialog::keepsNavigationKey(QWidget* field, int key) const {
    if (qobject_cast<QTextEdit*>(field) || qobject_cast<QPlainTextEdit*>(field))
        return true;
    // A grid keeps them, and so does the editor of one of its cells: Enter there
    // ends the cell's edit rather than leaving the grid.
    for (QWidget* w = field; w && w != this; w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView*>(w))
            return true;
    }
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    return enter && (qobject_cast<QPushButton*>(field) || qobject_cast<QToolButton*>(field));
}

bool TBaseDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QDialog::eventFilter(watched, event);
    auto* field = static_cast<QWidget*>(watched);
    // Only the first delivery, to this dialog's focused field: a key the field
    // ignores comes past again on its way up to the parents.
    if (field->window() != this || focusWidget() != field)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QDialog::eventFilter(watched, event);
    bool forward = true;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        break;
    case Qt::Key_Up:
        forward = false;
        break;
    default:
        return QDialog::eventFilter(watched, event);
    }
    if (keepsNavigationKey(field, key->key()))
        return QDialog::eventFilter(watched, event);
    focusNextPrevChild(forward);
    return true;
}

QHBoxLayout* TBaseDialog::ConfirmButtons(const QString& confirmCaption, const QString& exitCaption,
                                         std::function<void()> onConfirm) {
    auto* confirm = new QPushButton(confirmCaption);
    confirm->setObjectName(QStringLiteral("btnOK"));
    auto* exit = new QPushButton(exitCaption);
    exit->setObjectName(QStringLiteral("btnExit"));
    confirm->setProperty(NumberRange::EndsDialog, true);
    exit->setProperty(NumberRange::EndsDialog, true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(confirm);
    row->addWidget(exit);
    // A confirm by its Alt shortcut leaves the focus in the field being typed in;
    // the field's edit ends first, as leaving it would, so the checks see what the
    // user sees.
    ConnectGuarded(confirm, &QPushButton::clicked, this, [this, onConfirm = std::move(onConfirm)] {
        DialogFields::FinishEditing(this);
        onConfirm();
    });
    connect(exit, &QPushButton::clicked, this, &TBaseDialog::reject);
    return row;
}
