#include "host/ui/QueryLayoutSettings.h"

#include <QSettings>

namespace {

const QString Order = QStringLiteral("order");
const QString Widths = QStringLiteral("widths");
const QString Hidden = QStringLiteral("hidden");
const QString Size = QStringLiteral("size");

} // namespace

QueryLayoutSettings::QueryLayoutSettings(QString windowClass)
    : m_group(QStringLiteral("QueryWindows/") + std::move(windowClass)) {}

TQueryGrid::Layout QueryLayoutSettings::Columns() const {
    QSettings settings;
    settings.beginGroup(m_group);
    TQueryGrid::Layout layout;
    layout.order = settings.value(Order).toStringList();
    const QVariantMap widths = settings.value(Widths).toMap();
    for (auto width = widths.cbegin(); width != widths.cend(); ++width) {
        if (width.value().toInt() > 0)
            layout.widths.insert(width.key(), width.value().toInt());
    }
    const QVariantMap hidden = settings.value(Hidden).toMap();
    for (auto field = hidden.cbegin(); field != hidden.cend(); ++field)
        layout.hidden.insert(field.key(), field.value().toBool());
    return layout;
}

QSize QueryLayoutSettings::WindowSize() const {
    QSettings settings;
    return settings.value(m_group + QLatin1Char('/') + Size).toSize();
}

void QueryLayoutSettings::Save(const TQueryGrid::Layout& columns, const QSize& windowSize) const {
    QSettings settings;
    settings.beginGroup(m_group);
    settings.setValue(Order, columns.order);
    QVariantMap widths;
    for (auto width = columns.widths.cbegin(); width != columns.widths.cend(); ++width)
        widths.insert(width.key(), width.value());
    settings.setValue(Widths, widths);
    QVariantMap hidden;
    for (auto field = columns.hidden.cbegin(); field != columns.hidden.cend(); ++field)
        hidden.insert(field.key(), field.value());
    settings.setValue(Hidden, hidden);
    if (windowSize.isValid())
        settings.setValue(Size, windowSize);
}
