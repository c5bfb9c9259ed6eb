#pragma once

#include "host/sdk/TParamObject.h"
#include "host/sdk/ui/ModalResult.h"

#include <QDialog>

#include <functional>

class QAbstractItemModel;
class QAction;
class QHBoxLayout;

// The base of every dialog. Enter and Down move to the next field, Up to the previous
// one, in tab order; multi-line edits, open combo lists, grids and push buttons keep
// those keys. Setting a non-zero modal result closes the dialog with it; Esc and the
// close box give mrCancel. The print action (Ctrl+P) fills the dialog's template
// with its named items through the host's print engine. The control that has the
// focus is marked (ShowFocusFrame). A dialog the user resized opens at that size the
// next time, per dialog class, in the user's settings.
class TBaseDialog : public QDialog {
    Q_OBJECT

public:
    explicit TBaseDialog(QWidget* parent = nullptr);

    // Shows the dialog modally through the host and returns its modal result.
    int ShowModal();
    int ModalResult() const { return result(); }
    void SetModalResult(int modalResult);

    // Prints the dialog's template; a dialog without one has nothing to print.
    void Print();
    QAction* PrintAction() const { return m_printAction; }

    void reject() override;
    void done(int modalResult) override;

protected:
    // The row of confirm and exit buttons at the foot of a dialog, right-aligned
    // ("btnOK", "btnExit"): confirm ends the focused field's edit and holds every
    // number field to its range (DialogFields::FinishEditing), then runs guarded;
    // exit closes with mrCancel.
    QHBoxLayout* ConfirmButtons(const QString& confirmCaption, const QString& exitCaption,
                                std::function<void()> onConfirm);

    // The template the print engine fills; empty for a dialog that does not print.
    virtual QString PrintTemplateName() const { return {}; }
    // The named items the template shows, added to 'items'.
    virtual void PrintItems(TParamObject& items) const { Q_UNUSED(items); }
    // The rows a bill or list prints as its table, null for none.
    virtual const QAbstractItemModel* PrintRows() const { return nullptr; }

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool keepsNavigationKey(QWidget* field, int key) const;
    QString sizeKey() const;
    QAction* m_printAction;
    bool m_sizeRestored = false;
};
