#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace orvel
{

/// The pick list of in-cell entry: an editable list of the values a column already
/// holds; the user picks one or types a new one.
class TInputF : public QDialog
{
    Q_OBJECT
public:
    TInputF(const QString& columnTitle, const QStringList& values, QWidget* parent = nullptr);

    /// The text to put into the cell: the typed or picked text without leading and
    /// trailing blanks and control characters.
    QString value() const;

    QComboBox* input_text;
    QPushButton* btn_ok;
    QPushButton* btn_cancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace orvel
