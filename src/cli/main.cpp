// velmrqx-cli: the headless companion of the desktop program. One entry per command below;
// each command lives in its own cmd_<name>.cpp.
#include <QCoreApplication>
#include <QStringList>

#include "cli/cli_common.h"
#include "model/project.h"

namespace rqx::cli {
int RunInfo(const QStringList &args);
int RunResave(const QStringList &args);
int RunCalc(const QStringList &args);
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
    {"calc", "calc [--table] FILE.RQX", rqx::cli::RunCalc},
};

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
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--version")) {
        rqx::cli::Out() << rqx::VersionText() << Qt::endl;
        return rqx::cli::kExitOk;
    }
    for (const Command &c : kCommands)
        if (args.value(0) == QLatin1String(c.name))
            return c.run(args.mid(1));
    return Usage();
}
