#pragma once

// Fixture and input helpers of the property editor and expression builder tests.
#include "report/designer/ReportDocument.h"
#include "report/designer/panels/ExpressionBuilder.h"
#include "report/designer/panels/PropertyEditor.h"
#include "report/designer/panels/PropertySection.h"
#include "report/designer/panels/PropertyWidgets.h"
#include "report/preview/FileChooser.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>
#include <functional>
#include <memory>

using namespace orvel::report;

using Drive = std::function<void(QWidget*)>;
using ObjectChange = std::function<void(ReportObject&)>;
using BandChange = std::function<void(Band&)>;
using PageChange = std::function<void(ReportPage&)>;
using DocumentEdit = std::function<void(ReportDocument*)>;
using Refs = std::vector<ObjectRef>;
Q_DECLARE_METATYPE(Drive)
Q_DECLARE_METATYPE(ObjectChange)
Q_DECLARE_METATYPE(BandChange)
Q_DECLARE_METATYPE(PageChange)
Q_DECLARE_METATYPE(DocumentEdit)
Q_DECLARE_METATYPE(Refs)
Q_DECLARE_METATYPE(ExpressionBuilder::Mode)

namespace propertytest
{

constexpr int DataBand = 2;
const ObjectRef memoA{DataBand, 0, false};
const ObjectRef memoB{DataBand, 1, false};
const ObjectRef shape{DataBand, 2, false};
const ObjectRef picture{DataBand, 3, false};
const ObjectRef barcode{DataBand, 0, true}; // kept element the designer cannot edit

inline ReportObject object(ReportObject::Type type, const QString& name, double top)
{
    ReportObject o;
    o.type = type;
    o.name = name;
    o.left = 10;
    o.top = top;
    o.width = 100;
    o.height = 20;
    return o;
}

/// A page header, a group header and a data band holding two memos, a shape, a picture
/// and a kept bar code.
inline ReportTemplate fixture()
{
    ReportTemplate t = ReportTemplate::newReport();
    t.dataSets = {{QStringLiteral("RPTDB"), {}}};
    Band header;
    header.type = Band::PageHeader;
    header.name = QStringLiteral("PageHeader1");
    header.height = 40;
    Band group;
    group.type = Band::GroupHeader;
    group.name = QStringLiteral("GroupHeader1");
    group.condition = QStringLiteral("RPTDB.\"group\"");
    group.top = 60;
    group.height = 30;
    Band data;
    data.type = Band::MasterData;
    data.name = QStringLiteral("MasterData1");
    data.dataSetName = QStringLiteral("RPTDB");
    data.top = 110;
    data.height = 120;
    ReportObject a = object(ReportObject::Memo, QStringLiteral("Memo1"), 5);
    a.text = QStringLiteral("[RPTDB.\"name\"]");
    a.font.name = QStringLiteral("NanumGothic");
    a.font.pixelHeight = 16;
    a.fill = QColor(Qt::yellow);
    a.frame.sides = FrameSpec::Left;
    ReportObject b = object(ReportObject::Memo, QStringLiteral("Memo2"), 30);
    b.text = QStringLiteral("[RPTDB.\"amount\"]");
    b.font.name = QStringLiteral("NanumGothic");
    b.font.pixelHeight = 20;
    b.font.style = FontSpec::Bold;
    b.hAlign = HAlign::Right;
    b.fill = QColor(Qt::yellow);
    b.format = {DisplayFormat::Numeric, QStringLiteral("%2.2n"), {}, {}};
    data.objects = {a, b, object(ReportObject::Shape, QStringLiteral("Shape1"), 55),
                    object(ReportObject::Picture, QStringLiteral("Picture1"), 80)};
    XmlNode kept;
    kept.name = QStringLiteral("TfrxBarCodeView");
    for (const auto& [key, value] : {std::pair{"Name", "BarCode1"},
                                     {"Left", "200"},
                                     {"Top", "5"},
                                     {"Width", "80"},
                                     {"Height", "30"}})
        kept.setAttribute(QLatin1String(key), QLatin1String(value));
    data.kept.children = {kept};
    t.pages[0].bands = {header, group, data};
    return t;
}

template <class T> T* child(const QObject* root, const char* name)
{
    T* w = root->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

// What a field shows, as the user reads it.
inline QString shown(QWidget* w)
{
    if (auto* box = qobject_cast<QAbstractSpinBox*>(w))
        return box->text().trimmed();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (auto* check = qobject_cast<QCheckBox*>(w))
        return check->checkState() == Qt::PartiallyChecked ? QStringLiteral("mixed")
               : check->isChecked()                        ? QStringLiteral("on")
                                                           : QStringLiteral("off");
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
        return edit->toPlainText();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    return {};
}

// Types text as a user would: ASCII as keys, Hangul as the input method commits it.
inline void typeText(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(w, QString(c));
            continue;
        }
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(w, &commit);
    }
}

