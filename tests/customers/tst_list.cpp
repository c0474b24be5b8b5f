// The customer list after login: statement, caption, grid columns, duplicate view,
// failures, the entry panel's group list and the print-form selector.
#include "AppHarness.h"
#include "app/TMainF.h"
#include "customers/CustomerColumns.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "customers/EntryPanel.h"
#include "customers/FindPanel.h"
#include "data/TMainDB.h"
#include "printing/PrintFormSelector.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

using namespace orvel;
using namespace orvel::test;

namespace
{

const QString kBadList = QStringLiteral("검색 조건이 맞지 않습니다.");

// Logs a member in with the given level and column profile; returns the table name.
QString loginWith(MemberFixture& f, AppHarness& app, int level, const QString& columns)
{
    f.addMember(QStringLiteral("kim"), QStringLiteral("pw"), QStringLiteral("홍길동"), level,
                QStringLiteral("영업"));
    if (!columns.isEmpty())
        f.addProfile(QStringLiteral("영업"), QStringLiteral("-"), columns);
    const QString table = f.customers.name() + QStringLiteral("_kim");
    app.start(f.deployment());
    app.login(QStringLiteral("kim"), QStringLiteral("pw"));
    return table;
}

void addCustomer(MemberFixture& f, const QString& table, const QString& group, const QString& name,
                 const QString& post, const QString& address, const QString& tel = QString())
{
    f.customers.exec(QStringLiteral("insert into `%1` (group_name, name, home_post, home_address, "
                                    "home_tel) values ('%2','%3','%4','%5','%6')")
                         .arg(table, group, name, post, address, tel));
}

QStringList titles(CustomerGridModel* model)
{
    QStringList t;
    for (int c = 0; c < model->columnCount(); ++c)
        t << model->headerData(c, Qt::Horizontal).toString();
    return t;
}

QString cell(CustomerGridModel* model, int row, const QString& field, int role = Qt::DisplayRole)
{
    for (int c = 0; c < model->columnCount(); ++c) {
        if (model->fieldName(c) == field)
            return model->data(model->index(row, c), role).toString();
    }
    return QStringLiteral("<no column %1>").arg(field);
}

} // namespace

class TestList : public QObject
{
    Q_OBJECT
private slots:
    void gridColumnsFollowTheColumnTable();
    void numbersDisplayGroupedAndEditPlain();
    void emptyConditionAndOrderGiveTheBareSelect();
    void fieldNamesMatchCaseSensitively();
    void rejectedConditionKeepsStateAndCaption();
    void duplicateViewGroupsTwins();
    void duplicateViewNeedsTheKeyColumns();
    void groupListReloadKeepsGroupAndHomeAddress();
    void printFormSelectorListsCatalogueAndUserForms();
    void userFormsAloneSelectNothing();
};

