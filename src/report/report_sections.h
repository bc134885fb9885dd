#pragma once
// The report builder's running state and the chapter routines that share it (internal to the
// report library). Positions are centimetres from the printable origin; every chapter routine
// writes below `cursorY` and leaves it below what it wrote.

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

#include "print/font_names.h"
#include "print/print_surface.h"
#include "report/report_builder.h"

namespace rqx {

struct Calculation;
struct Project;

// Base font size and left margin of the report.
inline constexpr float kReportBaseFontSize = 11.0f;
inline constexpr float kReportMarginLeftCm = 2.3f;
// chapterCode while the N-value result table is added: page breaks repeat its header band.
inline constexpr int kChapterResultTable = 22;

// A fixed table: format, body rows (row 0 first), and the cell settings applied after adding it.
struct FixedTable {
    TableFormat format;
    QList<QStringList> rows;
    std::vector<std::pair<std::pair<int, int>, int>> spans;   // ((row, column), columns covered)
    std::vector<std::pair<std::pair<int, int>, int>> aligns;  // ((row, column), setting value)
};

struct ReportState {
    ReportState(PrintSurface &surface, const Project &project, const Calculation &calc,
                const ReportOptions &options);

    PrintSurface &s;
    const Project &p;
    const Calculation &c;
    ReportOptions options;
    float printableWidth = 0;
    float printableHeight = 0;
    float cursorY = 0;
    float charW = 0;
    float lineH = 0;
    int progressCount = 0;
    int chapterCode = 0;  // kChapterResultTable or 0
    std::vector<QString> resultNotes;  // the result table's marks explained above its band on every page
    bool stopped = false;
    ReportToc toc;

    // Sets the font size and measures the character cell again.
    void setFontSize(float points);
    // progressCount + 1, reported; false when the build is to stop.
    bool advanceProgress();
    // Reports the current count again from inside a long step; false when the build is to stop.
    bool keepGoing();
    // A section title at (x, cursorY), 11 points, recorded as table-of-contents entry (group, entry);
    // then one line lower. `wholeLine` takes a whole line off the offset instead of half.
    void sectionTitle(const QString &title, float x, int group, int entry, bool wholeLine = false);
    // Text at the indent (2 character widths) at cursorY, current size.
    void indentText(const QString &text, float x);
    // The fixed table one line below cursorY, indented, in `fontSize` points with the given spacing;
    // cursorY ends one line below the table.
    void fixedTable(const FixedTable &table, float fontSize, int spacing);
    // Starts a new page when `height` cm no longer fits below cursorY (plain texts do not flow).
    void roomFor(float height);
    // Twips from the paper top of a position in centimetres below the top margin.
    int offsetTwips(float cmBelowMargin) const;
    // The surface's CurrentY as centimetres below the top margin.
    float currentYCm() const;
};

// The chapter routines in build order; each takes the left position x (cm).
void PrintCoverPage(ReportState &b, float x);
void PrintDesignPolicy(ReportState &b, float x);
void PrintNValueMethod(ReportState &b, float x);
void PrintCorrectionTables(ReportState &b, float x);
void PrintHardwareList(ReportState &b, float x);
void PrintBearingWallList(ReportState &b, float x);
void PrintBearingWallPlans(ReportState &b, float x);
void PrintHardwarePlans(ReportState &b, float x);
void PrintHardwareFrames(ReportState &b, float x);
void PrintResultTable(ReportState &b, float x);
// Chapter 3: the wall quantities (section 3.1), when the project holds their conditions.
void PrintWallQuantities(ReportState &b, float x);
void PrintWallPlacement(ReportState &b, float x);

// The frame figures of section 2.2.
void PrintFrameFigures(ReportState &b, float x);
// The result table's header band on the current page, under the explanations of its marks.
void PrintResultHeader(ReportState &b);
// The band's top, twips below the top margin.
int ResultBandTop(const ReportState &b);
inline constexpr float kResultNotePoints = 8;
inline constexpr int kResultNoteHeight = 200;  // twips per explanation line

}  // namespace rqx
