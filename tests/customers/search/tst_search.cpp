// Column-title search and index: the search dialog, the condition and order it builds,
// the panel's labels and reset buttons, and the duplicate view.
#include "SearchHarness.h"
#include "app/TMainF.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "customers/FindPanel.h"
#include "customers/search/TSQLInF.h"
#include "data/TMainDB.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

using namespace orvel;
using namespace orvel::test;

namespace
{

// Types text key by key, Hangul included (QTest::keyClicks takes Latin-1 only).
void typeText(QWidget* w, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

const QString kBadList = QStringLiteral("검색 조건이 맞지 않습니다.");

void pickOperator(TSQLInF& d, const QString& op)
{
    for (QRadioButton* b : d.RadioGroup2->findChildren<QRadioButton*>()) {
        if (b->property("operator").toString() == op) {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("operator not offered: ") + op));
}

// Enters a value in whichever editor the dialog shows.
void enterValue(TSQLInF& d, const QVariant& value)
{
    switch (d.editor()) {
    case ValueEditor::ValueBox:
        typeText(d.SQ_Text->lineEdit(), value.toString());
        break;
    case ValueEditor::Number:
        d.SQ_Text3->selectAll();
        typeText(d.SQ_Text3, value.toString());
        break;
    case ValueEditor::Date:
        d.SQ_Text2->setDate(value.toDate());
        break;
    case ValueEditor::TrueFalse:
        if (value.toBool())
            QTest::keyClick(d.SQ_Text4, Qt::Key_Down);
        break;
    }
}

// The list state, the labels, the list statement and the tab caption.
QStringList snapshot(SearchHarness& h)
{
    const LoginContext& c = h.context();
    FindPanel* p = h.workspace().findPanel();
    return {c.ListCondition,         c.ListOrder,     QString::number(c.DuplicateMode),
            p->tf_1->text(),         p->tf_2->text(), h.app.db().GoDB.sqlText(),
            h.workspace().tabText(0)};
}

} // namespace

class TestSearch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void panelLayoutAndStart();
    void dialogAdaptsToTheColumnKind_data();
    void dialogAdaptsToTheColumnKind();
    void searchTermsFollowTheGrammar_data();
    void searchTermsFollowTheGrammar();
    void cancelOrEmptyValueChangesNothing_data();
    void cancelOrEmptyValueChangesNothing();
    void collapsedPanelIgnoresClicks_data();
    void collapsedPanelIgnoresClicks();
    void valueListHoldsTheValuesLeftOnce();
    void indexClicksBuildOrderAndLabel();
    void rejectedTermFailsUntilSearchReset();
    void searchInDuplicateViewKeepsTheGroups();
    void countSortFailsAfterSearchResetUntilIndexReset();
    void valueListFailureReachesTheLastResort();
};

void TestSearch::initTestCase()
{
    // The offscreen platform warns on every resize of a fixed-size window; keep the log
    // readable.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("does not support propagateSizeHints")))
                previous(type, context, text);
        });
}

void TestSearch::panelLayoutAndStart()
{
    FindPanel panel;
    QCOMPARE(panel.caption(), QStringLiteral("검색"));
    QVERIFY(panel.isExpanded());
    QCOMPARE(panel.findChild<QPushButton*>("tfc_1")->text(), QStringLiteral("검색초기화"));
    QCOMPARE(panel.findChild<QPushButton*>("tfc_2")->text(), QStringLiteral("색인초기화"));
    QVERIFY(panel.findChild<QLabel*>("tf_1"));
    QVERIFY(panel.findChild<QLabel*>("tf_2"));
    QCOMPARE(panel.findChild<QGroupBox*>("F_Select")->title(), QStringLiteral("선택"));
    QCOMPARE(panel.searchMode->text(), QStringLiteral("검색"));
    QCOMPARE(panel.indexMode->text(), QStringLiteral("색인"));
    QVERIFY(panel.isSearchMode());

    // After login: collapsed, empty search label, the initial sort's label.
    SearchHarness h;
    FindPanel* p = h.workspace().findPanel();
    QVERIFY(!p->isExpanded());
    QCOMPARE(p->tf_1->text(), QString());
    QCOMPARE(p->tf_2->text(), QStringLiteral("[고객명]"));
}

