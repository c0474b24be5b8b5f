// Collapsible panel, skins, shell open and the input-method switch.

#include "platform/CollapsiblePanel.h"
#include "platform/InputMethod.h"
#include "platform/ShellOpen.h"
#include "platform/Skins.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace orvel;

namespace
{

// A shown window with a panel holding two fields over a stretching widget, as the
// customer page lays its panels out.
struct PanelFixture {
    QWidget window;
    CollapsiblePanel* panel;
    QLineEdit* first;
    QLineEdit* second;
    QPushButton* titleExtra;

    explicit PanelFixture(int duration)
    {
        auto* layout = new QVBoxLayout(&window);
        panel = new CollapsiblePanel(QStringLiteral("등록"));
        panel->setObjectName(QStringLiteral("InputPanel"));
        panel->setAnimationDuration(duration);
        titleExtra = new QPushButton(QStringLiteral("선택"));
        panel->addTitleWidget(titleExtra);
        auto* content = new QWidget;
        auto* fields = new QVBoxLayout(content);
        first = new QLineEdit(content);
        second = new QLineEdit(content);
        fields->addWidget(first);
        fields->addWidget(second);
        panel->setContent(content);
        layout->addWidget(panel);
        layout->addWidget(new QWidget, 1);
        window.resize(400, 400);
        window.show();
        window.activateWindow();
    }
    int titleHeight() const { return panel->findChild<QWidget*>("titleBar")->height(); }
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void panelCollapsesAndExpands_data();
    void panelCollapsesAndExpands();
    void panelKeyboardAndCaption();
    void panelEventLoopRunsDuringAnimation();
    void panelReversedWhileAnimating();
    void panelSetContentReplaces();

    void skinsMissingOrUnreadable_data();
    void skinsMissingOrUnreadable();
    void skinsApplyToWidgetAndApplication();

    void runAppOpensThroughHook_data();
    void runAppOpensThroughHook();

    void hangeulModeWithoutBus();
    void hangeulModeNeverLaunchesAnInputMethod();
};

void TestWidgets::initTestCase()
{
    // The offscreen platform warns on every resize of a window; keep the log readable.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("does not support propagateSizeHints")))
                previous(type, context, text);
        });
}

void TestWidgets::panelCollapsesAndExpands_data()
{
    QTest::addColumn<int>("duration");
    QTest::addColumn<bool>("byButton");
    QTest::addRow("instant, by code") << 0 << false;
    QTest::addRow("instant, by button") << 0 << true;
    QTest::addRow("animated, by code") << 80 << false;
    QTest::addRow("animated, by button") << 80 << true;
}

void TestWidgets::panelCollapsesAndExpands()
{
    QFETCH(int, duration);
    QFETCH(bool, byButton);
    PanelFixture f(duration);
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QVERIFY(f.panel->isExpanded());
    QVERIFY(f.first->isVisible());
    const int expandedHeight = f.panel->height();

    QSignalSpy expanded(f.panel, &CollapsiblePanel::expanded);
    QSignalSpy collapsed(f.panel, &CollapsiblePanel::collapsed);
    // The entry panel moves the focus into its first field when it expands.
    bool contentVisibleOnSignal = false;
    connect(f.panel, &CollapsiblePanel::expanded, f.first, [&] {
        contentVisibleOnSignal = f.first->isVisible();
        f.first->setFocus();
    });
    auto toggle = [&](bool on) {
        if (byButton)
            QTest::mouseClick(f.panel->toggleButton(), Qt::LeftButton);
        else
            f.panel->setExpanded(on);
    };

    toggle(false);
    QVERIFY(!f.panel->isExpanded());
    QCOMPARE(collapsed.size(), 1);
    QCOMPARE(expanded.size(), 0);
    QVERIFY(!f.first->isVisible());
    QVERIFY(!f.second->isVisible());
    QVERIFY(f.titleExtra->isVisible());
    QVERIFY(f.panel->toggleButton()->isVisible());
    // Only the title bar is left, even with spare room in the window.
    QTRY_COMPARE(f.panel->height(), f.titleHeight());
    QVERIFY(f.panel->height() < expandedHeight);

    f.panel->setExpanded(false); // no change, no signal
    QCOMPARE(collapsed.size(), 1);

    toggle(true);
    QVERIFY(f.panel->isExpanded());
    QCOMPARE(expanded.size(), 1);
    QCOMPARE(collapsed.size(), 1);
    QVERIFY(contentVisibleOnSignal);
    QVERIFY(f.first->isVisible());
    QTRY_COMPARE(f.panel->height(), expandedHeight);
    QTRY_VERIFY(f.first->hasFocus());

    // Every expansion signals, not only the first.
    toggle(false);
    toggle(true);
    QCOMPARE(expanded.size(), 2);
    QCOMPARE(collapsed.size(), 2);
}

