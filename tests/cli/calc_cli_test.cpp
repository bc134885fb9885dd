// velmrqx-cli calc on saved test houses: the CSV of every column, exactly.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "model/project_file.h"
#include "support/generated_houses.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"

using namespace rqx;
using namespace rqx::samples;
using namespace rqx::test;

namespace {

const char kHeader[] =
    "level,x,y,kind,through,corner,aX,aY,b,l,nOwnX,nOwnY,nBeamX,nBeamY,nCrossX,nCrossY,totalX,totalY,"
    "notCarried,required\n";

}  // namespace

TEST(CliCalc, PrintsEveryColumnOfTheHouseAsCsv)
{
    // The cross-beam house (values worked out in house_calc_test.cpp): storey 1 by y then x,
    // then storey 2. U at (2,3) on storey 2 passes 1.25 along the beam to (1,3) and 0.625
    // through the Y beam to (3,1) and (3,5).
    QTemporaryDir dir;
    Project p = HandWorkedCrossBeam();
    const QString path = dir.filePath(QStringLiteral("cross.RQX"));
    ASSERT_TRUE(SaveProjectFile(p, path).ok);
    const CliRun r = Cli({QStringLiteral("calc"), path});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    const QByteArray expected =
        QByteArray(kHeader) +
        "1,1,1,1,0,1,2.0000,2.5000,0.8000,1.0000,0.6000,1.0000,0.0000,0.0000,0.0000,0.0000,0.6000,1.0000,0,"
        "(は)\n"
        "1,3,1,1,0,0,1.0000,0.0000,0.5000,1.6000,-1.1000,-1.6000,0.0000,0.0000,0.6250,0.0000,-0.4750,-1.6000,"
        "0,"
        "(い)\n"
        "1,5,1,1,0,1,0.0000,0.0000,0.8000,1.0000,-1.0000,-1.0000,0.0000,0.0000,0.0000,0.0000,-1.0000,-1.0000,"
        "0,"
        "(い)\n"
        "1,1,3,1,0,0,3.0000,2.5000,0.5000,1.6000,-0.1000,-0.3500,1.2500,0.0000,0.0000,0.0000,1.1500,-0.3500,"
        "0,"
        "(に)\n"
        "1,1,5,1,0,1,0.0000,0.0000,0.8000,1.0000,-1.0000,-1.0000,0.0000,0.0000,0.0000,0.0000,-1.0000,-1.0000,"
        "0,"
        "(い)\n"
        "1,3,5,1,0,0,2.0000,0.0000,0.5000,1.6000,-0.6000,-1.6000,0.0000,0.0000,0.6250,0.0000,0.0250,-1.6000,"
        "0,"
        "(ろ)\n"
        "1,5,5,1,0,1,2.0000,0.0000,0.8000,1.0000,0.6000,-1.0000,0.0000,0.0000,0.0000,0.0000,0.6000,-1.0000,0,"
        "(ろ)\n"
        "2,1,1,1,0,1,0.0000,0.0000,0.8000,0.4000,-0.4000,-0.4000,0.0000,0.0000,0.0000,0.0000,-0.4000,-0.4000,"
        "0,"
        "(い)\n"
        "2,5,1,1,0,1,0.0000,0.0000,0.8000,0.4000,-0.4000,-0.4000,0.0000,0.0000,0.0000,0.0000,-0.4000,-0.4000,"
        "0,"
        "(い)\n"
        "2,2,3,1,0,0,5.0000,0.0000,0.5000,0.6000,1.9000,-0.6000,0.0000,0.0000,0.0000,0.0000,1.9000,-0.6000,0,"
        "(と)\n"
        "2,1,5,1,0,1,0.0000,0.0000,0.8000,0.4000,-0.4000,-0.4000,0.0000,0.0000,0.0000,0.0000,-0.4000,-0.4000,"
        "0,"
        "(い)\n"
        "2,5,5,1,0,1,0.0000,0.0000,0.8000,0.4000,-0.4000,-0.4000,0.0000,0.0000,0.0000,0.0000,-0.4000,-0.4000,"
        "0,"
        "(い)\n";
    EXPECT_EQ(r.out.toStdString(), expected.toStdString());

    // Without the column at (3,5) the pull-out of U is flagged on its row.
    p.nodes(3, 5, 1).columnKind = 0;
    ASSERT_TRUE(SaveProjectFile(p, path).ok);
    const CliRun flagged = Cli({QStringLiteral("calc"), path});
    EXPECT_EQ(flagged.status, 0);
    EXPECT_TRUE(flagged.out.contains(
        "2,2,3,1,0,0,5.0000,0.0000,0.5000,0.6000,1.9000,-0.6000,0.0000,0.0000,0.0000,0.0000,1.9000,-0.6000,1,"
        "(と)\n"));
    EXPECT_FALSE(flagged.out.contains("1,3,5,"));
}

