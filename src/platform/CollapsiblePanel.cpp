#include "platform/CollapsiblePanel.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPropertyAnimation>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvel
{

CollapsiblePanel::CollapsiblePanel(const QString& caption, QWidget* parent)
    : QWidget(parent), m_titleBar(new QWidget(this)), m_titleLayout(new QHBoxLayout(m_titleBar)),
      m_caption(new QLabel(caption, m_titleBar)), m_toggle(new QToolButton(m_titleBar)),
      m_contentArea(new QWidget(this)), m_contentLayout(new QVBoxLayout(m_contentArea)),
      m_animation(new QPropertyAnimation(m_contentArea, "maximumHeight", this))
{
    m_titleBar->setObjectName(QStringLiteral("titleBar"));
    m_caption->setObjectName(QStringLiteral("captionLabel"));
    m_toggle->setObjectName(QStringLiteral("toggleButton"));
    m_contentArea->setObjectName(QStringLiteral("contentArea"));

    m_titleLayout->setContentsMargins(6, 2, 2, 2);
    m_titleLayout->addWidget(m_caption);
    m_titleLayout->addStretch(1);
    m_titleLayout->addWidget(m_toggle);

    m_toggle->setAutoRaise(true);
    m_toggle->setFocusPolicy(Qt::StrongFocus);
    connect(m_toggle, &QToolButton::clicked, this, [this] { setExpanded(!m_expanded); });

    m_contentLayout->setContentsMargins(0, 0, 0, 0);
    // The area may be squeezed below its content's minimum while it folds away.
    m_contentLayout->setSizeConstraint(QLayout::SetNoConstraint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_titleBar);
    layout->addWidget(m_contentArea);

    m_animation->setEasingCurve(QEasingCurve::InOutQuad);
    updateToggle();
}

QString CollapsiblePanel::caption() const
{
    return m_caption->text();
}

void CollapsiblePanel::setCaption(const QString& caption)
{
    m_caption->setText(caption);
    updateToggle();
}

void CollapsiblePanel::addTitleWidget(QWidget* widget)
{
    // Extra widgets sit after the caption's stretch, just before the button.
    m_titleLayout->insertWidget(m_titleLayout->indexOf(m_toggle), widget);
}

void CollapsiblePanel::setContent(QWidget* content)
{
    if (content == m_content)
        return;
    if (m_content)
        delete m_content;
    m_content = content;
    if (content)
        m_contentLayout->addWidget(content);
}

void CollapsiblePanel::setAnimationDuration(int ms)
{
    m_duration = qMax(0, ms);
}

void CollapsiblePanel::setExpanded(bool expand)
{
    if (expand == m_expanded)
        return;
    m_expanded = expand;
    const int generation = ++m_generation;
    updateToggle();

    if (expand) {
        QSizePolicy policy = sizePolicy();
        policy.setVerticalPolicy(m_expandedPolicy);
        setSizePolicy(policy);
        m_contentArea->setVisible(true);
    }

    QPointer<CollapsiblePanel> self(this);
    runAnimation(expand);
    // Destroyed meanwhile, or a newer call has taken over and finishes the job.
    if (!self || generation != m_generation)
        return;

    m_contentArea->setMaximumHeight(QWIDGETSIZE_MAX);
    if (expand) {
        emit expanded();
    } else {
        m_contentArea->setVisible(false);
        // Collapsed, the panel keeps to its title bar's height in any layout.
        QSizePolicy policy = sizePolicy();
        m_expandedPolicy = policy.verticalPolicy();
        policy.setVerticalPolicy(QSizePolicy::Fixed);
        setSizePolicy(policy);
        emit collapsed();
    }
}

void CollapsiblePanel::runAnimation(bool expanding)
{
    m_animation->stop();
    if (m_duration == 0 || !isVisible())
        return;

    const int full = qMax(m_contentArea->sizeHint().height(), m_contentArea->minimumHeight());
    const int current = m_contentArea->isVisible() ? m_contentArea->height() : 0;
    m_animation->setDuration(m_duration);
    m_animation->setStartValue(expanding ? 0 : current);
    m_animation->setEndValue(expanding ? full : 0);

    QEventLoop loop;
    connect(m_animation, &QAbstractAnimation::finished, &loop, &QEventLoop::quit);
    connect(m_animation, &QAbstractAnimation::stateChanged, &loop,
            [&loop](QAbstractAnimation::State now) {
                if (now == QAbstractAnimation::Stopped)
                    loop.quit();
            });
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    m_animation->start();
    // Timers and painting go on (the keep-alive among them); user input waits.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void CollapsiblePanel::updateToggle()
{
    m_toggle->setArrowType(m_expanded ? Qt::UpArrow : Qt::DownArrow);
    m_toggle->setAccessibleName(caption());
    m_toggle->setToolTip(caption());
    m_toggle->setAccessibleDescription(m_expanded ? QStringLiteral("접기")
                                                  : QStringLiteral("펼치기"));
}

} // namespace orvel
