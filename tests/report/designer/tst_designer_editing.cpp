// Editing on the designer's page with the mouse, the keys and the menus: every edit is one
// undo step, and undo and redo give back exactly the earlier and the later template.
#include "DesignerHarness.h"

#include "report/designer/DataPanel.h"
#include "report/template/TemplateFormat.h"

#include <QMimeData>
#include <QUndoStack>

using namespace designer_test;

namespace
{
enum Op {
    MoveFree,
    MoveSnapped,
    MoveAllOneStep,
    MoveIntoHeader,
    ResizeByHandle,
    ArrowMoves,
    ShiftArrowResizes,
    CtrlArrowFine,
    AlignLeft,
    SameWidth,
    DeleteKey,
    BringToFront,
    BandLowerEdge,
    InsertGroupHeader,
    DeleteBand,
    InsertRectangle,
    CopyPaste,
};

double grid()
{
    return mmToPx(2);
}
} // namespace

class TstDesignerEditing : public QObject
{
    Q_OBJECT

private:
    const ObjectRef memo1{1, 0, false};
    const ObjectRef memo2{1, 1, false};
    const ObjectRef title1{0, 0, false};

    void perform(Op op, Session& s)
    {
        ReportDocument* doc = s.doc();
        auto noSnap = [&] { s.trigger("snapAction"); };
        auto m = [&](int band, int index) { return doc->band(band).objects[size_t(index)]; };
        switch (op) {
        case MoveFree:
            noSnap();
            s.drag(s.centreOf(memo1), s.centreOf(memo1) + QPoint(40, 3));
            QCOMPARE(m(1, 0).left, 50.0);
            QCOMPARE(m(1, 0).top, 7.0);
            break;
        case MoveSnapped:
            s.drag(s.centreOf(memo1), s.centreOf(memo1) + QPoint(40, 0));
            QCOMPARE(m(1, 0).left, std::round(50 / grid()) * grid());
            QCOMPARE(m(1, 0).top, std::round(4 / grid()) * grid());
            break;
        case MoveAllOneStep:
            noSnap();
            s.trigger("selectAllAction");
            QCOMPARE(doc->selection().objects.size(), size_t(4));
            s.drag(s.centreOf(memo2), s.centreOf(memo2) + QPoint(12, 2));
            QCOMPARE(m(0, 0).left, 22.0);
            QCOMPARE(m(0, 1).left, 162.0);
            QCOMPARE(m(1, 0).top, 6.0);
            QCOMPARE(m(1, 1).left, 162.0);
            break;
        case MoveIntoHeader: {
            noSnap();
            const double startY = s.scene()->bandOrigin(1).y() + 4;
            const double headerY = s.scene()->bandOrigin(0).y();
            s.drag(s.centreOf(memo1), s.centreOf(memo1) - QPoint(0, int(startY - headerY) - 6));
            QCOMPARE(doc->band(0).objects.size(), size_t(3));
            QCOMPARE(doc->band(1).objects.size(), size_t(1));
            QCOMPARE(m(0, 2).name, QStringLiteral("Memo1"));
            QCOMPARE(m(0, 2).top, 6.0);
            QCOMPARE(doc->selection().objects, std::vector<ObjectRef>({{0, 2, false}}));
            break;
        }
        case ResizeByHandle: {
            noSnap();
            s.click(s.centreOf(memo1));
            const QPoint corner = s.at(1, QPointF(110, 24));
            s.drag(corner, corner + QPoint(20, 6));
            QCOMPARE(m(1, 0).width, 120.0);
            QCOMPARE(m(1, 0).height, 26.0);
            QCOMPARE(m(1, 0).left, 10.0);
            break;
        }
        case ArrowMoves:
            s.click(s.centreOf(memo1));
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(s.viewport(), Qt::Key_Right);
            QTest::keyClick(s.viewport(), Qt::Key_Down);
            QCOMPARE(m(1, 0).left, 10 + 3 * grid());
            QCOMPARE(m(1, 0).top, 4 + grid());
            break;
        case ShiftArrowResizes:
            s.click(s.centreOf(memo1));
            QTest::keyClick(s.viewport(), Qt::Key_Right, Qt::ShiftModifier);
            QTest::keyClick(s.viewport(), Qt::Key_Right, Qt::ShiftModifier);
            QCOMPARE(m(1, 0).width, 100 + 2 * grid());
            QCOMPARE(m(1, 0).left, 10.0);
            break;
        case CtrlArrowFine:
            s.click(s.centreOf(memo1));
            QTest::keyClick(s.viewport(), Qt::Key_Down, Qt::ControlModifier);
            QCOMPARE(m(1, 0).top, 5.0);
            break;
        case AlignLeft:
            // The first object selected is the one the others align to.
            s.click(s.centreOf(memo2));
            s.click(s.centreOf(title1), Qt::ControlModifier);
            s.click(s.centreOf(memo1), Qt::ControlModifier);
            QCOMPARE(doc->selection().objects.size(), size_t(3));
            s.trigger("alignLeftAction");
            QCOMPARE(m(0, 0).left, 150.0);
            QCOMPARE(m(1, 0).left, 150.0);
            QCOMPARE(m(1, 1).left, 150.0);
            break;
        case SameWidth:
            s.click(s.centreOf(memo1));
            s.click(s.centreOf(memo2), Qt::ControlModifier);
            s.trigger("sameWidthAction");
            QCOMPARE(m(1, 1).width, 100.0);
            QCOMPARE(m(1, 1).left, 150.0);
            break;
        case DeleteKey:
            s.click(s.centreOf(memo2));
            QTest::keyClick(s.viewport(), Qt::Key_Delete);
            QCOMPARE(doc->band(1).objects.size(), size_t(1));
            QCOMPARE(m(1, 0).name, QStringLiteral("Memo1"));
            break;
        case BringToFront:
            s.click(s.centreOf(memo1));
            s.trigger("bringToFrontAction");
            QCOMPARE(m(1, 1).name, QStringLiteral("Memo1"));
            QCOMPARE(doc->selection().objects, std::vector<ObjectRef>({{1, 1, false}}));
            break;
        case BandLowerEdge: {
            noSnap();
            const QPoint edge = s.at(1, QPointF(300, 30));
            s.drag(edge, edge + QPoint(0, 20));
            QCOMPARE(doc->band(1).height, 50.0);
            break;
        }
        case InsertGroupHeader:
            s.trigger("insertBand3");
            QCOMPARE(doc->page().bands.size(), size_t(4));
            QCOMPARE(doc->band(1).type, Band::GroupHeader);
            QCOMPARE(doc->selection().band.index, 1);
            break;
        case DeleteBand:
            s.click(s.at(2, QPointF(300, -8)));
            QCOMPARE(doc->selection().band.index, 2);
            QTest::keyClick(s.viewport(), Qt::Key_Delete);
            QCOMPARE(doc->page().bands.size(), size_t(2));
            break;
        case InsertRectangle:
            s.trigger("insertRectAction");
            QVERIFY(s.view()->insertToolActive());
            s.click(s.at(1, QPointF(300, 5)));
            QVERIFY(!s.view()->insertToolActive());
            QCOMPARE(doc->band(1).objects.size(), size_t(3));
            QCOMPARE(m(1, 2).type, ReportObject::Shape);
            QCOMPARE(m(1, 2).left, std::round(300 / grid()) * grid());
            QCOMPARE(m(1, 2).name, QStringLiteral("Shape1"));
            break;
        case CopyPaste:
            s.click(s.centreOf(memo1));
            s.trigger("copyAction");
            s.trigger("pasteAction");
            QCOMPARE(doc->band(1).objects.size(), size_t(3));
            QCOMPARE(m(1, 2).name, QStringLiteral("Memo3"));
            QCOMPARE(m(1, 2).text, m(1, 0).text);
            break;
        }
    }

private slots:
    void editsUndoAndRedoExactly_data()
    {
        QTest::addColumn<int>("op");
        QTest::addRow("mouse move without snap") << int(MoveFree);
        QTest::addRow("mouse move snapped to the grid") << int(MoveSnapped);
        QTest::addRow("moving four objects is one step") << int(MoveAllOneStep);
        QTest::addRow("moved into the band above") << int(MoveIntoHeader);
        QTest::addRow("resize by the corner handle") << int(ResizeByHandle);
        QTest::addRow("arrow keys join into one step") << int(ArrowMoves);
        QTest::addRow("shift+arrow resizes") << int(ShiftArrowResizes);
        QTest::addRow("ctrl+arrow moves a pixel") << int(CtrlArrowFine);
        QTest::addRow("align left") << int(AlignLeft);
        QTest::addRow("same width") << int(SameWidth);
        QTest::addRow("delete key") << int(DeleteKey);
        QTest::addRow("bring to front") << int(BringToFront);
        QTest::addRow("band lower edge") << int(BandLowerEdge);
        QTest::addRow("insert group header") << int(InsertGroupHeader);
        QTest::addRow("delete band") << int(DeleteBand);
        QTest::addRow("insert rectangle") << int(InsertRectangle);
        QTest::addRow("copy and paste") << int(CopyPaste);
    }

