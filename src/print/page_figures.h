#pragma once
// What the figure routines tell the page model beyond the drawing itself, for drawings handed to CAD:
// the layer each item belongs to, and the figures drawn to scale on a page (which items, and where the
// drawing's real-world millimetres lie on the paper). Written by PrintSurface, read by the DXF export.
// Headless (QtCore).

#include <QString>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace rqx {

// The CAD layer of a page item. Items no figure routine tagged are paper-only (the page's title band,
// legends, header and footer): Sheet.
enum class ItemLayer : std::uint8_t {
    Sheet,     // paper-only
    Grid,      // grid lines
    Names,     // grid line names
    Floors,    // floor and void cells
    Walls,     // bearing walls (symbols, lines, frame boards and braces)
    Beams,     // beams
    Columns,   // column squares, rings and frame column lines
    Hardware,  // required class and placed hardware texts
    Labels,    // wall multipliers and the frames' column notes ("通し柱", "出")
    Text,      // figure titles
    Dims,      // dimension lines and scale texts
    Quarters,  // the wall placement's quarter lines
};
inline constexpr int kItemLayerCount = static_cast<int>(ItemLayer::Quarters) + 1;

// Items from `first` on (up to the next run) are on `layer`.
struct ItemLayerRun {
    std::uint32_t first = 0;
    ItemLayer layer = ItemLayer::Sheet;
};

// A figure drawn to scale: items [first, end) of its page. A page point (twips from the paper edge)
// lies at drawing millimetres x = (pageX − originX) × mmPerTwip, y = (originY − pageY) × mmPerTwip (Y up).
// linesX / linesY: the millimetre positions of the grid lines the figure stands on; the page rounds to
// whole twips, the drawing puts what lies within a twip of a line back on it.
// A text the page could not set at its member for want of room (it is listed beside the figure): in the
// drawing it stands at its member all the same, on its layer.
struct DrawingOnlyText {
    std::uint32_t string = 0;  // the document's string index
    std::uint32_t font = 0;    // the document's font index
    std::uint32_t color = 0;   // RGB
    std::int16_t angle = 0;    // tenths of a degree
    std::int32_t x = 0, y = 0;    // the anchor, twips from the paper edge, as a page text item has it
    std::int32_t dx = 0, dy = 0;  // from the anchor to the text's top-left corner before turning
    ItemLayer layer = ItemLayer::Sheet;
};

struct PageFigure {
    QString name;  // "1F_金物伏図", "X2_軸組図": the file name of its drawing
    std::uint32_t first = 0;
    std::uint32_t end = 0;
    double originX = 0;
    double originY = 0;
    double mmPerTwip = 1;
    std::vector<double> linesX;
    std::vector<double> linesY;
    std::vector<DrawingOnlyText> drawingOnly;
};

// The layer of item `index` given a page's runs (in increasing `first`).
inline ItemLayer LayerOfItem(const std::vector<ItemLayerRun> &runs, std::uint32_t index)
{
    const auto after = std::upper_bound(runs.begin(), runs.end(), index,
                                        [](std::uint32_t i, const ItemLayerRun &r) { return i < r.first; });
    return after == runs.begin() ? ItemLayer::Sheet : std::prev(after)->layer;
}

}  // namespace rqx
