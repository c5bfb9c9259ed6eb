#pragma once

#include <QList>
#include <QString>
#include <QVariant>

// Lines of text, each able to carry an attached object, with the "name=value"
// reading the store lists use ("12=中山路店").
class TStringList {
public:
    void Add(const QString& line, const QVariant& object = {}) { m_lines.append({line, object}); }
    void Clear() { m_lines.clear(); }
    int Count() const { return static_cast<int>(m_lines.size()); }
    bool IsEmpty() const { return m_lines.isEmpty(); }
    const QString& Strings(int index) const { return m_lines.at(index).text; }
    const QVariant& Objects(int index) const { return m_lines.at(index).object; }
    // The part before the first "=", and the part after it.
    QString Names(int index) const { return Strings(index).section(QLatin1Char('='), 0, 0); }
    QString ValueFromIndex(int index) const { return Strings(index).section(QLatin1Char('='), 1); }
    // The lines joined by CR LF, as the list's text is exchanged.
    QString Text() const {
        QStringList lines;
        for (const Line& line : m_lines)
            lines.append(line.text);
        return lines.join(QLatin1String("\r\n"));
    }

private:
    struct Line {
        QString text;
        QVariant object;
    };
    QList<Line> m_lines;
};
