#pragma once

// Fields of the property editor that can show "the selection disagrees" and report only
// the user's edits, never the values loaded into them.

#include <QCheckBox>
#include <QColor>
#include <QDoubleSpinBox>
#include <QToolButton>
#include <optional>

class QComboBox;

namespace orvel::report
{

/// A number field that shows blank when the selected objects hold different values.
class MixedSpinBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit MixedSpinBox(QWidget* parent = nullptr);

    /// Range, step, decimals and unit of the value; the blank sits one step below min.
    void setup(double min, double max, double step, int decimals, const QString& suffix = {});
    /// Shows the value, or blank for nullopt; emits nothing.
    void setShared(std::optional<double> value);
    bool isMixed() const { return m_mixed; }
    void stepBy(int steps) override;

signals:
    /// The user typed and confirmed a value, or stepped it with the arrows or wheel.
    void edited(double value, bool stepped);

private:
    double m_min = 0;
    bool m_mixed = false;
    bool m_loading = false;
    bool m_stepping = false;
};

/// A check box with a third, "mixed" state that the user cannot click back into.
class MixedCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    explicit MixedCheckBox(const QString& text, QWidget* parent = nullptr);
    /// Checks, unchecks, or shows the mixed state for nullopt; emits nothing.
    void setShared(std::optional<bool> checked);

signals:
    /// The user clicked the box (mouse or space).
    void edited(bool checked);

protected:
    void nextCheckState() override;
};

/// A button showing a colour swatch; clicking it asks for a colour in a colour dialog.
class ColorButton : public QToolButton
{
    Q_OBJECT

public:
    explicit ColorButton(QWidget* parent = nullptr);
    /// An invalid colour shows as "없음", nullopt as mixed; emits nothing.
    void setShared(std::optional<QColor> color);

signals:
    /// The user picked a colour in the dialog.
    void edited(const QColor& color);

private:
    void pick();

    QColor m_color;
};

/// Selects the item whose data is value, or none for nullopt (or an unknown value).
void setComboShared(QComboBox* combo, std::optional<int> value);

} // namespace orvel::report
