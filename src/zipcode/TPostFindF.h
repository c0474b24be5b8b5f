#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace orvel
{

class MainServices;
class ZipResultModel;

/// The zip-code lookup dialog: searches the zip-code directory by a place name, lets the
/// user pick a row and add a detail address and a lot number.
class TPostFindF : public QDialog
{
    Q_OBJECT
public:
    explicit TPostFindF(MainServices& services, QWidget* parent = nullptr);

    /// Back to the search page with everything emptied; Hangul input on.
    void reset();
    /// Searches for the text of find_name; a failure ends the dialog cancelled.
    void search();
    /// Takes the result grid's current row as the chosen zip code and base address.
    void chooseRow();

    /// The chosen zip code (the text of find_0).
    QString zipCode() const;
    /// The address composed from the base address, the detail and the lot number.
    QString address() const;

    QStackedWidget* zip_back;
    QWidget* Find1;
    QWidget* Find2;
    QLineEdit* find_name;
    QPushButton* btn_s;
    QPushButton* btn_c;
    QGroupBox* f_panel;
    QTableView* resultGrid;
    QLabel* find_0;
    QLabel* find_1;
    QLineEdit* find_2;
    QComboBox* find_5;
    QPushButton* btn_ok;
    QPushButton* btn_cancel;
    QPushButton* btn_first;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSearchPage();
    QWidget* buildResultPage();
    void hideUnusedColumns();

    MainServices& m_services;
    ZipResultModel* m_model;
};

} // namespace orvel
