// The label wizard driven through its controls: a catalogue sheet chosen by searching, a
// custom sheet typed in and saved, the label lines edited, and the template it gives.
#include "LabelTestSupport.h"

#include "report/designer/labels/CustomSheetStore.h"
#include "report/designer/labels/LabelWizard.h"
#include "report/designer/labels/SheetPreview.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvel::report;
using namespace orvel::report::labels;
using namespace labeltest;

namespace
{

template <class T> T* child(const QWidget& parent, const char* name)
{
    T* w = parent.findChild<T*>(QLatin1String(name));
    if (!w)
        qWarning("no %s", name);
    return w;
}

/// Replaces a spin box's value by typing, as a user does.
void typeInto(QAbstractSpinBox* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

/// Types text as an input method commits Hangul syllables.
void commitText(QWidget* edit, const QString& text)
{
    edit->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(edit, &event);
}

void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void clickItem(QListWidget* list, QListWidgetItem* item)
{
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QListWidgetItem* itemStartingWith(QListWidget* list, const QString& text)
{
    for (int row = 0; row < list->count(); ++row)
        if (!list->item(row)->isHidden() && list->item(row)->text().startsWith(text))
            return list->item(row);
    return nullptr;
}

QStringList texts(const std::vector<LabelLine>& lines)
{
    QStringList out;
    for (const LabelLine& l : lines)
        out << l.displayText();
    return out;
}

} // namespace

class LabelWizardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogueSheet();
    void catalogueSearch_data();
    void catalogueSearch();
    void customSheetTyped();
    void savedSheetsInANewWizard();
    void unusableSheetStopsTheWizard();

private:
    QString customPath(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QTemporaryDir m_dir;
};

void LabelWizardTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeCatalogue(m_dir.path()));
}

void LabelWizardTest::catalogueSheet()
{
    LabelWizard wizard(QStringLiteral("RPTDB"), customerColumns(), {m_dir.path()},
                       customPath("catalogue-sheets.xml"));
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    QCOMPARE(wizard.windowTitle(), QStringLiteral("라벨 마법사"));
    auto* search = child<QLineEdit>(wizard, "sheetSearchEdit");
    auto* list = child<QListWidget>(wizard, "sheetList");
    auto* preview = child<SheetPreview>(wizard, "sheetPreview");
    QAbstractButton* next = wizard.button(QWizard::NextButton);
    QVERIFY(search && list && preview);
    QVERIFY(!next->isEnabled()); // no sheet chosen yet

    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("acme r100"));
    QCOMPARE(child<QLabel>(wizard, "sheetCountLabel")->text(), QStringLiteral("2개"));
    QListWidgetItem* item = itemStartingWith(list, QStringLiteral("Acme R100 "));
    QVERIFY(item);
    clickItem(list, item);
    QVERIFY(next->isEnabled());
    QCOMPARE(preview->sheet().part, QStringLiteral("R100"));

    // Enter in the list goes on to the fields, which start as a mailing label.
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(wizard.currentId(), int(LabelWizard::FieldsPageId));
    QCOMPARE(child<QListWidget>(wizard, "linesList")->count(), 3);
    QCOMPARE(texts(wizard.lines()), QStringList({"[home_post]", "[home_address]", "[name] 귀하"}));

    click(next);
    QCOMPARE(wizard.currentId(), int(LabelWizard::SummaryPageId));
    const QString summary = child<QLabel>(wizard, "summaryLabel")->text();
    QVERIFY2(summary.contains(QStringLiteral("Acme R100")) &&
                 summary.contains(QStringLiteral("한 장에 14개")),
             qPrintable(summary));
    click(wizard.button(QWizard::FinishButton));
    QCOMPARE(wizard.QDialog::result(), int(QDialog::Accepted));

    const LabelSheet expected = sheetOf("A4", 210, 297, 99.1, 38.1, 2, 7, 4.65, 15.15, 101.6, 38.1);
    const ReportTemplate t = wizard.result();
    QCOMPARE(t.pages.front().paperSize, 9);
    const QString wrong = checkLabelOrigins(prepareLabels(t, 30), expected, 30);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

void LabelWizardTest::catalogueSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("paper");
    QTest::addColumn<int>("shown");
    QTest::addColumn<bool>("chosen"); // a single match is chosen by itself
    QTest::addRow("all") << ""
                         << "" << 5 << false;
    QTest::addRow("part letter") << "p"
                                 << "" << 2 << false;
    QTest::addRow("one match") << "R100-K"
                               << "" << 1 << true;
    QTest::addRow("paper filter") << ""
                                  << "US-Letter" << 1 << true;
    QTest::addRow("odd sizes of a maker") << "ACME"
                                          << "Other" << 2 << false;
    QTest::addRow("nothing") << "zeta"
                             << "" << 0 << false;
}

