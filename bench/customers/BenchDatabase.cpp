#include "BenchDatabase.h"

#include "CustomerRows.h"
#include "app/Login.h"
#include "data/Query.h"
#include "data/SqlText.h"

#include <QFile>
#include <QThread>
#include <cstdio>
#include <stdexcept>

namespace orvel::bench
{

namespace
{

constexpr int RowsPerInsert = 2000;

qint64 scalar(Connection& connection, const QString& statement)
{
    Query q(connection, QStringLiteral("BenchScalar"));
    q.addLine(statement);
    q.open();
    return q.rowCount() > 0 ? q.value(0, 0).toLongLong() : 0;
}

} // namespace

QString sourcePath(const QString& relativePath)
{
    return QStringLiteral(ORVEL_SOURCE_DIR "/") + relativePath;
}

BenchDatabase::BenchDatabase()
{
    m_server.socket = qEnvironmentVariable("ORVEL_TEST_DB_SOCKET");
    m_server.host = qEnvironmentVariable("ORVEL_TEST_DB_HOST", QStringLiteral("127.0.0.1"));
    m_server.port = qEnvironmentVariable("ORVEL_TEST_DB_PORT", QStringLiteral("3306")).toInt();
    m_server.user = qEnvironmentVariable("ORVEL_TEST_DB_USER", QStringLiteral("root"));
    m_server.password = qEnvironmentVariable("ORVEL_TEST_DB_PASSWORD");
    m_server.charset = QStringLiteral("euckr");
    if (qEnvironmentVariableIsEmpty("ORVEL_TEST_DB_PORT"))
        throw std::runtime_error("the test database is not running: "
                                 "eval \"$(scripts/testdb.sh start)\" first");
    m_admin = std::make_unique<Connection>(QStringLiteral("BenchAdmin"), m_server);
}

BenchDatabase::~BenchDatabase() = default;

void BenchDatabase::loadSchema(Connection& connection, const QString& relativePath)
{
    QFile file(sourcePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + relativePath.toStdString());
    for (const QString& statement : sql::splitScript(QString::fromUtf8(file.readAll()))) {
        Query q(connection, QStringLiteral("BenchSchema"));
        q.setSql(statement);
        q.exec();
    }
}

void BenchDatabase::prepareMemberDirectory()
{
    const QString db = sql::quoteIdentifier(memberDatabase());
    m_admin->execRaw("DROP DATABASE IF EXISTS " + db.toUtf8());
    m_admin->execRaw("CREATE DATABASE " + db.toUtf8() + " CHARACTER SET euckr");
    ConnectionSettings s = m_server;
    s.database = memberDatabase();
    Connection members(QStringLiteral("BenchMembers"), s);
    loadSchema(members, QStringLiteral("sql/member_directory.sql"));

    Query add(members, QStringLiteral("BenchMember"));
    add.addLine(
        QStringLiteral("insert into zetyx_member_table (user_id, password, name, level, "
                       "acc_level, DB_Host, DB_Port, DB_DataBase, DB_UserName, DB_PassWord)"));
    add.addLine(
        QStringLiteral("values (:a1, password(:a2), :a3, 1, :a4, :a5, :a6, :a7, :a8, :a9)"));
    add.setParam(QStringLiteral("a1"), userId());
    add.setParam(QStringLiteral("a2"), password());
    add.setParam(QStringLiteral("a3"), QStringLiteral("성능시험"));
    add.setParam(QStringLiteral("a4"), QStringLiteral("관리자"));
    add.setParam(QStringLiteral("a5"), m_server.host);
    add.setParam(QStringLiteral("a6"), m_server.port);
    add.setParam(QStringLiteral("a7"), customerDatabase());
    add.setParam(QStringLiteral("a8"), m_server.user);
    add.setParam(QStringLiteral("a9"), m_server.password);
    add.exec();
}

void BenchDatabase::addPrintForm(const QString& name, const QString& file)
{
    ConnectionSettings s = m_server;
    s.database = memberDatabase();
    Connection members(QStringLiteral("BenchForms"), s);
    Query add(members, QStringLiteral("BenchForm"));
    add.addLine(
        QStringLiteral("insert into RPTList (RL_Code, RL_Code2, RL_Name, RL_File, RL_SQL)"));
    add.addLine(QStringLiteral("values (0, 1, :a1, :a2, '')"));
    add.setParam(QStringLiteral("a1"), name);
    add.setParam(QStringLiteral("a2"), file);
    add.exec();
}

bool BenchDatabase::prepareCustomers(qint64 rows)
{
    const QString db = customerDatabase();
    m_admin->execRaw("CREATE DATABASE IF NOT EXISTS " + sql::quoteIdentifier(db).toUtf8() +
                     " CHARACTER SET euckr");
    ConnectionSettings s = m_server;
    s.database = db;
    Connection customers(QStringLiteral("BenchCustomers"), s);
    if (scalar(customers, QStringLiteral("select count(*) from information_schema.tables where "
                                         "table_schema = database() and table_name = 'RPTList'")) ==
        0)
        loadSchema(customers, QStringLiteral("sql/customer_database.sql"));

    const QString table = sql::quoteIdentifier(customerTable());
    const bool exists = scalar(customers, QStringLiteral("select count(*) from "
                                                         "information_schema.tables where "
                                                         "table_schema = database() and "
                                                         "table_name = '%1'")
                                              .arg(customerTable())) > 0;
    if (exists && scalar(customers, QStringLiteral("select count(*) from ") + table) == rows &&
        scalar(customers, QStringLiteral("select coalesce(max(no), 0) from ") + table) == rows)
        return false;

    customers.execRaw("DROP TABLE IF EXISTS " + table.toUtf8());
    Query create(customers, QStringLiteral("BenchCreate"));
    for (const QString& line : customerTableStatement(customers, customerTable(), userId()))
        create.addLine(line);
    create.exec();
    customers.close();
    fillCustomers(rows);
    return true;
}

void BenchDatabase::fillCustomers(qint64 rows)
{
    ConnectionSettings s = m_server;
    s.database = customerDatabase();
    Connection c(QStringLiteral("BenchFill"), s);
    // One transaction into the empty table without unique checks lets InnoDB load in bulk.
    c.execRaw("SET SESSION unique_checks = 0, foreign_key_checks = 0");
    c.execRaw("START TRANSACTION");
    CustomerRows generator(sourcePath(QStringLiteral("sql/demo/zip_areas.txt")));
    const QByteArray head = "INSERT INTO " + sql::quoteIdentifier(customerTable()).toUtf8() + " (" +
                            CustomerRows::columnList() + ") VALUES ";
    const QByteArray user = userId().toUtf8();
    QByteArray statement;
    statement.reserve(RowsPerInsert * 700);
    for (qint64 no = 1; no <= rows;) {
        statement = head;
        for (int i = 0; i < RowsPerInsert && no <= rows; ++i, ++no) {
            if (i > 0)
                statement += ',';
            generator.appendTuple(statement, no, user);
        }
        c.execRaw(statement);
        if (no % 100000 == 1)
            std::fprintf(stderr, "bench: %lld customers written\n", no - 1);
    }
    c.execRaw("COMMIT");
}

double BenchDatabase::warmServerCache()
{
    ConnectionSettings s = m_server;
    s.database = customerDatabase();
    Connection c(QStringLiteral("BenchWarm"), s);
    const qint64 tableBytes =
        scalar(c, QStringLiteral("select data_length + index_length from information_schema.tables "
                                 "where table_schema = database() and table_name = '%1'")
                      .arg(customerTable()));
    const qint64 wanted = (tableBytes + tableBytes / 2 + (256LL << 20)) & ~((128LL << 20) - 1);
    if (scalar(c, QStringLiteral("select @@innodb_buffer_pool_size")) < wanted) {
        c.execRaw("SET GLOBAL innodb_buffer_pool_size = " + QByteArray::number(wanted));
        // The pool grows in the background; wait until the new size is in place.
        for (int i = 0; i < 600; ++i) {
            Query status(c, QStringLiteral("BenchPool"));
            status.addLine(QStringLiteral("show status like 'Innodb_buffer_pool_resize_status'"));
            status.open();
            const QString text = status.rowCount() > 0 ? status.text(0, 1) : QString();
            if (scalar(c, QStringLiteral("select @@innodb_buffer_pool_size")) >= wanted &&
                !text.contains(QLatin1String("resiz"), Qt::CaseInsensitive))
                break;
            QThread::msleep(100);
        }
    }
    // Every column of every row, so all pages of the table are read into the pool.
    scalar(c, QStringLiteral("select sum(length(concat_ws('', %1, Picture_Dir))) from %2")
                  .arg(fullColumnList(), sql::quoteIdentifier(customerTable())));
    return double(scalar(c, QStringLiteral("select @@innodb_buffer_pool_size"))) / (1 << 20);
}

Deployment BenchDatabase::deployment() const
{
    Deployment d;
    d.memberDirectory = m_server;
    d.memberDirectory.database = memberDatabase();
    d.startupDatabase = m_server;
    d.startupDatabase.database = customerDatabase();
    return d;
}

} // namespace orvel::bench
