#include "SearchHarness.h"

#include "app/TMainF.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "customers/FindPanel.h"
#include "customers/search/TSQLInF.h"
#include "data/TMainDB.h"

#include <QHeaderView>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace orvel::test
{

QString searchColumns()
{
    return QStringLiteral(
        "no,group_name,name,home_post,home_address,home_tel,DM_Check,birth,score,vip");
}

SearchHarness::SearchHarness(const QString& columns, const QString& charset) : fixture(charset)
{
    m_table = fixture.customers.name() + QStringLiteral("_kim");
    fixture.customers.exec(
        QStringLiteral("create table `%1` (no int(20) not null auto_increment primary key, "
                       "UserID char(50) default 'kim', group_name char(100), name char(20) not "
                       "null, home_post char(7), home_address char(255), home_tel char(20), "
                       "DM_Check smallint(6) default '1', birth date, score double, vip "
                       "tinyint(1))")
            .arg(m_table));
    fixture.addMember(QStringLiteral("kim"), QStringLiteral("pw"), QStringLiteral("홍길동"), 8,
                      QStringLiteral("영업"));
    fixture.addProfile(QStringLiteral("영업"), QStringLiteral("-"), columns);
    app.start(fixture.deployment());
    app.window().resize(1400, 800);
    app.window().show();
    app.login(QStringLiteral("kim"), QStringLiteral("pw"));
}

void SearchHarness::add(const QString& group, const QString& name, const QVariant& tel, int dm,
                        const QDate& birth, double score, int vip, const QString& post,
                        const QString& address)
{
    auto text = [](const QString& s) {
        QString e = s;
        e.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        e.replace(QLatin1Char('\''), QLatin1String("\\'"));
        return QLatin1Char('\'') + e + QLatin1Char('\'');
    };
    fixture.customers.exec(
        QStringLiteral("insert into `%1` (group_name, name, home_tel, DM_Check, birth, score, "
                       "vip, home_post, home_address) values (%2, %3, %4, %5, %6, %7, %8, %9, %10)")
            .arg(m_table, text(group), text(name),
                 tel.isNull() ? QStringLiteral("NULL") : text(tel.toString()), QString::number(dm),
                 birth.isValid() ? text(birth.toString(Qt::ISODate)) : QStringLiteral("NULL"),
                 QString::number(score), QString::number(vip), text(post))
            .arg(text(address)));
}

void SearchHarness::addSample()
{
    add(QStringLiteral("친구"), QStringLiteral("김철수"), QStringLiteral("02-111"), 1,
        QDate(1980, 1, 5), 1.5, 1);
    add(QStringLiteral("친구"), QStringLiteral("김영희"), QStringLiteral("02-222"), 0,
        QDate(1990, 6, 15), 2.5, 0);
    add(QStringLiteral("친구"), QStringLiteral("박김치"), QStringLiteral("02-111"), 1,
        QDate(1995, 3, 1), 0, 0);
    add(QStringLiteral("회사"), QStringLiteral("이민호"), QVariant(), 1, QDate(2000, 12, 31), 10,
        0);
    add(QStringLiteral("회사"), QStringLiteral("O'Brien"), QStringLiteral("031-1"), 2, QDate(), 0,
        1);
    add(QStringLiteral("회사"), QStringLiteral("a:a1b"), QStringLiteral("031-2"), 1, QDate(), 0.5,
        0);
    app.window().refreshCustomerList();
}

CustomerWorkspace& SearchHarness::workspace()
{
    return *app.window().workspace();
}

LoginContext& SearchHarness::context()
{
    return app.window().context();
}

void SearchHarness::openPanel(bool searchMode)
{
    FindPanel* panel = workspace().findPanel();
    panel->setAnimationDuration(0);
    if (!panel->isExpanded())
        QTest::mouseClick(panel->toggleButton(), Qt::LeftButton);
    QVERIFY(panel->isExpanded());
    QTest::mouseClick(searchMode ? panel->searchMode : panel->indexMode, Qt::LeftButton);
    QCOMPARE(panel->isSearchMode(), searchMode);
}

void SearchHarness::clickTitle(const QString& field)
{
    CustomerGridModel* model = workspace().gridModel();
    QHeaderView* header = workspace().grid()->horizontalHeader();
    int column = -1;
    for (int c = 0; c < model->columnCount(); ++c) {
        if (model->fieldName(c) == field)
            column = c;
    }
    QVERIFY2(column >= 0, qPrintable(QStringLiteral("no column ") + field));
    header->setOffsetToSectionPosition(header->visualIndex(column));
    const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

QStringList SearchHarness::column(const QString& field)
{
    QStringList values;
    Query& list = app.db().GoDB;
    if (!list.isOpen())
        return {QStringLiteral("<closed>")};
    const int c = list.columnIndex(field);
    for (int row = 0; row < list.rowCount(); ++row)
        values.append(list.text(row, c));
    return values;
}

QStringList SearchHarness::names()
{
    QStringList n = column(QStringLiteral("name"));
    n.sort();
    return n;
}

DialogWatcher::DialogWatcher(std::function<void(TSQLInF&)> drive)
    : m_state(std::make_shared<State>())
{
    m_state->drive = std::move(drive);
    poll(m_state);
}

DialogWatcher::~DialogWatcher()
{
    m_state->stopped = true;
}

void DialogWatcher::poll(std::shared_ptr<State> state)
{
    QTimer::singleShot(10, [state] {
        if (state->stopped || state->ran)
            return;
        auto* dialog = qobject_cast<TSQLInF*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            if (++state->tries < 500)
                poll(state);
            return;
        }
        state->ran = true;
        state->drive(*dialog);
        // A drive that left the dialog open would block the test; close it.
        if (dialog->isVisible())
            dialog->reject();
    });
}

} // namespace orvel::test
