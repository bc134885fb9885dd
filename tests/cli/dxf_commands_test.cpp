// velmrqx-cli's DXF outputs on the example house: a plan page as one drawing (read back by ezdxf and
// rendered for a look beside the PDF), the report's figures into a folder, and a full disk.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "dxf/dxf_read_back.h"

using rqx::test::Cli;
using rqx::test::CliRun;

namespace {

const QString kHouse = QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX");

QStringList TextsOn(const QJsonObject &dxf, const QString &layer)
{
    QStringList out;
    for (const QJsonValue &v : dxf[QStringLiteral("entities")].toArray()) {
        const QJsonObject e = v.toObject();
        if (e[QStringLiteral("type")].toString() == QLatin1String("TEXT") &&
            e[QStringLiteral("layer")].toString() == layer)
            out << e[QStringLiteral("text")].toString();
    }
    return out;
}

}  // namespace

// The 1F hardware plan page as a drawing: the figure on its layers, the page's header, heading and legend
// on SHEET. Its rendering is left in the build folder (dxf_1F_hardware.png) to be looked at beside the PDF
// page (dxf_1F_hardware.pdf).
TEST(CliDxf, PlanPageIsOneDrawingWithThePaperOnSheet)
{
    VELM_NEEDS_DXF_READER();
    const QString out = QStringLiteral(VELM_TEST_OUTPUT_DIR "/dxf_1F_hardware");
    const QStringList plan = {QStringLiteral("plan"),    kHouse,
                              QStringLiteral("--floor"), QStringLiteral("1"),
                              QStringLiteral("--kind"),  QStringLiteral("hardware"),
                              QStringLiteral("-o")};
    CliRun r = Cli(plan + QStringList{out + QStringLiteral(".dxf")});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(Cli(plan + QStringList{out + QStringLiteral(".pdf")}).status, 0);
    QFile::remove(out + QStringLiteral(".png"));
    const QJsonObject dxf =
        rqx::test::ReadDxfBack(out + QStringLiteral(".dxf"), out + QStringLiteral(".png"));
    EXPECT_EQ(TextsOn(dxf, QStringLiteral("TEXT")), QStringList{QStringLiteral("(1) 1 階金物伏図")});
    const QStringList sheet = TextsOn(dxf, QStringLiteral("SHEET"));
    EXPECT_TRUE(sheet.contains(QStringLiteral("2.1.接合金物伏図")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("(柱脚 配置金物)")));
    EXPECT_TRUE(std::any_of(sheet.begin(), sheet.end(), [](const QString &t) {
        return t.startsWith(QStringLiteral("VELM-RQX /軸組Ｎ値算定"));
    }));
    EXPECT_FALSE(TextsOn(dxf, QStringLiteral("HARDWARE")).isEmpty());
    EXPECT_TRUE(TextsOn(dxf, QStringLiteral("NAMES")).contains(QStringLiteral("X1")));
    EXPECT_GT(QFileInfo(out + QStringLiteral(".png")).size(), 10000);
}

TEST(CliDxf, ReportFiguresGoIntoTheFolderOneFileEach)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("図面"));
    const CliRun r = Cli({QStringLiteral("report"), kHouse, QStringLiteral("--dxf"), folder});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList listed = r.outText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList names;
    for (const QString &path : listed) {
        EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(folder).absoluteFilePath());
        names << QFileInfo(path).fileName();
    }
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    QStringList sortedNames = names;
    files.sort();
    sortedNames.sort();
    EXPECT_EQ(files, sortedNames);
    ASSERT_GE(names.size(), 5);
    EXPECT_EQ(names.mid(0, 4),
              (QStringList{QStringLiteral("1F_耐力壁伏図.dxf"), QStringLiteral("2F_耐力壁伏図.dxf"),
                           QStringLiteral("1F_金物伏図.dxf"), QStringLiteral("2F_金物伏図.dxf")}));
    EXPECT_TRUE(names.contains(QStringLiteral("X2_軸組図.dxf")));
    EXPECT_EQ(
        Cli({QStringLiteral("report"), kHouse, QStringLiteral("--dxf"), folder, QStringLiteral("--text")})
            .status,
        2);
}

// A full disk: exit 1 naming the cause, no drawing left half-written (and no temporary file).
TEST(CliDxf, FullDiskLeavesNoPartialDrawing)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_UNDEFINED__)
    GTEST_SKIP() << "the sanitizer runtime writes first: the injected fault would hit it";
#endif
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        GTEST_SKIP() << "strace is not installed";
    Cli({QStringLiteral("--version")});  // creates the application object QProcess needs
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("1F.dxf"));
    const QStringList cases[] = {
        {QStringLiteral("plan"), kHouse, QStringLiteral("--floor"), QStringLiteral("1"),
         QStringLiteral("--kind"), QStringLiteral("hardware"), QStringLiteral("-o"), out},
        {QStringLiteral("report"), kHouse, QStringLiteral("--dxf"), dir.path()},
    };
    for (const QStringList &args : cases) {
        QProcess process;
        process.start(strace,
                      QStringList{QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                                  QStringLiteral("-e"), QStringLiteral("inject=write:error=ENOSPC:when=1"),
                                  QStringLiteral(VELM_CLI_PATH)} +
                          args);
        ASSERT_TRUE(process.waitForFinished(60000));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 1) << args[0].toStdString() << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("ディスクの空き容量が足りません"))) << err.toStdString();
        EXPECT_TRUE(err.contains(QStringLiteral("disk full (ENOSPC) while writing"))) << err.toStdString();
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty())
            << args[0].toStdString();
    }
}
