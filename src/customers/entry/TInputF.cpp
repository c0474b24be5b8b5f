#include "customers/entry/TInputF.h"

#include "zipcode/TextTrim.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace orvel
{

TInputF::TInputF(const QString& columnTitle, const QStringList& values, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TInputF"));
    setWindowTitle(columnTitle + QStringLiteral("을(를) 입력 하세요."));
    setModal(true);

    input_text = new QComboBox;
    input_text->setObjectName(QStringLiteral("input_text"));
    input_text->setEditable(true);
    input_text->setInsertPolicy(QComboBox::NoInsert);
    input_text->setMaxVisibleItems(30);
    input_text->setMinimumWidth(260);
    input_text->setToolTip(QStringLiteral("입력완료-Enter  취소-Esc"));
    input_text->setAccessibleName(columnTitle);
    QFont font;
    font.setFamilies({QStringLiteral("돋움체"), QStringLiteral("DotumChe"),
                      QStringLiteral("NanumGothicCoding"), QStringLiteral("NanumGothic")});
    font.setBold(true);
    input_text->setFont(font);
    input_text->addItems(values);
    input_text->setCurrentIndex(-1);
    input_text->setEditText(QString());

    btn_ok = new QPushButton(QStringLiteral("확인"));
    btn_ok->setObjectName(QStringLiteral("btn_ok"));
    btn_cancel = new QPushButton(QStringLiteral("취소"));
    btn_cancel->setObjectName(QStringLiteral("btn_cancel"));
    for (QPushButton* b : {btn_ok, btn_cancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(btn_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(btn_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(input_text, 1);
    layout->addWidget(btn_ok);
    layout->addWidget(btn_cancel);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    input_text->installEventFilter(this);
    input_text->lineEdit()->installEventFilter(this);
    input_text->setFocus();
}

QString TInputF::value() const
{
    return trimBlanks(input_text->currentText());
}

bool TInputF::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool popupOpen = input_text->view() && input_text->view()->isVisible();
        if (!popupOpen && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orvel
