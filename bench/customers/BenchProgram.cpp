#include "BenchProgram.h"

#include "BenchDatabase.h"
#include "app/TMainF.h"
#include "data/TMainDB.h"
#include "platform/MsgBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace orvel::bench
{

BenchProgram::BenchProgram()
{
    qputenv("ORVEL_PROGRAM_DIR", m_dir.path().toLocal8Bit());
    MsgBox::setAnswerer([this](const ShownMessage& m) {
        m_messages.append(m.message);
        return 1;
    });
    m_program = startProgram(BenchDatabase().deployment());
    if (!m_program.window)
        return;
    m_program.window->keepAliveTimer()->stop();
    m_program.window->resize(1280, 960);
    m_program.window->show();
    settle();
}

BenchProgram::~BenchProgram()
{
    MsgBox::setAnswerer({});
}

void BenchProgram::login()
{
    TMainF& w = window();
    w.idField()->setText(BenchDatabase::userId());
    w.passwordField()->setText(BenchDatabase::password());
    w.findChild<QPushButton*>(QStringLiteral("btn_login"))->click();
    settle();
}

void BenchProgram::settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

} // namespace orvel::bench
