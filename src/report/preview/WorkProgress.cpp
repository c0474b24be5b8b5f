#include "report/preview/WorkProgress.h"

#include <QApplication>
#include <QProgressDialog>

namespace orvel::report
{

namespace
{
int showAfterMs = 500;
} // namespace

WorkProgress::WorkProgress(QWidget* parent, const QString& title, const QString& label)
    : m_parent(parent), m_title(title), m_label(label)
{
    m_clock.start();
}

WorkProgress::~WorkProgress()
{
    delete m_dialog;
}

void WorkProgress::setShowAfter(int milliseconds)
{
    showAfterMs = milliseconds;
}

bool WorkProgress::step(int pages)
{
    if (!m_dialog && m_clock.elapsed() >= showAfterMs) {
        m_dialog = new QProgressDialog(m_parent);
        m_dialog->setObjectName(QStringLiteral("workProgress"));
        m_dialog->setWindowTitle(m_title);
        m_dialog->setCancelButtonText(QStringLiteral("취소"));
        m_dialog->setRange(0, 0); // the page total of a report in preparation is unknown
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->show();
    }
    if (m_dialog)
        m_dialog->setLabelText(m_label.arg(pages));
    // Keeps the window painted and the cancel button working.
    QApplication::processEvents();
    m_cancelled = m_cancelled || (m_dialog && m_dialog->wasCanceled());
    return !m_cancelled;
}

} // namespace orvel::report
