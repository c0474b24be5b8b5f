// The print-form catalogue against the real database: kinds and forms of RPTList, saving
// into the designer, deleting, composing statements, and the text replacement it uses.
#include "AppHarness.h"
#include "ModalWatch.h"
#include "app/TMainF.h"
#include "data/Query.h"
#include "data/TMainDB.h"
#include "printing/PrintFormSelector.h"
#include "printing/ReportObjects.h"
#include "printing/catalogue/SearchAndReplace.h"
#include "printing/catalogue/SqlPanel.h"
#include "printing/catalogue/TReportListF.h"
#include "report/designer/DesignerWindow.h"
#include "report/preview/FileChooser.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

using namespace orvel;
using namespace orvel::test;

namespace
{

QStringList gridNames(const TReportListF& f)
{
    QStringList names;
    for (int r = 0; r < f.grid()->rowCount(); ++r)
        names << f.grid()->item(r, 3)->text();
    return names;
}

QSet<QString> asSet(const QStringList& list)
{
    return QSet<QString>(list.begin(), list.end());
}

} // namespace

class TstCatalogue : public QObject
{
    Q_OBJECT

private:
    MemberFixture* m_f = nullptr;
    AppHarness* m_app = nullptr;
    QPointer<TReportListF> m_dlg;

    QString dataDir() { return m_app->window().context().DataDir; }
    TReportListF& open()
    {
        showCatalogue(m_app->window(), m_dlg);
        return *m_dlg;
    }
    void choose(TReportListF& f, int index)
    {
        f.kindList()->setCurrentIndex(index);
        emit f.kindList()->activated(index);
    }
    void click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    QAbstractButton* button(const char* name)
    {
        return m_dlg->findChild<QAbstractButton*>(QString::fromLatin1(name));
    }
    /// Clicks "저장 및 편집"; tells whether the designer showed and on which RPTDB statement.
    bool saveIntoDesigner(QString* statement = nullptr)
    {
        QObject scope;
        bool seen = false;
        onModal<report::DesignerWindow>(
            &scope,
            [&](report::DesignerWindow*) {
                if (statement)
                    *statement = m_app->db().RPTDB.statement();
            },
            &seen);
        click(button("btn_save"));
        QTest::qWait(seen ? 0 : 200);
        return seen;
    }
    QString row(const QString& name)
    {
        return m_f->customers
            .rows(QStringLiteral("select RL_Code, RL_Code2, RL_Name, RL_File, RL_SQL "
                                 "from RPTList where RL_Name = '%1'")
                      .arg(name))
            .value(0);
    }
    /// Names as the server orders them (its collation decides, not the code points).
    QStringList ordered(const QString& condition)
    {
        return m_f->customers.rows(
            QStringLiteral("select RL_Name from RPTList where %1 order by RL_Name").arg(condition));
    }
    int kindIndex(const QString& name) { return m_dlg->kindList()->findText(name); }

private slots:
    void init()
    {
        m_f = new MemberFixture;
        m_f->customers.exec(QStringLiteral(
            "insert into RPTList (RL_Code, RL_Code2, RL_Name, RL_File, RL_SQL) values "
            "(1, 0, '고객 양식', '', 'select 1'), (2, 0, '라벨 양식', '', 'select 2'), "
            "(99, 0, '자유 SQL', '', ''), "
            "(0, 1, '나 목록', 'b.fr3', ''), (0, 1, '가 목록', 'a.fr3', ''), "
            "(0, 2, '주소 라벨', 'l.fr3', '')"));
        m_f->customers.exec(QStringLiteral(
            "insert into AgentList (AgentCode, AgentName) values ('A1', '거래처1')"));
        m_app = new AppHarness;
        QDir(m_app->programDir()).mkpath(QStringLiteral("orvel_data"));
        m_f->addMember(QStringLiteral("kim"), QStringLiteral("pw"), QStringLiteral("홍길동"), 1,
                       QStringLiteral("관리"));
        m_app->start(m_f->deployment());
        m_app->login(QStringLiteral("kim"), QStringLiteral("pw"));
        m_app->messages.clear();
    }

    void cleanup()
    {
        delete m_dlg;
        delete m_app;
        delete m_f;
        report::FileChooser::setNextFileName({});
    }

