// The data-access module: its named objects and the keep-alive.
#include "TestDatabase.h"
#include "data/DbError.h"
#include "data/TMainDB.h"

#include <QtTest>

using namespace orvel;
using orvel::test::ScratchDatabase;

class TestMainDB : public QObject
{
    Q_OBJECT
private slots:
    void queriesSitOnTheirConnections();
    void openFailsWhenEitherConnectionFails();
    void keepAliveReopensClosedCustomerConnection();
    void keepAliveSurvivesUnreachableServers();
    void keepAliveLeavesOtherResultsAlone();
};

void TestMainDB::queriesSitOnTheirConnections()
{
    ScratchDatabase customers, members;
    TMainDB db(customers.settings(), members.settings());
    for (Query* q : {&db.Temp_Data, &db.GoDB, &db.RPTListDB, &db.RPTDB, &db.SDate})
        QCOMPARE(&q->connection(), &db.DBConnect);
    for (Query* q : {&db.STemp_Data, &db.UserListDB, &db.ZipFindDB, &db.SSDate})
        QCOMPARE(&q->connection(), &db.SDBConnect);
    db.open();
    QVERIFY(db.DBConnect.isOpen());
    QVERIFY(db.SDBConnect.isOpen());
}

void TestMainDB::openFailsWhenEitherConnectionFails()
{
    ScratchDatabase customers;
    ConnectionSettings bad = customers.settings();
    bad.database = QStringLiteral("missing_member_db");
    TMainDB db(customers.settings(), bad);
    QVERIFY_THROWS_EXCEPTION(DbError, db.open());
}

void TestMainDB::keepAliveReopensClosedCustomerConnection()
{
    ScratchDatabase customers, members;
    TMainDB db(customers.settings(), members.settings());
    db.open();
    db.DBConnect.close();
    db.keepAlive();
    QVERIFY(db.DBConnect.isOpen());
    QCOMPARE(db.SDate.lines(), QStringList{"select now() as S_Date"});
    QVERIFY(db.SDate.isOpen());
    QVERIFY(db.SSDate.isOpen());
}

void TestMainDB::keepAliveSurvivesUnreachableServers()
{
    ScratchDatabase customers, members;
    ConnectionSettings dead = customers.settings();
    dead.socket.clear();
    dead.host = QStringLiteral("127.0.0.1");
    dead.port = 1; // nothing listens there
    TMainDB db(dead, members.settings());
    db.SDBConnect.open();
    db.keepAlive(); // the customer side fails silently, the member side still runs
    QVERIFY(!db.DBConnect.isOpen());
    QVERIFY(db.SSDate.isOpen());

    // A member server that went away after opening: the error is swallowed and the
    // next run reconnects.
    db.STemp_Data.addLine(QStringLiteral("select connection_id() as id"));
    db.STemp_Data.open();
    members.exec(QStringLiteral("kill %1").arg(db.STemp_Data.fieldAsString(QStringLiteral("id"))));
    db.keepAlive();
    QVERIFY(!db.SDBConnect.isOpen());
    db.SDBConnect.open();
    db.keepAlive();
    QVERIFY(db.SSDate.isOpen());
}

void TestMainDB::keepAliveLeavesOtherResultsAlone()
{
    ScratchDatabase customers, members;
    TMainDB db(customers.settings(), members.settings());
    db.open();
    db.GoDB.addLine(QStringLiteral("select 1 as a union select 2"));
    db.GoDB.open();
    db.GoDB.next();
    db.keepAlive();
    QVERIFY(db.GoDB.isOpen());
    QCOMPARE(db.GoDB.currentRow(), 1);
    QCOMPARE(db.GoDB.fieldAsInt(QStringLiteral("a")), 2);
}

QTEST_GUILESS_MAIN(TestMainDB)
#include "tst_maindb.moc"
