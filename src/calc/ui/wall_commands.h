#pragma once
// The wall quantities in the main window: 設定 → 壁量計算の条件 and the status bar's figure of the
// storey on screen ("壁量 X 1.23 / Y 0.97", red when a direction is short), updated after every
// change of the project and every change of storey.

#include <QLabel>

#include <functional>

namespace rqx {

class MainWindowHost;
class ProjectDocument;

// Enables 設定 → 壁量計算の条件 and ties it to its dialog on the window's open project.
void InstallWallCommands(MainWindowHost &window, ProjectDocument &document);
void WallConditionsCommand(MainWindowHost &window, ProjectDocument &document);

// A status-bar panel with a figure of the document's storey on screen, drawn in red when it warns,
// read again after every change of the project and of storey. Reading it is no change of the project.
class DocumentFigurePanel : public QLabel {
    Q_OBJECT
public:
    // The figure's text of the storey on screen; `warns` set when it is to be drawn in red.
    using Figure = std::function<QString(ProjectDocument &, bool *warns)>;
    DocumentFigurePanel(ProjectDocument &document, const QString &name, const QString &toolTip, Figure figure,
                        QWidget *parent = nullptr);
    bool warns() const { return warns_; }
    void refresh();

private:
    ProjectDocument &document_;
    Figure figure_;
    bool warns_ = false;
};

// The wall quantities: "壁量 X 1.23 / Y 0.97", red when a direction is short.
class WallStatusPanel : public DocumentFigurePanel {
    Q_OBJECT
public:
    explicit WallStatusPanel(ProjectDocument &document, QWidget *parent = nullptr);
    bool showsShort() const { return warns(); }
};

// The wall placement: "四分割 X OK / Y NG  偏心率 0.12 / 0.35", red when the storey meets neither way.
class PlacementStatusPanel : public DocumentFigurePanel {
    Q_OBJECT
public:
    explicit PlacementStatusPanel(ProjectDocument &document, QWidget *parent = nullptr);
    bool showsFailing() const { return warns(); }
};

}  // namespace rqx
