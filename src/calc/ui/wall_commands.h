#pragma once
// The wall quantities in the main window: 設定 → 壁量計算の条件 and the status bar's figure of the
// storey on screen ("壁量 X 1.23 / Y 0.97", red when a direction is short), updated after every
// change of the project and every change of storey.

#include <QLabel>

namespace rqx {

class MainWindowHost;
class ProjectDocument;

// Enables 設定 → 壁量計算の条件 and ties it to its dialog on the window's open project.
void InstallWallCommands(MainWindowHost &window, ProjectDocument &document);
void WallConditionsCommand(MainWindowHost &window, ProjectDocument &document);

// A status-bar panel showing the wall quantities of the document's storey on screen. Reading them
// is no change of the project.
class WallStatusPanel : public QLabel {
    Q_OBJECT
public:
    explicit WallStatusPanel(ProjectDocument &document, QWidget *parent = nullptr);
    // Whether the figure shows a short direction (drawn in red).
    bool showsShort() const { return short_; }
    void refresh();

private:
    ProjectDocument &document_;
    bool short_ = false;
};

// A status-bar panel with the wall placement of the storey on screen ("四分割 X OK / Y NG  偏心率
// 0.12 / 0.35", red when the storey meets neither way).
class PlacementStatusPanel : public QLabel {
    Q_OBJECT
public:
    explicit PlacementStatusPanel(ProjectDocument &document, QWidget *parent = nullptr);
    bool showsFailing() const { return failing_; }
    void refresh();

private:
    ProjectDocument &document_;
    bool failing_ = false;
};

}  // namespace rqx
