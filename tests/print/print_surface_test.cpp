#include "print/print_surface.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>

#include "print/font_names.h"
#include "print/text_dump.h"

namespace rqx {
namespace {

TEST(PrintSurface, PaperSizesOrientationAndMargins)
{
    const struct {
        int code, orientation, width, height;
    } cases[] = {
        {kPaperA4, 0, 11906, 16838}, {kPaperA4, 1, 16838, 11906},     {kPaperA3, 0, 16838, 23811},
        {kPaperA5, 1, 11906, 8391},  {kPaperB4, 0, 14570, 20636},     {kPaperB5, 0, 10318, 14570},
        {kPaperA2, 0, 23811, 33676}, {kPaperLetter, 0, 12240, 15840},
    };
    for (const auto &c : cases) {
        PrintSurface s;
        s.SetPaperSize(c.code);
        s.SetOrientation(c.orientation);
        EXPECT_EQ(QSize(s.PageWidth(), s.PageHeight()), QSize(c.width, c.height)) << c.code;
        s.StartDoc();
        s.NewPage();
        s.EndDoc();
        EXPECT_EQ(s.document().pageSize(2), QSize(c.width, c.height)) << c.code;
    }
    PrintSurface s;
    s.SetPaperSize(kPaperA3);
    s.SetPaperSize(kPaperUser);  // a user size keeps the current one
    EXPECT_EQ(s.PageWidth(), 16838);
    const struct {
        const char *text;
        int twips;
    } margins[] = {{"2.3cm", 1304}, {"1.5cm", 850}, {" 2 cm", 1134},
                   {"720", 720},    {"1in", 1440},  {"abc", 1440}};
    for (const auto &m : margins) {
        s.SetMarginLeft(QString::fromUtf8(m.text));
        EXPECT_EQ(s.MarginLeft(), m.twips) << m.text;
    }
}

TEST(PrintSurface, HeaderAndFooterOnEveryLaterPageAndGoneWhenCleared)
{
    PrintSurface s;
    s.SetMarginLeft(QStringLiteral("2cm"));
    s.SetMarginRight(QStringLiteral("1cm"));
    s.SetNewPageHandler([](PrintSurface &surface, int page) {
        if (page == 3)
            surface.SetFooter(QStringLiteral("||右"));
        surface.Text(QStringLiteral("先頭%1").arg(page));  // drawn before anything else on the page
    });
    s.StartDoc();
    s.Text(QStringLiteral("本文1"));
    s.SetHeader(QStringLiteral("左|中央|右端"));
    s.SetFooter(QStringLiteral("|- 1 -|"));
    s.NewPage();
    s.Text(QStringLiteral("本文2"));
    s.NewPage();
    s.SetHeader(QString());
    s.NewPage();
    s.EndDoc();
    EXPECT_EQ(DumpDocumentText(s.document()).toStdString(),
              QStringLiteral("--- page 1/4 ---\n先頭1\n本文1\n"
                             "--- page 2/4 ---\n左\n中央\n右端\n先頭2\n本文2\n- 1 -\n"
                             "--- page 3/4 ---\n左\n中央\n右端\n先頭3\n右\n"
                             "--- page 4/4 ---\n先頭4\n右\n")
                  .toStdString());
    // Left part at the left margin, right part ending at the right margin, centre between; header in the top
    // margin, footer in the bottom margin.
    const PrintDocument &doc = s.document();
    const auto &items = doc.page(2).items;
    s.SetFontName(QStringLiteral("ＭＳ Ｐゴシック"));
    s.SetFontSize(9);
    s.Measure(QStringLiteral("右端"));
    EXPECT_EQ(items[0].x1, 1134);
    EXPECT_EQ(items[2].x1 + s.TextWid(), 11906 - 567);
    s.Measure(QStringLiteral("中央"));
    EXPECT_NEAR(items[1].x1 + s.TextWid() / 2.0, 1134 + (11906 - 1134 - 567) / 2.0, 1);
    EXPECT_LT(items[0].y1 + s.TextHei(), s.MarginTop());
    EXPECT_GT(items.back().y1, doc.pageSize(2).height() - s.MarginBottom());
    EXPECT_EQ(items.back().flags, kItemFooter);
}

TEST(PrintSurface, FontNamesResolveToInstalledJapaneseFonts)
{
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    ASSERT_FALSE(japanese.isEmpty()) << "no Japanese font installed (fonts-ipafont)";
    InstallJapaneseFontSubstitutions();
    for (const FontNameEntry &e : FontNameTable()) {
        for (const char *name : {e.windowsName, e.asciiName}) {
            const QString family = ResolveFontFamily(QString::fromUtf8(name));
            EXPECT_EQ(family, QString::fromUtf8(e.installed));
            EXPECT_TRUE(japanese.contains(family)) << name;
            EXPECT_EQ(QFontInfo(TwipsFont({QString::fromUtf8(name), 10})).family(), family) << name;
            EXPECT_TRUE(QFont::substitutes(QString::fromUtf8(name)).contains(family, Qt::CaseInsensitive))
                << name;
        }
    }
    EXPECT_EQ(ResolveFontFamily(QStringLiteral("ms gothic")), QStringLiteral("IPAGothic"));
    EXPECT_EQ(ResolveFontFamily(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
}

}  // namespace
}  // namespace rqx
