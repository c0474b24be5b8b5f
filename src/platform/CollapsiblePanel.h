#pragma once

// A titled panel whose content folds away under its title bar and unfolds again.

#include <QSizePolicy>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QPropertyAnimation;
class QToolButton;
class QVBoxLayout;

namespace orvel
{

/// A title bar (caption, optional extra widgets, expand/collapse button) over a content
/// area. Collapsed, only the title bar shows and the content is hidden. Give the content
/// its size, not the panel, so the panel can shrink to its title bar.
class CollapsiblePanel : public QWidget
{
    Q_OBJECT
public:
    explicit CollapsiblePanel(const QString& caption = QString(), QWidget* parent = nullptr);

    QString caption() const;
    void setCaption(const QString& caption);

    /// Adds a widget to the title bar, between the caption and the button.
    void addTitleWidget(QWidget* widget);
    /// Puts `content` into the content area, replacing (and deleting) an earlier one.
    void setContent(QWidget* content);
    QWidget* content() const { return m_content; }
    /// The layout of the content area, for building the content in place.
    QVBoxLayout* contentLayout() const { return m_contentLayout; }

    bool isExpanded() const { return m_expanded; }
    /// Expands or collapses, animating the height while the event loop runs (user input
    /// waits); when this returns the panel is in its final state and the signal has been
    /// emitted. Setting the current state again does nothing.
    void setExpanded(bool expanded);
    /// Length of the animation in milliseconds; 0 switches at once.
    void setAnimationDuration(int ms);
    int animationDuration() const { return m_duration; }

    QToolButton* toggleButton() const { return m_toggle; }

signals:
    void expanded();
    void collapsed();

private:
    void updateToggle();
    void runAnimation(bool expanding);

    QWidget* m_titleBar;
    QHBoxLayout* m_titleLayout;
    QLabel* m_caption;
    QToolButton* m_toggle;
    QWidget* m_contentArea;
    QVBoxLayout* m_contentLayout;
    QWidget* m_content = nullptr;
    QPropertyAnimation* m_animation;
    QSizePolicy::Policy m_expandedPolicy = QSizePolicy::Preferred;
    bool m_expanded = true;
    int m_duration = 150;
    int m_generation = 0;
};

} // namespace orvel
