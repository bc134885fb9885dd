// Runs the built velmrqx-cli the way users and scripts do: --version, info and resave on real files.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>


#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "model/project_file.h"
#include "support/house_builder.h"

using namespace rqx;
using rqx::test::Cli;
using rqx::test::CliRun;
using rqx::test::Wrapped;

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
    samples::PlaceWall(p, 1, kDirX, 1, 1, 3, kKeyKesa, 3, {.linked = true});
    samples::PlaceWall(p, 1, kDirY, 5, 1, 3, kKeyMenzai, 4, {.linked = true});
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
    // A header claiming 1000 × 1000 spans in a file of 2000 bytes: refused for its grid at once.
    QByteArray huge = sample.left(2000);
    qsizetype fixedAt = 25;
    for (int i = 0; i < 3; ++i)  // building, office and person names
        fixedAt += 2 + qFromLittleEndian<uint16_t>(huge.constData() + fixedAt);
    qToLittleEndian<int32_t>(1000, huge.data() + fixedAt + 28);
    qToLittleEndian<int32_t>(1000, huge.data() + fixedAt + 32);
    const QString oversize = dir.filePath(QStringLiteral("oversize.RQX"));
    WriteAll(oversize, huge);
    const QString out = dir.filePath(QStringLiteral("out.RQX"));

    struct Case {
        QString in;
        QString reason;
    };
    const Case cases[] = {
        {cut, QStringLiteral("ファイルが短すぎます")},
        {foreign, QStringLiteral("のデータではありません。\nFile Name: foreign.RQX\n"
                                 "velmrqx-cli: not a project file of this program\n")},
        {dir.filePath(QStringLiteral("missing.RQX")),
         QStringLiteral(
             "ファイルが見つかりません。\nFile Name: missing.RQX\nvelmrqx-cli: file not found (ENOENT)\n")},
        {dir.path(), QStringLiteral("ファイルではなくフォルダです。\nFile Name: ")},
        {oversize,
         QStringLiteral(
             "グリッドの大きさ（X 1000、Y 1000 スパン）がこのプログラムで扱える大きさを超えています。")},
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

// The sanitizer runtimes make write calls of their own (a pipe probe before reading memory), so under
// them the first write of the process is not the save's: an injected write fault would hit the runtime.
// Write faults are then covered by the failing file layer tests alone.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__)
constexpr bool kWritesOfOurOwnOnly = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
constexpr bool kWritesOfOurOwnOnly = false;
#else
constexpr bool kWritesOfOurOwnOnly = true;
#endif
#else
constexpr bool kWritesOfOurOwnOnly = true;
#endif

TEST(CliFileCommands, FailedSavesUnderInjectedFaultsExitWithOneAndKeepTheOldFile)
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        GTEST_SKIP() << "strace is not installed";
    Cli({QStringLiteral("--version")});  // creates the application object QProcess needs
    QTemporaryDir dir;
    const QString in = QStringLiteral(VELM_TEST_DATA_DIR "/small_house.RQX");
    const QString out = dir.filePath(QStringLiteral("old.RQX"));
    struct Case {
        const char *inject;
        const char *cause;    // in the message
        const char *english;  // the last line
        bool newFile;         // the rename happened, only the folder sync failed
    };
    const Case cases[] = {
        {"write:error=ENOSPC:when=1", "ディスクの空き容量が足りません（書き込み中、ENOSPC）。",
         "disk full (ENOSPC) while writing", false},
        {"write:error=EIO:when=1", "（書き込み中、EIO）", "I/O error (EIO) while writing", false},
        {"fdatasync:error=EIO", "（ディスクへの書き込みの確定中、EIO）",
         "I/O error (EIO) while syncing to disk", false},
        {"rename:error=EIO", "（元のファイルとの置き換え中、EIO）",
         "I/O error (EIO) while renaming over the old file", false},
        {"fsync:error=EIO", "フォルダの更新をディスクに確定できませんでした",
         "I/O error (EIO) while syncing the folder", true},
    };
    for (const Case &c : cases) {
        if (!kWritesOfOurOwnOnly && QByteArray(c.inject).startsWith("write:"))
            continue;
        WriteAll(out, "OLD");
        const CliRun r =
            Wrapped({strace, QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                     QStringLiteral("-e"), QStringLiteral("inject=") + QLatin1String(c.inject)},
                    {QStringLiteral("resave"), in, out});
        EXPECT_EQ(r.status, 1) << c.inject;
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("ファイルを保存できませんでした。\n")))
            << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.cause))) << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("File Name: old.RQX\nvelmrqx-cli: ") +
                                   QLatin1String(c.english) + QStringLiteral("\n")))
            << r.err.toStdString();
        EXPECT_EQ(ReadAll(out) == "OLD", !c.newFile) << c.inject;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("old.RQX")});
    }
    // The page outputs (PDF, PNG, text dump) are saved the same way.
    for (const QString &name :
         {QStringLiteral("old.pdf"), QStringLiteral("old.png"), QStringLiteral("old.txt")}) {
        if (!kWritesOfOurOwnOnly)
            break;
        const QString page = dir.filePath(name);
        WriteAll(page, "OLD");
        const CliRun r =
            Wrapped({strace, QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                     QStringLiteral("-e"), QStringLiteral("inject=write:error=ENOSPC:when=1")},
                    {QStringLiteral("plan"), in, QStringLiteral("--floor"), QStringLiteral("1"),
                     QStringLiteral("--kind"), QStringLiteral("walls"), QStringLiteral("-o"), page});
        EXPECT_EQ(r.status, 1) << name.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("ENOSPC"))) << r.err.toStdString();
        EXPECT_EQ(ReadAll(page), QByteArray("OLD")) << name.toStdString();
        QFile::remove(page);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(CliFileCommands, NoPermissionToReadOrWriteIsNamed)
{
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (!rqx::test::RunningAsRoot() || setpriv.isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run as another user";
    Cli({QStringLiteral("--version")});
    QTemporaryDir dir;  // the other user may enter it, but not write in it nor read the private file
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
    const QString open = dir.filePath(QStringLiteral("open.RQX"));
    const QString hidden = dir.filePath(QStringLiteral("private.RQX"));
    WriteAll(open, ReadAll(kTwoStorey));
    WriteAll(hidden, ReadAll(kTwoStorey));
    ASSERT_TRUE(QFile::setPermissions(open, QFile::ReadOwner | QFile::ReadOther));
    ASSERT_TRUE(QFile::setPermissions(hidden, QFile::ReadOwner | QFile::WriteOwner));
    const QStringList asNobody = {setpriv, QStringLiteral("--reuid=nobody"),
                                  QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups")};

    CliRun r = Wrapped(asNobody, {QStringLiteral("info"), hidden});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("ファイルを読み込めませんでした。\nファイルを読む権限がありません。\n"
                                    "File Name: private.RQX\nvelmrqx-cli: no permission (EACCES)\n"));
    r = Wrapped(asNobody, {QStringLiteral("resave"), open, dir.filePath(QStringLiteral("new.RQX"))});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(
        QStringLiteral("保存先のフォルダに書き込む権限がありません（一時ファイルの作成中、EACCES）。\n"
                       "ファイルは作成されていません。")))
        << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("new.RQX"))));
}

