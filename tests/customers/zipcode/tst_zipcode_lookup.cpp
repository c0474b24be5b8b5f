// The zip-code lookup dialog against a real zip-code directory.
#include "AppHarness.h"
#include "ModalDriver.h"
#include "app/TMainF.h"
#include "data/Query.h"
#include "data/TMainDB.h"
#include "zipcode/RunZipLookup.h"
#include "zipcode/TPostFindF.h"
#include "zipcode/ZipAddress.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QtTest>

using namespace orvel;
using namespace orvel::test;

namespace
{

// A small directory: two rows contain "신안동", one has a village and a building.
void addZipRows(MemberFixture& f)
{
    f.members.exec(QStringLiteral(
        "insert into ZipCode (ZIPCODE,SIDO,GUGUN,DONG,RI,BLDG,ZIPFIND) values "
        "('760-040','경북','안동시','신안동','','','경북 안동시 신안동'),"
        "('760-041','경북','안동시','신안동','','행복빌딩','경북 안동시 신안동 행복빌딩'),"
        "('445-871','경기','화성시','봉담읍','상리','','경기 화성시 봉담읍 상리'),"
        "('135-080','서울','강남구','역삼동','','','서울 강남구 역삼동 1~147')"));
}

// The lookup through RunZipLookup with `drive` acting on the dialog.
std::optional<ZipChoice> lookup(AppHarness& app, std::function<void(TPostFindF*)> drive)
{
    bool seen = false;
    whenModal<TPostFindF>(std::move(drive), &seen);
    std::optional<ZipChoice> choice = RunZipLookup(app.window());
    if (!seen)
        qWarning("the lookup dialog never became modal");
    return choice;
}

void searchFor(TPostFindF* d, const QString& text)
{
    d->find_name->setText(text);
    QTest::keyClick(d->find_name, Qt::Key_Return);
}

int rowOf(TPostFindF* d, const QString& zip)
{
    QAbstractItemModel* m = d->resultGrid->model();
    const int zipColumn = 1;
    for (int r = 0; r < m->rowCount(); ++r)
        if (m->index(r, zipColumn).data().toString() == zip)
            return r;
    return -1;
}

void chooseByEnter(TPostFindF* d, const QString& zip)
{
    d->resultGrid->setCurrentIndex(d->resultGrid->model()->index(rowOf(d, zip), 1));
    QTest::keyClick(d->resultGrid, Qt::Key_Return);
}

} // namespace

class TestZipLookup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void addressComposition_data();
    void addressComposition();
    void searchChooseAndConfirmByKeys();
    void doubleClickChoosesAndOkButtonConfirms();
    void secondChoiceKeepsDetailAndEmptiesLotNumber();
    void patternCharactersKeepTheirMeaning_data();
    void patternCharactersKeepTheirMeaning();
    void searchWithoutMatchStaysOnTheSearchPage();
    void emptySearchTextDoesNothing();
    void escapeCancels_data();
    void escapeCancels();
    void startAgainResetsEverything();
    void unreachableServerEndsCancelled();

private:
    std::unique_ptr<MemberFixture> m_fixture;
    std::unique_ptr<AppHarness> m_app;
};

void TestZipLookup::initTestCase()
{
    // The offscreen platform warns on every resize of a window; keep the log readable.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("does not support propagateSizeHints")))
                previous(type, context, text);
        });
}

void TestZipLookup::init()
{
    m_fixture = std::make_unique<MemberFixture>();
    addZipRows(*m_fixture);
    m_app = std::make_unique<AppHarness>();
    m_app->start(m_fixture->deployment());
}

void TestZipLookup::cleanup()
{
    m_app.reset();
    m_fixture.reset();
}

void TestZipLookup::addressComposition_data()
{
    QTest::addColumn<QStringList>("parts"); // SIDO, GUGUN, DONG, RI, BLDG
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("lot");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("address");
    const QStringList threeParts{"경북", "안동시", "신안동", "", ""};
    QTest::addRow("three parts, detail, no lot") << threeParts << "행복로 5"
                                                 << ""
                                                 << "경북 안동시 신안동 "
                                                 << "경북 안동시 신안동 행복로 5 ";
    QTest::addRow("all parts, detail and lot")
        << QStringList{"경기", "화성시", "봉담읍", "상리", "행복빌딩"} << "101호"
        << "12-3"
        << "경기 화성시 봉담읍 상리 행복빌딩"
        << "경기 화성시 봉담읍 상리 행복빌딩 101호 12-3";
    QTest::addRow("village empty, building set")
        << QStringList{"서울", "강남구", "역삼동", "", "제일빌딩"} << ""
        << ""
        << "서울 강남구 역삼동 제일빌딩"
        << "서울 강남구 역삼동 제일빌딩 ";
    QTest::addRow("blanks around detail and lot are trimmed") << threeParts << "  행복로 5\t"
                                                              << " 7 "
                                                              << "경북 안동시 신안동 "
                                                              << "경북 안동시 신안동 행복로 5 7";
    QTest::addRow("ideographic space is not a blank")
        << threeParts << QString::fromUtf8("\u3000가") << ""
        << "경북 안동시 신안동 " << QString::fromUtf8("경북 안동시 신안동 \u3000가 ");
    QTest::addRow("no row chosen") << QStringList{"", "", "", "", ""} << " 행복로 "
                                   << " 9 "
                                   << " "
                                   << "행복로 9";
}