void LabelWizardTest::catalogueSearch()
{
    QFETCH(QString, text);
    QFETCH(QString, paper);
    QFETCH(int, shown);
    QFETCH(bool, chosen);
    LabelWizard wizard(QStringLiteral("RPTDB"), customerColumns(), {m_dir.path()},
                       customPath("search-sheets.xml"));
    wizard.show();
    auto* search = child<QLineEdit>(wizard, "sheetSearchEdit");
    auto* papers = child<QComboBox>(wizard, "paperFilterBox");
    auto* list = child<QListWidget>(wizard, "sheetList");
    QVERIFY(search && papers && list);
    QTest::keyClicks(search, text);
    if (!paper.isEmpty()) {
        const int index = papers->findData(paper);
        QVERIFY(index > 0);
        papers->setCurrentIndex(index);
    }
    int visible = 0;
    for (int row = 0; row < list->count(); ++row)
        visible += list->item(row)->isHidden() ? 0 : 1;
    QCOMPARE(visible, shown);
    QCOMPARE(child<QLabel>(wizard, "sheetCountLabel")->text(), QStringLiteral("%1개").arg(shown));
    QCOMPARE(wizard.button(QWizard::NextButton)->isEnabled(), chosen);
    QCOMPARE(wizard.sheet().has_value(), chosen);
}

void LabelWizardTest::customSheetTyped()
{
    const QString path = customPath("typed-sheets.xml");
    // Without a catalogue the wizard opens on the custom sheet.
    LabelWizard wizard(QStringLiteral("RPTDB"), customerColumns(), {}, path);
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    auto* tabs = child<QTabWidget>(wizard, "sheetTabs");
    auto* preview = child<SheetPreview>(wizard, "sheetPreview");
    QVERIFY(tabs && preview);
    QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("customSheetEditor"));

    typeInto(child<QSpinBox>(wizard, "columnsSpin"), QStringLiteral("2"));
    QCOMPARE(preview->sheet().columns, 2); // the preview follows while typing
    typeInto(child<QSpinBox>(wizard, "rowsSpin"), QStringLiteral("5"));
    const struct {
        const char* box;
        const char* value;
    } lengths[] = {{"labelWidthSpin", "99.1"},       {"labelHeightSpin", "50.8"},
                   {"leftMarginSpin", "4.7"},        {"topMarginSpin", "21.5"},
                   {"horizontalPitchSpin", "101.6"}, {"verticalPitchSpin", "50.8"}};
    for (const auto& l : lengths) {
        auto* box = child<QDoubleSpinBox>(wizard, l.box);
        QVERIFY(box);
        typeInto(box, QLatin1String(l.value));
        QCOMPARE(box->value(), QString::fromLatin1(l.value).toDouble());
    }
    const LabelSheet expected = sheetOf("A4", 210, 297, 99.1, 50.8, 2, 5, 4.7, 21.5, 101.6, 50.8);
    const LabelSheet shown = preview->sheet();
    QCOMPARE(shown.labelRect(1, 4), expected.labelRect(1, 4));
    // The last label is drawn where the typed sheet has it; the margin beside it is paper.
    const QImage image = preview->grab().toImage();
    const QPointF last = preview->mapFromPaper(expected.labelRect(1, 4)).center();
    const QPointF margin = preview->mapFromPaper(QRectF(1, 100, 2, 2)).center();
    QCOMPARE(image.pixelColor(last.toPoint()), QColor(214, 232, 255));
    QCOMPARE(image.pixelColor(margin.toPoint()), QColor(Qt::white));

    auto* name = child<QLineEdit>(wizard, "customNameEdit");
    commitText(name, QStringLiteral("사무실 라벨 2x5"));
    click(child<QAbstractButton>(wizard, "saveSheetButton"));
    QCOMPARE(CustomSheetStore(path).load().size(), size_t(1));
    QCOMPARE(CustomSheetStore(path).load().front().part, QStringLiteral("사무실 라벨 2x5"));
    QVERIFY(
        child<QComboBox>(wizard, "customSheetBox")->findText(QStringLiteral("사무실 라벨 2x5")) >
        0);

    click(wizard.button(QWizard::NextButton));
    QCOMPARE(wizard.currentId(), int(LabelWizard::FieldsPageId));
    auto* available = child<QListWidget>(wizard, "availableList");
    auto* lines = child<QListWidget>(wizard, "linesList");
    QVERIFY(available && lines);
    // Zip code after the address on one line, the name first, then a fixed line.
    lines->setCurrentRow(0);
    click(child<QAbstractButton>(wizard, "removeLineButton"));
    lines->setCurrentRow(0);
    clickItem(available, itemStartingWith(available, QStringLiteral("home_post")));
    click(child<QAbstractButton>(wizard, "appendButton"));
    lines->setCurrentRow(1);
    click(child<QAbstractButton>(wizard, "moveUpButton"));
    auto* fixed = child<QLineEdit>(wizard, "fixedTextEdit");
    fixed->selectAll();
    commitText(fixed, QStringLiteral("(우편물)"));
    clickItem(available, itemStartingWith(available, QStringLiteral("고정 문자")));
    lines->setCurrentRow(1);
    click(child<QAbstractButton>(wizard, "addLineButton"));
    auto* bold = child<QCheckBox>(wizard, "boldCheck");
    bold->setFocus();
    QTest::keyClick(bold, Qt::Key_Space);
    QCOMPARE(texts(wizard.lines()),
             QStringList({"[name] 귀하", "[home_address] [home_post]", "(우편물)"}));
    QCOMPARE(wizard.lines()[0].align, HAlign::Right);
    QVERIFY(wizard.lines()[2].bold);
    QVERIFY(!wizard.lines()[1].bold);

    click(wizard.button(QWizard::NextButton));
    click(wizard.button(QWizard::FinishButton));
    QCOMPARE(wizard.QDialog::result(), int(QDialog::Accepted));
    const ReportTemplate t = wizard.result();
    QCOMPARE(t.settings.reportName, QStringLiteral("라벨 사무실 라벨 2x5"));
    const PreparedReport prepared = prepareLabels(t, 23);
    const QString wrong = checkLabelOrigins(
        prepared, expected, 23, [](int k) { return QStringLiteral("고객%1 귀하").arg(k + 1); });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QStringList firstLabel;
    for (const PreparedItem& item : prepared.pages.front().items)
        if (item.kind == PreparedItem::Text && firstLabel.size() < 3)
            firstLabel << item.text;
    QCOMPARE(firstLabel, QStringList({"고객1 귀하", "서울시 중구 1번지 10001", "(우편물)"}));
}

