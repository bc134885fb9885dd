// velmrqx-cli: the headless companion of the desktop program. One entry per command below;
// each command lives in its own cmd_<name>.cpp.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <memory>

#include "cli/cli_common.h"
#include "common/platform.h"
#include "model/project.h"

namespace rqx::cli {
int RunInfo(const QStringList &args);
int RunResave(const QStringList &args);
int RunCalc(const QStringList &args);
int RunPlan(const QStringList &args);
int RunFrame(const QStringList &args);
int RunReport(const QStringList &args);
int RunWalls(const QStringList &args);
}  // namespace rqx::cli

namespace {

struct Command {
    const char *name;
    const char *usage;
    int (*run)(const QStringList &args);  // arguments after the command name
};

const Command kCommands[] = {
    {"info", "info FILE.RQX", rqx::cli::RunInfo},
    {"resave", "resave IN.RQX OUT.RQX", rqx::cli::RunResave},
    {"calc", "calc [--table] [--heights H1[,H2]] FILE.RQX", rqx::cli::RunCalc},
    {"plan", "plan FILE.RQX --floor N --kind walls|hardware|transfer -o OUT.pdf|OUT.png|OUT.txt|OUT.dxf",
     rqx::cli::RunPlan},
    {"frame", "frame FILE.RQX --x K|--y K -o OUT.pdf|OUT.png|OUT.txt|OUT.dxf", rqx::cli::RunFrame},
    {"report",
     "report FILE.RQX -o OUT.pdf | report FILE.RQX --text | report FILE.RQX --dxf FOLDER [--heights H1[,H2]]",
     rqx::cli::RunReport},
    {"walls", "walls FILE.RQX [--lw A[,B,C]] [--wind C] [--heights H1[,H2]] [--roof flat] [--csv]",
     rqx::cli::RunWalls},
};

// Drops the offscreen platform's note about a missing runtime folder (nothing is written there).
QtMessageHandler gPreviousHandler = nullptr;
void QuietPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (gPreviousHandler != nullptr)
        gPreviousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int Usage()
{
    QTextStream &err = rqx::cli::Err();
    err << "usage: velmrqx-cli --version\n";
    for (const Command &c : kCommands)
        err << "       velmrqx-cli " << c.usage << '\n';
    err.flush();
    return rqx::cli::kExitUsage;
}

}  // namespace

int main(int argc, char **argv)
{
    rqx::system::UseBinaryStandardStreams();
    // The page commands measure and draw text, which needs a GUI application, without a display.
    const bool pages = argc > 1 && (std::strcmp(argv[1], "plan") == 0 || std::strcmp(argv[1], "frame") == 0 ||
                                    std::strcmp(argv[1], "report") == 0);
    if (pages)
        rqx::system::ChooseHeadlessGuiPlatform();
    if (pages)
        gPreviousHandler = qInstallMessageHandler(QuietPlatformNotes);
    std::unique_ptr<QCoreApplication> app;
    if (pages)
        app = std::make_unique<QGuiApplication>(argc, argv);
    else
        app = std::make_unique<QCoreApplication>(argc, argv);
    const QStringList args = app->arguments().mid(1);
    if (args.value(0) == QLatin1String("--version")) {
        rqx::cli::Out() << rqx::VersionText() << Qt::endl;
        return rqx::cli::kExitOk;
    }
    for (const Command &c : kCommands)
        if (args.value(0) == QLatin1String(c.name))
            return c.run(args.mid(1));
    return Usage();
}
