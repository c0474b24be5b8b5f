#pragma once

#include <QElapsedTimer>
#include <QPointer>

class QProgressDialog;
class QWidget;

namespace orvel
{

/// The progress of preparing a long report: a dialog with the page count that shows once
/// the work takes a moment, keeps the window responsive and lets the user stop.
class PrepareProgress
{
public:
    explicit PrepareProgress(QWidget* parent);
    ~PrepareProgress();
    PrepareProgress(const PrepareProgress&) = delete;
    PrepareProgress& operator=(const PrepareProgress&) = delete;

    /// Told the pages made so far; answers false once the user asked to stop.
    bool step(int pages);
    bool cancelled() const { return m_cancelled; }

    /// How long preparing runs before the dialog shows (tests set 0).
    static void setShowAfter(int milliseconds);

private:
    QWidget* m_parent;
    QPointer<QProgressDialog> m_dialog;
    QElapsedTimer m_clock;
    bool m_cancelled = false;
};

} // namespace orvel
