// Draws the example house of examples/ with the mouse on an offscreen input screen and saves it
// with the program's writer:  editor_draw_example OUT.RQX
#include <QApplication>

#include <cstdio>

#include "editor/example_house.h"
#include "editor/ui/input_screen.h"
#include "editor/ui/plan_editing.h"
#include "document/project_document.h"
#include "model/project_file.h"
#include "support/writable_project.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: editor_draw_example OUT.RQX\n");
        return 2;
    }
    rqx::ProjectDocument document;
    document.replaceProject(rqx::example::EmptyExampleProject());
    rqx::Project &project = rqx::test::Writable(document);
    rqx::EditorState editor;
    rqx::InputScreen screen(document, editor);
    screen.resize(1400, 900);
    screen.show();
    QCoreApplication::processEvents();
    new rqx::PlanEditing(&screen);
    screen.redrawPlan();
    const QStringList unexpected = rqx::example::DrawExampleHouse(screen);
    for (const QString &text : unexpected)
        std::fprintf(stderr, "refused: %s\n", qPrintable(text));
    const rqx::FileResult saved = rqx::SaveProjectFile(project, QString::fromLocal8Bit(argv[1]));
    if (!saved.ok)
        std::fprintf(stderr, "%s\n", qPrintable(saved.message));
    return unexpected.isEmpty() && saved.ok ? 0 : 1;
}
