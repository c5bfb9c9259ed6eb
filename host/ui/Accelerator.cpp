#include "host/sdk/ui/Accelerator.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>

namespace {

const QString Letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");

bool isKey(QChar c) {
    return c.unicode() < 128 && c.isLetterOrNumber();
}

// The position of the character a single "&" marks; -1 when none ("&&" is an
// ampersand shown as such).
int markedAt(const QString& text) {
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return isKey(text[i + 1]) ? i + 1 : -1;
    }
    return -1;
}

// The caption without its shortcut: an appended "(&X)" goes, the "&" before a
// marked letter goes, an ampersand written "&&" stays so.
QString unmarked(const QString& text) {
    static const QRegularExpression appended(QStringLiteral("\\(&[A-Za-z0-9]\\)$"));
    QString plain = text;
    plain.remove(appended);
    QString out;
    for (int i = 0; i < plain.size(); ++i) {
        if (plain[i] == QLatin1Char('&') && i + 1 < plain.size() && plain[i + 1] != QLatin1Char('&'))
            continue;
        out += plain[i];
        if (plain[i] == QLatin1Char('&') && i + 1 < plain.size())
            out += plain[++i];
    }
    return out;
}

void assign(const QList<QAction*>& actions) {
    QSet<QChar> taken;
    QList<QAction*> unmarkedActions;
    for (QAction* action : actions) {
        if (action->isSeparator() || action->text().isEmpty())
            continue;
        const int at = markedAt(action->text());
        const QChar key = at >= 0 ? action->text()[at].toUpper() : QChar();
        if (at >= 0 && !taken.contains(key))
            taken.insert(key);
        else
            unmarkedActions.append(action);
    }
    for (QAction* action : unmarkedActions) {
        const QString plain = unmarked(action->text());
        QString marked;
        for (int i = 0; i < plain.size() && marked.isEmpty(); ++i) {
            if (isKey(plain[i]) && !taken.contains(plain[i].toUpper())) {
                taken.insert(plain[i].toUpper());
                marked = plain.left(i) + QLatin1Char('&') + plain.mid(i);
            }
        }
        for (int i = 0; i < Letters.size() && marked.isEmpty(); ++i) {
            if (!taken.contains(Letters[i])) {
                taken.insert(Letters[i]);
                marked = plain + QStringLiteral("(&") + Letters[i] + QLatin1Char(')');
            }
        }
        // A menu of more entries than keys leaves the rest without one.
        action->setText(marked.isEmpty() ? plain : marked);
    }
}

} // namespace

QString WithoutAccelerator(const QString& caption) {
    return unmarked(caption).replace(QLatin1String("&&"), QLatin1String("&"));
}

QKeySequence AcceleratorOf(const QString& caption) {
    static const QRegularExpression bracketed(QStringLiteral("\\[&?([A-Za-z0-9])\\]"));
    static const QRegularExpression ampersand(QStringLiteral("&([A-Za-z0-9])"));
    auto match = bracketed.match(caption);
    if (!match.hasMatch())
        match = ampersand.match(caption);
    if (!match.hasMatch())
        return {};
    return QKeySequence(QStringLiteral("Alt+") + match.captured(1).toUpper());
}

void AssignAccelerators(QMenu& menu) {
    assign(menu.actions());
    for (QAction* action : menu.actions()) {
        if (action->menu())
            AssignAccelerators(*action->menu());
    }
}

void AssignAccelerators(QMenuBar& bar) {
    assign(bar.actions());
    for (QAction* action : bar.actions()) {
        if (action->menu())
            AssignAccelerators(*action->menu());
    }
}
