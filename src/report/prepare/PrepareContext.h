#pragma once

// Internal to preparing: the values expressions read while a row is printed.

#include "report/data/DataSource.h"
#include "report/expression/Expression.h"

#include <QDateTime>
#include <QHash>
#include <algorithm>
#include <functional>
#include <vector>

namespace orvel::report::prepare
{

inline const QChar TotalPagesMark(0xE000); // stands for the page total until it is known

struct PageLimit {
    QString message;
};

/// Thrown when the progress callback asks to stop.
struct PrepareCancelled {
};

/// Told the number of pages made so far, each time a page is started; false stops.
using PrepareProgress = std::function<bool(int pages)>;

/// The reset level of aggregates in page footers: they count the rows of each page.
inline constexpr int PageScope = -2;

/// A running SUM, COUNT, AVG, MIN or MAX of one aggregate call.
struct Accumulator {
    const Expression* expression = nullptr;
    int node = 0;
    QString function;
    int resetLevel = -1;        // group level whose header starts it again; -1: the whole report
    const void* feed = nullptr; // the data band whose rows it counts; nullptr: the masters
    double sum = 0, min = 0, max = 0;
    qint64 count = 0;
    int page = 0; // with PageScope: the page its rows are on

    /// Whether a row of a data band counts: the band the call names, else the feed.
    bool counts(const void* band, bool master, const QString& bandName) const
    {
        const QString named = expression->aggregateBand(node);
        if (!named.isEmpty())
            return named.compare(bandName, Qt::CaseInsensitive) == 0;
        return feed == band || (!feed && master);
    }
    /// A running total (option 2) goes on over groups and pages.
    bool running() const { return expression->aggregateOptions(node) & 2; }
    void add(const QVariant& v, int onPage)
    {
        if (resetLevel == PageScope && onPage != page && !running()) {
            reset();
            page = onPage;
        }
        add(v);
    }
    void add(const QVariant& v)
    {
        if (function == QLatin1String("count")) {
            count += v.isValid() ? 1 : 0;
            return;
        }
        bool ok = false;
        const double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok)
                                                          : v.toDouble(&ok);
        if (!ok || !v.isValid())
            return;
        min = count == 0 ? d : std::min(min, d);
        max = count == 0 ? d : std::max(max, d);
        sum += d;
        ++count;
    }
    void reset()
    {
        if (!running())
            sum = min = max = 0, count = 0;
    }
    /// The value printed on a page: a page's total starts empty on each page.
    QVariant value(int onPage) const
    {
        if (resetLevel == PageScope && onPage != page && !running())
            return Accumulator{expression, node, function}.value();
        return value();
    }
    QVariant value() const
    {
        if (function == QLatin1String("count"))
            return count;
        if (function == QLatin1String("avg"))
            return count ? sum / count : 0.0;
        if (function == QLatin1String("min"))
            return min;
        if (function == QLatin1String("max"))
            return max;
        return sum;
    }
};

/// Expression values of the row being printed.
class RowContext : public ExpressionContext
{
public:
    const QVariantList* snapshot = nullptr; // previous row of snapshotOf, while group
    DataSource* snapshotOf = nullptr;       // footers print
    int page = 1;
    int line = 1;        // [Line]: the row within the data band's current group
    int runningLine = 1; // [Line#]: the row within the data band, over its groups
    int totalPages = 0;  // once known (a second pass); until then texts hold the mark
    QString copyName;    // [CopyName#]: empty for a single copy
    QDateTime now;
    std::vector<Accumulator>* accumulators = nullptr;

    /// Binds a data set name (ignoring case); a later binding of the same name wins.
    void bind(const QString& name, DataSource* source)
    {
        for (auto& [n, s] : m_sources)
            if (n.compare(name, Qt::CaseInsensitive) == 0) {
                s = source;
                return;
            }
        m_sources.emplace_back(name, source);
    }
    DataSource* source(const QString& name) const
    {
        for (const auto& [n, s] : m_sources)
            if (n.compare(name, Qt::CaseInsensitive) == 0)
                return s;
        return nullptr;
    }
    QString nameOf(const DataSource* source) const
    {
        for (const auto& [n, s] : m_sources)
            if (s == source)
                return n;
        return {};
    }

    /// Data sources whose rows a data band is going through: a band nested in it must not
    /// move their cursor.
    std::vector<const DataSource*> busy;
    bool isBusy(const DataSource* source) const
    {
        return std::find(busy.begin(), busy.end(), source) != busy.end();
    }

    QVariant field(const QString& dataSet, const QString& name) const override
    {
        DataSource* data = source(dataSet);
        if (!data)
            return {};
        const std::pair<const DataSource*, QString> key(data, name);
        auto it = m_columns.constFind(key);
        int column = it != m_columns.constEnd() ? *it : -1;
        if (it == m_columns.constEnd()) {
            column = data->fieldIndex(name);
            m_columns.insert(key, column);
        }
        if (column < 0)
            return {};
        if (snapshot && data == snapshotOf)
            return column < snapshot->size() ? snapshot->at(column) : QVariant();
        return data->value(column);
    }

    QVariant aggregate(const Expression& expression, int node) const override
    {
        if (accumulators)
            for (const Accumulator& a : *accumulators)
                if (a.expression == &expression && a.node == node)
                    return a.value(page);
        return {};
    }

    QVariant variable(const QString& name) const override
    {
        const QString n = name.toLower();
        if (n == QLatin1String("page#"))
            return qint64(page);
        if (n == QLatin1String("totalpages#"))
            return totalPages > 0 ? QVariant(qint64(totalPages))
                                  : QVariant(QString(TotalPagesMark));
        if (n == QLatin1String("line"))
            return qint64(line);
        if (n == QLatin1String("line#"))
            return qint64(runningLine);
        if (n == QLatin1String("copyname#"))
            return copyName;
        if (n == QLatin1String("date"))
            return now.date();
        if (n == QLatin1String("time"))
            return now.time();
        if (n == QLatin1String("now"))
            return now;
        return {};
    }

private:
    std::vector<std::pair<QString, DataSource*>> m_sources;
    mutable QHash<std::pair<const DataSource*, QString>, int> m_columns;
};

} // namespace orvel::report::prepare