void TestSearch::dialogAdaptsToTheColumnKind_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("operators");
    QTest::addColumn<QString>("preselected");
    QTest::addColumn<QString>("editor");
    const QStringList compare{" = ", " > ", " >= ", " <= ", " < "};
    QTest::addRow("text") << "name" << QStringList{" = ", " like "} << " like "
                          << "SQ_Text";
    QTest::addRow("small integer") << "DM_Check" << QStringList{" = "} << " = "
                                   << "SQ_Text3";
    QTest::addRow("floating point") << "score" << compare << " = "
                                    << "SQ_Text3";
    QTest::addRow("date") << "birth" << compare << " = "
                          << "SQ_Text2";
    QTest::addRow("true/false") << "vip" << QStringList{" = "} << " = "
                                << "SQ_Text4";
}

void TestSearch::dialogAdaptsToTheColumnKind()
{
    QFETCH(QString, field);
    QFETCH(QStringList, operators);
    QFETCH(QString, preselected);
    QFETCH(QString, editor);
    SearchHarness h;
    h.addSample();
    h.workspace().findPanel()->tf_1->setText(QStringLiteral("[그룹명=친구]"));
    h.openPanel(true);
    DialogWatcher watch([&](TSQLInF& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("검색"));
        QCOMPARE(d.SQ_Old->title(), QStringLiteral("[그룹명=친구]"));
        QCOMPARE(d.SQ_Label->text(),
                 h.workspace()
                     .gridModel()
                     ->headerData(h.app.db().GoDB.columnIndex(field), Qt::Horizontal)
                     .toString());
        QVERIFY(d.andButton->isChecked());
        QCOMPARE(d.offeredOperators(), operators);
        QCOMPARE(d.selectedOperator(), preselected);
        for (QWidget* w : QList<QWidget*>{d.SQ_Text, d.SQ_Text2, d.SQ_Text3, d.SQ_Text4})
            QCOMPARE(w->isVisible(), w->objectName() == editor);
        QCOMPARE(d.focusWidget() == d.editorWidget() ||
                     d.editorWidget()->isAncestorOf(d.focusWidget()),
                 true);
        QCOMPARE(d.SQ_Text->currentText(), QString());
        QCOMPARE(d.SQ_Text2->date(), QDate::currentDate());
        QCOMPARE(d.SQ_Text3->text(), QStringLiteral("0"));
        if (editor == "SQ_Text4") {
            QCOMPARE(d.SQ_Text4->count(), 2);
            QCOMPARE(d.SQ_Text4->itemText(0), QStringLiteral("거짓"));
            QCOMPARE(d.SQ_Text4->itemText(1), QStringLiteral("참"));
            QCOMPARE(d.SQ_Text4->currentIndex(), 0);
        } else {
            QCOMPARE(d.SQ_Text4->count(), 0);
        }
        QTest::keyClick(d.editorWidget(), Qt::Key_Escape);
    });
    h.clickTitle(field);
    QVERIFY(watch.ran());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestSearch::searchTermsFollowTheGrammar_data()
{
    QTest::addColumn<QString>("prior"); // condition before the search
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("useOr");
    QTest::addColumn<QString>("op"); // "" keeps the preselected operator
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("byClick");      // "검색" clicked instead of Enter
    QTest::addColumn<QString>("condition"); // afterwards
    QTest::addColumn<QString>("label");     // group appended to the search label
    QTest::addColumn<QStringList>("names"); // rows of the reloaded list

    const QString friends = QStringLiteral("group_name = '친구'");
    QTest::addRow("like finds every name holding the letter")
        << ""
        << "name" << false << "" << QVariant("김") << false << "name like '%김%'"
        << "[이름=김]" << QStringList{"김영희", "김철수", "박김치"};
    QTest::addRow("equal finds the equal name only")
        << ""
        << "name" << false << " = " << QVariant("김철수") << true << "name = '김철수'"
        << "[이름=김철수]" << QStringList{"김철수"};
    QTest::addRow("single quote found as typed")
        << ""
        << "name" << false << " = " << QVariant("O'Brien") << false << "name = 'O\\'Brien'"
        << "[이름=O'Brien]" << QStringList{"O'Brien"};
    QTest::addRow("parameter lookalike stays text")
        << ""
        << "name" << false << "" << QVariant(":a1") << false << "name like '%:a1%'"
        << "[이름=:a1]" << QStringList{"a:a1b"};
    QTest::addRow("small integer digits unquoted, letters refused")
        << ""
        << "DM_Check" << false << "" << QVariant("x2") << false << "DM_Check = 2"
        << "[DM=2]" << QStringList{"O'Brien"};
    QTest::addRow("floating point with >=")
        << ""
        << "score" << false << " >= " << QVariant("2") << true << "score >= 2"
        << "[score=2]" << QStringList{"김영희", "이민호"};
    QTest::addRow("date as ISO text") << ""
                                      << "birth" << false << " < " << QVariant(QDate(1990, 6, 15))
                                      << false << "birth < '1990-06-15'"
                                      << "[birth=1990-06-15]" << QStringList{"김철수"};
    QTest::addRow("true is 1") << ""
                               << "vip" << false << "" << QVariant(true) << false << "vip = 1"
                               << "[vip=1]" << QStringList{"O'Brien", "김철수"};
    QTest::addRow("false is 0") << ""
                                << "vip" << false << "" << QVariant(false) << true << "vip = 0"
                                << "[vip=0]" << QStringList{"a:a1b", "김영희", "박김치", "이민호"};
    QTest::addRow("second term with and")
        << friends << "home_tel" << false << " = " << QVariant("02-111") << false
        << friends + " and home_tel = '02-111'"
        << "[집 전화=02-111]" << QStringList{"김철수", "박김치"};
    QTest::addRow("second term with or")
        << friends << "name" << true << " = " << QVariant("이민호") << false
        << friends + " or name = '이민호'"
        << "[이름=이민호]" << QStringList{"김영희", "김철수", "박김치", "이민호"};
    QTest::addRow("no parentheses: and binds first")
        << "group_name = '회사' or vip = 1"
        << "name" << false << "" << QVariant("김") << false
        << "group_name = '회사' or vip = 1 and name like '%김%'"
        << "[이름=김]" << QStringList{"O'Brien", "a:a1b", "김철수", "이민호"};
}

