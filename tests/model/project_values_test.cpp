// Every field of a project file against what the program writes: one damaged value per case, each
// refused whole with its record and field named; the values older files hold are still read.
#include "model/project_values.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>

#include "model/line_names.h"
#include "model/project_file.h"
#include "support/generated_houses.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"

using namespace rqx;

namespace {

struct Damage {
    const char *field;  // what the message must name
    std::function<void(Project &)> apply;
};

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

QByteArray FileOf(Project p, const std::function<void(Project &)> &change)
{
    PrepareProjectForSave(p);
    change(p);
    return SerializeProject(p);
}

}  // namespace

TEST(ProjectValues, EveryValueNoProgramWritesIsRefusedNamingItsField)
{
    const Damage cases[] = {
        // The three damaged inputs met under the sanitizers.
        {"brace(1).kind", [](Project &p) { p.nodes(2, 2, 1).brace[1].kind = INT_MAX; }},
        {"brace(2).lastIndex", [](Project &p) { p.nodes(1, 1, 1).brace[2].lastIndex = INT_MAX; }},
        {"moduleLength", [](Project &p) { p.info.moduleLength = 3e12f; }},
        // Walls.
        {"board(1).kind", [](Project &p) { p.nodes(1, 2, 2).board[1].kind = 11; }},
        {"brace(1).kind", [](Project &p) { p.nodes(1, 1, 1).brace[1].kind = -1; }},
        {"board(2).firstIndex", [](Project &p) { p.nodes(3, 1, 1).board[2].firstIndex = -2; }},
        {"board(1).lastIndex", [](Project &p) { p.nodes(1, 1, 1).board[1].lastIndex = 6; }},  // 5 lines in X
        {"brace(1).code", [](Project &p) { p.nodes(1, 1, 1).brace[1].code = 5; }},
        {"board(2).segment", [](Project &p) { p.nodes(1, 1, 1).board[2].segment = 4; }},
        {"brace(2).multiplier", [](Project &p) { p.nodes(1, 1, 2).brace[2].multiplier = 5.5f; }},
        {"board(1).multiplier", [](Project &p) { p.nodes(1, 1, 1).board[1].multiplier = kNaN; }},
        {"brace(1).multiplier", [](Project &p) { p.nodes(1, 1, 1).brace[1].multiplier = -0.5f; }},
        // Columns, beams, floors, outline.
        {"columnKind", [](Project &p) { p.nodes(1, 1, 1).columnKind = 3; }},
        {"throughOrigin", [](Project &p) { p.nodes(1, 1, 1).throughOrigin = 2; }},
        {"isCorner", [](Project &p) { p.nodes(1, 1, 1).isCorner = -1; }},
        {"beam(1).present", [](Project &p) { p.nodes(1, 1, 3).beam[1].present = 2; }},
        {"beam(2).segment", [](Project &p) { p.nodes(1, 1, 1).beam[2].segment = 4; }},
        {"cellFloor", [](Project &p) { p.nodes(4, 3, 2).cellFloor = 3; }},
        {"outlineEdge(2)", [](Project &p) { p.nodes(1, 1, 1).outlineEdge[2] = 2; }},
        // Members on the roof plane (level 3 of the two-storey house), which holds beams only.
        {"cellFloor", [](Project &p) { p.nodes(2, 2, 3).cellFloor = 1; }},
        {"brace(1).kind", [](Project &p) { p.nodes(1, 1, 3).brace[1] = p.nodes(1, 1, 1).brace[1]; }},
        {"board(2).kind", [](Project &p) { p.nodes(5, 1, 3).board[2] = p.nodes(5, 1, 1).board[2]; }},
        {"columnKind", [](Project &p) { p.nodes(3, 2, 3).columnKind = 1; }},
        {"columnKind", [](Project &p) { p.nodes(1, 1, 3).columnKind = 2, p.nodes(1, 1, 3).throughOrigin = 1; }},
        {"throughOrigin", [](Project &p) { p.nodes(4, 4, 3).throughOrigin = 1; }},
        // Members starting at the last node of a line (x 5, y 4), where no span follows.
        {"brace(1).kind", [](Project &p) { p.nodes(5, 1, 1).brace[1] = p.nodes(1, 1, 1).brace[1]; }},
        {"board(2).kind", [](Project &p) { p.nodes(5, 4, 1).board[2] = p.nodes(5, 1, 1).board[2]; }},
        {"beam(1).present", [](Project &p) { p.nodes(5, 2, 3).beam[1] = BeamInfo{-1, -3}; }},
        {"beam(2).present", [](Project &p) { p.nodes(2, 4, 2).beam[2] = BeamInfo{1, 0}; }},
        {"cellFloor", [](Project &p) { p.nodes(5, 2, 1).cellFloor = 2; }},
        {"cellFloor", [](Project &p) { p.nodes(1, 4, 2).cellFloor = 1; }},
        // ProjectInfo and GridInfo flags and options.
        {"hideOfficeOnCover", [](Project &p) { p.info.hideOfficeOnCover = 2; }},
        {"hideDateOnCover", [](Project &p) { p.info.hideDateOnCover = -1; }},
        {"levelHeight(2)", [](Project &p) { p.info.levelHeight[2] = -1; }},
        {"levelHeight(4)", [](Project &p) { p.info.levelHeight[4] = INT_MAX; }},
        {"moduleLength", [](Project &p) { p.info.moduleLength = 0.0005f; }},
        {"lineStyleX", [](Project &p) { p.grid.lineStyleX = 5; }},
        {"lineReverseY", [](Project &p) { p.grid.lineReverseY = 2; }},
        {"showRequiredWhenBlank", [](Project &p) { p.grid.showRequiredWhenBlank = 2; }},
        {"useDoublePull", [](Project &p) { p.grid.useDoublePull = -1; }},
        {"lCoefficientMode", [](Project &p) { p.grid.lCoefficientMode = 2; }},
        {"crossBeamIgnored", [](Project &p) { p.grid.crossBeamIgnored = 7; }},
        {"crossBeamNoWarning", [](Project &p) { p.grid.crossBeamNoWarning = INT_MIN; }},
        // Coordinates away from the grid (beam spans of length 0, figures off any page).
        {"x", [](Project &p) { p.coords(2, 1, 1).x = 3e12f; }},
        {"y", [](Project &p) { p.coords(3, 3, 2).y = kNaN; }},
        {"z", [](Project &p) { p.coords(1, 1, 3).z = kInf; }},
        {"x", [](Project &p) { p.coords(3, 1, 1).x = p.coords(2, 1, 1).x; }},
    };
    const Project house = samples::SmallHouse();
    Project open = samples::NewProject(2, 2, 1);
    open.info.buildingName = QStringLiteral("開いている物件");
    for (const Damage &d : cases) {
        const QByteArray bytes = FileOf(house, d.apply);
        Project target = open;
        QString reason;
        EXPECT_FALSE(ParseProject(bytes, target, &reason)) << d.field;
        EXPECT_TRUE(reason.contains(QLatin1String(d.field)) &&
                    reason.contains(QStringLiteral("正しくありません")))
            << d.field << ": " << reason.toStdString();
        EXPECT_EQ(target.info.buildingName, open.info.buildingName) << d.field;
        EXPECT_EQ(target.nodes.count(), open.nodes.count()) << d.field;
    }
    // The message names the node of a node field.
    QString reason;
    Project target;
    ASSERT_FALSE(ParseProject(FileOf(house, cases[0].apply), target, &reason));
    EXPECT_EQ(reason,
              QStringLiteral("節点 (x 2, y 2, レベル 1) の brace(1).kind（2147483647）が正しくありません。"
                             "0～4 のはずです。"));
    ASSERT_FALSE(ParseProject(FileOf(house, [](Project &p) { p.nodes(2, 2, 3).cellFloor = 1; }), target, &reason));
    EXPECT_EQ(reason, QStringLiteral("節点 (x 2, y 2, レベル 3) の cellFloor（1）が正しくありません。"
                                     "屋根面（梁のみ）では 0 のはずです。"));
}

