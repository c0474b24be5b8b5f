#include "EntrySession.h"

#include "app/TMainF.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "customers/EntryPanel.h"
#include "zipcode/TPostFindF.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

namespace orvel::test
{

const QString kAllColumns = QStringLiteral(
    "no,UserID,group_name,name,email,homepage,jumin,home_post,home_address,home_tel,"
    "Office_Name,office_post,office_address,office_tel,office_fax,handphone,Member_Comment,"
    "DM_Check");

void addZipRows(MemberFixture& f)
{
    f.members.exec(
        QStringLiteral("insert into ZipCode (ZIPCODE,SIDO,GUGUN,DONG,RI,BLDG,ZIPFIND) values "
                       "('760-040','경북','안동시','신안동','','','경북 안동시 신안동'),"
                       "('135-080','서울','강남구','역삼동','','','서울 강남구 역삼동 1~147')"));
}

EntrySession::EntrySession(int level, const QString& columns)
{
    fixture.addMember(QStringLiteral("kim"), QStringLiteral("kim1234"), QStringLiteral("홍길동"),
                      level, QStringLiteral("영업"));
    fixture.addProfile(QStringLiteral("영업"), QStringLiteral("목록"), columns);
    addZipRows(fixture);
    app.start(fixture.deployment());
    app.window().show();
    QVERIFY(QTest::qWaitForWindowActive(&app.window()));
    panel().setAnimationDuration(0);
    app.login(QStringLiteral("kim"), QStringLiteral("kim1234"));
    QVERIFY2(app.messages.shown().isEmpty(), qPrintable(app.messages.texts().join('\n')));
}

QString EntrySession::table() const
{
    return fixture.customers.name() + QStringLiteral("_kim");
}

void EntrySession::addRecord(const QStringList& columnValues)
{
    QStringList columns, values;
    for (const QString& pair : columnValues) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        columns << pair.left(eq);
        values << QLatin1Char('\'') + pair.mid(eq + 1) + QLatin1Char('\'');
    }
    fixture.customers.exec(QStringLiteral("insert into `%1` (%2) values (%3)")
                               .arg(table(), columns.join(','), values.join(',')));
    app.window().refreshCustomerList();
}

QStringList EntrySession::rows(const QString& columnsAndTail)
{
    return fixture.customers.rows(
        QStringLiteral("select %1").arg(columnsAndTail.arg(QStringLiteral("`") + table() + "`")));
}

int EntrySession::count()
{
    return fixture.customers.scalar(QStringLiteral("select count(*) from `%1`").arg(table()))
        .toInt();
}

CustomerWorkspace& EntrySession::workspace()
{
    return *app.window().workspace();
}

EntryPanel& EntrySession::panel()
{
    return *workspace().entryPanel();
}

CustomerGrid& EntrySession::grid()
{
    return *workspace().grid();
}

CustomerGridModel& EntrySession::model()
{
    return *workspace().gridModel();
}

int EntrySession::column(const QString& field)
{
    return model().columnOf(field);
}

QStringList EntrySession::lastResortTexts() const
{
    QStringList texts;
    for (const ShownMessage& m : app.messages.shown())
        if (m.lastResort)
            texts << m.message;
    return texts;
}

void chooseZip(TPostFindF* d, const QString& text, const QString& zip, const QString& detail)
{
    d->find_name->setText(text);
    QTest::keyClick(d->find_name, Qt::Key_Return);
    QAbstractItemModel* m = d->resultGrid->model();
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, 1).data().toString() == zip)
            d->resultGrid->setCurrentIndex(m->index(r, 1));
    QTest::keyClick(d->resultGrid, Qt::Key_Return);
    d->find_2->setText(detail);
    QTest::keyClick(d->find_2, Qt::Key_Return);
    QTest::keyClick(d->find_5, Qt::Key_Return);
}

} // namespace orvel::test
