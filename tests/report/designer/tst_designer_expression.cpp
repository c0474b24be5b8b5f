// The expression builder: fields, system values and totals inserted at the cursor.
#include "PropertyTestSupport.h"

class TstDesignerExpression : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ReportDocument> m_doc;

private slots:
    void init()
    {
        m_doc = std::make_unique<ReportDocument>(fixture());
        m_doc->setDataSet(QStringLiteral("RPTDB"), {"name", "amount", "group"});
    }

    void cleanup() { m_doc.reset(); }

    void builderInsertsAtTheCursor_data()
    {
        using Mode = ExpressionBuilder::Mode;
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<Drive>("drive");
        QTest::addColumn<QString>("result");
        auto activate = [](const char* list, int row, bool mouse) {
            return Drive([=](QWidget* builder) {
                auto* l = child<QListWidget>(builder, list);
                l->setCurrentRow(row);
                const QPoint at = l->visualItemRect(l->item(row)).center();
                if (mouse) {
                    // What a double-click delivers: press, release, double-click, release.
                    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
                    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
                    QTest::mouseRelease(l->viewport(), Qt::LeftButton, {}, at);
                } else {
                    QTest::keyClick(l, Qt::Key_Return);
                }
            });
        };
        auto total = [](const QString& function, const QString& field) {
            return Drive([=](QWidget* builder) {
                auto* f = child<QComboBox>(builder, "aggregateFunctionBox");
                f->setCurrentIndex(f->findData(function));
                auto* d = child<QComboBox>(builder, "aggregateFieldBox");
                d->setCurrentIndex(d->findData(field));
                QTest::mouseClick(child<QPushButton>(builder, "aggregateInsertButton"),
                                  Qt::LeftButton);
            });
        };
        const Mode text = Mode::Text, bare = Mode::Expression;
        QTest::newRow("field by double-click")
            << text << "이름: " << 4 << activate("fieldList", 0, true) << "이름: [RPTDB.\"name\"]";
        QTest::newRow("field by Enter mid-text")
            << text << "AB" << 1 << activate("fieldList", 1, false) << "A[RPTDB.\"amount\"]B";
        QTest::newRow("page number")
            << text << "" << 0 << activate("systemList", 0, false) << "[Page#]";
        QTest::newRow("total pages")
            << text << "/" << 1 << activate("systemList", 1, true) << "/[TotalPages#]";
        QTest::newRow("sum") << text << "" << 0 << total("SUM", "amount")
                             << "[SUM(<RPTDB.\"amount\">)]";
        QTest::newRow("row count") << text << "" << 0 << total("COUNT", "") << "[COUNT()]";
        QTest::newRow("bare field")
            << bare << "" << 0 << activate("fieldList", 2, false) << "RPTDB.\"group\"";
        QTest::newRow("bare line")
            << bare << "" << 0 << activate("systemList", 4, false) << "Line#";
    }

    void builderInsertsAtTheCursor()
    {
        QFETCH(ExpressionBuilder::Mode, mode);
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(Drive, drive);
        QFETCH(QString, result);
        ExpressionBuilder builder(text, m_doc.get(), nullptr, mode);
        builder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&builder));
        auto* edit = child<QPlainTextEdit>(&builder, "expressionEdit");
        QTextCursor c = edit->textCursor();
        c.setPosition(cursor);
        edit->setTextCursor(c);
        drive(&builder);
        QCOMPARE(builder.text(), result);
        // Enter on a list inserts; it does not close the dialog.
        QVERIFY(builder.isVisible());
    }
};

QTEST_MAIN(TstDesignerExpression)
#include "tst_designer_expression.moc"
