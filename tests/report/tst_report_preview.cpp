// The preview window driven as a real widget on the offscreen platform.
#include "ModalWatch.h"
#include "ReportTestData.h"
#include "platform/MsgBox.h"
#include "report/Report.h"
#include "report/preview/FileChooser.h"
#include "report/preview/PageSetupDialog.h"
#include "report/preview/PreviewPageView.h"
#include "report/preview/PreviewWindow.h"
#include "report/preview/WorkProgress.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace orvel::report;
using orvel::report::test::customers;

namespace
{

QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TstReportPreview : public QObject
{
    Q_OBJECT

private:
    MemoryDataSource m_data = customers(100);
    Report m_report;
    QTemporaryDir m_dir;

    void click(QWidget* window, const char* name)
    {
        auto* button = window->findChild<QToolButton*>(QLatin1String(name));
        QVERIFY2(button, name);
        QVERIFY2(button->isVisibleTo(window), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_report.loadTemplate(QStringLiteral(REPORT_SHIPPED_DATA "/customer_list.fr3"));
        m_report.setDataSource(&m_data, QStringLiteral("RPTDB"));
        m_report.prepare();
        QVERIFY(m_report.prepared().pages.size() >= 3);
    }

    void opensModalAndMaximised()
    {
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* w = qobject_cast<PreviewWindow*>(QApplication::activeModalWidget());
            QVERIFY(w);
            QVERIFY(w->isModal());
            QVERIFY(w->windowState() & Qt::WindowMaximized);
            checked = true;
            QTest::mouseClick(w->findChild<QToolButton*>(QStringLiteral("closeButton")),
                              Qt::LeftButton);
        });
        PreviewWindow::showPreview(m_report);
        QVERIFY(checked);
    }

    void buttonsFollowTheSettings()
    {
        PreviewWindow w(m_report);
        w.show();
        for (const char* name :
             {"printButton", "openButton", "saveButton", "exportButton", "quickPdfButton",
              "zoomInButton", "zoomOutButton", "findButton", "outlineButton", "pageSetupButton",
              "firstPageButton", "prevPageButton", "nextPageButton", "lastPageButton"}) {
            auto* b = w.findChild<QToolButton*>(QLatin1String(name));
            QVERIFY2(b && b->isVisible() && !b->accessibleName().isEmpty(), name);
        }
        QVERIFY(w.findChild<QComboBox*>(QStringLiteral("zoomBox")));
        QVERIFY(w.findChild<QSpinBox*>(QStringLiteral("pageSpin")));

        m_report.reportTemplate().settings.previewButtons =
            ReportSettings::Print | ReportSettings::Navigator;
        PreviewWindow few(m_report);
        QVERIFY(few.findChild<QToolButton*>(QStringLiteral("printButton")));
        QVERIFY(few.findChild<QToolButton*>(QStringLiteral("nextPageButton")));
        QVERIFY(!few.findChild<QToolButton*>(QStringLiteral("saveButton")));
        QVERIFY(!few.findChild<QComboBox*>(QStringLiteral("zoomBox")));
    }

    void navigatesPages()
    {
        PreviewWindow w(m_report);
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* spin = w.findChild<QSpinBox*>(QStringLiteral("pageSpin"));
        const int pages = int(m_report.prepared().pages.size());
        QCOMPARE(spin->value(), 1);
        QCOMPARE(spin->maximum(), pages);
        click(&w, "nextPageButton");
        QCOMPARE(w.pageView()->currentPage(), 1);
        QCOMPARE(spin->value(), 2);
        click(&w, "lastPageButton");
        QCOMPARE(w.pageView()->currentPage(), pages - 1);
        QCOMPARE(spin->value(), pages);
        click(&w, "prevPageButton");
        QCOMPARE(spin->value(), pages - 1);
        click(&w, "firstPageButton");
        QCOMPARE(spin->value(), 1);
        spin->setValue(3);
        QCOMPARE(w.pageView()->currentPage(), 2);
        QTest::keyClick(w.pageView(), Qt::Key_End);
        QCOMPARE(spin->value(), pages);
    }

