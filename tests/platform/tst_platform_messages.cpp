// Message box, handler of last resort, guarded actions and the guarded application object.

#include "platform/LastResort.h"
#include "platform/MsgBox.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

using namespace orvel;

namespace
{

// What a shown box looked like, read while it was open.
struct BoxView {
    bool seen = false;
    QString caption;
    QString message;
    QStringList buttons; // left to right
    QString defaultButton;
    QString focusButton;
    int pixmapLabels = 0;
    QPoint centre;
};

enum class Act { Click, Enter, Escape, Close };

// Once a modal box shows, records it into `view` and ends it with `act` (clicking the
// button at `index` for Act::Click). The box is always ended, so a wrong box fails the
// test's checks instead of hanging it.
void driveNextBox(BoxView* view, Act act, int index = 0)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, view, act, index, waited = 0]() mutable {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        // Keys go to the active window: give the box a moment to become it.
        if (!box || (!box->isActiveWindow() && ++waited < 100))
            return;
        poll->stop();
        poll->deleteLater();

        QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
        std::sort(buttons.begin(), buttons.end(),
                  [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
        view->seen = true;
        view->caption = box->windowTitle();
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull())
                ++view->pixmapLabels;
            else if (!label->text().isEmpty())
                view->message = label->text();
        }
        for (QPushButton* b : buttons) {
            view->buttons << b->text();
            if (b->isDefault())
                view->defaultButton = b->text();
            if (box->focusWidget() == b)
                view->focusButton = b->text();
        }
        view->centre = box->frameGeometry().center();

        switch (act) {
        case Act::Click:
            if (index < buttons.size())
                QTest::mouseClick(buttons.at(index), Qt::LeftButton);
            else
                box->close();
            break;
        case Act::Enter:
        case Act::Escape: {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : box;
            QTest::keyClick(target, act == Act::Enter ? Qt::Key_Return : Qt::Key_Escape);
            break;
        }
        case Act::Close:
            box->close();
            break;
        }
        // Whatever happened above, the box must not stay open.
        if (box->isVisible())
            box->done(-1);
    });
    poll->start();
}

struct TestError : std::exception {
    const char* what() const noexcept override { return "사용자 정의 오류"; }
};

// Throws from its event handler for user events.
class ThrowingObject : public QObject
{
public:
    int handled = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("이벤트 처리 중 오류");
        if (e->type() == QEvent::Type(QEvent::User + 1)) {
            ++handled;
            return true;
        }
        return QObject::event(e);
    }
};

} // namespace

class TestMessages : public QObject
{
    Q_OBJECT

    QList<ShownMessage> m_shown;

    void recordWith(int answer)
    {
        MsgBox::setAnswerer([this, answer](const ShownMessage& m) {
            m_shown << m;
            return answer;
        });
    }

private slots:
    void init() { m_shown.clear(); }
    void cleanup() { MsgBox::setAnswerer({}); }

    void buttonsByKind_data();
    void buttonsByKind();
    void keysAndClose_data();
    void keysAndClose();
    void otherKindsShowNothing_data();
    void otherKindsShowNothing();
    void answererReplacesTheBox();

    void lastResortShowsARealBox();
    void guardedReportsAndGoesOn_data();
    void guardedReportsAndGoesOn();
    void applicationCatchesEscapedExceptions();
};

void TestMessages::buttonsByKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<int>("result");

    const QStringList k0{"확인"}, k1{"확인", "취소"}, k2{"예", "아니오"}, k3{"저장", "취소"},
        k4{"실행", "취소"}, k5{"예", "아니오", "취소"};
    QTest::addRow("0 확인") << 0 << k0 << 0 << 1;
    QTest::addRow("1 확인") << 1 << k1 << 0 << 1;
    QTest::addRow("1 취소") << 1 << k1 << 1 << 2;
    QTest::addRow("2 예") << 2 << k2 << 0 << 1;
    QTest::addRow("2 아니오") << 2 << k2 << 1 << 2;
    QTest::addRow("3 저장") << 3 << k3 << 0 << 1;
    QTest::addRow("3 취소") << 3 << k3 << 1 << 2;
    QTest::addRow("4 실행") << 4 << k4 << 0 << 1;
    QTest::addRow("4 취소") << 4 << k4 << 1 << 2;
    QTest::addRow("5 예") << 5 << k5 << 0 << 1;
    QTest::addRow("5 아니오") << 5 << k5 << 1 << 7;
    QTest::addRow("5 취소") << 5 << k5 << 2 << 2;
}

void TestMessages::buttonsByKind()
{
    QFETCH(int, kind);
    QFETCH(QStringList, texts);
    QFETCH(int, clicked);
    QFETCH(int, result);

    BoxView view;
    driveNextBox(&view, Act::Click, clicked);
    const QString message = QStringLiteral("저장하시겠습니까?\n두 번째 줄 <b>그대로</b>");
    const int got =
        MsgBox::show(nullptr, QStringLiteral("Orvel 관리 프로그램 Ver 2008"), message, kind);

    QVERIFY(view.seen);
    QCOMPARE(view.caption, QStringLiteral("Orvel 관리 프로그램 Ver 2008"));
    QCOMPARE(view.message, message); // plain text, not rich text
    QCOMPARE(view.pixmapLabels, 0);  // no icon
    QCOMPARE(view.buttons, texts);
    QCOMPARE(view.defaultButton, texts.first());
    QCOMPARE(view.focusButton, texts.first());
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    QVERIFY2(
        (view.centre - screenCentre).manhattanLength() <= 4,
        qPrintable(QStringLiteral("box centre %1,%2").arg(view.centre.x()).arg(view.centre.y())));
    QCOMPARE(got, result);
}

