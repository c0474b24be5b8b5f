// The designer window as a whole: new reports, saving, closing with unsaved changes, the
// clipboard between two windows, and the preview in both directions.
#include "DesignerHarness.h"
#include "ModalWatch.h"

#include "platform/MsgBox.h"
#include "report/designer/DesignEdits.h"
#include "report/designer/ReportDesigner.h"
#include "report/designer/labels/LabelWizard.h"
#include "report/preview/FileChooser.h"
#include "report/preview/PreviewWindow.h"
#include "report/template/TemplateFormat.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

using namespace designer_test;
using orvel::test::onModal;

namespace
{

bool preparedText(const PreparedReport& prepared, const QString& text)
{
    for (const PreparedPage& page : prepared.pages)
        for (const PreparedItem& item : page.items)
            if (item.text == text)
                return true;
    return false;
}
} // namespace

class TstDesignerWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { orvel::MsgBox::setAnswerer({}); }

    void emptyReportOpensWithTheDesignerDefaults()
    {
        Report report;
        Session s(report);
        const ReportTemplate& t = s.doc()->model();
        QCOMPARE(t.settings.scriptLanguage, QStringLiteral("PascalScript"));
        QCOMPARE(t.pages.size(), size_t(1));
        const ReportPage& p = t.pages[0];
        QCOMPARE(p.paperSize, 9);
        QCOMPARE(p.paperWidth, 210.0);
        QCOMPARE(p.paperHeight, 297.0);
        QVERIFY(!p.landscape);
        for (double m : {p.leftMargin, p.rightMargin, p.topMargin, p.bottomMargin})
            QCOMPARE(m, 10.0);
        // New text objects get Arial 13 px.
        s.trigger("insertBand4");
        s.trigger("insertTextAction");
        s.click(s.at(0, QPointF(20, 5)));
        const ReportObject& o = s.doc()->band(0).objects.at(0);
        QCOMPARE(o.font.name, QStringLiteral("Arial"));
        QCOMPARE(o.font.pixelHeight, 13);
        QVERIFY(s.window->windowTitle().contains(QStringLiteral("새 양식")));
        QVERIFY(s.window->isWindowModified());
        // What the designer made reads back unchanged.
        QTemporaryDir dir;
        QVERIFY(s.window->saveTo(dir.filePath(QStringLiteral("new.fr3"))));
        auto reread = TemplateFormat().readFile(dir.filePath(QStringLiteral("new.fr3")));
        QVERIFY(reread);
        QVERIFY(*reread == s.doc()->model());
    }

    void labelWizardMakesALabelTemplate()
    {
        // A 2 x 7 sheet of 99.1 x 38.1 mm labels on A4, typed in as the office's own sheet.
        QTemporaryDir dir;
        MemoryDataSource rows = customerRows(30);
        Report report;
        report.setDataSource(&rows, QStringLiteral("RPTDB"));
        DesignerOptions options;
        options.labelSheetsFile = dir.filePath(QStringLiteral("OrvelLabels.ini"));
        options.labelCatalogueDirs = {dir.filePath(QStringLiteral("no-catalogue"))};
        Session s(report, options);
        bool seen = false;
        onModal<labels::LabelWizard>(
            this,
            [&](labels::LabelWizard* w) {
                w->findChild<QTabWidget*>(QStringLiteral("sheetTabs"))->setCurrentIndex(1);
                const std::pair<const char*, double> values[] = {
                    {"paperWidthSpin", 210},        {"paperHeightSpin", 297},
                    {"labelWidthSpin", 99.1},       {"labelHeightSpin", 38.1},
                    {"leftMarginSpin", 4.65},       {"topMarginSpin", 15.15},
                    {"horizontalPitchSpin", 101.6}, {"verticalPitchSpin", 38.1}};
                for (const auto& [name, value] : values)
                    w->findChild<QDoubleSpinBox*>(QLatin1String(name))->setValue(value);
                w->findChild<QSpinBox*>(QStringLiteral("columnsSpin"))->setValue(2);
                w->findChild<QSpinBox*>(QStringLiteral("rowsSpin"))->setValue(7);
                for (const char* button : {"nextButton", "nextButton", "finishButton"})
                    QTest::mouseClick(w->findChild<QAbstractButton*>(QLatin1String(button)),
                                      Qt::LeftButton);
            },
            &seen);
        s.trigger("labelWizardAction");
        QVERIFY(seen);
        QVERIFY(s.doc()->isModified());
        QVERIFY(s.doc()->filePath().isEmpty());
        const ReportPage& page = s.doc()->page();
        int master = -1;
        for (size_t i = 0; i < page.bands.size(); ++i)
            if (page.bands[i].type == Band::MasterData)
                master = int(i);
        QVERIFY(master >= 0);
        QCOMPARE(page.bands[size_t(master)].columns, 2);
        QCOMPARE(page.bands[size_t(master)].dataSetName, QStringLiteral("RPTDB"));

        // 14 labels a page: 30 rows make three pages, the third with two labels.
        Report labels;
        labels.reportTemplate() = s.doc()->model();
        labels.setDataSource(&rows, QStringLiteral("RPTDB"));
        labels.prepare();
        QCOMPARE(labels.prepared().pages.size(), size_t(3));
        for (int p = 0; p < 3; ++p) {
            int names = 0;
            for (const PreparedItem& item : labels.prepared().pages[size_t(p)].items)
                names += item.text.contains(QStringLiteral("고객")) ? 1 : 0;
            QCOMPARE(names, p < 2 ? 14 : 2);
        }
    }

    void savesAtomicallyAndReadsBackTheSameTemplate()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.fr3"));
        QVERIFY(TemplateFormat().writeFile(listTemplate(), path));
        Report report;
        QVERIFY(report.loadTemplate(path));
        Session s(report);
        QVERIFY(s.window->windowTitle().contains(QStringLiteral("list.fr3")));
        QVERIFY(!s.window->isWindowModified());
        s.click(s.centreOf({1, 0, false}));
        QTest::keyClick(s.viewport(), Qt::Key_Right);
        QVERIFY(s.window->isWindowModified());
        QTest::keyClick(s.window.get(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!s.window->isWindowModified());
        QVERIFY(s.window->saved());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.fr3"});
        auto reread = TemplateFormat().readFile(path);
        QVERIFY(reread);
        QVERIFY(*reread == s.doc()->model());
        // The report now holds what was saved.
        QVERIFY(report.reportTemplate() == s.doc()->model());

        // Save As asks for a name and adds the extension.
        FileChooser::setNextFileName(dir.filePath(QStringLiteral("copy")));
        s.trigger("saveAsAction");
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("copy.fr3"))));
        QCOMPARE(report.templatePath(), dir.filePath(QStringLiteral("copy.fr3")));
    }

    void failedSaveSaysSoAndKeepsTheChanges()
    {
        Report report;
        report.reportTemplate() = listTemplate();
        report.setTemplatePath(QStringLiteral("/nonexistent-folder/x.fr3"));
        Session s(report);
        s.click(s.centreOf({1, 0, false}));
        QTest::keyClick(s.viewport(), Qt::Key_Right);
        QStringList shown;
        orvel::MsgBox::setAnswerer([&](const orvel::ShownMessage& m) {
            shown << m.message;
            return 1;
        });
        QVERIFY(!s.window->save());
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith(QStringLiteral("양식을 저장하지 못했습니다.")));
        QVERIFY(s.doc()->isModified());
        QVERIFY(!s.window->saved());
    }

    void closingWithUnsavedChangesAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::addRow("save") << 1 << true << true;
        QTest::addRow("discard") << 7 << true << false;
        QTest::addRow("cancel") << 2 << false << false;
    }

    void closingWithUnsavedChangesAsks()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.fr3"));
        QVERIFY(TemplateFormat().writeFile(listTemplate(), path));
        const QByteArray original = [&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        Report report;
        QVERIFY(report.loadTemplate(path));
        Session s(report);
        s.click(s.centreOf({1, 1, false}));
        QTest::keyClick(s.viewport(), Qt::Key_Delete);
        int asked = 0;
        orvel::MsgBox::setAnswerer([&](const orvel::ShownMessage& m) {
            ++asked;
            return m.kind == 5 ? answer : 0;
        });
        s.window->close();
        QCOMPARE(asked, 1);
        QCOMPARE(s.window->isVisible(), !closed);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll() != original, written);
        // An unchanged template closes without a question.
        if (!closed) {
            s.trigger("undoAction");
            s.window->close();
            QCOMPARE(asked, 1);
            QVERIFY(!s.window->isVisible());
        }
    }

    void copiesAndPastesBetweenTwoWindows()
    {
        Report first, second;
        first.reportTemplate() = listTemplate();
        second.reportTemplate() = ReportTemplate::newReport();
        Session a(first);
        Session b(second);
        a.click(a.centreOf({1, 0, false}));
        a.click(a.centreOf({1, 1, false}), Qt::ControlModifier);
        a.trigger("copyAction");
        b.trigger("insertBand4");
        b.trigger("pasteAction");
        const Band& pasted = b.doc()->band(0);
        QCOMPARE(pasted.objects.size(), size_t(2));
        QCOMPARE(pasted.objects[0].text, QStringLiteral("[RPTDB.\"name\"]"));
        QCOMPARE(pasted.objects[1].left, 150.0);
        QCOMPARE(pasted.objects[1].width, 80.0);
        QCOMPARE(b.doc()->selection().objects.size(), size_t(2));
        // Cut takes them out of the first window.
        a.trigger("cutAction");
        QVERIFY(a.doc()->band(1).objects.empty());
    }

    void previewShowsTheBoundRows()
    {
        MemoryDataSource rows = customerRows(5);
        Report report;
        report.reportTemplate() = listTemplate();
        report.setDataSource(&rows, QStringLiteral("RPTDB"));
        Session s(report);
        bool seen = false;
        bool found = false;
        onModal<PreviewWindow>(
            this,
            [&](PreviewWindow* w) {
                found = !w->findChild<QToolButton*>(QStringLiteral("editButton"));
                found = found && w->findNext(QStringLiteral("고객5"));
                w->accept();
            },
            &seen);
        s.trigger("previewAction");
        QVERIFY(seen);
        QVERIFY2(found, "the designer's preview shows the rows and offers no edit button");
    }

    void previewEditButtonDesignsThePreviewedReport()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("list.fr3"));
        QVERIFY(TemplateFormat().writeFile(listTemplate(), path));
        MemoryDataSource rows = customerRows(5);
        Report report;
        QVERIFY(report.loadTemplate(path));
        report.setDataSource(&rows, QStringLiteral("RPTDB"));
        report.prepare();
        QVERIFY(!preparedText(report.prepared(), QStringLiteral("010-0000-1001")));

        PreviewWindow preview(report);
        preview.show();
        bool seen = false;
        onModal<DesignerWindow>(
            this,
            [&](DesignerWindow* w) {
                // The handphone column goes into the data band and is saved.
                QCOMPARE(w->document()->fieldNames().size(), 4);
                dropField(w->document(), 1, QPointF(300, 4), QStringLiteral("RPTDB"),
                          QStringLiteral("handphone"));
                QVERIFY(w->save());
                w->close();
            },
            &seen);
        auto* edit = preview.findChild<QToolButton*>(QStringLiteral("editButton"));
        QVERIFY(edit);
        QVERIFY(edit->isEnabled());
        QTest::mouseClick(edit, Qt::LeftButton);
        QVERIFY(seen);
        QVERIFY(preparedText(report.prepared(), QStringLiteral("010-0000-1001")));
        QVERIFY(preview.findNext(QStringLiteral("010-0000-1001")));
        auto reread = TemplateFormat().readFile(path);
        QVERIFY(reread);
        QCOMPARE(reread->pages[0].bands[1].objects.size(), size_t(3));
    }
};

QTEST_MAIN(TstDesignerWindow)
#include "tst_designer_window.moc"
