// Runs the built velmrqx-cli the way users and scripts do: --version, info and resave on real files.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "model/project_file.h"
#include "support/sample_projects.h"

using namespace rqx;
using rqx::test::Cli;
using rqx::test::CliRun;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

const QString kTwoStorey = QStringLiteral(VELM_TEST_DATA_DIR "/two_storey.RQX");

}  // namespace

TEST(CliFileCommands, VersionAndUsage)
{
    CliRun r = Cli({QStringLiteral("--version")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.outText(), VersionText() + QStringLiteral("\n"));
    r = Cli({});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("resave IN.RQX OUT.RQX")));
    EXPECT_EQ(Cli({QStringLiteral("info")}).status, 2);
}

TEST(CliFileCommands, InfoCountsTheMembersOfEveryLevel)
{
    // 4 × 2 spans, two storeys. Storey 1: floors on all 8 cells; an X brace over spans 1-2 of line
    // y=1 and a Y board over spans 1-2 of line x=5, each with columns at its two ends (4) and beams
    // on its spans at levels 1 and 2 (2 + 2 per level); a through column at (1,3) adds one column
    // on storeys 1 and 2. Storey 2: 2 × 2 floor cells and 2 void cells. Roof: 4 beam spans.
    QTemporaryDir dir;
    Project p = samples::NewProject(4, 2, 2);
    p.info.buildingName = QStringLiteral("試験邸 ＡＢＣ ｱｲｳ～");
    samples::PlaceFloor(p, 1, 1, 1, 5, 3, 1);
    samples::PlaceFloor(p, 2, 1, 1, 3, 3, 1);
    samples::PlaceFloor(p, 2, 3, 1, 5, 2, 2);
    samples::PlaceWall(p, 1, kDirX, 1, 1, 3, kKeyKesa, 3);
    samples::PlaceWall(p, 1, kDirY, 5, 1, 3, kKeyMenzai, 4);
    samples::PlaceColumn(p, 1, 1, 3, 2);
    samples::PlaceBeam(p, 3, kDirX, 3, 1, 5);
    const QString path = dir.filePath(QStringLiteral("試験.RQX"));
    ASSERT_TRUE(SaveProjectFile(p, path).ok);

    const CliRun r = Cli({QStringLiteral("info"), path});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.outText(),
              QStringLiteral("building: 試験邸 ＡＢＣ ｱｲｳ～\n"
                             "storeys: 2\n"
                             "spans: X 4 Y 2\n"
                             "divisions: 2\n"
                             "module: 0.91 m\n"
                             "level 1: columns=5 through=1 brace-spans=2 board-spans=2 beam-spans=4"
                             " floor-cells=8 void-cells=0\n"
                             "level 2: columns=1 through=1 brace-spans=0 board-spans=0 beam-spans=4"
                             " floor-cells=4 void-cells=2\n"
                             "level 3: columns=0 through=0 brace-spans=0 board-spans=0 beam-spans=4"
                             " floor-cells=0 void-cells=0\n"));
    EXPECT_TRUE(r.err.isEmpty());

    const CliRun sample = Cli({QStringLiteral("info"), kTwoStorey});
    EXPECT_EQ(sample.status, 0);
    EXPECT_TRUE(
        sample.outText().startsWith(QStringLiteral("building: 髙橋様邸 新築工事（ﾃｽﾄ）\nstoreys: 2\n"
                                                   "spans: X 16 Y 12\ndivisions: 2\n")))
        << sample.outText().toStdString();
}

TEST(CliFileCommands, ResaveWritesWhatTheProgramsSaveWrites)
{
    QTemporaryDir dir;
    // A file whose outline marks are stale: Save recomputes them, so resave must too.
    Project p = samples::NewProject(3, 3, 1);
    samples::PlaceFloor(p, 1, 1, 1, 3, 3, 1);
    for (NodeRecord &n : p.nodes)
        n.outlineEdge[kDirX] = 1;
    p.header.productName = kProductName;
    const QString in = dir.filePath(QStringLiteral("in.RQX"));
    WriteAll(in, SerializeProject(p));
    const QString out = dir.filePath(QStringLiteral("out.RQX"));
    WriteAll(out, QByteArray(300000, 'z'));  // an older, longer file

    const CliRun r = Cli({QStringLiteral("resave"), in, out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QString expected = dir.filePath(QStringLiteral("expected.RQX"));
    ASSERT_TRUE(SaveProjectFile(p, expected).ok);
    EXPECT_EQ(ReadAll(out), ReadAll(expected));
    EXPECT_NE(ReadAll(out), ReadAll(in));

    // The sample was written by Save: resaving it changes nothing but possibly the version text.
    const QString again = dir.filePath(QStringLiteral("again.RQX"));
    ASSERT_EQ(Cli({QStringLiteral("resave"), kTwoStorey, again}).status, 0);
    Project a, b;
    ASSERT_TRUE(LoadProjectFile(kTwoStorey, a).ok);
    ASSERT_TRUE(LoadProjectFile(again, b).ok);
    b.header.versionText = a.header.versionText;
    EXPECT_EQ(SerializeProject(a), SerializeProject(b));
}

TEST(CliFileCommands, RefusedFilesExitWithOneAndWriteNothing)
{
    QTemporaryDir dir;
    const QByteArray sample = ReadAll(kTwoStorey);
    const QString cut = dir.filePath(QStringLiteral("cut.RQX"));
    WriteAll(cut, sample.left(sample.size() / 2));
    const QString foreign = dir.filePath(QStringLiteral("foreign.RQX"));
    WriteAll(foreign, QByteArray("\x09\x00Ver.1.0.1\x08\x00OTHERAPP\x00\x00\x00\x00", 25) + sample.mid(25));
    const QString out = dir.filePath(QStringLiteral("out.RQX"));

    struct Case {
        QString in;
        QString reason;
    };
    const Case cases[] = {
        {cut, QStringLiteral("ファイルが短すぎます")},
        {foreign, QStringLiteral("のデータではありません")},
        {dir.filePath(QStringLiteral("missing.RQX")), QStringLiteral("のデータではありません")},
        {dir.path(), QStringLiteral("のデータではありません")},
    };
    for (const Case &c : cases) {
        for (const QString &command : {QStringLiteral("info"), QStringLiteral("resave")}) {
            QStringList args{command, c.in};
            if (command == QStringLiteral("resave"))
                args << out;
            const CliRun r = Cli(args);
            EXPECT_EQ(r.status, 1) << c.in.toStdString();
            EXPECT_TRUE(r.err.contains(c.reason)) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains(QStringLiteral("File Name: ") + QFileInfo(c.in).fileName()))
                << r.err.toStdString();
            EXPECT_TRUE(r.out.isEmpty());
            EXPECT_FALSE(QFileInfo::exists(out));
        }
    }

    // A good file to a place that cannot be written.
    const QString nowhere = dir.filePath(QStringLiteral("no/such/dir/out.RQX"));
    const CliRun r = Cli({QStringLiteral("resave"), kTwoStorey, nowhere});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("ファイルを保存できませんでした。"))) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}