void TestMessages::keysAndClose_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("act");
    QTest::addColumn<int>("result");

    for (int kind = 0; kind <= 5; ++kind) {
        QTest::addRow("%d Enter", kind) << kind << int(Act::Enter) << 1;
        QTest::addRow("%d Escape", kind) << kind << int(Act::Escape) << 2;
        QTest::addRow("%d title-bar close", kind) << kind << int(Act::Close) << 2;
    }
}

void TestMessages::keysAndClose()
{
    QFETCH(int, kind);
    QFETCH(int, act);
    QFETCH(int, result);

    BoxView view;
    driveNextBox(&view, Act(act));
    QCOMPARE(MsgBox::show(nullptr, QStringLiteral("caption"), QStringLiteral("message"), kind),
             result);
    QVERIFY(view.seen);
}

void TestMessages::otherKindsShowNothing_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("withAnswerer");
    for (int kind : {6, -1, 100}) {
        QTest::addRow("%d", kind) << kind << false;
        QTest::addRow("%d answered", kind) << kind << true;
    }
}

void TestMessages::otherKindsShowNothing()
{
    QFETCH(int, kind);
    QFETCH(bool, withAnswerer);
    if (withAnswerer)
        recordWith(1);

    // A box would block here with nobody to close it; the call must return at once.
    QCOMPARE(MsgBox::show(nullptr, QStringLiteral("c"), QStringLiteral("m"), kind), 0);
    QVERIFY(m_shown.isEmpty());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY(!(w->inherits("QDialog") && w->isVisible()));
}

void TestMessages::answererReplacesTheBox()
{
    recordWith(7);
    QCOMPARE(MsgBox::show(nullptr, QStringLiteral("제목"), QStringLiteral("내용"), 5), 7);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].caption, QStringLiteral("제목"));
    QCOMPARE(m_shown[0].message, QStringLiteral("내용"));
    QCOMPARE(m_shown[0].kind, 5);
    QCOMPARE(m_shown[0].lastResort, false);

    // Cleared, the real box is back.
    MsgBox::setAnswerer({});
    BoxView view;
    driveNextBox(&view, Act::Click, 1);
    QCOMPARE(MsgBox::show(nullptr, QStringLiteral("제목"), QStringLiteral("내용"), 2), 2);
    QVERIFY(view.seen);
    QCOMPARE(m_shown.size(), 1);
}

void TestMessages::lastResortShowsARealBox()
{
    BoxView view;
    driveNextBox(&view, Act::Enter);
    LastResort::report(QStringLiteral("Lost connection to server"));
    QVERIFY(view.seen);
    QCOMPARE(view.caption, QApplication::applicationDisplayName());
    QCOMPARE(view.message, QStringLiteral("Lost connection to server"));
    QCOMPARE(view.buttons, QStringList{QStringLiteral("확인")});
}

void TestMessages::guardedReportsAndGoesOn_data()
{
    QTest::addColumn<int>("what");
    QTest::addColumn<QString>("text");
    QTest::addRow("runtime_error") << 0 << QStringLiteral("Table 'db.t' doesn't exist: 고객");
    QTest::addRow("own std::exception") << 1 << QStringLiteral("사용자 정의 오류");
    QTest::addRow("not a std::exception") << 2 << QStringLiteral("알 수 없는 오류");
}

void TestMessages::guardedReportsAndGoesOn()
{
    QFETCH(int, what);
    QFETCH(QString, text);
    recordWith(1);

    bool stepBefore = false, stepAfter = false;
    guarded([&] {
        stepBefore = true;
        if (what == 0)
            throw std::runtime_error(text.toStdString());
        if (what == 1)
            throw TestError();
        throw 42;
        stepAfter = true;
    });
    QVERIFY(stepBefore);
    QVERIFY(!stepAfter); // the action stopped at the failing step

    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].message, text);
    QCOMPARE(m_shown[0].caption, QApplication::applicationDisplayName());
    QCOMPARE(m_shown[0].kind, 0);
    QCOMPARE(m_shown[0].lastResort, true);

    // The program goes on: the next action runs and reports nothing.
    int ran = 0;
    guarded([&] { ++ran; });
    QCOMPARE(ran, 1);
    QCOMPARE(m_shown.size(), 1);
}

void TestMessages::applicationCatchesEscapedExceptions()
{
    QVERIFY(dynamic_cast<GuardedApplication*>(QCoreApplication::instance()));
    recordWith(1);
    ThrowingObject target;

    // Sent directly...
    QEvent boom(QEvent::User);
    QCOMPARE(QCoreApplication::sendEvent(&target, &boom), false);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].message, QStringLiteral("이벤트 처리 중 오류"));
    QCOMPARE(m_shown[0].lastResort, true);

    // ...and from the event loop, which keeps delivering the events after it.
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&target, new QEvent(QEvent::Type(QEvent::User + 1)));
    QMetaObject::invokeMethod(
        &target, [] { throw 1; }, Qt::QueuedConnection);
    QTRY_COMPARE(target.handled, 1);
    QTRY_COMPARE(m_shown.size(), 3);
    QCOMPARE(m_shown[1].message, QStringLiteral("이벤트 처리 중 오류"));
    QCOMPARE(m_shown[2].message, QStringLiteral("알 수 없는 오류"));
}

int main(int argc, char** argv)
{
    GuardedApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Orvel 관리 프로그램 Ver 2008"));
    TestMessages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform_messages.moc"
