// Writes a generated house as a project file, to look at its report with velmrqx-cli:
//     write_generated_house SEED MODULES_X MODULES_Y DIVISIONS FLOORS LMODE OUT.RQX
#include <QTextStream>

#include "model/project_file.h"
#include "support/generated_houses.h"

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    if (argc != 8) {
        err << "usage: write_generated_house SEED MODULES_X MODULES_Y DIVISIONS FLOORS LMODE OUT.RQX\n";
        return 2;
    }
    rqx::samples::HouseShape shape;
    shape.modulesX = std::atoi(argv[2]);
    shape.modulesY = std::atoi(argv[3]);
    shape.divisions = std::atoi(argv[4]);
    shape.floors = std::atoi(argv[5]);
    shape.lMode = std::atoi(argv[6]);
    rqx::Project p = rqx::samples::GeneratedHouse(shape, static_cast<unsigned>(std::atoi(argv[1])));
    rqx::FileResult r = rqx::SaveProjectFile(p, QString::fromLocal8Bit(argv[7]));
    if (!r.ok) {
        err << r.message.replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
        return 1;
    }
    return 0;
}
