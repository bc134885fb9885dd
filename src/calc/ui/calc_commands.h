#pragma once
// The main window's commands of the calculation dialogs: 金物 → 配置金物, 設定 → 押さえ係数Ｌの設定,
// 設定 → 直交梁の影響 (with their toolbar buttons, the same actions) and 設定 → 階高の設定.

namespace rqx {

class MainWindowHost;
class ProjectDocument;

// Enables the four commands and ties them to their dialogs on the window's open project.
void InstallCalcCommands(MainWindowHost &window, ProjectDocument &document);

// The commands themselves: hourglass, the modal dialog, then the status-bar panels.
void PlacedHardwareCommand(MainWindowHost &window, ProjectDocument &document);
void LCoefficientCommand(MainWindowHost &window, ProjectDocument &document);
void CrossBeamCommand(MainWindowHost &window, ProjectDocument &document);
void StoreyHeightCommand(MainWindowHost &window, ProjectDocument &document);

}  // namespace rqx
