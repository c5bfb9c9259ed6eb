#include "host/sdk/MemberCardImport.h"

#include "host/sdk/ClientDataSet.h"
#include "host/sdk/Cncalendar.h"
#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/MessageBox.h"
#include "host/sdk/Money.h"
#include "host/sdk/Transaction.h"
#include "host/services/CsvText.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QUuid>
#include <optional>

namespace {

const QString CardNo = QStringLiteral("会员卡号");
const QString BarCode = QStringLiteral("会员卡条码");
const QString Name = QStringLiteral("持卡人");
const QString Sex = QStringLiteral("性别");
const QString Tel = QStringLiteral("电话");
const QString Identity = QStringLiteral("身份证号");
const QString Birthday = QStringLiteral("出生年月日");
const QString Email = QStringLiteral("E-MAIL");
const QString Address = QStringLiteral("地址");
const QString TypeName = QStringLiteral("持卡类型");
const QString Issued = QStringLiteral("发卡日期");
const QString Validity = QStringLiteral("有效期");
const QString Life = QStringLiteral("激活");
const QString StoredValue = QStringLiteral("会员储值");
const QString Balance = QStringLiteral("储值余额");
const QString Points = QStringLiteral("积分余额");
const QString BuyTotal = QStringLiteral("累积消费金额");
const QString Comment = QStringLiteral("备注");

// Names spreadsheets kept by hand often give the same columns.
const QHash<QString, QString>& aliases() {
    static const QHash<QString, QString> names = {
        {QStringLiteral("卡号"), CardNo},     {QStringLiteral("会员条码"), BarCode},
        {QStringLiteral("姓名"), Name},       {QStringLiteral("手机"), Tel},
        {QStringLiteral("手机号"), Tel},      {QStringLiteral("卡类型"), TypeName},
        {QStringLiteral("生日"), Birthday},   {QStringLiteral("有效日期"), Validity},
        {QStringLiteral("EMAIL"), Email},     {QStringLiteral("累积积分"), Points},
        {QStringLiteral("可用储值"), Balance}};
    return names;
}

// A caption as the editor shows it may carry blanks and the required marker.
QString columnOf(const QString& header) {
    QString caption = header.trimmed();
    caption.remove(QLatin1Char('*'));
    caption = caption.trimmed().toUpper();
    if (MemberCardImport::Columns().contains(caption))
        return caption;
    return aliases().value(caption);
}

const QString MissingText = QStringLiteral("信息输入不完整!请重新输入!!--注:带*号必须输入内容（%1）");
const QString RequiredText = QStringLiteral("%1不能为空!!--注:带*号必须输入内容");
const QString DateFormatText = QStringLiteral("输入错误!请按如下格式输入(2000-10-01)或日期范围不正确!");

// Dates as spreadsheets write them: 2027-01-05, 2027/1/5, 2027.1.5, 20270105,
// maybe followed by a time.
QDate dateOf(const QString& text) {
    const QString day = text.trimmed().section(QLatin1Char(' '), 0, 0);
    static const QRegularExpression parts(QStringLiteral("^(\\d{4})[-/.](\\d{1,2})[-/.](\\d{1,2})$"));
    if (const QRegularExpressionMatch m = parts.match(day); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return QDate::fromString(day, QStringLiteral("yyyyMMdd"));
}

// "是"/"否" as the member list exports flags; 1/0 and empty (no) too.
std::optional<bool> yesNo(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QStringLiteral("否") || t == QLatin1String("0"))
        return false;
    if (t == QStringLiteral("是") || t == QLatin1String("1"))
        return true;
    return std::nullopt;
}

QString lunarOf(const QDate& day, bool& leap) {
    int year = 0, month = 0, date = 0;
    leap = false;
    if (!Cncalendar::GetLunarFromDay(day.year(), day.month(), day.day(), year, month, date, leap))
        return {};
    return QStringLiteral("%1-%2-%3")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(date, 2, 10, QLatin1Char('0'));
}

} // namespace

struct MemberCardImport::CardType {
    int id = 0;
    double discount = 100;
    bool autoDiscount = false;
    bool autoMemberTotal = false;
    bool autoIntegral = false;
    bool storedValue = false;
};

const QStringList& MemberCardImport::Columns() {
    static const QStringList columns = {CardNo,   BarCode,     Name,    Sex,      Tel,      Identity,
                                        Birthday, Email,       Address, TypeName, Issued,   Validity,
                                        Life,     StoredValue, Balance, Points,   BuyTotal, Comment};
    return columns;
}

MemberCardImport::File MemberCardImport::Read(const QByteArray& bytes) {
    const QList<CsvText::Record> records = CsvText::Parse(CsvText::Decode(bytes));
    File file;
    QStringList columns;
    if (!records.isEmpty()) {
        for (const QString& header : records.first().fields) {
            const QString column = columnOf(header);
            columns.append(columns.contains(column) ? QString() : column);
            if (column.isEmpty() && !header.trimmed().isEmpty())
                file.ignoredColumns.append(header.trimmed());
        }
    }
    if (!columns.contains(CardNo))
        throw DbError(QStringLiteral("文件第一行没有“会员卡号”列，无法导入。"));
    for (qsizetype r = 1; r < records.size(); ++r) {
        Row row{records.at(r).line, {}};
        for (int c = 0; c < columns.size() && c < records.at(r).fields.size(); ++c) {
            if (!columns.at(c).isEmpty())
                row.values.insert(columns.at(c), records.at(r).fields.at(c).trimmed());
        }
        file.rows.append(row);
    }
    return file;
}

