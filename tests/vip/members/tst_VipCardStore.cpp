#include "host/sdk/DataModule.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TestRows.h"
#include "vip/members/VipCardStore.h"

#include <QTest>

// What the member editor reads and writes through the store besides the card itself.
class VipCardStoreTest : public QObject {
    Q_OBJECT

private slots:
    void storedValueStoresOfferTheSharedEntryOnceAndTheTypesOwnStores() {
        TestDatabase db;
        const QList<int> stores = TestRows::addStores(db.data(), {{"01", "一店", 0},
                                                                  {"02", "二店", 0},
                                                                  {"03", "三店", 1},
                                                                  {"04", "四店", 1, 0, 2},
                                                                  {"05", "关店", 1, 0, 0, true}});
        const int everywhere = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        const int limited = TestRows::addCardType(db.data(), QStringLiteral("银卡"), 95, {{"CanAllPos", 0}});
        for (int store : {stores[3], stores[4]})
            db.data().ExecuteSQL(QStringLiteral("INSERT INTO PosVipType (PosID, viptype) VALUES (?, ?)"),
                                 {store, limited});
        VipCardStore store;
        const auto ids = [&](int type) {
            QList<int> result;
            for (const VipCardStore::Store& s : store.StoredValueStores(type))
                result.append(s.id);
            return result;
        };
        QCOMPARE(ids(everywhere), (QList<int>{0, stores[2], stores[3]}));
        QCOMPARE(ids(limited), (QList<int>{stores[3]}));
        QCOMPARE(store.StoredValueStores(limited).first().kind, 2);
        QVERIFY(store.PasswordAllowed(everywhere));
        QVERIFY(!store.PasswordAllowed(limited));
        QCOMPARE(store.IssuingStores().size(), 2);
    }

    void customValuesAndPointsGoThroughTheirProcedures() {
        TestDatabase db;
        const int type = TestRows::addCardType(db.data(), QStringLiteral("金卡"));
        db.data().ExecuteSQL(
            QStringLiteral("INSERT INTO CustomFieldsDefine (idflag, Name, MustField, DataType, "
                           "RowIndex) VALUES (6, '职业', 1, 0, 2), (6, '家庭人数', 0, 1, 1)"));
        VipCardStore store;
        VipCardStore::CardFields card;
        card.cardNo = QStringLiteral("3001");
        card.cardType = type;
        card.bulidDate = QDate(2025, 3, 1);
        card.validityDate = QDate(2026, 3, 1);
        const int id = store.WriteCard(card);
        QVERIFY(id > 0);
        QCOMPARE(store.CreationBillId(id),
                 db.data().OpenSQLAsInt(QStringLiteral("SELECT MAX(BillId) FROM VipChangeInfo")));

        const QList<VipCardStore::CustomField> fields = store.CustomFields();
        QCOMPARE(fields.size(), 2);
        QCOMPARE(fields[0].name, QStringLiteral("家庭人数"));
        QVERIFY(fields[1].mustField);
        store.SaveCustomValues(id, {QStringLiteral(" 3 "), QStringLiteral("教师")});
        QStringList values = store.CustomValues(id);
        QCOMPARE(values.size(), VipCardStore::CustomFieldCount);
        QCOMPARE(values.mid(0, 3), (QStringList{"3", "教师", ""}));

        QVERIFY(store.ChangePoints(QStringLiteral("3001"), 0, 30, QString(), 0,
                                   QStringLiteral("会员激活初始积分")) > 0);
        QCOMPARE(store.ChangePoints(QStringLiteral("3001"), 1, 31, QString(), 0, QString()), 0);
        ClientDataSet row;
        store.LoadCard(id, row);
        QCOMPARE(row.FieldByName(QStringLiteral("IntegralTotal")).AsInteger(), 30);
        QCOMPARE(store.State(id)->cardGuid, row.FieldByName(QStringLiteral("cardid")).AsString());
    }
};

QTEST_GUILESS_MAIN(VipCardStoreTest)
#include "tst_VipCardStore.moc"
