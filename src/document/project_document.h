#pragma once
// ProjectDocument: the open project without any window. It owns the Project, the open project's
// values (file path, current floor, dirty state) and the undo history, and tells the windows what
// happened through its signals. The per-user settings (history, defaults, registry values) are not
// the document's: they are the application's AppState, handed to the windows beside it.
//
// Every change of node records goes through a NodeEdit (or pushNodeEdit): it becomes one undoable
// step that stores only the records it changed. Changes that are not undoable (the settings dialogs,
// the building names) call markChanged(). The dirty state is "the undo stack is not at its clean
// index, or a change that is not undoable was made since the last save or load".

#include <QByteArray>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <array>
#include <cstddef>
#include <vector>

#include "calc/calculation.h"
#include "calc/wall_placement.h"
#include "calc/wall_quantity.h"
#include "model/project.h"
#include "model/project_file.h"

class QUndoCommand;
class QUndoStack;

namespace rqx {

// A rectangle of plan node positions (1-based, inclusive), any storey.
struct NodeRegion {
    int ix1 = 0;
    int iy1 = 0;
    int ix2 = 0;
    int iy2 = 0;
    bool isEmpty() const { return ix1 < 1 || iy1 < 1 || ix2 < ix1 || iy2 < iy1; }
    bool operator==(const NodeRegion &) const = default;
};

// The fields of a node record an undoable step puts back. Members are what the plan editor draws
// (floors, walls, columns, beams); PlacedHardware the placed top and foot classes (hardware(1), (2));
// the calculation's own marks (required class, corner flag) are never put back by an undo.
enum class NodeFields { Members, PlacedHardware, MembersAndPlacedHardware };

// One undoable change of node records: the offsets (file order) of the records and their values
// before and after. Built by NodeEdit or by the plan editor's snapshot.
struct NodeChange {
    QString text;  // the undo stack's text of the step
    NodeFields fields = NodeFields::Members;
    std::vector<std::size_t> offsets;
    std::vector<NodeRecord> before;
    std::vector<NodeRecord> after;
    NodeRegion region;  // plan rectangle to draw again; empty: the records' own rectangle, one node around
    // The view the step was made in (storey 1 or 2, the editor's tool as its number, the member
    // tree's node); an undo or redo shows it first, so the designer sees every change. 0: a step of
    // no plan view.
    int floor = 0;
    int tool = 0;
    QString treeKey;
};

// Whether two records agree in the given fields, and the copy of those fields: the one definition
// of what an undoable step holds, for every recorder and the history.
bool SameNodeFields(NodeFields fields, const NodeRecord &a, const NodeRecord &b);
void CopyNodeFields(NodeFields fields, NodeRecord &to, const NodeRecord &from);

// Records the node records a change is about to write, before it writes them: node() saves a record
// the first time it is asked for and returns it for writing; take() turns what was recorded into a
// NodeChange (values before and after). Needs no document, so the editor's placement routines write
// through it headless and their caller makes the step.
class NodeRecorder {
public:
    explicit NodeRecorder(Project &project);
    NodeRecorder(const NodeRecorder &) = delete;
    NodeRecorder &operator=(const NodeRecorder &) = delete;

    NodeRecord &node(int x, int y, int level);
    // Offsets (file order) of the records saved so far, in the order they were first asked for.
    const std::vector<std::size_t> &offsets() const { return change_.offsets; }
    // The change so far with the records' present values as its after side; the recorder is empty
    // afterwards.
    NodeChange take(const QString &text, NodeFields fields, const NodeRegion &region = {});

private:
    Project &project_;
    NodeChange change_;
    std::vector<bool> saved_;
};

class ProjectDocument : public QObject {
    Q_OBJECT
public:
    // Steps kept in the history (the oldest are dropped beyond it).
    static constexpr int kUndoLimit = 100;

    explicit ProjectDocument(QObject *parent = nullptr);
    ~ProjectDocument() override;

    // The open project, to read. Every change goes through the document's calls below, a NodeEdit
    // or recordedEdit, so that it is a step of the history or a marked change.
    const Project &project() const { return project_; }

