#include "printing/PrepareProgress.h"

#include <QApplication>
#include <QProgressDialog>

namespace orvel
{

namespace
{
int showAfterMs = 500;
} // namespace

PrepareProgress::PrepareProgress(QWidget* parent) : m_parent(parent)
{
    m_clock.start();
}

PrepareProgress::~PrepareProgress()
{
    delete m_dialog;
}

void PrepareProgress::setShowAfter(int milliseconds)
{
    showAfterMs = milliseconds;
}

bool PrepareProgress::step(int pages)
{
    if (!m_dialog && m_clock.elapsed() >= showAfterMs) {
        m_dialog = new QProgressDialog(m_parent);
        m_dialog->setObjectName(QStringLiteral("prepareProgress"));
        m_dialog->setWindowTitle(QStringLiteral("출력 준비"));
        m_dialog->setCancelButtonText(QStringLiteral("취소"));
        m_dialog->setRange(0, 0); // the page total is not known before the end
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->show();
    }
    if (m_dialog)
        m_dialog->setLabelText(QStringLiteral("%1쪽 준비하는 중입니다...").arg(pages));
    // Keeps the window painted and the cancel button working.
    QApplication::processEvents();
    m_cancelled = m_cancelled || (m_dialog && m_dialog->wasCanceled());
    return !m_cancelled;
}

} // namespace orvel
