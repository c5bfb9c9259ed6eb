#include "host/services/SettingCatalogue.h"

#include "host/sdk/Ucomvar.h"
#include "host/services/NoticeOutbox.h"

namespace {

using Entry = SettingCatalogue::Entry;
using Kind = SettingCatalogue::Kind;
using Home = SettingCatalogue::Home;

const QString Stores = QStringLiteral("门店与连接");
const QString StoredValue = QStringLiteral("储值");
const QString Points = QStringLiteral("积分");
const QString Notices = QStringLiteral("会员通知");
const QString Edition = QStringLiteral("版本");
const QString Devices = QStringLiteral("设备");

// Room for any whole number, so a value too large is refused by name rather than cut as typed.
constexpr int NumberLength = 9;

Entry entry(const QString& group, const QString& key, const QString& name, const QString& explanation,
            Kind kind, const QString& fallback) {
    Entry made;
    made.key = key;
    made.group = group;
    made.name = name;
    made.explanation = explanation;
    made.kind = kind;
    made.fallback = fallback;
    return made;
}

Entry flag(const QString& group, const QString& key, const QString& name, const QString& explanation) {
    return entry(group, key, name, explanation, Kind::Flag, QStringLiteral("0"));
}

Entry appFlag(const QString& group, int position, const QString& name, const QString& explanation) {
    Entry made = flag(group, QStringLiteral("AppFlag%1").arg(position), name, explanation);
    made.home = Home::AppFlag;
    made.position = position;
    return made;
}

Entry number(const QString& group, const QString& key, const QString& name, const QString& explanation,
             int low, int high, int fallback) {
    Entry made = entry(group, key, name, explanation, Kind::Number, QString::number(fallback));
    made.low = low;
    made.high = high;
    made.maxLength = NumberLength;
    return made;
}

// A text with a fallback may not be left empty: the program has no other word for it.
Entry text(const QString& group, const QString& key, const QString& name, const QString& explanation,
           int maxLength, const QString& fallback = {}) {
    Entry made = entry(group, key, name, explanation, Kind::Text, fallback);
    made.maxLength = maxLength;
    made.required = !fallback.isEmpty();
    return made;
}

Entry storeChoice(const QString& key, const QString& name, const QString& explanation,
                  const QList<SettingCatalogue::Choice>& choices) {
    Entry made = entry(Stores, key, name, explanation, Kind::Choice, QString());
    made.home = Home::CurrentStore;
    made.choices = choices;
    return made;
}

QList<Entry> entries() {
    // Defaults of the session, so an unsaved setting shows what the program uses.
    const TComVar session;
    return {
        storeChoice(
            QStringLiteral("PosType"), QStringLiteral("门店类型"),
            QStringLiteral(
                "当前门店的经营方式：加盟店不能录入会员卡期初储值，也不能使用总部发行卡的服务项目。"),
            {{0, QStringLiteral("直营店")}, {1, QStringLiteral("联营店")}, {2, QStringLiteral("加盟店")}}),
        storeChoice(
            QStringLiteral("ConnectType"), QStringLiteral("连接方式"),
            QStringLiteral(
                "实时门店直接使用总部数据；独立门店使用自己的数据，储值、服务和积分兑换受总部规则限制。"),
            {{0, QStringLiteral("实时门店")}, {1, QStringLiteral("独立门店")}}),
        flag(Stores, QStringLiteral("bvipConnect"), QStringLiteral("会员卡储值、会员卡积分、购物卡实时操作"),
             QStringLiteral("独立门店的储值、积分、服务次卡和购物卡操作实时连接总部完成；关闭时独立门店不能做"
                            "这些操作。")),
        flag(
            Stores, QStringLiteral("bPubTranVipCardToCenter"), QStringLiteral("上传门店修改的会员卡信息"),
            QStringLiteral("独立门店发卡、修改会员卡后上传总部；关闭时联网的独立门店不能发卡和修改会员卡。")),
        flag(Stores, QStringLiteral("bCenterDb"), QStringLiteral("总部数据库"),
             QStringLiteral("本数据库是总部（配送中心）的数据库；打开服务次卡时先按总部数据重算服务项目。")),
        appFlag(Stores, 14, QStringLiteral("独立门店由总部管卡"),
                QStringLiteral(
                    "连接方式为独立门店时，卡号和卡类型只能由总部修改，发卡、改卡和积分兑换须经总部校验。")),
        appFlag(Stores, 19, QStringLiteral("门店联网版"),
                QStringLiteral("与“独立门店由总部管卡”相同的总部校验；另外会员日销售报表只查本门店。")),
        appFlag(Stores, 11, QStringLiteral("报表只查本门店"),
                QStringLiteral("会员日销售报表只查本门店，不显示储值门店选择；储值变动记在本门店。")),

        flag(StoredValue, QStringLiteral("bPublicIniCanModify"), QStringLiteral("允许修改期初数据"),
             QStringLiteral("持有权限 511 的操作员可以录入、修改会员卡的期初储值。")),
        appFlag(StoredValue, 10, QStringLiteral("配送中心储值管控"),
                QStringLiteral("配送中心不能操作独立门店专用卡的储值；储值和服务变动记在本门店。")),
        appFlag(StoredValue, 16, QStringLiteral("配送中心储值限制"),
                QStringLiteral("配送中心不能操作独立门店专用卡的储值。")),
        appFlag(StoredValue, 13, QStringLiteral("储值记在本门店"),
                QStringLiteral("会员卡的储值和服务变动记在当前门店；关闭时记在总部。")),
        appFlag(StoredValue, 21, QStringLiteral("储值记在本门店（连锁）"),
                QStringLiteral("与“储值记在本门店”相同：储值和服务变动记在当前门店。")),
        appFlag(StoredValue, 12, QStringLiteral("不使用服务项目"),
                QStringLiteral("隐藏会员卡的储值服务项目和购物卡兑换，积分奖励只用统一规则。")),

        flag(Points, QStringLiteral("bAutoBillNumber"), QStringLiteral("自动生成单据编号"),
             QStringLiteral("积分兑换商品的出库单由数据库自动编号；关闭时由程序按单据编号规则取号。")),
        number(Points, QStringLiteral("lPublicPeriod"), QStringLiteral("当前会计期间"),
               QStringLiteral("积分兑换生成的出库单记入此会计期间。"), 0, 9999, session.lPublicPeriod),
        text(Points, QStringLiteral("dPeriodStart"), QStringLiteral("本期开始日期"),
             QStringLiteral("积分兑换单据的日期不能早于本期开始日期（yyyy-mm-dd）；空表示不限。"), 10),
        text(Points, QStringLiteral("szPublicPosSetKtype"), QStringLiteral("积分兑换出库仓库"),
             QStringLiteral("积分兑换的商品从此仓库（仓库编号）出库；空表示门店自己的仓库。"), 50),

        flag(Notices, NoticeOutbox::SwitchName, QStringLiteral("发送会员通知"),
             QStringLiteral("总开关：关闭时不发送任何会员短信、微信通知。")),
        flag(Notices, QStringLiteral("bSMSChange"), QStringLiteral("积分变动通知"),
             QStringLiteral("会员积分变动时通知会员。")),
        flag(Notices, QStringLiteral("bSMSKkReward"), QStringLiteral("开卡通知"),
             QStringLiteral("新会员开卡、激活时通知会员。")),
        flag(Notices, QStringLiteral("bSMSJsrKkReward"), QStringLiteral("介绍人奖励通知"),
             QStringLiteral("新会员开卡后通知介绍人获得的奖励。")),

        number(Edition, QStringLiteral("MEDVERSION"), QStringLiteral("版本号"),
               QStringLiteral("决定菜单提供哪些功能、各窗口按版本显示哪些内容；保存后菜单随即更新。"), 1, 99,
               session.nMedVersion),
        flag(Edition, QStringLiteral("IsFood"), QStringLiteral("餐饮版"),
             QStringLiteral("按餐饮行业显示：会员卡类型和消费报表隐藏部分栏目，过敏史按商品称谓命名。")),
        flag(Edition, QStringLiteral("bPJVer"), QStringLiteral("普及版"),
             QStringLiteral("普及版：储值和服务变动记在当前门店。")),
        appFlag(Edition, 25, QStringLiteral("精简报表栏目"),
                QStringLiteral("会员卡类型和消费报表不显示促销价积分、积分变动、业务员等栏目。")),
        text(Edition, QStringLiteral("szPubGoodsName"), QStringLiteral("商品称谓"),
             QStringLiteral("界面上对商品的叫法，例如“商品”“菜品”；不能为空。"), 20, session.szPubGoodsName),

        text(Devices, QStringLiteral("SystemPath"), QStringLiteral("系统文件夹"),
             QStringLiteral(
                 "IC 卡设备库 Card_dll.so 和身份证插件库 PlugCard/ 所在的文件夹；空表示程序自己的库文件夹。"),
             500),
    };
}

} // namespace

const QStringList& SettingCatalogue::Groups() {
    static const QStringList groups = {Stores, StoredValue, Points, Notices, Edition, Devices};
    return groups;
}

const QList<SettingCatalogue::Entry>& SettingCatalogue::Entries() {
    static const QList<Entry> all = entries();
    return all;
}
