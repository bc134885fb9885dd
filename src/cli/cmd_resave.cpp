// resave IN.RQX OUT.RQX: loads a project and saves it exactly as the program's Save does. A failed
// save leaves OUT.RQX as it was and exits with 1, the cause on stderr.
#include <QStringList>

#include "cli/cli_common.h"
#include "model/project_file.h"

namespace rqx::cli {

int RunResave(const QStringList &args)
{
    if (args.size() != 2)
        return UsageError(QStringLiteral("resave IN.RQX OUT.RQX"));
    Project p;
    if (!LoadForCommand(args[0], p))
        return kExitRefused;
    // Straight to the file: the program's Save would take an output named "新規データ" for an
    // unsaved project and write nothing.
    const FileResult result = SaveProjectFile(p, args[1]);
    if (!result.ok) {
        PrintError(result);
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace rqx::cli
