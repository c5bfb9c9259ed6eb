#include "vip/members/VipCardStore.h"
#include "vip/points/VipPointsStore.h"

#include "host/sdk/SysLog.h"
#include "host/sdk/VipCodes.h"
#include "vip/members/MemberBirthday.h"

#include <QUuid>

namespace {

constexpr int MemberCards = 6; // the kind of record of the field configuration and custom fields
const QString OpenDate = QStringLiteral("1900-01-01");

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

VipCardStore::VipCardStore(DataModule& data)
    : m_data(data) {}

void VipCardStore::LoadCard(int cardId, ClientDataSet& row) {
    m_data.OpenProcByName(QStringLiteral("P_SelVipCard"),
                          {QStringLiteral("@EditType"), QStringLiteral("@id")}, {QStringLiteral("I"), cardId},
                          row);
}

void VipCardStore::LoadCardByGuid(const QString& cardGuid, ClientDataSet& row) {
    m_data.OpenProcByName(QStringLiteral("P_SelVipCard"),
                          {QStringLiteral("@EditType"), QStringLiteral("@cardid")},
                          {QStringLiteral("G"), cardGuid}, row);
}

QString VipCardStore::CardGuid(int cardId) {
    const std::optional<CardState> found = State(cardId);
    return found ? found->cardGuid : QString();
}

std::optional<VipCardStore::CardState> VipCardStore::state(const QString& where, const QVariant& key) {
    ClientDataSet rows;
    m_data.OpenSQL(
        QStringLiteral("SELECT id, cardid, IsLife, IsUse, ActivatePosId FROM vipcard WHERE deleted = 0 "
                       "AND ") +
            where,
        rows, {key});
    if (rows.IsEmpty())
        return std::nullopt;
    CardState s;
    s.id = rows.FieldByName(QStringLiteral("id")).AsInteger();
    s.cardGuid = rows.FieldByName(QStringLiteral("cardid")).AsString().trimmed();
    if (!s.cardGuid.startsWith(QLatin1Char('{')))
        s.cardGuid = QLatin1Char('{') + s.cardGuid + QLatin1Char('}');
    s.isLife = rows.FieldByName(QStringLiteral("IsLife")).AsInteger();
    s.isUse = rows.FieldByName(QStringLiteral("IsUse")).AsInteger();
    s.activatePosId = rows.FieldByName(QStringLiteral("ActivatePosId")).AsInteger();
    return s;
}

std::optional<VipCardStore::CardState> VipCardStore::State(int cardId) {
    return state(QStringLiteral("id = ?"), cardId);
}

std::optional<VipCardStore::CardState> VipCardStore::StateByGuid(const QString& cardGuid) {
    return state(QStringLiteral("cardid = ?"), cardGuid);
}

VipCardStore::CardLookup VipCardStore::lookup(const ClientDataSet& rows) const {
    CardLookup c;
    c.id = rows.FieldByName(QStringLiteral("id")).AsInteger();
    c.cardNo = rows.FieldByName(QStringLiteral("CardNo")).AsString();
    c.cardType = rows.FieldByName(QStringLiteral("CardType")).AsInteger();
    c.lose = rows.FieldByName(QStringLiteral("Lose")).AsBoolean();
    c.stopUse = rows.FieldByName(QStringLiteral("StopUse")).AsBoolean();
    c.isLife = rows.FieldByName(QStringLiteral("IsLife")).AsInteger();
    c.bulidDate = rows.FieldByName(QStringLiteral("BulidDate")).AsDate();
    c.validityDate = rows.FieldByName(QStringLiteral("ValidityDate")).AsDate();
    return c;
}

QList<VipCardStore::CardLookup> VipCardStore::CardsWithNumber(const QString& cardNo, int posId) {
    ClientDataSet rows;
    m_data.OpenProcByName(QStringLiteral("kd_GetVipCardCount"),
                          {QStringLiteral("@VipCardNo"), QStringLiteral("@PosID")}, {cardNo.trimmed(), posId},
                          rows);
    QList<CardLookup> cards;
    for (rows.First(); !rows.Eof(); rows.Next())
        cards.append(lookup(rows));
    return cards;
}

void VipCardStore::Candidates(const CandidateQuery& query, ClientDataSet& rows) {
    m_data.OpenProcByName(QStringLiteral("XF_VipQuery"),
                          {QStringLiteral("@VIPName"), QStringLiteral("@VIPNO"), QStringLiteral("@VIPType"),
                           QStringLiteral("@nPosRec"), QStringLiteral("@vipsearchdate"),
                           QStringLiteral("@vipsearchdate1"), QStringLiteral("@VIPFKDate"),
                           QStringLiteral("@VIPFKDate1"), QStringLiteral("@VIPYxDate"),
                           QStringLiteral("@VIPYxDate1"), QStringLiteral("@OnlyOne")},
                          {query.name, query.cardNo, query.cardType, query.posId, OpenDate, OpenDate,
                           OpenDate, OpenDate, OpenDate, OpenDate, query.onlyOne ? 1 : 0},
                          rows);
}

std::optional<VipCardStore::CardLookup> VipCardStore::FindCard(const QString& cardNo) {
    ClientDataSet rows;
    m_data.OpenProcByName(QStringLiteral("P_SelVipCard"),
                          {QStringLiteral("@EditType"), QStringLiteral("@CardNo")},
                          {QStringLiteral("S"), cardNo.trimmed()}, rows);
    if (rows.RecordCount() != 1)
        return std::nullopt;
    return lookup(rows);
}

bool VipCardStore::LoadCardByNumber(const QString& cardNo, ClientDataSet& row) {
    m_data.OpenProcByName(QStringLiteral("P_SelVipCard"),
                          {QStringLiteral("@EditType"), QStringLiteral("@CardNo")},
                          {QStringLiteral("S"), cardNo.trimmed()}, row);
    return row.RecordCount() == 1;
}

void VipCardStore::SearchMembers(const MemberSearch& search, ClientDataSet& rows) {
    m_data.OpenProcByName(QStringLiteral("P_VipSelect"),
                          {QStringLiteral("@Text"), QStringLiteral("@NotActivated"),
                           QStringLiteral("@ByIdentity"), QStringLiteral("@UsableToday"),
                           QStringLiteral("@ServiceOnly"), QStringLiteral("@LocalFields"),
                           QStringLiteral("@PosId"), QStringLiteral("@Today")},
                          {search.text, search.notActivated, search.byIdentity, search.usableToday,
                           search.serviceOnly, search.localFields, search.posId, QDate::currentDate()},
                          rows);
}

qint64 VipCardStore::TypeStamp(int typeId) {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT MD FROM viptype WHERE CTypeId = ?"), rows, {typeId});
    return rows.IsEmpty() ? 0 : rows.FieldByName(QStringLiteral("MD")).AsLargeInt();
}

std::optional<VipCardStore::TypeFlags> VipCardStore::Type(int typeId) {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT * FROM viptype WHERE CTypeId = ? AND deleted = 0"), rows, {typeId});
    if (rows.IsEmpty())
        return std::nullopt;
    const auto on = [&](const char* name) { return rows.FieldByName(QLatin1String(name)).AsInteger() == 1; };
    TypeFlags t;
    t.typeId = typeId;
    t.typeName = rows.FieldByName(QStringLiteral("TypeName")).AsString();
    t.discount = rows.FieldByName(QStringLiteral("Discount")).AsFloat();
    t.fixedDiscount = on("FixedDiscount");
    t.autoMemberTotal = on("automembertotal");
    t.autoIntegral = on("AutoIntegral");
    t.ifVipPrice = on("IfVipPrice");
    t.usePtypeDiscount = on("UsePtypeDisCount");
    t.autoDiscount = on("AutoDiscount");
    t.isCzService = on("IsCZService");
    t.isCzPreferential = on("IsCZPreferential");
    return t;
}

bool VipCardStore::PasswordAllowed(int typeId) {
    return m_data.ExecuteProcByName(QStringLiteral("kd_IsOnlyVipCardTypeDZ"), {QStringLiteral("@viptype")},
                                    {typeId}) == -1;
}

QList<VipCardStore::Store> VipCardStore::IssuingStores() {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT posid, PosName, PosType FROM posinfo p WHERE p.deleted = 0 AND "
                                  "p.ConnectType = 0 ORDER BY p.RowIndex, p.posid"),
                   rows);
    QList<Store> stores;
    for (rows.First(); !rows.Eof(); rows.Next())
        stores.append({rows.FieldByName(QStringLiteral("posid")).AsInteger(),
                       rows.FieldByName(QStringLiteral("PosName")).AsString(),
                       rows.FieldByName(QStringLiteral("PosType")).AsInteger()});
    return stores;
}

