#include "document/project_document.h"

#include <QSignalSpy>
#include <QUndoStack>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "model/project_file.h"
#include "support/house_builder.h"
#include "support/sample_houses.h"
#include "support/writable_project.h"

namespace rqx {
namespace {

struct DocumentFixture {
    ProjectDocument doc;
    DocumentFixture() { doc.replaceProject(samples::NewProject(4, 3)); }
    NodeRecord &at(int x, int y, int level = 1) { return rqx::test::Writable(doc).nodes(x, y, level); }
    // One step: a column at (x, y) and its placed top hardware.
    void placeColumn(int x, int y, const QString &top = QString())
    {
        NodeEdit edit(doc, QStringLiteral("柱"), NodeFields::MembersAndPlacedHardware);
        edit.node(x, y, 1).columnKind = 1;
        edit.node(x, y, 1).hardware[1] = top;
        edit.commit();
    }
};

TEST(ProjectDocumentTest, StepsUndoRedoAndTheDirtyStateFollowTheSavedIndex)
{
    DocumentFixture f;
    QSignalSpy dirty(&f.doc, &ProjectDocument::dirtyChanged);
    QSignalSpy before(&f.doc, &ProjectDocument::nodesAboutToChange);
    QSignalSpy after(&f.doc, &ProjectDocument::nodesChanged);
    EXPECT_FALSE(f.doc.isDirty());

    f.placeColumn(2, 2, QStringLiteral("(ろ)"));
    f.placeColumn(3, 2);
    f.doc.markSaved();  // saved with both columns
    f.placeColumn(4, 3);
    ASSERT_EQ(f.doc.undoStack()->count(), 3);
    EXPECT_TRUE(f.doc.isDirty());
    // Each push is drawn as a change: the views saw the old records, then the new ones.
    EXPECT_EQ(before.size(), 3);
    EXPECT_EQ(after.size(), 3);
    EXPECT_EQ(after.back().at(0).value<NodeRegion>(), (NodeRegion{3, 2, 5, 4}));

    f.doc.undo();  // back to the saved state: unchanged again
    EXPECT_EQ(f.at(4, 3).columnKind, 0);
    EXPECT_FALSE(f.doc.isDirty());
    f.doc.undo();
    f.doc.undo();
    EXPECT_EQ(f.at(2, 2).columnKind, 0);
    EXPECT_EQ(f.at(2, 2).hardware[1], QString());
    EXPECT_TRUE(f.doc.isDirty());
    f.doc.redo();
    EXPECT_EQ(f.at(2, 2).hardware[1], QStringLiteral("(ろ)"));
    f.doc.redo();
    EXPECT_FALSE(f.doc.isDirty());
    // Dirty toggled by: the first column, the save, the third column, the undo to the saved state,
    // the next undo, the redo back to it.
    ASSERT_EQ(dirty.size(), 6);
    EXPECT_FALSE(dirty.back().at(0).toBool());

    // A change outside the history keeps the project changed whatever the stack does; a save clears it.
    f.doc.markChanged();
    f.doc.undo();
    f.doc.redo();
    EXPECT_TRUE(f.doc.isDirty());
    f.doc.markSaved();
    EXPECT_FALSE(f.doc.isDirty());
}

TEST(ProjectDocumentTest, OnlyChangedRecordsAndOnlyTheStepsFieldsAreKept)
{
    DocumentFixture f;
    // Touched but unchanged: no step at all.
    {
        NodeEdit edit(f.doc, QStringLiteral("なし"), NodeFields::Members);
        edit.node(1, 1, 1);
        edit.node(2, 1, 1).hardware[1] = QStringLiteral("(は)");  // not a field of this step
        edit.commit();
    }
    EXPECT_EQ(f.doc.undoStack()->count(), 0);
    f.at(2, 1).hardware[1].clear();

    // The calculation's marks written after a step are not put back by its undo.
    f.placeColumn(2, 2);
    f.at(2, 2).hardware[0] = QStringLiteral("(い)");
    f.at(2, 2).isCorner = 1;
    f.doc.undo();
    EXPECT_EQ(f.at(2, 2).columnKind, 0);
    EXPECT_EQ(f.at(2, 2).hardware[0], QStringLiteral("(い)"));
    EXPECT_EQ(f.at(2, 2).isCorner, 1);
}

TEST(ProjectDocumentTest, ReplacementAndGridChangeClearTheHistoryAndTheLimitHolds)
{
    DocumentFixture f;
    for (int k = 0; k < ProjectDocument::kUndoLimit + 5; ++k) {
        NodeEdit edit(f.doc, QStringLiteral("床"), NodeFields::Members);
        edit.node(1 + k % 4, 1, 1).cellFloor = 1 + (k / 4) % 2;
        edit.commit();
    }
    EXPECT_EQ(f.doc.undoStack()->count(), ProjectDocument::kUndoLimit);
    // The saved state fell off the history: no number of undos makes the project unchanged.
    while (f.doc.canUndo())
        f.doc.undo();
    EXPECT_TRUE(f.doc.isDirty());

    // Open makes the project its file's; New keeps the unsaved state it replaces.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("家.RQX"));
    Project onDisk = samples::NewProject(4, 3);
    ASSERT_TRUE(SaveProjectFile(onDisk, file).ok);
    struct Case {
        const char *what;
        void (*operation)(ProjectDocument &, const QString &);
        bool dirtyAfter;
        QString pathAfter;
    };
    const Case cases[] = {
        {"open", [](ProjectDocument &d, const QString &path) { EXPECT_TRUE(d.LoadProject(path).ok); }, false,
         file},
        {"new", [](ProjectDocument &d, const QString &) { d.replaceProject(samples::NewProject(4, 3)); },
         true, kNewDataName},
    };
    int x = 2;
    for (const Case &c : cases) {
        f.doc.setDataFilePath(kNewDataName);
        f.placeColumn(x, 2);
        f.doc.markSaved();
        f.placeColumn(x++, 3);
        c.operation(f.doc, file);
        EXPECT_FALSE(f.doc.canUndo()) << c.what;
        EXPECT_FALSE(f.doc.canRedo()) << c.what;
        EXPECT_EQ(f.doc.isDirty(), c.dirtyAfter) << c.what;
        EXPECT_EQ(f.doc.dataFilePath(), c.pathAfter) << c.what;
        f.doc.markSaved();
    }
}

// A grid resize is one step: shrinking deletes members across the house, one undo puts every one of
// them back (the bytes a save writes are those of before), the steps below it still undo, and the
// views hear of every change of the grid.
TEST(ProjectDocumentTest, AGridResizeIsOneStepThatPutsEveryMemberBack)
{
    DocumentFixture f;
    f.doc.replaceProject(samples::TwoStoreyHouse());
    const int spansX = f.doc.project().dims.spanCountX;
    f.placeColumn(spansX, 2);
    f.doc.markSaved();
    const QByteArray saved = f.doc.saveBytes();
    QSignalSpy resized(&f.doc, &ProjectDocument::gridResized);

    f.doc.resizeGrid(spansX / 2, 3, f.doc.project().info.moduleLength);
    EXPECT_EQ(f.doc.project().dims.spanCountX, spansX / 2);
    EXPECT_NE(f.doc.saveBytes(), saved);
    EXPECT_TRUE(f.doc.isDirty());
    f.doc.undo();
    EXPECT_EQ(f.doc.saveBytes(), saved);
    EXPECT_FALSE(f.doc.isDirty());
    f.doc.redo();
    EXPECT_EQ(f.doc.project().dims.spanCountX, spansX / 2);
    f.doc.undo();
    f.doc.undo();  // the column placed before the resize, on the grid it was placed on
    EXPECT_EQ(f.at(spansX, 2).columnKind, 0);
    EXPECT_EQ(resized.count(), 4);
}

TEST(ProjectDocumentTest, SaveBytesAreTheSavedFileAndTouchNothing)
{
    DocumentFixture f;
    f.doc.replaceProject(samples::SmallHouse());
    f.placeColumn(2, 2);
    f.doc.setDataFilePath(QStringLiteral("/tmp/none/house.RQX"));
    const quint64 count = f.doc.changeCount();
    const Project unchanged = f.doc.project();

    const QByteArray bytes = f.doc.saveBytes();
    Project saved = f.doc.project();
    PrepareProjectForSave(saved);
    EXPECT_EQ(bytes, SerializeProject(saved));
    EXPECT_TRUE(f.doc.project().nodes == unchanged.nodes);
    EXPECT_TRUE(f.doc.project().header == unchanged.header);
    EXPECT_TRUE(f.doc.isDirty());
    EXPECT_EQ(f.doc.changeCount(), count);
    EXPECT_EQ(f.doc.dataFilePath(), QStringLiteral("/tmp/none/house.RQX"));
}

}  // namespace
}  // namespace rqx

