#include "platform/PrintJobs.h"

#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>

#if defined(ORVEL_HAVE_CUPS)
#include <cups/cups.h>
#endif

namespace orvel
{

#if defined(ORVEL_HAVE_CUPS)
namespace
{
// Qt's CUPS print engine takes extra job options (name, value, ...) under this key, which
// Qt keeps among its private headers; the value has not changed since Qt 5.
const auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Cancels this user's held jobs of the given title on the printer (the one just sent).
bool cancelHeldJobs(const QString& printer, const QString& title)
{
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 1, CUPS_WHICHJOBS_ACTIVE);
    bool found = false;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].state == IPP_JSTATE_HELD && jobs[i].title &&
            QString::fromLocal8Bit(jobs[i].title) == title) {
            cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), jobs[i].id, 1);
            found = true;
        }
    }
    cupsFreeJobs(count, jobs);
    return found;
}
} // namespace
#endif

bool PrintJobs::abandon(QPrinter* printer, QPainter* painter)
{
    if (printer->abort()) {
        painter->end();
        return true;
    }
#if defined(ORVEL_HAVE_CUPS)
    if (printer->outputFormat() == QPrinter::NativeFormat && printer->printEngine()) {
        const QString title = printer->docName();
        QPrintEngine* engine = printer->printEngine();
        QStringList options = engine->property(CupsOptionsKey).toStringList();
        options << QStringLiteral("job-hold-until") << QStringLiteral("indefinite");
        engine->setProperty(CupsOptionsKey, options);
        painter->end();
        return cancelHeldJobs(printer->printerName(), title);
    }
#endif
    painter->end();
    return false;
}

} // namespace orvel
