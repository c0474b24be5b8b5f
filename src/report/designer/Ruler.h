#pragma once

#include <QWidget>

namespace orvel::report
{

class DesignView;

/// A ruler in millimetres along one edge of the design view, counted from the paper's
/// top-left corner; it follows the view's zoom and scrolling.
class Ruler : public QWidget
{
    Q_OBJECT

public:
    Ruler(Qt::Orientation orientation, DesignView* view, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
    DesignView* m_view;
};

} // namespace orvel::report
