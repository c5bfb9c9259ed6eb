#include "vip/members/ReaderOnlyInput.h"

#include "host/sdk/Ucomvar.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// A millionth of a day: the longest pause between two keys of one reader burst,
// in tenths of a millisecond.
constexpr qint64 LongestPauseTenthsMs = 864;

ReaderOnlyInput::Clock& givenClock() {
    static ReaderOnlyInput::Clock current;
    return current;
}

qint64 now() {
    if (givenClock())
        return givenClock()();
    static QElapsedTimer steady = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return steady.elapsed();
}

} // namespace

ReaderOnlyInput::ReaderOnlyInput(QLineEdit* field)
    : QObject(field)
    , m_field(field) {
    field->installEventFilter(this);
    field->setContextMenuPolicy(Qt::NoContextMenu);
    field->setAcceptDrops(false);
}

void ReaderOnlyInput::SetClock(Clock clock) {
    givenClock() = std::move(clock);
}

bool ReaderOnlyInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_field || !Ucomvar().bNoVipKeyPress)
        return false;
    if (event->type() == QEvent::InputMethod)
        return true; // composed text is typed by hand
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace) {
        m_field->clear();
        m_inBurst = false;
        return true;
    }
    if (key->matches(QKeySequence::Paste))
        return true;
    if (key->text().isEmpty() || !key->text().at(0).isPrint())
        return false; // moving, confirming and leaving the field stay free
    const qint64 at = now();
    if (m_field->text().isEmpty()) {
        m_inBurst = true;
    } else if (!m_inBurst || (at - m_lastKey) * 10 > LongestPauseTenthsMs) {
        m_inBurst = false;
        return true;
    }
    m_lastKey = at;
    return false;
}
