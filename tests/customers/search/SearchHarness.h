#pragma once

// A logged-in workspace over a customer table with columns of every search kind, and
// helpers that click column titles and drive the search dialog.

#include "AppHarness.h"

#include <QDate>
#include <QVariant>
#include <functional>
#include <memory>

namespace orvel
{
class CustomerWorkspace;
struct LoginContext;
class TSQLInF;
} // namespace orvel

namespace orvel::test
{

/// The columns the member's profile shows: text, small integer, date, floating point
/// and true/false, with the four duplicate keys.
QString searchColumns();

class SearchHarness
{
public:
    /// Creates the customer table (with birth date, score double, vip tinyint(1)), logs
    /// a level-8 member in with the given column profile and shows the window. With
    /// "euckr" the server sorts Hangul in dictionary order.
    explicit SearchHarness(const QString& columns = searchColumns(),
                           const QString& charset = QStringLiteral("latin1"));

    /// Inserts a customer; an invalid birth or a null tel is stored as NULL.
    void add(const QString& group, const QString& name, const QVariant& tel, int dm,
             const QDate& birth, double score, int vip, const QString& post = QStringLiteral("1"),
             const QString& address = QStringLiteral("서울"));
    /// The six customers most tests search.
    void addSample();

    CustomerWorkspace& workspace();
    LoginContext& context();
    QString table() const { return m_table; }
    /// Expands the search panel at once and picks the mode ("검색" true, "색인" false).
    void openPanel(bool searchMode);
    /// Clicks the title of the column with this field name with the mouse.
    void clickTitle(const QString& field);
    /// The "name" values of the list's rows, sorted.
    QStringList names();
    /// Values of one column of the list in row order.
    QStringList column(const QString& field);

    MemberFixture fixture;
    AppHarness app;

private:
    QString m_table;
};

/// Runs `drive` on the search dialog once it is shown modally, from the event loop.
/// Destroying the watcher stops it waiting; ran() says whether a dialog came.
class DialogWatcher
{
public:
    explicit DialogWatcher(std::function<void(TSQLInF&)> drive);
    ~DialogWatcher();
    bool ran() const { return m_state->ran; }

private:
    struct State {
        std::function<void(TSQLInF&)> drive;
        bool ran = false;
        bool stopped = false;
        int tries = 0;
    };
    static void poll(std::shared_ptr<State> state);
    std::shared_ptr<State> m_state;
};

} // namespace orvel::test
