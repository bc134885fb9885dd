#pragma once
// Runs the built velmrqx-cli (VELM_CLI_PATH) as users and scripts do and keeps what it printed.

#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace rqx::test {

// Running as another user needs root and setpriv (neither exists on Windows).
inline bool RunningAsRoot()
{
#ifdef Q_OS_WIN
    return false;
#else
    return ::geteuid() == 0;
#endif
}

struct CliRun {
    int status = -1;  // exit code; -1 when the program did not end normally
    QByteArray out;   // standard output, as written
    QString err;      // standard error, read as UTF-8
    QString outText() const { return QString::fromUtf8(out); }
};

// Runs velmrqx-cli under a helper program given first in `wrapper` (strace, setpriv, env), or alone
// when `wrapper` is empty; in the folder `workingDir` when one is given.
inline CliRun Wrapped(const QStringList &wrapper, const QStringList &args, const QString &workingDir = {})
{
    // QProcess expects an application object; gtest_main creates none.
    static int argc = 1;
    static char name[] = "cli_test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    QProcess process;
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    const QString cli = QStringLiteral(VELM_CLI_PATH);
    if (wrapper.isEmpty())
        process.start(cli, args);
    else
        process.start(wrapper[0], wrapper.mid(1) + QStringList{cli} + args);
    EXPECT_TRUE(process.waitForFinished(30000));
    CliRun r;
    r.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput();
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

inline CliRun Cli(const QStringList &args)
{
    return Wrapped({}, args);
}

}  // namespace rqx::test