    // ---- The open project's values ----
    // Full path of the project file, or "新規データ" for a project never saved.
    const QString &dataFilePath() const { return dataFilePath_; }
    void setDataFilePath(const QString &path);
    bool isNewData() const;
    // Storey being edited: 1 or 2.
    int currentFloor() const { return currentFloor_; }
    void setCurrentFloor(int floor);

    // ---- Dirty state ----
    bool isDirty() const;
    // A change that cannot be undone was made (building names, line names, calculation settings…).
    void markChanged();
    // The project now equals its file (after a save or a load): the stack's clean index is here.
    void markSaved();
    // Grows with every change, undo and redo; a copy taken at count n is current while it equals n.
    quint64 changeCount() const { return changeCount_; }
    // The bytes a save would write now, without touching the file path, the dirty state or the project.
    QByteArray saveBytes() const;

    // ---- The calculation ----
    // The calculation of the project as it is now. Run again only when the project changed since the
    // last run (the change count); showing results is no change of the project. The saved marks it
    // derives (corner flags, required classes, beam positions, no hardware where no column stands) are
    // set in the project then, outside the history, so that a save writes them as it always has.
    const Calculation &calculation();
    // The wall quantities of the project as it is now, under the conditions it holds; computed again
    // only when the project changed since (the change count).
    const WallQuantityResult &wallQuantities();
    // The wall placement (quarter method and eccentricity) on the same walls and Lw, cached alike.
    const WallPlacementResult &wallPlacement();

    // ---- Undo history ----
    QUndoStack *undoStack() const { return undoStack_; }
    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    // Adds a change already made to the project as one undoable step (nothing is pushed when no
    // record differs in the step's fields). Emits nodesAboutToChange/nodesChanged around it so views
    // erase the old drawing and draw the new one.
    void pushNodeEdit(NodeChange change);

    // ---- Operations on the open project ----
    // Each replaces or changes the project, keeps the history and the dirty state right and tells
    // the views through the signals; failures come back as values, nothing is shown here.
    // Reads `path` as the open project: on success it is the file path, the history is empty and
    // the project unchanged; a file the reader refuses leaves the open project as it was.
    FileResult LoadProject(const QString &path);
    // Writes the project to `path`, which then becomes the file path, the project unchanged. A span
    // in progress is ended first (aboutToSave). On failure the path and the dirty state stay.
    FileResult SaveProject(const QString &path);
    // A project made elsewhere (the new-data dialog, a test) becomes the open one with the path given
    // ("新規データ" for a new project): the history is empty and the dirty state stays as it was (a
    // new project does not make unsaved changes saved).
    void replaceProject(Project project, const QString &path = kNewDataName);
    // A project restored from a recovery copy: replaced, with its original path, and changed, so
    // it is saved only when the designer decides to.
    void adoptRestoredProject(Project project, const QString &path);
    // The grid becomes spanCountX × spanCountY spans of moduleLength metres: members beyond a
    // shrinking edge are removed, walls cut by it end there, coordinates, outline marks and line
    // names follow. One undoable step, which puts the whole project back (the steps below it hold
    // records of the old grid's shape, and find it again).
    void resizeGrid(int spanCountX, int spanCountY, float moduleLength);
    // The line names are made again from the project's naming options (changed by the line-name
    // dialog): the project is changed.
    void applyLineNames();
    // Building names or calculation settings were changed in the project: the project is changed.
    void markSettingsChanged();
    // The conditions of the wall quantities become `inputs`: one undoable step when they differ from
    // the project's, none when they are the same. False (nothing changed) when the file's spare table
    // has no entry left for them.
    bool setWallInputs(const WallInputs &inputs);

