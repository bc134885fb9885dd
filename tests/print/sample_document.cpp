#include "print/sample_document.h"

#include <QImage>
#include <QPainter>

#include <array>

#include "print/page_drawing.h"
#include "print/print_surface.h"

namespace rqx {

namespace {
QImage SamplePicture()
{
    QImage image(96, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(0, 0, 48, 48, QColor(0x80, 0x80, 0x80));
    p.drawEllipse(54, 6, 36, 36);
    return image;
}
}  // namespace

void RecordSampleDocument(PrintSurface &s, int rows)
{
    static const QImage picture = SamplePicture();
    s.SetMarginLeft(QStringLiteral("2.3cm"));
    s.SetMarginTop(QStringLiteral("2.0cm"));
    s.SetMarginRight(QStringLiteral("1.5cm"));
    s.SetMarginBottom(QStringLiteral("2.0cm"));
    float width = 0, height = 0;
    SetupPrintPage(s, 10, 4, 0, width, height);
    bool inTable = false;
    float charW = 0, lineH = 0;
    s.SetNewPageHandler([&](PrintSurface &surface, int page) {
        surface.SetHeader(page == 1 ? QString() : QStringLiteral("VELM-RQX /軸組Ｎ値算定   [ サンプル邸 ]"));
        surface.SetFooter(page == 1 ? QString() : QStringLiteral("|- %1 -|Ver.1.0.1").arg(page - 1));
        if (inTable) {
            // A band above the table's continuation, as the result table's header.
            DrawRectCm(surface, 0, 0.5f, width, 1.2f, 0, 10, 0, 7, 1);
            PrintTextCm(surface, QStringLiteral("通り　柱　Ｎ値　必要金物（続き）"), 9, 0.3f, 0.8f, 0);
            surface.SetCurrentY(surface.MarginTop() + 1000);
        }
    });
    s.StartDoc();
    s.SetFontName(QStringLiteral("ＭＳ 明朝"));
    MeasureCharCell(s, charW, lineH);
    DrawRectCm(s, 1.5f, 3.5f * lineH, width - 3, 3.5f * lineH, 0, 50, 0, 0, 0);
    s.SetFontName(QStringLiteral("ＭＳ Ｐ明朝"));
    s.SetFontSize(20);
    s.SetCurrentY(s.MarginTop() + 2552);
    s.SetTableBorder(kTableBorderNone);
    s.StartTable();
    s.AddTable(QStringLiteral("+^7400;"), QString(),
               {{QStringLiteral("サンプル邸新築工事（木造軸組２階建て）")}});
    s.EndTable();
    s.SetTableBorder(kTableBorderGrid);
    s.SetFontName(QStringLiteral("ＭＳ 明朝"));
    PrintTextCm(s, QStringLiteral("軸組を構成する柱頭･柱脚のＮ値計算書"), 22, 2.0f, 9.0f, 0);
    const std::array<std::array<float, 2>, 3> triangle{{{2.0f, 12.0f}, {4.0f, 12.0f}, {3.0f, 10.5f}}};
    DrawPolygonCm(s, triangle, 3, 0, 20, 0x000000, 0xC0C0C0, 1);
    DrawCircleCm(s, 7.0f, 11.3f, 0.8f, 0, 20, 0x000000, 0xFFFFFF, 0);
    DrawLineCm(s, 9.0f, 10.5f, 14.0f, 12.0f, 1, 0, 0xFF0000);
    PrintTextCm(s, QStringLiteral("縦書きの注記 90°"), 10, 15.5f, 13.0f, 90);
    s.SetFontBold(true);
    PrintTextCm(s, QStringLiteral("X1 通り（太字）"), 10, 9.0f, 12.5f, 0);
    s.SetFontBold(false);
    s.DrawPicture(picture, s.MarginLeft(), s.MarginTop() + 8000, QStringLiteral("150%"),
                  QStringLiteral("150%"));

    s.NewPage();
    PrintTextCm(s, QStringLiteral("1.3.接合金物リスト"), 11, 0, 0, 0);
    s.SetFontSize(10);
    s.SetTableSpacing(80, 80);
    s.SetCurrentY(s.MarginTop() + 600);
    s.StartTable();
    s.AddTable(
        QStringLiteral("+^700|+^1000|+^1000|+<4700|+^1600;"), QString(),
        {{QStringLiteral("告示\r表記"), QStringLiteral("Ｎ値"), QStringLiteral("必要耐力\r(kN)"),
          QStringLiteral("接合方法"), QStringLiteral("記号")},
         {QStringLiteral("(い)"), QStringLiteral("0.0以下"), QStringLiteral("0.0"),
          QStringLiteral("短ほぞ差し、かすがい打ち"), QStringLiteral("(い)")},
         {QStringLiteral("(ろ)"), QStringLiteral("0.65以下"), QStringLiteral("3.4"),
          QStringLiteral("長ほぞ差し込み栓打ち、またはかど金物CP-L（(ろ)相当）を用いた接合部"),
          QStringLiteral("(ろ)")},
         {QStringLiteral("(る)*"), QStringLiteral("7.5以下"), QStringLiteral("39.7"),
          QStringLiteral("引き寄せ金物 HD-B25 または S-HD25 を２組用いたもの"), QStringLiteral("(る)*")},
         {QStringLiteral("備考：この表は金物の選定基準を示す。"), {}, {}, {}, {}}});
    s.SetTableCell(kCellAlign, 0, 3, kCellAlignCenter);
    s.SetTableCell(kCellSpan, 4, 0, 5);
    s.EndTable();

    s.SetFontName(QStringLiteral("ＭＳ Ｐ明朝"));
    s.SetFontSize(8);
    s.SetTableSpacing(10, 10);
    inTable = true;
    s.SetCurrentY(s.CurrentY() + 600);
    QList<QStringList> body;
    body.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        body.append(
            {QStringLiteral("X%1-Y%2").arg(r % 30 + 1).arg(r / 30 + 1),
             r % 2 ? QStringLiteral("通し柱") : QStringLiteral("管柱"),
             QString::number(0.35 * (r % 23), 'f', 2), QString::number(0.35 * (r % 23) * 5.292, 'f', 2),
             QStringLiteral("(%1)").arg(QString(QStringLiteral("いろはにほへとちりぬ")[r % 10])),
             r % 7 == 3
                 ? QStringLiteral(
                       "引き寄せ金物 HD-B15 (ほ) ＋ 座金付きボルト、長文の注記が列幅を超えて折り返す")
                 : QStringLiteral("(%1)").arg(QString(QStringLiteral("いろはにほへとちりぬ")[r % 10]))});
    }
    s.StartTable();
    s.AddTable(QStringLiteral("+^1300|+^1000|+^900|+^1200|+^900|+<3600;"),
               QStringLiteral("通り|柱|Ｎ値|引抜き力|必要|配置金物"), body);
    s.EndTable();
    inTable = false;
    PrintTextCm(s, QStringLiteral("以上"), 10, 0, TwipsToCm(s.CurrentY() - s.MarginTop()) + 0.3f, 0);
    s.EndDoc();
    s.SetNewPageHandler({});
}

}  // namespace rqx
