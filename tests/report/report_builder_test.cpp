// The calculation report as recorded pages: the fixed texts of the cover and chapter 1 in order, the
// running header and footer, the page structure and table-of-contents records, the settings that change
// texts, the cover's layout cases, and stopping through the progress callback.
#include <QDate>
#include <QFont>

#include <gtest/gtest.h>

#include "calc/n_value.h"
#include "model/project.h"
#include "print/font_names.h"
#include "print/page_drawing.h"
#include "print/print_surface.h"
#include "report/report_builder.h"
#include "report/result_table.h"
#include "print/text_dump.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"
#include "support/calculated.h"

namespace rqx {

// The hand-worked house of the result table test (result_table_test.cpp).
Project TinyHouse();

namespace {

using namespace samples;

// Every fixed text of the cover and chapter 1 up to the plans, in print order, a table row per line (a
// cell's line breaks and wrapping vanish when a page's texts are joined).
const char kChapterOneTexts[] = R"(
告示 平１２ 建告第１４６０号 による
軸組を構成する柱頭･柱脚のＮ値計算書
1.概要
1.1.設計方針
「VELM-RQX /軸組Ｎ値算定」における軸組の柱頭･柱脚の必要金物の決定は、告示平12
建告第1460号に準拠し、「改正建築基準法(２年目施行)の解説((株)新日本法規出版)」
及び「建築技術2000年10月号((株)建築技術)」に示される Ｎ値計算式による接合部の
簡易計算方法で行う｡
このとき、Ｎ値算定は、はり間・桁行各方向について行い大きい方の数値を採用する。
なお、この計算式より求めたＮ値によって､ 該当告示第２号に規定されていない軸組
(90×90mmの筋かい、筋かいと面材の併用等)についても、その柱頭･柱脚の構造方法を
決定する｡ 
1.2.Ｎ値計算方法
接合金物を選択するためのＮ値算定式を以下に示す。
(1)平屋建ての場合、若しくは２階建ての部分における
２階の柱の場合
Ｎ＝Ａ1×Ｂ1－Ｌ ･･･････････････････････････ (1)
  Ｎ表-1.3.1.接合部の仕様 のＮの数値
  Ａ1当該柱の両面における軸組の倍率の差(片側のみ軸組が取り付く場合には、当該軸組の倍率)の数値。ただし、筋かいを設けた軸組の場合には、表-1.2.1～3 に該当する補正値を加えたものとする。
  Ｂ1周辺の部材による押さえ(曲げ戻し)の効果を表す係数で、出隅の柱においては 0.8、その他の柱においては 0.5 とする。
  Ｌ鉛直荷重による押さえの効果を示す係数で、出隅の柱においては 0.4、その他においては 0.6 とする。 
(2)２階建ての部分における１階の柱の場合
Ｎ＝Ａ1×Ｂ1+Ａ2×Ｂ2－Ｌ ･･････････････････ (2)
  Ｎ表-1.3.1.接合部の仕様 のＮの数値
  Ａ1,Ｂ1式(1) の場合と同じ。
  Ａ2当該柱に連続する２階柱の両側における軸組の倍率の差(片側のみに軸組が取り付く場合には当該軸組の倍率)の数値。ただし、筋かいを設けた軸組の場合には、表-1.2.1～3 に該当する補正値を加えたものとする。
  Ｂ2２階の周辺部材による押さえ(曲げ戻し)の効果を示す係数で、２階の出隅の柱においては 0.8、２階のその他の柱においては 0.5 とする。
  Ｌ鉛直荷重による押さえの効果を示す係数で、出隅の柱においては 1.0、その他においては 1.6 とする。 
(3)直交梁による他の壁線からの２階柱引抜き力の伝達
下階柱抜けによる小梁上の２階柱（①,②）の引抜き力は、下図のように直交する
２階床梁によって１階柱に伝達されるものとする。
●筋かいの分担応力を考慮した補正値
表-1.2.1.筋かいが片側から取り付く柱
取り付く位置
筋かいの種類柱頭部柱脚部
15x90以上の筋かいφ9以上の鉄筋     0.0 0.0
30x90以上の筋かい 0.5-0.5
45x90以上の筋かい 0.5-0.5
90x90以上の筋かい 2.0-2.0
たすき筋かいの場合、補正値を｢0｣とする。
表-1.2.2.両側から筋かいが取り付く柱(両側が片筋かい)
一方の筋かい
他方の筋かい15x90以上の筋かいφ9以上の鉄筋    30x90以上の筋かい45x90以上の筋かい90x90以上の筋かい
15x90以上の筋かいφ9以上の鉄筋    0.00.50.52.0
30x90以上の筋かい0.51.01.02.5
45x90以上の筋かい0.51.01.02.5
90x90以上の筋かい2.02.52.54.0
両筋かいが共に柱脚部に取付く場合、補正値を｢0｣とする。
表-1.2.3.両側から筋かいが取り付く柱
         (一方が片筋かい、他方がたすき筋かい)
一方の片筋かい
他方のたすき筋かい15x90以上の筋かいφ9以上の鉄筋    30x90以上の筋かい45x90以上の筋かい90x90以上の筋かい
15x90以上の筋かいφ9以上の鉄筋    0.00.50.52.0
30x90以上の筋かい0.00.50.52.0
45x90以上の筋かい0.00.50.52.0
90x90以上の筋かい0.00.50.52.0
片筋かいが柱脚部に取付く場合または両筋かいが
共にたすきの場合、補正値を｢0｣とする。
1.3.接合金物リスト
表-1.3.1.接合部の仕様
Ｎ 値接合耐力(kN)告示記号接 合 金 物 の 仕 様許容耐力または降伏耐力(kN)
0.0  0.00(い) 短ほぞ差しかすがい(C) 0.00  (1.62)
0.65 3.44(ろ) 長ほぞ差し込み栓かど金物(CP･L) (3.81)  3.38 
1.0  5.29(は) かど金物(CP･T)山形プレート(VP) 5.07   5.88 
1.4  7.41(に) 羽子板ボルト(SB)または短ざく金物(S)  7.50 
1.6  8.47(ほ) 羽子板ボルト(SB+ZS50)または短ざく金物(S+ZS50)  8.50 
1.8  9.53(へ) 引き寄せ金物(HD-10) 10.00 
2.8 14.82(と) 引き寄せ金物(HD-15) 15.00 
3.7 19.58(ち) 引き寄せ金物(HD-20) 20.00 
4.7 24.87(り) 引き寄せ金物(HD-25) 25.00 
5.6 29.64(ぬ) 引き寄せ金物(HD-15)×２個 30.00 
7.5 39.69(る)*引き寄せ金物(HD-20)×２個(参考) (40.00) 
1.4.耐力壁リスト
表-1.4.1.筋かいリスト
軸  組  の  種  類倍  率
(1)厚さ1.5 センチメートル以上幅９cm以上の木材の筋かい又は径９mm以上の鉄筋の筋かいを入れた軸組1.0
(2)厚さ３cm以上幅９cm以上の木材の筋かいを入れた軸組1.5
(3)厚さ4.5cm以上幅９cm以上の木材の筋かいを入れた軸組2.0
(4)９cm角の木材の筋かいを入れた軸組3.0
(5)(1)～(3)までに掲げる筋かいをたすき掛けに入れた軸組各数値の２倍
(6)(4)に掲げる筋かいをたすき掛けに入れた軸組5.0
表-1.4.2.面材リスト
軸  組  の  種  類倍  率
(1)木ずりその他これに類するものを柱及び間柱の片面に打ち付けた壁を設けた軸組 0.5
(2)木ずりその他これに類するものを柱及び間柱の両面に打ち付けた壁を設けた軸組 1.0
(3)構造用合板等を 昭和56年建設省告示第1100号 別表第一（一）項又は（二）項に定める方法で打ち付けた壁を設けた軸組0.5～5.0
表-1.4.1 の筋かいと併用する場合、その倍率はそれぞれの数値の和とする。ただし、｢5｣ を超えないものとする。
1.5.耐力壁伏図
)";

struct Report {
    std::unique_ptr<PrintSurface> surface = std::make_unique<PrintSurface>();
    ReportResult result;
    const PrintDocument &doc() const { return surface->document(); }
    // The texts of page n whose flags are `flags` (0 the page's own, kItemHeader, kItemFooter), or all.
    QStringList texts(int n, int flags = 0) const
    {
        QStringList out;
        for (const PageItem &item : doc().page(n).items)
            if (item.kind == PageItemKind::Text && (flags < 0 || item.flags == flags))
                out << doc().string(item.a);
        return out;
    }
    QString text(int n) const { return texts(n).join(QString()).remove(QLatin1Char('\r')); }
    // Page holding the first text item equal to `t`, 0 when none.
    int pageOf(const QString &t) const
    {
        for (int n = 1; n <= doc().pageCount(); ++n)
            if (doc().pageTexts(n).contains(t))
                return n;
        return 0;
    }
};

Report Build(Project &p, const ReportOptions &options = {QDate(2026, 12, 7), {}})
{
    Calculation c = test::Calculated(p);
    Report r;
    r.result = BuildReport(*r.surface, p, c, options);
    return r;
}

class ReportBuilderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InstallJapaneseFontSubstitutions(); }
};

