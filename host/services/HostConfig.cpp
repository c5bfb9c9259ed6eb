#include "host/services/HostConfig.h"

#include "host/sdk/DataModule.h"
#include "host/sdk/DbError.h"
#include "host/sdk/Transaction.h"
#include "host/sdk/Ucomvar.h"

namespace {

constexpr int NameLength = 60;
constexpr int ValueLength = 2000;

const QString AppClassName = QStringLiteral("AppClass");
const QString EditionName = QStringLiteral("MEDVERSION");
const QString FoodName = QStringLiteral("IsFood");

} // namespace

void HostConfig::Load() {
    ClientDataSet rows;
    m_data.OpenSQL(QStringLiteral("SELECT Name, Value FROM hostconfig"), rows);
    m_values.clear();
    m_changed.clear();
    for (rows.First(); !rows.Eof(); rows.Next())
        m_values.insert(rows.FieldByName(QStringLiteral("Name")).AsString(),
                        rows.FieldByName(QStringLiteral("Value")).AsString());
}

void HostConfig::Save() {
    if (m_changed.isEmpty())
        return;
    Transaction transaction(m_data);
    for (const QString& name : std::as_const(m_changed))
        m_data.ExecuteSQL(QStringLiteral("INSERT INTO hostconfig (Name, Value) VALUES (?, COALESCE(?, '')) "
                                         "ON CONFLICT (Name) DO UPDATE SET Value = excluded.Value"),
                          {name, m_values.value(name)});
    transaction.Commit();
    m_changed.clear();
}

QString HostConfig::Text(const QString& name, const QString& fallback) const {
    const auto found = m_values.constFind(name);
    return found == m_values.constEnd() ? fallback : *found;
}

int HostConfig::Integer(const QString& name, int fallback) const {
    bool ok = false;
    const int value = Text(name).trimmed().toInt(&ok);
    return ok ? value : fallback;
}

bool HostConfig::Flag(const QString& name, bool fallback) const {
    const QString value = Text(name).trimmed();
    if (value == QLatin1String("1"))
        return true;
    if (value == QLatin1String("0"))
        return false;
    return fallback;
}

TAppClass HostConfig::AppFlags() const {
    return TAppClass::FromText(Text(AppClassName));
}

void HostConfig::SetText(const QString& name, const QString& value) {
    if (name.trimmed().isEmpty() || name.size() > NameLength)
        throw DbError(QStringLiteral("配置项名称必须是 1 到 %1 个字符：“%2”").arg(NameLength).arg(name));
    if (value.size() > ValueLength)
        throw DbError(QStringLiteral("配置项“%1”的值超过 %2 个字符。").arg(name).arg(ValueLength));
    m_values.insert(name, value);
    m_changed.insert(name);
}

void HostConfig::SetInteger(const QString& name, int value) {
    SetText(name, QString::number(value));
}

void HostConfig::SetFlag(const QString& name, bool value) {
    SetText(name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void HostConfig::SetAppFlags(const TAppClass& flags) {
    SetText(AppClassName, flags.ToText());
}

void HostConfig::ApplyTo(TComVar& session) const {
    // Missing settings take the session's own defaults, so a fresh database works.
    const TComVar defaults;
    const auto flag = [this](const char* name, bool fallback) { return Flag(QLatin1String(name), fallback); };
    session.bCenterDb = flag("bCenterDb", defaults.bCenterDb);
    session.bvipConnect = flag("bvipConnect", defaults.bvipConnect);
    session.bPubTranVipCardToCenter = flag("bPubTranVipCardToCenter", defaults.bPubTranVipCardToCenter);
    session.bPublicIniCanModify = flag("bPublicIniCanModify", defaults.bPublicIniCanModify);
    session.bAutoBillNumber = flag("bAutoBillNumber", defaults.bAutoBillNumber);
    session.bPJVer = flag("bPJVer", defaults.bPJVer);
    session.bUseClientCash = flag("bUseClientCash", defaults.bUseClientCash);
    session.lPublicPeriod = Integer(QStringLiteral("lPublicPeriod"), defaults.lPublicPeriod);
    session.szPubGoodsName = Text(QStringLiteral("szPubGoodsName"), defaults.szPubGoodsName);
    session.szPublicPosSetKtype = Text(QStringLiteral("szPublicPosSetKtype"), defaults.szPublicPosSetKtype);
    session.szSystemPath = Text(QStringLiteral("SystemPath"), defaults.szSystemPath);
    session.bSMSChange = flag("bSMSChange", defaults.bSMSChange);
    session.bSMSKkReward = flag("bSMSKkReward", defaults.bSMSKkReward);
    session.bSMSJsrKkReward = flag("bSMSJsrKkReward", defaults.bSMSJsrKkReward);
    session.nMedVersion = Integer(EditionName, defaults.nMedVersion);
    session.bFood = Flag(FoodName, defaults.bFood);
    session.appClass = AppFlags();
}