QString VipCardStore::StoreName(int posId) {
    return m_data.OpenSQLAsStr(QStringLiteral("SELECT PosName FROM posinfo WHERE posid = ?"), {posId});
}

int VipCardStore::StoreKind(int posId) {
    return m_data.OpenSQLAsInt(QStringLiteral("SELECT PosType FROM posinfo WHERE posid = ?"), {posId});
}

QList<VipCardStore::Store> VipCardStore::StoredValueStores(int typeId) {
    // A store takes part when the type applies everywhere or names it.
    const QString takesPart = QStringLiteral(
        "p.deleted = 0 AND p.ConnectType = ? AND (EXISTS (SELECT 1 FROM viptype t WHERE t.CanAllPos = 1 AND "
        "t.CTypeId = ?) OR EXISTS (SELECT 1 FROM PosVipType v WHERE v.PosID = p.posid AND v.viptype = ?))");
    QList<Store> stores;
    // The real-time stores share one stored value, offered as the single entry 0.
    if (m_data.OpenSQLAsInt(QStringLiteral("SELECT COUNT(*) FROM posinfo p WHERE ") + takesPart,
                            {0, typeId, typeId}) > 0)
        stores.append({0, QStringLiteral("实时应用"), 0});
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT p.posid, p.PosName, p.PosType FROM posinfo p WHERE ") + takesPart +
                       QStringLiteral(" ORDER BY p.posid"),
                   rows, {1, typeId, typeId});
    for (rows.First(); !rows.Eof(); rows.Next())
        stores.append({rows.FieldByName(QStringLiteral("posid")).AsInteger(),
                       rows.FieldByName(QStringLiteral("PosName")).AsString(),
                       rows.FieldByName(QStringLiteral("PosType")).AsInteger()});
    return stores;
}

