// Program start: application, main window, data module, message loop.
#include "app/ProgramStart.h"
#include "app/TMainF.h"
#include "data/Deployment.h"
#include "platform/LastResort.h"
#include "platform/Skins.h"

int main(int argc, char* argv[])
{
    orvel::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvel"));
    QApplication::setApplicationDisplayName(orvel::TMainF::windowTitleText());

    const QString programDir =
        qEnvironmentVariable("ORVEL_PROGRAM_DIR", QCoreApplication::applicationDirPath());
    const orvel::Deployment deployment =
        orvel::Deployment::load(orvel::Deployment::defaultPath(programDir));
    orvel::Skins::apply(nullptr, deployment.skinControls);

    orvel::Program program = orvel::startProgram(deployment);
    if (!program.window)
        return 1;
    program.window->showMaximized();
    return QApplication::exec();
}
