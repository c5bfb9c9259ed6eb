#include "host/sdk/ui/TBaseCondition.h"

#include "host/sdk/DbError.h"
#include "host/sdk/ui/Accelerator.h"
#include "host/sdk/ui/GuardedHandler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

TBaseCondition::TBaseCondition(QWidget* parent)
    : QWidget(parent)
    , m_grid(new QGridLayout)
    , m_buttons(new QHBoxLayout) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addLayout(m_grid);
    layout->addStretch(1);
    layout->addLayout(m_buttons);
}

QString TBaseCondition::bareName(const QString& name) {
    return name.startsWith(QLatin1Char('@')) ? name.mid(1) : name;
}

const TBaseCondition::Entry* TBaseCondition::find(const QString& name) const {
    const QString bare = bareName(name);
    for (const Entry& entry : m_entries) {
        if (entry.name.compare(bare, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

QWidget* TBaseCondition::AddControl(const QString& name, const QString& caption, QWidget* control) {
    const QString bare = bareName(name);
    control->setParent(this);
    control->setObjectName(bare);
    QLabel* label = nullptr;
    if (!caption.isEmpty()) {
        label = new QLabel(caption, this);
        label->setBuddy(control);
    }
    m_entries.append(Entry{bare, label, control});
    layOut();
    return control;
}

QWidget* TBaseCondition::GetControl(const QString& name) const {
    const Entry* entry = find(name);
    return entry ? entry->control : nullptr;
}

QVariant TBaseCondition::GetParam(const QString& name) const {
    const Entry* entry = find(name);
    if (!entry)
        throw DbError(QStringLiteral("查询条件中没有“%1”。").arg(name));
    QWidget* control = entry->control;
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        const QVariant data = combo->currentData();
        return data.isValid() ? data : QVariant(combo->currentText());
    }
    if (auto* date = qobject_cast<QDateEdit*>(control))
        return date->date();
    if (auto* check = qobject_cast<QCheckBox*>(control))
        return check->isChecked() ? 1 : 0;
    if (auto* spin = qobject_cast<QSpinBox*>(control))
        return spin->value();
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(control))
        return spin->value();
    throw DbError(QStringLiteral("查询条件“%1”的控件不能取值。").arg(name));
}

TParamObject TBaseCondition::GetParamList() const {
    TParamObject params;
    for (const Entry& entry : m_entries)
        params.Add(QLatin1Char('@') + entry.name, GetParam(entry.name));
    return params;
}

void TBaseCondition::SetControlVisible(const QString& name, bool visible) {
    const Entry* entry = find(name);
    if (!entry)
        return;
    entry->control->setVisible(visible);
    if (entry->label)
        entry->label->setVisible(visible);
}

QPushButton* TBaseCondition::CreateBtn(const QString& caption, std::function<void()> handler) {
    auto* button = new QPushButton(caption, this);
    button->setShortcut(AcceleratorOf(caption));
    button->setAutoDefault(false);
    ConnectGuarded(button, &QPushButton::clicked, this, std::move(handler));
    m_buttons->addWidget(button);
    return button;
}

void TBaseCondition::SetMaxRow(int rows) {
    m_maxRow = std::max(1, rows);
    layOut();
}

void TBaseCondition::layOut() {
    for (const Entry& entry : m_entries) {
        if (entry.label)
            m_grid->removeWidget(entry.label);
        m_grid->removeWidget(entry.control);
    }
    for (int i = 0; i < m_entries.size(); ++i) {
        const int row = i % m_maxRow;
        const int column = (i / m_maxRow) * 2;
        if (m_entries[i].label)
            m_grid->addWidget(m_entries[i].label, row, column, Qt::AlignRight);
        m_grid->addWidget(m_entries[i].control, row, column + 1);
    }
}
