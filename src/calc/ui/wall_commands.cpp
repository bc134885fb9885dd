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

WallStatusPanel::WallStatusPanel(ProjectDocument &document, QWidget *parent) : QLabel(parent), document_(document)
{
    setObjectName(QStringLiteral("WallPanel"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setContentsMargins(4, 0, 4, 0);
    setToolTip(QStringLiteral("表示中の階の壁量充足率 (存在壁量 / 必要壁量)。条件は 設定 → 壁量計算の条件"));
    connect(&document_, &ProjectDocument::changed, this, &WallStatusPanel::refresh);
    connect(&document_, &ProjectDocument::currentFloorChanged, this, &WallStatusPanel::refresh);
    refresh();
}

void WallStatusPanel::refresh()
{
    const WallQuantityResult &result = document_.wallQuantities();
    setText(QLatin1Char(' ') + WallStatusText(result, document_.currentFloor(), &short_) + QLatin1Char(' '));
    setStyleSheet(short_ ? QStringLiteral("color: #d00000;") : QString());
}

PlacementStatusPanel::PlacementStatusPanel(ProjectDocument &document, QWidget *parent)
    : QLabel(parent), document_(document)
{
    setObjectName(QStringLiteral("PlacementPanel"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setContentsMargins(4, 0, 4, 0);
    setToolTip(QStringLiteral("表示中の階の壁の配置: 四分割法の判定 (X / Y) と偏心率 (Rex / Rey)"));
    connect(&document_, &ProjectDocument::changed, this, &PlacementStatusPanel::refresh);
    connect(&document_, &ProjectDocument::currentFloorChanged, this, &PlacementStatusPanel::refresh);
    refresh();
}

void PlacementStatusPanel::refresh()
{
    const WallPlacementResult &result = document_.wallPlacement();
    setText(QLatin1Char(' ') + PlacementStatusText(result, document_.currentFloor(), &failing_) + QLatin1Char(' '));
    setStyleSheet(failing_ ? QStringLiteral("color: #d00000;") : QString());
}

}  // namespace rqx
