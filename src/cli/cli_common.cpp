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

void PrintWriteFailure(const QString &what, const QString &path, const SaveOutcome &saved,
                       const QString &renderError)
{
    if (!renderError.isEmpty()) {
        PrintError(what + QStringLiteral("を書き込めません: ") + path + QLatin1Char('\r') + renderError);
        Err() << "velmrqx-cli: " << path << " could not be written: the pages could not be drawn" << Qt::endl;
        return;
    }
    if (saved.step == SaveStep::SyncFolder) {
        PrintError(path + QLatin1Char('\r') + saved.cause());
        Err() << "velmrqx-cli: " << path << " is written, but its folder could not be synced ("
              << SystemErrorInEnglish(saved.error) << "): it may not survive a power cut" << Qt::endl;
        return;
    }
    PrintError(what + QStringLiteral("を書き込めません: ") + path + QLatin1Char('\r') + saved.cause());
    Err() << "velmrqx-cli: " << path << " could not be written: " << saved.causeInEnglish() << Qt::endl;
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
