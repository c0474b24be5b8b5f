#include "report/designer/panels/PropertyWidgets.h"

#include <QColorDialog>
#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <QScopedValueRollback>

namespace orvel::report
{

MixedSpinBox::MixedSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
{
    // Typed text counts once it is confirmed (Enter or leaving the field), not per key.
    setKeyboardTracking(false);
    // The wheel over a scrolling panel must not change values the user did not click into.
    setFocusPolicy(Qt::StrongFocus);
    setAccelerated(true);
    connect(this, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        if (m_loading || (m_mixed && v <= minimum()))
            return;
        emit edited(v, m_stepping);
    });
}

void MixedSpinBox::setup(double min, double max, double step, int decimals, const QString& suffix)
{
    QScopedValueRollback guard(m_loading, true);
    m_min = min;
    setDecimals(decimals);
    setSingleStep(step);
    setRange(min, max);
    setSuffix(suffix);
}

void MixedSpinBox::setShared(std::optional<double> value)
{
    QScopedValueRollback guard(m_loading, true);
    // Range and special text change only with the mixed state: changing them lays the
    // whole panel out again, which a refresh after every edit cannot afford.
    const bool wasMixed = m_mixed;
    m_mixed = !value;
    if (value) {
        if (wasMixed) {
            setSpecialValueText({});
            setMinimum(m_min);
        }
        if (wasMixed || textFromValue(this->value()) != textFromValue(*value))
            setValue(*value);
    } else if (!wasMixed || this->value() != minimum()) {
        // Blank: a value below the range shown as a space, which no typed number equals.
        setMinimum(m_min - singleStep());
        setSpecialValueText(QStringLiteral(" "));
        setValue(minimum());
    }
}

void MixedSpinBox::stepBy(int steps)
{
    // Stepping from blank has no value to start from.
    if (m_mixed)
        return;
    QScopedValueRollback guard(m_stepping, true);
    QDoubleSpinBox::stepBy(steps);
}

MixedCheckBox::MixedCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    connect(this, &QCheckBox::clicked, this, [this] { emit edited(isChecked()); });
}

void MixedCheckBox::setShared(std::optional<bool> checked)
{
    const QSignalBlocker block(this);
    const Qt::CheckState state = !checked   ? Qt::PartiallyChecked
                                 : *checked ? Qt::Checked
                                            : Qt::Unchecked;
    if (state == checkState() && isTristate() == !checked)
        return;
    setTristate(!checked);
    setCheckState(state);
}

void MixedCheckBox::nextCheckState()
{
    // From mixed, a click checks; it never goes back to mixed.
    const bool check = checkState() != Qt::Checked;
    setTristate(false);
    setCheckState(check ? Qt::Checked : Qt::Unchecked);
}

ColorButton::ColorButton(QWidget* parent) : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QToolButton::clicked, this, &ColorButton::pick);
    setShared(QColor());
}

void ColorButton::setShared(std::optional<QColor> color)
{
    m_color = color.value_or(QColor());
    QPixmap swatch(16, 16);
    swatch.fill(Qt::transparent);
    if (color) {
        QPainter p(&swatch);
        p.setPen(Qt::gray);
        if (color->isValid()) {
            p.setBrush(*color);
        } else {
            // No colour: an empty box crossed out.
            p.drawLine(1, 14, 14, 1);
        }
        p.drawRect(0, 0, 15, 15);
    }
    setIcon(QIcon(swatch));
    const QString text = !color             ? QStringLiteral("(여러 값)")
                         : color->isValid() ? color->name().toUpper()
                                            : QStringLiteral("없음");
    setText(text);
    setAccessibleDescription(text);
}

void ColorButton::pick()
{
    auto* dialog = new QColorDialog(m_color.isValid() ? m_color : QColor(Qt::white), this);
    dialog->setObjectName(QStringLiteral("colorDialog"));
    dialog->setWindowTitle(QStringLiteral("색 선택"));
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QColorDialog::colorSelected, this, &ColorButton::edited);
    dialog->open();
}

void setComboShared(QComboBox* combo, std::optional<int> value)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(value ? combo->findData(*value) : -1);
}

} // namespace orvel::report
