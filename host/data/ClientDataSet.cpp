#include "host/sdk/ClientDataSet.h"

#include "host/data/VariantText.h"
#include "host/sdk/DbError.h"

QString Field::AsString() const {
    return VariantText::toText(m_value);
}
int Field::AsInteger() const {
    return VariantText::toInt(m_value);
}
qint64 Field::AsLargeInt() const {
    return VariantText::toInt64(m_value);
}
double Field::AsFloat() const {
    return VariantText::toDouble(m_value);
}
bool Field::AsBoolean() const {
    return VariantText::toBool(m_value);
}

QDate Field::AsDate() const {
    if (m_value.typeId() == QMetaType::QDate)
        return m_value.toDate();
    if (m_value.typeId() == QMetaType::QDateTime)
        return m_value.toDateTime().date();
    return QDate::fromString(AsString().left(10), QStringLiteral("yyyy-MM-dd"));
}

Money Field::AsMoney() const {
    if (m_value.metaType() == QMetaType::fromType<Money>())
        return m_value.value<Money>();
    return Money::fromRaw(VariantText::toInt64(m_value));
}

void ClientDataSet::SetFields(const QStringList& names) {
    Clear();
    m_fields = names;
    for (int i = 0; i < names.size(); ++i)
        m_index.insert(names[i].toLower(), i);
}

void ClientDataSet::AppendRow(QList<QVariant> values) {
    values.resize(m_fields.size());
    m_rows.append(std::move(values));
}

void ClientDataSet::Clear() {
    m_fields.clear();
    m_index.clear();
    m_rows.clear();
    m_current = 0;
}

int ClientDataSet::FindField(const QString& name) const {
    return m_index.value(name.toLower(), -1);
}

int ClientDataSet::requireField(const QString& name) const {
    const int column = FindField(name);
    if (column < 0)
        throw DbError(QStringLiteral("数据集中没有字段“%1”。").arg(name));
    return column;
}

void ClientDataSet::Next() {
    if (m_current < RecordCount())
        ++m_current;
}

void ClientDataSet::Prior() {
    if (m_current > 0)
        --m_current;
}

void ClientDataSet::SetRecNo(int row) {
    m_current = std::clamp(row, 0, static_cast<int>(RecordCount()));
}

Field ClientDataSet::FieldByName(const QString& name) const {
    const int column = requireField(name);
    if (Eof())
        return Field(m_fields[column], QVariant());
    return Field(m_fields[column], m_rows[m_current][column]);
}

QVariant ClientDataSet::Value(int row, const QString& name) const {
    return m_rows.at(row).at(requireField(name));
}

void ClientDataSet::SetValue(int row, const QString& name, const QVariant& value) {
    m_rows[row][requireField(name)] = value;
}

bool ClientDataSet::Locate(const QString& keyFields, const QVariantList& keyValues, int options) {
    const QStringList names = keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (names.size() != keyValues.size())
        throw DbError(QStringLiteral("定位的字段与值个数不一致。"));
    QList<int> columns;
    for (const QString& name : names)
        columns.append(requireField(name.trimmed()));
    const Qt::CaseSensitivity cs = (options & CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int row = 0; row < m_rows.size(); ++row) {
        bool match = true;
        for (int k = 0; k < columns.size() && match; ++k) {
            const QString have = VariantText::toText(m_rows[row][columns[k]]);
            const QString want = VariantText::toText(keyValues[k]);
            match = (options & PartialKey) ? have.startsWith(want, cs) : have.compare(want, cs) == 0;
        }
        if (match) {
            m_current = row;
            return true;
        }
    }
    return false;
}
