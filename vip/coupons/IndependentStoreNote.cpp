#include "vip/coupons/IndependentStoreNote.h"

#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/TBaseQuery.h"

#include <QHBoxLayout>
#include <QLabel>

void IndependentStoreNote::Apply(TBaseQuery& window, const QString& text) {
    const TComVar& session = Ucomvar();
    const bool independent = session.lConnectType == 1;
    window.Params().Add(QStringLiteral("@PosID"), independent ? session.lPublicPosid : 0);
    if (!independent)
        return;
    auto* note = new QLabel(text, window.GetTopPanel());
    note->setObjectName(QStringLiteral("lbIndependent"));
    note->setStyleSheet(QStringLiteral("color: red"));
    auto* row = new QHBoxLayout(window.GetTopPanel());
    row->addWidget(note);
    row->addStretch();
}
