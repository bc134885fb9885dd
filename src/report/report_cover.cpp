// The cover page: a framed building name, the notification line, the report title, the date and
// the office, all centred across the printable width.
#include <QLocale>

#include "model/project.h"
#include "print/page_drawing.h"
#include "print/print_surface.h"
#include "report/report_sections.h"
#include "common/shown_text.h"

namespace rqx {

namespace {

// Top of the building name: lower for a name that fits one line of the name box.
float NameTop(float nameWidthCm, float lineH20)
{
    if (nameWidthCm <= 12.9f)
        return 4.5f;
    if (nameWidthCm <= 25.8f)
        return 4.1f;
    return 3.5f * lineH20;
}

// Writes `text` centred across the printable width at y, in the font set now, at `points`.
void CentredText(ReportState &b, const QString &text, float points, float y)
{
    b.s.SetFontSize(points);
    b.s.Measure(text);
    const float width = TwipsToCm(b.s.TextWid());
    PrintTextCm(b.s, text, points, (b.printableWidth - width) / 2, y, 0);
}

// The system's short date form; a system without a Japanese locale gets the Japanese one (2026/12/07),
// the form the report's readers expect.
QString CoverDateText(const QDate &date)
{
    QLocale locale = QLocale::system();
    if (locale.language() != QLocale::Japanese)
        locale = QLocale(QLocale::Japanese, QLocale::Japan);
    return locale.toString(date, QLocale::ShortFormat);
}

// Line height (cm) of the current font at `points`.
float LineHeightAt(ReportState &b, float points)
{
    b.s.SetFontSize(points);
    float w = 0;
    float h = 0;
    MeasureCharCell(b.s, w, h);
    return h;
}

}  // namespace

void PrintCoverPage(ReportState &b, float)
{
    if (!b.advanceProgress())
        return;
    PrintSurface &s = b.s;
    b.setFontSize(20);
    const float lineH20 = b.lineH;
    DrawRectCm(s, 1.5f, 3.5f * lineH20, b.printableWidth - 3.0f, 3.5f * lineH20, kPenStyleSolid, 50, 0, 0, 0);

    // The building name as a one-column borderless table, so that a long name wraps: whole, at 20 points
    // on up to two lines, smaller (down to 12) for a name that needs more.
    const QString name = ShownText(b.p.info.buildingName.trimmed(), kShownReportBuildingName);
    s.SetFontName(kFontNamePMincho);
    constexpr int kNameBoxTwips = 7400;
    const float boxCm = TwipsToCm(kNameBoxTwips);
    float nameSize = 20;
    s.SetFontSize(nameSize);
    s.Measure(name);
    while (nameSize > 12 && TwipsToCm(s.TextWid()) > 2 * (boxCm - 0.6f)) {
        nameSize -= 1;
        s.SetFontSize(nameSize);
        s.Measure(name);
    }
    const float nameWidth = TwipsToCm(s.TextWid()) * 20 / nameSize;
    const float nameTop = NameTop(nameWidth, lineH20);
    s.SetMarginLeftTwips(CmToTwips(kReportMarginLeftCm + (b.printableWidth - boxCm) / 2));
    s.SetCurrentY(s.MarginTop() + CmToTwips(nameTop));
    const int savedBorder = s.TableBorder();
    s.SetTableBorder(kTableBorderNone);
    s.StartTable();
    s.AddTable(TableFormat{}.centre(7400), QString(), {QStringList{name}});
    s.EndTable();
    s.SetTableBorder(savedBorder);
    s.SetMarginLeft(QStringLiteral("2.3cm"));

    const float lineH14 = LineHeightAt(b, 14);
    float y = nameTop + 8 * lineH14;
    CentredText(b, QStringLiteral("告示 平１２ 建告第１４６０号 による"), 14, y);

    s.SetFontName(kFontNameMincho);
    y += 1.1f * LineHeightAt(b, 22);
    CentredText(b, QStringLiteral("軸組を構成する柱頭･柱脚のＮ値計算書"), 22, y);

    // The office lines keep their place whether or not the date is shown.
    y += 14 * lineH14;
    if (b.p.info.hideDateOnCover == 0) {
        const QDate date = b.options.coverDate.isValid() ? b.options.coverDate : QDate::currentDate();
        CentredText(b, CoverDateText(date), 14, y);
    }
    if (b.p.info.hideOfficeOnCover == 0) {
        y += 2 * lineH14;
        CentredText(b, ShownText(b.p.info.officeName.trimmed(), kShownOfficeName), 14, y);
        y += 1.3f * lineH14;
        CentredText(b, ShownText(b.p.info.personName.trimmed(), kShownPersonName), 14, y);
    }

    s.SetFontName(kFontNameMincho);
    b.setFontSize(kReportBaseFontSize);
}

}  // namespace rqx
