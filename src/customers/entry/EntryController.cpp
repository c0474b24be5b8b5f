#include "customers/entry/EntryController.h"

#include "appcore/MainServices.h"
#include "customers/CustomerGrid.h"
#include "customers/CustomerGridModel.h"
#include "customers/CustomerWorkspace.h"
#include "customers/EntryPanel.h"
#include "customers/entry/EntryStatements.h"
#include "customers/entry/GridEntry.h"
#include "data/TMainDB.h"
#include "platform/LastResort.h"
#include "zipcode/RunZipLookup.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orvel
{

namespace
{

const QString kNoRecords = QStringLiteral("등록된 자료가 없습니다.");

} // namespace

EntryController::EntryController(MainServices& services, CustomerWorkspace& workspace)
    : QObject(&workspace), m_services(services), m_workspace(workspace),
      m_panel(*workspace.entryPanel()), m_gridEntry(new GridEntry(services, workspace, this))
{
    connect(&m_panel, &CollapsiblePanel::expanded, this,
            [this] { guarded([this] { InputPanelPop(); }); });
    connect(m_panel.saveButton, &QPushButton::clicked, this,
            [this] { guarded([this] { SaveRecord(); }); });
    connect(m_panel.cancelButton, &QPushButton::clicked, this,
            [this] { guarded([this] { CancelEntry(); }); });
    connect(workspace.deleteButton(), &QPushButton::clicked, this,
            [this] { guarded([this] { DeleteSelectedRecord(); }); });
    connect(workspace.grid(), &CustomerGrid::recordDoubleClicked, this,
            [this] { guarded([this] { LoadRecordForEdit(); }); });

    m_panel.in1->installEventFilter(this);
    if (m_panel.in1->lineEdit())
        m_panel.in1->lineEdit()->installEventFilter(this);
    for (int n = 2; n <= 15; ++n)
        m_panel.field(n)->installEventFilter(this);
}

QString EntryController::recordGoneText()
{
    return QStringLiteral("수정하던 자료가 이미 삭제되어 저장하지 못했습니다.");
}

bool EntryController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QObject::eventFilter(watched, event);
    int number = 0;
    if (watched == m_panel.in1 || watched == m_panel.in1->lineEdit())
        number = 1;
    for (int n = 2; n <= 15 && number == 0; ++n)
        if (watched == m_panel.field(n))
            number = n;
    if (number == 0)
        return QObject::eventFilter(watched, event);
    guarded([this, number] { enterInField(number); });
    return true;
}

void EntryController::enterInField(int number)
{
    switch (number) {
    case 3:
    case 4:
        if (m_panel.text(number).isEmpty())
            zipLookup(3, 4);
        moveTo(5);
        break;
    case 11:
    case 12:
        if (m_panel.text(number).isEmpty())
            zipLookup(11, 12);
        moveTo(13);
        break;
    case 15:
        SaveRecord();
        break;
    default:
        moveTo(number + 1);
        break;
    }
}

void EntryController::zipLookup(int zipField, int addressField)
{
    if (std::optional<ZipChoice> choice = RunZipLookup(m_services)) {
        m_panel.setText(addressField, choice->address);
        m_panel.setText(zipField, choice->zipCode);
    }
}

void EntryController::moveTo(int number)
{
    if (number == 1) {
        m_panel.in1->setFocus();
        m_panel.in1->lineEdit()->selectAll();
        return;
    }
    QLineEdit* target = m_panel.field(number);
    target->setFocus();
    target->selectAll();
}

void EntryController::InputPanelPop()
{
    if (m_panel.Edit_No->text().isEmpty() && m_panel.in1->count() > 0) {
        m_panel.in1->setCurrentIndex(0);
        m_panel.in1->setEditText(m_panel.in1->itemText(0));
    }
    m_panel.in1->setFocus();
}

int EntryController::currentRow() const
{
    const QModelIndex current = m_workspace.grid()->currentIndex();
    return current.isValid() ? current.row() : 0;
}

void EntryController::restorePosition(int row, int column)
{
    // A position, not a record; a shorter list keeps the reload's first row.
    CustomerGridModel* model = m_workspace.gridModel();
    if (row < 0 || row >= model->rowCount() || column < 0 || column >= model->columnCount())
        return;
    m_workspace.grid()->setCurrentIndex(model->index(row, column));
}

