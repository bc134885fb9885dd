// velmrqx-cli plan and frame on the example house: the frame view's page of X2 compared whole as text,
// rendered pages checked at known points, and the errors of missing floors, lines and outputs.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "cli/cli_run.h"

namespace rqx::test {
namespace {

const QString kHouse = QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX");

QString ReadText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// X line 3 ("X2"): names of the crossing Y lines, the wall labels storey by storey, each column's
// required class (left), "通し柱" under a through column's foot and "出" beside a corner column — the
// classes are those of `calc` for x = 3.
TEST(PageCommands, FrameOfX2AsText)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("x2.txt"));
    const CliRun r = Cli({QStringLiteral("frame"), kHouse, QStringLiteral("--x"), QStringLiteral("3"),
                          QStringLiteral("-o"), out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QString expected = QStringLiteral(
        "--- page 1/1 ---\n"
        "VELM-RQX /軸組Ｎ値算定   [ サンプル邸 木造２階建て ]\n"
        "Y1\nY1a\nY2\nY2a\nY3\nY3a\nY4\nY4a\nY5\nY5a\nY6\nY6a\nY7\nY7a\nY8\nY8a\nY9\n"
        "3.0\n2.0\n1.5\n"
        "(ち)\n通し柱\n出\n(ろ)\n(へ)\n通し柱\n(ほ)\n出\n"
        "(に)\n出\n(い)\n(と)\n出\n"
        "X2 通り 軸組図\n");
    EXPECT_EQ(ReadText(out), expected);
}

// Pages as images: A4 at 150 dpi in the right orientation, with ink where the Parts put it.
TEST(PageCommands, RenderedPages)
{
    QTemporaryDir dir;
    struct Case {
        QStringList args;
        QSize size;
        QPoint probe;  // a pixel of known colour
        QRgb colour;
    };
    // Y line 3 ("Y2"), frame view scale 2.4 cm/m: the board X5–X6 of storey 1 fills x 12.24–14.42 cm,
    // y 8.5–13.8 cm of the paper (margins 2 cm); its middle (13.3, 13.0) cm is grey.
    const std::vector<Case> cases = {
        {{QStringLiteral("frame"), kHouse, QStringLiteral("--y"), QStringLiteral("3")},
         {1754, 1240},
         {787, 768},
         qRgb(192, 192, 192)},
        {{QStringLiteral("frame"), kHouse, QStringLiteral("--y"), QStringLiteral("3")},
         {1754, 1240},
         {787, 300},
         qRgb(255, 255, 255)},
        {{QStringLiteral("plan"), kHouse, QStringLiteral("--floor"), QStringLiteral("2"),
          QStringLiteral("--kind"), QStringLiteral("transfer")},
         {1754, 1240},
         {10, 10},
         qRgb(255, 255, 255)},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const QString out = dir.filePath(QStringLiteral("page%1.png").arg(++n));
        const CliRun r = Cli(c.args + QStringList{QStringLiteral("-o"), out});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QImage image(out);
        EXPECT_EQ(image.size(), c.size);
        EXPECT_EQ(image.pixel(c.probe) & 0xFFFFFF, c.colour & 0xFFFFFF);
    }
    // PDF through the print surface; the plan pages' titles and legends in the text dump.
    const QString pdf = dir.filePath(QStringLiteral("walls.pdf"));
    ASSERT_EQ(Cli({QStringLiteral("plan"), kHouse, QStringLiteral("--floor"), QStringLiteral("1"),
                   QStringLiteral("--kind"), QStringLiteral("walls"), QStringLiteral("-o"), pdf})
                  .status,
              0);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    const QString txt = dir.filePath(QStringLiteral("hw2.txt"));
    ASSERT_EQ(Cli({QStringLiteral("plan"), kHouse, QStringLiteral("--floor"), QStringLiteral("2"),
                   QStringLiteral("--kind"), QStringLiteral("hardware"), QStringLiteral("-o"), txt})
                  .status,
              0);
    const QStringList lines = ReadText(txt).split(u'\n');
    EXPECT_EQ(lines.value(2), QStringLiteral("(2) 2 階金物伏図"));
    EXPECT_TRUE(lines.contains(QStringLiteral("            　■は、ＨＤ金物が必要な柱を示します。")));
    // Storey 2's required classes row by row, as `calc` gives them.
    const QStringList classes = lines.filter(QRegularExpression(QStringLiteral("^\\(.\\)\\*?$")));
    EXPECT_EQ(classes.join(QString()), QStringLiteral("(に)(ろ)(ろ)(に)(い)(い)(ろ)(は)(と)(は)(い)(と)"));
}

TEST(PageCommands, ErrorsAreClear)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("out.png"));
    struct Case {
        QStringList args;
        int status;
        const char *message;
    };
    const std::vector<Case> cases = {
        {{QStringLiteral("plan"), kHouse, QStringLiteral("--floor"), QStringLiteral("3"),
          QStringLiteral("--kind"), QStringLiteral("walls"), QStringLiteral("-o"), png},
         2,
         "there is no floor 3"},
        {{QStringLiteral("plan"), kHouse, QStringLiteral("--floor"), QStringLiteral("1"),
          QStringLiteral("--kind"), QStringLiteral("transfer"), QStringLiteral("-o"), png},
         2,
         "use --floor 2"},
        {{QStringLiteral("plan"), kHouse, QStringLiteral("--floor"), QStringLiteral("1"),
          QStringLiteral("--kind"), QStringLiteral("roof"), QStringLiteral("-o"), png},
         2,
         "usage:"},
        {{QStringLiteral("frame"), kHouse, QStringLiteral("--x"), QStringLiteral("22"), QStringLiteral("-o"),
          png},
         2,
         "there is no X line 22 (lines 1 to 21)"},
        {{QStringLiteral("frame"), kHouse, QStringLiteral("--y"), QStringLiteral("0"), QStringLiteral("-o"),
          png},
         2,
         "there is no Y line 0"},
        {{QStringLiteral("frame"), kHouse, QStringLiteral("--y"), QStringLiteral("2"), QStringLiteral("-o"),
          dir.filePath(QStringLiteral("out.bmp"))},
         2,
         "must end in .pdf, .png or .txt"},
        {{QStringLiteral("frame"), kHouse, QStringLiteral("--x"), QStringLiteral("2"), QStringLiteral("--y"),
          QStringLiteral("2"), QStringLiteral("-o"), png},
         2,
         "usage:"},
        {{QStringLiteral("frame"), dir.filePath(QStringLiteral("none.RQX")), QStringLiteral("--x"),
          QStringLiteral("2"), QStringLiteral("-o"), png},
         1,
         ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(png));
    }
}

}  // namespace
}  // namespace rqx::test