QList<VipCardStore::FieldSetting> VipCardStore::FieldSettings() {
    ClientDataSet rows;
    m_data.OpenProcByName(QStringLiteral("P_BaseInfoShowList"),
                          {QStringLiteral("@IDFlag"), QStringLiteral("@Flag")}, {MemberCards, 1}, rows);
    QList<FieldSetting> settings;
    for (rows.First(); !rows.Eof(); rows.Next())
        settings.append({rows.FieldByName(QStringLiteral("FieldName")).AsString(),
                         rows.FieldByName(QStringLiteral("Visible")).AsInteger() == 1,
                         rows.FieldByName(QStringLiteral("MustField")).AsInteger() == 1});
    return settings;
}

QList<VipCardStore::CustomField> VipCardStore::CustomFields() {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT Name AS fn, Name AS dn, MustField AS mf, DataType AS dt FROM "
                                  "CustomFieldsDefine WHERE idflag = ? ORDER BY RowIndex, id"),
                   rows, {MemberCards});
    QList<CustomField> fields;
    for (rows.First(); !rows.Eof() && fields.size() < CustomFieldCount; rows.Next())
        fields.append({rows.FieldByName(QStringLiteral("fn")).AsString(),
                       rows.FieldByName(QStringLiteral("dn")).AsString(),
                       rows.FieldByName(QStringLiteral("mf")).AsInteger() == 1,
                       rows.FieldByName(QStringLiteral("dt")).AsInteger()});
    return fields;
}

QStringList VipCardStore::CustomValues(int cardId) {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT * FROM VipCustomFields WHERE IDflag = ? AND cardid = ?"), rows,
                   {MemberCards, cardId});
    QStringList values;
    for (int i = 0; i < CustomFieldCount; ++i)
        values.append(rows.IsEmpty() ? QString() : rows.FieldByName(QStringLiteral("C%1").arg(i)).AsString());
    return values;
}

void VipCardStore::SaveCustomValues(int cardId, const QStringList& values) {
    QStringList names = {QStringLiteral("@IDFlag"), QStringLiteral("@cardid")};
    QVariantList params = {MemberCards, cardId};
    for (int i = 0; i < CustomFieldCount; ++i) {
        names.append(QStringLiteral("@C%1").arg(i));
        params.append(i < values.size() ? values.at(i).trimmed() : QString());
    }
    m_data.ExecuteProcByName(QStringLiteral("P_VipCustomChange"), names, params);
}