    void opensWithKindsAndTheFirstKindsForms()
    {
        m_app->window().context().CatalogueSelect.clear();
        TReportListF& f = open();
        QCOMPARE(f.windowTitle(), QStringLiteral("양식 관리"));
        QCOMPARE(m_app->window().context().CatalogueSelect, m_app->window().context().ListSelect);
        QStringList kinds;
        for (int i = 0; i < f.kindList()->count(); ++i)
            kinds << f.kindList()->itemText(i);
        QCOMPARE(kinds, ordered(QStringLiteral("RL_Code <> 0")));
        const QHash<QString, std::pair<QString, QString>> byName{{"고객 양식", {"1", "select 1"}},
                                                                 {"라벨 양식", {"2", "select 2"}},
                                                                 {"자유 SQL", {"99", ""}}};
        QCOMPARE(f.kindCodes().size(), 3);
        for (int i = 0; i < kinds.size(); ++i) {
            QCOMPARE(f.kindCodes().at(i), byName.value(kinds[i]).first);
            QCOMPARE(f.kindStatements().at(i), byName.value(kinds[i]).second);
        }
        QCOMPARE(gridNames(f), ordered(QStringLiteral("RL_Code2 = ") + f.kindCodes().first()));
        // Even a first kind of code 99 leaves the SQL panel folded away.
        QCOMPARE(f.height(), 289);
        QVERIFY(f.sqlPanel()->isHidden());
        QCOMPARE(f.mode(), QStringLiteral("등록"));
        // A second command brings the same dialog back.
        TReportListF* first = m_dlg;
        open();
        QCOMPARE(m_dlg.data(), first);
    }