    // ---- Settings: the one call a dialog makes for each kind of change ----
    // The L-coefficient method; choosing the same method again also counts as a change.
    void setLCoefficientMode(int mode);
    // The two orthogonal-beam options; the project is changed only when one of them changed (true).
    bool setCrossBeamOptions(int ignored, int noWarning);
    // The storey heights H1 and H2 (millimetres): one undoable step when one of them changed (true),
    // none otherwise.
    bool setStoreyHeights(int32_t height1, int32_t height2);
    // The placed-hardware dialog's two options, stored as soon as a check box changes.
    void setPlacedHardwareOptions(int showRequiredWhenBlank, int useDoublePull);
    // The building, office and person names and the two cover options of `names`.
    void setProjectNames(const ProjectInfo &names);
    // The six line-naming options of `options`; the line names are made again from them.
    void setLineNameOptions(const GridInfo &options);

    // An edit of node records: `edit` is handed the project, writes it only through a NodeRecorder of
    // its own and returns what that recorded, as the plan editor's placement routines do; the caller
    // pushes it (pushNodeEdit).
    template <class Edit>
    decltype(auto) recordedEdit(Edit &&edit)
    {
        return edit(project_);
    }

signals:
    // New, Open, a restored copy: the whole project is another.
    void projectReplaced();
    // Around every undoable change of node records (an edit, its undo and its redo): before it with
    // the records as they were, after it with the records as they are.
    void nodesAboutToChange(const rqx::NodeRegion &region);
    void nodesChanged(const rqx::NodeRegion &region);
    // An undo or redo is about to change what was edited on this storey with this tool (the
    // NodeChange's view): the plan shows it before the change is applied.
    void stepViewNeeded(int floor, int tool, const QString &treeKey);
    // The grid changed size (a resize, or its undo or redo).
    void gridResized();
    // Names, line names or calculation settings (after applyLineNames also lineNamesChanged).
    void settingsChanged();
    void lineNamesChanged();
    // A save is about to read the project: a span in progress is ended first.
    void aboutToSave();
    // An undo or redo is about to step the history: a span in progress is ended first, as a new
    // edit would end it.
    void aboutToStepHistory();
    void currentFloorChanged(int floor);
    void dirtyChanged(bool dirty);
    // Every change of the project's data (edit, undo, redo, replacement, settings).
    void changed();

private:
    friend class NodeEdit;
    friend class NodeEditCommand;
    friend class GridResizeCommand;
    friend class SpareTableCommand;
    friend class StoreyHeightsCommand;
    void applyStoreyHeights(const std::array<int32_t, 2> &heights);
    void applySpareTable(const FixedArray<SpareEntry, 1, 10> &spare);
    // The whole project becomes `project` (a grid resize, its undo or redo).
    void applyWholeProject(const Project &project);
    // Puts one side of a change into the project, with the signals around it.
    void applyChange(const NodeChange &change, bool after);
    void afterChange();
    void clearHistory();
    // The project was replaced; `unsaved` is the dirty state it keeps.
    void replaced(bool unsaved);

    Project project_;
    QString dataFilePath_ = kNewDataName;
    int currentFloor_ = 1;
    QUndoStack *undoStack_ = nullptr;
    bool unsavedOutsideHistory_ = false;
    bool lastDirty_ = false;
    quint64 changeCount_ = 0;
    quint64 calculatedAt_ = 0;  // changeCount_ + 1 of the last calculation, 0 = none
    Calculation calculation_;
    WallQuantityResult wallQuantities_;
    quint64 wallQuantitiesAt_ = 0;  // changeCount_ + 1 of wallQuantities_, 0 = none
    WallPlacementResult wallPlacement_;
    quint64 wallPlacementAt_ = 0;
};

// Records one undoable change of node records: node() saves a record the first time it is asked
// for and returns it for writing; commit() pushes the change (the destructor drops it when it was
// not committed, leaving the records as written).
class NodeEdit {
public:
    NodeEdit(ProjectDocument &document, const QString &text, NodeFields fields);
    NodeEdit(const NodeEdit &) = delete;
    NodeEdit &operator=(const NodeEdit &) = delete;

    NodeRecord &node(int x, int y, int level) { return recorder_.node(x, y, level); }
    void commit(const NodeRegion &region = {});

private:
    ProjectDocument &document_;
    QString text_;
    NodeFields fields_;
    NodeRecorder recorder_;
};

}  // namespace rqx

Q_DECLARE_METATYPE(rqx::NodeRegion)