void EntryController::LoadRecordForEdit()
{
    if (m_services.context().UserLevel != 8)
        return;
    CustomerGridModel* model = m_workspace.gridModel();
    if (!model->isOpen())
        return;
    if (model->rowCount() == 0) {
        m_services.msgDlg(kNoRecords, 0);
        return;
    }
    if (!m_panel.isExpanded())
        m_panel.setExpanded(true);
    m_panel.setCaption(EntryPanel::editTitle());
    const int row = currentRow();
    const QStringList& columns = entryColumns();
    for (int n = 1; n <= 15; ++n)
        m_panel.setText(n, model->fieldText(row, columns[n - 1]));
    m_panel.Edit_No->setText(
        QString::number(model->fieldText(row, QStringLiteral("no")).trimmed().toLongLong()));
}

void EntryController::SaveRecord()
{
    const QModelIndex before = m_workspace.grid()->currentIndex();
    const LoginContext& ctx = m_services.context();
    EntryStatements statements(m_services.db().Temp_Data, ctx.CustomerTable);
    QStringList fields;
    for (int n = 1; n <= 15; ++n)
        fields.append(m_panel.text(n));

    if (m_panel.caption() == EntryPanel::registerTitle()) {
        if (statements.duplicateExists(fields[0], fields[1], fields[2], fields[3])) {
            const QString question = QStringLiteral("[%1][%2][%3][%4] 는 이미 등록 되어 있습니다. "
                                                    "저장 하시겠습니까?")
                                         .arg(fields[0], fields[1], fields[2], fields[3]);
            if (m_services.msgDlg(question, 2) != 1) {
                m_panel.in1->setFocus();
                return;
            }
        }
        statements.insertRecord(ctx.UserId, fields);
        m_panel.in1->setFocus();
    } else {
        const qint64 no = m_panel.Edit_No->text().trimmed().toLongLong();
        // An update that matches no record must not pass as saved: the record was deleted
        // meanwhile, and what was typed stays in the panel.
        if (statements.updateRecord(ctx.UserId, fields, no) == 0 && !statements.recordExists(no)) {
            m_services.msgDlg(recordGoneText(), 0);
            return;
        }
    }
    m_services.loadGroupNames();
    m_services.refreshCustomerList();
    restorePosition(before.isValid() ? before.row() : 0, before.isValid() ? before.column() : -1);
}

void EntryController::CancelEntry()
{
    m_panel.setExpanded(false);
    m_services.loadGroupNames();
}

void EntryController::DeleteSelectedRecord()
{
    CustomerGridModel* model = m_workspace.gridModel();
    // Nothing to delete must not be reported as a deletion.
    if (!model->isOpen() || model->rowCount() == 0) {
        m_services.msgDlg(kNoRecords, 0);
        return;
    }
    const int row = currentRow();
    // A new grid row that was never saved has no record to delete: it is discarded,
    // and no deletion is reported.
    if (model->rowState() == CustomerGridModel::RowState::Inserting && row == model->activeRow()) {
        model->cancelRow();
        return;
    }
    const QString label = QStringLiteral("[%1][%2][%3]")
                              .arg(model->fieldText(row, QStringLiteral("group_name")),
                                   model->fieldText(row, QStringLiteral("name")),
                                   model->fieldText(row, QStringLiteral("home_address")));
    if (m_services.msgDlg(label + QStringLiteral(" 을(를) 삭제 하시겠습니까?"), 2) != 1)
        return;
    const QModelIndex before = m_workspace.grid()->currentIndex();
    const qint64 no = model->fieldText(row, QStringLiteral("no")).trimmed().toLongLong();
    EntryStatements(m_services.db().Temp_Data, m_services.context().CustomerTable).deleteRecord(no);
    m_services.msgDlg(label + QStringLiteral(" 을(를) 삭제가 완료 되었습니다."), 0);
    m_services.refreshCustomerList();
    restorePosition(before.isValid() ? before.row() : 0, before.isValid() ? before.column() : -1);
}

} // namespace orvel
