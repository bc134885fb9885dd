#pragma once
// What the feature windows (the calculation dialogs, the report window, the views) ask of the main
// window. The main window implements it; the features never see the main window itself, so they
// sit below it and can be tried with any window that plays its part.

#include <QString>

#include <functional>

class QAction;
class QMenu;
class QPrinter;
class QWidget;

namespace rqx {

class ProjectDocument;
struct AppState;

// The main window's commands the features fill in (a toolbar button and its menu item, one QAction; the
// storey heights a menu item only). PrinterSetup is the menu item ﾌﾟﾘﾝﾀｰの設定, whose dialog the
// report part owns.
enum class HostCommand {
    PlacedHardware,
    LCoefficient,
    CrossBeam,
    ReportPreview,
    TransferCheck,
    PrinterSetup,
    StoreyHeights,
    WallConditions
};

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    // The main window as the parent of dialogs and the context of connections.
    virtual QWidget *hostWidget() = 0;
    virtual ProjectDocument &document() = 0;
    virtual AppState &appState() = 0;
    virtual QAction *commandAction(HostCommand command) const = 0;
    // 表示(&V): the features put their items at its top.
    virtual QMenu *viewMenu() const = 0;
    // The application printer (made on first use).
    virtual QPrinter *applicationPrinter() = 0;
    virtual QString helpFilePath() const = 0;
    // The status bar's texts of the two calculation settings, after one changed.
    virtual void refreshStatusBar() = 0;
    // The frame-figure menus and buttons: enabled once a frame view exists; a chosen line reported.
    virtual void setFrameFiguresEnabled(bool enabled) = 0;
    virtual void onFrameLineChosen(std::function<void(int direction, int line)> handler) = 0;
};

}  // namespace rqx
