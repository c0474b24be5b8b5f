// The entry panel: registering, editing and deleting customer records.
#include "EntrySession.h"
#include "ModalDriver.h"
#include "app/TMainF.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "customers/EntryPanel.h"
#include "customers/entry/EntryController.h"
#include "zipcode/TPostFindF.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace orvel;
using namespace orvel::test;

namespace
{

const QString kNoRecords = QStringLiteral("등록된 자료가 없습니다.");

// Fills all fifteen fields: in1 = group, in2 = name, the rest "v<n>" unless given.
void fill(EntryPanel& p, const QString& group, const QString& name, const QString& post = "p3",
          const QString& address = "v4")
{
    p.setText(1, group);
    p.setText(2, name);
    p.setText(3, post);
    p.setText(4, address);
    for (int n = 5; n <= 15; ++n)
        p.setText(n, QStringLiteral("v%1").arg(n));
}

QStringList fieldTexts(EntryPanel& p)
{
    QStringList t;
    for (int n = 1; n <= 15; ++n)
        t << p.text(n);
    return t;
}

void doubleClickRow(EntrySession& s, int row)
{
    CustomerGrid& g = s.grid();
    const QModelIndex cell = s.model().index(row, s.column(QStringLiteral("name")));
    g.setCurrentIndex(cell);
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(cell).center());
}

} // namespace

class TestEntryPanel : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void duplicateQuestion_data();
    void duplicateQuestion();
    void allEmptyFieldsStoreEmptyTexts();
    void stateAfterSave();
    void doubleClickByLevel_data();
    void doubleClickByLevel();
    void updateNeverAsksAndKeepsTheDmMark();
    void editModeSurvivesCollapseAndExpand();
    void updateOfADeletedRecordKeepsTheFields();
    void deleteAsksAndReloads_data();
    void deleteAsksAndReloads();
    void deleteWithAnEmptyListDeletesNothing();
    void enterMovesThroughTheFields();
    void enterInZipPairs_data();
    void enterInZipPairs();
    void refusedValueLosesNothing_data();
    void refusedValueLosesNothing();
    void cancelCollapsesAndResets();
};

void TestEntryPanel::initTestCase()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("does not support propagateSizeHints")))
                previous(type, context, text);
        });
}

void TestEntryPanel::duplicateQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("stored");
    QTest::addRow("no stores nothing") << 2 << 1;
    QTest::addRow("yes stores a second record") << 1 << 2;
}

void TestEntryPanel::duplicateQuestion()
{
    QFETCH(int, answer);
    QFETCH(int, stored);
    EntrySession s(7);
    s.addRecord({"group_name=친구", "name=홍길동", "home_post=135-080", "home_address=서울",
                 "home_tel=111"});
    EntryPanel& p = s.panel();
    p.setExpanded(true);
    // Only the four key values count: the telephone differs.
    fill(p, QStringLiteral("친구"), QStringLiteral("홍길동"), QStringLiteral("135-080"),
         QStringLiteral("서울"));
    s.app.messages.clear();
    s.app.messages.queueAnswers({answer});
    const QStringList typed = fieldTexts(p);
    QTest::mouseClick(p.saveButton, Qt::LeftButton);

    QCOMPARE(s.app.messages.texts().value(0),
             QStringLiteral("[친구][홍길동][135-080][서울] 는 이미 등록 되어 있습니다. 저장 "
                            "하시겠습니까?"));
    QCOMPARE(s.app.messages.shown().value(0).kind, 2);
    QCOMPARE(s.count(), stored);
    if (answer != 1) {
        QCOMPARE(fieldTexts(p), typed);
        QCOMPARE(QApplication::focusWidget(), p.in1);
        QCOMPARE(s.model().rowCount(), 1); // not reloaded
    } else {
        QCOMPARE(s.model().rowCount(), 2);
        QCOMPARE(s.rows("count(*) from %1 where home_tel='v5'"), QStringList{"1"});
    }
}

