#pragma once
// The wall placement on the plan while drawing ("壁配置表示"): the quarter lines of the storey on
// screen and each side portion tinted by its state — enough, short but balanced, failing — with its
// 充足率, from the document's cached placement result, updated after every edit, undo and redo.
// Painted over the plan raster, under the N values; reading the result changes nothing.

#include <QObject>
#include <QRectF>
#include <QString>

#include <vector>

#include "calc/wall_placement.h"
#include "editor/ui/paper.h"

class QAction;

namespace rqx {

class ProjectDocument;
struct EditorState;

class PlacementOverlay : public QObject, public PaperOverlay {
    Q_OBJECT
public:
    PlacementOverlay(ProjectDocument &document, EditorState &editor, Paper &paper, QObject *parent = nullptr);
    ~PlacementOverlay() override;

    bool shown() const { return shown_; }
    void setShown(bool on);
    // The checkable "壁配置表示(&W)" of the 表示 menu and the toolbar.
    QAction *toggleAction() const { return action_; }
    // After the plan was drawn anew (zoom, storey, fit).
    void planRedrawn();

    // One tinted portion as the last refresh placed it (pixels) — for the tests.
    struct Tint {
        int direction = kDirX;
        int side = 1;
        PortionState state = PortionState::Unknown;
        QRectF box;
        QString label;  // "X1 1.25"
    };
    const std::vector<Tint> &tints() const { return tints_; }
    // The quarter lines (pixels) of the storey on screen.
    const std::vector<QLineF> &quarterLines() const { return lines_; }

    void paintOver(QPainter &painter, const QRect &exposed) override;
    QString toolTipAt(QPoint pixel) const override;

private:
    void refresh();

    ProjectDocument &document_;
    EditorState &editor_;
    Paper &paper_;
    QAction *action_ = nullptr;
    bool shown_ = false;
    bool refreshQueued_ = false;
    std::vector<Tint> tints_;
    std::vector<QLineF> lines_;
};

}  // namespace rqx