void TestSearch::searchTermsFollowTheGrammar()
{
    QFETCH(QString, prior);
    QFETCH(QString, field);
    QFETCH(bool, useOr);
    QFETCH(QString, op);
    QFETCH(QVariant, value);
    QFETCH(bool, byClick);
    QFETCH(QString, condition);
    QFETCH(QString, label);
    QFETCH(QStringList, names);
    SearchHarness h;
    h.addSample();
    const QString priorLabel = prior.isEmpty() ? QString() : QStringLiteral("[앞=조건]");
    h.context().ListCondition = prior;
    h.workspace().findPanel()->tf_1->setText(priorLabel);
    h.app.window().refreshCustomerList();
    h.openPanel(true);

    DialogWatcher watch([&](TSQLInF& d) {
        if (useOr)
            QTest::mouseClick(d.orButton, Qt::LeftButton);
        if (!op.isEmpty())
            pickOperator(d, op);
        enterValue(d, value);
        if (byClick)
            QTest::mouseClick(d.searchButton, Qt::LeftButton);
        else
            QTest::keyClick(d.editorWidget(), Qt::Key_Return);
    });
    h.clickTitle(field);
    QVERIFY(watch.ran());
    QVERIFY2(h.app.messages.shown().isEmpty(), qPrintable(h.app.messages.texts().join('\n')));
    QCOMPARE(h.context().ListCondition, condition);
    QCOMPARE(h.workspace().findPanel()->tf_1->text(), priorLabel + label);
    QCOMPARE(h.names(), names);
    QCOMPARE(h.workspace().tabText(0), QStringLiteral("고객자료-[검색=%1명]").arg(names.size()));
}

void TestSearch::cancelOrEmptyValueChangesNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("action"); // escape | cancel | confirm
    QTest::addColumn<QString>("typed");
    QTest::addRow("Esc in the value box") << "name"
                                          << "escape"
                                          << "김";
    QTest::addRow("취소 after typing") << "name"
                                       << "cancel"
                                       << "김";
    QTest::addRow("Esc in the number field") << "DM_Check"
                                             << "escape"
                                             << "1";
    QTest::addRow("empty value box confirmed") << "name"
                                               << "confirm"
                                               << "";
    QTest::addRow("emptied number field confirmed") << "score"
                                                    << "confirm"
                                                    << "";
}

