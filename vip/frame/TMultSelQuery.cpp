#include "vip/frame/TMultSelQuery.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/TQueryGrid.h"
#include "host/sdk/ui/TQueryGridModel.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QToolButton>

TMultSelQuery::TMultSelQuery(const QString& allCaption, QWidget* parent)
    : TBaseQuery(parent)
    , m_allBox(new QCheckBox(allCaption, GetTopPanel())) {
    m_allBox->setObjectName(QStringLiteral("chkAll"));
    m_allBox->setGeometry(10, 9, 200, m_allBox->sizeHint().height());
    ConnectGuarded(m_allBox, &QCheckBox::toggled, this, &TMultSelQuery::OnAllBoxToggled);
    resize(380, 400);
}

void TMultSelQuery::OnIniButton() {
    m_ok = AddButtonAndGetAction(QStringLiteral("确定[O]"), &TMultSelQuery::OnOk);
    m_select = AddButtonAndGetAction(QStringLiteral("选择[S]"), &TMultSelQuery::OnSelect);
    m_markAll = AddButtonAndGetAction(QStringLiteral("全部[L]"), &TMultSelQuery::OnMarkAll);
    m_clearAll = AddButtonAndGetAction(QStringLiteral("取消全部[C]"), &TMultSelQuery::OnClearAll);
    m_exit = AddButtonAndGetAction(QStringLiteral("退出[X]"), [this] { SetModalResult(mrCancel); });
    for (QObject* object : m_ok->associatedObjects()) {
        if (auto* button = qobject_cast<QToolButton*>(object))
            m_okButton = button;
    }
    // The grid's Enter ends on OK; the next Enter should confirm, as a dialog's default button would.
    m_okButton->installEventFilter(this);

    // The marks follow once the rows are there.
    const QSignalBlocker quiet(m_allBox);
    m_allBox->setChecked(Params().AsInteger(QStringLiteral("@CanAllPos")) == 1);
}

void TMultSelQuery::InitParamList() {
    TBaseQuery::InitParamList();
    // Edition 7 also lists the stores of connection type 1, which the others leave out.
    Params().Add(QStringLiteral("@withConnectType1"), MEDVERSION() == 7 ? 1 : 0);
}

void TMultSelQuery::LoadData() {
    TBaseQuery::LoadData();
    const QSet<int> chosen = ChosenIds();
    TQueryGridModel* model = GetMainGrid()->GridModel();
    for (int row = 0; row < RowCount(); ++row) {
        if (chosen.contains(GDataVar(KeyField(), row).toInt()))
            model->SetMarked(row, true);
    }
    applyAllBox();
}

QSet<int> TMultSelQuery::ChosenIds() const {
    QSet<int> ids;
    const QStringList lines =
        Params().AsString(ChosenListParam()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        bool ok = false;
        const int id = line.section(QLatin1Char('='), 0, 0).trimmed().toInt(&ok);
        if (ok)
            ids.insert(id);
    }
    return ids;
}

bool TMultSelQuery::AllChecked() const {
    return m_allBox->isChecked();
}

bool TMultSelQuery::IsMarked(int row) const {
    return GetMainGrid()->GridModel()->IsMarked(row);
}

bool TMultSelQuery::RequireMarked(const QString& message) {
    if (RowCount() > 0 && GetMainGrid()->GridModel()->MarkedCount() > 0)
        return true;
    ShowMsg(message, QStringLiteral("提示"));
    GetMainGrid()->setFocus();
    GetMainGrid()->SetCurrentRow(0);
    return false;
}

void TMultSelQuery::OnOk() {
    // A click in the mark column can still clear a row while the box is checked;
    // the box speaks for every row.
    if (AllChecked() && RowCount() > 0)
        GetMainGrid()->GridModel()->MarkAll(true);
    Confirm();
}

void TMultSelQuery::OnSelect() {
    const int row = CurrentRow();
    if (row < 0)
        return;
    if (!IsMarked(row))
        GetMainGrid()->GridModel()->SetMarked(row, true);
    else if (!AllChecked())
        GetMainGrid()->GridModel()->SetMarked(row, false);
}

void TMultSelQuery::OnMarkAll() {
    if (RowCount() > 0)
        GetMainGrid()->GridModel()->MarkAll(true);
}

void TMultSelQuery::OnClearAll() {
    if (RowCount() > 0)
        GetMainGrid()->GridModel()->MarkAll(false);
}

void TMultSelQuery::OnAllBoxToggled() {
    applyAllBox();
    focusOk();
}

void TMultSelQuery::applyAllBox() {
    const bool all = AllChecked();
    if (all && RowCount() > 0)
        GetMainGrid()->GridModel()->MarkAll(true);
    m_select->setEnabled(!all);
    m_markAll->setEnabled(!all);
    m_clearAll->setEnabled(!all);
}

void TMultSelQuery::DoGridDoubleClick() {
    // Never closes the window as a pick: only OK runs the checks and hands the marks back.
}

bool TMultSelQuery::MainGridKeyPress(QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event.key()) {
    case Qt::Key_O:
        m_ok->trigger();
        return true;
    case Qt::Key_L:
        m_markAll->trigger();
        return true;
    case Qt::Key_C:
        m_clearAll->trigger();
        return true;
    case Qt::Key_X:
        m_exit->trigger();
        return true;
    case Qt::Key_A:
        m_allBox->toggle();
        return true;
    case Qt::Key_S:
        m_select->trigger();
        return true;
    case Qt::Key_Space:
        m_select->trigger();
        moveDown();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        moveDown();
        return true;
    default:
        return false;
    }
}

bool TMultSelQuery::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_okButton && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_ok->trigger();
            return true;
        }
    }
    return TBaseQuery::eventFilter(watched, event);
}

void TMultSelQuery::moveDown() {
    const int next = CurrentRow() + 1;
    if (next < RowCount())
        GetMainGrid()->SetCurrentRow(next);
    else
        focusOk();
}

void TMultSelQuery::focusOk() {
    m_okButton->setFocus();
}