TEST(CliCalc, ThroughColumnsAndLabelsBeyondTheTable)
{
    QTemporaryDir dir;
    // Two-storey house by the commentary: the through column (3,3) on storey 1,
    // N = 2.5×0.5 + 3.0×0.5 − 1.6 = 1.15.
    Project two = HandWorkedTwoStorey(0);
    const QString twoPath = dir.filePath(QStringLiteral("two.RQX"));
    ASSERT_TRUE(SaveProjectFile(two, twoPath).ok);
    CliRun r = Cli({QStringLiteral("calc"), twoPath});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(
        r.out.contains("\n1,3,3,2,1,0,3.0000,0.0000,0.5000,1.6000,1.1500,-1.6000,0.0000,0.0000,0.0000,0.0000,"
                       "1.1500,-1.6000,0,"
                       "(に)\n"))
        << r.out.toStdString();
    EXPECT_EQ(r.out.count('\n'), 1 + 7 + 6);  // header, 7 + 6 columns

    // A through column with 5.0 cross braces on both storeys and no floor:
    // N = 5.0×0.8 + 5.0×0.8 − 0.4 = 7.6, beyond the table.
    Project big = NewProject(2, 2, 2, 2, LineNames::kNone);
    PlaceColumn(big, 1, 1, 1, 2);
    PlaceWall(big, 1, kDirX, 1, 1, 2, kKeyTasuki, 4);
    PlaceWall(big, 2, kDirX, 1, 1, 2, kKeyTasuki, 4);
    const QString bigPath = dir.filePath(QStringLiteral("big.RQX"));
    ASSERT_TRUE(SaveProjectFile(big, bigPath).ok);
    r = Cli({QStringLiteral("calc"), bigPath});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.toStdString(),
              std::string(kHeader) +
                  "1,1,1,2,1,1,5.0000,0.0000,0.8000,0.4000,7.6000,-0.4000,0.0000,0.0000,0.0000,0.0000,7.6000,"
                  "-0.4000,0,範囲外\n"
                  "2,1,1,2,1,1,5.0000,0.0000,0.8000,0.4000,3.6000,-0.4000,0.0000,0.0000,0.0000,0.0000,3.6000,"
                  "-0.4000,0,(ち)\n");

    // The readable table names the grid lines and the class.
    r = Cli({QStringLiteral("calc"), QStringLiteral("--table"), bigPath});
    EXPECT_EQ(r.status, 0);
    const QString table = QString::fromUtf8(r.out);
    EXPECT_TRUE(table.contains(QStringLiteral("storey 1: 1 columns")));
    EXPECT_TRUE(table.contains(QStringLiteral("範囲外")));
}

