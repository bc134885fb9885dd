#pragma once
// The calculation report: cover, chapter 1 (design policy, the N-value method and its tables, the
// hardware and bearing-wall lists, the bearing-wall plans) and chapter 2 (hardware plans, hardware
// frames, the N-value result table), built in one pass on a print surface. Headless (QtGui).
//
// Reads the project and its calculation (Calculate) and changes nothing in either.

#include <QDate>

#include <array>
#include <functional>

namespace rqx {

class PrintSurface;
struct Calculation;
struct Project;

// Table-of-contents records of the report window's four button groups: group 0 the cover,
// 1 sections 1.1–1.6, 2 sections 2.1–2.3, 3 sections 3.1–3.2; entry k (from 1) is the section's
// last number. A section that is not printed (1.6, chapter 3) keeps page 0.
struct ReportToc {
    static constexpr int kGroups = 4;
    static constexpr int kEntries = 6;
    std::array<std::array<int, kEntries + 1>, kGroups> page{};
    std::array<std::array<int, kEntries + 1>, kGroups> offsetTwips{};  // vertical scroll offset
};

// Steps of the build: one per page-producing routine.
inline constexpr int kReportSteps = 10;

struct ReportOptions {
    QDate coverDate;  // the cover's date; an invalid date prints today's
    // Called with progressCount when a step begins and now and then inside long steps; returning
    // false stops the build (the window's progress dialog was cancelled).
    std::function<bool(int progressCount, int steps)> progress;
};

struct ReportResult {
    bool completed = false;  // false: stopped through the progress callback
    int pageCount = 0;
    ReportToc toc;
};

// Sets up the report's page (A4, margins 2.3/2.0/2.0/2.3 cm, "ＭＳ 明朝" 11 points), records the
// whole report on `surface` (StartDoc … EndDoc) and shows page 1. A stopped build still ends the
// document with the pages made so far.
ReportResult BuildReport(PrintSurface &surface, const Project &project, const Calculation &calc,
                         const ReportOptions &options = {});

// The running header and footer of page n: none on the cover (page 1); from page 2 on the header
// "VELM-RQX /軸組Ｎ値算定   [ building ]" and the footer "- n−1 -" in the centre and the version
// text at the right, in "ＭＳ Ｐゴシック" 9 points.
void SetPageHeaderFooter(PrintSurface &surface, const Project &project, int pageNumber);

}  // namespace rqx
