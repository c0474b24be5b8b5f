#pragma once

// Internal to preparing: the values expressions read while a row is printed.

#include "report/data/DataSource.h"
#include "report/expression/Expression.h"

#include <QDateTime>
#include <QHash>
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

/// A running SUM, COUNT, AVG, MIN or MAX of one aggregate call.
struct Accumulator {
    const Expression* expression = nullptr;
    int node = 0;
    QString function;
    int resetLevel = -1; // group level whose header starts it again; -1: the whole report
    double sum = 0, min = 0, max = 0;
    qint64 count = 0;

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
    void reset() { sum = min = max = 0, count = 0; }
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
    DataSource* data = nullptr;
    QString dataSetName;
    const QVariantList* snapshot = nullptr; // previous row, while group footers print
    int page = 1;
    int line = 1;
    QDateTime now;

    QVariant field(const QString& dataSet, const QString& name) const override
    {
        if (!data || dataSet.compare(dataSetName, Qt::CaseInsensitive) != 0)
            return {};
        auto it = m_columns.constFind(name);
        int column = it != m_columns.constEnd() ? *it : -1;
        if (it == m_columns.constEnd()) {
            column = data->fieldIndex(name);
            m_columns.insert(name, column);
        }
        if (column < 0)
            return {};
        if (snapshot)
            return column < snapshot->size() ? snapshot->at(column) : QVariant();
        return data->value(column);
    }

    std::vector<Accumulator>* accumulators = nullptr;

    QVariant aggregate(const Expression& expression, int node) const override
    {
        if (accumulators)
            for (const Accumulator& a : *accumulators)
                if (a.expression == &expression && a.node == node)
                    return a.value();
        return {};
    }

    QVariant variable(const QString& name) const override
    {
        const QString n = name.toLower();
        if (n == QLatin1String("page#"))
            return qint64(page);
        if (n == QLatin1String("totalpages#"))
            return QString(TotalPagesMark);
        if (n == QLatin1String("line#"))
            return qint64(line);
        if (n == QLatin1String("date"))
            return now.date();
        if (n == QLatin1String("time"))
            return now.time();
        if (n == QLatin1String("now"))
            return now;
        return {};
    }

private:
    mutable QHash<QString, int> m_columns;
};

} // namespace orvel::report::prepare