TEST(CliCalc, RefusedFileExitsWithOneAndTheReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("junk.RQX"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a project");
    f.close();
    CliRun r = Cli({QStringLiteral("calc"), path});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains(QStringLiteral("のデータではありません"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("File Name: junk.RQX")));

    EXPECT_EQ(Cli({QStringLiteral("calc")}).status, 2);
    EXPECT_EQ(Cli({QStringLiteral("calc"), path, path}).status, 2);
}

TEST(CliCalc, HeightsGivenForARunActAsStoredHeightsAndLeaveTheFile)
{
    // The one-storey house at H1 = 3.50 m (storey_height_test.cpp): the corner (5,3) with the 2.5 board,
    // 2.0×3.50/2.7 − 0.4 = 2.1926 (と), was 1.6 (ほ).
    QTemporaryDir dir;
    Project plain = HandWorkedOneStorey();
    const QString plainPath = dir.filePath(QStringLiteral("plain.RQX"));
    ASSERT_TRUE(SaveProjectFile(plain, plainPath).ok);
    Project high = HandWorkedOneStorey();
    high.info.levelHeight[1] = 3500;
    const QString highPath = dir.filePath(QStringLiteral("high.RQX"));
    ASSERT_TRUE(SaveProjectFile(high, highPath).ok);
    QFile plainFile(plainPath);
    ASSERT_TRUE(plainFile.open(QIODevice::ReadOnly));
    const QByteArray plainBytes = plainFile.readAll();
    plainFile.close();

    const CliRun before = Cli({QStringLiteral("calc"), plainPath});
    const CliRun given =
        Cli({QStringLiteral("calc"), QStringLiteral("--heights"), QStringLiteral("3.5"), plainPath});
    const CliRun stored = Cli({QStringLiteral("calc"), highPath});
    const CliRun cleared =
        Cli({QStringLiteral("calc"), highPath, QStringLiteral("--heights"), QStringLiteral("0,0")});
    for (const CliRun *r : {&before, &given, &stored, &cleared})
        EXPECT_EQ(r->status, 0) << r->err.toStdString();
    EXPECT_TRUE(before.out.contains("\n1,5,3,1,0,1,2.5000,1.0000,0.8000,0.4000,1.6000,0.4000,"));
    EXPECT_TRUE(given.out.contains(
        "\n1,5,3,1,0,1,2.5000,1.0000,0.8000,0.4000,2.1926,0.6370,0.0000,0.0000,0.0000,0.0000,2.1926,0.6370,0,"
        "(と)\n"))
        << given.out.toStdString();
    EXPECT_EQ(given.out, stored.out);
    EXPECT_EQ(cleared.out, before.out);
    ASSERT_TRUE(plainFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(plainFile.readAll(), plainBytes);

    // The table says which heights it used; info shows the stored ones, and nothing for a file without.
    const CliRun table = Cli({QStringLiteral("calc"), QStringLiteral("--table"), QStringLiteral("--heights"),
                              QStringLiteral("3.333,2.8"), plainPath});
    EXPECT_TRUE(table.outText().startsWith(QStringLiteral("heights: H1 3333 mm (x1.2344)\n\n")))
        << table.out.toStdString();
    EXPECT_TRUE(Cli({QStringLiteral("info"), highPath})
                    .outText()
                    .contains(QStringLiteral("\nmodule: 0.91 m\nheights: H1 3500 mm H2 0 mm\nlevel 1: ")));
    EXPECT_FALSE(Cli({QStringLiteral("info"), plainPath}).outText().contains(QStringLiteral("heights")));

    // The report of a run shows the heights used.
    const CliRun report = Cli({QStringLiteral("report"), plainPath, QStringLiteral("--text"),
                               QStringLiteral("--heights"), QStringLiteral("3.5")});
    EXPECT_EQ(report.status, 0) << report.err.toStdString();
    EXPECT_TRUE(
        report.outText().contains(QStringLiteral("\n１階  H1 = 3,500 mm (H1/2.7 = 3.50/2.7 = 1.296)\n")));

    // The heights used are echoed in millimetres: a decimal comma shows as two heights at once.
    const CliRun comma = Cli({QStringLiteral("calc"), QStringLiteral("--heights"), QStringLiteral("3,5"), plainPath});
    EXPECT_EQ(comma.status, 0);
    EXPECT_TRUE(comma.err.contains(QStringLiteral("H1 3000 mm, H2 5000 mm"))) << comma.err.toStdString();
    EXPECT_TRUE(given.err.contains(QStringLiteral("H1 3500 mm, H2 0 mm"))) << given.err.toStdString();
    EXPECT_TRUE(before.err.isEmpty());

    // Each refusal names the value and what is expected (the dialog's rule in metres), then the usage.
    struct Bad {
        const char *value;
        const char *named;  // the part of the message that names the wrong value
    };
    const Bad bads[] = {{"abc", "H1 \"abc\": not a number of metres"},
                        {"3.5,2.8,3", "3 values; expected at most two"},
                        {"-1", "H1 \"-1\": not a number"},
                        {"100.001", "H1 \"100.001\": above the storey range"},
                        {"3500", "H1 \"3500\": above the storey range"},
                        {"3.5,1.5", "H2 \"1.5\": below the storey range"},
                        {"2.9505", "H1 \"2.9505\": finer than a millimetre"},
                        {"3.5,", "H2 is empty"},
                        {"", "H1 is empty"}};
    for (const Bad &bad : bads) {
        const CliRun r = Cli({QStringLiteral("calc"), QStringLiteral("--heights"), QString::fromLatin1(bad.value), plainPath});
        EXPECT_EQ(r.status, 2) << bad.value;
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(bad.named))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String("2.00 to 6.00"))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String("usage: velmrqx-cli calc"))) << r.err.toStdString();
    }
    // report and walls refuse the same way.
    for (const char *command : {"report", "walls"}) {
        const CliRun r = Cli({QString::fromLatin1(command), plainPath, QStringLiteral("--heights"),
                              QStringLiteral("3.5,0.35"), QStringLiteral("--text")});
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_TRUE(r.err.contains(QLatin1String("H2 \"0.35\": below the storey range"))) << r.err.toStdString();
    }
    EXPECT_EQ(Cli({QStringLiteral("calc"), plainPath, QStringLiteral("--heights")}).status, 2);
}

TEST(CliCalc, BeamFlagsStoredNegativeByEarlierVersionsCountAsTheSameBeams)
{
    QTemporaryDir dir;
    for (unsigned seed : {3u, 8u}) {
        const Project house = GeneratedHouse(GeneratedShape(seed, 2, seed % 2, 0), seed);
        Project now = house;
        Project earlier = InEarlierFileForm(house);
        const QString nowPath = dir.filePath(QStringLiteral("now%1.RQX").arg(seed));
        const QString earlierPath = dir.filePath(QStringLiteral("earlier%1.RQX").arg(seed));
        ASSERT_TRUE(SaveProjectFile(now, nowPath).ok);
        ASSERT_TRUE(SaveProjectFile(earlier, earlierPath).ok);
        for (const QStringList &command : {QStringList{QStringLiteral("info")}, QStringList{QStringLiteral("calc")},
                                           QStringList{QStringLiteral("calc"), QStringLiteral("--table")}}) {
            const CliRun a = Cli(command + QStringList{nowPath});
            const CliRun b = Cli(command + QStringList{earlierPath});
            EXPECT_EQ(a.status, 0) << a.err.toStdString();
            EXPECT_EQ(b.out.toStdString(), a.out.toStdString()) << command.join(' ').toStdString();
        }
    }
}
