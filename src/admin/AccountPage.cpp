#include "admin/AccountPage.h"

#include "admin/AccountListModel.h"
#include "appcore/MainServices.h"
#include "data/TMainDB.h"
#include "platform/CollapsiblePanel.h"
#include "platform/LastResort.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace orvel
{

namespace
{

QLineEdit* namedEdit(const char* name, const QString& caption)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(caption);
    return edit;
}

QPushButton* namedButton(const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(caption);
    return button;
}

} // namespace

AccountPage::AccountPage(MainServices& services, QWidget* parent)
    : QWidget(parent), m_services(services),
      m_panel(new CollapsiblePanel(QStringLiteral("사용자"))),
      m_id(namedEdit("AccountIdEdit", QStringLiteral("아이디"))),
      m_password(namedEdit("AccountPasswordEdit", QStringLiteral("비밀번호"))),
      m_name(namedEdit("AccountNameEdit", QStringLiteral("사용자명"))), m_level(new QComboBox),
      m_no(new QLabel), m_save(namedButton(QStringLiteral("저장"), "AccountSaveButton")),
      m_cancel(namedButton(QStringLiteral("취소"), "AccountCancelButton")), m_grid(new QTableView),
      m_model(new AccountListModel(this))
{
    m_panel->setObjectName(QStringLiteral("UserPanel"));
    m_level->setObjectName(QStringLiteral("AccountLevelList"));
    m_level->setAccessibleName(QStringLiteral("사용권한"));
    m_no->setObjectName(QStringLiteral("AccountNoLabel"));
    m_no->hide();

    auto* content = new QWidget;
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("아이디"), m_id);
    fields->addRow(QStringLiteral("비밀번호"), m_password);
    fields->addRow(QStringLiteral("사용자명"), m_name);
    fields->addRow(QStringLiteral("사용권한"), m_level);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    auto* contentRow = new QHBoxLayout(content);
    contentRow->addLayout(fields, 1);
    contentRow->addLayout(buttons);
    contentRow->addWidget(m_no);
    m_panel->setContent(content);
    // Starts folded; entering the page folds it anyway.
    const int duration = m_panel->animationDuration();
    m_panel->setAnimationDuration(0);
    m_panel->setExpanded(false);
    m_panel->setAnimationDuration(duration);

    m_model->setObjectName(QStringLiteral("UserListDBS"));
    m_grid->setObjectName(QStringLiteral("UserListGrid"));
    m_grid->setAccessibleName(QStringLiteral("사용자 목록"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(20);

    auto* column = new QVBoxLayout(this);
    column->addWidget(m_panel);
    column->addWidget(m_grid, 1);

    setTabOrder(m_id, m_password);
    setTabOrder(m_password, m_name);
    setTabOrder(m_name, m_level);
    setTabOrder(m_level, m_save);
    setTabOrder(m_save, m_cancel);
    setTabOrder(m_cancel, m_grid);

    connect(m_password, &QLineEdit::textChanged, this, [this] { m_passwordEdited = true; });
    connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        guarded([this, index] { loadAccount(index.row()); });
    });
    // Enter on a grid row loads it too, so the page works from the keyboard.
    m_grid->installEventFilter(this);
    connect(m_save, &QPushButton::clicked, this, [this] { guarded([this] { save(); }); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { guarded([this] { cancel(); }); });
}

bool AccountPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_grid->currentIndex().isValid()) {
            const int row = m_grid->currentIndex().row();
            guarded([this, row] { loadAccount(row); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString AccountPage::heldNo() const
{
    return m_no->text();
}

void AccountPage::enterPage()
{
    if (m_panel->isExpanded())
        m_panel->setExpanded(false);
    reloadAccounts();
    clearFields();
    m_passwordEdited = false;
    fillLevels();
}

void AccountPage::reloadAccounts()
{
    Query& q = m_services.db().UserListDB;
    q.clearSql();
    q.addLine(QStringLiteral("select * from zetyx_member_table"));
    q.addLine(QStringLiteral("order by name"));
    m_model->reload(q);
    layOutGrid();
}

void AccountPage::layOutGrid()
{
    for (int c = 0; c < m_model->columnCount(); ++c) {
        m_grid->setColumnHidden(c, !m_model->isShown(c));
        if (m_model->isShown(c))
            m_grid->setColumnWidth(c, m_model->columnWidth(c));
    }
}

void AccountPage::fillLevels()
{
    Query& q = m_services.db().STemp_Data;
    q.clearSql();
    q.addLine(QStringLiteral("select Level_Name from RunLevel"));
    q.addLine(QStringLiteral("order by Level_Name"));
    q.open();
    QStringList names;
    for (q.first(); !q.eof(); q.next())
        names.append(q.fieldAsString(QStringLiteral("Level_Name")));
    m_level->clear();
    m_level->addItems(names);
    if (m_level->count() > 0)
        m_level->setCurrentIndex(0);
}

void AccountPage::clearFields()
{
    m_id->clear();
    m_password->clear();
    m_name->clear();
    m_no->clear();
}

void AccountPage::loadAccount(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    if (!m_panel->isExpanded())
        m_panel->setExpanded(true);
    m_id->setText(m_model->value(row, QStringLiteral("user_id")));
    m_password->clear();
    m_name->setText(m_model->value(row, QStringLiteral("name")));
    // An access level that no profile carries is offered too, so that saving the
    // account keeps it instead of silently giving it another level.
    const QString level = m_model->value(row, QStringLiteral("acc_level"));
    int at = m_level->findText(level, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at < 0) {
        m_level->addItem(level);
        at = m_level->count() - 1;
    }
    m_level->setCurrentIndex(at);
    m_no->setText(m_model->value(row, QStringLiteral("no")));
    m_passwordEdited = false;
}

void AccountPage::save()
{
    Query& q = m_services.db().STemp_Data;
    q.clearSql();
    if (!heldNo().isEmpty()) {
        if (m_passwordEdited) {
            q.addLine(QStringLiteral("update zetyx_member_table set user_id = :a1, "
                                     "password = password(:a2), name = :a3, acc_level = :a4"));
            q.setParam(QStringLiteral("a2"), m_password->text());
        } else {
            q.addLine(QStringLiteral("update zetyx_member_table set user_id = :a1, "
                                     "name = :a3, acc_level = :a4"));
        }
        q.addLine(QStringLiteral("where no = :f1"));
        q.setParam(QStringLiteral("a1"), m_id->text());
        q.setParam(QStringLiteral("a3"), m_name->text());
        q.setParam(QStringLiteral("a4"), m_level->currentText());
        q.setParam(QStringLiteral("f1"), heldNo().toLongLong());
        q.exec();
        cancel();
    } else {
        q.addLine(QStringLiteral("insert into zetyx_member_table (user_id, password, name, "
                                 "acc_level)"));
        q.addLine(QStringLiteral("values (:a1, password(:a2), :a3, :a4)"));
        q.setParam(QStringLiteral("a1"), m_id->text());
        q.setParam(QStringLiteral("a2"), m_password->text());
        q.setParam(QStringLiteral("a3"), m_name->text());
        q.setParam(QStringLiteral("a4"), m_level->currentText());
        q.exec();
        clearFields();
    }
    reloadAccounts();
}

void AccountPage::cancel()
{
    if (m_panel->isExpanded())
        m_panel->setExpanded(false);
    clearFields();
}

} // namespace orvel