void TestSearch::cancelOrEmptyValueChangesNothing()
{
    QFETCH(QString, field);
    QFETCH(QString, action);
    QFETCH(QString, typed);
    SearchHarness h;
    h.addSample();
    h.openPanel(true);
    const QStringList before = snapshot(h);
    // A reload would count this row; an untouched list keeps the old count.
    h.add(QStringLiteral("친구"), QStringLiteral("김새로"), QVariant(), 1, QDate(), 0, 0);

    DialogWatcher watch([&](TSQLInF& d) {
        if (d.editor() == ValueEditor::Number)
            d.SQ_Text3->clear();
        enterValue(d, typed);
        if (action == "escape")
            QTest::keyClick(d.editorWidget(), Qt::Key_Escape);
        else if (action == "cancel")
            QTest::mouseClick(d.cancelButton, Qt::LeftButton);
        else
            QTest::keyClick(d.editorWidget(), Qt::Key_Return);
    });
    h.clickTitle(field);
    QVERIFY(watch.ran());
    QCOMPARE(snapshot(h), before);
    QCOMPARE(h.app.db().GoDB.rowCount(), 6);
    QVERIFY(h.app.messages.shown().isEmpty());
}

void TestSearch::collapsedPanelIgnoresClicks_data()
{
    QTest::addColumn<bool>("searchMode");
    QTest::addRow("검색") << true;
    QTest::addRow("색인") << false;
}

void TestSearch::collapsedPanelIgnoresClicks()
{
    QFETCH(bool, searchMode);
    SearchHarness h;
    h.addSample();
    h.openPanel(searchMode);
    QTest::mouseClick(h.workspace().findPanel()->toggleButton(), Qt::LeftButton);
    QVERIFY(!h.workspace().findPanel()->isExpanded());
    const QStringList before = snapshot(h);
    h.add(QStringLiteral("친구"), QStringLiteral("김새로"), QVariant(), 1, QDate(), 0, 0);

    DialogWatcher watch([](TSQLInF& d) { d.reject(); });
    h.clickTitle(QStringLiteral("name"));
    h.clickTitle(QStringLiteral("DM_Check"));
    QTest::qWait(50);
    QVERIFY(!watch.ran());
    QCOMPARE(snapshot(h), before);
    QCOMPARE(h.app.db().GoDB.rowCount(), 6);
}

void TestSearch::valueListHoldsTheValuesLeftOnce()
{
    SearchHarness h(searchColumns(), QStringLiteral("euckr"));
    h.addSample();
    h.add(QStringLiteral("친구"), QStringLiteral("김철수"), QVariant(), 1, QDate(), 0, 0);
    h.add(QStringLiteral("회사"), QStringLiteral("최가"), QVariant(), 1, QDate(), 0, 0);
    h.context().ListCondition = QStringLiteral("group_name = '친구'");
    h.app.window().refreshCustomerList();
    h.openPanel(true);

    auto listOf = [](TSQLInF& d) {
        QStringList items;
        for (int i = 0; i < d.SQ_Text->count(); ++i)
            items << d.SQ_Text->itemText(i);
        return items;
    };
    QStringList names, tels;
    DialogWatcher byName([&](TSQLInF& d) {
        names = listOf(d);
        QCOMPARE(d.SQ_Text->currentText(), QString());
        QCOMPARE(d.SQ_Text->maxVisibleItems(), 50);
        QVERIFY(!d.SQ_Text->completer());
        // Every row of the drop-down shows whole, in the dialog's font.
        auto* view = d.SQ_Text->view();
        QCOMPARE(view->font(), d.font());
        const int glyphs = QFontMetrics(d.font()).boundingRect(QStringLiteral("김철수")).height();
        const int row = names.indexOf(QStringLiteral("김철수"));
        QVERIFY(view->sizeHintForRow(row) >= glyphs);
        QVERIFY(view->sizeHintForRow(row) >= QFontMetrics(d.font()).height());
        // Picking a value from the list and confirming searches for it.
        d.SQ_Text->setCurrentIndex(names.indexOf(QStringLiteral("김철수")));
        QTest::keyClick(d.SQ_Text, Qt::Key_Return);
    });
    h.clickTitle(QStringLiteral("name"));
    QVERIFY(byName.ran());
    QCOMPARE(names, (QStringList{"김영희", "김철수", "박김치"}));
    QCOMPARE(h.context().ListCondition,
             QStringLiteral("group_name = '친구' and name like '%김철수%'"));

    // A missing value gives an empty entry; the list follows the grown condition.
    h.context().ListCondition = QStringLiteral("group_name = '회사'");
    h.app.window().refreshCustomerList();
    DialogWatcher byTel([&](TSQLInF& d) {
        tels = listOf(d);
        d.reject();
    });
    h.clickTitle(QStringLiteral("home_tel"));
    QVERIFY(byTel.ran());
    QCOMPARE(tels, (QStringList{"", "031-1", "031-2"}));
    QVERIFY(h.app.db().Temp_Data.isOpen());
}