    void choosingAKindShowsItsForms_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("sqlShown");
        QTest::addColumn<int>("height");
        QTest::addRow("customer kind")
            << "고객 양식" << QStringList{"가 목록", "나 목록"} << false << 289;
        QTest::addRow("label kind") << "라벨 양식" << QStringList{"주소 라벨"} << false << 289;
        QTest::addRow("sql kind") << "자유 SQL" << QStringList{} << true << 466;
    }

    void choosingAKindShowsItsForms()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, names);
        QFETCH(bool, sqlShown);
        QFETCH(int, height);
        TReportListF& f = open();
        f.sqlPanel()->setStatement(QStringLiteral("left over"));
        choose(f, kindIndex("자유 SQL"));
        choose(f, kindIndex(kind));
        QCOMPARE(gridNames(f),
                 ordered(QStringLiteral("RL_Code2 = ") + f.kindCodes().at(kindIndex(kind))));
        QCOMPARE(asSet(gridNames(f)), asSet(names));
        QCOMPARE(f.sqlPanel()->isVisible(), sqlShown);
        QCOMPARE(f.height(), height);
        if (sqlShown) {
            QVERIFY(f.sqlPanel()->statement().isEmpty());
            QCOMPARE(f.sqlPanel()->tableChooser()->currentIndex(), -1);
        }
    }

    void savingANewFormCreatesItsTemplate_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("browse");
        QTest::addColumn<QString>("expectedRow");
        QTest::addRow("customer kind, typed")
            << "고객 양식" << false << QStringLiteral("0|1|새 양식|new.fr3|select 1");
        QTest::addRow("label kind, browsed elsewhere")
            << "라벨 양식" << true << QStringLiteral("0|2|새 양식|new.fr3|select 2");
    }

    void savingANewFormCreatesItsTemplate()
    {
        QFETCH(QString, kind);
        QFETCH(bool, browse);
        QFETCH(QString, expectedRow);
        TReportListF& f = open();
        choose(f, kindIndex(kind));
        f.nameEdit()->setText(QStringLiteral("새 양식"));
        if (browse) {
            report::FileChooser::setNextFileName(QStringLiteral("/elsewhere/forms/new.fr3"));
            click(button("btn_browse"));
            QCOMPARE(f.fileEdit()->text(), QStringLiteral("/elsewhere/forms/new.fr3"));
        } else {
            f.fileEdit()->setText(QStringLiteral("new.fr3"));
        }
        QString statement;
        QVERIFY(saveIntoDesigner(&statement));
        QCOMPARE(m_app->messages.texts().first(),
                 f.kindList()->currentText() +
                     QStringLiteral("의 새 양식을(를) 저장 하시겠습니까?"));
        QCOMPARE(row(QStringLiteral("새 양식")), expectedRow);
        QVERIFY(QFile::exists(dataDir() + QStringLiteral("new.fr3")));
        QCOMPARE(statement, m_app->window().context().ListSelect);
        QCOMPARE(m_app->window().reports().TR_View.dataSetName(), QStringLiteral("RPTDB"));
        QVERIFY(gridNames(f).contains(QStringLiteral("새 양식")));
        QVERIFY(f.nameEdit()->text().isEmpty());
        QCOMPARE(f.mode(), QStringLiteral("등록"));
    }

    void changingAFormKeepsItsCodes()
    {
        TReportListF& f = open();
        choose(f, kindIndex("고객 양식"));
        f.grid()->setCurrentCell(int(gridNames(f).indexOf("나 목록")), 3);
        click(button("btn_edit"));
        QCOMPARE(f.mode(), QStringLiteral("수정"));
        QVERIFY(!f.kindList()->isEnabled());
        QCOMPARE(f.fileEdit()->text(), QStringLiteral("b.fr3"));
        f.nameEdit()->setText(QStringLiteral("다 목록"));
        QVERIFY(saveIntoDesigner());
        QCOMPARE(row(QStringLiteral("다 목록")), QStringLiteral("0|1|다 목록|b.fr3|select 1"));
        QCOMPARE(m_f->customers.scalar(QStringLiteral("select count(*) from RPTList")),
                 QStringLiteral("6"));
        QCOMPARE(f.mode(), QStringLiteral("등록"));
        QVERIFY(f.kindList()->isEnabled());
    }

    void answeringNoWritesNothingButClears()
    {
        TReportListF& f = open();
        choose(f, kindIndex("고객 양식"));
        f.nameEdit()->setText(QStringLiteral("안 저장"));
        f.fileEdit()->setText(QStringLiteral("no.fr3"));
        m_app->messages.queueAnswers({2});
        QVERIFY(!saveIntoDesigner());
        QVERIFY(row(QStringLiteral("안 저장")).isEmpty());
        QVERIFY(!QFile::exists(dataDir() + QStringLiteral("no.fr3")));
        QVERIFY(f.nameEdit()->text().isEmpty());
        QVERIFY(f.fileEdit()->text().isEmpty());
        QCOMPARE(gridNames(f).size(), 2);
    }

    void sqlKindStoresMarksAndRunsWithout()
    {
        TReportListF& f = open();
        choose(f, kindIndex("자유 SQL"));
        f.nameEdit()->setText(QStringLiteral("거래처 목록"));
        f.fileEdit()->setText(QStringLiteral("agents.fr3"));
        f.sqlPanel()->setStatement(QStringLiteral("SELECT AgentName FROM &AgentList"));
        QString statement;
        QVERIFY(saveIntoDesigner(&statement));
        QCOMPARE(row(QStringLiteral("거래처 목록")),
                 QStringLiteral("0|99|거래처 목록|agents.fr3|SELECT AgentName FROM &AgentList"));
        QCOMPARE(statement, QStringLiteral("SELECT AgentName FROM AgentList"));
        QCOMPARE(m_app->db().RPTDB.columnNames(), QStringList{"AgentName"});
    }

    void emptySqlStatementFailsBeforeTheDesigner()
    {
        TReportListF& f = open();
        choose(f, kindIndex("자유 SQL"));
        f.nameEdit()->setText(QStringLiteral("빈 양식"));
        f.fileEdit()->setText(QStringLiteral("empty.fr3"));
        QVERIFY(!saveIntoDesigner());
        QCOMPARE(row(QStringLiteral("빈 양식")), QStringLiteral("0|99|빈 양식|empty.fr3|"));
        QCOMPARE(m_app->messages.shown().size(), 2);
        QVERIFY(m_app->messages.shown().last().lastResort);
        QVERIFY(!QFile::exists(dataDir() + QStringLiteral("empty.fr3")));
        // The stopped save keeps the entry.
        QCOMPARE(f.nameEdit()->text(), QStringLiteral("빈 양식"));
    }

    void composingAStatement_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<QString>("expected");
        QTest::addRow("two columns")
            << 0 << QList<int>{2, 1}
            << QStringLiteral("SELECT AgentCode,AgentName FROM &AgentList");
        QTest::addRow("none ticked")
            << 0 << QList<int>{} << QStringLiteral("SELECT  *  FROM &AgentList");
        QTest::addRow("no table") << -1 << QList<int>{} << QStringLiteral("SELECT  *  FROM &");
    }

    void composingAStatement()
    {
        QFETCH(int, table);
        QFETCH(QList<int>, ticked);
        QFETCH(QString, expected);
        TReportListF& f = open();
        choose(f, kindIndex("자유 SQL"));
        SqlPanel* sql = f.sqlPanel();
        if (table >= 0) {
            sql->tableChooser()->setCurrentIndex(table);
            emit sql->tableChooser()->activated(table);
            QCOMPARE(sql->columnList()->item(1)->text(), QStringLiteral("AgentCode"));
            QCOMPARE(sql->columnList()->count(), 7);
        }
        for (int i : ticked)
            sql->columnList()->item(i)->setCheckState(Qt::Checked);
        click(sql->composeButton());
        QCOMPARE(sql->statement(), expected);
    }

    void deletingAForm_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("remaining");
        QTest::addRow("yes") << 1 << QStringList{"나 목록"};
        QTest::addRow("no") << 2 << QStringList{"가 목록", "나 목록"};
    }

    void deletingAForm()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, remaining);
        TReportListF& f = open();
        choose(f, kindIndex("고객 양식"));
        f.grid()->setCurrentCell(int(gridNames(f).indexOf("가 목록")), 3);
        m_app->messages.queueAnswers({answer});
        click(button("btn_delete"));
        QVERIFY(!m_app->messages.texts().isEmpty());
        QCOMPARE(m_app->messages.texts().first(), QStringLiteral("가 목록 양식을 하시겠습니까?"));
        QCOMPARE(asSet(gridNames(f)), asSet(remaining));
        QCOMPARE(m_f->customers.scalar(QStringLiteral("select count(*) from RPTList where "
                                                      "RL_Code2 = 1")),
                 QString::number(remaining.size()));
        if (answer == 1)
            QCOMPARE(m_app->messages.texts().last(), QStringLiteral("정상적으로 삭제 되었습니다."));
        else
            QCOMPARE(m_app->messages.shown().size(), 1);
    }

    void closingReloadsTheSelector()
    {
        TReportListF& f = open();
        m_f->members.exec(QStringLiteral("insert into RPTList (RL_Code, RL_Code2, RL_Name, "
                                         "RL_File) values (0, 1, '새 목록', 'n.fr3')"));
        QComboBox* forms = m_app->window().printForms()->forms();
        QCOMPARE(forms->findText(QStringLiteral("[D]새 목록")), -1);
        f.close();
        QVERIFY(forms->findText(QStringLiteral("[D]새 목록")) >= 0);
        QTRY_VERIFY(m_dlg.isNull());
    }

    void searchAndReplace_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::addRow("marks removed") << "SELECT a FROM &AgentList, &GMList"
                                       << "&"
                                       << ""
                                       << "SELECT a FROM AgentList, GMList";
        QTest::addRow("no occurrence") << "abc"
                                       << "x"
                                       << "y"
                                       << "abc";
        QTest::addRow("empty search") << "abc"
                                      << ""
                                      << "y"
                                      << "abc";
        QTest::addRow("formed by a replacement") << "aabb"
                                                 << "ab"
                                                 << ""
                                                 << "";
        QTest::addRow("longer replacement") << "a-b-c"
                                            << "-"
                                            << "=="
                                            << "a==b==c";
        QTest::addRow("replacement holds the search") << "a&b&"
                                                      << "&"
                                                      << "&&"
                                                      << "a&&b&&";
        // Every round forms a new occurrence: the text would grow without end.
        QTest::addRow("ever-growing replacement") << "aab"
                                                  << "ab"
                                                  << "bbaa"
                                                  << "abbaa";
        QTest::addRow("replacement is the search") << "x.y"
                                                   << "."
                                                   << "."
                                                   << "x.y";
    }

    void searchAndReplace()
    {
        QFETCH(QString, source);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        QCOMPARE(SearchAndReplace(source, search, replacement), expected);
    }
};

QTEST_MAIN(TstCatalogue)
#include "tst_catalogue.moc"
