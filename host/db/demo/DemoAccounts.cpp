#include "host/db/demo/DemoAccounts.h"

#include "host/db/demo/DemoRandom.h"
#include "host/db/demo/DemoRow.h"

namespace {

struct Account {
    const char* typeId;
    const char* parid;
    const char* code;
    const char* name;
};

const Account Accounts[] = {
    {"00001", "00000", "1001", "现金"},
    {"0000100001", "00001", "100101", "收银台现金"},
    {"0000100002", "00001", "100102", "备用金"},
    // The account a recharge or refund goes through unless the cashier picks another.
    {"0000100003", "00001", "100103", "储值收款"},
    {"00002", "00000", "1002", "银行存款"},
    {"0000200001", "00002", "100201", "工商银行"},
    {"0000200002", "00002", "100202", "建设银行"},
    {"00003", "00000", "1012", "微信收款"},
    {"00004", "00000", "1013", "支付宝收款"},
    {"00005", "00000", "2203", "会员储值"},
};

struct Partner {
    const char* name;
    bool corporateCustomer;
};

const Partner Partners[] = {
    {"杭州鲜达食品有限公司", false}, {"浙江恒润日化用品有限公司", false}, {"上海百味贸易有限公司", false},
    {"杭州清源饮品有限公司", false}, {"宁波海川粮油有限公司", false},     {"杭州市第一人民医院工会", true},
    {"浙江天成科技有限公司", true},  {"杭州西溪实验学校", true},
};

} // namespace

void DemoAccounts::fill(Database& db, DemoRandom& random) {
    for (const Account& account : Accounts) {
        DemoRow(QStringLiteral("atype"))
            .set(QStringLiteral("typeId"), QString::fromLatin1(account.typeId))
            .set(QStringLiteral("parid"), QString::fromLatin1(account.parid))
            .set(QStringLiteral("UserCode"), QString::fromLatin1(account.code))
            .set(QStringLiteral("FullName"), QString::fromUtf8(account.name))
            .insert(db);
    }
    int index = 0;
    for (const Partner& partner : Partners) {
        ++index;
        const int rec =
            DemoRow(QStringLiteral("btype"))
                .set(QStringLiteral("typeId"), QStringLiteral("%1").arg(index, 5, 10, QLatin1Char('0')))
                .set(QStringLiteral("parid"), QStringLiteral("00000"))
                .set(QStringLiteral("UserCode"), QStringLiteral("DW%1").arg(index, 3, 10, QLatin1Char('0')))
                .set(QStringLiteral("FullName"), QString::fromUtf8(partner.name))
                .set(QStringLiteral("Tel"), QStringLiteral("0571-8%1").arg(random.digits(7)))
                .insert(db, QStringLiteral("rec"));
        if (partner.corporateCustomer)
            m_corporateCustomers.append(rec);
    }
}
