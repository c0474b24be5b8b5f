#include "printing/PrintCommands.h"

#include "appcore/MainServices.h"
#include "data/TMainDB.h"
#include "printing/PrintFormSelector.h"
#include "printing/ReportObjects.h"
#include "report/designer/ReportDesigner.h"
#include "report/preview/FileChooser.h"
#include "report/preview/PreviewWindow.h"
#include "report/preview/WorkProgress.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>

namespace orvel
{

QString printFormPath(const LoginContext& ctx, const PrintFormSelector& selector)
{
    const int index = selector.forms()->currentIndex();
    const QString file = index >= 0 && index < selector.files()->count()
                             ? selector.files()->item(index)->text()
                             : QString();
    if (selector.forms()->currentText().left(3) == QLatin1String("[D]"))
        return ctx.DataDir + file;
    return ctx.ProgramDir + QStringLiteral("Orvel_User") + QDir::separator() + file;
}

void printCurrentList(MainServices& services, ReportObjects& reports,
                      const PrintFormSelector& selector)
{
    reports.TR_View.loadTemplate(printFormPath(services.context(), selector));
    TMainDB& db = services.db();
    if (!db.GoDB.isOpen())
        return;
    // The list's statement runs again, so the report gets exactly the grid's rows.
    db.RPTDB.close();
    db.RPTDB.copyStatementFrom(db.GoDB);
    db.RPTDB.open();
    reports.bindRptdb();
    {
        report::WorkProgress progress(services.window(), QStringLiteral("출력 준비"),
                                      QStringLiteral("%1쪽 준비하는 중입니다..."));
        try {
            reports.TR_View.prepare([&progress](int pages) { return progress.step(pages); });
        } catch (const report::ReportCancelled&) {
            return; // stopped by the user: no preview of half a report
        }
        if (progress.cancelled()) {
            // Stopped while the last page was made: the user asked for no preview.
            reports.TR_View.prepared().clear();
            return;
        }
    } // the progress dialog closes before the preview opens
    report::PreviewWindow::showPreview(reports.TR_View, services.window());
}

void designPrintForm(MainServices& services, ReportObjects& reports)
{
    TMainDB& db = services.db();
    db.RPTDB.close();
    db.RPTDB.setSql(services.context().ListSelect + QStringLiteral(" limit 0,20"));
    db.RPTDB.open();
    reports.bindRptdb();
    report::showDesigner(reports.TR_View, services.window(), reports.TR_Edit);
}

void openPreparedReport(MainServices& services, ReportObjects& reports)
{
    const QString path = report::FileChooser::openFile(services.window(), QStringLiteral("열기"),
                                                       QStringLiteral("레포트 [*.fp3] (*.fp3)"));
    if (path.isEmpty())
        return;
    reports.TR_View.loadPrepared(path);
    report::PreviewWindow::showPreview(reports.TR_View, services.window(), true, true);
}

} // namespace orvel
