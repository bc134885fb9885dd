#include "calc/ui/wall_commands.h"

#include <QAction>

#include "calc/ui/wall_conditions_form.h"
#include "calc/wall_quantity.h"
#include "document/project_document.h"
#include "widgets/main_window_host.h"

namespace rqx {

void WallConditionsCommand(MainWindowHost &window, ProjectDocument &document)
{
    // The dialog makes the change itself, one undoable step when the conditions changed.
    WallConditionsForm dialog(document, window.appState(), window.hostWidget());
    dialog.exec();
}

void InstallWallCommands(MainWindowHost &window, ProjectDocument &document)
{
    if (QAction *action = window.commandAction(HostCommand::WallConditions)) {
        action->setEnabled(true);
        QObject::connect(action, &QAction::triggered, window.hostWidget(),
                         [&window, &document] { WallConditionsCommand(window, document); });
    }
}

DocumentFigurePanel::DocumentFigurePanel(ProjectDocument &document, const QString &name, const QString &toolTip,
                                         Figure figure, QWidget *parent)
    : QLabel(parent), document_(document), figure_(std::move(figure))
{
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setContentsMargins(4, 0, 4, 0);
    setToolTip(toolTip);
    connect(&document_, &ProjectDocument::changed, this, &DocumentFigurePanel::refresh);
    connect(&document_, &ProjectDocument::currentFloorChanged, this, &DocumentFigurePanel::refresh);
    refresh();
}

void DocumentFigurePanel::refresh()
{
    setText(QLatin1Char(' ') + figure_(document_, &warns_) + QLatin1Char(' '));
    setStyleSheet(warns_ ? QStringLiteral("color: #d00000;") : QString());
}

WallStatusPanel::WallStatusPanel(ProjectDocument &document, QWidget *parent)
    : DocumentFigurePanel(document, QStringLiteral("WallPanel"),
                          QStringLiteral("表示中の階の壁量充足率 (存在壁量 / 必要壁量)。条件は 設定 → 壁量計算の条件"),
                          [](ProjectDocument &d, bool *warns) {
                              return WallStatusText(d.wallQuantities(), d.currentFloor(), warns);
                          },
                          parent)
{
}

PlacementStatusPanel::PlacementStatusPanel(ProjectDocument &document, QWidget *parent)
    : DocumentFigurePanel(document, QStringLiteral("PlacementPanel"),
                          QStringLiteral("表示中の階の壁の配置: 四分割法の判定 (X / Y) と偏心率 (Rex / Rey)"),
                          [](ProjectDocument &d, bool *warns) {
                              return PlacementStatusText(d.wallPlacement(), d.currentFloor(), warns);
                          },
                          parent)
{
}

}  // namespace rqx
