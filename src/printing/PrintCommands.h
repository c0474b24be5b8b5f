#pragma once

// The main window's print commands: printing the list through a print form, designing
// a print form on sample rows, and opening a prepared report.

#include <QString>

namespace orvel
{

class MainServices;
class PrintFormSelector;
struct LoginContext;
class ReportObjects;

/// The template file of the selector's shown entry: "[D]" entries lie in DataDir, the
/// others in the user-forms folder (an empty name gives that folder itself).
QString printFormPath(const LoginContext& ctx, const PrintFormSelector& selector);

/// The customer page's "출력": loads the chosen form, reruns the list's statement in
/// RPTDB (nothing more when the list is not open), prepares with a progress dialog that
/// can stop it (then nothing is shown) and shows the preview. Database and report errors
/// are not caught.
void printCurrentList(MainServices& services, ReportObjects& reports,
                      const PrintFormSelector& selector);

/// "양식 디자인": the designer on the template loaded last, with the first 20 rows of the
/// customer table (the columns of the user's access level) as sample data.
void designPrintForm(MainServices& services, ReportObjects& reports);

/// The job toolbar's "출력": a prepared report (.fp3) chosen by the user, in the preview.
void openPreparedReport(MainServices& services, ReportObjects& reports);

} // namespace orvel
