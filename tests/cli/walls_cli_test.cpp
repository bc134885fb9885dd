// velmrqx-cli walls on the hand-worked house of the wall quantities (calc/wall_quantity_test.cpp):
// the CSV exactly, the options of a run, and every refusal with its reason and exit status 2.
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "calc/wall_inputs.h"
#include "cli/cli_run.h"
#include "dxf/dxf_read_back.h"
#include "model/project_file.h"
#include "support/sample_houses.h"

using namespace rqx;
using namespace rqx::test;

namespace {

const char kHeader[] =
    "storey,direction,floor_m2,lw,seismic_cm,exposed_m2,wind_cm,required_cm,existing_cm,ratio,result\n";

// The placement of the same house, worked by hand (1 m spans): storey 1 X portions y 0–1.5 and
// 4.5–6 m (12 and 7.5 m² under storey 2, Lw 46); Y portions x 0–2 (12 m², Lw 46) and 6–8 m (8 m², nothing
// above: the one-storey Lw 38); storey 2 (Lw 30) with its void cutting 0.5 and 0.25 m strips. G of
// storey 1 from its 42 m² and storey 2's 26 m²: (220/68, 196/68).
const char kPlacement[] =
    "\nstorey,direction,side,area_m2,lw,required_cm,existing_cm,fill,wall_ratio,result\n"
    "1,X,1,12.0000,46.0000,552.0000,2550.0000,4.6195,0.6274,OK\n"
    "1,X,2,7.5000,46.0000,345.0000,1000.0000,2.8985,0.6274,OK\n"
    "1,Y,1,12.0000,46.0000,552.0000,600.0000,1.0869,0.8260,OK\n"
    "1,Y,2,8.0000,38.0000,304.0000,400.0000,1.3157,0.8260,OK\n"
    "2,X,1,6.5000,30.0000,195.0000,1000.0000,5.1282,0.8666,OK\n"
    "2,X,2,7.5000,30.0000,225.0000,1000.0000,4.4444,0.8666,OK\n"
    "2,Y,1,7.0000,30.0000,210.0000,1800.0000,8.5714,0.0000,NG\n"
    "2,Y,2,7.5000,30.0000,225.0000,0.0000,0.0000,0.0000,NG\n"
    "\nstorey,gx,gy,sx,sy,ex,ey,kr,rex,rey,Rex,Rey,result\n"
    "1,3.2353,2.8824,3.2000,2.0930,0.0353,0.7893,445.2279,3.2178,6.6725,0.2454,0.0053,OK\n"
    "2,2.5769,3.1538,0.0000,3.0000,2.5769,0.1538,180.0000,3.0000,3.1623,0.0513,0.8149,NG\n";

struct Files {
    QTemporaryDir dir;
    QString withRoof;    // the gable roof stored, no Lw
    QString noHeights;   // the same without storey heights
    Files()
    {
        Project p = samples::HandWorkedWallHouse();
        WallInputs in;
        in.roof = {RoofKind::Gable, kDirX, 1500, 600, 450};
        EXPECT_TRUE(WriteWallInputs(p, in));
        withRoof = dir.filePath(QStringLiteral("walls.RQX"));
        EXPECT_TRUE(SaveProjectFile(p, withRoof).ok);
        p.info.levelHeight[1] = p.info.levelHeight[2] = 0;
        noHeights = dir.filePath(QStringLiteral("noheights.RQX"));
        EXPECT_TRUE(SaveProjectFile(p, noHeights).ok);
    }
};

}  // namespace

