// Writes the sample project files of tests/data with the program's own writer:
//     make_sample_files DIR      → DIR/two_storey.RQX, DIR/small_house.RQX
//     make_sample_files DIR --seeds  → also the small hand-worked houses, which seed the fuzz corpus
//                                      of everything past the reader (tests/fuzz/pipeline_corpus)
//     make_sample_files DIR --largest → also DIR/largest.RQX, the largest project, to look at its report
#include <QDir>
#include <QTextStream>

#include <vector>

#include "model/project_file.h"
#include "support/sample_houses.h"

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    const bool seeds = argc == 3 && QByteArray(argv[2]) == "--seeds";
    const bool largest = argc == 3 && QByteArray(argv[2]) == "--largest";
    if (argc != 2 && !seeds && !largest) {
        err << "usage: make_sample_files DIR [--seeds|--largest]\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    std::vector<std::pair<const char *, rqx::Project>> files = {
        {"two_storey.RQX", rqx::samples::TwoStoreyHouse()},
        {"small_house.RQX", rqx::samples::SmallHouse()},
    };
    if (seeds) {
        files.push_back({"hand_one_storey.RQX", rqx::samples::HandWorkedOneStorey()});
        files.push_back({"hand_two_storey_l0.RQX", rqx::samples::HandWorkedTwoStorey(0)});
        files.push_back({"hand_two_storey_l1.RQX", rqx::samples::HandWorkedTwoStorey(1)});
        files.push_back({"hand_cross_beam.RQX", rqx::samples::HandWorkedCrossBeam()});
    }
    if (largest)
        files.push_back({"largest.RQX", rqx::samples::LargestProject()});
    for (auto &[name, house] : files) {
        rqx::FileResult r = rqx::SaveProjectFile(house, dir.filePath(QString::fromLatin1(name)));
        if (!r.ok) {
            err << r.message.replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
            return 1;
        }
    }
    return 0;
}
