#include "editor/ui/n_value_overlay.h"

#include <QAction>
#include <QFontMetrics>
#include <QPainter>
#include <QTimer>

#include <algorithm>

#include "document/project_document.h"
#include "editor/plan_render.h"
#include "report/result_table.h"
#include "widgets/app_look.h"

namespace rqx {

namespace {

// The texts keep this far (page cm at zoom 1) from the grid lines through their column: past the
// brace symbols (offset 0.15 + height 0.24) and the board bands beside the lines.
constexpr double kLineClearanceCm = 0.45;

int CmToPixels(const PlanSurface &s, double cm)
{
    return std::abs(s.planToPixel(cm, 0.0).x() - s.planToPixel(0.0, 0.0).x());
}

}  // namespace

NValueOverlay::NValueOverlay(ProjectDocument &document, EditorState &editor, Paper &paper, QObject *parent)
    : QObject(parent), document_(document), editor_(editor), paper_(paper)
{
    action_ = new QAction(QStringLiteral("Ｎ値表示(&N)"), this);
    action_->setObjectName(QStringLiteral("MenuView_NValue"));
    action_->setCheckable(true);
    action_->setIcon(ToolbarIcon(QStringLiteral("NValue")));
    action_->setToolTip(QStringLiteral("Ｎ値表示"));
    action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    connect(action_, &QAction::toggled, this, &NValueOverlay::setShown);
    connect(&document_, &ProjectDocument::changed, this, &NValueOverlay::scheduleRefresh);
    paper_.setOverlay(this);
}

NValueOverlay::~NValueOverlay()
{
    paper_.setOverlay(nullptr);
}

void NValueOverlay::setShown(bool on)
{
    if (on == shown_)
        return;
    shown_ = on;
    action_->setChecked(on);
    if (on) {
        refreshNow();
    } else {
        marks_.clear();
        layout_ = {};
        drawn_.clear();
        paper_.update();
    }
    const QString note = statusNote();
    if (note != lastNote_) {
        lastNote_ = note;
        emit statusNoteChanged(note);
    }
}

QString NValueOverlay::statusNote() const
{
    if (!shown_)
        return {};
    if (!marks_.empty() && !layout_.fits)
        return QStringLiteral(" Ｎ値表示中（数値は拡大すると表示） ");
    return QStringLiteral(" Ｎ値表示中 ");
}

void NValueOverlay::scheduleRefresh()
{
    if (!shown_ || refreshQueued_)
        return;
    // After the edit has been drawn: the values follow within the same frame, the pointer first.
    refreshQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        refreshQueued_ = false;
        if (shown_)
            refreshNow();
    });
}

void NValueOverlay::planRedrawn()
{
    if (!shown_)
        return;
    if (floor_ != document_.currentFloor()) {
        refreshNow();
        return;
    }
    layOut();
    paper_.update();
}

void NValueOverlay::refreshNow()
{
    if (!shown_)
        return;
    const std::vector<ColumnNMark> before = std::move(marks_);
    const NMarkLayout beforeLayout = std::move(layout_);
    const bool sameFloor = floor_ == document_.currentFloor();
    floor_ = document_.currentFloor();
    marks_ = ColumnNMarksOf(document_.calculated(), floor_);
    layOut();
    if (sameFloor)
        updateChanged(before, beforeLayout);
    else
        paper_.update();
    const QString note = statusNote();
    if (note != lastNote_) {
        lastNote_ = note;
        emit statusNoteChanged(note);
    }
}

void NValueOverlay::layOut()
{
    const PlanSurface &s = paper_.surface();
    const PlanInputs in{document_.project(), editor_, floor_};
    const SymbolSizes sizes = SymbolSizesAt(editor_.zoomFactor);
    const double z = editor_.zoomFactor > 0.0f ? editor_.zoomFactor : 1.0;
    const QFontMetrics fm(NMarkFont());
    int width = 0;
    for (const ColumnNMark &m : marks_)
        width = std::max({width, fm.horizontalAdvance(m.classText()), fm.horizontalAdvance(m.nText())});
    layout_ = LayOutNMarks(
        marks_,
        [&](int ix, int iy) {
            const QPointF p = NodePoint(in, ix, iy);
            return s.planToPixel(p.x(), p.y());
        },
        std::max(1, CmToPixels(s, sizes.braceOffset / 2.0)), CmToPixels(s, kLineClearanceCm / z), width + 1,
        fm.height());
}

void NValueOverlay::updateChanged(const std::vector<ColumnNMark> &before, const NMarkLayout &beforeLayout)
{
    if (before.size() != marks_.size() || beforeLayout.fits != layout_.fits ||
        beforeLayout.textBoxes.size() != before.size()) {
        paper_.update();
        return;
    }
    for (size_t k = 0; k < marks_.size(); ++k) {
        if (before[k] == marks_[k] && beforeLayout.textBoxes[k] == layout_.textBoxes[k])
            continue;
        paper_.update(beforeLayout.textBoxes[k].united(beforeLayout.columnBoxes[k]).adjusted(-1, -1, 1, 1));
        paper_.update(layout_.textBoxes[k].united(layout_.columnBoxes[k]).adjusted(-1, -1, 1, 1));
    }
}

void NValueOverlay::paintOver(QPainter &painter, const QRect &exposed)
{
    if (!shown_) {
        drawn_.clear();
        return;
    }
    drawn_ = PaintNMarks(painter, marks_, layout_, exposed, NMarkFont());
}

QString NValueOverlay::toolTipAt(QPoint pixel) const
{
    if (!shown_)
        return {};
    for (size_t k = 0; k < marks_.size(); ++k) {
        const bool onText = layout_.fits && layout_.textBoxes[k].contains(pixel);
        if (onText || layout_.columnBoxes[k].adjusted(-2, -2, 2, 2).contains(pixel))
            return ColumnResultText(document_.calculated(), marks_[k].ix, marks_[k].iy, floor_);
    }
    return {};
}

}  // namespace rqx
