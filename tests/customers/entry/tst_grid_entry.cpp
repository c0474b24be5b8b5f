// In-cell entry in the customer grid: Enter, the pick list, the zip lookup, new rows.
#include "EntrySession.h"
#include "ModalDriver.h"
#include "app/TMainF.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "customers/entry/EntryController.h"
#include "customers/entry/GridEntry.h"
#include "customers/entry/TInputF.h"
#include "zipcode/TPostFindF.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace orvel;
using namespace orvel::test;

namespace
{

// no(0) name(1) home_post(2) home_address(3) office_address(4) office_post(5) home_tel(6)
// DM_Check(7): the last column.
const QString kColumns =
    QStringLiteral("no,name,home_post,home_address,office_address,office_post,home_tel,DM_Check");

const QStringList kFilled{"name=가",       "home_post=1", "home_address=a", "office_address=b",
                          "office_post=2", "home_tel=t1", "DM_Check=1"};

void pressEnter(EntrySession& s)
{
    QTest::keyClick(&s.grid(), Qt::Key_Return);
}

void goTo(EntrySession& s, int row, const QString& field)
{
    s.grid().setFocus();
    s.grid().setCurrentIndex(s.model().index(row, s.column(field)));
}

QString cell(EntrySession& s, int row, const QString& field)
{
    return s.model().cellText(row, s.column(field));
}

} // namespace

class TestGridEntry : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void typedCellThenEnterToTheLastColumnSavesTheRow();
    void emptyZipCellsRunTheLookupForTheirPair_data();
    void emptyZipCellsRunTheLookupForTheirPair();
    void pickListOffersTheWholeColumn_data();
    void pickListOffersTheWholeColumn();
    void enterInAnEmptyListAddsRows();
    void downOnTheLastRowByLevel_data();
    void downOnTheLastRowByLevel();
    void refusedRowKeepsItsValues();
    void leavingAnEditedRowSavesIt();
    void duplicateViewIsNotEdited();
    void deletingAnUnsavedNewRowDiscardsIt();
};

void TestGridEntry::initTestCase()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("does not support propagateSizeHints")))
                previous(type, context, text);
        });
}

void TestGridEntry::typedCellThenEnterToTheLastColumnSavesTheRow()
{
    EntrySession s(7, kColumns);
    s.addRecord(kFilled);
    s.addRecord(QStringList(kFilled).replaceInStrings("name=가", "name=나"));
    goTo(s, 0, "name");
    // Typing opens the cell editor; Enter there makes the text the cell's value first.
    QTest::keyClick(&s.grid(), Qt::Key_X);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != &s.grid());
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(cell(s, 0, "name"), QStringLiteral("x"));
    QCOMPARE(s.grid().currentIndex().column(), s.column("home_post"));
    QCOMPARE(s.rows("name from %1 order by no"), (QStringList{"가", "나"})); // not yet saved
    for (int i = 0; i < 5; ++i)
        pressEnter(s);
    QCOMPARE(s.grid().currentIndex().column(), s.column("DM_Check"));
    pressEnter(s);
    QVERIFY2(s.app.messages.shown().isEmpty(), qPrintable(s.app.messages.texts().join('\n')));
    QCOMPARE(s.rows("name,UserID,home_tel from %1 order by no"),
             (QStringList{"x|kim|t1", "나|kim|t1"}));
    QCOMPARE(s.grid().currentIndex(), s.model().index(1, 1));
    QCOMPARE(s.model().rowState(), CustomerGridModel::RowState::Browsing);
    // On the last row the cursor stays on its row.
    goTo(s, 1, "DM_Check");
    pressEnter(s);
    QCOMPARE(s.grid().currentIndex(), s.model().index(1, 1));
    QCOMPARE(s.model().rowCount(), 2);
}

void TestGridEntry::emptyZipCellsRunTheLookupForTheirPair_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("zip");
    QTest::addRow("home zip code") << "home_post"
                                   << "home_address"
                                   << "home_post";
    QTest::addRow("home address") << "home_address"
                                  << "home_address"
                                  << "home_post";
    QTest::addRow("office address") << "office_address"
                                    << "office_address"
                                    << "office_post";
    QTest::addRow("office zip code") << "office_post"
                                     << "office_address"
                                     << "office_post";
}

void TestGridEntry::emptyZipCellsRunTheLookupForTheirPair()
{
    QFETCH(QString, field);
    QFETCH(QString, address);
    QFETCH(QString, zip);
    EntrySession s(7, kColumns);
    s.addRecord({"name=가", "home_tel=t"});
    goTo(s, 0, field);
    bool seen = false;
    whenModal<TPostFindF>(
        [](TPostFindF* d) {
            chooseZip(d, QStringLiteral("신안"), QStringLiteral("760-040"), QStringLiteral("5"));
        },
        &seen);
    pressEnter(s);
    QVERIFY(seen);
    QCOMPARE(cell(s, 0, address), QStringLiteral("경북 안동시 신안동 5 "));
    QCOMPARE(cell(s, 0, zip), QStringLiteral("760-040"));
    QCOMPARE(s.grid().currentIndex().column(), s.column(field) + 1);
    QCOMPARE(s.model().rowState(), CustomerGridModel::RowState::Editing);
    // A filled cell of a pair only moves on.
    goTo(s, 0, zip);
    pressEnter(s);
    QCOMPARE(s.grid().currentIndex().column(), s.column(zip) + 1);
}