void TestSearch::indexClicksBuildOrderAndLabel()
{
    SearchHarness h;
    h.addSample();
    h.openPanel(false);
    FindPanel* p = h.workspace().findPanel();

    h.clickTitle(QStringLiteral("name"));
    QCOMPARE(h.context().ListOrder, QStringLiteral("Name,name"));
    QCOMPARE(p->tf_2->text(), QStringLiteral("[고객명] [이름]"));
    QVERIFY(h.app.db().GoDB.sqlText().endsWith(QStringLiteral("\r\nOrder by Name,name\r\n")));

    QTest::mouseClick(p->tfc_2, Qt::LeftButton);
    QCOMPARE(h.context().ListOrder, QString());
    QCOMPARE(p->tf_2->text(), QString());
    QVERIFY(!h.app.db().GoDB.sqlText().contains(QStringLiteral("Order by")));

    h.clickTitle(QStringLiteral("DM_Check"));
    h.clickTitle(QStringLiteral("score"));
    QCOMPARE(h.context().ListOrder, QStringLiteral("DM_Check,score"));
    QCOMPARE(p->tf_2->text(), QStringLiteral("[DM] [score]"));
    QCOMPARE(h.column(QStringLiteral("name")),
             (QStringList{"김영희", "박김치", "a:a1b", "김철수", "이민호", "O'Brien"}));
    QVERIFY(h.app.messages.shown().isEmpty());
}

void TestSearch::rejectedTermFailsUntilSearchReset()
{
    // A profile column computed under a name of its own (a 64-bit number, so searched as
    // text): the server cannot use that name in the condition.
    SearchHarness h(searchColumns() + QStringLiteral(",no+0 as n2"));
    h.addSample();
    h.openPanel(true);
    FindPanel* p = h.workspace().findPanel();
    DialogWatcher watch([](TSQLInF& d) {
        d.SQ_Text->setCurrentIndex(0);
        QTest::keyClick(d.SQ_Text, Qt::Key_Return);
    });
    h.clickTitle(QStringLiteral("n2"));
    QVERIFY(watch.ran());
    QCOMPARE(h.app.messages.texts(), QStringList{kBadList});
    QCOMPARE(h.context().ListCondition, QStringLiteral("n2 like '%1%'"));
    QCOMPARE(p->tf_1->text(), QStringLiteral("[n2=1]"));
    QVERIFY(!h.app.db().GoDB.isOpen());
    QCOMPARE(h.workspace().gridModel()->columnCount(), 0);
    QCOMPARE(h.workspace().tabText(0), QStringLiteral("고객자료-[검색=6명]"));

    QTest::mouseClick(p->tfc_2, Qt::LeftButton);
    QCOMPARE(h.app.messages.texts(), (QStringList{kBadList, kBadList}));
    QVERIFY(!h.app.db().GoDB.isOpen());

    QTest::mouseClick(p->tfc_1, Qt::LeftButton);
    QCOMPARE(h.app.messages.shown().size(), 2);
    QCOMPARE(h.context().ListCondition, QString());
    QCOMPARE(p->tf_1->text(), QString());
    QCOMPARE(h.app.db().GoDB.rowCount(), 6);
}