void TestEntryPanel::allEmptyFieldsStoreEmptyTexts()
{
    EntrySession s(7);
    EntryPanel& p = s.panel();
    p.setExpanded(true);
    QTest::mouseClick(p.saveButton, Qt::LeftButton);
    QVERIFY(s.app.messages.shown().isEmpty());
    QCOMPARE(s.rows("UserID,group_name,name,name is null,home_post,Member_Comment,DM_Check "
                    "from %1"),
             QStringList{"kim|||0|||1"});
}

void TestEntryPanel::stateAfterSave()
{
    EntrySession s(7);
    s.addRecord({"group_name=가족", "name=가"});
    s.addRecord({"group_name=가족", "name=나"});
    s.grid().setCurrentIndex(s.model().index(1, s.column("name")));
    EntryPanel& p = s.panel();
    p.setExpanded(true);
    fill(p, QStringLiteral("새그룹"), QStringLiteral("다"), QStringLiteral("760-040"),
         QStringLiteral("경북 안동시"));
    p.field(15)->setFocus();
    QTest::keyClick(p.field(15), Qt::Key_Return); // Enter in in15 saves

    QVERIFY(s.app.messages.shown().isEmpty());
    QCOMPARE(s.rows("UserID,group_name,name,home_post,home_address,home_tel,handphone,jumin,"
                    "email,homepage,Office_Name,office_post,office_address,office_tel,"
                    "office_fax,Member_Comment,DM_Check,Picture_Dir is null from %1 where "
                    "name='다'"),
             QStringList{"kim|새그룹|다|760-040|경북 안동시|v5|v6|v7|v8|v9|v10|v11|v12|v13|v14|"
                         "v15|1|1"});
    QCOMPARE(p.caption(), QStringLiteral("등록"));
    QCOMPARE(p.Edit_No->text(), QString());
    QCOMPARE(p.text(1), QStringLiteral("새그룹"));
    QCOMPARE(p.text(3), QStringLiteral("760-040"));
    QCOMPARE(p.text(4), QStringLiteral("경북 안동시"));
    for (int n : {2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})
        QCOMPARE(p.text(n), QString());
    QStringList groups;
    for (int i = 0; i < p.in1->count(); ++i)
        groups << p.in1->itemText(i);
    groups.sort(); // the server's collation decides the list's own order
    QCOMPARE(groups, (QStringList{"가족", "새그룹"}));
    QCOMPARE(s.model().rowCount(), 3);
    QCOMPARE(s.grid().currentIndex().row(), 1); // the position, not the record
    QCOMPARE(QApplication::focusWidget(), p.in1);
}

void TestEntryPanel::doubleClickByLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("withRecords");
    QTest::addRow("level 7 does nothing") << 7 << true;
    QTest::addRow("level 8 loads the record") << 8 << true;
    QTest::addRow("level 8 on an empty list") << 8 << false;
}

void TestEntryPanel::doubleClickByLevel()
{
    QFETCH(int, level);
    QFETCH(bool, withRecords);
    EntrySession s(level);
    if (withRecords) {
        s.addRecord({"group_name=가족", "name=가", "home_tel=1"});
        s.addRecord({"group_name=친구", "name=나", "home_post=135-080", "home_address=서울",
                     "home_tel=02", "handphone=010", "jumin=800101", "email=a@b", "homepage=h",
                     "Office_Name=회사", "office_post=760-040", "office_address=안동",
                     "office_tel=054", "office_fax=055", "Member_Comment=메모"});
    }
    EntryPanel& p = s.panel();
    QVERIFY(!p.isExpanded());
    s.app.messages.clear();
    doubleClickRow(s, withRecords ? 1 : 0);
    if (level != 8) {
        QVERIFY(!p.isExpanded());
        QCOMPARE(p.caption(), QStringLiteral("등록"));
        QVERIFY(s.app.messages.shown().isEmpty());
    } else if (!withRecords) {
        QCOMPARE(s.app.messages.texts(), QStringList{kNoRecords});
        QVERIFY(!p.isExpanded());
    } else {
        QVERIFY(p.isExpanded());
        QCOMPARE(p.caption(), QStringLiteral("수정"));
        QCOMPARE(fieldTexts(p),
                 (QStringList{"친구", "나", "135-080", "서울", "02", "010", "800101", "a@b", "h",
                              "회사", "760-040", "안동", "054", "055", "메모"}));
        QCOMPARE(p.Edit_No->text(), s.rows("no from %1 where name='나'").value(0));
        // With the panel already open, a double click leaves the focus in the grid.
        s.grid().setFocus();
        doubleClickRow(s, 0);
        QCOMPARE(p.text(2), QStringLiteral("가"));
        QCOMPARE(QApplication::focusWidget(), &s.grid());
    }
}

