#include "editor/example_house.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include "editor/coords.h"
#include "editor/ui/input_screen.h"
#include "editor/ui/paper.h"
#include "model/line_names.h"

namespace rqx::example {

namespace {

// Module coordinates of the house: module (mx, my) is node (3 + 2 mx, 3 + 2 my), one module of
// margin around the house.
int node(int m)
{
    return 3 + 2 * m;
}

struct Step {
    int floor;  // storey whose floor button is pressed
    Tool tool;
    const char *treeKey;  // tree node to choose; empty for the beam tool
    int mx1, my1, mx2, my2;
};

// Placed in this order. Through columns first, so that linked walls keep them.
const Step kSteps[] = {
    // ---- Storey 1 ----
    {1, kToolFloor, "床", 0, 0, 8, 6},
    {1, kToolColumn, "通し柱", 0, 0, 0, 0},
    {1, kToolColumn, "通し柱", 8, 0, 8, 0},
    {1, kToolColumn, "通し柱", 0, 4, 0, 4},
    {1, kToolColumn, "通し柱", 8, 4, 8, 4},
    {1, kToolColumn, "管柱", 6, 2, 6, 2},
    // South: cross brace 45×90, board 2.5, single brace 45×90 drawn right to left.
    {1, kToolWall, "Tasuki3", 0, 0, 2, 0},
    {1, kToolWall, "Menzai5", 3, 0, 4, 0},
    {1, kToolWall, "Kesa3", 8, 0, 6, 0},
    // North: single brace 30×90, board 2.0.
    {1, kToolWall, "Kesa2", 0, 6, 2, 6},
    {1, kToolWall, "Menzai4", 5, 6, 8, 6},
    // West: cross brace 30×90, single brace 45×90.
    {1, kToolWall, "Tasuki2", 0, 0, 0, 2},
    {1, kToolWall, "Kesa3", 0, 4, 0, 6},
    // East: single brace 90×90; a board 2.0 and a 15×90 brace sharing one wall.
    {1, kToolWall, "Kesa4", 8, 0, 8, 2},
    {1, kToolWall, "Menzai4", 8, 4, 8, 6},
    {1, kToolWall, "Kesa1", 8, 6, 8, 4},
    // Inside.
    {1, kToolWall, "Kesa2", 0, 4, 3, 4},
    {1, kToolWall, "Kesa3", 4, 0, 4, 3},
    {1, kToolWall, "Tasuki1", 5, 4, 5, 6},
    // Floor beams under storey 2 (２階 床梁) and the roof beams of the single-storey part.
    {1, kToolBeam, "", 0, 2, 8, 2},
    {1, kToolBeam, "", 3, 4, 8, 4},
    {1, kToolBeam, "", 0, 6, 8, 6},
    {1, kToolBeam, "", 0, 4, 0, 6},
    {1, kToolBeam, "", 8, 4, 8, 6},
    // ---- Storey 2 ----
    {2, kToolFloor, "床", 0, 0, 8, 4},
    {2, kToolFloor, "吹き抜け", 5, 1, 7, 3},
    {2, kToolWall, "Kesa3", 0, 0, 2, 0},
    {2, kToolWall, "Tasuki1", 6, 0, 8, 0},
    {2, kToolWall, "Menzai6", 0, 4, 2, 4},
    {2, kToolWall, "Kesa2", 6, 4, 8, 4},
    {2, kToolWall, "Kesa2", 0, 2, 0, 0},
    {2, kToolWall, "Tasuki2", 8, 2, 8, 4},
    // Its end columns stand on the floor beams: (2, 2) between (0, 2) and (6, 2), (4, 2) over the
    // wall below; (2, 4) and (6, 4) of the north walls likewise.
    {2, kToolWall, "Kesa2", 2, 2, 4, 2},
    // Roof beams (２階 小屋梁).
    {2, kToolBeam, "", 0, 0, 8, 0},
    {2, kToolBeam, "", 0, 2, 8, 2},
    {2, kToolBeam, "", 0, 4, 8, 4},
    {2, kToolBeam, "", 0, 0, 0, 4},
    {2, kToolBeam, "", 8, 0, 8, 4},
};

QPoint pixelOf(InputScreen &screen, int ix, int iy)
{
    const ScreenPoint t = nodeToScreen(screen.project(), screen.editor().fit, ix, iy);
    return screen.paper()->surface().toPixel(t.x, t.y);
}

void clickNode(InputScreen &screen, int ix, int iy)
{
    const QPoint at = pixelOf(screen, ix, iy);
    QTest::mouseMove(screen.paper(), at);
    QTest::mouseClick(screen.paper(), Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace

Project EmptyExampleProject()
{
    Project p;
    p.info.floorCount = 2;
    p.info.divisions = 2;
    p.info.moduleLength = 0.91f;
    p.info.spanCountX = 20;
    p.info.spanCountY = 16;
    p.info.buildingName = QStringLiteral("サンプル邸 木造２階建て");
    ResetProject(p);
    p.grid.lineStyleX = kLineStyleNumbered;
    p.grid.lineStyleY = kLineStyleNumbered;
    p.grid.lineStartX = 1;
    p.grid.lineStartY = 1;
    GenerateLineNames(p);
    return p;
}

QStringList DrawExampleHouse(InputScreen &screen)
{
    // Nothing should ask anything: any box or menu is recorded and closed.
    QStringList unexpected;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&unexpected] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            unexpected.append(box->text());
            box->close();
        }
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            unexpected.append(QStringLiteral("menu"));
            menu->close();
        }
    });
    watch.start();
    for (const Step &s : kSteps) {
        screen.chooseFloor(s.floor);
        screen.chooseTool(s.tool);
        if (*s.treeKey)
            screen.chooseTreeNode(QString::fromUtf8(s.treeKey));
        const int x1 = node(s.mx1), y1 = node(s.my1), x2 = node(s.mx2), y2 = node(s.my2);
        clickNode(screen, x1, y1);
        if (s.tool == kToolColumn)
            continue;
        // The pointer passes every node on the way to the second click.
        const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
        for (int k = 1; k <= steps; ++k)
            QTest::mouseMove(screen.paper(),
                             pixelOf(screen, x1 + (x2 - x1) * k / steps, y1 + (y2 - y1) * k / steps));
        clickNode(screen, x2, y2);
    }
    return unexpected;
}

}  // namespace rqx::example