void TestList::gridColumnsFollowTheColumnTable()
{
    MemberFixture f;
    AppHarness app;
    const QString table = loginWith(f, app, 1, QString());
    addCustomer(f, table, QStringLiteral("친구"), QStringLiteral("가나다"),
                QStringLiteral("135-080"), QStringLiteral("서울 강남구"));
    app.window().refreshCustomerList();
    CustomerWorkspace* ws = app.window().workspace();
    CustomerGridModel* model = ws->gridModel();
    CustomerGrid* grid = ws->grid();
    QCOMPARE(titles(model),
             (QStringList{"관리번호", "UserID", "그룹명", "이름", "메일", "홈페이지", "주민등록",
                          "우편번호", "집 주소", "집 전화", "직장명", "우편번호", "직장 주소",
                          "직장전화", "직장팩스", "휴대폰", "기타(특이 사항)", "DM"}));
    QVERIFY(grid->isColumnHidden(0));
    QCOMPARE(grid->columnWidth(1), DefaultColumnWidth); // UserID keeps the default
    QCOMPARE(grid->columnWidth(7), 55);                 // home_post
    QCOMPARE(grid->columnWidth(11), 80);                // office_post
    QCOMPARE(grid->columnWidth(3), 180);                // name
    QCOMPARE(grid->columnWidth(17), 30);                // DM_Check
    const auto align = [&](int column) {
        return model->data(model->index(0, column), Qt::TextAlignmentRole).value<Qt::Alignment>();
    };
    QCOMPARE(align(7), Qt::Alignment(Qt::AlignCenter));
    QCOMPARE(align(17), Qt::Alignment(Qt::AlignCenter));
    QVERIFY(align(3) & Qt::AlignLeft);
    for (int c : {0, 3, 17}) {
        QVERIFY(model->headerData(c, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
        QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
    }
    QCOMPARE(grid->verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
    QCOMPARE(grid->currentIndex().row(), 0);
    QCOMPARE(ws->tabText(0), QStringLiteral("고객자료-[검색=1명]"));
}

void TestList::numbersDisplayGroupedAndEditPlain()
{
    MemberFixture f;
    AppHarness app;
    const QString table = loginWith(f, app, 1, QString());
    f.customers.exec(
        QStringLiteral("insert into `%1` (no, name, DM_Check) values (1234567, 'a', 1234)")
            .arg(table));
    app.window().refreshCustomerList();
    CustomerGridModel* model = app.window().workspace()->gridModel();
    QCOMPARE(cell(model, 0, QStringLiteral("DM_Check")), QStringLiteral("1,234"));
    QCOMPARE(cell(model, 0, QStringLiteral("DM_Check"), Qt::EditRole), QStringLiteral("1234"));
    QCOMPARE(cell(model, 0, QStringLiteral("no")), QStringLiteral("1,234,567"));
    QVERIFY(cell(model, 0, QStringLiteral("DM_Check"), Qt::TextAlignmentRole) != QString("x"));
}

void TestList::emptyConditionAndOrderGiveTheBareSelect()
{
    MemberFixture f;
    AppHarness app;
    loginWith(f, app, 1, QString());
    LoginContext& ctx = app.window().context();
    ctx.ListOrder.clear();
    app.window().refreshCustomerList();
    QCOMPARE(app.db().GoDB.lines(), QStringList{ctx.ListSelect});
    ctx.ListCondition = QStringLiteral("name like '%가%'");
    ctx.ListOrder = QStringLiteral("Name,home_post");
    app.window().refreshCustomerList();
    QCOMPARE(app.db().GoDB.lines(),
             (QStringList{ctx.ListSelect, "Where name like '%가%'", "Order by Name,home_post"}));
    QVERIFY(app.messages.shown().isEmpty());
}

void TestList::fieldNamesMatchCaseSensitively()
{
    MemberFixture f;
    AppHarness app;
    const QString table = loginWith(f, app, 8, QStringLiteral("no,Name,home_post"));
    addCustomer(f, table, QStringLiteral("g"), QStringLiteral("이름1"), QStringLiteral("1"),
                QStringLiteral("a"));
    app.window().refreshCustomerList();
    CustomerWorkspace* ws = app.window().workspace();
    QCOMPARE(titles(ws->gridModel()), (QStringList{"관리번호", "Name", "우편번호"}));
    QCOMPARE(ws->grid()->columnWidth(1), DefaultColumnWidth);
    QCOMPARE(ws->grid()->columnWidth(2), 55);
}

void TestList::rejectedConditionKeepsStateAndCaption()
{
    MemberFixture f;
    AppHarness app;
    const QString table = loginWith(f, app, 1, QString());
    addCustomer(f, table, QStringLiteral("g"), QStringLiteral("a"), QStringLiteral("1"),
                QStringLiteral("x"));
    app.window().refreshCustomerList();
    LoginContext& ctx = app.window().context();
    ctx.ListCondition = QStringLiteral("no_such_column = 1");
    for (int attempt = 0; attempt < 2; ++attempt) {
        app.messages.clear();
        app.window().refreshCustomerList();
        QCOMPARE(app.messages.texts(), QStringList{kBadList});
        QVERIFY(!app.db().GoDB.isOpen());
        QCOMPARE(app.window().workspace()->gridModel()->rowCount(), 0);
        QCOMPARE(app.window().workspace()->tabText(0), QStringLiteral("고객자료-[검색=1명]"));
        QCOMPARE(ctx.ListCondition, QStringLiteral("no_such_column = 1"));
        // The failed statement stays readable.
        QVERIFY(app.db().GoDB.sqlText().contains(QLatin1String("Where no_such_column = 1\r\n")));
    }
}

void TestList::duplicateViewGroupsTwins()
{
    MemberFixture f(QStringLiteral("euckr"));
    AppHarness app;
    const QString table = loginWith(f, app, 1, QString());
    const QString a1 = QStringLiteral("서울 강남구 역삼동");
    addCustomer(f, table, QStringLiteral("친구"), QStringLiteral("김철수"),
                QStringLiteral("135-080"), a1, QStringLiteral("1"));
    addCustomer(f, table, QStringLiteral("친구"), QStringLiteral("김철수"),
                QStringLiteral("135-080"), a1, QStringLiteral("2"));
    addCustomer(f, table, QStringLiteral("친구"), QStringLiteral("김철수"),
                QStringLiteral("135-080"), a1, QStringLiteral("3"));
    addCustomer(f, table, QStringLiteral("가족"), QStringLiteral("이영희"), QStringLiteral("1"),
                QStringLiteral("b"));
    addCustomer(f, table, QStringLiteral("가족"), QStringLiteral("이영희"), QStringLiteral("1"),
                QStringLiteral("b"));
    addCustomer(f, table, QStringLiteral("가족"), QStringLiteral("이영희"), QStringLiteral("1"),
                QStringLiteral("other address"));
    addCustomer(f, table, QStringLiteral("동창"), QStringLiteral("혼자"), QStringLiteral("2"),
                QStringLiteral("c"));
    app.window().refreshCustomerList();
    const QString normal = app.db().GoDB.sqlText();
    CustomerWorkspace* ws = app.window().workspace();
    QToolButton* finder = app.window().findChild<QToolButton*>(QStringLiteral("ToolButton2"));
    QVERIFY(finder);
    finder->click();

    QVERIFY2(app.messages.shown().isEmpty(), qPrintable(app.messages.texts().join('\n')));
    const LoginContext& ctx = app.window().context();
    QCOMPARE(ctx.DuplicateMode, 1);
    QCOMPARE(ctx.DuplicateSource, normal);
    QCOMPARE(ws->findPanel()->tf_1->text(), QStringLiteral("[중복자료]"));
    CustomerGridModel* model = ws->gridModel();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->fieldName(model->columnCount() - 1), QStringLiteral("r_count"));
    QCOMPARE(titles(model).last(), QStringLiteral("중복수"));
    QCOMPARE(model->data(model->index(0, model->columnCount() - 1), Qt::TextAlignmentRole)
                 .value<Qt::Alignment>(),
             Qt::Alignment(Qt::AlignCenter));
    QStringList groups;
    for (int r = 0; r < 2; ++r)
        groups << cell(model, r, QStringLiteral("name")) + '=' +
                      cell(model, r, QStringLiteral("r_count"));
    groups.sort();
    QCOMPARE(groups, (QStringList{"김철수=3", "이영희=2"}));
    QCOMPARE(ws->tabText(0), QStringLiteral("고객자료-[검색=2명]"));

    // A second click wraps the duplicate statement, which the server refuses.
    finder->click();
    QCOMPARE(app.messages.texts(), QStringList{kBadList});
    QCOMPARE(ws->findPanel()->tf_1->text(), QStringLiteral("[중복자료][중복자료]"));
    QCOMPARE(model->rowCount(), 0);
    QVERIFY(!app.db().GoDB.isOpen());
    QCOMPARE(ws->tabText(0), QStringLiteral("고객자료-[검색=2명]"));
}

void TestList::duplicateViewNeedsTheKeyColumns()
{
    MemberFixture f;
    AppHarness app;
    loginWith(f, app, 2, QStringLiteral("no,name,home_tel"));
    QVERIFY(app.messages.shown().isEmpty());
    app.window().findChild<QToolButton*>(QStringLiteral("ToolButton2"))->click();
    QCOMPARE(app.messages.texts(), QStringList{kBadList});
    QCOMPARE(app.window().workspace()->gridModel()->rowCount(), 0);
}

void TestList::groupListReloadKeepsGroupAndHomeAddress()
{
    MemberFixture f;
    AppHarness app;
    const QString table = loginWith(f, app, 1, QString());
    addCustomer(f, table, QStringLiteral("나"), QStringLiteral("x"), QStringLiteral("1"),
                QStringLiteral("a"));
    addCustomer(f, table, QStringLiteral("가"), QStringLiteral("y"), QStringLiteral("1"),
                QStringLiteral("a"));
    addCustomer(f, table, QStringLiteral("가"), QStringLiteral("z"), QStringLiteral("1"),
                QStringLiteral("a"));
    f.customers.exec(QStringLiteral("insert into `%1` (name) values ('no group')").arg(table));
    EntryPanel* panel = app.window().workspace()->entryPanel();
    for (int n = 1; n <= 15; ++n)
        panel->setText(n, QStringLiteral("v%1").arg(n));
    panel->Edit_No->setText(QStringLiteral("7"));
    panel->setCaption(EntryPanel::editTitle());

    app.window().loadGroupNames();
    QCOMPARE(panel->caption(), QStringLiteral("등록"));
    QCOMPARE(panel->Edit_No->text(), QString());
    for (int n = 1; n <= 15; ++n) {
        const bool kept = n == 1 || n == 3 || n == 4;
        QCOMPARE(panel->text(n), kept ? QStringLiteral("v%1").arg(n) : QString());
    }
    QStringList groups;
    for (int i = 0; i < panel->in1->count(); ++i)
        groups << panel->in1->itemText(i);
    QCOMPARE(groups, (QStringList{"", "가", "나"}));
}

void TestList::printFormSelectorListsCatalogueAndUserForms()
{
    MemberFixture f;
    f.members.exec(
        QStringLiteral("insert into RPTList (RL_Code, RL_Code2, RL_Name, RL_File) values "
                       "(1, 0, '고객 출력', ''), (0, 1, '우편 라벨', 'labels.fr3'), "
                       "(0, 1, '고객 목록', 'list.fr3'), (0, 99, 'SQL 양식', 'sql.fr3')"));
    AppHarness app;
    QDir(app.programDir()).mkpath(QStringLiteral("Orvel_User/folder.fr3"));
    for (const char* name :
         {"Orvel_User/내 양식.fr3", "Orvel_User/UPPER.FR3", "Orvel_User/note.txt"}) {
        QFile file(app.programDir() + QString::fromUtf8(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    loginWith(f, app, 1, QString());
    PrintFormSelector* bar = app.window().printForms();
    QStringList entries;
    for (int i = 0; i < bar->forms()->count(); ++i)
        entries << bar->forms()->itemText(i) + '=' + bar->files()->item(i)->text();
    QCOMPARE(entries.size(), 5);
    QCOMPARE(entries.mid(0, 2), (QStringList{"[D]고객 목록=list.fr3", "[D]우편 라벨=labels.fr3"}));
    QStringList user = entries.mid(2);
    user.sort();
    QCOMPARE(user,
             (QStringList{"[U]UPPER=UPPER.FR3", "[U]folder=folder.fr3", "[U]내 양식=내 양식.fr3"}));
    QCOMPARE(bar->forms()->currentIndex(), 0);
    QCOMPARE(bar->files()->currentRow(), 0);
    QVERIFY(bar->files()->isHidden());
    QCOMPARE(bar->forms()->maxVisibleItems(), 30);
}

void TestList::userFormsAloneSelectNothing()
{
    MemberFixture f;
    AppHarness app;
    QDir(app.programDir()).mkpath(QStringLiteral("Orvel_User"));
    QFile file(app.programDir() + QStringLiteral("Orvel_User/a.fr3"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    loginWith(f, app, 1, QString());
    PrintFormSelector* bar = app.window().printForms();
    QCOMPARE(bar->forms()->count(), 1);
    QCOMPARE(bar->forms()->itemText(0), QStringLiteral("[U]a"));
    QCOMPARE(bar->forms()->currentIndex(), -1);
}

QTEST_MAIN(TestList)
#include "tst_list.moc"
