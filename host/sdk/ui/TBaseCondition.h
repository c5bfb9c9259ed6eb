#pragma once

#include "host/sdk/TParamObject.h"

#include <QWidget>
#include <functional>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;

// The condition panel above a list window's grid. A window's panel class puts its
// controls on in IniCondition, each under the name of the query parameter it fills
// ("@nPosRec"); the window reads them back as parameters before each load.
// Controls are laid out in columns of SetMaxRow rows.
class TBaseCondition : public QWidget {
    Q_OBJECT

public:
    explicit TBaseCondition(QWidget* parent = nullptr);

    // Hook: creates the panel's controls. Called once, before the first load.
    virtual void IniCondition() {}

    // Puts a control on the panel under a parameter name (with or without the "@");
    // an empty caption puts no label beside it. Returns the control.
    QWidget* AddControl(const QString& name, const QString& caption, QWidget* control);
    // Null when there is no control of that name.
    QWidget* GetControl(const QString& name) const;
    // The control's value: text, chosen item (its data when it has some), date,
    // 0/1 for a check box, number for a spin box. Throws DbError for an unknown name.
    QVariant GetParam(const QString& name) const;
    // Every control's value under its "@" name, in the order they were added.
    TParamObject GetParamList() const;
    void SetControlVisible(const QString& name, bool visible);

    // A button on the panel's right; its accelerator comes from the caption.
    QPushButton* CreateBtn(const QString& caption, std::function<void()> handler);
    void SetMaxRow(int rows);

private:
    struct Entry {
        QString name;
        QLabel* label;
        QWidget* control;
    };
    static QString bareName(const QString& name);
    const Entry* find(const QString& name) const;
    void layOut();

    QList<Entry> m_entries;
    QGridLayout* m_grid;
    QHBoxLayout* m_buttons;
    int m_maxRow = 2;
};
