// velmrqx-cli: the headless companion of the desktop program.
#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include "model/project.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream out(stdout);
    if (args.value(0) == QLatin1String("--version")) {
        out << rqx::VersionText() << '\n';
        return 0;
    }
    QTextStream(stderr) << "usage: velmrqx-cli --version\n";
    return 2;
}