TEST_F(ReportBuilderTest, CoverAndChapterOneCarryEveryFixedTextInOrder)
{
    Project p = TinyHouse();
    const Report r = Build(p);
    QString joined;
    for (int n = 1; n <= r.result.toc.page[1][5]; ++n)
        joined += r.text(n);
    qsizetype at = 0;
    const QStringList expected =
        QString::fromUtf8(kChapterOneTexts).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(expected.size(), 88);
    for (const QString &t : expected) {
        const qsizetype found = joined.indexOf(t, at);
        ASSERT_GE(found, 0) << "missing or out of order: " << t.toStdString();
        at = found + t.size();
    }
}

TEST_F(ReportBuilderTest, RunningHeaderAndFooterAndTableOfContents)
{
    Project p = TinyHouse();
    const Report r = Build(p);
    const int pages = r.doc().pageCount();
    EXPECT_TRUE(r.result.completed);
    EXPECT_EQ(r.result.pageCount, pages);
    EXPECT_TRUE(r.texts(1, kItemHeader).isEmpty());
    EXPECT_TRUE(r.texts(1, kItemFooter).isEmpty());
    const QString header = QStringLiteral("VELM-RQX /軸組Ｎ値算定   [ 試験邸 ]");
    for (int n : {2, pages}) {
        EXPECT_EQ(r.texts(n, kItemHeader), QStringList{header});
        EXPECT_EQ(r.texts(n, kItemFooter), (QStringList{QStringLiteral("- %1 -").arg(n - 1), VersionText()}));
    }
    // Cover, 1.1+1.2, correction tables, 1.3+1.4, two wall plans, two hardware plans, one frame page,
    // one table page; chapter 1.6 and chapter 3 keep page 0.
    EXPECT_EQ(pages, 10);
    const auto &page = r.result.toc.page;
    EXPECT_EQ((std::array{page[1][1], page[1][2], page[1][3], page[1][4], page[1][5], page[1][6]}),
              (std::array{2, 2, 4, 4, 5, 0}));
    EXPECT_EQ((std::array{page[2][1], page[2][2], page[2][3]}), (std::array{7, 9, 10}));
    EXPECT_EQ(page[3], (std::array<int, ReportToc::kEntries + 1>{}));
    // Offsets: the section title's place less half a line (1.2: a whole line), in twips from the paper top.
    const auto &offset = r.result.toc.offsetTwips;
    EXPECT_GT(offset[1][2], offset[1][1]);
    EXPECT_EQ(offset[1][5], offset[1][3]);
    EXPECT_LT(offset[1][5], r.surface->MarginTop());
    EXPECT_EQ(r.surface->PreviewPage(), 1);
}