namespace rqx {
namespace {

// The calculation as the document's result: run when the project changed since the last run, never
// itself a change of the project.
TEST(ProjectDocumentTest, TheCalculationRunsOnceForEveryChangeAndIsNoChange)
{
    ProjectDocument doc;
    doc.replaceProject(samples::HandWorkedTwoStorey(0));
    doc.markSaved();
    const quint64 count = doc.changeCount();
    const Calculation &calculated = doc.calculation();
    EXPECT_EQ(calculated.requiredClass(1, 1, 1), QStringLiteral("(と)"));
    // The mark a save writes is set in the project, outside the history.
    EXPECT_EQ(doc.project().nodes(1, 1, 1).hardware[0], QStringLiteral("(と)"));
    EXPECT_EQ(doc.changeCount(), count);
    EXPECT_FALSE(doc.isDirty());

    // Asked again without a change: the same value (not run again).
    EXPECT_EQ(&doc.calculation(), &calculated);
    const Calculation first = calculated;
    EXPECT_EQ(doc.calculation().results(1, 1, 1), first.results(1, 1, 1));
    // A step of the history, its undo, a settings change: run again each time.
    {
        NodeEdit edit(doc, QStringLiteral("柱"), NodeFields::Members);
        edit.node(3, 1, 1).columnKind = 1;
        edit.commit();
    }
    EXPECT_NEAR(doc.calculation().results(1, 1, 1).nOwn[kDirY], 2.2f, 1e-6f);
    EXPECT_EQ(doc.calculation().columnCount[1], 8);
    doc.undo();
    EXPECT_EQ(doc.calculation().columnCount[1], 7);
    doc.setLCoefficientMode(1);
    EXPECT_EQ(doc.calculation().requiredClass(5, 1, 1), QStringLiteral("(は)"));
}

// The wall-quantity conditions: one undoable step that survives an edit, its undo and a save, and
// changes the cached wall quantities; the same conditions again are no step.
TEST(ProjectDocumentTest, WallConditionsAreOneStepThatSurvivesEditUndoAndSave)
{
    QTemporaryDir dir;
    DocumentFixture f;
    const QString path = dir.filePath(QStringLiteral("walls.RQX"));
    ASSERT_TRUE(f.doc.SaveProject(path).ok);
    EXPECT_FALSE(f.doc.wallQuantities().complete());
    WallInputs in;
    in.lw = {46.0, 30.0, 38.0};
    in.lwSource = QStringLiteral("表計算ツール");
    ASSERT_TRUE(f.doc.setWallInputs(in));
    EXPECT_TRUE(f.doc.setWallInputs(in));
    EXPECT_EQ(f.doc.undoStack()->count(), 1);
    EXPECT_TRUE(f.doc.isDirty());
    EXPECT_DOUBLE_EQ(f.doc.wallQuantities().lw[kLwStorey2], 30.0);
    f.placeColumn(2, 2);
    f.doc.undo();
    ASSERT_TRUE(f.doc.SaveProject(path).ok);
    Project back;
    ASSERT_TRUE(LoadProjectFile(path, back).ok);
    EXPECT_EQ(ReadWallInputs(back), in);
    f.doc.undo();  // the conditions step: the file's state before them, the defaults
    EXPECT_EQ(ReadWallInputs(f.doc.project()), WallInputs{});
    EXPECT_DOUBLE_EQ(f.doc.wallQuantities().lw[kLwStorey2], 0.0);
    EXPECT_TRUE(f.doc.isDirty());
    f.doc.redo();
    EXPECT_FALSE(f.doc.isDirty());
    EXPECT_EQ(ReadWallInputs(f.doc.project()), in);
}

}  // namespace
}  // namespace rqx
