#include "report/ui/view_commands.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>

#include "document/project_document.h"
#include "model/project.h"
#include "widgets/main_window_host.h"

namespace rqx {

ProjectViews::ProjectViews(ProjectDocument &document, std::function<QPrinter *()> printer, QObject *parent)
    : QObject(parent), document_(document), printer_(std::move(printer))
{
}

ViewHost ProjectViews::host()
{
    ViewHost h;
    h.project = &document_.project();
    h.calculation = &document_.calculation();
    h.printer = printer_ ? printer_() : nullptr;
    h.beep = beep_;
    h.projectFilePath = document_.dataFilePath();
    h.otherFolder = otherFolder_ ? otherFolder_() : QString();
    h.chooser = chooser_;
    return h;
}

TransferCheckView *ProjectViews::openTransferCheck(QWidget *owner)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (frameView_)
        frameView_->close();
    frameView_ = nullptr;
    document_.calculation();
    if (!transferCheck_) {
        transferCheck_ = new TransferCheckView(host(), owner);
        transferCheck_->show();
    }
    // An open view keeps its page: it is raised, not drawn again.
    transferCheck_->raise();
    transferCheck_->activateWindow();
    QApplication::restoreOverrideCursor();
    return transferCheck_;
}

FrameView *ProjectViews::openFrameView(QWidget *owner, int direction, int line)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    closeAll();
    frameView_ = new FrameView(host(), direction, line, owner);
    frameView_->show();
    frameView_->raise();
    frameView_->activateWindow();
    QApplication::restoreOverrideCursor();
    return frameView_;
}

void ProjectViews::closeAll()
{
    if (frameView_)
        frameView_->close();
    if (transferCheck_)
        transferCheck_->close();
    frameView_ = nullptr;
    transferCheck_ = nullptr;
}

ReportViews ProjectViews::reportViews()
{
    QPointer<ProjectViews> self(this);
    ReportViews v;
    v.openTransferCheck = [self](QWidget *owner) -> QWidget * {
        return self ? self->openTransferCheck(owner) : nullptr;
    };
    v.openFrameView = [self](QWidget *owner, int direction, int line) -> QWidget * {
        return self ? self->openFrameView(owner, direction, line) : nullptr;
    };
    return v;
}

ProjectViews *InstallViewCommands(MainWindowHost &window)
{
    auto *views = new ProjectViews(
        window.document(), [&window] { return window.applicationPrinter(); }, window.hostWidget());
    if (QAction *check = window.commandAction(HostCommand::TransferCheck)) {
        check->setEnabled(true);
        check->setText(QStringLiteral("２階Ｎ値伝達ﾁｪｯｸ(&N)"));
        if (QMenu *view = window.viewMenu()) {
            const QList<QAction *> items = view->actions();
            view->insertAction(items.isEmpty() ? nullptr : items.first(), check);
            if (!items.isEmpty())
                view->insertSeparator(items.first());
        }
        QObject::connect(check, &QAction::triggered, views,
                         [views, &window] { views->openTransferCheck(window.hostWidget()); });
    }
    views->setOtherFolder([&window] { return window.appState().dataDirectory; });
    QPointer<ProjectViews> guarded(views);
    window.onFrameLineChosen([guarded, &window](int direction, int line) {
        if (guarded)
            guarded->openFrameView(window.hostWidget(), direction, line);
    });
    // The views show the project they were opened on.
    ProjectDocument &document = window.document();
    QObject::connect(&document, &ProjectDocument::projectReplaced, views, &ProjectViews::closeAll);
    QObject::connect(&document, &ProjectDocument::gridResized, views, &ProjectViews::closeAll);
    QObject::connect(&document, &ProjectDocument::lineNamesChanged, views, &ProjectViews::closeAll);
    window.setFrameFiguresEnabled(true);
    return views;
}

}  // namespace rqx
