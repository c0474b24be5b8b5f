#include "zipcode/TPostFindF.h"

#include "appcore/MainServices.h"
#include "data/TMainDB.h"
#include "platform/LastResort.h"
#include "zipcode/TextTrim.h"
#include "zipcode/ZipAddress.h"
#include "zipcode/ZipResultModel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace orvel
{

namespace
{

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QPushButton* plainButton(const QString& text, const char* name)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    // Enter belongs to the fields' own handlers, never to a default button.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

TPostFindF::TPostFindF(MainServices& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_services(services), m_model(new ZipResultModel(services.db().ZipFindDB, this))
{
    setObjectName(QStringLiteral("TPostFindF"));
    setWindowTitle(QStringLiteral("우편번호 및 지번 검색 (Search Zipcode)"));
    setModal(true);

    zip_back = new QStackedWidget;
    zip_back->setObjectName(QStringLiteral("zip_back"));
    Find1 = buildSearchPage();
    Find2 = buildResultPage();
    zip_back->addWidget(Find1);
    zip_back->addWidget(Find2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(zip_back);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btn_s, &QPushButton::clicked, this, [this] { guarded([this] { search(); }); });
    connect(btn_c, &QPushButton::clicked, this, &QDialog::reject);
    connect(btn_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(btn_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btn_first, &QPushButton::clicked, this, [this] { guarded([this] { reset(); }); });
    connect(resultGrid, &QTableView::doubleClicked, this,
            [this] { guarded([this] { chooseRow(); }); });
    for (QObject* o : {static_cast<QObject*>(find_name), static_cast<QObject*>(resultGrid),
                       static_cast<QObject*>(find_2), static_cast<QObject*>(find_5),
                       static_cast<QObject*>(find_5->lineEdit())})
        o->installEventFilter(this);

    reset();
}

QWidget* TPostFindF::buildSearchPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Find1"));
    auto* v = new QVBoxLayout(page);
    auto* prompt = new QLabel(QStringLiteral("우편번호를 검색합니다.\n찾고자 하는 읍ㆍ면ㆍ동ㆍ리의 "
                                             "이름을 입력하여 주십시요."));
    prompt->setAlignment(Qt::AlignCenter);
    auto* example = new QLabel(QStringLiteral("( 예: 신안동 또는 항곡리 )"));
    example->setAlignment(Qt::AlignCenter);
    find_name = new QLineEdit;
    find_name->setObjectName(QStringLiteral("find_name"));
    find_name->setAccessibleName(QStringLiteral("읍ㆍ면ㆍ동ㆍ리의 이름"));
    find_name->setMinimumWidth(220);
    btn_s = plainButton(QStringLiteral("찾기"), "btn_s");
    btn_c = plainButton(QStringLiteral("취소"), "btn_c");
    auto* row = new QHBoxLayout;
    row->addWidget(find_name, 1);
    row->addWidget(btn_s);
    row->addWidget(btn_c);
    v->addWidget(prompt);
    v->addWidget(example);
    v->addLayout(row);
    v->addStretch();
    QWidget::setTabOrder(find_name, btn_s);
    QWidget::setTabOrder(btn_s, btn_c);
    return page;
}

QWidget* TPostFindF::buildResultPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Find2"));
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    f_panel = new QGroupBox;
    f_panel->setObjectName(QStringLiteral("f_panel"));
    v->addWidget(f_panel);
    auto* inner = new QVBoxLayout(f_panel);

    resultGrid = new QTableView;
    resultGrid->setObjectName(QStringLiteral("ZipGrid"));
    resultGrid->setAccessibleName(QStringLiteral("검색 결과"));
    resultGrid->setModel(m_model);
    resultGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    resultGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultGrid->setTabKeyNavigation(false);
    resultGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    resultGrid->verticalHeader()->setDefaultSectionSize(19);
    resultGrid->verticalHeader()->hide();
    resultGrid->horizontalHeader()->setStretchLastSection(true);
    resultGrid->setMinimumSize(480, 240);
    inner->addWidget(resultGrid);

    find_0 = new QLabel;
    find_0->setObjectName(QStringLiteral("find_0"));
    find_0->setStyleSheet(QStringLiteral("color: red;"));
    find_0->setAccessibleName(QStringLiteral("우편번호"));
    find_1 = new QLabel;
    find_1->setObjectName(QStringLiteral("find_1"));
    find_1->setStyleSheet(QStringLiteral("color: navy;"));
    find_1->setAccessibleName(QStringLiteral("주소"));
    auto* chosen = new QHBoxLayout;
    chosen->addWidget(find_0);
    chosen->addWidget(find_1, 1);
    inner->addLayout(chosen);

    auto* detailLabel = new QLabel(QStringLiteral("상세주소"));
    find_2 = new QLineEdit;
    find_2->setObjectName(QStringLiteral("find_2"));
    detailLabel->setBuddy(find_2);
    find_2->setAccessibleName(detailLabel->text());
    find_5 = new QComboBox;
    find_5->setObjectName(QStringLiteral("find_5"));
    find_5->setEditable(true);
    find_5->setInsertPolicy(QComboBox::NoInsert);
    find_5->setAccessibleName(QStringLiteral("번지"));
    auto* lotLabel = new QLabel(QStringLiteral("번지"));
    btn_ok = plainButton(QStringLiteral("확인"), "btn_ok");
    btn_cancel = plainButton(QStringLiteral("취소"), "btn_cancel");
    btn_first = plainButton(QStringLiteral("처음으로"), "btn_first");
    auto* detail = new QHBoxLayout;
    detail->addWidget(detailLabel);
    detail->addWidget(find_2, 3);
    detail->addWidget(find_5, 1);
    detail->addWidget(lotLabel);
    detail->addWidget(btn_ok);
    detail->addWidget(btn_cancel);
    detail->addWidget(btn_first);
    inner->addLayout(detail);

    QWidget::setTabOrder(resultGrid, find_2);
    QWidget::setTabOrder(find_2, find_5);
    QWidget::setTabOrder(find_5, btn_ok);
    QWidget::setTabOrder(btn_ok, btn_cancel);
    QWidget::setTabOrder(btn_cancel, btn_first);
    return page;
}

void TPostFindF::reset()
{
    zip_back->setCurrentWidget(Find1);
    find_0->clear();
    find_1->clear();
    find_2->clear();
    find_5->clear();
    find_5->setEditText(QString());
    find_name->clear();
    find_name->setFocus();
    m_services.setHangeulMode(true);
}

void TPostFindF::search()
{
    if (find_name->text().isEmpty()) {
        find_name->setFocus();
        return;
    }
    TMainDB& db = m_services.db();
    Query& zip = db.ZipFindDB;
    int found = 0;
    m_model->beginReload();
    try {
        if (!db.SDBConnect.isOpen())
            db.SDBConnect.open();
        zip.close();
        zip.clearSql();
        zip.addLine(QStringLiteral("select no,ZIPCODE,SIDO,GUGUN,DONG,RI,BLDG,ST_BUNJI,ED_BUNJI,"
                                   "ZIPFIND,SEQ,DCode1,DCode2,DCode3,DCode4 from ZipCode where "
                                   "ZIPFIND like :a1 "));
        zip.setParam(QStringLiteral("a1"), QLatin1Char('%') + find_name->text() + QLatin1Char('%'));
        zip.open();
        found = zip.rowCount();
    } catch (const std::exception&) {
        zip.close();
        m_model->endReload();
        m_services.msgDlg(QStringLiteral("서버와 접속이 되지 않습니다."), 0);
        reject();
        return;
    }
    m_model->endReload();
    hideUnusedColumns();

    f_panel->setTitle(QString::number(found) + QStringLiteral(" 가 검색 되었습니다."));
    if (found > 0) {
        zip_back->setCurrentWidget(Find2);
        resultGrid->setCurrentIndex(m_model->index(0, zip.columnIndex(QStringLiteral("ZIPCODE"))));
        resultGrid->setFocus();
    } else {
        find_name->clear();
        find_name->setFocus();
    }
}

void TPostFindF::hideUnusedColumns()
{
    for (int c = 0; c < m_model->columnCount(); ++c)
        resultGrid->setColumnHidden(c, m_model->isHiddenColumn(c));
    resultGrid->setColumnWidth(m_model->columnCount() > 1 ? 1 : 0, 70);
}

void TPostFindF::chooseRow()
{
    Query& zip = m_services.db().ZipFindDB;
    const QModelIndex current = resultGrid->currentIndex();
    zip.seek(current.isValid() ? current.row() : 0);
    ZipRow row;
    row.zipCode = zip.fieldAsString(QStringLiteral("ZIPCODE"));
    row.sido = zip.fieldAsString(QStringLiteral("SIDO"));
    row.gugun = zip.fieldAsString(QStringLiteral("GUGUN"));
    row.dong = zip.fieldAsString(QStringLiteral("DONG"));
    row.ri = zip.fieldAsString(QStringLiteral("RI"));
    row.bldg = zip.fieldAsString(QStringLiteral("BLDG"));
    find_0->setText(row.zipCode);
    find_1->setText(baseAddress(row));
    find_5->clear();
    find_5->setEditText(QString());
    find_2->setFocus();
}

QString TPostFindF::zipCode() const
{
    return find_0->text();
}

QString TPostFindF::address() const
{
    return chosenAddress(find_1->text(), find_2->text(), find_5->currentText());
}

bool TPostFindF::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = isEnter(key);
    const bool escape = key->key() == Qt::Key_Escape;
    if (!enter && !escape)
        return QDialog::eventFilter(watched, event);

    // The search field and the result grid act when the key is released.
    if (watched == find_name || watched == resultGrid) {
        if (type == QEvent::KeyRelease) {
            if (watched == find_name && enter)
                guarded([this] { search(); });
            else if (watched == find_name && escape)
                reject();
            else if (enter)
                guarded([this] { chooseRow(); });
        }
        // The press must not reach the dialog (it would close it on Esc before the
        // release arrives, which is the same result, but keep one path).
        return type == QEvent::KeyPress && watched == find_name;
    }
    // The detail and lot-number fields act as the key is typed.
    if (type != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    if (escape) {
        reject();
    } else if (watched == find_2) {
        find_5->setFocus();
        find_5->lineEdit()->selectAll();
    } else {
        accept();
    }
    return true;
}

} // namespace orvel