void TestEntryPanel::updateNeverAsksAndKeepsTheDmMark()
{
    EntrySession s(8);
    s.addRecord({"group_name=g", "name=가", "home_post=1", "home_address=a", "DM_Check=0"});
    s.addRecord({"group_name=g", "name=나", "home_post=1", "home_address=a", "DM_Check=0"});
    doubleClickRow(s, 1);
    EntryPanel& p = s.panel();
    p.setText(2, QStringLiteral("가")); // now equal to the other record
    s.app.messages.clear();
    QTest::mouseClick(p.saveButton, Qt::LeftButton);
    QVERIFY(s.app.messages.shown().isEmpty());
    QCOMPARE(s.rows("name,DM_Check,UserID from %1 order by no"),
             (QStringList{"가|0|kim", "가|0|kim"}));
    QCOMPARE(p.caption(), QStringLiteral("등록"));
    QCOMPARE(p.Edit_No->text(), QString());
}

void TestEntryPanel::editModeSurvivesCollapseAndExpand()
{
    EntrySession s(8);
    s.addRecord({"group_name=가족", "name=가"});
    s.addRecord({"group_name=친구", "name=나"});
    doubleClickRow(s, 1);
    EntryPanel& p = s.panel();
    const QString no = p.Edit_No->text();
    QTest::mouseClick(p.toggleButton(), Qt::LeftButton);
    QVERIFY(!p.isExpanded());
    QTest::mouseClick(p.toggleButton(), Qt::LeftButton);
    QVERIFY(p.isExpanded());
    QCOMPARE(p.caption(), QStringLiteral("수정"));
    QCOMPARE(p.Edit_No->text(), no);
    QCOMPARE(p.text(1), QStringLiteral("친구")); // not replaced by the first group
    QCOMPARE(p.text(2), QStringLiteral("나"));
    QCOMPARE(QApplication::focusWidget(), p.in1);

    // In register mode an expansion selects the first group.
    QTest::mouseClick(p.cancelButton, Qt::LeftButton);
    p.setText(1, QStringLiteral("typed"));
    QTest::mouseClick(p.toggleButton(), Qt::LeftButton);
    QCOMPARE(p.text(1), p.in1->itemText(0));
    QVERIFY(p.text(1) != QLatin1String("typed"));
}

void TestEntryPanel::updateOfADeletedRecordKeepsTheFields()
{
    EntrySession s(8);
    s.addRecord({"group_name=g", "name=가"});
    doubleClickRow(s, 0);
    EntryPanel& p = s.panel();
    p.setText(2, QStringLiteral("고친이름"));
    // Another user of the same table deletes the record meanwhile.
    s.fixture.customers.exec(QStringLiteral("delete from `%1`").arg(s.table()));
    const QStringList typed = fieldTexts(p);
    const QString no = p.Edit_No->text();
    s.app.messages.clear();
    QTest::mouseClick(p.saveButton, Qt::LeftButton);
    QCOMPARE(s.app.messages.texts(), QStringList{EntryController::recordGoneText()});
    QCOMPARE(s.count(), 0);
    QCOMPARE(p.caption(), QStringLiteral("수정"));
    QCOMPARE(p.Edit_No->text(), no);
    QCOMPARE(fieldTexts(p), typed);
}