TEST(ProjectValues, ValuesOfOlderFilesAreStillReadAndWrittenBackByteForByte)
{
    const std::function<void(Project &)> older[] = {
        [](Project &p) { p.grid.lineStyleX = 0, p.grid.lineStyleY = 0; },  // read as style 1
        [](Project &p) {
            p.nodes(1, 1, 2).beam[1] = BeamInfo{-1, -3};
        },  // read as absolute values
        [](Project &p) { p.grid.lineStartX = INT_MAX, p.grid.lineStartY = INT_MIN; },
        [](Project &p) { p.info.levelHeight[1] = 2950, p.info.levelHeight[2] = 2800; },
        [](Project &p) { p.info.reserved.fill(0xFF), p.spare[4].value = INT_MIN; },  // carried through
        [](Project &p) { p.nodes(2, 1, 1).hardware[2] = QString(2000, QChar(u'金')); },
    };
    QList<QByteArray> files;
    for (const auto &change : older)
        files.append(FileOf(samples::SmallHouse(), change));
    // A through column entered on the one storey of a house keeps its upper half on the roof plane, as
    // the editor leaves it; beams there are the roof's.
    Project one = samples::NewProject(4, 3, 1);
    samples::PlaceColumn(one, 1, 2, 2, 2);
    samples::PlaceBeam(one, 2, kDirX, 2, 1, 5);
    files.append(FileOf(one, [](Project &) {}));
    for (const QByteArray &bytes : files) {
        Project p;
        QString reason;
        ASSERT_TRUE(ParseProject(bytes, p, &reason)) << reason.toStdString();
        EXPECT_EQ(SerializeProject(p), bytes);
    }
    // Line names of any stored start number are made without overflow.
    EXPECT_EQ(MajorLineName(kLineStyleNumbered, 121, INT_MAX, kDirX), QStringLiteral("X2147483767"));
    EXPECT_EQ(MajorLineName(kLineStyleDigits, 1, INT_MIN, kDirY), QStringLiteral("-2147483648"));
}

TEST(ProjectValues, TheProgramsOwnHousesAreSoundAndAProjectALoadWouldRefuseIsNotSaved)
{
    for (const Project &p : {samples::TwoStoreyHouse(), samples::LargestProject(), samples::LargestHouse(),
                             samples::HandWorkedCrossBeam(), samples::NewProject(120, 120, 2, 4)})
        EXPECT_EQ(ProjectValueProblem(p), QString());
    // The generated houses of the property tests too, one and two storeys, every division.
    for (unsigned seed = 1; seed <= 24; ++seed) {
        const Project p = samples::GeneratedHouse(samples::GeneratedShape(seed, 1 + seed % 4, seed % 2, 0), seed);
        EXPECT_EQ(ProjectValueProblem(p), QString()) << seed;
        EXPECT_EQ(ProjectValueProblem(samples::InEarlierFileForm(p)), QString()) << seed;
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.RQX"));
    Project p = samples::SmallHouse();
    p.info.moduleLength = 200.0f;  // 200 m: no dialog makes it, the file would never open again
    const FileResult result = SaveProjectFile(p, path);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(QStringLiteral("moduleLength"))) << result.message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
}