TEST_F(ReportBuilderTest, OnePlanPagePerFloorInEachPlanSection)
{
    for (int floors : {1, 2}) {
        Project p = NewProject(4, 4, floors, 2, LineNames::kNumbered);
        PlaceFloor(p, 1, 1, 1, 5, 5, 1);
        PlaceColumn(p, 1, 1, 1, 1);
        const Report r = Build(p);
        const auto &page = r.result.toc.page;
        EXPECT_EQ(page[2][1] - page[1][5], floors) << floors;
        EXPECT_EQ(page[2][2] - page[2][1], floors) << floors;
        for (int f = 1; f <= floors; ++f)
            EXPECT_EQ(r.pageOf(QStringLiteral("(%1) %1 階耐力壁伏図 (数値は壁倍率)").arg(f)),
                      page[1][5] + f - 1);
        // No walls: the frame section is its title page only.
        EXPECT_EQ(page[2][3] - page[2][2], 1);
    }
}

TEST_F(ReportBuilderTest, FourWalledLinesGiveTwoFramePages)
{
    Project p = NewProject(4, 4, 2, 2, LineNames::kNumbered);
    PlaceFloor(p, 1, 1, 1, 5, 5, 1);
    PlaceWall(p, 1, kDirY, 1, 1, 3, kKeyKesa, 2);    // X line 1
    PlaceWall(p, 2, kDirY, 5, 2, 4, kKeyMenzai, 2);  // X line 5, upstairs only
    PlaceWall(p, 1, kDirX, 3, 1, 5, kKeyTasuki, 1);  // Y line 3
    PlaceWall(p, 1, kDirX, 5, 2, 3, kKeyMenzai, 6);  // Y line 5
    const Report r = Build(p);
    const auto &page = r.result.toc.page;
    EXPECT_EQ(page[2][3] - page[2][2], 2);
    const QString names[] = {p.grid.lineNameX[1], p.grid.lineNameX[5], p.grid.lineNameY[3],
                             p.grid.lineNameY[5]};
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(r.pageOf(QStringLiteral("(%1) %2 通り").arg(k + 1).arg(names[k].trimmed())),
                  page[2][2] + (k < 3 ? 0 : 1));
}

