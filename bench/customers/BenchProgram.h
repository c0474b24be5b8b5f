#pragma once

#include "app/ProgramStart.h"

#include <QStringList>
#include <QTemporaryDir>

namespace orvel::bench
{

/// The real program window on the benchmark's deployment, in a private program folder,
/// shown at a fixed size with its keep-alive stopped; message boxes are answered and kept.
class BenchProgram
{
public:
    BenchProgram();
    ~BenchProgram();
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

    bool started() const { return bool(m_program.window); }
    TMainF& window() { return *m_program.window; }
    QString programDir() const { return m_dir.path(); }
    /// The messages shown so far.
    const QStringList& messages() const { return m_messages; }

    /// Logs the benchmark member in through the login bar, as a user does.
    void login();
    /// Lets the window handle what is queued (layout, painting).
    static void settle();

private:
    QTemporaryDir m_dir;
    QStringList m_messages;
    Program m_program;
};

} // namespace orvel::bench