MemberCardImport::File MemberCardImport::ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("无法读取文件 %1：%2").arg(path, file.errorString()));
    return Read(file.readAll());
}

MemberCardImport::MemberCardImport(DataModule& data, int posId, int userRec)
    : m_data(data)
    , m_posId(posId)
    , m_userRec(userRec) {}

MemberCardImport::Outcome MemberCardImport::Run(const File& file, bool commit) {
    QHash<QString, CardType> types;
    ClientDataSet rows;
    m_data.OpenSQL(
        QStringLiteral("SELECT CTypeId, TypeName, Discount, AutoDiscount, automembertotal, AutoIntegral, "
                       "IsCZPreferential FROM viptype WHERE deleted = 0"),
        rows);
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const auto on = [&](const char* name) {
            return rows.FieldByName(QLatin1String(name)).AsInteger() == 1;
        };
        types.insert(rows.FieldByName(QStringLiteral("TypeName")).AsString(),
                     {rows.FieldByName(QStringLiteral("CTypeId")).AsInteger(),
                      rows.FieldByName(QStringLiteral("Discount")).AsFloat(), on("AutoDiscount"),
                      on("automembertotal"), on("AutoIntegral"), on("IsCZPreferential")});
    }
    // The fields the chain's field configuration makes required in the editor.
    static const QHash<QString, QString> configured = {{QStringLiteral("vipbarcode"), BarCode},
                                                       {QStringLiteral("name"), Name},
                                                       {QStringLiteral("tel"), Tel},
                                                       {QStringLiteral("birthday"), Birthday},
                                                       {QStringLiteral("identitycard"), Identity},
                                                       {QStringLiteral("email"), Email},
                                                       {QStringLiteral("addr"), Address}};
    m_required.clear();
    m_data.OpenSQL(
        QStringLiteral("SELECT FieldName FROM BaseInfoShowList WHERE IDFlag = 6 AND Visible = 1 AND "
                       "MustField = 1"),
        rows);
    for (rows.First(); !rows.Eof(); rows.Next()) {
        const QString column =
            configured.value(rows.FieldByName(QStringLiteral("FieldName")).AsString().toLower());
        if (!column.isEmpty())
            m_required.append(column);
    }
    Outcome outcome;
    Transaction transaction(m_data);
    for (const Row& row : file.rows) {
        QString reason;
        try {
            Transaction card(m_data);
            reason = importRow(row, types);
            if (reason.isEmpty())
                card.Commit();
        } catch (const DbError& error) {
            reason = error.message();
        }
        if (reason.isEmpty())
            ++outcome.imported;
        else
            outcome.refused.append({row.line, row.values.value(CardNo), reason});
    }
    if (commit)
        transaction.Commit();
    return outcome;
}

