// The wall-quantity conditions in the file's spare table: files without them keep every byte, a file
// with them reads back the same conditions and bytes, and values outside their ranges are named.
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "calc/wall_inputs.h"
#include "calc/wall_quantity.h"
#include "model/project_file.h"
#include "support/sample_houses.h"

using namespace rqx;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

WallInputs Entered()
{
    WallInputs in;
    in.route = LwRoute::Weights;
    in.lw = {46.5, 30.25, 38.0};
    in.lwSource = QStringLiteral("早見表（2025年版）; 屋根=重い, w=?");
    in.weightKn = {180.0, 125.0};
    in.oneStoreyLoad = 4.0;
    in.buildingHeightM = 6.5;
    in.c0 = 0.3;
    in.windC = 62.5;
    in.roof = {RoofKind::Shed, kDirY, 1200, 450, 300};
    in.exposedOverride = {0.0, 12.5, 0.0, 0.0};
    in.placementReport = PlacementReport::Eccentricity;
    return in;
}

}  // namespace

TEST(WallInputs, EveryEarlierFileKeepsItsBytesAndReadsTheDefaults)
{
    const QString data = QStringLiteral(VELM_TEST_DATA_DIR);
    QStringList files;
    for (const QString &name : QDir(data).entryList({QStringLiteral("*.RQX")}, QDir::Files))
        files << data + QLatin1Char('/') + name;
    files << data + QStringLiteral("/../../examples/two_storey_house.RQX");
    ASSERT_GE(files.size(), 3);
    for (const QString &path : files) {
        SCOPED_TRACE(path.toStdString());
        const QByteArray bytes = ReadAll(path);
        Project p;
        ASSERT_TRUE(ParseProject(bytes, p));
        EXPECT_FALSE(HasWallInputs(p));
        EXPECT_EQ(ReadWallInputs(p), WallInputs{});
        const WallQuantityResult r = ComputeWallQuantities(p);
        EXPECT_EQ(r.storeys, p.dims.floorCount);
        // Writing the defaults into a table without the conditions writes nothing.
        EXPECT_TRUE(WriteWallInputs(p, WallInputs{}));
        EXPECT_EQ(SerializeProject(p), bytes);
    }
}

TEST(WallInputs, ConditionsRoundTripBesideForeignEntries)
{
    Project p = samples::SmallHouse();
    p.spare[1] = {QStringLiteral("他のプログラムの値"), 7};
    bool changed = false;
    ASSERT_TRUE(WriteWallInputs(p, Entered(), &changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(p.spare[1], (SpareEntry{QStringLiteral("他のプログラムの値"), 7}));
    EXPECT_TRUE(p.spare[2].text.startsWith(QLatin1String("WALLS ")));
    const QByteArray bytes = SerializeProject(p);
    Project back;
    ASSERT_TRUE(ParseProject(bytes, back));
    EXPECT_EQ(ReadWallInputs(back), Entered());
    EXPECT_EQ(SerializeProject(back), bytes);
    // The same conditions again change no byte; other conditions reuse the entry.
    ASSERT_TRUE(WriteWallInputs(back, Entered(), &changed));
    EXPECT_FALSE(changed);
    WallInputs other = Entered();
    other.windC = 50.0;
    ASSERT_TRUE(WriteWallInputs(back, other, &changed));
    EXPECT_TRUE(changed);
    EXPECT_TRUE(back.spare[3].text.isEmpty());
    EXPECT_EQ(ReadWallInputs(back), other);

    // A table full of other values takes nothing and keeps them.
    Project full = samples::SmallHouse();
    for (int k = 1; k <= 10; ++k)
        full.spare[k] = {QString(), k};
    const auto before = full.spare;
    EXPECT_FALSE(WriteWallInputs(full, Entered()));
    EXPECT_EQ(full.spare, before);
}

TEST(WallInputs, ValuesOutsideTheirRangesAreNamed)
{
    EXPECT_TRUE(WallInputsProblem(Entered()).isEmpty());
    struct Case {
        void (*bad)(WallInputs &);
        const char *word;
    };
    const Case cases[] = {
        {[](WallInputs &in) { in.lw[kLwStorey2] = 4.9; }, "２階の Lw"},
        {[](WallInputs &in) { in.lw[kLwOneStorey] = 151.0; }, "平屋部分の Lw"},
        {[](WallInputs &in) { in.windC = 49.0; }, "風圧力"},
        {[](WallInputs &in) { in.windC = 76.0; }, "風圧力"},
        {[](WallInputs &in) { in.c0 = 0.25; }, "C0"},
        {[](WallInputs &in) { in.weightKn[0] = 0.05; }, "w1"},
        {[](WallInputs &in) { in.roof.riseMm = -1; }, "屋根"},
        {[](WallInputs &in) { in.roof.vergeMm = 3001; }, "けらば"},
        {[](WallInputs &in) { in.exposedOverride[3] = 10001.0; }, "見付面積"},
    };
    for (const Case &c : cases) {
        WallInputs in = Entered();
        c.bad(in);
        EXPECT_TRUE(WallInputsProblem(in).contains(QString::fromUtf8(c.word))) << c.word;
    }
    double v = 0.0;
    for (const char *bad : {"3,5", "-1", "1e3", "abc", "", "1.2.3", "+4"})
        EXPECT_FALSE(ParseDecimal(QString::fromUtf8(bad), v)) << bad;
    EXPECT_TRUE(ParseDecimal(QStringLiteral(" 32.74 "), v));
    EXPECT_DOUBLE_EQ(v, 32.74);
}