void TestEntryPanel::deleteAsksAndReloads_data()
{
    QTest::addColumn<int>("answer");
    QTest::addRow("yes deletes") << 1;
    QTest::addRow("no keeps") << 2;
}

void TestEntryPanel::deleteAsksAndReloads()
{
    QFETCH(int, answer);
    EntrySession s(8);
    s.addRecord({"group_name=g", "name=가", "home_address=서울"});
    s.addRecord({"group_name=g", "name=나", "home_address=안동"});
    s.addRecord({"group_name=g", "name=다", "home_address=부산"});
    // The record loaded in the panel is the one deleted.
    doubleClickRow(s, 2);
    EntryPanel& p = s.panel();
    const QString no = p.Edit_No->text();
    s.app.messages.clear();
    s.app.messages.queueAnswers({answer});
    QTest::mouseClick(s.workspace().deleteButton(), Qt::LeftButton);
    const QString label = QStringLiteral("[g][다][부산]");
    if (answer != 1) {
        QCOMPARE(s.app.messages.texts(),
                 QStringList{label + QStringLiteral(" 을(를) 삭제 하시겠습니까?")});
        QCOMPARE(s.count(), 3);
        return;
    }
    QCOMPARE(s.app.messages.texts(),
             (QStringList{label + QStringLiteral(" 을(를) 삭제 하시겠습니까?"),
                          label + QStringLiteral(" 을(를) 삭제가 완료 되었습니다.")}));
    QCOMPARE(s.rows("name from %1 order by name"), (QStringList{"가", "나"}));
    QCOMPARE(s.model().rowCount(), 2);
    // The list is shorter: the grid stays where the reload left it.
    QCOMPARE(s.grid().currentIndex().row(), 0);
    QCOMPARE(p.caption(), QStringLiteral("수정"));
    QCOMPARE(p.Edit_No->text(), no);
    // Saving the deleted record now says so instead of passing in silence.
    s.app.messages.clear();
    QTest::mouseClick(p.saveButton, Qt::LeftButton);
    QCOMPARE(s.app.messages.texts(), QStringList{EntryController::recordGoneText()});
    QCOMPARE(s.count(), 2);
}

void TestEntryPanel::deleteWithAnEmptyListDeletesNothing()
{
    EntrySession s(8);
    QTest::mouseClick(s.workspace().deleteButton(), Qt::LeftButton);
    QCOMPARE(s.app.messages.texts(), QStringList{kNoRecords});
    QCOMPARE(s.app.messages.shown().first().kind, 0);
}

void TestEntryPanel::enterMovesThroughTheFields()
{
    EntrySession s(7);
    EntryPanel& p = s.panel();
    p.setExpanded(true);
    fill(p, QStringLiteral("g"), QStringLiteral("n"));
    const QList<QPair<int, int>> moves{{1, 2}, {2, 3},  {5, 6},   {6, 7},   {7, 8},
                                       {8, 9}, {9, 10}, {10, 11}, {13, 14}, {14, 15},
                                       {3, 5}, {4, 5},  {11, 13}, {12, 13}};
    for (const auto& [from, to] : moves) {
        QWidget* source = from == 1 ? static_cast<QWidget*>(p.in1) : p.field(from);
        source->setFocus();
        QTest::keyClick(source, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), p.field(to));
        QCOMPARE(p.field(to)->selectedText(), p.field(to)->text());
    }
    QVERIFY(s.app.messages.shown().isEmpty());
    QCOMPARE(s.count(), 0);
}

void TestEntryPanel::enterInZipPairs_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("confirm");
    QTest::addRow("empty home zip code, chosen") << 3 << true;
    QTest::addRow("empty home address, cancelled") << 4 << false;
    QTest::addRow("empty office zip code, cancelled") << 11 << false;
    QTest::addRow("empty office address, chosen") << 12 << true;
}

