#include "vip/frame/TPosWithCenterMultSel.h"

#include "host/sdk/TStringList.h"

#include <QCheckBox>

namespace {

const QString HeadOffice = QStringLiteral("总部");

} // namespace

TPosWithCenterMultSel::TPosWithCenterMultSel(QWidget* parent)
    : TPosMultSel(parent)
    , m_centerBox(new QCheckBox(QStringLiteral("选择总部[B]"), GetTopPanel())) {
    m_centerBox->setObjectName(QStringLiteral("chkCenter"));
    const QRect all = AllBox()->geometry();
    m_centerBox->setGeometry(all.right() + 1 + 33, all.top(), 100, all.height());
    AllBox()->hide();
}

void TPosWithCenterMultSel::OnIniButton() {
    TPosMultSel::OnIniButton();
    // The head office comes back either as the flag or as its "0=总部" line.
    m_centerBox->setChecked(Params().AsInteger(QStringLiteral("@CanCenter")) == 1 || ChosenIds().contains(0));
}

void TPosWithCenterMultSel::Confirm() {
    const bool center = m_centerBox->isChecked();
    TStringList lines;
    if (center)
        lines.Add(QStringLiteral("0=") + HeadOffice);
    const TStringList stores = MarkedStoreLines();
    for (int i = 0; i < stores.Count(); ++i)
        lines.Add(stores.Strings(i));
    if (!lines.IsEmpty()) {
        const QString text =
            AllChecked() ? (center ? HeadOffice + QLatin1Char(',') : QString()) + QStringLiteral("全部门店")
                         : lines.Text();
        Params().Add(QStringLiteral("@Sel"), QStringLiteral("1"));
        Params().Add(QStringLiteral("@CanAllPos"), AllChecked() ? 1 : 0);
        Params().Add(QStringLiteral("@PosList"), text);
        Params().Add(QStringLiteral("@PosNameList"),
                     QString(text).replace(QLatin1Char('\r'), QLatin1Char(',')));
    }
    Params().Add(QStringLiteral("@CanCenter"), center ? 1 : 0);
    SetModalResult(mrOk);
}
