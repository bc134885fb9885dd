#include "editor/ui/n_value_overlay.h"

#include <QAction>
#include <QPainter>
#include <QTimer>

#include <algorithm>

#include "document/project_document.h"
#include "editor/plan_render.h"
#include "report/result_table.h"
#include "widgets/app_look.h"

namespace rqx {

NValueOverlay::NValueOverlay(ProjectDocument &document, EditorState &editor, Paper &paper, QObject *parent)
    : QObject(parent), document_(document), editor_(editor), paper_(paper)
{
    action_ = new QAction(QStringLiteral("Ｎ値表示(&D)"), this);
    action_->setObjectName(QStringLiteral("MenuView_NValue"));
    action_->setCheckable(true);
    action_->setIcon(ToolbarIcon(QStringLiteral("NValue")));
    action_->setToolTip(QStringLiteral("Ｎ値表示"));
    action_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    connect(action_, &QAction::toggled, this, &NValueOverlay::setShown);
    connect(&document_, &ProjectDocument::changed, this, &NValueOverlay::scheduleRefresh);
    paper_.addOverlay(this);
}

NValueOverlay::~NValueOverlay()
{
    paper_.removeOverlay(this);
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
    if (!marks_.empty() && layout_.shownCount() == 0)
        return QStringLiteral(" Ｎ値表示中（数値は拡大すると表示） ");
    if (!marks_.empty() && !layout_.fits)
        return QStringLiteral(" Ｎ値表示中（一部の数値は拡大すると表示） ");
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
    // The marks are read again too: a new project, grid or storey has other columns (the result is
    // calculated again only when the project changed).
    if (!shown_)
        return;
    floor_ = 0;
    refreshNow();
}

void NValueOverlay::refreshNow()
{
    if (!shown_)
        return;
    const std::vector<ColumnNMark> before = std::move(marks_);
    const NMarkLayout beforeLayout = std::move(layout_);
    const bool sameFloor = floor_ == document_.currentFloor();
    floor_ = document_.currentFloor();
    const Calculation &calc = document_.calculation();
    marks_ = ColumnNMarksOf(document_.project(), calc, floor_);
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
    layout_ = LayOutNMarksOnPlan(paper_.surface(), PlanInputs{document_.project(), editor_, floor_}, marks_);
}

void NValueOverlay::updateChanged(const std::vector<ColumnNMark> &before, const NMarkLayout &beforeLayout)
{
    if (before.size() != marks_.size() || beforeLayout.shown != layout_.shown ||
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
        const bool onText = k < layout_.shown.size() && layout_.shown[k] && layout_.textBoxes[k].contains(pixel);
        if (onText || layout_.columnBoxes[k].adjusted(-2, -2, 2, 2).contains(pixel))
            return ColumnResultText(document_.project(), document_.calculation(), marks_[k].ix, marks_[k].iy,
                                    floor_);
    }
    return {};
}

}  // namespace rqx
