// Print surface: recording 2,000 mixed pages (tables, texts, shapes) beside Qt's own recorder QPicture
// drawing the same items, memory per page, one page onto a 1,240 × 1,754 image (A4 at 150 dpi), and a
// 2,000-page PDF.
#include <QFileInfo>
#include <QPainter>
#include <QPicture>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "print/page_drawing.h"
#include "print/page_render.h"
#include "print/print_surface.h"

namespace {

using namespace rqx;

constexpr int kPages = 2000;

// One page of the report's kind: a title, a 24-row table with wrapped cells, a small plan of shapes, notes.
void RecordMixedPage(PrintSurface &s, int page)
{
    static const std::array<std::array<float, 2>, 4> diamond{
        {{0, 0.3f}, {0.3f, 0}, {0.6f, 0.3f}, {0.3f, 0.6f}}};
    PrintTextCm(s, QStringLiteral("2.3.Ｎ値計算結果 (%1)").arg(page), 11, 0, 0, 0);
    s.SetFontName(QStringLiteral("ＭＳ Ｐ明朝"));
    s.SetFontSize(8);
    s.SetCurrentY(s.MarginTop() + 700);
    QList<QStringList> rows;
    for (int r = 0; r < 24; ++r) {
        rows.append({QStringLiteral("X%1-Y%2").arg(r + 1).arg(page % 30 + 1),
                     r % 2 ? QStringLiteral("通し柱") : QStringLiteral("管柱"),
                     QString::number(0.13 * (r + page % 7), 'f', 2),
                     QString::number(0.7 * (r + page % 5), 'f', 2), QStringLiteral("(ろ)"),
                     r % 6 == 0 ? QStringLiteral(
                                      "引き寄せ金物 HD-B15 ＋ 座金付きボルト M12、長い注記は列幅で折り返す")
                                : QStringLiteral("(は) CP-T")});
    }
    s.StartTable();
    s.AddTable(QStringLiteral("+^1300|+^1000|+^900|+^1200|+^900|+<3400;"),
               QStringLiteral("通り|柱|Ｎ値|引抜き力|必要|配置金物"), rows);
    s.SetTableCell(kCellSpan, 23, 4, 2);
    s.EndTable();
    const float y0 = TwipsToCm(s.CurrentY() - s.MarginTop()) + 0.5f;
    for (int k = 0; k < 8; ++k) {
        DrawLineCm(s, 0, y0 + k * 0.4f, 16, y0 + k * 0.4f, k % 2, 0, 0x000000);
        DrawRectCm(s, k * 2.0f, y0, 0.3f, 0.3f, 0, 10, 0, 7, 1);
        DrawCircleCm(s, k * 2.0f + 1, y0 + 1.5f, 0.15f, 0, 10, 0x000000, 0xFFFFFF, 1);
        std::array<std::array<float, 2>, 4> pts = diamond;
        for (auto &p : pts) {
            p[0] += k * 2.0f;
            p[1] += y0 + 2;
        }
        DrawPolygonCm(s, pts, 4, 0, 10, 0x000000, 0x808080, 1);
        PrintTextCm(s, QStringLiteral("(%1)").arg(k + 1), 8, k * 2.0f, y0 + 3, 0);
    }
    s.SetFontName(QStringLiteral("ＭＳ 明朝"));
}

std::unique_ptr<PrintSurface> RecordDocument(int pages)
{
    auto s = std::make_unique<PrintSurface>();
    float w = 0, h = 0;
    s->SetMarginLeft(QStringLiteral("2.3cm"));
    s->SetMarginTop(QStringLiteral("2.0cm"));
    s->SetMarginRight(QStringLiteral("1.5cm"));
    s->SetMarginBottom(QStringLiteral("1.5cm"));
    SetupPrintPage(*s, 10, 4, 0, w, h);
    s->SetNewPageHandler([](PrintSurface &surface, int page) {
        surface.SetHeader(QStringLiteral("VELM-RQX /軸組Ｎ値算定   [ ベンチマーク邸 ]"));
        surface.SetFooter(QStringLiteral("|- %1 -|Ver.1.0.1").arg(page));
    });
    s->StartDoc();
    for (int p = 1; p <= pages; ++p) {
        if (p > 1)
            s->NewPage();
        RecordMixedPage(*s, p);
    }
    s->EndDoc();
    return s;
}

const PrintDocument &SharedDocument()
{
    static const std::unique_ptr<PrintSurface> surface = RecordDocument(kPages);
    return surface->document();
}

void BM_RecordPrintSurface(benchmark::State &state)
{
    std::size_t bytes = 0;
    int pages = 0;
    for (auto _ : state) {
        auto s = RecordDocument(kPages);
        pages = s->PageCount();
        bytes = s->document().memoryBytes();
        benchmark::DoNotOptimize(s);
    }
    state.counters["pages"] = pages;
    state.counters["bytes_per_page"] = double(bytes) / pages;
}
BENCHMARK(BM_RecordPrintSurface)->Unit(benchmark::kMillisecond)->Iterations(3);

// QPicture recording the same items (the recorded display lists played into one QPicture per page).
void BM_RecordQPicture(benchmark::State &state)
{
    const PrintDocument &doc = SharedDocument();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::vector<QPicture> pictures(static_cast<size_t>(doc.pageCount()));
        bytes = 0;
        for (int n = 1; n <= doc.pageCount(); ++n) {
            QPainter p(&pictures[static_cast<size_t>(n - 1)]);
            RenderPageTwips(doc, n, p);
            p.end();
            bytes += pictures[static_cast<size_t>(n - 1)].size();
        }
        benchmark::DoNotOptimize(pictures);
    }
    state.counters["pages"] = doc.pageCount();
    state.counters["bytes_per_page"] = double(bytes) / doc.pageCount();
}
BENCHMARK(BM_RecordQPicture)->Unit(benchmark::kMillisecond)->Iterations(3);

// One A4 page at 150 dpi: 1,240 × 1,754 pixels.
void BM_RenderPageImage(benchmark::State &state)
{
    const PrintDocument &doc = SharedDocument();
    int n = 1;
    for (auto _ : state) {
        QImage image = RenderPageImage(doc, n, 150);
        benchmark::DoNotOptimize(image);
        n = n % doc.pageCount() + 1;
    }
}
BENCHMARK(BM_RenderPageImage)->Unit(benchmark::kMillisecond);

void BM_PlayQPictureImage(benchmark::State &state)
{
    const PrintDocument &doc = SharedDocument();
    QPicture picture;
    {
        QPainter p(&picture);
        RenderPageTwips(doc, 1, p);
    }
    for (auto _ : state) {
        QImage image(1240, 1754, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(150.0 / 1440, 150.0 / 1440);
        picture.play(&p);
        p.end();
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_PlayQPictureImage)->Unit(benchmark::kMillisecond);

void BM_WritePdf(benchmark::State &state)
{
    const PrintDocument &doc = SharedDocument();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.pdf"));
    for (auto _ : state) {
        if (!WritePdfFile(doc, path).ok())
            state.SkipWithError("the PDF was not written");
    }
    state.counters["pages"] = doc.pageCount();
    state.counters["MB"] = QFileInfo(path).size() / 1e6;
}
BENCHMARK(BM_WritePdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
