#include "printing/catalogue/TReportListF.h"

#include "appcore/MainServices.h"
#include "data/TMainDB.h"
#include "platform/LastResort.h"
#include "printing/ReportObjects.h"
#include "printing/catalogue/SearchAndReplace.h"
#include "printing/catalogue/SqlPanel.h"
#include "report/designer/ReportDesigner.h"
#include "report/preview/FileChooser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QToolButton>

namespace orvel
{

namespace
{

const QStringList gridColumns{QStringLiteral("no"),       QStringLiteral("RL_Code"),
                              QStringLiteral("RL_Code2"), QStringLiteral("RL_Name"),
                              QStringLiteral("RL_File"),  QStringLiteral("RL_SQL")};

const QString modeNew = QStringLiteral("등록");
const QString modeChange = QStringLiteral("수정");

/// Connects a button to an action whose errors go to the handler of last resort.
template <class F> void onClick(QAbstractButton* button, QObject* context, F f)
{
    QObject::connect(button, &QAbstractButton::clicked, context, [f] { guarded(f); });
}

} // namespace

TReportListF::TReportListF(MainServices& services, QWidget* parent)
    : QDialog(parent), m_services(services)
{
    setObjectName(QStringLiteral("TReportListF"));
    setWindowTitle(QStringLiteral("양식 관리"));
    setModal(false);
    buildUi();
    readKinds();
    reloadForms();
    resetEntry();
    // The SQL panel waits for a kind to be chosen, even when the first kind is the SQL kind.
    m_sql->hide();
    setFixedHeight(NormalHeight);
    connect(this, &QDialog::finished, this, [this] {
        guarded([this] { m_services.loadPrintFormList(); });
        deleteLater();
    });
}

void TReportListF::buildUi()
{
    auto* list = new QGroupBox(QStringLiteral("양식"), this);
    list->setObjectName(QStringLiteral("FormListPanel"));
    m_grid = new QTableWidget(0, int(gridColumns.size()), list);
    m_grid->setObjectName(QStringLiteral("Grid"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("no"), QStringLiteral("RL_Code"),
                                       QStringLiteral("RL_Code2"), QStringLiteral("양식명"),
                                       QStringLiteral("양식 파일명"), QStringLiteral("RL_SQL")});
    for (int c : {0, 1, 2, 5})
        m_grid->setColumnHidden(c, true);
    m_grid->setColumnWidth(3, 167);
    m_grid->setColumnWidth(4, 193);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_edit = new QPushButton(modeChange, list);
    m_edit->setObjectName(QStringLiteral("btn_edit"));
    m_delete = new QPushButton(QStringLiteral("삭제"), list);
    m_delete->setObjectName(QStringLiteral("btn_delete"));
    auto* listLayout = new QGridLayout(list);
    listLayout->addWidget(m_grid, 0, 0, 1, 3);
    listLayout->addWidget(m_edit, 1, 1);
    listLayout->addWidget(m_delete, 1, 2);
    listLayout->setColumnStretch(0, 1);

    m_entry = new QGroupBox(modeNew, this);
    m_entry->setObjectName(QStringLiteral("EntryPanel"));
    m_kinds = new QComboBox(m_entry);
    m_kinds->setObjectName(QStringLiteral("cb_kind"));
    m_kinds->setEditable(false);
    m_name = new QLineEdit(m_entry);
    m_name->setObjectName(QStringLiteral("ed_name"));
    m_file = new QLineEdit(m_entry);
    m_file->setObjectName(QStringLiteral("ed_file"));
    m_browse = new QToolButton(m_entry);
    m_browse->setObjectName(QStringLiteral("btn_browse"));
    m_browse->setText(QStringLiteral("..."));
    m_browse->setFocusPolicy(Qt::StrongFocus);
    m_save = new QPushButton(QStringLiteral("저장 및 편집"), m_entry);
    m_save->setObjectName(QStringLiteral("btn_save"));
    m_cancel = new QPushButton(QStringLiteral("취소"), m_entry);
    m_cancel->setObjectName(QStringLiteral("btn_cancel"));
    m_no = new QLabel(m_entry);
    m_no->setObjectName(QStringLiteral("lb_no"));
    m_no->hide();
    auto* entryLayout = new QGridLayout(m_entry);
    const QList<std::pair<QString, QWidget*>> rows{{QStringLiteral("양식종류"), m_kinds},
                                                   {QStringLiteral("양식명"), m_name},
                                                   {QStringLiteral("양식파일명"), m_file}};
    for (int r = 0; r < rows.size(); ++r) {
        auto* label = new QLabel(rows[r].first, m_entry);
        label->setBuddy(rows[r].second);
        entryLayout->addWidget(label, r, 0);
        entryLayout->addWidget(rows[r].second, r, 1, 1, r == 2 ? 1 : 2);
    }
    entryLayout->addWidget(m_browse, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    entryLayout->addLayout(buttons, 3, 0, 1, 3);
    entryLayout->setRowStretch(4, 1);

    m_sql = new SqlPanel(m_services.db().Temp_Data, this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(list, 0, 0);
    layout->addWidget(m_entry, 0, 1);
    layout->addWidget(m_sql, 1, 0, 1, 2);
    layout->setRowStretch(0, 1);
    resize(760, NormalHeight);

    for (QPushButton* b : {m_edit, m_delete, m_save, m_cancel})
        b->setAutoDefault(false);
    connect(m_kinds, &QComboBox::activated, this,
            [this](int index) { guarded([this, index] { chooseKind(index); }); });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this,
            [this] { guarded([this] { editCurrent(); }); });
    onClick(m_edit, this, [this] { editCurrent(); });
    onClick(m_delete, this, [this] { deleteCurrent(); });
    onClick(m_save, this, [this] { save(); });
    onClick(m_cancel, this, [this] { resetEntry(); });
    onClick(m_browse, this, [this] { browseFile(); });
    // From the grid: Enter changes the current form, Delete deletes it.
    auto* enter =
        new QShortcut(QKeySequence(Qt::Key_Return), m_grid, nullptr, nullptr, Qt::WidgetShortcut);
    connect(enter, &QShortcut::activated, this, [this] { guarded([this] { editCurrent(); }); });
    auto* del = new QShortcut(QKeySequence::Delete, m_grid, nullptr, nullptr, Qt::WidgetShortcut);
    connect(del, &QShortcut::activated, this, [this] { guarded([this] { deleteCurrent(); }); });
    setTabOrder(m_grid, m_edit);
    setTabOrder(m_edit, m_delete);
    setTabOrder(m_delete, m_kinds);
    setTabOrder(m_kinds, m_name);
    setTabOrder(m_name, m_file);
    setTabOrder(m_file, m_browse);
    setTabOrder(m_browse, m_save);
    setTabOrder(m_save, m_cancel);
}

QString TReportListF::heldNo() const
{
    return m_no->text();
}

QString TReportListF::mode() const
{
    return m_entry->title();
}

void TReportListF::readKinds()
{
    Query& q = m_services.db().Temp_Data;
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("select RL_Code, RL_Code2, RL_Name, RL_SQL from RPTList"));
    q.addLine(QStringLiteral("where RL_Code <> :a1"));
    q.addLine(QStringLiteral("order by RL_Name"));
    q.setParam(QStringLiteral(":a1"), 0);
    q.open();
    m_kinds->clear();
    m_kindCodes.clear();
    m_kindStatements.clear();
    for (q.first(); !q.eof(); q.next()) {
        m_kinds->addItem(q.fieldAsString(QStringLiteral("RL_Name")));
        m_kindCodes << q.fieldAsString(QStringLiteral("RL_Code"));
        m_kindStatements << q.fieldAsString(QStringLiteral("RL_SQL"));
    }
    q.close();
    m_kinds->setCurrentIndex(m_kindCodes.isEmpty() ? -1 : 0);
}

QString TReportListF::currentKindCode() const
{
    const int index = m_kinds->currentIndex();
    return index >= 0 && index < m_kindCodes.size() ? m_kindCodes.at(index) : QString();
}

void TReportListF::chooseKind(int index)
{
    // The hidden lists follow the kind list by position.
    if (m_kinds->currentIndex() != index)
        m_kinds->setCurrentIndex(index);
    reloadForms();
}

void TReportListF::reloadForms()
{
    m_grid->setRowCount(0);
    try {
        Query& q = m_services.db().RPTListDB;
        q.close();
        q.clearSql();
        q.addLine(QStringLiteral("select no, RL_Code, RL_Code2, RL_Name, RL_File, RL_SQL"));
        q.addLine(QStringLiteral("from RPTList"));
        q.addLine(QStringLiteral("where RL_Code2 = :a1"));
        q.addLine(QStringLiteral("Order by RL_Name"));
        q.setParam(QStringLiteral(":a1"), currentKindCode().toInt());
        q.open();
        m_grid->setRowCount(q.rowCount());
        for (int r = 0; r < q.rowCount(); ++r)
            for (int c = 0; c < gridColumns.size(); ++c)
                m_grid->setItem(r, c,
                                new QTableWidgetItem(q.text(r, q.columnIndex(gridColumns[c]))));
    } catch (...) {
        // The list stays empty; nothing is reported.
    }
    const bool sqlKind = currentKindCode().toInt() == SqlKind;
    if (sqlKind)
        m_sql->clearChoice();
    m_sql->setVisible(sqlKind);
    setFixedHeight(sqlKind ? SqlHeight : NormalHeight);
}

void TReportListF::resetEntry()
{
    m_name->clear();
    m_file->clear();
    m_no->clear();
    m_sql->setStatement({});
    m_entry->setTitle(modeNew);
    m_kinds->setEnabled(true);
}

QString TReportListF::cell(int row, const QString& column) const
{
    const QTableWidgetItem* item = m_grid->item(row, int(gridColumns.indexOf(column)));
    return item ? item->text() : QString();
}

void TReportListF::editCurrent()
{
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    m_entry->setTitle(modeChange);
    m_no->setText(cell(row, QStringLiteral("no")));
    m_kinds->setEnabled(false);
    m_name->setText(cell(row, QStringLiteral("RL_Name")));
    m_file->setText(cell(row, QStringLiteral("RL_File")));
    m_sql->setStatement(cell(row, QStringLiteral("RL_SQL")));
}

void TReportListF::browseFile()
{
    // The dialog starts in the working folder, so the data folder is made that for a moment.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_services.context().DataDir);
    const QString path = report::FileChooser::openFile(this, QStringLiteral("양식 파일"),
                                                       QStringLiteral("양식 (*.fr3)"));
    QDir::setCurrent(previous);
    if (!path.isEmpty())
        m_file->setText(path);
}

void TReportListF::save()
{
    const int row = m_grid->currentRow();
    const QString question = m_kinds->currentText() + QStringLiteral("의 ") + m_name->text() +
                             QStringLiteral("을(를) 저장 하시겠습니까?");
    if (m_services.msgDlg(question, 2) == 1) {
        const QString fileName = QFileInfo(m_file->text()).fileName();
        m_file->setText(fileName);
        const bool sqlKind = currentKindCode().toInt() == SqlKind;
        const int kindIndex = m_kinds->currentIndex();
        const QString statement = sqlKind ? m_sql->statement()
                                  : kindIndex >= 0 && kindIndex < m_kindStatements.size()
                                      ? m_kindStatements.at(kindIndex)
                                      : QString();
        Query& q = m_services.db().Temp_Data;
        q.close();
        q.clearSql();
        if (mode() == modeNew) {
            q.addLine(QStringLiteral("insert into RPTList (RL_Code, RL_Code2, RL_Name, RL_File, "
                                     "RL_SQL)"));
            q.addLine(QStringLiteral("values (:a1, :a2, :a3, :a4, :a5)"));
            q.setParam(QStringLiteral(":a1"), 0);
            q.setParam(QStringLiteral(":a2"), currentKindCode().toInt());
            q.setParam(QStringLiteral(":a3"), m_name->text());
            q.setParam(QStringLiteral(":a4"), fileName);
            q.setParam(QStringLiteral(":a5"), statement);
        } else {
            q.addLine(QStringLiteral("update RPTList set RL_Name = :a1, RL_File = :a2, "
                                     "RL_SQL = :a3"));
            q.addLine(QStringLiteral("where no = :a4"));
            q.setParam(QStringLiteral(":a1"), m_name->text());
            q.setParam(QStringLiteral(":a2"), fileName);
            q.setParam(QStringLiteral(":a3"), statement);
            q.setParam(QStringLiteral(":a4"), heldNo().toLongLong());
        }
        q.exec();
        prepareDesignData(sqlKind ? SearchAndReplace(m_sql->statement(), QStringLiteral("&"), {})
                                  : m_services.context().CatalogueSelect);
        openTemplate(fileName);
        ReportObjects& reports = m_services.reports();
        reports.bindRptdb();
        report::showDesigner(reports.TR_View, this, reports.TR_Edit);
    }
    reloadForms();
    returnToRow(row);
    resetEntry();
}

void TReportListF::prepareDesignData(const QString& statement)
{
    Query& rptdb = m_services.db().RPTDB;
    rptdb.close();
    rptdb.setSql(statement);
    rptdb.open();
}

void TReportListF::openTemplate(const QString& fileName)
{
    const QString path = m_services.context().DataDir + fileName;
    report::Report& view = m_services.reports().TR_View;
    if (!view.loadTemplate(path)) {
        // A new form starts from an empty template of its own.
        view.saveTemplate(path);
        view.loadTemplate(path);
    }
}

void TReportListF::returnToRow(int row)
{
    if (row >= 0 && row < m_grid->rowCount())
        m_grid->setCurrentCell(row, 3);
}

void TReportListF::deleteCurrent()
{
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    if (m_services.msgDlg(
            cell(row, QStringLiteral("RL_Name")) + QStringLiteral(" 양식을 하시겠습니까?"), 2) != 1)
        return;
    Query& q = m_services.db().Temp_Data;
    q.close();
    q.clearSql();
    q.addLine(QStringLiteral("delete from RPTList where no = :a1"));
    q.setParam(QStringLiteral(":a1"), cell(row, QStringLiteral("no")).toLongLong());
    q.exec();
    reloadForms();
    returnToRow(row);
    m_services.msgDlg(QStringLiteral("정상적으로 삭제 되었습니다."), 0);
}

void showCatalogue(MainServices& services, QPointer<TReportListF>& single)
{
    LoginContext& ctx = services.context();
    ctx.CatalogueSelect = ctx.ListSelect;
    // A catalogue closed but not yet destroyed counts as gone.
    if (single && !single->isVisible()) {
        single->deleteLater();
        single = nullptr;
    }
    if (!single) {
        single = new TReportListF(services, services.window());
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = single->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            single->move(frame.topLeft());
        }
    }
    single->show();
    single->raise();
    single->activateWindow();
}

} // namespace orvel
