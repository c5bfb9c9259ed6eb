#include "vip/members/VipSelectExports.h"

#include "host/sdk/Ucomvar.h"
#include "host/sdk/ui/GuardedHandler.h"
#include "vip/base/ModuleGlobals.h"
#include "vip/cardtypes/TVipTtypeCash.h"
#include "vip/members/TVipCardInputFrm.h"
#include "vip/members/Ty_vipselectFm.h"
#include "vip/members/VipCardStore.h"

#include <QApplication>
#include <stdexcept>

namespace {

int choose(VRecord& record, const VipCardStore::MemberSearch& search) {
    ClientDataSet rows;
    VipCardStore().SearchMembers(search, rows);
    if (rows.IsEmpty())
        return 1;
    if (rows.RecordCount() > 1) {
        Ty_vipselectFm list(rows, QApplication::activeWindow());
        y_vipselectFm = &list;
        if (list.ShowModal() != mrOk || list.ChosenRow() < 0)
            return -1;
        rows.SetRecNo(list.ChosenRow());
    }
    AddRecord(record, rows);
    return 0;
}

// A column the query may not carry reads as empty.
QVariant column(const ClientDataSet& rows, const char* name) {
    return rows.FindField(QLatin1String(name)) < 0 ? QVariant()
                                                   : rows.FieldByName(QLatin1String(name)).Value();
}

QString dateText(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString().left(10);
}

} // namespace

int VIPSelect(VRecord& record, const QString& text, bool notActivated, bool byIdentity, bool usableToday,
              bool serviceOnly) {
    const TComVar& session = Ucomvar();
    const bool storeBound =
        session.lPublicPosid > 0 && (!notActivated || AppClass().Flag(14) || AppClass().Flag(19));
    return choose(record, {.text = text,
                           .notActivated = notActivated,
                           .byIdentity = byIdentity,
                           .usableToday = usableToday,
                           .serviceOnly = serviceOnly,
                           .localFields = false,
                           .posId = storeBound ? session.lPublicPosid : 0});
}

int AdoVIPSelect(VRecord& record, const QString& text) {
    return choose(record, {.text = text, .localFields = true, .posId = Ucomvar().lPublicPosid});
}

void AddRecord(VRecord& r, const ClientDataSet& rows) {
    const auto text = [&](const char* name) { return column(rows, name).toString(); };
    const auto number = [&](const char* name) { return column(rows, name).toDouble(); };
    const auto whole = [&](const char* name) { return column(rows, name).toInt(); };
    const auto money = [&](const char* name) {
        const QVariant value = column(rows, name);
        return value.isValid() ? rows.FieldByName(QLatin1String(name)).AsMoney().toDouble() : 0.0;
    };
    r = VRecord();
    r.CardNo = text("CardNo");
    r.Name = text("Name");
    r.VipBarCode = text("VIPBarCode");
    r.Tel = text("Tel");
    r.Address = text("Address");
    r.Comment = text("Comment");
    r.CardTypeText = text("CardType");
    r.Discount = number("Discount");
    r.BulidDate = dateText(column(rows, "BulidDate"));
    r.ValidityDate = dateText(column(rows, "ValidityDate"));
    r.Lose = whole("Lose") != 0;
    r.StopUse = whole("StopUse") != 0;
    r.BuyTotal = money("buyTotal");
    r.BuyTotalPerDay = number("BuyTotalPerDay");
    r.AutoDiscount = whole("AutoDiscount") != 0 ? QStringLiteral("1") : QString();
    r.membertotal = number("membertotal");
    r.sex = whole("sex");
    r.Birthday = text("Birthday");
    r.BirthdayCN = text("BirthdayCN");
    r.BirthType = whole("BirthType") != 0;
    r.IdentityCard = text("IdentityCard");
    r.EMail = text("E-Mail");
    r.MediFeedback = text("MediFeedback");
    r.Case = text("Case");
    r.AutoOneoff = whole("AutoOneOff");
    r.IntegralTotal = number("IntegralTotal");
    r.RemainTotal = number("RemainTotal");
    r.PYZJM = text("PYZJM");
    r.CardType = whole("CardType");
    r.CardId = text("cardid");
    r.VipCz = whole("VipCz") != 0;
    r.Cz00 = money("Cz00");
    r.CzTotal = money("CzTotal");
    r.Cz = money("Cz");
    r.IsOnlyJS = whole("IsOnlyJS") != 0;
    r.UsePass = whole("UsePass") != 0;
    r.PosId = whole("PosId");
    r.Id = whole("id");
    r.UsedCount = whole("UsedCount");
    r.Brec = whole("btypeid");
    r.AutoIntegral = whole("AutoIntegral") != 0 ? 1 : 0;
    const QVariant stamp = column(rows, "MD");
    r.MD = stamp.isValid() ? stamp.toLongLong() : VipCardStore().TypeStamp(r.CardType);
    if (VipTtypeCash)
        r.TypeRules = VipTtypeCash->GetVipTypeList(r.CardType, r.MD);
}

void ClearVipRecord(VRecord& record) {
    record.Clear();
}

bool ShowBillVipCardSel(VRecord* record) {
    if (!record)
        throw std::invalid_argument("ShowBillVipCardSel函数,传入参数需要先创建");
    bool accepted = false;
    RunGuarded([&] {
        TVipCardInputFrm dialog(QApplication::activeWindow());
        VipCardInputFrm = &dialog;
        if (dialog.ShowModal() == mrOk) {
            *record = dialog.Record();
            accepted = true;
        }
    });
    return accepted;
}
