#pragma once

#include <QDialog>
#include <QPointer>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace orvel
{

class MainServices;
class SqlPanel;

/// The print-form catalogue "양식 관리": lists the forms of a kind from RPTList and
/// registers, changes, deletes and designs them.
class TReportListF : public QDialog
{
    Q_OBJECT

public:
    /// The code of the kind whose forms are designed on a statement of the SQL panel.
    static constexpr int SqlKind = 99;
    static constexpr int NormalHeight = 289;
    static constexpr int SqlHeight = 466;

    /// Reads the kinds (database errors are not caught) and shows the first kind's forms.
    explicit TReportListF(MainServices& services, QWidget* parent = nullptr);

    /// The hidden lists beside the kind list: codes (RL_Code) and statements (RL_SQL).
    const QStringList& kindCodes() const { return m_kindCodes; }
    const QStringList& kindStatements() const { return m_kindStatements; }
    /// The no of the form being changed, "" in mode "등록".
    QString heldNo() const;
    /// The entry panel's mode, "등록" or "수정".
    QString mode() const;

    QComboBox* kindList() const { return m_kinds; }
    QTableWidget* grid() const { return m_grid; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* fileEdit() const { return m_file; }
    SqlPanel* sqlPanel() const { return m_sql; }

    /// The actions behind the buttons; errors are not caught.
    void chooseKind(int index);
    void reloadForms();
    void resetEntry();
    void editCurrent();
    void save();
    void deleteCurrent();
    void browseFile();

private:
    void buildUi();
    void readKinds();
    QString currentKindCode() const;
    QString cell(int row, const QString& column) const;
    void returnToRow(int row);
    void prepareDesignData(const QString& statement);
    void openTemplate(const QString& fileName);

    MainServices& m_services;
    QStringList m_kindCodes;
    QStringList m_kindStatements;
    QTableWidget* m_grid = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QGroupBox* m_entry = nullptr;
    QComboBox* m_kinds = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_file = nullptr;
    QToolButton* m_browse = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_no = nullptr;
    SqlPanel* m_sql = nullptr;
};

/// The catalogue command: copies ListSelect into CatalogueSelect, then brings the open
/// catalogue to the front or creates one (modeless, centred on the screen).
void showCatalogue(MainServices& services, QPointer<TReportListF>& single);

} // namespace orvel