void TestSearch::searchInDuplicateViewKeepsTheGroups()
{
    SearchHarness h;
    h.addSample();
    h.add(QStringLiteral("친구"), QStringLiteral("김철수"), QVariant(), 0, QDate(), 0, 0);
    h.add(QStringLiteral("친구"), QStringLiteral("김철수"), QVariant(), 0, QDate(), 0, 0);
    h.app.window().refreshCustomerList();
    h.workspace().findDuplicates();
    QCOMPARE(h.column(QStringLiteral("r_count")), QStringList{"3"});
    h.openPanel(true);
    FindPanel* p = h.workspace().findPanel();

    DialogWatcher watch([](TSQLInF& d) {
        typeText(d.SQ_Text->lineEdit(), QStringLiteral("이민호"));
        QTest::keyClick(d.SQ_Text->lineEdit(), Qt::Key_Return);
    });
    h.clickTitle(QStringLiteral("name"));
    QVERIFY(watch.ran());
    QCOMPARE(p->tf_1->text(), QStringLiteral("[중복자료][이름=이민호]"));
    QCOMPARE(h.context().ListCondition, QStringLiteral("name like '%이민호%'"));
    QCOMPARE(h.column(QStringLiteral("r_count")), QStringList{"3"});

    // "검색초기화" leaves the view and discards the new term.
    QTest::mouseClick(p->tfc_1, Qt::LeftButton);
    QCOMPARE(h.context().DuplicateMode, 0);
    QCOMPARE(h.context().DuplicateSource, QString());
    QCOMPARE(h.context().ListCondition, QString());
    QCOMPARE(p->tf_1->text(), QString());
    QCOMPARE(h.app.db().GoDB.rowCount(), 8);
    QVERIFY(h.app.messages.shown().isEmpty());
}

void TestSearch::countSortFailsAfterSearchResetUntilIndexReset()
{
    SearchHarness h;
    h.addSample();
    h.add(QStringLiteral("친구"), QStringLiteral("김철수"), QVariant(), 0, QDate(), 0, 0);
    h.app.window().refreshCustomerList();
    h.workspace().findDuplicates();
    h.openPanel(false);
    FindPanel* p = h.workspace().findPanel();

    h.clickTitle(QStringLiteral("r_count"));
    QCOMPARE(h.context().ListOrder, QStringLiteral("Name,r_count"));
    QCOMPARE(p->tf_2->text(), QStringLiteral("[고객명] [중복수]"));
    QCOMPARE(h.column(QStringLiteral("r_count")), QStringList{"2"});
    QVERIFY(h.app.messages.shown().isEmpty());

    QTest::mouseClick(p->tfc_1, Qt::LeftButton);
    QCOMPARE(h.app.messages.texts(), QStringList{kBadList});
    QVERIFY(!h.app.db().GoDB.isOpen());
    QTest::mouseClick(p->tfc_1, Qt::LeftButton);
    QCOMPARE(h.app.messages.texts(), (QStringList{kBadList, kBadList}));

    QTest::mouseClick(p->tfc_2, Qt::LeftButton);
    QCOMPARE(h.app.messages.shown().size(), 2);
    QCOMPARE(h.context().ListOrder, QString());
    QCOMPARE(h.app.db().GoDB.rowCount(), 7);
}

void TestSearch::valueListFailureReachesTheLastResort()
{
    SearchHarness h;
    h.addSample();
    h.add(QStringLiteral("친구"), QStringLiteral("김철수"), QVariant(), 0, QDate(), 0, 0);
    h.app.window().refreshCustomerList();
    h.workspace().findDuplicates();
    h.openPanel(true);
    const QStringList before = snapshot(h);

    DialogWatcher watch([](TSQLInF& d) { d.reject(); });
    h.clickTitle(QStringLiteral("r_count"));
    QTest::qWait(50);
    QVERIFY(!watch.ran());
    QCOMPARE(h.app.messages.shown().size(), 1);
    const ShownMessage& m = h.app.messages.shown().first();
    QVERIFY(m.lastResort);
    QVERIFY2(m.message.contains(QStringLiteral("r_count")), qPrintable(m.message));
    QCOMPARE(snapshot(h), before);
}

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
