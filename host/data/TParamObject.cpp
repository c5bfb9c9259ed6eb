#include "host/sdk/TParamObject.h"

#include "host/data/VariantText.h"

void TParamObject::Add(const QString& name, const QVariant& value, Direction direction) {
    const int index = indexOf(name);
    if (index >= 0) {
        m_params[index].value = value;
        m_params[index].direction = direction;
        return;
    }
    m_params.append(Param{name, value, direction});
}

bool TParamObject::Remove(const QString& name) {
    const int index = indexOf(name);
    if (index < 0)
        return false;
    m_params.removeAt(index);
    return true;
}

int TParamObject::indexOf(const QString& name) const {
    for (int i = 0; i < m_params.size(); ++i) {
        if (m_params[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant TParamObject::Value(const QString& name) const {
    const int index = indexOf(name);
    return index < 0 ? QVariant() : m_params[index].value;
}

int TParamObject::AsInteger(const QString& name) const {
    return VariantText::toInt(Value(name));
}

double TParamObject::AsFloat(const QString& name) const {
    return VariantText::toDouble(Value(name));
}

QString TParamObject::AsString(const QString& name) const {
    return VariantText::toText(Value(name));
}

bool TParamObject::AsBoolean(const QString& name) const {
    return VariantText::toBool(Value(name));
}

Money TParamObject::AsMoney(const QString& name) const {
    const QVariant value = Value(name);
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>();
    if (value.typeId() == QMetaType::QString)
        return Money::fromText(value.toString());
    return Money::fromDouble(VariantText::toDouble(value));
}
