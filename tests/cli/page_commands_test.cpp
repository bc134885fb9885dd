// velmrqx-cli plan and frame on the example house: the frame view's page of X2 compared whole as text,
// rendered pages checked at known points, and the errors of missing floors, lines and outputs.
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "cli/cli_run.h"

namespace rqx::test {
namespace {

using namespace Qt::StringLiterals;

// The command line split at blanks, HOUSE standing for the example house and OUT for `out`.
QStringList Args(const QString &line, const QString &out)
{
    QStringList args = line.split(u' ');
    for (QString &a : args)
        a = a == u"HOUSE"_s ? QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX")
            : a == u"OUT"_s ? out
                            : a;
    return args;
}

QString ReadText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// X line 3 ("X2"), the report's frame figure at its scale: the title and the scale (the storey heights are
// not entered: schematic, and said so), the module distances and the length above the frame, names of the
// crossing Y lines (module lines first), the wall labels storey by storey, the storey labels, each column's
// required class, "通し柱" under a through column's foot and "出" beside a corner column — the classes are
// those of `calc` for x = 3 —, the legend, the footer.
TEST(PageCommands, FrameOfX2AsText)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(u"x2.txt"_s);
    const CliRun r = Cli(Args(u"frame HOUSE --x 3 -o OUT"_s, out));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(ReadText(out),
              u"--- page 1/1 ---\n"
              "VELM-RQX /軸組Ｎ値算定   [ サンプル邸 木造２階建て ]\n"
              "X2 通り\n"
              "水平 S=1/100・高さは模式的（階高未入力）  1ﾓｼﾞｭｰﾙ = 910mm\n"
              "910\n910\n910\n910\n910\n910\n910\n910\n7280\n"
              "Y1\nY2\nY3\nY4\nY5\nY6\nY7\nY8\nY9\nY1a\nY2a\nY3a\nY4a\nY5a\nY6a\nY7a\nY8a\n"
              "3.0\n2.0\n1.5\n"
              "1階\n2階\n"
              "(ち)\n出\n通し柱\n(ろ)\n(へ)\n通し柱\n(ほ)\n出\n"
              "(に)\n出\n(い)\n(と)\n出\n"
              "凡例　柱の中ほど：必要金物（Ｎ値による）　柱頭寄り：柱頭の配置金物　柱脚寄り：柱脚の配置金物　"
              "出：出隅の柱　壁の数値：壁倍率　灰色：面材\n"
              "X2 通り 軸組図\n"_s);
}

// Pages as images: A4 at 150 dpi in the right orientation, with ink where the layout puts it. Y line 3
// ("Y2") at the report's frame scale 1/100 (1 cm/m) from 2.9 cm: the board X5–X6 of storey 1 fills x
// 6.54–7.45 cm of the paper, its schematic storey 1.8 cm high from the foundation line, so (7.0, 6.8) cm is
// grey and (7.0, 5.1) cm, storey 2 above it, is white.
TEST(PageCommands, RenderedPages)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(u"page.png"_s);
    struct Case {
        const char *line;
        QSize size;
        QPoint probe;
        QRgb colour;
    };
    for (const Case &c :
         {Case{"frame HOUSE --y 3 -o OUT", {1754, 1240}, {413, 400}, 0xC0C0C0},
          Case{"frame HOUSE --y 3 -o OUT", {1754, 1240}, {413, 300}, 0xFFFFFF},
          Case{"plan HOUSE --kind transfer -o OUT", {1754, 1240}, {10, 10}, 0xFFFFFF},
          Case{"plan HOUSE --floor 1 --kind walls -o OUT", {1240, 1754}, {10, 10}, 0xFFFFFF}}) {
        SCOPED_TRACE(c.line);
        ASSERT_EQ(Cli(Args(QString::fromUtf8(c.line), png)).status, 0);
        const QImage image(png);
        EXPECT_EQ(image.size(), c.size);
        EXPECT_EQ(image.pixel(c.probe) & 0xFFFFFF, c.colour);
    }
    const QString pdf = dir.filePath(u"walls.pdf"_s);
    ASSERT_EQ(Cli(Args(u"plan HOUSE --floor 1 --kind walls -o OUT"_s, pdf)).status, 0);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    // The hardware plan of storey 2: its title, the legend, the required classes row by row as `calc`.
    const QString txt = dir.filePath(u"hw2.txt"_s);
    ASSERT_EQ(Cli(Args(u"plan HOUSE --floor 2 --kind hardware -o OUT"_s, txt)).status, 0);
    const QStringList lines = ReadText(txt).split(u'\n');
    EXPECT_EQ(lines.value(2), u"(2) 2 階金物伏図"_s);
    EXPECT_TRUE(lines.contains(u"            　■は、ＨＤ金物が必要な柱を示します。"_s));
    const QStringList classes = lines.filter(QRegularExpression(u"^\\(.\\)\\*?$"_s));
    EXPECT_EQ(classes.join(QString()), u"(に)(ろ)(ろ)(に)(い)(い)(ろ)(は)(と)(は)(い)(と)"_s);
}

TEST(PageCommands, ErrorsAreClear)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(u"out.png"_s);
    struct Case {
        const char *line;
        int status;
        const char *message;
    };
    // clang-format off
    for (const Case &c : {Case{"plan HOUSE --floor 3 --kind walls -o OUT", 2, "there is no floor 3"},
                          Case{"plan HOUSE --floor 1 --kind transfer -o OUT", 2, "use --floor 2"},
                          Case{"plan HOUSE --floor 1 --kind roof -o OUT", 2, "usage:"},
                          Case{"plan HOUSE --kind walls -o OUT", 2, "usage:"},
                          Case{"frame HOUSE --x 22 -o OUT", 2, "there is no X line 22 (lines 1 to 21)"},
                          Case{"frame HOUSE --y 0 -o OUT", 2, "there is no Y line 0"},
                          Case{"frame HOUSE --x 2 --y 2 -o OUT", 2, "usage:"},
                          Case{"frame HOUSE --y 2 -o out.bmp", 2, "must end in .pdf, .png, .txt or .dxf"},
                          Case{"frame none.RQX --x 2 -o OUT", 1, ""}}) {
        // clang-format on
        SCOPED_TRACE(c.line);
        const CliRun r = Cli(Args(QString::fromUtf8(c.line), png));
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(png));
    }
}

}  // namespace
}  // namespace rqx::test