void TestGridEntry::pickListOffersTheWholeColumn_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addRow("typed value is trimmed") << true;
    QTest::addRow("cancelled leaves the cell empty") << false;
}

void TestGridEntry::pickListOffersTheWholeColumn()
{
    QFETCH(bool, confirm);
    EntrySession s(7, kColumns);
    s.addRecord({"name=가", "home_tel=02-2"});
    s.addRecord({"name=나", "home_tel=02-1"});
    s.addRecord({"name=다", "home_tel=02-1"});
    s.addRecord({"name=라"});
    // The current search shows one record; the list offers the whole table's values.
    s.app.window().context().ListCondition = QStringLiteral("name='라'");
    s.app.window().refreshCustomerList();
    QCOMPARE(s.model().rowCount(), 1);
    goTo(s, 0, "home_tel");
    QString title;
    QStringList offered;
    whenModal<TInputF>([&](TInputF* d) {
        title = d->windowTitle();
        for (int i = 0; i < d->input_text->count(); ++i)
            offered << d->input_text->itemText(i);
        if (confirm) {
            d->input_text->setEditText(QStringLiteral("  031-555 \t"));
            QTest::keyClick(d->input_text, Qt::Key_Return);
        } else {
            QTest::keyClick(d->input_text, Qt::Key_Escape);
        }
    });
    pressEnter(s);
    QCOMPARE(title, QStringLiteral("집 전화을(를) 입력 하세요."));
    QCOMPARE(offered, (QStringList{"", "02-1", "02-2"}));
    QCOMPARE(cell(s, 0, "home_tel"), confirm ? QStringLiteral("031-555") : QString());
    QCOMPARE(s.grid().currentIndex().column(), s.column("DM_Check"));
}

void TestGridEntry::enterInAnEmptyListAddsRows()
{
    EntrySession s(7, kColumns);
    QCOMPARE(s.model().rowCount(), 0);
    s.grid().setFocus();
    whenModal<TInputF>([](TInputF* d) {
        d->input_text->setEditText(QStringLiteral("새사람"));
        QTest::mouseClick(d->btn_ok, Qt::LeftButton);
    });
    pressEnter(s);
    QCOMPARE(s.model().rowState(), CustomerGridModel::RowState::Inserting);
    QCOMPARE(s.model().rowCount(), 1);
    QCOMPARE(cell(s, 0, "name"), QStringLiteral("새사람"));
    QCOMPARE(s.grid().currentIndex(), s.model().index(0, s.column("home_post")));
    s.model().setCellText(0, s.column("home_tel"), QStringLiteral("010"));
    // The last column is empty: its pick list is confirmed empty, then the row is saved.
    goTo(s, 0, "DM_Check");
    whenModal<TInputF>([](TInputF* d) { QTest::keyClick(d->input_text, Qt::Key_Return); });
    pressEnter(s);
    QVERIFY2(s.app.messages.shown().isEmpty(), qPrintable(s.app.messages.texts().join('\n')));
    QCOMPARE(s.rows("name,home_tel,home_post,UserID,DM_Check from %1"),
             QStringList{"새사람|010||kim|1"});
    // The saved row stays with its number; the next new row has started.
    QCOMPARE(s.model().rowCount(), 2);
    QCOMPARE(cell(s, 0, "no"), s.rows("no from %1").value(0));
    QCOMPARE(cell(s, 0, "DM_Check"), QStringLiteral("1"));
    QCOMPARE(s.model().rowState(), CustomerGridModel::RowState::Inserting);
    QCOMPARE(s.grid().currentIndex(), s.model().index(1, 1));
    // The tab caption keeps the count of the last reload.
    QCOMPARE(s.workspace().tabText(0), QStringLiteral("고객자료-[검색=0명]"));
}

void TestGridEntry::downOnTheLastRowByLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("rows");
    QTest::addRow("level 7 takes the blank row back") << 7 << 2;
    QTest::addRow("level 8 keeps it") << 8 << 3;
}

