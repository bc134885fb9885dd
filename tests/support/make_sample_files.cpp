// Writes the sample project files of tests/data with the program's own writer:
//     make_sample_files DIR      → DIR/two_storey.RQX
#include <QDir>
#include <QTextStream>

#include "model/project_file.h"
#include "support/sample_projects.h"

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_sample_files DIR\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    rqx::Project house = rqx::samples::TwoStoreyHouse();
    rqx::FileResult r = rqx::SaveProjectFile(house, dir.filePath(QStringLiteral("two_storey.RQX")));
    if (!r.ok) {
        err << r.message.replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
        return 1;
    }
    return 0;
}
