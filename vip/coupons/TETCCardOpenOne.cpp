#include "vip/coupons/TETCCardOpenOne.h"

#include "host/sdk/MessageBox.h"
#include "host/sdk/Ucomvar.h"
#include "host/sdk/VipCodes.h"
#include "host/sdk/ui/CallQueryClass.h"
#include "host/sdk/ui/DialogFields.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "host/sdk/ui/Refuse.h"
#include "vip/coupons/ETCCardHeadOffice.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// A card still to be issued: not used, not stopped, not yet activated.
bool waiting(const ClientDataSet& rows) {
    return rows.FieldByName(QStringLiteral("Used")).AsInteger() == 0 &&
           rows.FieldByName(QStringLiteral("IsStop")).AsInteger() == 0 &&
           rows.FieldByName(QStringLiteral("Flag")).AsInteger() == 0;
}

} // namespace

TETCCardOpenOne::TETCCardOpenOne(QWidget* parent)
    : TETCCardManage(CouponKind::CashCoupon, 0, false, parent) {
    setObjectName(QStringLiteral("TETCCardOpenOne"));
    setWindowTitle(QStringLiteral("购物卡发放"));
    static_cast<QVBoxLayout*>(layout())->insertWidget(
        0, DialogFields::Label(QStringLiteral("录入卡号后点击回车"), "lbHint"));
    CardNoEdit()->installEventFilter(this);
}

bool TETCCardOpenOne::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CardNoEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunGuardedAction(this, [this] { findCard(); });
            return true;
        }
    }
    return TETCCardManage::eventFilter(watched, event);
}

void TETCCardOpenOne::findCard() {
    const QString typed = CardNoEdit()->text().trimmed();
    if (typed.isEmpty())
        return;
    ClientDataSet rows;
    Store().FindByNumber(typed, Ucomvar().lPublicPosid, rows);
    QList<int> ids;
    for (rows.First(); !rows.Eof(); rows.Next()) {
        if (waiting(rows))
            ids.append(rows.FieldByName(QStringLiteral("ID")).AsInteger());
    }
    int id = ids.size() == 1 ? ids.first() : 0;
    if (ids.isEmpty()) {
        ShowMsg(QStringLiteral("没有找到未激活的购物卡：") + typed);
        return;
    }
    if (ids.size() > 1) {
        TParamObject params;
        params.Add(QStringLiteral("@FormStyle"), 1);
        params.Add(QStringLiteral("@CardNo"), typed);
        if (CallQueryClass(QStringLiteral("TETCCardSelect"), params) != mrOk ||
            !params.Has(QStringLiteral("@ID")))
            return;
        id = params.AsInteger(QStringLiteral("@ID"));
    }
    const std::optional<ETCCardStore::Card> card = Store().Load(id);
    if (!card)
        return;
    ShowCard(*card);
    ActiveBox()->setChecked(true);
}

void TETCCardOpenOne::BeforeSave() {
    // Only a card found by its number is issued here; new cards come from the card list.
    if (Card().id == 0)
        Refuse(CardNoEdit(), QStringLiteral("录入卡号后点击回车"));
}

void TETCCardOpenOne::AfterSave() {
    const ETCCardStore::Card& card = Card();
    QStringList refusals;
    if (card.vipId != 0 || !card.vipCode.isEmpty())
        refusals << ETCCardHeadOffice::Report(Store(), card.id, CouponCardMode::Bind, card.vipCode);
    if (card.flag == 1)
        refusals << ETCCardHeadOffice::Report(Store(), card.id, CouponCardMode::Activate, QString(),
                                              card.startDate);
    refusals.removeAll(QString());
    if (!refusals.isEmpty())
        ShowMsg(refusals.join(QLatin1Char('\n')));
}
