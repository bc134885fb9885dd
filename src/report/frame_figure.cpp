#include "report/frame_figure.h"

#include <algorithm>

#include "calc/storey_height.h"
#include "model/project.h"
#include "print/font_names.h"
#include "print/label_placer.h"
#include "print/page_drawing.h"
#include "print/print_surface.h"
#include "report/figure_marks.h"
#include "report/figure_scale.h"
#include "report/plan_figures.h"
#include "report/plan_pages.h"

namespace rqx {

namespace {

// From the title line down to the roof line, in lines, and from the roof line up to the first dimension
// line, in cm.
constexpr float kRoofDropLines = 3.2f;
constexpr float kDimensionDrop = 0.3f;
// Below the foundation line, the room of the crossing lines' names (cm), then the legend's line.
constexpr float kNamesRoom = 1.4f;
constexpr float kLegendSize = 6.5f;
constexpr float kLegendRoom = 0.45f;
constexpr float kTitleSize = 11.0f;
constexpr float kScaleTextSize = 10.0f;
constexpr float kStoreyLabelSize = 7.0f;

int Floors(const Project &p)
{
    return std::clamp(std::min(p.dims.floorCount, p.nodes.sizeLevel() - 1), 0, 2);
}

// Every storey of the project has its height.
bool AllHeightsEntered(const Project &p)
{
    const int floors = Floors(p);
    if (floors == 0)
        return false;
    for (int storey = 1; storey <= floors; ++storey)
        if (StoreyHeightMm(p, storey) <= 0)
            return false;
    return true;
}

// The storeys' labels, left of the frame's first line (or right of its last), low in the storey first.
void DrawStoreyLabels(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction, int line,
                      FigureTexts &texts)
{
    const int count = FrameNodeCount(p, direction, line);
    if (count == 0)
        return;
    ItemLayerScope layer(s, ItemLayer::Labels);
    FontScope font(s, kFontNameMincho);
    const float first = FramePageX(p, layout, direction, line, 1);
    const float last = FramePageX(p, layout, direction, line, count);
    constexpr float kGap = 0.1f;
    for (int storey = 1; storey <= Floors(p); ++storey) {
        const float foot = FramePageY(layout, storey), top = FramePageY(layout, storey + 1) + layout.beamDepth;
        const float mid = (foot + top) / 2;
        const QString label = FrameStoreyLabel(p, storey);
        const LabelPlacer::Spot spots[] = {{first - kGap, foot - kGap, 1, 1}, {first - kGap, mid, 1, 0.5f},
                                           {first - kGap, top + kGap, 1, 0},  {last + kGap, foot - kGap, 0, 1},
                                           {last + kGap, mid, 0, 0.5f},       {last + kGap, top + kGap, 0, 0}};
        if (texts.placer.place(label, kStoreyLabelSize, spots))
            continue;
        texts.placer.keepForDrawing(label, kStoreyLabelSize, spots[0]);
        AddFigureCallout(texts, first, mid, 0.05f, QStringLiteral("%1階").arg(storey), label);
    }
}

}  // namespace

FrameLayout FrameFigureLayout(const Project &p, float cmPerMetre, float originX, float beamDepth)
{
    FrameLayout layout;
    layout.frameScale = cmPerMetre;
    layout.frameOriginX = originX;
    layout.storeyHeight = kSchematicStoreyHeight;
    layout.beamDepth = beamDepth;
    if (AllHeightsEntered(p))
        for (int storey = 1; storey <= Floors(p); ++storey) {
            layout.storeyHeightsMm[storey - 1] = StoreyHeightMm(p, storey);
            layout.storeyHeights[storey - 1] =
                static_cast<float>(layout.storeyHeightsMm[storey - 1]) / 1000.0f * cmPerMetre;
        }
    return layout;
}

bool FrameHeightsToScale(const FrameLayout &layout)
{
    return layout.storeyHeightsMm[0] > 0;
}

float FrameFigureHeight(const FrameLayout &layout, int floors)
{
    return FramePageY(layout, 1) - FramePageY(layout, std::max(1, floors) + 1);
}

double FrameHeightMetres(const Project &p)
{
    if (!AllHeightsEntered(p))
        return 0;
    double metres = 0;
    for (int storey = 1; storey <= Floors(p); ++storey)
        metres += StoreyHeightMm(p, storey) / 1000.0;
    return metres;
}

QString FrameScaleText(const Project &p, int denominator)
{
    const QString scale = AllHeightsEntered(p) ? ScaleText(denominator)
                                               : QStringLiteral("水平 ") + ScaleText(denominator) +
                                                     QStringLiteral("・高さは模式的（階高未入力）");
    return scale + QStringLiteral("  ") + ModuleText(p);
}

QString FrameStoreyLabel(const Project &p, int storey)
{
    const int mm = StoreyHeightMm(p, storey);
    return mm > 0 ? QStringLiteral("%1階 H=%2").arg(storey).arg(mm) : QStringLiteral("%1階").arg(storey);
}

QString FrameLegendText()
{
    return QStringLiteral("凡例　柱の中ほど：必要金物（Ｎ値による）　柱頭寄り：柱頭の配置金物　"
                          "柱脚寄り：柱脚の配置金物　出：出隅の柱　壁の数値：壁倍率　灰色：面材");
}

float FrameFigureRoomAbove(float lineH)
{
    return kRoofDropLines * lineH;
}

float FrameFigureRoomBelow(float lineH)
{
    return 3.1f * lineH + kLegendRoom;
}

float DrawFrameFigure(PrintSurface &s, const Project &p, const Calculation &c, FrameLayout &layout,
                      int direction, int line, const QString &title, const QString &scaleText, float x,
                      float titleY, float right, float lineH, bool *listRanOn)
{
    if (listRanOn != nullptr)
        *listRanOn = false;
    const float roofDrop = kRoofDropLines * lineH;
    // The roof plane lies below the title and the dimension lines, the foundation line the storeys lower.
    layout.frameBaseY = titleY + roofDrop + FrameFigureHeight(layout, Floors(p));
    BeginFrameFigure(s, p, layout, direction, line);
    const QString font = s.FontName();
    s.SetFontName(kFontNameMincho);
    if (!title.isEmpty()) {
        s.SetItemLayer(ItemLayer::Text);
        PrintTextCm(s, title, kTitleSize, x, titleY, 0);
    }
    s.SetItemLayer(ItemLayer::Dims);
    PrintTextCm(s, scaleText, kScaleTextSize, right - MeasureCm(s, scaleText, kScaleTextSize).w, titleY, 0);
    drawFrameDimensions(s, p, layout, direction, line, titleY + roofDrop - kDimensionDrop);
    // The frame's texts keep apart between its roof line and the room of its line names; what finds no
    // room is listed under the frame.
    const float namesBottom = layout.frameBaseY + kNamesRoom;
    LabelPlacer placer(s, QRectF(QPointF(x, titleY + roofDrop - 0.05f), QPointF(right, namesBottom)));
    FigureTexts texts{placer, {}};
    KeepFrameMembersFree(texts, p, layout, direction, line);
    s.SetItemLayer(ItemLayer::Sheet);
    drawFrameLineNames(s, p, layout, direction, line, kFrameNamesReport, &texts);
    drawFrameWalls(s, p, layout, direction, line, kFrameWallsReport, &texts);
    DrawStoreyLabels(s, p, layout, direction, line, texts);
    drawFrameColumns(s, p, c, layout, direction, line, kFrameColumnsReport, &texts);
    drawFrameBeams(s, p, layout, direction, line);
    // What the texts at the columns and walls are.
    s.SetItemLayer(ItemLayer::Text);
    s.SetFontName(kFontNameMincho);
    PrintTextCm(s, FrameLegendText(), kLegendSize, x, namesBottom + 0.05f, 0);
    s.EndFigure();
    s.SetItemLayer(ItemLayer::Sheet);
    s.SetFontName(font);
    const float listTop = namesBottom + kLegendRoom;
    if (texts.callouts.empty())
        return layout.frameBaseY + FrameFigureRoomBelow(lineH);
    const int page = s.PageCount();
    const float next = PrintFigureCallouts(s, texts.callouts, x, listTop, right) + 1.2f * lineH;
    if (listRanOn != nullptr)
        *listRanOn = s.PageCount() != page;
    return next;
}

}  // namespace rqx
