#pragma once

#include <QWidget>

class QComboBox;
class QListWidget;
class QToolButton;

namespace orvel
{

class MainServices;

/// The print-form bar of the customer page: the "양식 종류" selector, its hidden list of
/// template file names, and the print button.
class PrintFormSelector : public QWidget
{
    Q_OBJECT
public:
    explicit PrintFormSelector(QWidget* parent = nullptr);

    QComboBox* forms() const { return m_forms; }
    /// File names paired by position with the selector's entries (never shown).
    QListWidget* files() const { return m_files; }
    QToolButton* printButton() const { return m_print; }

    /// Refills the selector from the member directory's catalogue rows of kind 1 and the
    /// templates in the user-forms folder. Throws DbError when the catalogue cannot be read.
    void loadPrintFormList(MainServices& services);

private:
    QComboBox* m_forms;
    QListWidget* m_files;
    QToolButton* m_print;
};

} // namespace orvel
