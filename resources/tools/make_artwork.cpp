// Draws the program's own artwork (icon, toolbar pictures, division pictures, hand cursor) into
// PNG files under resources/. Run once after changing a drawing:
//   velm_make_artwork <resources folder>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

QString gOut;

const QColor kInk(40, 40, 48);
const QColor kWood(196, 140, 76);
const QColor kWoodDark(120, 78, 36);
const QColor kBlue(36, 96, 188);
const QColor kRed(210, 40, 40);
const QColor kGreen(40, 150, 60);
const QColor kPaper(252, 252, 248);

bool Save(const QImage &image, const QString &name)
{
    const QString path = gOut + QLatin1Char('/') + name;
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// A 64 × 64 picture drawn on a 32-unit design grid.
bool Icon(const QString &name, const std::function<void(QPainter &)> &draw)
{
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(2.0, 2.0);
    draw(p);
    p.end();
    return Save(image, QStringLiteral("icons/") + name + QStringLiteral(".png"));
}

QPen Pen(const QColor &c, double w)
{
    QPen pen(c, w);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// The arrow turning back to the left of the Undo key (the Redo key mirrors it).
void UndoArrow(QPainter &p)
{
    QPainterPath arc;
    arc.moveTo(9, 13);
    arc.cubicTo(14, 6, 28, 7, 27, 18);
    arc.cubicTo(26, 25, 18, 28, 12, 26);
    p.setPen(Pen(kBlue, 3.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(4, 7);
    head.lineTo(13, 9);
    head.lineTo(6, 16);
    head.closeSubpath();
    p.setPen(Pen(kBlue, 1.0));
    p.setBrush(kBlue);
    p.drawPath(head);
}

void Page(QPainter &p, double x, double y, double w, double h)
{
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - 6, y);
    path.lineTo(x + w, y + 6);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.setPen(Pen(kInk, 1.4));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(x + w - 6, y), QPointF(x + w - 6, y + 6));
    p.drawLine(QPointF(x + w - 6, y + 6), QPointF(x + w, y + 6));
}

void Text(QPainter &p, const QRectF &r, const QString &text, double size, const QColor &c, bool bold = true)
{
    QFont f(QStringLiteral("IPAGothic"));
    f.setPixelSize(static_cast<int>(size));
    f.setBold(bold);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
}

// Posts and beams of a two-storey frame elevation.
void Frame(QPainter &p, const QColor &c)
{
    p.setPen(Pen(c, 2.4));
    p.drawLine(QPointF(5, 28), QPointF(27, 28));
    p.drawLine(QPointF(5, 17), QPointF(27, 17));
    p.drawLine(QPointF(5, 6), QPointF(27, 6));
    for (double x : {6.0, 16.0, 26.0})
        p.drawLine(QPointF(x, 6), QPointF(x, 28));
    p.setPen(Pen(c, 1.4));
    p.drawLine(QPointF(6, 28), QPointF(16, 17));
    p.drawLine(QPointF(16, 17), QPointF(26, 6));
}

void AxisBubble(QPainter &p, const QPointF &c, const QString &label, double r = 5.5)
{
    p.setPen(Pen(kInk, 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(c, r, r);
    Text(p, QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), label, r * 1.5, kInk);
}

bool MakeIcons()
{
    bool ok = true;
    ok &= Icon(QStringLiteral("NewData"), [](QPainter &p) {
        Page(p, 6, 3, 20, 26);
        p.setPen(Pen(kGreen, 3));
        p.drawLine(QPointF(21, 20), QPointF(21, 30));
        p.drawLine(QPointF(16, 25), QPointF(26, 25));
    });
    ok &= Icon(QStringLiteral("Open"), [](QPainter &p) {
        p.setPen(Pen(QColor(150, 110, 20), 1.4));
        p.setBrush(QColor(236, 196, 80));
        p.drawRoundedRect(QRectF(3, 8, 22, 18), 1.5, 1.5);
        p.drawRect(QRectF(3, 6, 9, 3));
        QPainterPath lid;
        lid.moveTo(7, 13);
        lid.lineTo(30, 13);
        lid.lineTo(25, 26);
        lid.lineTo(3, 26);
        lid.closeSubpath();
        p.setBrush(QColor(250, 220, 120));
        p.drawPath(lid);
    });
    ok &= Icon(QStringLiteral("Save"), [](QPainter &p) {
        p.setPen(Pen(QColor(20, 50, 110), 1.4));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.setBrush(QColor(210, 220, 240));
        p.drawRect(QRectF(8, 18, 16, 10));
        p.setBrush(kBlue);
        p.drawRect(QRectF(18, 6, 3, 5));
    });
    ok &= Icon(QStringLiteral("PreView"), [](QPainter &p) {
        Page(p, 3, 2, 20, 26);
        p.setPen(Pen(QColor(120, 120, 130), 1.2));
        for (double y : {9.0, 13.0, 17.0})
            p.drawLine(QPointF(7, y), QPointF(18, y));
        p.setPen(Pen(kInk, 2.2));
        p.setBrush(QColor(200, 230, 255, 220));
        p.drawEllipse(QPointF(19, 19), 6, 6);
        p.setPen(Pen(kInk, 3.2));
        p.drawLine(QPointF(23.5, 23.5), QPointF(29, 29));
    });
    ok &= Icon(QStringLiteral("NChkFig"), [](QPainter &p) {
        p.setPen(Pen(QColor(110, 110, 120), 1.2));
        for (double v : {6.0, 16.0, 26.0}) {
            p.drawLine(QPointF(v, 4), QPointF(v, 28));
            p.drawLine(QPointF(4, v), QPointF(28, v));
        }
        p.setPen(Pen(kWoodDark, 2.6));
        p.drawLine(QPointF(6, 16), QPointF(26, 16));
        p.setPen(Pen(kRed, 1.6));
        p.setBrush(QColor(255, 120, 120));
        p.drawEllipse(QPointF(16, 16), 4.5, 4.5);
        Text(p, QRectF(18, 18, 14, 14), QStringLiteral("N"), 12, kBlue);
    });
    ok &= Icon(QStringLiteral("JikuX"), [](QPainter &p) {
        Frame(p, kWoodDark);
        AxisBubble(p, QPointF(24, 24), QStringLiteral("X"), 6.5);
    });
    ok &= Icon(QStringLiteral("JikuY"), [](QPainter &p) {
        Frame(p, kWoodDark);
        AxisBubble(p, QPointF(24, 24), QStringLiteral("Y"), 6.5);
    });
    ok &= Icon(QStringLiteral("Kanamono"), [](QPainter &p) {
        p.setPen(Pen(kWoodDark, 1.2));
        p.setBrush(kWood);
        p.drawRect(QRectF(12, 2, 8, 28));
        p.setPen(Pen(QColor(60, 60, 70), 1.2));
        p.setBrush(QColor(170, 176, 188));
        p.drawRect(QRectF(6, 9, 20, 14));
        p.setBrush(QColor(70, 70, 80));
        for (double y : {13.0, 19.0})
            for (double x : {10.0, 22.0})
                p.drawEllipse(QPointF(x, y), 1.6, 1.6);
    });
    ok &= Icon(QStringLiteral("TatemonoName"), [](QPainter &p) {
        QPainterPath house;
        house.moveTo(3, 15);
        house.lineTo(14, 5);
        house.lineTo(25, 15);
        p.setPen(Pen(kRed, 2.4));
        p.drawPath(house);
        p.setPen(Pen(kInk, 1.4));
        p.setBrush(kPaper);
        p.drawRect(QRectF(6, 14, 16, 14));
        p.setPen(Pen(kInk, 1.2));
        p.drawLine(QPointF(9, 19), QPointF(19, 19));
        p.drawLine(QPointF(9, 23), QPointF(16, 23));
        // pencil
        p.setPen(Pen(QColor(90, 60, 10), 1.0));
        p.setBrush(QColor(250, 200, 40));
        QPainterPath pencil;
        pencil.moveTo(20, 29);
        pencil.lineTo(21, 24);
        pencil.lineTo(29, 16);
        pencil.lineTo(31, 18);
        pencil.lineTo(23, 26);
        pencil.closeSubpath();
        p.drawPath(pencil);
    });
    ok &= Icon(QStringLiteral("GridSize"), [](QPainter &p) {
        p.setPen(Pen(QColor(90, 90, 100), 1.2));
        for (double v = 4; v <= 22; v += 6) {
            p.drawLine(QPointF(v, 4), QPointF(v, 22));
            p.drawLine(QPointF(4, v), QPointF(22, v));
        }
        p.setPen(Pen(kBlue, 2.0));
        p.drawLine(QPointF(4, 27), QPointF(29, 27));
        p.drawLine(QPointF(29, 27), QPointF(25.5, 24.5));
        p.drawLine(QPointF(29, 27), QPointF(25.5, 29.5));
        p.drawLine(QPointF(27, 4), QPointF(27, 24));
        p.drawLine(QPointF(27, 4), QPointF(24.5, 7.5));
        p.drawLine(QPointF(27, 4), QPointF(29.5, 7.5));
    });
    ok &= Icon(QStringLiteral("LineName"), [](QPainter &p) {
        p.setPen(Pen(QColor(90, 90, 100), 1.2));
        for (double v : {12.0, 22.0}) {
            p.drawLine(QPointF(v, 10), QPointF(v, 30));
            p.drawLine(QPointF(10, v), QPointF(30, v));
        }
        AxisBubble(p, QPointF(12, 5.5), QStringLiteral("1"), 4.8);
        AxisBubble(p, QPointF(22, 5.5), QStringLiteral("2"), 4.8);
        AxisBubble(p, QPointF(5.5, 12), QStringLiteral("A"), 4.8);
        AxisBubble(p, QPointF(5.5, 22), QStringLiteral("B"), 4.8);
    });
    ok &= Icon(QStringLiteral("OsaeKeisu"), [](QPainter &p) {
        p.setPen(Pen(kWoodDark, 1.2));
        p.setBrush(kWood);
        p.drawRect(QRectF(12, 10, 8, 20));
        p.setPen(Pen(kBlue, 2.4));
        p.drawLine(QPointF(16, 1), QPointF(16, 8));
        p.drawLine(QPointF(16, 8), QPointF(12.5, 4.5));
        p.drawLine(QPointF(16, 8), QPointF(19.5, 4.5));
        Text(p, QRectF(0, 12, 13, 16), QStringLiteral("L"), 14, kRed);
    });
    ok &= Icon(QStringLiteral("CrossG"), [](QPainter &p) {
        p.setPen(Pen(kWoodDark, 1.2));
        p.setBrush(kWood);
        p.drawRect(QRectF(2, 13, 28, 6));
        p.setBrush(QColor(220, 170, 110));
        p.drawRect(QRectF(13, 2, 6, 28));
        p.setPen(Pen(kRed, 2.4));
        p.drawLine(QPointF(25, 3), QPointF(25, 10));
        p.drawLine(QPointF(25, 3), QPointF(22, 6));
        p.drawLine(QPointF(25, 3), QPointF(28, 6));
    });
    ok &= Icon(QStringLiteral("Undo"), UndoArrow);
    // Redo: the undo arrow turned the other way.
    ok &= Icon(QStringLiteral("Redo"), [](QPainter &p) {
        p.translate(32, 0);
        p.scale(-1, 1);
        UndoArrow(p);
    });
    // N values on the plan: a column on its grid lines with "N" in the quarter beside it.
    ok &= Icon(QStringLiteral("NValue"), [](QPainter &p) {
        p.setPen(Pen(QColor(90, 90, 100), 1.2));
        p.drawLine(QPointF(2, 22), QPointF(30, 22));
        p.drawLine(QPointF(10, 2), QPointF(10, 30));
        p.setPen(Pen(kWoodDark, 1.2));
        p.setBrush(kWood);
        p.drawRect(QRectF(6.5, 18.5, 7, 7));
        Text(p, QRectF(13, 1, 18, 19), QStringLiteral("N"), 15, kRed);
    });
    ok &= Icon(QStringLiteral("Close"), [](QPainter &p) {
        p.setPen(Pen(kWoodDark, 1.4));
        p.setBrush(QColor(180, 120, 60));
        p.drawRect(QRectF(5, 3, 15, 26));
        p.setBrush(QColor(250, 220, 120));
        p.drawEllipse(QPointF(17, 17), 1.4, 1.4);
        p.setPen(Pen(kRed, 3.0));
        p.drawLine(QPointF(20, 16), QPointF(30, 16));
        p.drawLine(QPointF(30, 16), QPointF(26, 12));
        p.drawLine(QPointF(30, 16), QPointF(26, 20));
    });
    return ok;
}

// The program icon: a timber frame with a cross brace on a blue tile and the letter N.
bool MakeAppIcon()
{
    QImage image(256, 256, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(8.0, 8.0);
    QLinearGradient g(0, 0, 0, 32);
    g.setColorAt(0, QColor(60, 130, 220));
    g.setColorAt(1, QColor(20, 70, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);
    p.setBrush(kWood);
    p.setPen(Pen(kWoodDark, 0.5));
    p.drawRect(QRectF(5, 6, 22, 3));    // beam
    p.drawRect(QRectF(5, 24, 22, 3));   // sill
    p.drawRect(QRectF(5.5, 6, 3, 21));  // posts
    p.drawRect(QRectF(23.5, 6, 3, 21));
    p.setPen(Pen(kWood, 2.0));
    p.drawLine(QPointF(8.5, 24), QPointF(23.5, 9));
    p.drawLine(QPointF(8.5, 9), QPointF(23.5, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 235));
    p.drawEllipse(QPointF(16, 16.5), 6.2, 6.2);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kRed);
    p.drawText(QRectF(9.8, 10.3, 12.4, 12.4), Qt::AlignCenter, QStringLiteral("N"));
    p.end();
    return Save(image, QStringLiteral("icons/velmrqx.png"));
}

// Division picture k: one grid module with k sub-grid lines each way and its division points.
bool MakeDivisionPicture(int k)
{
    const int size = 96;
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double lo = 16;
    const double hi = size - 16;
    const double step = (hi - lo) / (k + 1);
    QPen dash(QColor(120, 120, 120), 1.0, Qt::DashLine);
    p.setPen(dash);
    for (int i = 1; i <= k; ++i) {
        const double v = lo + i * step;
        p.drawLine(QPointF(v, lo - 8), QPointF(v, hi + 8));
        p.drawLine(QPointF(lo - 8, v), QPointF(hi + 8, v));
    }
    p.setPen(QPen(kInk, 2.0));
    for (double v : {lo, hi}) {
        p.drawLine(QPointF(v, lo - 10), QPointF(v, hi + 10));
        p.drawLine(QPointF(lo - 10, v), QPointF(hi + 10, v));
    }
    for (int i = 0; i <= k + 1; ++i)
        for (int j = 0; j <= k + 1; ++j) {
            const bool major = (i == 0 || i == k + 1) && (j == 0 || j == k + 1);
            const QPointF c(lo + i * step, lo + j * step);
            p.setPen(QPen(major ? kInk : kRed, 1.0));
            p.setBrush(major ? kBlue : QColor(255, 110, 110));
            const double r = major ? 4.5 : 3.0;
            p.drawEllipse(c, r, r);
        }
    p.end();
    return Save(image, QStringLiteral("pictures/division-%1.png").arg(k));
}

// Pointing hand, hot spot at the tip of the index finger (10, 1).
bool MakeHandCursor()
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath hand;
    hand.moveTo(8.5, 17);
    hand.lineTo(8.5, 3);
    hand.cubicTo(8.5, 0.5, 12.5, 0.5, 12.5, 3);
    hand.lineTo(12.5, 12);
    hand.cubicTo(12.5, 10, 16.5, 10, 16.5, 12);
    hand.lineTo(16.5, 13);
    hand.cubicTo(16.5, 11, 20.5, 11, 20.5, 13);
    hand.lineTo(20.5, 14);
    hand.cubicTo(20.5, 12, 24.5, 12, 24.5, 14);
    hand.lineTo(24.5, 22);
    hand.cubicTo(24.5, 26, 22.5, 28, 21.5, 30);
    hand.lineTo(11.5, 30);
    hand.cubicTo(10.5, 27, 6, 23, 3.5, 19);
    hand.cubicTo(2, 16.5, 5, 14.5, 7, 16);
    hand.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    p.setPen(QPen(Qt::black, 0.9));
    for (double x : {12.5, 16.5, 20.5})
        p.drawLine(QPointF(x, 15), QPointF(x, 19.5));
    p.end();
    return Save(image, QStringLiteral("cursors/hand_point.png"));
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    gOut = QString::fromLocal8Bit(argv[1]);
    for (const char *sub : {"icons", "pictures", "cursors"})
        QDir(gOut).mkpath(QString::fromLatin1(sub));
    bool ok = MakeIcons() && MakeAppIcon() && MakeHandCursor();
    for (int k = 0; k <= 3; ++k)
        ok = MakeDivisionPicture(k) && ok;
    return ok ? 0 : 1;
}
