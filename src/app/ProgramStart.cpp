#include "app/ProgramStart.h"

#include "app/TMainF.h"
#include "data/TMainDB.h"
#include "platform/LastResort.h"
#include "platform/Skins.h"

namespace orvel
{

Program::~Program()
{
    if (window)
        window->attachDatabase(nullptr);
    window.reset();
    db.reset();
}

Program startProgram(const Deployment& deployment)
{
    Program p;
    p.window = std::make_unique<TMainF>(deployment);
    Skins::apply(p.window.get(), deployment.skinMain);
    try {
        p.db = std::make_unique<TMainDB>(deployment.startupDatabase, deployment.memberDirectory);
        p.db->open();
    } catch (const std::exception& e) {
        LastResort::report(QString::fromUtf8(e.what()));
        p.db.reset();
        p.window.reset();
        return p;
    }
    p.window->attachDatabase(p.db.get());
    return p;
}

} // namespace orvel
