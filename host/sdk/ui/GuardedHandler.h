#pragma once

#include <QObject>
#include <functional>
#include <type_traits>

// Runs one user action to its end: a database error becomes one error box
// (caption "错误"), AbortAction ends the action silently. Returns true when the
// action ran through. Every event handler of a window runs this way, so a failed
// statement never tears down the window or the program.
bool RunGuarded(const std::function<void()>& action);

// Marks 'window' as needing 'right' (0: none) for everything the user does in it
// and in the dialogs it opens as its children.
void RequireRight(QObject& window, int right);
// RunGuarded for an action started in 'origin': when 'origin' or a window above it
// needs a right, the right is read afresh first, and an action of a user who lost
// it meanwhile (another workstation's administrator) is refused with
// "您没有当前操作的权限" before it touches anything.
bool RunGuardedAction(const QObject* origin, const std::function<void()>& action);

// The way to wire a control to a handler: the handler (a member function of
// 'receiver' taking no arguments, or any callable without arguments) runs as an
// action of 'receiver' (above) whenever 'signal' fires, and the connection ends
// with the receiver.
//     ConnectGuarded(m_saveButton, &QPushButton::clicked, this, &TCzOperatorfrm::OnSave);
template <typename Sender, typename Signal, typename Receiver, typename Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, Receiver* receiver, Handler handler) {
    return QObject::connect(sender, signal, receiver, [receiver, handler] {
        RunGuardedAction(receiver, [&] {
            if constexpr (std::is_member_function_pointer_v<Handler>)
                (receiver->*handler)();
            else
                handler();
        });
    });
}
