#include "cli/cli_common.h"

#include <cstdio>

#include "model/project_file.h"

namespace rqx::cli {

QTextStream &Out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &Err()
{
    static QTextStream stream(stderr);
    return stream;
}

void PrintError(const QString &message)
{
    QString text = message;
    // The message boxes' blank line between parts is one line break on a terminal.
    text.replace(QStringLiteral("\r\r"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Out().flush();
    Err() << text << Qt::endl;
}

void PrintError(const FileResult &result)
{
    PrintError(result.message);
    if (!result.detail.isEmpty())
        Err() << "velmrqx-cli: " << result.detail << Qt::endl;
}

int UsageError(const QString &usage)
{
    Err() << "usage: velmrqx-cli " << usage << Qt::endl;
    return kExitUsage;
}

bool LoadForCommand(const QString &path, Project &project)
{
    FileResult result = CheckProjectFile(kAppTitle, path);
    if (result.ok)
        result = LoadProjectFile(path, project);
    if (!result.ok)
        PrintError(result);
    return result.ok;
}

}  // namespace rqx::cli
