#pragma once

#include "platform/CollapsiblePanel.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvel
{

class Query;

/// The collapsible entry panel ("등록"/"수정"): fifteen fields for one customer record,
/// the record number being edited in its title bar, and the save and cancel buttons.
class EntryPanel : public CollapsiblePanel
{
    Q_OBJECT
public:
    explicit EntryPanel(QWidget* parent = nullptr);

    /// The register-mode title, and the edit-mode one.
    static QString registerTitle() { return QStringLiteral("등록"); }
    static QString editTitle() { return QStringLiteral("수정"); }

    QComboBox* in1; // group, editable with the stored groups as its list
    /// The text fields in2 ... in15 (index 2 ... 15; 0 and 1 unused).
    QLineEdit* field(int number) const;
    /// The text of any field in1 ... in15.
    QString text(int number) const;
    void setText(int number, const QString& text);

    QLabel* Edit_No;
    QPushButton* saveButton;   // "저장"
    QPushButton* cancelButton; // "취소"

    /// Empties all fifteen fields and the record number.
    void clearAll();
    /// Register mode, fields reset (group, home zip code and address kept), then the
    /// group list reloaded from the customer table. Throws DbError when the query fails;
    /// the list then keeps its entries.
    void loadGroupNames(Query& query, const QString& customerTable);

private:
    std::array<QLineEdit*, 16> m_fields{};
};

} // namespace orvel