// The L setting and the orthogonal-beam setting change exactly the texts they name.
TEST_F(ReportBuilderTest, SettingsChangeExactlyTheirTexts)
{
    auto build = [](int lMode, int crossIgnored) {
        Project p = NewProject(4, 4, 2, 2, LineNames::kNumbered);
        p.grid.lCoefficientMode = lMode;
        p.grid.crossBeamIgnored = crossIgnored;
        return Build(p);
    };
    const Report base = build(0, 0);
    const Report user = build(1, 0);
    const Report ignored = build(0, 1);
    const QString art = QStringLiteral(
        "①②小梁直交する２階床梁直交する２階床梁１階柱１階柱２階柱(下階柱なし)１階柱引抜き力の伝達");
    struct Change {
        const Report &other;
        QStringList baseOnly;
        QStringList otherOnly;
    };
    const Change changes[] = {
        {user,
         {QStringLiteral("鉛直荷重による押さえの効果を示す係数で、出隅の柱においては 1.0、その他においては "
                         "1.6 とする。 "),
          QStringLiteral("  ΔN=(A2xB2)       "), QStringLiteral("１階Ｎ値")},
         {QStringLiteral(
              "鉛直荷重による押さえの効果を示す係数で、出隅の柱においては 0.6、その他の柱においては 1.0 "
              "に、直上の２階柱が出隅のとき0.4、その他のとき0.6 を加えたものとする(直上に柱がない場合は"
              "加えない)。"),
          QStringLiteral("  ΔN=(A2xB2-L2)  "),
          QStringLiteral("   １階Ｎ値  (押さえ係数Ｌ：２階柱の押さえ効果を考慮)")}},
        {ignored,
         {QStringLiteral("(3)直交梁による他の壁線からの２階柱引抜き力の伝達"),
          QStringLiteral("下階柱抜けによる小梁上の２階柱（①,②）の引抜き力は、下図のように直交する"),
          QStringLiteral("２階床梁によって１階柱に伝達されるものとする。"), art,
          QStringLiteral("       +[直交梁伝達]")},
         {}},
    };
    for (const Change &c : changes) {
        // Part (3) still fits under the longer L text: same pages, the texts differ only as named.
        EXPECT_EQ(c.other.doc().pageCount(), base.doc().pageCount());
        QString a;
        QString b;
        for (int n = 1; n <= base.doc().pageCount(); ++n) {
            a += base.text(n);
            b += c.other.text(n);
        }
        for (const QString &t : c.baseOnly) {
            ASSERT_EQ(a.count(t), 1) << t.toStdString();
            a.remove(t);
        }
        for (const QString &t : c.otherOnly) {
            ASSERT_EQ(b.count(t), 1) << t.toStdString();
            b.remove(t);
        }
        EXPECT_EQ(a, b);
    }
    // The formula tables: 10 points with the orthogonal beams considered, 11 without.
    for (auto [r, points] : {std::pair{&base, 10.0f}, {&ignored, 11.0f}}) {
        const auto &items = r->doc().page(2).items;
        const auto a1 = std::find_if(items.begin(), items.end(), [&](const PageItem &i) {
            return i.kind == PageItemKind::Text && r->doc().string(i.a) == QStringLiteral("  Ａ1");
        });
        ASSERT_NE(a1, items.end());
        EXPECT_EQ(r->doc().font(a1->b).points, points);
    }
}