void TestWidgets::panelKeyboardAndCaption()
{
    PanelFixture f(0);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QToolButton* button = f.panel->toggleButton();
    QCOMPARE(f.panel->caption(), QStringLiteral("등록"));
    QCOMPARE(button->accessibleName(), QStringLiteral("등록"));
    QCOMPARE(f.panel->findChild<QLabel*>("captionLabel")->text(), QStringLiteral("등록"));

    f.panel->setCaption(QStringLiteral("수정"));
    QCOMPARE(f.panel->caption(), QStringLiteral("수정"));
    QCOMPARE(button->accessibleName(), QStringLiteral("수정"));

    // The button is in the tab chain and works with the space bar.
    QVERIFY(button->focusPolicy() & Qt::TabFocus);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QVERIFY(!f.panel->isExpanded());
    // Collapsed, tabbing on from the button never lands in the hidden fields.
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != f.first && QApplication::focusWidget() != f.second);
    }
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QVERIFY(f.panel->isExpanded());
}

void TestWidgets::panelEventLoopRunsDuringAnimation()
{
    PanelFixture f(150);
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    // A timer due during the animation (the keep-alive is one) fires before setExpanded
    // returns, and the panel is in its final state when it does.
    bool fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    f.panel->setExpanded(false);
    QVERIFY(fired);
    QVERIFY(!f.first->isVisible());
    QCOMPARE(f.panel->findChild<QWidget*>("contentArea")->maximumHeight(), QWIDGETSIZE_MAX);

    fired = false;
    QTimer::singleShot(0, [&] { fired = true; });
    f.panel->setExpanded(true);
    QVERIFY(fired);
    QVERIFY(f.first->isVisible());
    QCOMPARE(f.panel->findChild<QWidget*>("contentArea")->maximumHeight(), QWIDGETSIZE_MAX);
}

void TestWidgets::panelReversedWhileAnimating()
{
    PanelFixture f(300);
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    const int expandedHeight = f.panel->height();
    QSignalSpy expanded(f.panel, &CollapsiblePanel::expanded);
    QSignalSpy collapsed(f.panel, &CollapsiblePanel::collapsed);

    // Something run by the event loop during the collapse expands the panel again.
    QTimer::singleShot(0, f.panel, [&] { f.panel->setExpanded(true); });
    f.panel->setExpanded(false);

    QVERIFY(f.panel->isExpanded());
    QCOMPARE(expanded.size(), 1);
    QCOMPARE(collapsed.size(), 0);
    QVERIFY(f.first->isVisible());
    QTRY_COMPARE(f.panel->height(), expandedHeight);
}

void TestWidgets::panelSetContentReplaces()
{
    CollapsiblePanel panel(QStringLiteral("사용자"));
    auto* a = new QLabel(QStringLiteral("a"));
    panel.setContent(a);
    QCOMPARE(panel.content(), a);
    QCOMPARE(a->parentWidget(), panel.findChild<QWidget*>("contentArea"));
    QPointer<QLabel> old(a);
    auto* b = new QLabel(QStringLiteral("b"));
    panel.setContent(b);
    QVERIFY(old.isNull());
    QCOMPARE(panel.content(), b);
    // Built in place through the layout instead.
    auto* c = new QLineEdit;
    panel.contentLayout()->addWidget(c);
    panel.setExpanded(false);
    QVERIFY(!b->isVisibleTo(&panel));
    QVERIFY(!c->isVisibleTo(&panel));
}

void TestWidgets::skinsMissingOrUnreadable_data()
{
    QTest::addColumn<QString>("path");
    QTest::addRow("missing") << QStringLiteral("/nonexistent/Skin/SteelBlue.ssk");
    QTest::addRow("empty path") << QString();
    QTest::addRow("a folder") << QDir::tempPath();
}

void TestWidgets::skinsMissingOrUnreadable()
{
    QFETCH(QString, path);
    QWidget w;
    const QString before = QStringLiteral("QWidget { color: rgb(9, 9, 9); }");
    w.setStyleSheet(before);
    Skins::apply(&w, path);
    QCOMPARE(w.styleSheet(), before);
    Skins::apply(nullptr, path);
    QCOMPARE(qApp->styleSheet(), QString());
}

void TestWidgets::skinsApplyToWidgetAndApplication()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Longhorn.ssk"));
    const QByteArray sheet = "/* 컨트롤 스킨 */\nQLabel { color: rgb(1, 2, 3); }\n";
    writeFile(path, sheet);

    QWidget w;
    auto* label = new QLabel(QStringLiteral("고객명"), &w);
    Skins::apply(&w, path);
    QCOMPARE(w.styleSheet(), QString::fromUtf8(sheet));
    label->ensurePolished();
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(1, 2, 3));

    QLabel other(QStringLiteral("전화"));
    Skins::apply(nullptr, path);
    QCOMPARE(qApp->styleSheet(), QString::fromUtf8(sheet));
    other.ensurePolished();
    QCOMPARE(other.palette().color(QPalette::WindowText), QColor(1, 2, 3));
    qApp->setStyleSheet(QString());
}