void TestGridEntry::downOnTheLastRowByLevel()
{
    QFETCH(int, level);
    QFETCH(int, rows);
    EntrySession s(level, kColumns);
    s.addRecord(kFilled);
    s.addRecord(kFilled);
    goTo(s, 1, "name");
    QTest::keyClick(&s.grid(), Qt::Key_Down);
    QCOMPARE(s.model().rowCount(), rows);
    QCOMPARE(s.grid().currentIndex().row(), rows - 1);
    if (level == 8) {
        // Leaving the untouched new row drops it, as does the focus going elsewhere.
        QTest::keyClick(&s.grid(), Qt::Key_Up);
        QCOMPARE(s.model().rowCount(), 2);
        QTest::keyClick(&s.grid(), Qt::Key_Down);
        QCOMPARE(s.model().rowCount(), 3);
        s.workspace().deleteButton()->setFocus();
        QCOMPARE(s.model().rowCount(), 2);
    }
    // Down typed in a cell editor of the last row saves what was typed first.
    goTo(s, 1, "home_tel");
    QTest::keyClick(&s.grid(), Qt::Key_7);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != &s.grid());
    QTest::keyPress(editor, Qt::Key_Down);
    QTest::keyRelease(&s.grid(), Qt::Key_Down); // the editor has gone by then
    QCOMPARE(s.rows("home_tel from %1 order by no"), (QStringList{"t1", "7"}));
    QCOMPARE(s.model().rowCount(), rows);
    QCOMPARE(s.count(), 2);
}

void TestGridEntry::refusedRowKeepsItsValues()
{
    EntrySession s(7, kColumns);
    s.addRecord(kFilled);
    goTo(s, 0, "DM_Check");
    s.model().setCellText(0, s.column("home_post"), QStringLiteral("123-4567890"));
    s.model().setCellText(0, s.column("name"), QStringLiteral("바뀐이름"));
    pressEnter(s);
    const QStringList reported = s.lastResortTexts();
    QCOMPARE(reported.size(), 1);
    QVERIFY2(reported.first().contains(QLatin1String("home_post")), qPrintable(reported.first()));
    QCOMPARE(s.rows("name,home_post from %1"), QStringList{"가|1"});
    QCOMPARE(s.model().rowState(), CustomerGridModel::RowState::Editing);
    QCOMPARE(cell(s, 0, "home_post"), QStringLiteral("123-4567890"));
    QCOMPARE(cell(s, 0, "name"), QStringLiteral("바뀐이름"));
    QCOMPARE(s.grid().currentIndex(), s.model().index(0, s.column("DM_Check")));
    // A text that is no number is refused in a number column.
    QVERIFY_THROWS_EXCEPTION(std::exception, s.model().setCellText(0, s.column("DM_Check"), "abc"));
}

void TestGridEntry::leavingAnEditedRowSavesIt()
{
    EntrySession s(7, kColumns);
    s.addRecord(kFilled);
    s.addRecord(kFilled);
    goTo(s, 0, "home_tel");
    s.model().setCellText(0, s.column("home_tel"), QStringLiteral("999"));
    goTo(s, 1, "home_tel");
    QCOMPARE(s.rows("home_tel from %1 order by no"), (QStringList{"999", "t1"}));

    // The record of an edited row was deleted meanwhile: said so, typed values kept.
    s.model().setCellText(1, s.column("home_tel"), QStringLiteral("888"));
    s.fixture.customers.exec(QStringLiteral("delete from `%1` where home_tel='t1'").arg(s.table()));
    goTo(s, 0, "home_tel");
    QCOMPARE(s.app.messages.texts(), QStringList{EntryController::recordGoneText()});
    QCOMPARE(s.grid().currentIndex().row(), 1);
    QCOMPARE(cell(s, 1, "home_tel"), QStringLiteral("888"));
}

void TestGridEntry::duplicateViewIsNotEdited()
{
    EntrySession s(7); // the grouping needs group_name
    s.addRecord(kFilled);
    s.addRecord(kFilled);
    s.workspace().findDuplicates();
    QCOMPARE(s.model().rowCount(), 1);
    goTo(s, 0, "home_tel");
    pressEnter(s);
    QCOMPARE(s.app.messages.texts(), QStringList{GridEntry::duplicateViewText()});
    QVERIFY(!(s.model().flags(s.model().index(0, 1)) & Qt::ItemIsEditable));
    QCOMPARE(s.model().rowState(), CustomerGridModel::RowState::Browsing);
}

QTEST_MAIN(TestGridEntry)
#include "tst_grid_entry.moc"

void TestGridEntry::deletingAnUnsavedNewRowDiscardsIt()
{
    EntrySession s(8, kColumns);
    s.addRecord(kFilled);
    goTo(s, 0, "name");
    QTest::keyClick(&s.grid(), Qt::Key_Down);
    QCOMPARE(s.model().rowCount(), 2);
    s.model().setCellText(1, s.column("name"), QStringLiteral("새 고객"));
    // The button's action without the grid losing the focus first: the new row has no
    // record, so nothing is asked or reported and nothing is deleted.
    s.workspace().deleteButton()->click();
    QVERIFY2(s.app.messages.shown().isEmpty(), qPrintable(s.app.messages.texts().join('\n')));
    QCOMPARE(s.model().rowCount(), 1);
    QCOMPARE(s.model().rowState(), CustomerGridModel::RowState::Browsing);
    QCOMPARE(s.count(), 1);
}