// Both cover flags, and the name's three places: up to 12.9 cm wide, up to 25.8 cm, wider (3.5 lines).
TEST_F(ReportBuilderTest, CoverTextsFlagsAndNamePlaces)
{
    PrintSurface measure;
    measure.SetFontName(QStringLiteral("ＭＳ 明朝"));
    measure.SetFontSize(20);
    float charW = 0;
    float lineH20 = 0;
    MeasureCharCell(measure, charW, lineH20);
    const QString date =
        QLocale(QLocale::Japanese, QLocale::Japan).toString(QDate(2026, 12, 7), QLocale::ShortFormat);
    const QStringList fixed = {QStringLiteral("告示 平１２ 建告第１４６０号 による"),
                               QStringLiteral("軸組を構成する柱頭･柱脚のＮ値計算書")};
    const QStringList office = {QStringLiteral("設計事務所"), QStringLiteral("担当 太郎")};
    const struct {
        int nameLength, hideDate, hideOffice;
        float nameTopCm;
    } cases[] = {{3, 0, 0, 4.5f}, {20, 1, 0, 4.1f}, {40, 0, 1, 3.5f * lineH20}, {3, 1, 1, 4.5f}};
    for (const auto &c : cases) {
        Project p = NewProject(2, 2, 1, 2, LineNames::kNumbered);
        const QString name(c.nameLength, QChar(0x6728));  // full-width 木
        p.info.buildingName = QStringLiteral("  ") + name;
        p.info.officeName = office[0];
        p.info.personName = office[1];
        p.info.hideDateOnCover = c.hideDate;
        p.info.hideOfficeOnCover = c.hideOffice;
        const Report r = Build(p);
        const QStringList texts = r.texts(1);
        const qsizetype nameLines = texts.indexOf(fixed[0]);
        EXPECT_EQ(texts.mid(0, nameLines).join(QString()), name);
        EXPECT_EQ(texts.mid(nameLines), fixed + (c.hideDate ? QStringList() : QStringList{date}) +
                                            (c.hideOffice ? QStringList() : office));
        // The name is a borderless table whose top lies at its place; its first line sits the cell's
        // padding lower, a padding that scales with the size the name is set in. The frame above it
        // lies at 3.5 lines: the widest name's place.
        const PageItem &frame = r.doc().page(1).items[0];
        const PageItem &first = r.doc().page(1).items[1];
        ASSERT_EQ(r.doc().string(first.a), texts.first());
        const float points = r.doc().font(first.b).points;
        const float top = static_cast<float>(frame.y1) + (c.nameTopCm - 3.5f * lineH20) * 567;
        static const float padding20 = static_cast<float>(first.y1) - top;  // the first case, at 20 points
        EXPECT_GT(padding20, 0);
        EXPECT_NEAR(static_cast<float>(first.y1) - top, padding20 * points / 20, 2) << c.nameLength;
    }
}

