#pragma once

#include <QObject>
#include <QtGlobal>
#include <functional>

class QLineEdit;

// A card-number field that takes only what a card reader types while the host
// forbids typing by hand (the session's bNoVipKeyPress): a reader sends the whole
// number as one burst of keys, a person cannot. The first key of an empty field
// opens a burst; each key within 86.4 ms of the one before belongs to it; once that
// much time passes without a key, the burst is over and keys are refused until the
// field is empty again. Backspace empties the whole field; pasting is refused.
class ReaderOnlyInput : public QObject {
public:
    // Milliseconds of a steady clock; tests set their own.
    using Clock = std::function<qint64()>;

    explicit ReaderOnlyInput(QLineEdit* field);

    static void SetClock(Clock clock);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_field;
    bool m_inBurst = false;
    qint64 m_lastKey = 0;
};