void TestWidgets::runAppOpensThroughHook_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QUrl>("opened"); // empty: nothing opened
    QTest::addRow("web page") << QStringLiteral("http://www.example.com/bbs/member_join.php")
                              << QUrl(QStringLiteral("http://www.example.com/bbs/member_join.php"));
    QTest::addRow("address without scheme")
        << QStringLiteral("www.example.com/support")
        << QUrl(QStringLiteral("http://www.example.com/support"));
    QTest::addRow("surrounding blanks") << QStringLiteral("  https://example.com/a?b=1 ")
                                        << QUrl(QStringLiteral("https://example.com/a?b=1"));
    QTest::addRow("file path") << QDir::tempPath() << QUrl::fromLocalFile(QDir::tempPath());
    QTest::addRow("empty") << QString() << QUrl();
    QTest::addRow("blank") << QStringLiteral("   ") << QUrl();
}

void TestWidgets::runAppOpensThroughHook()
{
    QFETCH(QString, target);
    QFETCH(QUrl, opened);
    QList<QUrl> seen;
    ShellOpen::setOpener([&seen](const QUrl& url) {
        seen << url;
        return false; // a failed open shows nothing, and says so to the caller
    });
    QWidget owner;
    const bool ok = RunApp(&owner, target);
    ShellOpen::setOpener({});
    // Nothing to open counts as done; a refused address does not.
    QCOMPARE(ok, opened.isEmpty());
    if (opened.isEmpty()) {
        QVERIFY(seen.isEmpty());
    } else {
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0], opened);
    }
}

void TestWidgets::hangeulModeWithoutBus()
{
    // No session bus announced: the switch returns quietly and the window stays usable.
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(QDir::tempPath() + "/no-such-runtime-dir"));
    QLineEdit edit;
    edit.show();
    SetHangeulMode(&edit, true);
    SetHangeulMode(&edit, false);
    SetHangeulMode(nullptr, true);
    QTest::keyClicks(&edit, QStringLiteral("abc"));
    QCOMPARE(edit.text(), QStringLiteral("abc"));
}

void TestWidgets::hangeulModeNeverLaunchesAnInputMethod()
{
    // A private session bus on which the input method could be started on demand: the
    // switch must not start it (no input method is running), only talk to a running one.
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString marker = dir.filePath(QStringLiteral("launched"));
    QDir(dir.path()).mkdir(QStringLiteral("services"));
    writeFile(dir.filePath(QStringLiteral("services/org.fcitx.Fcitx5.service")),
              "[D-BUS Service]\nName=org.fcitx.Fcitx5\nExec=/usr/bin/touch " +
                  QFile::encodeName(marker) + "\n");
    writeFile(dir.filePath(QStringLiteral("bus.conf")),
              "<busconfig><type>session</type><listen>unix:dir=" + QFile::encodeName(dir.path()) +
                  "</listen><servicedir>" + QFile::encodeName(dir.filePath("services")) +
                  "</servicedir><policy context=\"default\"><allow send_destination=\"*\"/>"
                  "<allow own=\"*\"/><allow receive_sender=\"*\"/><allow "
                  "user=\"*\"/></policy></busconfig>");
    QProcess bus;
    bus.start(daemon, {QStringLiteral("--config-file=") + dir.filePath(QStringLiteral("bus.conf")),
                       QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    QVERIFY(bus.waitForStarted());
    QTRY_VERIFY(bus.canReadLine());
    const QByteArray address = bus.readLine().trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);

    QLineEdit edit;
    SetHangeulMode(&edit, true);
    SetHangeulMode(&edit, false);
    QDBusConnection session = QDBusConnection::sessionBus();
    QVERIFY(session.isConnected());
    // The bus handles messages in order: once this answer is back, it has seen ours.
    const QDBusMessage ping = session.call(QDBusMessage::createMethodCall(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId"));
    QCOMPARE(ping.type(), QDBusMessage::ReplyMessage);
    QTest::qWait(300);
    QVERIFY(!QFile::exists(marker));

    // The set-up can tell: a call that allows starting the service does start it.
    session.send(QDBusMessage::createMethodCall("org.fcitx.Fcitx5", "/controller",
                                                "org.fcitx.Fcitx.Controller1", "Activate"));
    QTRY_VERIFY(QFile::exists(marker));

    bus.terminate();
    bus.waitForFinished();
}

QTEST_MAIN(TestWidgets)
#include "tst_platform_widgets.moc"
