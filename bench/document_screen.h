#pragma once
// The plan of a document on a full-screen raster, as the input screen has it, without a window.
#include "document/project_document.h"
#include "editor/coords.h"
#include "editor/plan_mouse.h"
#include "editor/plan_render.h"
#include "support/sample_houses.h"

namespace rqx {

// The mouse protocol on a raster, its edits steps of a document whose signals draw the regions.
struct DocumentScreen {
    ProjectDocument doc;
    EditorState editor;
    PlanSurface surface{QSize(1396, 896)};
    PlanMouseHost quiet;  // no window: every question answered OK
    PlanMouse mouse{doc, editor, quiet, false, {}};

    explicit DocumentScreen(Project project = samples::LargestProject())
    {
        doc.replaceProject(std::move(project));
        editor.selectedItem[1] = editor.selectedItem[2] = editor.selectedItem[3] = editor.selectedItem[4] = 1;
        editor.memberKey = kKeyKesa;
        RedrawPlan(surface, doc.project(), editor, 1);
        auto draw = [this](const NodeRegion &r, bool erase) {
            drawRegion(surface, PlanInputs{doc.project(), editor, 1}, erase, r.ix1, r.iy1, r.ix2, r.iy2);
        };
        QObject::connect(&doc, &ProjectDocument::nodesAboutToChange,
                         [draw](const NodeRegion &r) { draw(r, true); });
        QObject::connect(&doc, &ProjectDocument::nodesChanged,
                         [draw](const NodeRegion &r) { draw(r, false); });
    }
    void click(int ix, int iy)
    {
        const ScreenPoint s = nodeToScreen(doc.project(), editor.fit, ix, iy);
        Paper_MouseDown(mouse, kButtonLeft, s.x, s.y);
    }
    void span(Tool tool, int x1, int y1, int x2, int y2, EditMode mode = kModePlace)
    {
        editor.currentTool = tool;
        editor.editMode = mode;
        click(x1, y1);
        if (tool != kToolColumn)
            click(x2, y2);
    }
};

}  // namespace rqx
