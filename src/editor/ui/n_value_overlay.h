#pragma once
// The N values on the plan while drawing ("Ｎ値表示"): the required class and N at every column of
// the storey on screen, updated after every edit, undo and redo, from the document's calculation
// result. Painted over the plan raster; hovering a column gives its entries of the result table.

#include <QObject>
#include <QString>

#include <vector>

#include "editor/column_n_marks.h"
#include "editor/ui/paper.h"

class QAction;

namespace rqx {

class ProjectDocument;
struct EditorState;

class NValueOverlay : public QObject, public PaperOverlay {
    Q_OBJECT
public:
    NValueOverlay(ProjectDocument &document, EditorState &editor, Paper &paper, QObject *parent = nullptr);
    ~NValueOverlay() override;

    bool shown() const { return shown_; }
    void setShown(bool on);
    // The checkable "Ｎ値表示(&D)" of the 表示 menu and the toolbar.
    QAction *toggleAction() const { return action_; }

    // After the plan was drawn anew (zoom, storey, fit): the texts are placed again.
    void planRedrawn();
    // Recalculates and places the marks now, instead of after the event being handled.
    void refreshNow();

    // Every text is shown (false: at this zoom some find no room; their columns keep only the mark).
    bool textsFit() const { return layout_.fits; }
    // How many texts are shown.
    int textsShown() const { return layout_.shownCount(); }
    const std::vector<ColumnNMark> &marks() const { return marks_; }
    // The texts the last paint drew.
    const std::vector<DrawnNText> &drawnTexts() const { return drawn_; }
    // The status bar's note: empty while the values are not shown.
    QString statusNote() const;

    void paintOver(QPainter &painter, const QRect &exposed) override;
    QString toolTipAt(QPoint pixel) const override;

signals:
    void statusNoteChanged(const QString &note);

private:
    void scheduleRefresh();
    void layOut();
    // Repaints where the marks changed (everywhere when the texts appeared or went).
    void updateChanged(const std::vector<ColumnNMark> &before, const NMarkLayout &beforeLayout);

    ProjectDocument &document_;
    EditorState &editor_;
    Paper &paper_;
    QAction *action_ = nullptr;
    bool shown_ = false;
    bool refreshQueued_ = false;
    int floor_ = 0;
    std::vector<ColumnNMark> marks_;
    NMarkLayout layout_;
    std::vector<DrawnNText> drawn_;
    QString lastNote_;
};

}  // namespace rqx
