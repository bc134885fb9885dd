// Build sequence, page setup, the running header and footer, and the shared layout helpers.
#include "report/report_builder.h"

#include <QFont>

#include "calc/wall_inputs.h"
#include "model/project.h"
#include "print/page_drawing.h"
#include "print/print_surface.h"
#include "report/plan_pages.h"
#include "report/report_sections.h"
#include "report/result_table.h"
#include "common/shown_text.h"

namespace rqx {

ReportState::ReportState(PrintSurface &surface, const Project &project, const Calculation &calc,
                         const ReportOptions &opts)
    : s(surface), p(project), c(calc), options(opts)
{
}

void ReportState::setFontSize(float points)
{
    s.SetFontSize(points);
    MeasureCharCell(s, charW, lineH);
}

bool ReportState::advanceProgress()
{
    ++progressCount;
    return keepGoing();
}

bool ReportState::keepGoing()
{
    if (!stopped && options.progress && !options.progress(progressCount, kReportSteps))
        stopped = true;
    return !stopped;
}

void ReportState::roomFor(float height)
{
    if (cursorY > 0 && cursorY + height > printableHeight) {
        s.NewPage();
        cursorY = 0;
    }
}

int ReportState::offsetTwips(float cmBelowMargin) const
{
    return CmToTwips(TwipsToCm(s.MarginTop()) + cmBelowMargin);
}

float ReportState::currentYCm() const
{
    return TwipsToCm(s.CurrentY() - s.MarginTop());
}

void ReportState::sectionTitle(const QString &title, float x, int group, int entry, bool wholeLine)
{
    setFontSize(11);
    PrintTextCm(s, title, 11, x, cursorY, 0);
    toc.page[group][entry] = s.PageCount();
    toc.offsetTwips[group][entry] = offsetTwips(cursorY - (wholeLine ? lineH : lineH / 2));
    cursorY += lineH;
}

void ReportState::indentText(const QString &text, float x)
{
    PrintTextCm(s, text, 0, x + 2 * charW, cursorY, 0);
}

void ReportState::fixedTable(const FixedTable &table, float fontSize, int spacing)
{
    // The table's top lies one line below cursorY (the caption or lead text line).
    s.SetCurrentY(s.MarginTop() + CmToTwips(cursorY + lineH));
    const double savedSize = s.FontSize();
    s.SetFontSize(fontSize);
    s.SetTableSpacing(spacing, spacing);
    s.SetMarginLeftTwips(CmToTwips(2 * charW + kReportMarginLeftCm));
    s.StartTable();
    s.AddTable(table.format, QString(), table.rows);
    for (const auto &[cell, columns] : table.spans)
        s.SetTableCell(kCellSpan, cell.first, cell.second, columns);
    for (const auto &[cell, value] : table.aligns)
        s.SetTableCell(kCellAlign, cell.first, cell.second, value);
    s.EndTable();
    s.SetMarginLeft(QStringLiteral("2.3cm"));
    s.SetFontSize(savedSize);
    cursorY = currentYCm() + lineH;
}

void SetPageHeaderFooter(PrintSurface &surface, const Project &project, int pageNumber)
{
    surface.SetHeaderFontName(kFontNamePGothic);
    surface.SetHeaderFontSize(9);
    if (pageNumber <= 1) {
        surface.SetHeader(QString());
        surface.SetFooter(QString());
        return;
    }
    // A long building name sets the header smaller, on two lines if need be, never past the margins.
    float size = 9;
    const QString header = RunningHeaderText(surface, project.info.buildingName, size);
    surface.SetHeaderFontSize(size);
    surface.SetHeader(header);
    surface.SetFooter(QStringLiteral("|- ") + QString::number(pageNumber - 1) + QStringLiteral(" -|") +
                      VersionText());
}

namespace {

void ApplyReportPageSetup(ReportState &b)
{
    PrintSurface &s = b.s;
    s.SetMarginLeft(QStringLiteral("2.3cm"));
    s.SetMarginTop(QStringLiteral("2.0cm"));
    s.SetMarginRight(QStringLiteral("2.0cm"));
    s.SetMarginBottom(QStringLiteral("2.3cm"));
    s.SetFontName(kFontNameMincho);
    SetupPrintPage(s, kReportBaseFontSize, 4, s.Orientation(), b.printableWidth, b.printableHeight);
    b.setFontSize(kReportBaseFontSize);
}

void NewSectionPage(ReportState &b)
{
    b.s.NewPage();
    b.cursorY = 0;
}

}  // namespace

ReportResult BuildReport(PrintSurface &surface, const Project &project, const Calculation &calc,
                         const ReportOptions &options)
{
    ReportState b(surface, project, calc, options);
    ApplyReportPageSetup(b);
    surface.SetNewPageHandler([&b](PrintSurface &s, int pageNumber) {
        // The handler may run inside a table: the caller's font stays as it was.
        const PrintFont font = s.Font();
        SetPageHeaderFooter(s, b.p, pageNumber);
        if (b.chapterCode == kChapterResultTable) {
            // The band heads the page, and a table breaking onto it continues below the band.
            PrintResultHeader(b);
            s.SetCurrentY(s.MarginTop() + ResultBandTop(b) + kResultHeaderHeight - 48);
        }
        s.SetFont(font);
    });

    const float x = 0;
    surface.StartDoc();
    using Step = void (*)(ReportState &, float);
    struct StepEntry {
        Step run;
        bool newPage;
    };
    // The build sequence: new pages reset cursorY; the others continue under the previous section.
    const StepEntry steps[] = {
        {PrintCoverPage, false},       {PrintDesignPolicy, true},  {PrintNValueMethod, false},
        {PrintCorrectionTables, true}, {PrintHardwareList, true},  {PrintBearingWallList, false},
        {PrintBearingWallPlans, true}, {PrintHardwarePlans, true}, {PrintHardwareFrames, true},
        {PrintResultTable, false},  // starts its own page once its header band is armed
    };
    for (const StepEntry &step : steps) {
        // A stop asked for during the previous step ends the build before another page starts.
        if (!b.keepGoing())
            break;
        if (step.newPage)
            NewSectionPage(b);
        step.run(b, x);
    }
    // The wall quantities follow the N values as chapter 3 when their conditions are entered.
    if (HasWallInputs(project) && b.keepGoing()) {
        NewSectionPage(b);
        PrintWallQuantities(b, x);
        PrintWallPlacement(b, x);
    }
    surface.EndDoc();
    surface.SetNewPageHandler({});
    surface.SetPreviewPage(1);

    ReportResult result;
    result.completed = !b.stopped;
    result.pageCount = surface.PageCount();
    result.toc = b.toc;
    return result;
}

}  // namespace rqx
