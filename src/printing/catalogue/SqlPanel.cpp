#include "printing/catalogue/SqlPanel.h"

#include "data/Query.h"
#include "platform/LastResort.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace orvel
{

const QStringList& SqlPanel::tableTitles()
{
    static const QStringList titles{
        QStringLiteral("거래처"),     QStringLiteral("고객기종"), QStringLiteral("고객"),
        QStringLiteral("불량및처리"), QStringLiteral("수불"),     QStringLiteral("재고"),
        QStringLiteral("재고조사"),   QStringLiteral("소모품"),   QStringLiteral("소모품수불")};
    return titles;
}

const QStringList& SqlPanel::tableNames()
{
    static const QStringList names{
        QStringLiteral("AgentList"), QStringLiteral("GMList"), QStringLiteral("GoList"),
        QStringLiteral("NGList"),    QStringLiteral("OUList"), QStringLiteral("PUList"),
        QStringLiteral("JSList"),    QStringLiteral("PSList"), QStringLiteral("PSOList")};
    return names;
}

QString SqlPanel::composeStatement(const QStringList& columns, const QString& table)
{
    QString text = QStringLiteral("SELECT ");
    if (columns.isEmpty())
        text += QStringLiteral(" * ");
    else
        text += columns.join(QLatin1Char(','));
    return text + QStringLiteral(" FROM &") + table;
}

SqlPanel::SqlPanel(Query& query, QWidget* parent)
    : QGroupBox(QStringLiteral("SQL"), parent), m_query(query),
      m_statement(new QPlainTextEdit(this)),
      m_compose(new QPushButton(QStringLiteral("SQL 생성"), this)), m_tables(new QComboBox(this)),
      m_columns(new QListWidget(this))
{
    setObjectName(QStringLiteral("SqlPanel"));
    m_statement->setObjectName(QStringLiteral("ed_sql"));
    m_statement->setTabChangesFocus(true);
    m_compose->setObjectName(QStringLiteral("btn_make_sql"));
    m_compose->setAutoDefault(false);
    m_tables->setObjectName(QStringLiteral("cb_table"));
    m_tables->setEditable(false);
    m_tables->addItems(tableTitles());
    m_tables->setCurrentIndex(-1);
    m_columns->setObjectName(QStringLiteral("lst_columns"));

    auto* db = new QLabel(QStringLiteral("DB"), this);
    db->setObjectName(QStringLiteral("lb_db"));
    db->setBuddy(m_tables);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_statement, 0, 0, 3, 1);
    grid->addWidget(m_compose, 0, 1);
    grid->addWidget(db, 0, 2);
    grid->addWidget(m_tables, 0, 3);
    grid->addWidget(m_columns, 1, 2, 2, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(3, 1);

    connect(m_tables, &QComboBox::activated, this,
            [this](int index) { guarded([this, index] { chooseTable(index); }); });
    connect(m_compose, &QPushButton::clicked, this, [this] { guarded([this] { compose(); }); });
}

QString SqlPanel::statement() const
{
    return m_statement->toPlainText();
}

void SqlPanel::setStatement(const QString& text)
{
    m_statement->setPlainText(text);
}

void SqlPanel::clearChoice()
{
    m_tables->setCurrentIndex(-1);
    m_statement->clear();
}

QString SqlPanel::chosenTable() const
{
    const int index = m_tables->currentIndex();
    return index >= 0 && index < tableNames().size() ? tableNames().at(index) : QString();
}

QStringList SqlPanel::tickedColumns() const
{
    QStringList ticked;
    for (int i = 0; i < m_columns->count(); ++i)
        if (m_columns->item(i)->checkState() == Qt::Checked)
            ticked << m_columns->item(i)->text();
    return ticked;
}

void SqlPanel::chooseTable(int index)
{
    if (index < 0 || index >= tableNames().size())
        return;
    m_query.close();
    m_query.setSql(QStringLiteral("select * from ") + tableNames().at(index));
    m_query.open();
    const QStringList names = m_query.columnNames();
    m_query.close();
    m_columns->clear();
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, m_columns);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

void SqlPanel::compose()
{
    setStatement(composeStatement(tickedColumns(), chosenTable()));
}

} // namespace orvel
