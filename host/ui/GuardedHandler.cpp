#include "host/sdk/ui/GuardedHandler.h"

#include "host/sdk/DbError.h"
#include "host/sdk/Limit.h"
#include "host/sdk/MessageBox.h"

#include <QVariant>
#include <exception>

namespace {

const char* const RightProperty = "requiredRight";

// The right of the nearest window at or above 'origin' that names one.
int requiredRight(const QObject* origin) {
    for (const QObject* object = origin; object; object = object->parent()) {
        const QVariant right = object->property(RightProperty);
        if (right.isValid())
            return right.toInt();
    }
    return 0;
}

} // namespace

bool RunGuarded(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const DbError& e) {
        ShowError(e.message(), QStringLiteral("错误"));
    } catch (const AbortAction&) {
        // The box, if any, was shown by whoever abandoned the action.
    } catch (const std::exception& e) {
        // Anything else would unwind through Qt's event loop and end the program.
        ShowError(QString::fromLocal8Bit(e.what()), QStringLiteral("错误"));
    }
    return false;
}

void RequireRight(QObject& window, int right) {
    window.setProperty(RightProperty, right);
}

bool RunGuardedAction(const QObject* origin, const std::function<void()>& action) {
    return RunGuarded([&] {
        const int right = requiredRight(origin);
        if (right != 0 && !HasLimit(right))
            ShowErrorAndAbort(QStringLiteral("您没有当前操作的权限"), QStringLiteral("提示"));
        action();
    });
}