void TestEntryPanel::enterInZipPairs()
{
    QFETCH(int, field);
    QFETCH(bool, confirm);
    EntrySession s(7);
    EntryPanel& p = s.panel();
    p.setExpanded(true);
    const bool home = field <= 4;
    const int zip = home ? 3 : 11;
    const int address = zip + 1;
    // Only the field where Enter is typed is tested: the other one holds text.
    p.setText(zip == field ? address : zip, QStringLiteral("old"));
    bool seen = false;
    whenModal<TPostFindF>(
        [&](TPostFindF* d) {
            if (confirm)
                chooseZip(d, QStringLiteral("신안"), QStringLiteral("760-040"),
                          QStringLiteral("행복로 5"));
            else
                QTest::keyClick(d->find_name, Qt::Key_Escape);
        },
        &seen);
    QTest::keyClick(p.field(field), Qt::Key_Return);
    QVERIFY(seen);
    // The window's focus (it becomes active again once the dialog has gone).
    QCOMPARE(p.window()->focusWidget(), p.field(home ? 5 : 13));
    if (confirm) {
        QCOMPARE(p.text(zip), QStringLiteral("760-040"));
        QCOMPARE(p.text(address), QStringLiteral("경북 안동시 신안동 행복로 5 "));
    } else {
        QCOMPARE(p.text(zip == field ? address : zip), QStringLiteral("old"));
        QCOMPARE(p.text(field), QString());
    }
    // A filled field moves on without a lookup.
    p.field(field)->setText(QStringLiteral("x"));
    p.field(field)->setFocus();
    QTest::keyClick(p.field(field), Qt::Key_Return);
    QCOMPARE(p.window()->focusWidget(), p.field(home ? 5 : 13));
}

void TestEntryPanel::refusedValueLosesNothing_data()
{
    QTest::addColumn<bool>("editMode");
    QTest::addRow("insert") << false;
    QTest::addRow("update") << true;
}

void TestEntryPanel::refusedValueLosesNothing()
{
    QFETCH(bool, editMode);
    EntrySession s(8);
    s.addRecord({"group_name=g", "name=가", "home_post=1"});
    EntryPanel& p = s.panel();
    if (editMode) {
        doubleClickRow(s, 0);
    } else {
        p.setExpanded(true);
        fill(p, QStringLiteral("g"), QStringLiteral("나"));
    }
    p.setText(3, QStringLiteral("123-4567890")); // home_post holds 7 characters
    const QStringList typed = fieldTexts(p);
    const QString caption = p.caption();
    s.app.messages.clear();
    QTest::mouseClick(p.saveButton, Qt::LeftButton);
    const QStringList reported = s.lastResortTexts();
    QCOMPARE(reported.size(), 1);
    QVERIFY2(reported.first().contains(QLatin1String("home_post")), qPrintable(reported.first()));
    QCOMPARE(s.rows("name,home_post from %1"), QStringList{"가|1"});
    QCOMPARE(fieldTexts(p), typed);
    QCOMPARE(p.caption(), caption);
}

void TestEntryPanel::cancelCollapsesAndResets()
{
    EntrySession s(8);
    s.addRecord({"group_name=g", "name=가", "home_post=1", "home_address=a", "home_tel=t"});
    doubleClickRow(s, 0);
    EntryPanel& p = s.panel();
    QTest::mouseClick(p.cancelButton, Qt::LeftButton);
    QVERIFY(!p.isExpanded());
    QCOMPARE(p.caption(), QStringLiteral("등록"));
    QCOMPARE(p.Edit_No->text(), QString());
    QCOMPARE(p.text(3), QStringLiteral("1")); // kept, as after a save
    QCOMPARE(p.text(5), QString());
    QCOMPARE(s.rows("home_tel from %1"), QStringList{"t"});
}

QTEST_MAIN(TestEntryPanel)
#include "tst_entry_panel.moc"
