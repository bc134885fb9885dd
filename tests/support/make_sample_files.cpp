// Writes the sample project files of tests/data with the program's own writer:
//     make_sample_files DIR      → DIR/two_storey.RQX, DIR/small_house.RQX
#include <QDir>
#include <QTextStream>

#include "model/project_file.h"
#include "support/sample_houses.h"

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_sample_files DIR\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const std::pair<const char *, rqx::Project> files[] = {
        {"two_storey.RQX", rqx::samples::TwoStoreyHouse()},
        {"small_house.RQX", rqx::samples::SmallHouse()},
    };
    for (auto [name, house] : files) {
        rqx::FileResult r = rqx::SaveProjectFile(house, dir.filePath(QString::fromLatin1(name)));
        if (!r.ok) {
            err << r.message.replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
            return 1;
        }
    }
    return 0;
}
