#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace orvel::report
{

/// The progress of long work on pages (preparing, exporting): a dialog with the page count
/// that shows once the work takes a moment, keeps the window responsive and lets the user
/// stop.
class WorkProgress
{
public:
    /// label holds %1 for the pages done so far.
    WorkProgress(QWidget* parent, const QString& title, const QString& label);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    /// Told the pages done so far; answers false once the user asked to stop.
    bool step(int pages);
    bool cancelled() const { return m_cancelled; }

    /// How long preparing runs before the dialog shows (tests set 0).
    static void setShowAfter(int milliseconds);

private:
    QWidget* m_parent;
    QString m_title, m_label;
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_clock;
    bool m_cancelled = false;
};

} // namespace orvel::report