void TestZipLookup::addressComposition()
{
    QFETCH(QStringList, parts);
    QFETCH(QString, detail);
    QFETCH(QString, lot);
    QFETCH(QString, base);
    QFETCH(QString, address);
    const ZipRow row{QStringLiteral("000-000"), parts[0], parts[1], parts[2], parts[3], parts[4]};
    QCOMPARE(baseAddress(row), base);
    QCOMPARE(chosenAddress(baseAddress(row), detail, lot), address);
}

void TestZipLookup::searchChooseAndConfirmByKeys()
{
    QString title;
    bool onResults = false;
    QString zipLabel, baseLabel;
    auto choice = lookup(*m_app, [&](TPostFindF* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("우편번호 및 지번 검색 (Search Zipcode)"));
        QCOMPARE(d->zip_back->currentWidget(), d->Find1);
        QCOMPARE(QApplication::focusWidget(), d->find_name);
        searchFor(d, QStringLiteral("신안동"));
        title = d->f_panel->title();
        onResults = d->zip_back->currentWidget() == d->Find2 &&
                    QApplication::focusWidget() == d->resultGrid;
        chooseByEnter(d, QStringLiteral("760-040"));
        zipLabel = d->find_0->text();
        baseLabel = d->find_1->text();
        QCOMPARE(QApplication::focusWidget(), d->find_2);
        d->find_2->insert(QStringLiteral("행복로 5"));
        QTest::keyClick(d->find_2, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d->find_5);
        QVERIFY(d->find_5->lineEdit()->hasSelectedText() || d->find_5->currentText().isEmpty());
        QTest::keyClick(d->find_5, Qt::Key_Return);
    });
    QCOMPARE(title, QStringLiteral("2 가 검색 되었습니다."));
    QVERIFY(onResults);
    QCOMPARE(zipLabel, QStringLiteral("760-040"));
    QCOMPARE(baseLabel, QStringLiteral("경북 안동시 신안동 "));
    QVERIFY(choice.has_value());
    QCOMPARE(choice->zipCode, QStringLiteral("760-040"));
    QCOMPARE(choice->address, QStringLiteral("경북 안동시 신안동 행복로 5 "));
    QVERIFY(m_app->messages.shown().isEmpty());
    // The lookup query keeps the last search's rows after the dialog is gone.
    QCOMPARE(m_app->db().ZipFindDB.rowCount(), 2);
}

void TestZipLookup::doubleClickChoosesAndOkButtonConfirms()
{
    auto choice = lookup(*m_app, [&](TPostFindF* d) {
        QTest::mouseClick(d->btn_s, Qt::LeftButton); // empty text: nothing happens
        d->find_name->setText(QStringLiteral("봉담"));
        QTest::mouseClick(d->btn_s, Qt::LeftButton);
        QTableView* grid = d->resultGrid;
        const QModelIndex cell = grid->model()->index(0, 1);
        const QPoint at = grid->visualRect(cell).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        d->find_5->setEditText(QStringLiteral("12"));
        QTest::mouseClick(d->btn_ok, Qt::LeftButton);
    });
    QVERIFY(choice.has_value());
    QCOMPARE(choice->zipCode, QStringLiteral("445-871"));
    QCOMPARE(choice->address, QStringLiteral("경기 화성시 봉담읍 상리 12"));
}

void TestZipLookup::secondChoiceKeepsDetailAndEmptiesLotNumber()
{
    auto choice = lookup(*m_app, [&](TPostFindF* d) {
        searchFor(d, QStringLiteral("신안동"));
        chooseByEnter(d, QStringLiteral("760-040"));
        d->find_2->setText(QStringLiteral("2층"));
        d->find_5->setEditText(QStringLiteral("55"));
        chooseByEnter(d, QStringLiteral("760-041"));
        QCOMPARE(d->find_2->text(), QStringLiteral("2층"));
        QCOMPARE(d->find_5->currentText(), QString());
        QTest::keyClick(d->find_5, Qt::Key_Return);
    });
    QVERIFY(choice.has_value());
    QCOMPARE(choice->zipCode, QStringLiteral("760-041"));
    QCOMPARE(choice->address, QStringLiteral("경북 안동시 신안동 행복빌딩 2층 "));
}

