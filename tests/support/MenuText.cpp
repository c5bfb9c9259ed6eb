#include "tests/support/MenuText.h"

#include "host/sdk/ui/Accelerator.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QStringList MenuText(const QMenuBar& bar) {
    QStringList menus;
    for (QAction* action : bar.actions()) {
        QStringList captions;
        for (QAction* item : action->menu()->actions()) {
            if (!item->isSeparator())
                captions.append(WithoutAccelerator(item->text()));
        }
        menus.append(WithoutAccelerator(action->text()) + QStringLiteral(": ") +
                     captions.join(QStringLiteral(", ")));
    }
    return menus;
}
