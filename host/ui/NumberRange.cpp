#include "host/sdk/ui/NumberRange.h"

#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/NumberText.h"
#include "host/sdk/ui/Refuse.h"

#include <QApplication>
#include <QLineEdit>
#include <QScopeGuard>

namespace {

int quietLevel = 0;
// A refusal's box is shown while the field is being left; no second check then.
bool refusing = false;

} // namespace

NumberRange::Quiet::Quiet() {
    ++quietLevel;
}

NumberRange::Quiet::~Quiet() {
    --quietLevel;
}

NumberRange::NumberRange(QLineEdit* field, const QString& caption, double low, double high)
    : QObject(field)
    , m_field(field)
    , m_caption(caption)
    , m_low(low)
    , m_high(high) {
    connect(field, &QLineEdit::editingFinished, this, [this] {
        // Only a move to another control of the same window leaves the field: a box,
        // a popup or another window taking the focus does not.
        const QWidget* next = QApplication::focusWidget();
        if (quietLevel == 0 && !refusing && next && next->window() == m_field->window() &&
            !next->property(EndsDialog).toBool())
            RunGuarded([this] { check(); });
    });
}

void NumberRange::Attach(QLineEdit* field, const QString& caption, double low, double high) {
    // A field holds one range; a later one replaces it.
    delete field->findChild<NumberRange*>(QString(), Qt::FindDirectChildrenOnly);
    new NumberRange(field, caption, low, high);
}

bool NumberRange::holds() const {
    const QString text = m_field->text().trimmed();
    if (text.isEmpty())
        return true;
    bool number = false;
    const double value = text.toDouble(&number);
    return number && value >= m_low && value <= m_high;
}

void NumberRange::check() const {
    if (holds())
        return;
    refusing = true;
    const auto done = qScopeGuard([] { refusing = false; });
    Refuse(m_field, QStringLiteral("%1必须在 %2 到 %3 之间")
                        .arg(m_caption, DoubleToString(m_low), DoubleToString(m_high)));
}

void NumberRange::CheckAll(QWidget* window) {
    for (const NumberRange* range : window->findChildren<NumberRange*>()) {
        if (range->m_field->isEnabled())
            range->check();
    }
}