// An output named as an unsaved project is a file like any other, not a save skipped as done.
TEST(CliFileCommands, ResaveWritesAnOutputNamedAsAnUnsavedProject)
{
    QTemporaryDir dir;
    // The input by its full name: on Windows a path from the root means the working folder's drive.
    const QString in = QFileInfo(kTwoStorey).absoluteFilePath();
    const CliRun r = Wrapped({}, {QStringLiteral("resave"), in, kNewDataName}, dir.path());
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    Project back;
    EXPECT_TRUE(LoadProjectFile(dir.filePath(kNewDataName), back).ok);
}

// Every output onto a write-protected file: refused with the cause in both languages, the file kept;
// then as another user in a folder that user may write, where a rename alone would succeed.
TEST(CliFileCommands, WriteProtectedOutputsAreRefusedAndKept)
{
    Cli({QStringLiteral("--version")});
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::WriteOther |
                                                      QFile::ExeOther));
    const QString in = dir.filePath(QStringLiteral("in.RQX"));  // readable by the other user too
    WriteAll(in, ReadAll(QStringLiteral(VELM_TEST_DATA_DIR "/small_house.RQX")));
    auto outputs = [&in](const QString &out) {
        const QString suffix = QFileInfo(out).suffix();
        if (suffix == QLatin1String("RQX"))
            return QStringList{QStringLiteral("resave"), in, out};
        if (out.contains(QLatin1String("report")))
            return QStringList{QStringLiteral("report"), in, QStringLiteral("-o"), out};
        if (out.contains(QLatin1String("frame")))
            return QStringList{QStringLiteral("frame"), in, QStringLiteral("--x"), QStringLiteral("1"),
                               QStringLiteral("-o"),    out};
        return QStringList{QStringLiteral("plan"),    in,
                           QStringLiteral("--floor"), QStringLiteral("1"),
                           QStringLiteral("--kind"),  QStringLiteral("hardware"),
                           QStringLiteral("-o"),      out};
    };
    const QStringList names = {QStringLiteral("p.RQX"),    QStringLiteral("report.pdf"),
                               QStringLiteral("plan.pdf"), QStringLiteral("plan.png"),
                               QStringLiteral("plan.txt"), QStringLiteral("frame.pdf")};
    for (const QString &name : names) {
        const QString out = dir.filePath(name);
        WriteAll(out, "OLD");
        ASSERT_TRUE(QFile::setPermissions(out, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const CliRun r = Cli(outputs(out));
        EXPECT_EQ(r.status, 1) << name.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("書き込みが禁止されています"))) << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("write-protected (read-only); it was left unchanged\n")))
            << r.err.toStdString();
        EXPECT_EQ(ReadAll(out), QByteArray("OLD")) << name.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), names.size() + 1);

    // Only the folder sync failing: the new figure is there, and the message says it may not last.
    if (const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace")); !strace.isEmpty()) {
        const QString out = dir.filePath(QStringLiteral("synced.txt"));
        const CliRun r =
            Wrapped({strace, QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                     QStringLiteral("-e"), QStringLiteral("inject=fsync:error=EIO")},
                    outputs(out));
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.endsWith(QStringLiteral("it may not survive a power cut\n")))
            << r.err.toStdString();
        EXPECT_TRUE(ReadAll(out).startsWith("--- page 1/1 ---"));
        QFile::remove(out);
    }

    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (!rqx::test::RunningAsRoot() || setpriv.isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run as another user";
    const QStringList asNobody = {setpriv, QStringLiteral("--reuid=nobody"),
                                  QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups")};
    for (const QString &name : names) {
        const QString out = dir.filePath(name);
        ASSERT_TRUE(QFile::setPermissions(out, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        const CliRun r = Wrapped(asNobody, outputs(out));
        EXPECT_EQ(r.status, 1) << name.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("write-protected"))) << r.err.toStdString();
        EXPECT_EQ(ReadAll(out), QByteArray("OLD")) << name.toStdString();
    }
}

// An output folder the user may write but not read cannot be synced after the rename: each of the eleven
// outputs says its file is written but may not survive a power cut, and exits with 1.
TEST(CliFileCommands, AnOutputFolderThatCannotBeSyncedIsToldForEveryOutput)
{
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (!rqx::test::RunningAsRoot() || setpriv.isEmpty())
        GTEST_SKIP() << "needs root and setpriv to run as another user";
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
    const QString in = dir.filePath(QStringLiteral("in.RQX"));
    WriteAll(in, ReadAll(QStringLiteral(VELM_TEST_DATA_DIR "/small_house.RQX")));
    const QString box = dir.filePath(QStringLiteral("box"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("box")));
    ASSERT_TRUE(QFile::setPermissions(box, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::WriteOther | QFile::ExeOther));
    const QString o = QStringLiteral("-o");
    const QStringList plan = {QStringLiteral("plan"), in, QStringLiteral("--floor"), QStringLiteral("1"),
                              QStringLiteral("--kind"), QStringLiteral("hardware"), o};
    const QStringList frame = {QStringLiteral("frame"), in, QStringLiteral("--x"), QStringLiteral("1"), o};
    const QList<QStringList> outputs = {
        {QStringLiteral("resave"), in, box + QStringLiteral("/p.RQX")},
        {QStringLiteral("report"), in, o, box + QStringLiteral("/r.pdf")},
        {QStringLiteral("report"), in, QStringLiteral("--dxf"), box},
        plan + QStringList{box + QStringLiteral("/plan.pdf")},
        plan + QStringList{box + QStringLiteral("/plan.png")},
        plan + QStringList{box + QStringLiteral("/plan.txt")},
        plan + QStringList{box + QStringLiteral("/plan.dxf")},
        frame + QStringList{box + QStringLiteral("/frame.pdf")},
        frame + QStringList{box + QStringLiteral("/frame.png")},
        frame + QStringList{box + QStringLiteral("/frame.txt")},
        frame + QStringList{box + QStringLiteral("/frame.dxf")},
    };
    const QStringList asNobody = {setpriv, QStringLiteral("--reuid=nobody"),
                                  QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups")};
    qsizetype files = 0;
    for (const QStringList &args : outputs) {
        const CliRun r = Wrapped(asNobody, args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        const QString english =
            args[0] == QLatin1String("resave")
                ? QStringLiteral("no permission (EACCES) while syncing the folder\n")
                : QStringLiteral("is written, but its folder could not be synced (no permission (EACCES)): it "
                                 "may not survive a power cut\n");
        EXPECT_TRUE(r.err.contains(QStringLiteral("フォルダの更新をディスクに確定できませんでした")) &&
                    r.err.endsWith(english))
            << r.err.toStdString();
        const qsizetype now = QDir(box).entryList(QDir::Files | QDir::Hidden).size();
        EXPECT_GT(now, files) << args.join(' ').toStdString();
        files = now;
    }
}
