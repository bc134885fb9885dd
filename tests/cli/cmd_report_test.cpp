// velmrqx-cli report on the example house: the text dump's pages and sections, the PDF, and the errors
// of a refused project file and an unwritable output (nothing left behind).
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "cli/cli_run.h"

namespace rqx::test {
namespace {

const QString kHouse = QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX");

TEST(ReportCommand, TextDumpAndPdfOfTheExampleHouse)
{
    const CliRun text = Cli({QStringLiteral("report"), kHouse, QStringLiteral("--text")});
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    const QString dump = text.outText();
    const QRegularExpressionMatch last =
        QRegularExpression(QStringLiteral("\n--- page (\\d+)/\\1 ---\n(?:.*\n)*- (\\d+) -\n")).match(dump);
    ASSERT_TRUE(dump.startsWith(QStringLiteral("--- page 1/")) && last.hasMatch());
    EXPECT_EQ(last.captured(2).toInt(), last.captured(1).toInt() - 1);
    EXPECT_EQ(dump.count(QStringLiteral("--- page ")), last.captured(1).toInt());
    EXPECT_TRUE(dump.contains(QStringLiteral("\n2.3.Ｎ値･接合金物 算定結果一覧表\n")));

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    const CliRun written = Cli({QStringLiteral("report"), kHouse, QStringLiteral("-o"), pdf});
    ASSERT_EQ(written.status, 0) << written.err.toStdString();
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
}

TEST(ReportCommand, RefusedFileAndUnwritableOutput)
{
    QTemporaryDir dir;
    const QString bogus = dir.filePath(QStringLiteral("bogus.RQX"));
    QFile f(bogus);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a project file");
    f.close();
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const CliRun refused = Cli({QStringLiteral("report"), bogus, QStringLiteral("-o"), pdf});
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(refused.err.isEmpty());
    EXPECT_FALSE(QFile::exists(pdf));

    // A folder in place of the output's parent: nothing is written anywhere.
    const QString blocked = dir.filePath(QStringLiteral("file/out.pdf"));
    QFile(dir.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
    const CliRun unwritable = Cli({QStringLiteral("report"), kHouse, QStringLiteral("-o"), blocked});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.contains(blocked)) << unwritable.err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 2);  // bogus.RQX, file

    EXPECT_EQ(Cli({QStringLiteral("report"), kHouse}).status, 2);
}

}  // namespace
}  // namespace rqx::test
