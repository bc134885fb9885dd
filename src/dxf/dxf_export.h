#pragma once
// The page model's figures as DXF drawings for the designer's CAD: every plan and frame the pages draw to
// scale (print/page_figures.h), in millimetres at 1:1, each item on the layer its figure routine gave it,
// paper-only items on "SHEET". DXF R2000 (AC1015) with $DWGCODEPAGE ANSI_932: texts, text style names and
// font names in code page 932 bytes, characters it lacks as \U+XXXX. Written through Debian's dxflib.
// Headless (QtCore/QtGui; measuring texts needs a QGuiApplication).
//
// Items become: lines LINE; rectangle and polygon outlines closed LWPOLYLINE; solid rectangle fills SOLID,
// other solid fills and hatches HATCH; circles CIRCLE (ellipses ELLIPSE); texts TEXT at their baseline
// start, in the style of their font ("ＭＳ Ｐ明朝", "ＭＳ 明朝_BOLD"), with the height of the font's capital
// letters and the page's rotation. Colours become ACI numbers (black 7, the greys 8 and 9, red 1), pen
// widths lineweights. White fills (the paper) and pictures are left out.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

#include "common/safe_save.h"
#include "print/page_figures.h"

namespace rqx {

class PrintDocument;

// One drawing: figure `figure` of page `page` (1-based), or the whole page at paper size when figure < 0.
struct DxfDrawing {
    int page = 1;
    int figure = -1;
    QString fileName;  // the figure's name made a file name, with ".dxf"
};

// The layer names, by ItemLayer: "SHEET", "GRID", "NAMES", "FLOORS", "WALLS", "BEAMS", "COLUMNS", "HARDWARE",
// "LABELS", "TEXT", "DIMS".
QString DxfLayerName(ItemLayer layer);

// Every figure of the document, page by page, with unique file names ("1F_金物伏図.dxf"; a second figure
// of the same name gets " (2)"). Characters a file name may not hold become "_".
std::vector<DxfDrawing> DocumentDrawings(const PrintDocument &doc);

// The DXF file of one drawing. `withRestOfPage`: the page's other items (header, footer, headings) too,
// on "SHEET", placed by the same figure mapping.
QByteArray DrawingToDxf(const PrintDocument &doc, const DxfDrawing &drawing, bool withRestOfPage);

// Writes each drawing into `folder` with the safe save of every output; stops at the first failure, except
// a folder that could not be synced: its files are in place, so every drawing is written and listed.
struct DxfFolderOutcome {
    SaveOutcome saved;    // the first failure, or ok
    QString failedPath;   // the file it was met at
    QStringList written;  // the files written, in order
    bool ok() const { return saved.ok(); }
};
DxfFolderOutcome WriteDxfDrawings(const PrintDocument &doc, const std::vector<DxfDrawing> &drawings,
                                  const QString &folder);

}  // namespace rqx