// Why the row was turned down, empty when its card was written.
QString MemberCardImport::importRow(const Row& row, const QHash<QString, CardType>& types) {
    const auto value = [&](const QString& column) { return row.values.value(column).trimmed(); };
    const QString cardNo = value(CardNo);
    for (const QString& required : {CardNo, TypeName, Validity}) {
        if (value(required).isEmpty())
            return MissingText.arg(required);
    }
    const auto type = types.constFind(value(TypeName));
    if (type == types.cend())
        return QStringLiteral("持卡类型[%1]不存在!").arg(value(TypeName));
    const QDate validity = dateOf(value(Validity));
    if (!validity.isValid())
        return Validity + DateFormatText;
    const QDate issued = value(Issued).isEmpty() ? QDate::currentDate() : dateOf(value(Issued));
    if (!issued.isValid())
        return Issued + DateFormatText;
    QString birthday, lunar;
    bool leap = false;
    if (!value(Birthday).isEmpty()) {
        const QDate day = dateOf(value(Birthday));
        if (!day.isValid())
            return QStringLiteral("(公历)出生日期输入错误!请按如下格式输入(2000-10-01)或日期范围不正确");
        birthday = day.toString(QStringLiteral("yyyy-MM-dd"));
        lunar = lunarOf(day, leap);
    }
    const QList<std::pair<QString, int>> lengths = {{CardNo, 30},   {Name, 50},    {Address, 50},
                                                    {Identity, 18}, {BarCode, 60}, {Comment, 200}};
    for (const auto& [column, most] : lengths) {
        if (value(column).size() > most)
            return QStringLiteral("%1不能超过%2个字符!").arg(column).arg(most);
    }
    for (const QString& column : m_required) {
        if (value(column).isEmpty())
            return RequiredText.arg(column);
    }
    const QString sex = value(Sex);
    if (!sex.isEmpty() && sex != QStringLiteral("男") && sex != QStringLiteral("女"))
        return QStringLiteral("性别只能是“男”或“女”!");
    const auto life = yesNo(value(Life));
    const auto storedValue = yesNo(value(StoredValue));
    if (!life || !storedValue)
        return QStringLiteral("%1只能是“是”或“否”!").arg(life ? StoredValue : Life);
    bool numberOk = true;
    const QString balanceText = value(Balance);
    if (!balanceText.isEmpty())
        balanceText.toDouble(&numberOk);
    if (!numberOk)
        return QStringLiteral("%1[%2]不是数字!").arg(Balance, balanceText);
    const Money balance = Money::fromText(balanceText);
    const bool keepsValue = *storedValue || !balance.isZero();
    if (keepsValue && !type->storedValue)
        return QStringLiteral("持卡类型[%1]不允许会员储值!").arg(value(TypeName));
    if (balance > Money::fromUnits(100000))
        return QStringLiteral("期初储值超出最大许可值100000，请重新录入!");
    if (balance < Money())
        return QStringLiteral("期初储值小于0，请重新录入!");
    const int points = value(Points).isEmpty() ? 0 : value(Points).toInt(&numberOk);
    if (!numberOk || points < 0)
        return QStringLiteral("%1[%2]必须是不小于0的整数!").arg(Points, value(Points));
    const QString buyText = value(BuyTotal);
    if (!buyText.isEmpty())
        buyText.toDouble(&numberOk);
    if (!numberOk || Money::fromText(buyText) < Money())
        return QStringLiteral("%1[%2]必须是不小于0的数字!").arg(BuyTotal, buyText);

    TParamObject card;
    const QList<std::pair<const char*, QVariant>> values = {
        {"@EditType", QStringLiteral("I")},
        {"@CardNo", cardNo},
        {"@Name", value(Name)},
        {"@Tel", value(Tel)},
        {"@Address", value(Address)},
        {"@Comment", value(Comment)},
        {"@CardType", QString::number(type->id)},
        {"@Discount", type->discount},
        {"@BulidDate", issued},
        {"@ValidityDate", validity},
        {"@Lose", false},
        {"@StopUse", false},
        {"@AutoDiscount", type->autoDiscount ? QStringLiteral("1") : QStringLiteral("0")},
        {"@AutoMemberTotal", type->autoMemberTotal ? 1 : 0},
        {"@AutoOneOff", 0},
        {"@AutoIntegral", type->autoIntegral ? 1 : 0},
        {"@Sex", sex == QStringLiteral("女")},
        {"@Birthday", birthday},
        {"@Identitycard", value(Identity)},
        {"@Email", value(Email)},
        {"@MediFeedBack", QString()},
        {"@case", QString()},
        {"@buliddate1", QString()},
        {"@validitydate1", QString()},
        {"@searchdate", QString()},
        {"@searchdate1", QString()},
        {"@cardid", QUuid::createUuid().toString(QUuid::WithBraces).toUpper()},
        {"@BRec", 0},
        {"@IsLife", *life ? 1 : 0},
        {"@VIPBarCode", value(BarCode)},
        {"@JSVIPCardID", 0},
        {"@PosID", m_posId},
        {"@ERec", m_userRec},
        {"@ActivePosId", *life ? m_posId : -1},
        {"@BirthType", false},
        {"@BirthdayCN", lunar},
        {"@IsLeapMonth", leap},
        {"@BuyTotal", QVariant::fromValue(Money::fromText(buyText))},
        {"@ljIntegral", points}};
    for (const auto& [name, v] : values)
        card.Add(QLatin1String(name), v);
    const int cardId = m_data.ExecuteProcByName(QStringLiteral("Y_InsVipCard"), card);
    switch (cardId) {
    case -2:
        return QStringLiteral("办卡人已超出重复办卡次数限制(电话或身份证)，不能再办卡!");
    case -3:
        return QStringLiteral("发现相同的编号,不能保存!");
    case -4:
        return QStringLiteral("发现相同的会员卡条码,不能保存!");
    default:
        if (cardId < 0)
            return ErrorWriteDb;
    }
    if (!keepsValue)
        return {};
    TParamObject cz;
    const QList<std::pair<const char*, QVariant>> settingsOfValue = {
        {"@Vipcardid", cardId},
        {"@VipCz", true},
        {"@VipCzService", false},
        {"@SetOpening", true},
        {"@Cz00", QVariant::fromValue(balance)},
        {"@UsePass", false},
        {"@CzPosId", 0},
        {"@IsJSReward", -1},
        {"@PosID", m_posId},
        {"@ERec", m_userRec},
        {"@OpId", QUuid::createUuid().toString(QUuid::WithoutBraces)}};
    for (const auto& [name, v] : settingsOfValue)
        cz.Add(QLatin1String(name), v);
    if (m_data.ExecuteProcByName(QStringLiteral("Y_InsVipCardCz"), cz) < 0)
        return QStringLiteral("加盟店不允许录入期初!");
    return {};
}
