#include "document/project_document.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <array>
#include <utility>

#include "calc/calc_settings.h"
#include "model/grid_ops.h"
#include "model/line_names.h"
#include "model/project_file.h"

namespace rqx {

namespace {

// The records' plan rectangle, one node around (a member is drawn up to its end node, a brace
// symbol beside its line).
NodeRegion RegionOfOffsets(const NodeArray &nodes, const std::vector<std::size_t> &offsets)
{
    NodeRegion r{nodes.sizeX() + 1, nodes.sizeY() + 1, 0, 0};
    const std::size_t sizeX = static_cast<std::size_t>(nodes.sizeX());
    const std::size_t perLevel = sizeX * static_cast<std::size_t>(nodes.sizeY());
    if (perLevel == 0)
        return NodeRegion{1, 1, 0, 0};
    for (std::size_t offset : offsets) {
        const std::size_t inLevel = offset % perLevel;
        const int x = static_cast<int>(inLevel % sizeX) + 1;
        const int y = static_cast<int>(inLevel / sizeX) + 1;
        r.ix1 = std::min(r.ix1, x);
        r.iy1 = std::min(r.iy1, y);
        r.ix2 = std::max(r.ix2, x);
        r.iy2 = std::max(r.iy2, y);
    }
    if (r.isEmpty())
        return NodeRegion{1, 1, 0, 0};
    return NodeRegion{std::max(r.ix1 - 1, 1), std::max(r.iy1 - 1, 1), std::min(r.ix2 + 1, nodes.sizeX()),
                      std::min(r.iy2 + 1, nodes.sizeY())};
}

}  // namespace

// Members are what the plan editor draws (floors, walls, columns with their through marks, beams);
// the placed top and foot hardware is the placed-hardware dialog's. The required class and the
// corner flag are the calculation's and are never part of a step.
bool SameNodeFields(NodeFields fields, const NodeRecord &a, const NodeRecord &b)
{
    const bool members = a.brace == b.brace && a.board == b.board && a.columnKind == b.columnKind &&
                         a.throughOrigin == b.throughOrigin && a.beam == b.beam && a.cellFloor == b.cellFloor;
    const bool hardware = a.hardware[1] == b.hardware[1] && a.hardware[2] == b.hardware[2];
    switch (fields) {
        case NodeFields::Members:
            return members;
        case NodeFields::PlacedHardware:
            return hardware;
        case NodeFields::MembersAndPlacedHardware:
            return members && hardware;
    }
    return false;
}

void CopyNodeFields(NodeFields fields, NodeRecord &to, const NodeRecord &from)
{
    if (fields != NodeFields::PlacedHardware) {
        to.brace = from.brace;
        to.board = from.board;
        to.columnKind = from.columnKind;
        to.throughOrigin = from.throughOrigin;
        to.beam = from.beam;
        to.cellFloor = from.cellFloor;
    }
    if (fields != NodeFields::Members) {
        to.hardware[1] = from.hardware[1];
        to.hardware[2] = from.hardware[2];
    }
}

// One step of the history. The change is already in the project when the step is pushed; the
// stack's first redo puts it in again through the document so views draw it.
class NodeEditCommand : public QUndoCommand {
public:
    NodeEditCommand(ProjectDocument &document, NodeChange change)
        : QUndoCommand(change.text), document_(document), change_(std::move(change))
    {
    }
    void undo() override { document_.applyChange(change_, false); }
    void redo() override { document_.applyChange(change_, true); }

private:
    ProjectDocument &document_;
    NodeChange change_;
};

// A grid resize: the project before and after it, whole (the resize removes members and renames
// lines across the project). The step is pushed after the resize is made: its first redo is none.
class GridResizeCommand : public QUndoCommand {
public:
    GridResizeCommand(ProjectDocument &document, Project before, Project after)
        : QUndoCommand(QStringLiteral("入力ｸﾞﾘｯﾄﾞ数の変更")),
          document_(document),
          before_(std::move(before)),
          after_(std::move(after))
    {
    }
    void undo() override { document_.applyWholeProject(before_); }
    void redo() override
    {
        if (std::exchange(firstRedo_, false))
            return;
        document_.applyWholeProject(after_);
    }

private:
    ProjectDocument &document_;
    Project before_;
    Project after_;
    bool firstRedo_ = true;
};

// A change of the spare table's entries (the wall-quantity conditions): the table before and after.
// Pushed after the change is made: its first redo is none.
class SpareTableCommand : public QUndoCommand {
public:
    using Table = FixedArray<SpareEntry, 1, 10>;
    SpareTableCommand(ProjectDocument &document, const QString &text, Table before, Table after)
        : QUndoCommand(text), document_(document), before_(std::move(before)), after_(std::move(after))
    {
    }
    void undo() override { document_.applySpareTable(before_); }
    void redo() override
    {
        if (std::exchange(firstRedo_, false))
            return;
        document_.applySpareTable(after_);
    }

private:
    ProjectDocument &document_;
    Table before_;
    Table after_;
    bool firstRedo_ = true;
};

// A change of the storey heights H1, H2: both before and after. Pushed after the change is made: its
// first redo is none.
class StoreyHeightsCommand : public QUndoCommand {
public:
    StoreyHeightsCommand(ProjectDocument &document, std::array<int32_t, 2> before, std::array<int32_t, 2> after)
        : QUndoCommand(QStringLiteral("階高の設定")), document_(document), before_(before), after_(after)
    {
    }
    void undo() override { document_.applyStoreyHeights(before_); }
    void redo() override
    {
        if (std::exchange(firstRedo_, false))
            return;
        document_.applyStoreyHeights(after_);
    }

private:
    ProjectDocument &document_;
    std::array<int32_t, 2> before_;
    std::array<int32_t, 2> after_;
    bool firstRedo_ = true;
};

ProjectDocument::ProjectDocument(QObject *parent) : QObject(parent), undoStack_(new QUndoStack(this))
{
    qRegisterMetaType<NodeRegion>();
    undoStack_->setUndoLimit(kUndoLimit);
    // The stack's index has moved when these come: the dirty state is read after the step.
    connect(undoStack_, &QUndoStack::cleanChanged, this, [this] { afterChange(); });
    connect(undoStack_, &QUndoStack::indexChanged, this, [this] {
        emit changed();
        afterChange();
    });
}

ProjectDocument::~ProjectDocument() = default;

void ProjectDocument::setDataFilePath(const QString &path)
{
    dataFilePath_ = path;
}

bool ProjectDocument::isNewData() const
{
    return dataFilePath_.trimmed() == kNewDataName;
}

void ProjectDocument::setCurrentFloor(int floor)
{
    if (floor == currentFloor_)
        return;
    currentFloor_ = floor;
    emit currentFloorChanged(floor);
}

bool ProjectDocument::isDirty() const
{
    return unsavedOutsideHistory_ || !undoStack_->isClean();
}

void ProjectDocument::markChanged()
{
    unsavedOutsideHistory_ = true;
    ++changeCount_;
    emit changed();
    afterChange();
}

void ProjectDocument::markSaved()
{
    unsavedOutsideHistory_ = false;
    undoStack_->setClean();
    afterChange();
}

const Calculation &ProjectDocument::calculation()
{
    if (calculatedAt_ != changeCount_ + 1) {
        Calculate(project_, calculation_);
        // The file keeps the marks of the last calculation, as the program has always saved them.
        StampCalculatedMarks(project_, calculation_);
        calculatedAt_ = changeCount_ + 1;
    }
    return calculation_;
}

const WallQuantityResult &ProjectDocument::wallQuantities()
{
    if (wallQuantitiesAt_ != changeCount_ + 1) {
        wallQuantities_ = ComputeWallQuantities(project_);
        wallQuantitiesAt_ = changeCount_ + 1;
    }
    return wallQuantities_;
}

const WallPlacementResult &ProjectDocument::wallPlacement()
{
    if (wallPlacementAt_ != changeCount_ + 1) {
        wallPlacement_ = ComputeWallPlacement(project_, wallQuantities());
        wallPlacementAt_ = changeCount_ + 1;
    }
    return wallPlacement_;
}

QByteArray ProjectDocument::saveBytes() const
{
    Project copy = project_;
    PrepareProjectForSave(copy);
    return SerializeProject(copy);
}

bool ProjectDocument::canUndo() const
{
    return undoStack_->canUndo();
}

bool ProjectDocument::canRedo() const
{
    return undoStack_->canRedo();
}

void ProjectDocument::undo()
{
    emit aboutToStepHistory();
    undoStack_->undo();
}

void ProjectDocument::redo()
{
    emit aboutToStepHistory();
    undoStack_->redo();
}

void ProjectDocument::pushNodeEdit(NodeChange change)
{
    const std::size_t count = project_.nodes.count();
    if (change.before.size() != change.offsets.size() || change.after.size() != change.offsets.size())
        return;
    // Only the records that differ in the step's fields are kept.
    std::size_t kept = 0;
    for (std::size_t k = 0; k < change.offsets.size(); ++k) {
        if (change.offsets[k] >= count || SameNodeFields(change.fields, change.before[k], change.after[k]))
            continue;
        change.offsets[kept] = change.offsets[k];
        change.before[kept] = std::move(change.before[k]);
        change.after[kept] = std::move(change.after[k]);
        ++kept;
    }
    change.offsets.resize(kept);
    change.before.resize(kept);
    change.after.resize(kept);
    change.offsets.shrink_to_fit();
    change.before.shrink_to_fit();
    change.after.shrink_to_fit();
    if (kept == 0)
        return;
    if (change.region.isEmpty())
        change.region = RegionOfOffsets(project_.nodes, change.offsets);
    // Back to the records as they were, so the stack's redo draws the change like any other.
    NodeRecord *data = project_.nodes.data();
    for (std::size_t k = 0; k < kept; ++k)
        CopyNodeFields(change.fields, data[change.offsets[k]], change.before[k]);
    undoStack_->push(new NodeEditCommand(*this, std::move(change)));
}

void ProjectDocument::applyChange(const NodeChange &change, bool after)
{
    const std::vector<NodeRecord> &values = after ? change.after : change.before;
    const std::size_t count = project_.nodes.count();
    if (change.floor > 0)
        emit stepViewNeeded(change.floor, change.tool, change.treeKey);
    emit nodesAboutToChange(change.region);
    NodeRecord *data = project_.nodes.data();
    for (std::size_t k = 0; k < change.offsets.size(); ++k)
        if (change.offsets[k] < count)
            CopyNodeFields(change.fields, data[change.offsets[k]], values[k]);
    ++changeCount_;
    emit nodesChanged(change.region);
}

void ProjectDocument::afterChange()
{
    const bool dirty = isDirty();
    if (dirty != lastDirty_) {
        lastDirty_ = dirty;
        emit dirtyChanged(dirty);
    }
}

void ProjectDocument::clearHistory()
{
    undoStack_->clear();
}

void ProjectDocument::replaced(bool unsaved)
{
    clearHistory();
    undoStack_->setClean();
    unsavedOutsideHistory_ = unsaved;
    ++changeCount_;
    emit projectReplaced();
    emit changed();
    afterChange();
}

FileResult ProjectDocument::LoadProject(const QString &path)
{
    Project loaded;
    FileResult result = LoadProjectFile(path, loaded);
    if (!result.ok)
        return result;
    project_ = std::move(loaded);
    dataFilePath_ = path;
    replaced(false);
    return result;
}

FileResult ProjectDocument::SaveProject(const QString &path)
{
    emit aboutToSave();
    FileResult result = SaveProjectFile(project_, path);
    if (!result.ok)
        return result;
    dataFilePath_ = path;
    markSaved();
    return result;
}

void ProjectDocument::replaceProject(Project project, const QString &path)
{
    // Steps of the old history that made the project changed count as a change made outside the
    // (now empty) history.
    const bool unsaved = isDirty();
    project_ = std::move(project);
    RefreshDimensions(project_);
    dataFilePath_ = path;
    replaced(unsaved);
}

void ProjectDocument::adoptRestoredProject(Project project, const QString &path)
{
    project_ = std::move(project);
    RefreshDimensions(project_);
    dataFilePath_ = path.isEmpty() ? kNewDataName : path;
    replaced(true);
}

void ProjectDocument::resizeGrid(int spanCountX, int spanCountY, float moduleLength)
{
    Project before = project_;
    project_.info.moduleLength = moduleLength;
    ResizeGrid(project_, spanCountX, spanCountY);
    RefreshDimensions(project_);
    InitNodeCoords(project_);
    for (int level = 1; level <= project_.nodes.sizeLevel(); ++level)
        UpdateOutlineMarks(project_, level);
    GenerateLineNames(project_);
    ++changeCount_;
    emit gridResized();
    // The stack's index change tells the change and the dirty state.
    undoStack_->push(new GridResizeCommand(*this, std::move(before), project_));
}

void ProjectDocument::applyWholeProject(const Project &project)
{
    project_ = project;
    RefreshDimensions(project_);
    ++changeCount_;
    emit gridResized();
}

void ProjectDocument::applyLineNames()
{
    GenerateLineNames(project_);
    markSettingsChanged();
    emit lineNamesChanged();
}

void ProjectDocument::markSettingsChanged()
{
    unsavedOutsideHistory_ = true;
    ++changeCount_;
    emit settingsChanged();
    emit changed();
    afterChange();
}

void ProjectDocument::setLCoefficientMode(int mode)
{
    project_.grid.lCoefficientMode = mode;
    markSettingsChanged();
}

bool ProjectDocument::setCrossBeamOptions(int ignored, int noWarning)
{
    if (!SetCrossBeamOptions(project_.grid, ignored, noWarning))
        return false;
    markSettingsChanged();
    return true;
}

bool ProjectDocument::setStoreyHeights(int32_t height1, int32_t height2)
{
    const std::array<int32_t, 2> before{project_.info.levelHeight[1], project_.info.levelHeight[2]};
    if (!SetStoreyHeights(project_.info, height1, height2))
        return false;
    ++changeCount_;
    emit settingsChanged();
    // The stack's index change tells the change and the dirty state.
    undoStack_->push(new StoreyHeightsCommand(*this, before, {height1, height2}));
    return true;
}

void ProjectDocument::applyStoreyHeights(const std::array<int32_t, 2> &heights)
{
    SetStoreyHeights(project_.info, heights[0], heights[1]);
    ++changeCount_;
    emit settingsChanged();
}

void ProjectDocument::setProjectNames(const ProjectInfo &names)
{
    ProjectInfo &info = project_.info;
    info.buildingName = names.buildingName;
    info.officeName = names.officeName;
    info.personName = names.personName;
    info.hideOfficeOnCover = names.hideOfficeOnCover;
    info.hideDateOnCover = names.hideDateOnCover;
    markSettingsChanged();
}

void ProjectDocument::setLineNameOptions(const GridInfo &options)
{
    GridInfo &g = project_.grid;
    g.lineStyleX = options.lineStyleX;
    g.lineStyleY = options.lineStyleY;
    g.lineStartX = options.lineStartX;
    g.lineStartY = options.lineStartY;
    g.lineReverseX = options.lineReverseX;
    g.lineReverseY = options.lineReverseY;
    applyLineNames();
}

void ProjectDocument::setPlacedHardwareOptions(int showRequiredWhenBlank, int useDoublePull)
{
    project_.grid.showRequiredWhenBlank = showRequiredWhenBlank;
    project_.grid.useDoublePull = useDoublePull;
    markChanged();
}

bool ProjectDocument::setWallInputs(const WallInputs &inputs)
{
    const FixedArray<SpareEntry, 1, 10> before = project_.spare;
    bool changed = false;
    if (!WriteWallInputs(project_, inputs, &changed))
        return false;
    if (!changed)
        return true;
    ++changeCount_;
    emit settingsChanged();
    // The stack's index change tells the change and the dirty state.
    undoStack_->push(
        new SpareTableCommand(*this, QStringLiteral("壁量計算の条件"), before, project_.spare));
    return true;
}

void ProjectDocument::applySpareTable(const FixedArray<SpareEntry, 1, 10> &spare)
{
    project_.spare = spare;
    ++changeCount_;
    emit settingsChanged();
}

// ---- NodeRecorder, NodeEdit ----

NodeRecorder::NodeRecorder(Project &project) : project_(project), saved_(project.nodes.count(), false) {}

NodeRecord &NodeRecorder::node(int x, int y, int level)
{
    NodeArray &nodes = project_.nodes;
    NodeRecord &record = nodes(x, y, level);
    const std::size_t offset = static_cast<std::size_t>(&record - nodes.data());
    if (offset < saved_.size() && !saved_[offset]) {
        saved_[offset] = true;
        change_.offsets.push_back(offset);
        change_.before.push_back(record);
    }
    return record;
}

NodeChange NodeRecorder::take(const QString &text, NodeFields fields, const NodeRegion &region)
{
    const NodeRecord *data = project_.nodes.data();
    change_.after.clear();
    change_.after.reserve(change_.offsets.size());
    for (std::size_t offset : change_.offsets) {
        change_.after.push_back(data[offset]);
        saved_[offset] = false;
    }
    change_.text = text;
    change_.fields = fields;
    change_.region = region;
    return std::exchange(change_, NodeChange{});
}

NodeEdit::NodeEdit(ProjectDocument &document, const QString &text, NodeFields fields)
    : document_(document), text_(text), fields_(fields), recorder_(document.project_)
{
}

void NodeEdit::commit(const NodeRegion &region)
{
    document_.pushNodeEdit(recorder_.take(text_, fields_, region));
}

}  // namespace rqx