TEST(CliWalls, PrintsEveryStoreyAndDirectionAsCsv)
{
    Files f;
    CliRun r = Cli({QStringLiteral("walls"), f.withRoof, QStringLiteral("--lw"), QStringLiteral("46,30,38"),
                    QStringLiteral("--csv")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray(kHeader) +
                         "1,X,42.0000,46.0000,1932.0000,31.5000,1575.0000,1932.0000,4300.0000,2.2256,OK\n"
                         "1,Y,42.0000,46.0000,1932.0000,35.2500,1762.5000,1932.0000,1000.0000,0.5175,NG\n"
                         "2,X,26.0000,30.0000,780.0000,14.1000,705.0000,780.0000,2000.0000,2.5641,OK\n"
                         "2,Y,26.0000,30.0000,780.0000,16.1000,805.0000,805.0000,1800.0000,2.2360,OK\n" +
                         kPlacement);
    // A run's options: a flat roof without parapet (no roof area), C 75, heights given in metres.
    r = Cli({QStringLiteral("walls"), f.noHeights, QStringLiteral("--lw"), QStringLiteral("46,30,38"),
             QStringLiteral("--roof"), QStringLiteral("flat"), QStringLiteral("--wind"), QStringLiteral("75"),
             QStringLiteral("--heights"), QStringLiteral("2.9,2.8"), QStringLiteral("--csv")});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray(kHeader) +
                         "1,X,42.0000,46.0000,1932.0000,26.1000,1957.5000,1957.5000,4300.0000,2.1966,OK\n"
                         "1,Y,42.0000,46.0000,1932.0000,26.4000,1980.0000,1980.0000,1000.0000,0.5050,NG\n"
                         "2,X,26.0000,30.0000,780.0000,8.7000,652.5000,780.0000,2000.0000,2.5641,OK\n"
                         "2,Y,26.0000,30.0000,780.0000,7.2500,543.7500,780.0000,1800.0000,2.3076,OK\n" +
                         kPlacement);
    r = Cli({QStringLiteral("walls"), f.withRoof, QStringLiteral("--lw"), QStringLiteral("46,30,38")});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.outText().contains(QLatin1String("NG"))) << r.outText().toStdString();
}

TEST(CliWalls, RefusesWhatTheDialogRefusesAndMissingConditions)
{
    Files f;
    struct Case {
        QStringList options;
        const char *reason;
    };
    const Case cases[] = {
        {{QStringLiteral("--lw"), QStringLiteral("46,30,38"), QStringLiteral("--wind"), QStringLiteral("49")},
         "風圧力"},
        {{QStringLiteral("--lw"), QStringLiteral("46,30,38"), QStringLiteral("--wind"), QStringLiteral("76")},
         "風圧力"},
        {{QStringLiteral("--lw"), QStringLiteral("46,30,38"), QStringLiteral("--wind"), QStringLiteral("5O")},
         "数値"},
        {{QStringLiteral("--lw"), QStringLiteral("46,30")}, "３つ"},
        {{QStringLiteral("--lw"), QStringLiteral("46,4,38")}, "範囲外"},
        {{QStringLiteral("--lw"), QStringLiteral("46,151,38")}, "範囲外"},
        {{QStringLiteral("--lw"), QStringLiteral("46,-30,38")}, "数値"},
        {{QStringLiteral("--lw"), QStringLiteral("46,3O,38")}, "数値"},
        {{QStringLiteral("--lw"), QStringLiteral("46,30,38"), QStringLiteral("--roof"), QStringLiteral("gable")},
         "屋根"},
        {{QStringLiteral("--lw"), QStringLiteral("46,30,38"), QStringLiteral("--heights"), QStringLiteral("x")},
         "階高"},
        {{}, "Lw が入力されていません"},
    };
    for (const Case &c : cases) {
        const CliRun r = Cli(QStringList{QStringLiteral("walls"), f.withRoof} + c.options);
        SCOPED_TRACE(c.options.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.reason))) << r.err.toStdString();
    }
    // Without storey heights the wind check cannot be made: said, not assumed.
    const CliRun r = Cli({QStringLiteral("walls"), f.noHeights, QStringLiteral("--lw"), QStringLiteral("46,30,38")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("階高が入力されていません"))) << r.err.toStdString();
}

