// The main window's print commands against the real database: printing the list through
// a print form, designing on sample rows and opening a prepared report.
#include "AppHarness.h"
#include "ModalWatch.h"
#include "app/TMainF.h"
#include "customers/CustomerWorkspace.h"
#include "data/Query.h"
#include "data/TMainDB.h"
#include "printing/PrintFormSelector.h"
#include "printing/ReportObjects.h"
#include "printing/catalogue/TReportListF.h"
#include "report/designer/DesignerWindow.h"
#include "report/preview/FileChooser.h"
#include "report/preview/PreviewWindow.h"
#include "report/preview/WorkProgress.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

using namespace orvel;
using namespace orvel::test;
using orvel::report::PreparedReport;

namespace
{

/// The customer names on the prepared pages, in print order.
QStringList printedNames(const PreparedReport& r, const QStringList& known)
{
    QStringList names;
    for (const auto& page : r.pages)
        for (const auto& item : page.items)
            if (known.contains(item.text))
                names << item.text;
    return names;
}

} // namespace

class TstPrintCommands : public QObject
{
    Q_OBJECT

private:
    MemberFixture* m_f = nullptr;
    AppHarness* m_app = nullptr;
    QString m_table;
    const QStringList m_names{"강감찬", "김유신", "이순신", "홍길동", "김유신"};

    /// The names of the grid's rows, in the grid's order.
    QStringList gridNames()
    {
        Query& list = m_app->db().GoDB;
        QStringList names;
        for (list.first(); !list.eof(); list.next())
            names << list.fieldAsString(QStringLiteral("name"));
        list.first();
        return names;
    }

    /// Runs a command of the main window; answers whether it showed a preview (closed at
    /// once; its pages stay in TR_View).
    bool showsPreview(const std::function<void()>& command)
    {
        QObject scope;
        bool seen = false;
        onModal<report::PreviewWindow>(
            &scope, [](report::PreviewWindow*) {}, &seen);
        command();
        if (!seen)
            QTest::qWait(200);
        return seen;
    }

    /// The customer names on TR_View's prepared pages, in print order.
    QStringList printed()
    {
        return printedNames(m_app->window().reports().TR_View.prepared(), m_names);
    }

    void clickTool(const char* name)
    {
        QTest::mouseClick(m_app->window().findChild<QToolButton*>(QLatin1String(name)),
                          Qt::LeftButton);
    }

    void clickPrint()
    {
        QTest::mouseClick(m_app->window().printForms()->printButton(), Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_f = new MemberFixture;
        m_f->members.exec(
            QStringLiteral("insert into RPTList (RL_Code, RL_Code2, RL_Name, RL_File) values "
                           "(0, 1, '고객 목록', 'customer_list.fr3')"));
        m_app = new AppHarness;
        QDir(m_app->programDir()).mkpath(QStringLiteral("orvel_data"));
        QVERIFY(QFile::copy(QStringLiteral(REPORT_SHIPPED_DATA "/customer_list.fr3"),
                            m_app->programDir() + QStringLiteral("orvel_data/customer_list.fr3")));
        m_f->addMember(QStringLiteral("kim"), QStringLiteral("pw"), QStringLiteral("홍길동"), 1,
                       QStringLiteral("관리"));
        m_table = m_f->customers.name() + QStringLiteral("_kim");
        m_app->start(m_f->deployment());
        m_app->login(QStringLiteral("kim"), QStringLiteral("pw"));
        for (int i = 0; i < m_names.size(); ++i)
            m_f->customers.exec(
                QStringLiteral("insert into `%1` (group_name, name, home_post, home_address) "
                               "values ('가', '%2', '0%3', '서울 %3')")
                    .arg(m_table, m_names[i])
                    .arg(1000 + m_names.indexOf(m_names[i])));
        m_app->window().refreshCustomerList();
        QCOMPARE(m_app->db().GoDB.rowCount(), m_names.size());
        QCOMPARE(m_app->window().printForms()->forms()->currentText(),
                 QStringLiteral("[D]고객 목록"));
    }

    void cleanup()
    {
        delete m_app;
        delete m_f;
        report::FileChooser::setNextFileName({});
    }

    void printsExactlyTheGridsRows_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("count");
        QTest::addRow("whole list") << QString() << QString() << 5;
        QTest::addRow("searched and sorted")
            << QStringLiteral("name like '%김%'") << QStringLiteral("no desc") << 2;
        QTest::addRow("ordered by address")
            << QString() << QStringLiteral("home_address desc") << 5;
    }

    void printsExactlyTheGridsRows()
    {
        QFETCH(QString, condition);
        QFETCH(QString, order);
        QFETCH(int, count);
        LoginContext& ctx = m_app->window().context();
        ctx.ListCondition = condition;
        ctx.ListOrder = order;
        m_app->window().refreshCustomerList();
        const QStringList expected = gridNames();
        QCOMPARE(expected.size(), count);
        QVERIFY(showsPreview([&] { clickPrint(); }));
        QCOMPARE(printed(), expected);
        QCOMPARE(m_app->db().RPTDB.statement(), m_app->db().GoDB.statement());
        QCOMPARE(m_app->window().reports().TR_View.dataSetName(), QStringLiteral("RPTDB"));
    }

