#include "cli/cli_common.h"

#include <QStringList>

#include <cstdio>

#include "model/project_file.h"
#include "model/project_values.h"

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

bool ParseStoreyHeights(const QString &text, StoreyHeightsOption &heights, StoreyHeightRefusal &why)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() > 2) {
        why.text = QStringLiteral("階高は H1[,H2] の２つまでです（%1 個あります）。").arg(parts.size()) +
                   StoreyHeightRuleText(true);
        why.english = QStringLiteral("%1 values; expected at most two, H1[,H2]; ").arg(parts.size()) +
                      StoreyHeightRuleInEnglish(true);
        return false;
    }
    int32_t mm[2] = {0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString name = QStringLiteral("H%1").arg(i + 1);
        if (parts[i].trimmed().isEmpty()) {
            why.text = QStringLiteral("%1 が空です（H1[,H2]、例 2.9,2.8）。").arg(name) + StoreyHeightRuleText(true);
            why.english = QStringLiteral("%1 is empty (H1[,H2], e.g. 2.9,2.8); ").arg(name) +
                          StoreyHeightRuleInEnglish(true);
            return false;
        }
        if (!ReadStoreyHeightMetres(parts[i], name, mm[i], why))
            return false;
    }
    heights.given = true;
    heights.height1 = mm[0];
    heights.height2 = mm[1];
    return true;
}

int RefuseStoreyHeights(const QString &text, const StoreyHeightRefusal &why, const QString &usage)
{
    PrintError(QStringLiteral("--heights %1: ").arg(text) + why.text);
    Err() << "velmrqx-cli: --heights " << text << ": " << why.english << Qt::endl;
    return UsageError(usage);
}

void ApplyStoreyHeights(const StoreyHeightsOption &heights, Project &project)
{
    if (!heights.given)
        return;
    project.info.levelHeight[1] = heights.height1;
    project.info.levelHeight[2] = heights.height2;
    Out().flush();
    Err() << "velmrqx-cli: heights used: H1 " << heights.height1 << " mm, H2 " << heights.height2 << " mm"
          << Qt::endl;
}

}  // namespace rqx::cli