int VipCardStore::WriteCard(const CardFields& card) {
    const MemberBirthday birthday =
        MemberBirthday::Of(card.lunarBirthday, card.lunarBirthday ? QString() : card.birthday,
                           card.lunarBirthday ? card.birthday : QString());
    QString guid = card.cardGuid;
    if (guid.isEmpty() && card.editType == QLatin1String("I"))
        guid = QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
    TParamObject p;
    const QList<std::pair<const char*, QVariant>> values = {
        {"@EditType", card.editType},
        {"@CardNo", card.cardNo.trimmed()},
        {"@Name", card.name},
        {"@Tel", card.tel},
        {"@Address", card.address},
        {"@Comment", card.comment},
        {"@CardType", QString::number(card.cardType)},
        {"@Discount", card.discount},
        {"@BulidDate", dateText(card.bulidDate)},
        {"@ValidityDate", dateText(card.validityDate)},
        {"@Lose", card.lose},
        {"@StopUse", card.stopUse},
        {"@AutoDiscount", card.autoDiscount ? QStringLiteral("1") : QStringLiteral("0")},
        {"@AutoMemberTotal", card.autoMemberTotal ? 1 : 0},
        {"@AutoOneOff", card.autoOneOff ? 1 : 0},
        {"@AutoIntegral", card.autoIntegral ? 1 : 0},
        {"@Sex", card.female},
        {"@Birthday", birthday.solar},
        {"@Identitycard", card.identityCard},
        {"@Email", card.email},
        {"@MediFeedBack", card.mediFeedback},
        {"@case", card.caseText},
        {"@buliddate1", QString()},
        {"@validitydate1", QString()},
        {"@searchdate", QString()},
        {"@searchdate1", QString()},
        {"@cardid", guid},
        {"@BRec", card.btypeId},
        {"@IsLife", card.isLife ? 1 : 0},
        {"@VIPBarCode", card.barCode},
        {"@JSVIPCardID", card.introducerId},
        {"@PosID", card.posId},
        {"@ERec", card.userRec},
        {"@ActivePosId", card.activePosId},
        {"@BirthType", card.lunarBirthday},
        {"@BirthdayCN", birthday.lunar},
        {"@IsLeapMonth", birthday.leapMonth},
        {"@BuyTotal", QVariant::fromValue(card.buyTotal)},
        {"@ljIntegral", card.ljIntegral},
    };
    for (const auto& [name, value] : values)
        p.Add(QLatin1String(name), value);
    if (card.isUseRead)
        p.Add(QStringLiteral("@IsUse"), *card.isUseRead);
    return m_data.ExecuteProcByName(QStringLiteral("Y_InsVipCard"), p);
}

int VipCardStore::WriteStoredValue(int cardId, const StoredValue& value) {
    TParamObject p;
    p.Add(QStringLiteral("@Vipcardid"), cardId);
    p.Add(QStringLiteral("@VipCz"), value.vipCz);
    p.Add(QStringLiteral("@VipCzService"), value.services);
    p.Add(QStringLiteral("@SetOpening"), value.setOpening);
    p.Add(QStringLiteral("@Cz00"), QVariant::fromValue(value.opening));
    p.Add(QStringLiteral("@UsePass"), value.usePass);
    if (value.password)
        p.Add(QStringLiteral("@Password"), *value.password);
    p.Add(QStringLiteral("@CzPosId"), value.czPosId);
    p.Add(QStringLiteral("@IsJSReward"), value.isJSReward);
    p.Add(QStringLiteral("@PosID"), value.posId);
    p.Add(QStringLiteral("@ERec"), value.userRec);
    p.Add(QStringLiteral("@OpId"), value.operationId.isEmpty()
                                       ? QUuid::createUuid().toString(QUuid::WithoutBraces)
                                       : value.operationId);
    return m_data.ExecuteProcByName(QStringLiteral("Y_InsVipCardCz"), p);
}

int VipCardStore::ChangePoints(const QString& cardNo, int changeType, int points, const QString& userCode,
                               int posId, const QString& memo) {
    // The points area owns the change record; a refusal reads as no change here.
    const int id = VipPointsStore(m_data).AddChange(cardNo, changeType, points, userCode, posId, memo);
    return id < 0 ? 0 : id;
}

bool VipCardStore::RewardIntroducer(int cardId, int changeType, int posId, int userRec) {
    return m_data.ExecuteProcByName(QStringLiteral("kd_VIPAddJSIntegralTotal"),
                                    {QStringLiteral("@CardID"), QStringLiteral("@PosID"),
                                     QStringLiteral("@Erec"), QStringLiteral("@ChangeType")},
                                    {cardId, posId, userRec, changeType}) == 0;
}

void VipCardStore::WriteChangeLog(const QStringList& lines, int userRec) {
    for (const QString& line : lines)
        TSysLog::LocalLogOper(userRec, LogKind::MemberCards, line);
}

