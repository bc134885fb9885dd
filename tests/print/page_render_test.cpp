#include "print/page_render.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>

#include "print/print_surface.h"
#include "print/sample_document.h"
#include "print/text_dump.h"

namespace rqx {
namespace {

// Bounding box of the pixels darker than mid-grey.
QRect InkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(line[x]) < 128)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST(PageRender, MeasuredTextFillsItsBoxOnImagesOfAnyResolution)
{
    const QString text = QStringLiteral("柱頭ＮＮ値(ほ)HD-B15 1.96");
    for (const char *font : {"ＭＳ 明朝", "ＭＳ Ｐ明朝", "ＭＳ ゴシック", "ＭＳ Ｐゴシック"}) {
        for (const double points : {8.0, 10.5, 20.0}) {
            PrintSurface s;
            s.SetFontName(QString::fromUtf8(font));
            s.SetFontSize(points);
            s.StartDoc();
            s.SetCurrentX(1440);
            s.SetCurrentY(1440);
            s.Text(text);
            s.Measure(text);
            s.EndDoc();
            for (const double dpi : {96.0, 300.0}) {
                const QImage image = RenderPageImage(s.document(), 1, dpi);
                ASSERT_EQ(image.width(), std::lround(11906 * dpi / 1440));
                const double px = dpi / 1440;
                const QRectF box(1440 * px, 1440 * px, s.TextWid() * px, s.TextHei() * px);
                const QRect ink = InkBox(image);
                const QString what =
                    QStringLiteral("%1 %2pt %3dpi").arg(QString::fromUtf8(font)).arg(points).arg(dpi);
                // Inside the measured box (one pixel of slack for antialiasing) and filling its width.
                EXPECT_GE(ink.left(), box.left() - 1) << what.toStdString();
                EXPECT_LE(ink.right(), box.right() + 1) << what.toStdString();
                EXPECT_GE(ink.top(), box.top() - 1) << what.toStdString();
                EXPECT_LE(ink.bottom(), box.bottom() + 1) << what.toStdString();
                EXPECT_GT(ink.width(), box.width() * 0.93) << what.toStdString();
                // Points are points: the glyph height does not depend on the resolution.
                EXPECT_GT(ink.height(), box.height() * 0.6) << what.toStdString();
            }
        }
    }
}

TEST(PageRender, BoldTextIsDrawnHeavierOnEveryDevice)
{
    for (const double dpi : {72.0, 150.0, 600.0}) {
        int ink[2] = {0, 0};
        for (const bool bold : {false, true}) {
            PrintSurface s;
            s.SetFontBold(bold);
            s.StartDoc();
            s.Text(QStringLiteral("太字の柱頭 N=1.96"));
            s.EndDoc();
            const QImage image = RenderPageImage(s.document(), 1, dpi);
            for (int y = 0; y < image.height() / 10; ++y)
                for (int x = 0; x < image.width() / 2; ++x)
                    ink[bold] += 255 - qGray(image.pixel(x, y));
        }
        EXPECT_GT(ink[1], ink[0] * 1.25) << dpi;
    }
}

QString RunTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Mean grey-level difference between page `pdfPage` of a PDF drawn by poppler and page `page` drawn on an
// image, both at 60 dpi and smoothed to 15 dpi (antialiasing differs; a misplaced or missing item does not).
double MeanDifference(const QString &pdf, int pdfPage, const PrintDocument &doc, int page,
                      const QTemporaryDir &dir)
{
    const QString n = QString::number(pdfPage);
    RunTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"), n,
                                         QStringLiteral("-l"), n, QStringLiteral("-singlefile"),
                                         QStringLiteral("-png"), pdf, dir.filePath(QStringLiteral("cmp"))});
    QImage a = QImage(dir.filePath(QStringLiteral("cmp.png"))).convertToFormat(QImage::Format_Grayscale8);
    QImage b = RenderPageImage(doc, page, 60).convertToFormat(QImage::Format_Grayscale8);
    if (a.size() != b.size())
        return 255;
    a = a.scaled(a.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    b = b.scaled(b.size() / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double diff = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            diff += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return diff / (a.width() * a.height());
}

TEST(PageRender, PdfHasOnePageEachEmbeddedFontsSearchableJapaneseAndTheSamePicture)
{
    PrintSurface s;
    RecordSampleDocument(s, 150);
    s.SetOrientation(kOrientationLandscape);  // a landscape page at the end
    s.StartDoc();
    s.Text(QStringLiteral("横向きのページ"));
    s.EndDoc();
    PrintSurface report;
    RecordSampleDocument(report, 150);
    const PrintDocument &doc = report.document();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf")),
                  landscape = dir.filePath(QStringLiteral("l.pdf"));
    QString error;
    ASSERT_TRUE(WritePdfFile(doc, pdf).ok());
    ASSERT_TRUE(WritePdfFile(s.document(), landscape).ok());
    {
        QPdfWriter range(dir.filePath(QStringLiteral("range.pdf")));  // pages 2 to 3 only, as for a printer
        ASSERT_TRUE(RenderPages(doc, range, 2, 3, &error)) << error.toStdString();
    }
    EXPECT_FALSE(WritePdfFile(doc, dir.filePath(QStringLiteral("missing/x.pdf"))).ok());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("missing/x.pdf"))));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler-utils not installed";
    const QString info = RunTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(doc.pageCount()))))
        << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("595 x 842 pts (A4)"))) << info.toStdString();
    const QString range = RunTool(QStringLiteral("pdftotext"),
                                  {dir.filePath(QStringLiteral("range.pdf")), QStringLiteral("-")});
    EXPECT_EQ(range.count(u'\f'), 2);
    EXPECT_TRUE(range.contains(QStringLiteral("1.3.接合金物リスト")));
    EXPECT_TRUE(
        RunTool(QStringLiteral("pdfinfo"), {landscape}).contains(QStringLiteral("842 x 595 pts (A4)")));
    const QString fonts = RunTool(QStringLiteral("pdffonts"), {pdf});
    for (const char *family : {"IPAMincho", "IPAPMincho", "IPAPGothic"})
        EXPECT_TRUE(fonts.contains(QRegularExpression(QStringLiteral("%1\\s.*\\syes\\s").arg(family))))
            << fonts.toStdString();
    // Every text of the dump is found on its page of the PDF (blanks aside; the IPA fonts draw the
    // half-width middle dot with the glyph of U+00B7, so extraction gives that character back).
    auto plain = [](QString t) {
        t = t.normalized(QString::NormalizationForm_KC);
        t.replace(QChar(0x30FB), QChar(0xB7));
        return t.remove(
            QRegularExpression(QStringLiteral("\\s"), QRegularExpression::UseUnicodePropertiesOption));
    };
    for (int n = 1; n <= doc.pageCount(); ++n) {
        const QString page = RunTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"),
                                      QString::number(n), pdf, QStringLiteral("-")});
        for (const QString &text : doc.pageTexts(n))
            EXPECT_TRUE(plain(page).contains(plain(text))) << "page " << n << ": " << text.toStdString();
    }
    // The PDF page drawn by poppler and the page drawn on an image agree pixel for pixel, nearly.
    EXPECT_LT(MeanDifference(pdf, 2, doc, 2, dir), 4.0);
    EXPECT_GT(MeanDifference(pdf, 2, doc, 3, dir), 8.0);  // the measure tells pages apart

    // A printer, in full-page mode or not, gets the same picture at the same place.
    for (const bool fullPage : {true, false}) {
        const QString printed = dir.filePath(QStringLiteral("printer%1.pdf").arg(fullPage));
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(printed);
            printer.setFullPage(fullPage);
            ASSERT_TRUE(RenderPages(doc, printer, 2, 3, &error)) << error.toStdString();
        }
        EXPECT_LT(MeanDifference(printed, 1, doc, 2, dir), 4.0) << fullPage;
        EXPECT_LT(MeanDifference(printed, 2, doc, 3, dir), 4.0) << fullPage;
    }
}

}  // namespace
}  // namespace rqx
