#include "ProcessRun.h"

#include <QFile>
#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace orvel::bench
{

ProcessResult runMeasured(const QList<QByteArray>& arguments, const QString& stdoutPath)
{
    QList<QByteArray> args = arguments;
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string program = args.value(0).toStdString();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray out = stdoutPath.toLocal8Bit();
    posix_spawn_file_actions_addopen(&actions, 1, out.constData(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);

    ProcessResult result;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw std::runtime_error("cannot start " + program);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        throw std::runtime_error("lost child " + program);
    const auto end = std::chrono::steady_clock::now();
    result.wallMs = std::chrono::duration<double, std::milli>(end - start).count();
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.peakMiB = double(usage.ru_maxrss) / 1024.0; // KiB on Linux
    return result;
}

namespace
{

double statusMiB(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(prefix)) {
            const QByteArray kib = line.mid(prefix.size()).trimmed().split(' ').value(0);
            return kib.toDouble() / 1024.0;
        }
    }
    return -1;
}

} // namespace

double selfPeakMiB()
{
    return statusMiB("VmHWM");
}

double selfResidentMiB()
{
    return statusMiB("VmRSS");
}

} // namespace orvel::bench