int VipCardStore::CreationBillId(int cardId) {
    return m_data.OpenSQLAsInt(
        QStringLiteral("SELECT COALESCE(MAX(BillId), 0) FROM VipChangeInfo WHERE Vipcardid = ? "
                       "AND ChangeType = ? AND Memo LIKE ?"),
        {cardId, PointsChange::CardCreated, QStringLiteral("新建会员卡%")});
}

int VipCardStore::IntroducerRewardBillId(int introducerId, int newCardId) {
    return m_data.OpenSQLAsInt(
        QStringLiteral("SELECT COALESCE(MAX(BillId), 0) FROM VipChangeInfo WHERE Vipcardid = ? "
                       "AND ChangeType = ? AND OfferCardID = ? AND Memo LIKE ?"),
        {introducerId, PointsChange::CardCreated, newCardId, QStringLiteral("介绍新会员%")});
}

QList<VipCardStore::Store> VipCardStore::Partners() {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT rec, FullName FROM btype b WHERE b.deleted = 0 AND NOT EXISTS "
                                  "(SELECT 1 FROM btype c WHERE c.parid = b.typeId AND c.deleted = 0) "
                                  "ORDER BY b.UserCode, b.rec"),
                   rows);
    QList<Store> partners;
    for (rows.First(); !rows.Eof(); rows.Next())
        partners.append({rows.FieldByName(QStringLiteral("rec")).AsInteger(),
                         rows.FieldByName(QStringLiteral("FullName")).AsString(), 0});
    return partners;
}

int VipCardStore::DeleteCard(const QString& cardNo, int posId, int userRec) {
    return m_data.ExecuteProcByName(QStringLiteral("Y_InsVipCard"),
                                    {QStringLiteral("@EditType"), QStringLiteral("@CardNo"),
                                     QStringLiteral("@PosID"), QStringLiteral("@ERec")},
                                    {QStringLiteral("D"), cardNo, posId, userRec});
}

int VipCardStore::ActivateCard(int cardId, int userRec, int posId) {
    return m_data.ExecuteProcByName(
        QStringLiteral("P_ActiveCard"),
        {QStringLiteral("@ID"), QStringLiteral("@ERec"), QStringLiteral("@ActivatePosID")},
        {cardId, userRec, posId});
}

bool VipCardStore::UsableInStore(int cardId, int posId) {
    return VipPointsStore(m_data).UsableInStore(cardId, posId);
}

int VipCardStore::CheckClearDate(int cardId, const QString& date, QString& lastDate) {
    TParamObject out;
    const int result = m_data.ExecuteProcByName(QStringLiteral("kd_CheckClearVipDate"),
                                                {QStringLiteral("@vipid"), QStringLiteral("@ClearDate")},
                                                {cardId, date}, &out);
    lastDate = out.AsString(QStringLiteral("@LastDate"));
    return result;
}

namespace {

QString joinedIds(const QList<int>& ids) {
    QStringList parts;
    for (int id : ids)
        parts.append(QString::number(id));
    return parts.join(QLatin1Char(','));
}

} // namespace

int VipCardStore::ClearPoints(const QList<int>& cardIds, const PointsClear& clear, int& skipped) {
    TParamObject out;
    const int cleared = m_data.ExecuteProcByName(
        QStringLiteral("P_ClearVipJF"),
        {QStringLiteral("@VipCard"), QStringLiteral("@ClearDate"), QStringLiteral("@ERec"),
         QStringLiteral("@PosID"), QStringLiteral("@je"), QStringLiteral("@hyje"), QStringLiteral("@jf")},
        {joinedIds(cardIds), clear.date, clear.userRec, clear.posId, clear.buyTotal ? 1 : 0,
         clear.memberPriceTotal ? 1 : 0, clear.points ? 1 : 0},
        &out);
    skipped = out.AsInteger(QStringLiteral("@Skipped"));
    return cleared;
}

int VipCardStore::SetValidityDate(const QList<int>& cardIds, const QDate& date, int& skipped) {
    TParamObject out;
    const int changed = m_data.ExecuteProcByName(QStringLiteral("P_ModifValidityDate"),
                                                 {QStringLiteral("@VipCard"), QStringLiteral("@ModifDate")},
                                                 {joinedIds(cardIds), dateText(date)}, &out);
    skipped = out.AsInteger(QStringLiteral("@Skipped"));
    return changed;
}