void LabelWizardTest::savedSheetsInANewWizard()
{
    const QString path = customPath("saved-sheets.xml");
    LabelSheet saved = sheetOf("A4", 210, 297, 63.5, 38.1, 3, 7, 7.2, 15.15, 66.04, 38.1);
    saved.part = QStringLiteral("우체국 3x7");
    CustomSheetStore store(path);
    QVERIFY(store.save(saved));

    LabelWizard wizard(QStringLiteral("RPTDB"), customerColumns(), {}, path);
    wizard.show();
    auto* box = child<QComboBox>(wizard, "customSheetBox");
    QVERIFY(box);
    QCOMPARE(box->count(), 2);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down); // choosing a saved sheet loads it
    QCOMPARE(box->currentText(), saved.part);
    QCOMPARE(child<QSpinBox>(wizard, "columnsSpin")->value(), 3);
    QCOMPARE(child<QDoubleSpinBox>(wizard, "horizontalPitchSpin")->value(), 66.04);
    const std::optional<LabelSheet> chosen = wizard.sheet();
    QVERIFY(chosen);
    QCOMPARE(chosen->labelRect(2, 6), saved.labelRect(2, 6));
    QCOMPARE(chosen->part, saved.part);

    click(child<QAbstractButton>(wizard, "deleteSheetButton"));
    QVERIFY(CustomSheetStore(path).load().empty());
    QCOMPARE(box->count(), 1);
}

void LabelWizardTest::unusableSheetStopsTheWizard()
{
    LabelWizard wizard(QStringLiteral("RPTDB"), customerColumns(), {}, customPath("none.xml"));
    wizard.show();
    QAbstractButton* next = wizard.button(QWizard::NextButton);
    auto* columns = child<QSpinBox>(wizard, "columnsSpin");
    typeInto(columns, QStringLiteral("4")); // four 70 mm labels across A4
    QVERIFY(!wizard.sheet());
    QVERIFY(child<QLabel>(wizard, "customStatusLabel")->text().contains(QStringLiteral("오른쪽")));
    QVERIFY(!child<QAbstractButton>(wizard, "saveSheetButton")->isEnabled());
    click(next);
    QCOMPARE(wizard.currentId(), int(LabelWizard::SheetPageId));
    typeInto(columns, QStringLiteral("3"));
    click(next);
    QCOMPARE(wizard.currentId(), int(LabelWizard::FieldsPageId));
}

QTEST_MAIN(LabelWizardTest)
#include "tst_label_wizard.moc"
