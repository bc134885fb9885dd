#include "editor/ui/placement_overlay.h"

#include <QAction>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <cmath>

#include "document/project_document.h"
#include "editor/editor_state.h"
#include "editor/plan_render.h"

namespace rqx {

namespace {

QColor TintColour(PortionState state)
{
    switch (state) {
        case PortionState::Enough:
            return {0, 170, 0, 70};
        case PortionState::Balanced:
            return {230, 200, 0, 80};
        case PortionState::Failing:
            return {230, 0, 0, 90};
        case PortionState::Unknown:
            break;
    }
    return {128, 128, 128, 60};
}

// The toolbar key: a plan whose two end quarters are tinted, the quarter lines dashed.
QIcon PlacementIcon()
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(2, 4, 19, 15);
    p.fillRect(QRect(3, 5, 5, 14), QColor(0, 170, 0));
    p.fillRect(QRect(16, 5, 5, 14), QColor(230, 200, 0));
    p.setPen(QPen(QColor(40, 40, 40), 1, Qt::DashLine));
    p.drawLine(8, 2, 8, 21);
    p.drawLine(15, 2, 15, 21);
    return QIcon(pixmap);
}

QString FillText(const SidePortion &side, bool known)
{
    if (!known)
        return QStringLiteral("－");
    if (std::isinf(side.fill))
        return QStringLiteral("∞");
    return QString::number(std::floor(side.fill * 100.0) / 100.0, 'f', 2);  // cut: 0.999 shows 0.99
}

}  // namespace

PlacementOverlay::PlacementOverlay(ProjectDocument &document, EditorState &editor, Paper &paper, QObject *parent)
    : QObject(parent), document_(document), editor_(editor), paper_(paper)
{
    action_ = new QAction(QStringLiteral("壁配置表示(&W)"), this);
    action_->setObjectName(QStringLiteral("MenuView_Placement"));
    action_->setCheckable(true);
    action_->setIcon(PlacementIcon());
    action_->setToolTip(QStringLiteral("壁の配置 (四分割法の側端部分と充足率) を表示"));
    action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    connect(action_, &QAction::toggled, this, &PlacementOverlay::setShown);
    auto later = [this] {
        if (!shown_ || refreshQueued_)
            return;
        refreshQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            refreshQueued_ = false;
            refresh();
        });
    };
    connect(&document_, &ProjectDocument::changed, this, later);
    connect(&document_, &ProjectDocument::currentFloorChanged, this, later);
    paper_.addOverlay(this, true);
}

PlacementOverlay::~PlacementOverlay()
{
    paper_.removeOverlay(this);
}

void PlacementOverlay::setShown(bool on)
{
    if (on == shown_)
        return;
    shown_ = on;
    action_->setChecked(on);
    refresh();
}

void PlacementOverlay::planRedrawn()
{
    if (shown_)
        refresh();
}

void PlacementOverlay::refresh()
{
    tints_.clear();
    lines_.clear();
    if (shown_) {
        const Project &p = document_.project();
        const int floor = document_.currentFloor();
        const WallPlacementResult &r = document_.wallPlacement();
        if (floor >= 1 && floor <= r.storeys && p.dims.spanCountX >= 1 && p.dims.spanCountY >= 1) {
            // Metres from the first node to pixels, through the plan's own node positions.
            const PlanInputs in{p, editor_, floor};
            const QPointF o = NodePoint(in, 1, 1);
            const QPointF d = NodePoint(in, 2, 2) - o;
            const double span = r.spanM > 0 ? r.spanM : 1.0;
            const PlanSurface &surface = paper_.surface();
            auto pixel = [&](double xm, double ym) {
                const QPointF cm = o + QPointF(d.x() * xm / span, d.y() * ym / span);
                return QPointF(surface.planToPixel(cm.x(), cm.y()));
            };
            for (int dir = kDirX; dir <= kDirY; ++dir) {
                const QuarterResult &q = r.at(floor, dir);
                const QuarterResult &across = r.at(floor, dir == kDirX ? kDirY : kDirX);
                if (!q.present)
                    continue;
                for (const SidePortion &side : q.side) {
                    const QPointF a = dir == kDirX ? pixel(across.extentFrom, side.from) : pixel(side.from, across.extentFrom);
                    const QPointF b = dir == kDirX ? pixel(across.extentTo, side.to) : pixel(side.to, across.extentTo);
                    const bool known = side.lwKnown || side.areaM2 <= 0.0;
                    tints_.push_back({dir, side.side, StateOf(q, side.side), QRectF(a, b).normalized(),
                                      QStringLiteral("%1%2 %3")
                                          .arg(dir == kDirX ? QStringLiteral("X") : QStringLiteral("Y"))
                                          .arg(side.side)
                                          .arg(FillText(side, known))});
                }
                for (const double at : {q.side[0].to, q.side[1].from})
                    lines_.push_back(dir == kDirX ? QLineF(pixel(across.extentFrom, at), pixel(across.extentTo, at))
                                                  : QLineF(pixel(at, across.extentFrom), pixel(at, across.extentTo)));
            }
        }
    }
    paper_.update();
}

void PlacementOverlay::paintOver(QPainter &painter, const QRect &)
{
    if (!shown_)
        return;
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const Tint &t : tints_) {
        painter.setBrush(TintColour(t.state));
        painter.drawRect(t.box);
    }
    painter.setPen(QPen(QColor(255, 255, 255), 1, Qt::DashDotLine));
    painter.setBrush(Qt::NoBrush);
    for (const QLineF &l : lines_)
        painter.drawLine(l);
    QFont font = painter.font();
    font.setPixelSize(12);
    painter.setFont(font);
    for (const Tint &t : tints_) {
        // X portions carry their label at the left end, Y portions at the bottom, so the four stay apart.
        const QRectF box = painter.fontMetrics().boundingRect(t.label).adjusted(-2, 0, 2, 0);
        QPointF at = t.direction == kDirX ? QPointF(t.box.left() + 4, t.box.center().y() - box.height() / 2)
                                          : QPointF(t.box.center().x() - box.width() / 2, t.box.bottom() - box.height() - 4);
        const QRectF r(at, box.size());
        painter.fillRect(r, QColor(0, 0, 0, 160));
        painter.setPen(QColor(255, 255, 255));
        painter.drawText(r, Qt::AlignCenter, t.label);
    }
    painter.restore();
}

QString PlacementOverlay::toolTipAt(QPoint pixel) const
{
    if (!shown_)
        return {};
    const WallPlacementResult &r = document_.wallPlacement();
    const int floor = document_.currentFloor();
    QStringList lines;
    for (const Tint &t : tints_) {
        if (!t.box.contains(pixel))
            continue;
        const QuarterResult &q = r.at(floor, t.direction);
        const SidePortion &s = q.side[static_cast<std::size_t>(t.side - 1)];
        lines << QStringLiteral("%1%2: 床面積 %3 m²  必要 %4 cm  存在 %5 cm  充足率 %6  壁率比 %7")
                     .arg(t.direction == kDirX ? QStringLiteral("X") : QStringLiteral("Y"))
                     .arg(t.side)
                     .arg(s.areaM2, 0, 'f', 2)
                     .arg(s.requiredCm, 0, 'f', 1)
                     .arg(s.existingCm, 0, 'f', 1)
                     .arg(FillText(s, s.lwKnown || s.areaM2 <= 0.0))
                     .arg(std::floor(q.wallRatio * 100.0) / 100.0, 0, 'f', 2);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace rqx
