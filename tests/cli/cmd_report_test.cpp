// velmrqx-cli report on the example house: the text dump's pages and sections, the PDF, and the errors
// of a refused project file and an unwritable output (nothing left behind).
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

#include <vector>

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

// An output other than a PDF is refused before anything is read or written, as the page commands do.
TEST(ReportCommand, OutputOtherThanPdfIsAUsageErrorAndWritesNothing)
{
    QTemporaryDir dir;
    for (const char *name : {"x.txt", "x.DXF", "x", "x.pdf.bak"}) {
        const CliRun r = Cli({QStringLiteral("report"), kHouse, QStringLiteral("-o"), dir.filePath(QLatin1String(name))});
        EXPECT_EQ(r.status, 2) << name;
        EXPECT_TRUE(r.err.contains(QStringLiteral("the output must end in .pdf"))) << r.err.toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

// A DXF folder that cannot be made is refused with its cause in both languages, before the report is built;
// nothing is made.
TEST(ReportCommand, DxfFolderThatCannotBeMadeNamesTheCause)
{
    QTemporaryDir dir;  // the other user may enter it and read the house, but not write in it
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
    const QString house = dir.filePath(QStringLiteral("house.RQX"));
    ASSERT_TRUE(QFile::copy(kHouse, house));
    ASSERT_TRUE(QFile::setPermissions(house, QFile::ReadOwner | QFile::ReadOther));
    QFile(dir.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly);
    struct Case {
        QStringList wrapper;
        QString folder;
        const char *cause;
        const char *english;
    };
    std::vector<Case> cases = {
        {{}, dir.filePath(QStringLiteral("file/dxf")), "パスの途中がフォルダではありません",
         "a part of the path is not a folder (ENOTDIR)"},
        {{}, dir.filePath(QStringLiteral("file")), "同じ名前のファイルがあります", "file exists (EEXIST)"},
    };
    if (const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace")); !strace.isEmpty())
        cases.push_back({{strace, QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                          QStringLiteral("-P"), dir.filePath(QStringLiteral("new")), QStringLiteral("-e"),
                          QStringLiteral("inject=mkdir,mkdirat:error=EROFS")},
                         dir.filePath(QStringLiteral("new/dxf")), "読み取り専用のドライブです",
                         "read-only file system (EROFS)"});
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (::geteuid() == 0 && !setpriv.isEmpty())
        cases.push_back({{setpriv, QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                          QStringLiteral("--clear-groups")},
                         dir.filePath(QStringLiteral("new/dxf")), "アクセスする権限がありません",
                         "no permission (EACCES)"});
    for (const Case &c : cases) {
        const CliRun r = Wrapped(c.wrapper, {QStringLiteral("report"), house, QStringLiteral("--dxf"), c.folder});
        EXPECT_EQ(r.status, 1) << c.english;
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("フォルダを作成できません: ") + c.folder + QLatin1Char('\n') +
                                     QString::fromUtf8(c.cause)))
            << r.err.toStdString();
        EXPECT_TRUE(r.err.endsWith(QStringLiteral(": the folder could not be made: ") + QLatin1String(c.english) +
                                   QLatin1Char('\n')))
            << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("file"), QStringLiteral("house.RQX")}));
}

}  // namespace
}  // namespace rqx::test
