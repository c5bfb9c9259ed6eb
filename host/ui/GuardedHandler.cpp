#include "host/sdk/ui/GuardedHandler.h"

#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"

#include <exception>

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