    void editsUndoAndRedoExactly()
    {
        QFETCH(int, op);
        Report report;
        report.reportTemplate() = listTemplate();
        Session s(report);
        ReportDocument* doc = s.doc();
        QUndoStack* undo = doc->undoStack();
        const ReportTemplate before = doc->model();
        perform(Op(op), s);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(undo->count(), 1);
        QVERIFY(doc->isModified());
        const ReportTemplate after = doc->model();
        QVERIFY(!(after == before));
        QVERIFY(!s.window->action(QStringLiteral("undoAction"))->text().isEmpty());
        s.trigger("undoAction");
        QVERIFY(doc->model() == before);
        QVERIFY(!doc->isModified());
        s.trigger("redoAction");
        QVERIFY(doc->model() == after);
        // The scene mirrors the model after each step.
        for (size_t b = 0; b < doc->page().bands.size(); ++b)
            for (const ObjectRef& r : doc->allObjects(int(b))) {
                ObjectItem* item = s.scene()->objectItem(r);
                QVERIFY(item);
                QCOMPARE(item->boxInBand(), doc->objectRect(r));
            }
    }

    void undoNamesTheEdit()
    {
        Report report;
        report.reportTemplate() = listTemplate();
        Session s(report);
        s.click(s.centreOf(memo2));
        QTest::keyClick(s.viewport(), Qt::Key_Delete);
        QCOMPARE(s.window->action(QStringLiteral("undoAction"))->text(),
                 QStringLiteral("실행 취소 삭제"));
        QTest::keyClick(s.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(s.doc()->band(1).objects.size(), size_t(2));
        QTest::keyClick(s.window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(s.doc()->band(1).objects.size(), size_t(1));
        QTest::keyClick(s.window.get(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(s.window.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(s.doc()->band(1).objects.size(), size_t(1));
    }

    void selectsByClickCtrlClickAndRubberBand()
    {
        Report report;
        report.reportTemplate() = listTemplate();
        Session s(report);
        ReportDocument* doc = s.doc();
        s.click(s.centreOf(memo1));
        QCOMPARE(doc->selection().objects, std::vector<ObjectRef>({memo1}));
        s.click(s.centreOf(memo2), Qt::ControlModifier);
        QCOMPARE(doc->selection().objects, std::vector<ObjectRef>({memo1, memo2}));
        s.click(s.centreOf(memo1), Qt::ControlModifier);
        QCOMPARE(doc->selection().objects, std::vector<ObjectRef>({memo2}));
        // A rubber band from an empty spot of the header down into the data band catches
        // the objects it touches.
        s.drag(s.at(0, QPointF(2, 1)), s.at(1, QPointF(60, 10)));
        QCOMPARE(doc->selection().objects, std::vector<ObjectRef>({title1, memo1}));
        // Tab goes on to the next object, Shift+Tab back.
        s.click(s.centreOf(memo1));
        QTest::keyClick(s.viewport(), Qt::Key_Tab);
        QCOMPARE(doc->selection().objects, std::vector<ObjectRef>({memo2}));
        QTest::keyClick(s.viewport(), Qt::Key_Backtab);
        QCOMPARE(doc->selection().objects, std::vector<ObjectRef>({memo1}));
        // A click on an empty band spot selects the band.
        s.click(s.at(1, QPointF(400, 15)));
        QVERIFY(doc->selection().objects.empty());
        QCOMPARE(doc->selection().band.index, 1);
    }

    void droppedFieldBecomesTextAndHeaderTitle_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("headerObjects");
        QTest::addRow("master data band: value and title") << 1 << 3;
        QTest::addRow("page footer: value only") << 2 << 2;
    }

    void droppedFieldBecomesTextAndHeaderTitle()
    {
        QFETCH(int, band);
        QFETCH(int, headerObjects);
        MemoryDataSource rows = customerRows(3);
        Report report;
        report.reportTemplate() = listTemplate();
        report.setDataSource(&rows, QStringLiteral("RPTDB"));
        DesignerOptions options;
        options.fieldTitles.insert(QStringLiteral("handphone"), QStringLiteral("휴대폰"));
        Session s(report, options);
        s.trigger("snapAction");
        // The data panel lists the bound data set's columns.
        DataPanel* panel = s.window->dataPanel();
        QCOMPARE(panel->topLevelItem(0)->text(0), QStringLiteral("RPTDB"));
        QCOMPARE(panel->topLevelItem(0)->childCount(), 4);
        QCOMPARE(panel->topLevelItem(0)->child(3)->text(0), QStringLiteral("handphone"));
        const ReportTemplate before = s.doc()->model();

        std::unique_ptr<QMimeData> data(
            panel->fieldMimeData(panel->topLevelItem(0)->child(3)->text(0)));
        const QPoint target = s.at(band, QPointF(300, 5));
        QDragEnterEvent enter(target, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(s.viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDragMoveEvent move(target, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(s.viewport(), &move);
        QVERIFY(move.isAccepted());
        QDropEvent drop(target, Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(s.viewport(), &drop);

        const Band& b = s.doc()->band(band);
        const ReportObject& value = b.objects.back();
        QCOMPARE(value.text, QStringLiteral("[RPTDB.\"handphone\"]"));
        // Within the rounding of a mouse position to whole screen pixels.
        QVERIFY2(std::abs(value.left - 300) < 0.5, qPrintable(QString::number(value.left)));
        // The new column sits in the row of the band's other columns.
        if (band == 1)
            QCOMPARE(value.top, 4.0);
        QCOMPARE(s.doc()->band(0).objects.size(), size_t(headerObjects));
        if (headerObjects == 3) {
            QCOMPARE(s.doc()->band(0).objects.back().text, QStringLiteral("휴대폰"));
            QCOMPARE(s.doc()->band(0).objects.back().left, value.left);
        }
        QCOMPARE(s.doc()->undoStack()->count(), 1);
        s.trigger("undoAction");
        QVERIFY(s.doc()->model() == before);
    }

    void keptElementsShowAsPlaceholders()
    {
        Report report;
        QVERIFY(report.loadTemplate(QStringLiteral(REPORT_TEST_DATA "/rich.fr3")));
        const ReportTemplate original = report.reportTemplate();
        Session s(report);
        ReportDocument* doc = s.doc();
        int master = -1;
        for (size_t i = 0; i < doc->page().bands.size(); ++i)
            if (doc->page().bands[i].type == Band::MasterData)
                master = int(i);
        QVERIFY(master >= 0);
        const ObjectRef barcode{master, 0, true};
        QVERIFY(doc->placeholder(barcode));
        QCOMPARE(doc->placeholder(barcode)->name, QStringLiteral("TfrxBarCodeView"));
        QVERIFY(s.scene()->objectItem(barcode));
        QCOMPARE(doc->placeholderBands().size(), size_t(1));
        QVERIFY(s.scene()->bandItem(doc->placeholderBands().front()));

        // Moving the placeholder changes its position and nothing else of it.
        s.trigger("snapAction");
        s.drag(s.centreOf(barcode), s.centreOf(barcode) + QPoint(10, 0));
        const XmlNode& moved = *doc->placeholder(barcode);
        XmlNode expected =
            original.pages[0].bands[size_t(master)].kept.children[size_t(barcode.index)];
        expected.setAttribute(QStringLiteral("Left"), QStringLiteral("310"));
        QCOMPARE(moved, expected);

        // Saved and read back, everything the designer does not edit is kept as it was.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rich.fr3"));
        QVERIFY(s.window->saveTo(path));
        TemplateFormat format;
        auto reread = format.readFile(path);
        QVERIFY2(reread, qPrintable(format.errorString()));
        QVERIFY(*reread == doc->model());
        QCOMPARE(reread->pages[0].kept, original.pages[0].kept);
        QCOMPARE(reread->kept, original.kept);

        // Placeholders can be deleted.
        s.click(s.centreOf(barcode));
        s.trigger("deleteAction");
        QVERIFY(!doc->placeholder(barcode));
        doc->selectBand(doc->placeholderBands().front());
        s.trigger("deleteAction");
        QVERIFY(doc->placeholderBands().empty());
    }
};

QTEST_MAIN(TstDesignerEditing)
#include "tst_designer_editing.moc"
