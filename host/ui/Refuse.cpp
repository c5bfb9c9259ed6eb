#include "host/sdk/ui/Refuse.h"

#include <QStackedWidget>
#include <QTabWidget>

void ShowField(QWidget* field) {
    if (!field)
        return;
    // A tab widget keeps its pages in a stack of its own; a page switched off (its
    // tab hidden) stays where it is.
    for (QWidget* page = field; page->parentWidget(); page = page->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        const int index = tabs ? tabs->indexOf(page) : -1;
        if (index >= 0 && tabs->isTabVisible(index))
            tabs->setCurrentIndex(index);
    }
    field->setFocus();
}

void AbandonAt(QWidget* field) {
    ShowField(field);
    throw AbortAction();
}

void Refuse(QWidget* field, const QString& text, const QString& caption, int icon) {
    Messagebox(text, caption, MB::Ok | icon);
    AbandonAt(field);
}