// The report's 見付面積 figure as DXF drawings: each storey's band at its model position and height
// (mm), the roof over the top storey with its overhangs.
TEST(CliWalls, ReportWritesBothElevationsAsDrawings)
{
    VELM_NEEDS_DXF_READER();
    Files f;
    Project p;
    ASSERT_TRUE(LoadProjectFile(f.withRoof, p).ok);
    WallInputs in = ReadWallInputs(p);
    in.lw = {46.0, 30.0, 38.0};
    ASSERT_TRUE(WriteWallInputs(p, in));
    const QString path = f.dir.filePath(QStringLiteral("entered.RQX"));
    ASSERT_TRUE(SaveProjectFile(p, path).ok);
    const QString folder = f.dir.filePath(QStringLiteral("dxf"));
    const CliRun r = Cli({QStringLiteral("report"), path, QStringLiteral("--dxf"), folder});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    struct Expected {
        const char *file;
        QList<QList<double>> bands;  // x1, y1, x2, y2 of each storey's outline
        QList<double> roof;          // its lowest and highest x, y
    };
    const Expected expected[] = {
        {"X_見付面積図.dxf", {{0, 0, 6000, 2900}, {0, 2900, 6000, 5700}}, {-600, 5700, 6600, 7200}},
        {"Y_見付面積図.dxf", {{0, 0, 8000, 2900}, {0, 2900, 5000, 5700}}, {-450, 5700, 5450, 7200}},
    };
    for (const Expected &e : expected) {
        SCOPED_TRACE(e.file);
        const QJsonObject dxf = test::ReadDxfBack(folder + QLatin1Char('/') + QString::fromUtf8(e.file));
        QList<QList<double>> bands;
        QList<double> roof;
        for (const QJsonValue &v : dxf.value(QStringLiteral("entities")).toArray()) {
            const QJsonObject entity = v.toObject();
            if (entity.value(QStringLiteral("type")).toString() != QStringLiteral("LWPOLYLINE"))
                continue;
            double x1 = 1e9, y1 = 1e9, x2 = -1e9, y2 = -1e9;
            for (const QJsonValue &pt : entity.value(QStringLiteral("points")).toArray()) {
                const double x = pt.toArray().at(0).toDouble(), y = pt.toArray().at(1).toDouble();
                x1 = std::min(x1, x), y1 = std::min(y1, y), x2 = std::max(x2, x), y2 = std::max(y2, y);
            }
            const QList<double> box = {std::round(x1), std::round(y1), std::round(x2), std::round(y2)};
            if (entity.value(QStringLiteral("layer")).toString() == QStringLiteral("WALLS"))
                bands << box;
            else if (entity.value(QStringLiteral("layer")).toString() == QStringLiteral("BEAMS"))
                roof = box;
        }
        EXPECT_EQ(bands, e.bands);
        EXPECT_EQ(roof, e.roof);
    }

    // The wall placement's plan of storey 1 (6 × 8 m): its quarter lines on their own layer, 0.3 m
    // beyond the extent, at y 1.5 and 4.5 m (walls along X) and x 2 and 6 m (walls along Y).
    const QJsonObject plan = test::ReadDxfBack(folder + QStringLiteral("/1F_壁の配置.dxf"));
    QList<QList<double>> quarters;
    for (const QJsonValue &v : plan.value(QStringLiteral("entities")).toArray()) {
        const QJsonObject entity = v.toObject();
        if (entity.value(QStringLiteral("layer")).toString() != QStringLiteral("QUARTERS"))
            continue;
        QList<double> line;
        for (const QJsonValue &pt : entity.value(QStringLiteral("points")).toArray())
            line << std::round(pt.toArray().at(0).toDouble()) << std::round(pt.toArray().at(1).toDouble());
        quarters << line;
    }
    // Off the grid lines a position is as exact as the page's twips: 1.8 mm at 1/100.
    std::sort(quarters.begin(), quarters.end());
    const QList<QList<double>> lines = {{-300, 1500, 8300, 1500},
                                        {-300, 4500, 8300, 4500},
                                        {2000, -300, 2000, 6300},
                                        {6000, -300, 6000, 6300}};
    ASSERT_EQ(quarters.size(), lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        for (qsizetype k = 0; k < 4; ++k)
            EXPECT_NEAR(quarters[i].value(k), lines[i][k], 1.8) << i << " " << k;
}
