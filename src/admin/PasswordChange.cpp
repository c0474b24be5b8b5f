#include "admin/PasswordChange.h"

#include "appcore/MainServices.h"
#include "data/DbError.h"
#include "data/TMainDB.h"
#include "platform/LastResort.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orvel
{

namespace
{

const QString kCurrentCaption = QStringLiteral("현재 비밀번호");
const QString kNewCaption = QStringLiteral("신규 비밀번호");
const QString kConfirmCaption = QStringLiteral("확인 비밀번호");

QLineEdit* maskedBox(const char* name, const QString& caption)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(caption);
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    return edit;
}

} // namespace

PasswordChange::PasswordChange(MainServices& services, QWidget* parent)
    : QGroupBox(QStringLiteral("비밀번호 변경"), parent), m_services(services),
      m_current(maskedBox("CurrentPasswordEdit", kCurrentCaption)),
      m_new(maskedBox("NewPasswordEdit", kNewCaption)),
      m_confirm(maskedBox("ConfirmPasswordEdit", kConfirmCaption)),
      m_change(new QPushButton(QStringLiteral("비밀번호 변경")))
{
    setObjectName(QStringLiteral("PasswordGroup"));
    m_change->setObjectName(QStringLiteral("ChangePasswordButton"));
    m_change->setAccessibleName(m_change->text());

    auto* form = new QFormLayout(this);
    auto addRow = [form](const QString& caption, QLineEdit* edit) {
        auto* label = new QLabel(caption);
        label->setBuddy(edit);
        form->addRow(label, edit);
    };
    addRow(kCurrentCaption, m_current);
    addRow(kNewCaption, m_new);
    addRow(kConfirmCaption, m_confirm);
    form->addRow(QString(), m_change);

    connect(m_change, &QPushButton::clicked, this,
            [this] { guarded([this] { changePassword(); }); });
}

void PasswordChange::clearBoxes()
{
    m_current->clear();
    m_new->clear();
    m_confirm->clear();
}

void PasswordChange::changePassword()
{
    LoginContext& ctx = m_services.context();
    // An empty box means nothing was typed, except for a logged-in user whose password
    // is empty: that user could otherwise never change it.
    const bool emptyPasswordUser = ctx.LoggedIn && ctx.UserPassword.isEmpty();
    if (m_current->text().isEmpty() && !emptyPasswordUser)
        return;
    if (m_current->text() != ctx.UserPassword) {
        m_services.msgDlg(QStringLiteral("현제 비밀번호를 입력 하세요."), 0);
        return;
    }
    if (m_new->text() != m_confirm->text()) {
        m_services.msgDlg(QLatin1Char('"') + kNewCaption + QStringLiteral("\"와 \"") +
                              kConfirmCaption + QStringLiteral("\"가 맞지 않습니다."),
                          0);
        return;
    }
    if (m_services.msgDlg(QStringLiteral("비밀번호를 변경 하시겠습니까?"), 2) != 1)
        return;

    const QString password = m_new->text();
    try {
        writePassword(password);
        ctx.UserPassword = password;
        m_services.msgDlg(QStringLiteral("비밀번호가 [") + password +
                              QStringLiteral("] 으로 변경 되었습니다."),
                          0);
    } catch (...) {
        m_services.msgDlg(QStringLiteral("비밀번호 변경에 실패 하였습니다."), 0);
    }
}

void PasswordChange::writePassword(const QString& password)
{
    const QString userId = m_services.context().UserId;
    Query& q = m_services.db().STemp_Data;
    q.clearSql();
    q.addLine(QStringLiteral("update zetyx_member_table set password = password(:a2)"));
    q.addLine(QStringLiteral("where user_id = :a1"));
    q.setParam(QStringLiteral("a1"), userId);
    q.setParam(QStringLiteral("a2"), password);
    if (q.exec() > 0)
        return;
    // No row changed: either the hash was already this one, or the account is gone
    // (deleted or renamed meanwhile); only the first is a change that holds.
    q.clearSql();
    q.addLine(QStringLiteral("select count(*) as found from zetyx_member_table"));
    q.addLine(QStringLiteral("where user_id = :a1 and password = password(:a2)"));
    q.setParam(QStringLiteral("a1"), userId);
    q.setParam(QStringLiteral("a2"), password);
    q.open();
    if (q.fieldAsInt(QStringLiteral("found")) == 0)
        throw DbError(QStringLiteral("No account %1 to change").arg(userId));
}

} // namespace orvel
