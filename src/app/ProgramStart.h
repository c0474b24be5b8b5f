#pragma once

#include "data/Deployment.h"

#include <memory>

namespace orvel
{

class TMainDB;
class TMainF;

/// The main window and the data module of one run of the program.
struct Program {
    std::unique_ptr<TMainF> window;
    std::unique_ptr<TMainDB> db;
    Program() = default;
    Program(Program&&) = default;
    Program& operator=(Program&&) = default;
    ~Program();
};

/// Creates the main window (which runs its creation step), then the data module, which
/// opens both connections. When a connection cannot be opened the error's text is shown
/// and an empty Program (no window) is returned.
Program startProgram(const Deployment& deployment);

} // namespace orvel
