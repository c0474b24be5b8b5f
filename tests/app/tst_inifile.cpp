// The settings file: CP949 text, defaults for what is missing, keys kept on write.
#include "appcore/IniFile.h"
#include "data/Cp949.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvel;

class TestIniFile : public QObject
{
    Q_OBJECT
private slots:
    void missingFileGivesDefaults();
    void writeCreatesFileInCp949AndKeepsOtherKeys();
    void unwritableFileThrows();
};

void TestIniFile::missingFileGivesDefaults()
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("none.ini")));
    QCOMPARE(ini.readString(QStringLiteral("User"), QStringLiteral("UserName")), QString());
    QCOMPARE(ini.readInt(QStringLiteral("User"), QStringLiteral("UserType")), 0);
}

void TestIniFile::writeCreatesFileInCp949AndKeepsOtherKeys()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OrvelM2008.ini"));
    QFile seed(path);
    QVERIFY(seed.open(QIODevice::WriteOnly));
    seed.write(cp949::encode(QStringLiteral("[Other]\r\nKeep=값\r\n[User]\r\nUserType=x\r\n")));
    seed.close();

    IniFile ini(path);
    QCOMPARE(ini.readInt(QStringLiteral("User"), QStringLiteral("UserType"), 5), 5);
    ini.writeInt(QStringLiteral("User"), QStringLiteral("UserType"), 1);
    ini.writeString(QStringLiteral("User"), QStringLiteral("UserName"), QStringLiteral("홍길동"));
    ini.writeString(QStringLiteral("User"), QStringLiteral("UserName"), QStringLiteral("김 철수"));

    QCOMPARE(ini.readString(QStringLiteral("user"), QStringLiteral("username")),
             QStringLiteral("김 철수"));
    QCOMPARE(ini.readInt(QStringLiteral("User"), QStringLiteral("UserType")), 1);
    QCOMPARE(ini.readString(QStringLiteral("Other"), QStringLiteral("Keep")), QStringLiteral("값"));
    QFile raw(path);
    QVERIFY(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    QVERIFY(bytes.contains(cp949::encode(QStringLiteral("UserName=김 철수"))));
    QCOMPARE(bytes.count("UserName"), 1);
}

void TestIniFile::unwritableFileThrows()
{
    IniFile ini(QStringLiteral("/proc/orvel-no-such-dir/OrvelM2008.ini"));
    QVERIFY_THROWS_EXCEPTION(
        std::runtime_error,
        ini.writeString(QStringLiteral("User"), QStringLiteral("UserName"), QStringLiteral("x")));
}

QTEST_APPLESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
