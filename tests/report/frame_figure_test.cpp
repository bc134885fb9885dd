// The frame figure the report, the frame view and `frame` share: storeys at the entered heights on the
// figure's scale (the same in the report and on the frame page), or a statement that they are schematic;
// storey labels and the legend on every frame; in dense frames no hardware text running over another
// column's line.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "calc/n_value.h"
#include "model/project.h"
#include "model/project_file.h"
#include "print/font_names.h"
#include "print/print_surface.h"
#include "report/frame_figure.h"
#include "report/frame_page.h"
#include "report/report_builder.h"
#include "support/calculated.h"
#include "support/generated_houses.h"
#include "support/page_items.h"

namespace rqx {
namespace {

// The frame figures of a document: page, figure.
std::vector<std::pair<int, const PageFigure *>> Frames(const PrintDocument &doc)
{
    std::vector<std::pair<int, const PageFigure *>> out;
    for (int n = 1; n <= doc.pageCount(); ++n)
        for (const PageFigure &f : doc.page(n).figures)
            if (f.name.endsWith(QStringLiteral("_軸組図")))
                out.emplace_back(n, &f);
    return out;
}

// The texts of a figure, on the page and kept for its drawing.
QStringList FigureTexts(const PrintDocument &doc, int n, const PageFigure &f)
{
    QStringList out;
    const PrintPage &page = doc.page(n);
    for (std::uint32_t i = f.first; i < std::min<std::uint32_t>(f.end, page.items.size()); ++i)
        if (page.items[i].kind == PageItemKind::Text)
            out << doc.string(page.items[i].a);
    for (const DrawingOnlyText &t : f.drawingOnly)
        out << doc.string(t.string);
    return out;
}

// The lengths of a figure's column lines, twips, by how often they occur.
std::map<int, int> ColumnLengths(const PrintDocument &doc, int n, const PageFigure &f)
{
    std::map<int, int> out;
    const PrintPage &page = doc.page(n);
    for (std::uint32_t i = f.first; i < std::min<std::uint32_t>(f.end, page.items.size()); ++i) {
        const PageItem &it = page.items[i];
        if (it.kind == PageItemKind::Line && LayerOfItem(page.layers, i) == ItemLayer::Columns && it.x1 == it.x2)
            ++out[std::abs(it.y2 - it.y1)];
    }
    return out;
}

Project ExampleHouse(int h1, int h2)
{
    Project p;
    EXPECT_TRUE(LoadProjectFile(QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX"), p).ok);
    p.info.levelHeight[1] = h1;
    p.info.levelHeight[2] = h2;
    return p;
}

// With both heights entered the storeys stand at them on the stated scale, in the report and on the frame
// page alike; without, every frame says the heights are schematic and states no scale for them.
TEST(FrameFigure, StoreysAtTheEnteredHeightsOrSaidToBeSchematic)
{
    InstallJapaneseFontSubstitutions();
    for (const auto &[h1, h2] : {std::pair{3500, 2800}, std::pair{0, 0}, std::pair{3500, 0}}) {
        SCOPED_TRACE(testing::Message() << h1 << "/" << h2);
        Project p = ExampleHouse(h1, h2);
        const Calculation c = test::Calculated(p);
        PrintSurface report;
        BuildReport(report, p, c);
        const PrintDocument &doc = report.document();
        const auto frames = Frames(doc);
        ASSERT_FALSE(frames.empty());
        const bool toScale = h1 > 0 && h2 > 0;
        const int denominator = ReportFrameScaleDenominator(report, p);
        const QString scale = toScale ? QStringLiteral("S=1/%1  1ﾓｼﾞｭｰﾙ = 910mm").arg(denominator)
                                      : QStringLiteral("水平 S=1/%1・高さは模式的（階高未入力）  1ﾓｼﾞｭｰﾙ = 910mm")
                                            .arg(denominator);
        // Twips of a storey on the page: its height at the scale, or the schematic height.
        auto twips = [&](int mm) {
            return toScale ? std::lround(mm / 1000.0 * 100.0 / denominator * kPrintTwipsPerCm)
                           : std::lround(kSchematicStoreyHeight * kPrintTwipsPerCm);
        };
        std::map<int, int> reportLengths;
        for (const auto &[n, f] : frames) {
            const QStringList texts = FigureTexts(doc, n, *f);
            EXPECT_EQ(texts.count(scale), 1) << f->name.toStdString();
            EXPECT_EQ(texts.count(FrameLegendText()), 1);
            EXPECT_TRUE(texts.contains(h1 > 0 ? QStringLiteral("1階 H=%1").arg(h1) : QStringLiteral("1階")));
            EXPECT_TRUE(texts.contains(h2 > 0 ? QStringLiteral("2階 H=%1").arg(h2) : QStringLiteral("2階")));
            for (const auto &[length, count] : ColumnLengths(doc, n, *f)) {
                EXPECT_TRUE(std::abs(length - twips(h1)) <= 1 || std::abs(length - twips(h2)) <= 1) << length;
                reportLengths[length] += count;
            }
        }
        // `frame` draws the report's frame: the same storeys at the same scale.
        PrintSurface page;
        ASSERT_TRUE(RecordFrameViewPage(page, p, c, kFrameOnXLine, 2, denominator));
        const auto one = Frames(page.document());
        ASSERT_EQ(one.size(), 1U);
        EXPECT_TRUE(FigureTexts(page.document(), 1, *one.front().second).contains(scale));
        for (const auto &[length, count] : ColumnLengths(page.document(), 1, *one.front().second))
            EXPECT_TRUE(reportLengths.count(length) != 0) << length;
    }
}

// Dense frames of generated houses: every hardware text keeps off every column line, so that each stands
// by one column.
TEST(FrameFigure, HardwareTextsRunOverNoColumnLine)
{
    InstallJapaneseFontSubstitutions();
    unsigned seed = 40;
    int checked = 0;
    for (const int divisions : {2, 4})
        for (const int floors : {1, 2}) {
            samples::HouseShape shape = samples::GeneratedShape(++seed, divisions, 0, 0);
            shape.floors = floors;
            shape.modulesX = 8;
            Project p = samples::GeneratedHouse(shape, seed);
            PrintSurface s;
            BuildReport(s, p, test::Calculated(p));
            const PrintDocument &doc = s.document();
            for (const auto &[n, f] : Frames(doc)) {
                const PrintPage &page = doc.page(n);
                const std::vector<test::TextBox> boxes = test::PageTextBoxes(doc, n);
                std::vector<QLineF> columns;
                std::vector<QRectF> hardware;
                size_t text = 0;
                for (std::uint32_t i = 0; i < page.items.size(); ++i) {
                    const PageItem &it = page.items[i];
                    const bool inside = i >= f->first && i < f->end;
                    if (it.kind == PageItemKind::Text) {
                        if (inside && LayerOfItem(page.layers, i) == ItemLayer::Hardware)
                            hardware.push_back(boxes[text].box);
                        ++text;
                    } else if (inside && it.kind == PageItemKind::Line &&
                               LayerOfItem(page.layers, i) == ItemLayer::Columns) {
                        columns.emplace_back(it.x1, it.y1, it.x2, it.y2);
                    }
                }
                for (const QRectF &box : hardware) {
                    ++checked;
                    for (const QLineF &l : columns)
                        EXPECT_FALSE(l.x1() > box.left() + 1 && l.x1() < box.right() - 1 &&
                                     std::min(l.y1(), l.y2()) < box.bottom() - 1 &&
                                     std::max(l.y1(), l.y2()) > box.top() + 1)
                            << f->name.toStdString() << " divisions " << divisions;
                }
            }
        }
    EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace rqx
