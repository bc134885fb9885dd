// Names of any stored length change neither the report's page count nor anything but the shown
// names: each is cut to its place on every page (the building name to 200 characters, wrapped in the
// running header), so no page runs long with a damaged file.
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "calc/n_value.h"
#include "print/font_names.h"
#include "print/print_document.h"
#include "print/print_surface.h"
#include "report/report_builder.h"
#include "support/sample_houses.h"
#include "support/calculated.h"

using namespace rqx;

namespace {

Project WithNames(int building, int office, int line, int hardware)
{
    Project p = samples::TwoStoreyHouse();
    const QChar c(u'邸');
    p.info.buildingName = QString(building, c);
    p.info.officeName = p.info.personName = QString(office, c);
    for (QString &name : p.grid.lineNameX)
        name = QString(line, c);
    for (QString &name : p.grid.lineNameY)
        name = QString(line, c);
    for (NodeRecord &n : p.nodes)
        if (n.columnKind > 0)
            n.hardware[1] = n.hardware[2] = QString(hardware, c);
    return p;
}

}  // namespace

TEST(ReportLongTexts, NamesLongerThanTheirPlaceChangeNeitherThePageCountNorAnyOtherText)
{
    InstallJapaneseFontSubstitutions();
    // At the longest shown length, and 32,000 characters: what a damaged file or another writer may
    // store, far past the dialogs' limits.
    const Project atLimit = WithNames(50, 16, 12, 16);
    const Project huge = WithNames(32000, 32000, 32000, 32000);
    const ReportOptions options{QDate(2026, 12, 7), {}};
    PrintSurface a;
    PrintSurface b;
    BuildReport(a, atLimit, Calculate(atLimit), options);
    BuildReport(b, huge, Calculate(huge), options);
    ASSERT_EQ(b.document().pageCount(), a.document().pageCount());

    // Page for page the same texts but for the names, each cut short of its place with "…".
    // The running header wraps a long building name onto a second line.
    // The running header wraps a long building name onto a second line; a line name is printed where it
    // finds room, so lines that hold a name alone are left out of the comparison.
    static const QRegularExpression name(QStringLiteral("邸+(\n邸+)*…?"));
    auto withoutNames = [](const PrintDocument &doc, int n) {
        QStringList lines = doc.pageTexts(n).join(QLatin1Char('\n')).replace(name, QStringLiteral("名")).split(u'\n');
        lines.removeAll(QStringLiteral("名"));
        return lines;
    };
    const QString all = b.document().pageTexts(2).join(QString());
    EXPECT_EQ(all.count(QChar(u'邸')), 199);  // the header: the name's first 199 characters and "…"
    EXPECT_TRUE(all.contains(QChar(0x2026)));
    for (int n = 1; n <= a.document().pageCount(); ++n)
        EXPECT_EQ(withoutNames(b.document(), n), withoutNames(a.document(), n)) << "page " << n;
    qsizetype longest = 0;
    for (int n = 1; n <= b.document().pageCount(); ++n)
        for (const QString &t : b.document().pageTexts(n))
            longest = std::max(longest, t.size());
    EXPECT_LT(longest, 400);
}