TEST_F(ReportBuilderTest, ProgressCountsStepsAndCancelStopsTheBuild)
{
    Project p = TinyHouse();
    QList<int> seen;
    const Report whole = Build(p, {QDate(2026, 12, 7), [&](int count, int steps) {
                                       EXPECT_EQ(steps, 10);
                                       if (seen.isEmpty() || seen.last() != count)
                                           seen << count;
                                       return true;
                                   }});
    EXPECT_EQ(seen, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    const Report stopped = Build(p, {QDate(2026, 12, 7), [](int count, int) { return count < 3; }});
    EXPECT_FALSE(stopped.result.completed);
    EXPECT_EQ(stopped.doc().pageCount(), 2);
    EXPECT_EQ(stopped.result.toc.page[1][2], 0);
    EXPECT_FALSE(stopped.surface->IsRecording());
}

// The storey heights in section 1.2 and in the result table: the revised formulas with the heights used
// and their factors, or one line when none is entered; the factor in a table formula only above 3.2 m.
// Hand-worked: 3.50/2.7 = 1.296, 3.65/2.7 = 1.352, 3.333/2.7 = 1.234.
TEST_F(ReportBuilderTest, StoreyHeightsInTheMethodAndTheResultTable)
{
    const QString oldFormula = QStringLiteral("Ｎ＝Ａ1×Ｂ1－Ｌ ･･･････････････････････････ (1)");
    const QString newFormulas[] = {QStringLiteral("Ｎ＝Ａ1×Ｂ1×Ｈ1/2.7－Ｌ ･･････････････････････ (1)"),
                                   QStringLiteral("Ｎ＝Ａ1×Ｂ1×Ｈ1/2.7+Ａ2×Ｂ2×Ｈ2/2.7－Ｌ ･･････ (2)")};
    const QString none = QStringLiteral("階高未入力: 3.2 m 以下として計算");
    struct Case {
        Project house;
        int32_t h1, h2;
        QStringList chapterOne;  // lines of section 1.2 besides the formulas
        QStringList table;       // consecutive lines of the result table's text dump
    };
    const Case cases[] = {
        // (5,3) of storey 1, X: 3.0×0.8 − 1.0 = 1.40 as before.
        {HandWorkedTwoStorey(0),
         0,
         0,
         {none},
         {QStringLiteral("1.40"), QStringLiteral("=3.0x0.8+0.0x0.8-1.0")}},
        // 3.0×0.8×3.50/2.7 + 0 − 1.0 = 2.11; storey 2 stays as it was.
        {HandWorkedTwoStorey(0),
         3500,
         2950,
         {QStringLiteral("１階  H1 = 3,500 mm (H1/2.7 = 3.50/2.7 = 1.296)"),
          QStringLiteral("２階  H2 = 2,950 mm (3.2 m 以下のため 2.7 m として計算)")},
         {QStringLiteral("2.11"), QStringLiteral("=3.0x0.8x3.50/2.7"), QStringLiteral("+0.0x0.8"),
          QStringLiteral("-1.0")}},
        // (3,1) of storey 2, X: 2.0×0.5×3.65/2.7 − 0.6 = 0.75; ΔN to (1,1) of 1.35 halved: 0.68 (user L:
        // (1.35 − 0.6) halved).
        {HandWorkedTwoStorey(0),
         0,
         3650,
         {QStringLiteral("１階  H1 = 未入力 (3.2 m 以下として計算)"),
          QStringLiteral("２階  H2 = 3,650 mm (H2/2.7 = 3.65/2.7 = 1.352)")},
         {QStringLiteral("0.75"), QStringLiteral("=2.0x0.5"), QStringLiteral("x3.65/2.7"),
          QStringLiteral("-0.6")}},
        {HandWorkedTwoStorey(1),
         0,
         3650,
         {QStringLiteral("２階  H2 = 3,650 mm (H2/2.7 = 3.65/2.7 = 1.352)")},
         {QStringLiteral("=(2.0x0.5"), QStringLiteral("x3.65/2.7-0.6)"), QStringLiteral("x0.50")}},
        // One storey, (5,3) X: 2.5×0.8×3.333/2.7 − 0.4 = 2.07 (と); no second height.
        {HandWorkedOneStorey(),
         3333,
         0,
         {QStringLiteral("１階  H1 = 3,333 mm (H1/2.7 = 3.333/2.7 = 1.234)")},
         {QStringLiteral("2.07"), QStringLiteral("=2.5x0.8x3.333/2.7"), QStringLiteral("-0.4")}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "H " << c.h1 << " / " << c.h2);
        Project p = c.house;
        p.info.levelHeight[1] = c.h1;
        p.info.levelHeight[2] = c.h2;
        const Report r = Build(p);
        QString chapterOne;
        for (int n = r.result.toc.page[1][2]; n < r.result.toc.page[1][3]; ++n)
            chapterOne += r.texts(n).join(QLatin1Char('\n')) + QLatin1Char('\n');
        const bool entered = c.h1 != 0 || c.h2 != 0;
        EXPECT_EQ(chapterOne.contains(oldFormula), !entered);
        for (const QString &f : newFormulas)
            EXPECT_EQ(chapterOne.contains(f), entered) << f.toStdString();
        for (const QString &line : c.chapterOne)
            EXPECT_TRUE(chapterOne.contains(QLatin1Char('\n') + line + QLatin1Char('\n')))
                << line.toStdString();
        EXPECT_EQ(chapterOne.contains(QStringLiteral("２階  H2")), entered && p.dims.floorCount == 2);
        const QString dump = DumpDocumentText(r.doc());
        EXPECT_TRUE(dump.contains(QLatin1Char('\n') + c.table.join(QLatin1Char('\n')) + QLatin1Char('\n')))
            << c.table.join(QLatin1Char(' ')).toStdString() << " in "
            << dump.mid(dump.indexOf(c.table[1]) - 60, 160).toStdString();
        // A factor of 1 is never printed.
        EXPECT_EQ(dump.contains(QStringLiteral("/2.7\n")) || dump.contains(QStringLiteral("/2.7-")),
                  c.h1 > 3200 || c.h2 > 3200);
    }
}

}  // namespace
}  // namespace rqx