// Typing into a field replaces what it shows; Enter confirms.
inline Drive type(const char* name, const QString& text)
{
    return [=](QWidget* root) {
        QWidget* w = child<QWidget>(root, name);
        if (auto* combo = qobject_cast<QComboBox*>(w))
            w = combo->lineEdit();
        w->setFocus();
        if (auto* box = qobject_cast<QAbstractSpinBox*>(w))
            box->selectAll();
        else if (auto* line = qobject_cast<QLineEdit*>(w))
            line->selectAll();
        else if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
            edit->selectAll();
        typeText(w, text);
        if (!qobject_cast<QPlainTextEdit*>(w))
            QTest::keyClick(w, Qt::Key_Enter);
    };
}

inline Drive key(const char* name, Qt::Key k)
{
    return [=](QWidget* root) { QTest::keyClick(child<QWidget>(root, name), k); };
}

inline Drive click(const char* name)
{
    return [=](QWidget* root) {
        QTest::mouseClick(child<QAbstractButton>(root, name), Qt::LeftButton);
    };
}

// Picks an entry from the combo's list with the mouse.
inline void pick(QComboBox* combo, const QString& text)
{
    const int i = combo->findText(text);
    QVERIFY2(i >= 0, qPrintable(text));
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect r = view->visualRect(combo->model()->index(i, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      r.intersected(view->viewport()->rect()).center());
    QTRY_VERIFY(!view->isVisible());
}

inline Drive choose(const char* name, const QString& text)
{
    return [=](QWidget* root) { pick(child<QComboBox>(root, name), text); };
}

// Clicks a colour button and picks the colour in the dialog it opens.
inline Drive colour(const char* name, QColor c)
{
    return [=](QWidget* root) {
        auto* button = child<QAbstractButton>(root, name);
        QTest::mouseClick(button, Qt::LeftButton);
        auto* dialog = button->findChild<QColorDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        dialog->setCurrentColor(c);
        dialog->accept();
    };
}

// One-line table rows.
inline void objectRow(const char* tag, const Refs& refs, const Drive& drive,
                      const ObjectChange& change)
{
    QTest::newRow(tag) << refs << drive << change;
}
inline void bandRow(const char* tag, int band, const Drive& drive, const BandChange& change)
{
    QTest::newRow(tag) << band << drive << change;
}
inline void pageRow(const char* tag, bool landscape, const Drive& drive, const PageChange& change)
{
    QTest::newRow(tag) << landscape << drive << change;
}
inline void showRow(const char* tag, const Refs& refs, int band, const DocumentEdit& edit,
                    const char* field, const QString& after)
{
    QTest::newRow(tag) << refs << band << edit << QString::fromLatin1(field) << after;
}
inline DocumentEdit editA(const ObjectChange& change)
{
    return [=](ReportDocument* d) { d->changeObjects(QStringLiteral("편집"), {memoA}, change); };
}
inline QString mm(double px)
{
    return QString::number(shownMm(px), 'f', 1) + QStringLiteral(" mm");
}

inline Drive both(Drive first, Drive second)
{
    return [=](QWidget* root) {
        first(root);
        second(root);
    };
}

} // namespace propertytest

using namespace propertytest;
