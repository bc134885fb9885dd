#pragma once
// Marks the plans and frames a page draws as figures to scale (print/page_figures.h), so that the DXF
// export puts them in real-world millimetres: a plan with the model's origin at (0, 0) and its grid lines
// at their model positions; a frame with its positions along the line in millimetres and the foundation
// line at y = 0 (storeys at the figure's drawn height). Headless (QtGui).

#include <QString>

#include "report/frame_drawing.h"

namespace rqx {

class PrintSurface;
struct Project;

// The figure names, which name the drawings' files: "1F_耐力壁伏図", "1F_金物伏図", "X2_軸組図".
QString PlanFigureName(int floor, bool hardware);
QString FrameFigureName(const Project &p, int direction, int line);

// Starts the figure of a plan drawn at figScale from (figX, figY) (plan_figures.h's placement).
void BeginPlanFigure(PrintSurface &s, const Project &p, const QString &name, float figScale, float figX,
                     float figY);
// Starts the figure of the frame of (direction, line) drawn with `layout`.
void BeginFrameFigure(PrintSurface &s, const Project &p, const FrameLayout &layout, int direction, int line);

}  // namespace rqx
