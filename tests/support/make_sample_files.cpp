// Writes the sample project files of tests/data with the program's own writer:
//     make_sample_files DIR      → DIR/two_storey.RQX, DIR/small_house.RQX
//     make_sample_files DIR --seeds  → also the small hand-worked houses, which seed the fuzz corpus
//                                      of everything past the reader (tests/fuzz/pipeline_corpus), houses
//                                      as earlier versions store them (beam flags negative), and files
//                                      the reader refuses: members on the roof plane or starting at a
//                                      line's last node
//     make_sample_files DIR --largest → also DIR/largest.RQX, the largest project, to look at its report
//     make_sample_files DIR --walls  → also DIR/example_walls.RQX, the example house with typed Lw and
//                                      storey heights, to look at the wall chapters of its report
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <vector>

#include "calc/wall_inputs.h"
#include "model/project_file.h"
#include "support/generated_houses.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"

int main(int argc, char **argv)
{
    QTextStream err(stderr);
    const bool seeds = argc == 3 && QByteArray(argv[2]) == "--seeds";
    const bool largest = argc == 3 && QByteArray(argv[2]) == "--largest";
    const bool walls = argc == 3 && QByteArray(argv[2]) == "--walls";
    if (argc != 2 && !seeds && !largest && !walls) {
        err << "usage: make_sample_files DIR [--seeds|--largest|--walls]\n";
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
    if (walls) {
        rqx::Project example;
        QFile in(QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX"));
        if (!in.open(QIODevice::ReadOnly) || !rqx::ParseProject(in.readAll(), example)) {
            err << in.fileName() << ": not read\n";
            return 1;
        }
        rqx::WallInputs conditions;
        conditions.lw = {46.0, 30.0, 38.0};
        conditions.lwSource = QStringLiteral("早見表");
        conditions.roof = {rqx::RoofKind::Gable, rqx::kDirX, 1500, 600, 450};
        rqx::WriteWallInputs(example, conditions);
        example.info.levelHeight[1] = 2900;
        example.info.levelHeight[2] = 2800;
        files.push_back({"example_walls.RQX", example});
    }
    // Written byte for byte as they are, whether the reader takes them or not.
    std::vector<std::pair<const char *, rqx::Project>> raw;
    if (seeds) {
        using namespace rqx::samples;
        raw.push_back({"earlier_small_house.RQX", InEarlierFileForm(SmallHouse())});
        raw.push_back({"earlier_cross_beam.RQX", InEarlierFileForm(HandWorkedCrossBeam())});
        raw.push_back({"earlier_generated.RQX", InEarlierFileForm(GeneratedHouse({3, 2, 2, 2, 0, 0}, 5))});
        rqx::Project through = HandWorkedOneStorey();
        PlaceColumn(through, 1, 3, 2, 2);  // its upper half on the roof plane, as the editor leaves it
        raw.push_back({"roof_plane_through_column.RQX", through});
        rqx::Project cell = HandWorkedOneStorey();
        cell.nodes(2, 1, 2).cellFloor = 1;
        raw.push_back({"roof_plane_floor_cell.RQX", cell});
        rqx::Project column = SmallHouse();
        column.nodes(2, 2, 3).columnKind = 1;
        raw.push_back({"roof_plane_column.RQX", column});
        rqx::Project wall = HandWorkedOneStorey();
        wall.nodes(5, 1, 1).brace[rqx::kDirX] = wall.nodes(1, 1, 1).brace[rqx::kDirX];
        raw.push_back({"last_node_wall.RQX", wall});
    }
    for (auto &[name, house] : raw) {
        rqx::PrepareProjectForSave(house);
        QFile out(dir.filePath(QString::fromLatin1(name)));
        if (!out.open(QIODevice::WriteOnly) || out.write(rqx::SerializeProject(house)) < 0 || !out.flush()) {
            err << out.fileName() << ": " << out.errorString() << '\n';
            return 1;
        }
    }
    for (auto &[name, house] : files) {
        rqx::FileResult r = rqx::SaveProjectFile(house, dir.filePath(QString::fromLatin1(name)));
        if (!r.ok) {
            err << r.message.replace(QLatin1Char('\r'), QLatin1Char('\n')) << '\n';
            return 1;
        }
    }
    return 0;
}