    void duplicateViewPrintsTheGroups()
    {
        m_app->window().workspace()->findDuplicates();
        // One group: the two records of 김유신 with their count.
        QCOMPARE(m_app->db().GoDB.rowCount(), 1);
        const QStringList expected = gridNames();
        QVERIFY(showsPreview([&] { clickPrint(); }));
        QCOMPARE(printed(), expected);
        QCOMPARE(printed(), QStringList{QStringLiteral("김유신")});
        QVERIFY(m_app->db().RPTDB.columnNames().contains(QStringLiteral("r_count")));
    }

    void stoppedPreparationShowsNoPreview()
    {
        QObject scope;
        QStringList values;
        for (int i = 0; i < 2000; ++i)
            values << QStringLiteral("('고객%1')").arg(i);
        m_f->customers.exec(QStringLiteral("insert into `%1` (name) values %2")
                                .arg(m_table, values.join(QLatin1Char(','))));
        m_app->window().refreshCustomerList();
        report::WorkProgress::setShowAfter(0);
        // The user presses "취소" as soon as the progress shows.
        bool stopped = false;
        pressCancelWhenProgressShows(&scope, &stopped);
        const bool seen = showsPreview([&] { clickPrint(); });
        report::WorkProgress::setShowAfter(500);
        QVERIFY(stopped);
        QVERIFY(!seen);
        QVERIFY(m_app->window().reports().TR_View.prepared().pages.empty());
        QVERIFY(m_app->messages.shown().isEmpty());
    }

    void menuOpensOneCatalogue()
    {
        LoginContext& ctx = m_app->window().context();
        ctx.CatalogueSelect.clear();
        m_app->window().A_ReportList->trigger();
        m_app->window().A_ReportList->trigger();
        const auto dialogs = QApplication::topLevelWidgets();
        int open = 0;
        for (QWidget* w : dialogs)
            open += qobject_cast<TReportListF*>(w) && w->isVisible() ? 1 : 0;
        QCOMPARE(open, 1);
        QCOMPARE(ctx.CatalogueSelect, ctx.ListSelect);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void closedListLoadsTheFormAndShowsNothing()
    {
        m_app->db().GoDB.close();
        QVERIFY(!showsPreview([&] { clickPrint(); }));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(!m_app->window().reports().TR_View.reportTemplate().pages.empty());
    }

    void removedUserFormPreviewsAnEmptyReport()
    {
        const QString form = m_app->programDir() + QStringLiteral("Orvel_User/내 양식.fr3");
        QDir(m_app->programDir()).mkpath(QStringLiteral("Orvel_User"));
        QVERIFY(QFile::copy(QStringLiteral(REPORT_SHIPPED_DATA "/customer_list.fr3"), form));
        m_app->window().loadPrintFormList();
        QComboBox* forms = m_app->window().printForms()->forms();
        forms->setCurrentIndex(forms->findText(QStringLiteral("[U]내 양식")));
        QVERIFY(forms->currentIndex() > 0);
        m_app->window().printForms()->files()->setCurrentRow(forms->currentIndex());
        QVERIFY(QFile::remove(form));
        QVERIFY(showsPreview([&] { clickPrint(); }));
        QCOMPARE(m_app->window().reports().TR_View.prepared().pages.size(), size_t(0));
        QVERIFY(m_app->window().reports().TR_View.reportTemplate().pages.empty());
    }

    void designerGetsAtMostTwentyRows()
    {
        QObject scope;
        for (int i = 0; i < 30; ++i)
            m_f->customers.exec(
                QStringLiteral("insert into `%1` (name) values ('고객%2')").arg(m_table).arg(i));
        m_app->window().refreshCustomerList();
        bool seen = false;
        int rows = -1;
        QStringList fields;
        onModal<report::DesignerWindow>(
            &scope,
            [&](report::DesignerWindow* w) {
                rows = m_app->db().RPTDB.rowCount();
                fields = w->document()->fieldNames();
            },
            &seen);
        m_app->window().A_RptEdit->trigger();
        QVERIFY(seen);
        QCOMPARE(rows, 20);
        QVERIFY(fields.contains(QStringLiteral("name")));
        QVERIFY(m_app->db().RPTDB.statement().endsWith(QStringLiteral(" limit 0,20")));
    }

    void preparedReportOpensFromTheToolbar()
    {
        // A print first, saved as a prepared report as the preview's save button does.
        QVERIFY(showsPreview([&] { clickPrint(); }));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.fp3"));
        m_app->window().reports().TR_View.savePrepared(path);
        m_app->window().reports().TR_View.clear();

        report::FileChooser::setNextFileName(path);
        QVERIFY(showsPreview([&] { clickTool("tb_open_report"); }));
        QCOMPARE(printed(), gridNames());

        // A cancelled dialog shows nothing.
        report::FileChooser::setNextFileName({});
        QVERIFY(!showsPreview([&] { clickTool("tb_open_report"); }));
    }
};

QTEST_MAIN(TstPrintCommands)
#include "tst_print_commands.moc"
