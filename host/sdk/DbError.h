#pragma once

#include <QString>
#include <stdexcept>

// A failed statement, procedure or connection. The dialog base and the list-window
// framework catch it at the event handler and show one error box.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};
