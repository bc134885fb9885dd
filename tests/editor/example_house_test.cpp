// The example house of examples/ is what the mouse draws today: a change of the editor that would
// draw it differently shows here (the file is then drawn again with editor_draw_example).
#include "editor/example_house.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "editor/ui/input_screen.h"
#include "document/project_document.h"
#include "editor/ui/plan_editing.h"
#include "model/project_file.h"
#include "support/writable_project.h"

using namespace rqx;

TEST(ExampleHouse, MouseDrawingEqualsTheSavedExample)
{
    ProjectDocument document;
    document.replaceProject(example::EmptyExampleProject());
    Project &drawn = rqx::test::Writable(document);
    EditorState editor;
    InputScreen screen(document, editor);
    screen.resize(1400, 900);
    screen.show();
    QCoreApplication::processEvents();
    new PlanEditing(&screen);
    screen.redrawPlan();
    EXPECT_EQ(example::DrawExampleHouse(screen), QStringList());
    PrepareProjectForSave(drawn);

    Project saved;
    const FileResult loaded =
        LoadProjectFile(QStringLiteral(VELM_EXAMPLES_DIR "/two_storey_house.RQX"), saved);
    ASSERT_TRUE(loaded.ok) << loaded.message.toStdString();
    EXPECT_EQ(saved.info, drawn.info);
    EXPECT_EQ(saved.grid.lineNameX, drawn.grid.lineNameX);
    EXPECT_EQ(saved.grid.lineNameY, drawn.grid.lineNameY);
    EXPECT_TRUE(saved.nodes == drawn.nodes);

    // What the example promises: through columns at storey 2's four corners on both storeys,
    // a void, a brace and a board sharing spans, second-storey columns with no column below.
    int through = 0, voids = 0, shared = 0, onBeams = 0;
    for (int y = 1; y <= drawn.nodes.sizeY(); ++y)
        for (int x = 1; x <= drawn.nodes.sizeX(); ++x) {
            through += drawn.nodes(x, y, 1).columnKind == 2 && drawn.nodes(x, y, 2).columnKind == 2;
            voids += drawn.nodes(x, y, 2).cellFloor == 2;
            shared +=
                drawn.nodes(x, y, 1).brace[kDirY].kind != 0 && drawn.nodes(x, y, 1).board[kDirY].kind != 0;
            onBeams += drawn.nodes(x, y, 2).columnKind == 1 && drawn.nodes(x, y, 1).columnKind == 0;
        }
    EXPECT_EQ(through, 4);
    EXPECT_EQ(voids, 16);   // 2 × 2 modules of 2 × 2 spans
    EXPECT_EQ(shared, 4);   // the east wall of the single-storey part
    EXPECT_EQ(onBeams, 4);  // (2, 2), (4, 2), (2, 4), (6, 4) in modules
}