    void zooms()
    {
        PreviewWindow w(m_report);
        w.resize(900, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* zoom = w.findChild<QComboBox*>(QStringLiteral("zoomBox"));
        QCOMPARE(w.pageView()->zoom(), 1.0);
        zoom->setCurrentIndex(zoom->findText(QStringLiteral("200%")));
        emit zoom->activated(zoom->currentIndex());
        QCOMPARE(w.pageView()->zoom(), 2.0);
        click(&w, "zoomOutButton");
        QCOMPARE(w.pageView()->zoom(), 1.6);
        QCOMPARE(zoom->currentIndex(), -1); // no entry for 160%
        click(&w, "zoomInButton");
        QCOMPARE(zoom->currentText(), QStringLiteral("200%"));
        zoom->setCurrentIndex(zoom->findText(QStringLiteral("전체 페이지")));
        emit zoom->activated(zoom->currentIndex());
        const double whole = w.pageView()->zoom();
        zoom->setCurrentIndex(zoom->findText(QStringLiteral("폭에 맞춤")));
        emit zoom->activated(zoom->currentIndex());
        // In a landscape-shaped window a whole A4 page is narrower than the page width.
        QVERIFY(whole < w.pageView()->zoom());
        QVERIFY(w.pageView()->viewport()->width() >= 794 * whole);
    }

    void startsAtTheTemplatesZoom()
    {
        m_report.reportTemplate().settings.previewZoom = 1.5;
        PreviewWindow w(m_report);
        QCOMPARE(w.pageView()->zoom(), 1.5);
        QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("zoomBox"))->currentText(),
                 QStringLiteral("150%"));
    }

    void findsText()
    {
        PreviewWindow w(m_report);
        w.resize(900, 700);
        w.show();
        click(&w, "findButton");
        auto* edit = w.findChild<QLineEdit*>(QStringLiteral("findEdit"));
        QVERIFY(edit->isVisible());
        edit->setText(QStringLiteral("고객9"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(w.pageView()->currentPage(), 0); // 고객9 is on the first page
        QTest::keyClick(edit, Qt::Key_Return);    // 고객90 is further on
        QVERIFY(w.pageView()->currentPage() >= 1);
        edit->setText(QStringLiteral("없는 이름"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("findStatus"))->text(),
                 QStringLiteral("찾는 내용이 없습니다."));
    }

    void outlineListsPages()
    {
        PreviewWindow w(m_report);
        w.resize(900, 700);
        w.show();
        auto* tree = w.findChild<QTreeWidget*>(QStringLiteral("outlineTree"));
        QVERIFY(!tree->isVisible());
        click(&w, "outlineButton");
        QVERIFY(tree->isVisible());
        QCOMPARE(tree->topLevelItemCount(), int(m_report.prepared().pages.size()));
        emit tree->itemClicked(tree->topLevelItem(2), 0);
        QCOMPARE(w.pageView()->currentPage(), 2);
    }

    void pageSetupPreparesAgain()
    {
        PreviewWindow w(m_report);
        w.show();
        const size_t portraitPages = m_report.prepared().pages.size();
        QTimer::singleShot(0, this, [] {
            auto* d = qobject_cast<PageSetupDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            d->findChild<QRadioButton*>(QStringLiteral("landscapeButton"))->setChecked(true);
            d->findChild<QDoubleSpinBox*>(QStringLiteral("topMarginBox"))->setValue(20);
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("okButton")),
                              Qt::LeftButton);
        });
        click(&w, "pageSetupButton");
        const PreparedPage& first = m_report.prepared().pages.at(0);
        QVERIFY(first.landscape);
        QCOMPARE(first.widthMm, 297.0);
        QCOMPARE(first.topMargin, 20.0);
        QVERIFY(m_report.prepared().pages.size() > portraitPages); // fewer rows per page
        QCOMPARE(w.findChild<QSpinBox*>(QStringLiteral("pageSpin"))->maximum(),
                 int(m_report.prepared().pages.size()));
    }

    void savesOpensAndExports()
    {
        PreviewWindow w(m_report);
        w.show();
        const size_t pages = m_report.prepared().pages.size();
        const QString fp3 = m_dir.filePath(QStringLiteral("saved"));
        FileChooser::setNextFileName(fp3);
        click(&w, "saveButton");
        QVERIFY(QFile::exists(fp3 + QStringLiteral(".fp3")));

        // Opening prepared pages shows them without a template; page setup is off then.
        m_report.reportTemplate() = ReportTemplate();
        FileChooser::setNextFileName(fp3 + QStringLiteral(".fp3"));
        click(&w, "openButton");
        QCOMPARE(m_report.prepared().pages.size(), pages);
        QCOMPARE(w.pageView()->pageCount(), int(pages));
        QVERIFY(!w.findChild<QToolButton*>(QStringLiteral("pageSetupButton"))->isEnabled());

        // A cancelled dialog does nothing.
        FileChooser::setNextFileName(QString());
        click(&w, "quickPdfButton");
        const QString pdf = m_dir.filePath(QStringLiteral("quick.pdf"));
        FileChooser::setNextFileName(pdf);
        click(&w, "quickPdfButton");
        QVERIFY(QFile::exists(pdf));
        if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QVERIFY(pdfText(pdf).contains(QStringLiteral("고객100")));

        const QString csv = m_dir.filePath(QStringLiteral("menu.csv"));
        FileChooser::setNextFileName(csv);
        w.findChild<QAction*>(QStringLiteral("export_csv"))->trigger();
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(f.readAll()).contains(QStringLiteral(";고객1;10001;")));
    }

    void stoppedExportLeavesNoFile()
    {
        PreviewWindow w(m_report);
        w.show();
        WorkProgress::setShowAfter(0);
        // The user stops the export as soon as its progress shows.
        QObject scope;
        bool stopped = false;
        orvel::test::pressCancelWhenProgressShows(&scope, &stopped);
        const QString pdf = m_dir.filePath(QStringLiteral("stopped.pdf"));
        w.exportTo(QStringLiteral("pdf"), pdf);
        WorkProgress::setShowAfter(500);
        QVERIFY(stopped);
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("stopped*")}, QDir::Files),
                 QStringList());
    }

    void damagedFileIsReported()
    {
        PreviewWindow w(m_report);
        w.show();
        QFile bad(m_dir.filePath(QStringLiteral("bad.fp3")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("ORVELFP3\x01 broken");
        bad.close();
        QStringList shown;
        orvel::MsgBox::setAnswerer([&](const orvel::ShownMessage& m) {
            shown << m.message;
            return 1;
        });
        FileChooser::setNextFileName(bad.fileName());
        click(&w, "openButton");
        orvel::MsgBox::setAnswerer({});
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(QStringLiteral("damaged prepared report")),
                 qPrintable(shown[0]));
        QCOMPARE(w.pageView()->pageCount(), 0);
    }

    void printsThroughAPrinter()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("poppler-utils are not installed");
        PreviewWindow w(m_report);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString out = m_dir.filePath(QStringLiteral("printed.pdf"));
        printer.setOutputFileName(out);
        w.printTo(&printer, 2, 3);
        const QString text = pdfText(out);
        QCOMPARE(int(text.count(QLatin1Char('\f'))), 2);
        QVERIFY(!text.contains(QStringLiteral("고객 목록"))); // the title is on page 1 only
        QVERIFY(text.contains(QStringLiteral("서울특별시 중구 세종대로")));
    }
};

QTEST_MAIN(TstReportPreview)
#include "tst_report_preview.moc"