void TestZipLookup::patternCharactersKeepTheirMeaning_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rows");
    QTest::addRow("percent alone matches every row") << "%" << 4;
    QTest::addRow("underscore matches one character") << "1_147" << 1;
    QTest::addRow("text found inside longer names") << "동" << 3;
}

void TestZipLookup::patternCharactersKeepTheirMeaning()
{
    QFETCH(QString, text);
    QFETCH(int, rows);
    TPostFindF d(m_app->window(), &m_app->window());
    d.find_name->setText(text);
    d.search();
    QCOMPARE(d.resultGrid->model()->rowCount(), rows);
    QCOMPARE(d.f_panel->title(), QString::number(rows) + QStringLiteral(" 가 검색 되었습니다."));
    // Only the zip code and the address text are visible.
    QStringList visible;
    for (int c = 0; c < d.resultGrid->model()->columnCount(); ++c)
        if (!d.resultGrid->isColumnHidden(c))
            visible << d.resultGrid->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(visible, (QStringList{"우편번호", "주소"}));
}

void TestZipLookup::searchWithoutMatchStaysOnTheSearchPage()
{
    TPostFindF d(m_app->window(), &m_app->window());
    d.show();
    d.find_name->setText(QStringLiteral("없는동"));
    QTest::keyClick(d.find_name, Qt::Key_Return);
    QCOMPARE(d.zip_back->currentWidget(), d.Find1);
    QCOMPARE(d.find_name->text(), QString());
    QCOMPARE(d.f_panel->title(), QStringLiteral("0 가 검색 되었습니다."));
    QVERIFY(m_app->messages.shown().isEmpty());
    QCOMPARE(d.result(), 0);
}

void TestZipLookup::emptySearchTextDoesNothing()
{
    TPostFindF d(m_app->window(), &m_app->window());
    d.show();
    QTest::keyClick(d.find_name, Qt::Key_Return);
    QCOMPARE(d.zip_back->currentWidget(), d.Find1);
    QVERIFY(!m_app->db().ZipFindDB.isOpen());
    QVERIFY(m_app->messages.shown().isEmpty());
}

void TestZipLookup::escapeCancels_data()
{
    QTest::addColumn<QString>("field");
    QTest::addRow("search field") << "find_name";
    QTest::addRow("detail field") << "find_2";
    QTest::addRow("lot-number field") << "find_5";
}

void TestZipLookup::escapeCancels()
{
    QFETCH(QString, field);
    auto choice = lookup(*m_app, [&](TPostFindF* d) {
        if (field != QLatin1String("find_name")) {
            searchFor(d, QStringLiteral("신안동"));
            chooseByEnter(d, QStringLiteral("760-040"));
            d->find_2->setText(QStringLiteral("행복로"));
        }
        QTest::keyClick(d->findChild<QWidget*>(field), Qt::Key_Escape);
    });
    QVERIFY(!choice.has_value());
}

void TestZipLookup::startAgainResetsEverything()
{
    TPostFindF d(m_app->window(), &m_app->window());
    d.show();
    searchFor(&d, QStringLiteral("신안동"));
    chooseByEnter(&d, QStringLiteral("760-041"));
    d.find_2->setText(QStringLiteral("2층"));
    d.find_5->setEditText(QStringLiteral("55"));
    QTest::mouseClick(d.btn_first, Qt::LeftButton);
    QCOMPARE(d.zip_back->currentWidget(), d.Find1);
    for (const QString& text : {d.find_name->text(), d.find_0->text(), d.find_1->text(),
                                d.find_2->text(), d.find_5->currentText()})
        QCOMPARE(text, QString());
    QCOMPARE(d.find_5->count(), 0);
    // A new search from the first page replaces the rows.
    searchFor(&d, QStringLiteral("역삼"));
    QCOMPARE(d.resultGrid->model()->rowCount(), 1);
}

void TestZipLookup::unreachableServerEndsCancelled()
{
    TMainDB& db = m_app->db();
    db.SDBConnect.close();
    ConnectionSettings gone = db.SDBConnect.settings();
    gone.socket = QDir::temp().filePath(QStringLiteral("orvel-no-server.sock"));
    gone.host = QStringLiteral("127.0.0.1");
    gone.port = 1;
    db.SDBConnect.setSettings(gone);

    auto choice = lookup(*m_app, [&](TPostFindF* d) { searchFor(d, QStringLiteral("신안동")); });
    QVERIFY(!choice.has_value());
    QCOMPARE(m_app->messages.texts(), QStringList{QStringLiteral("서버와 접속이 되지 않습니다.")});
    QCOMPARE(m_app->messages.shown().first().kind, 0);
    QVERIFY(!m_app->messages.shown().first().lastResort);
}

QTEST_MAIN(TestZipLookup)
#include "tst_zipcode_lookup.moc"
