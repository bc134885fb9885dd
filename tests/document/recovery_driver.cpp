// A program that edits a project with recovery copies on, for the recovery tests to stop:
//     recovery_driver RECOVERY_FOLDER LOCK_FOLDER PROJECT EDITS exit|wait|edit
// It opens PROJECT, makes EDITS edits (recovery_edits.h), waits until a copy holds all of them and
// prints "ready" and the number of copies taken; then it ends cleanly ("exit") or waits to be killed
// ("wait"). With "edit" it keeps the program's own cadence of copies, prints "edited" right after
// the last edit and runs on, as the program does while the designer pauses, until it is killed.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>

#include "document/document_recovery.h"
#include "document/project_document.h"
#include "document/recovery_edits.h"
#include "model/project_file.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6)
        return 2;
    rqx::ProjectDocument doc;
    if (!doc.LoadProject(args[3]).ok)
        return 1;

    rqx::DocumentRecovery recovery(doc, args[1], args[2]);
    const bool ownCadence = args[5] == QLatin1String("edit");
    if (!ownCadence)
        recovery.autosave().setInterval(std::chrono::milliseconds(100));
    for (int i = 0, n = args[4].toInt(); i < n; ++i) {
        rqx::test::MakeRecoveryEdit(doc, i);
        QCoreApplication::processEvents();  // as a window does between two edits
    }
    if (ownCadence) {
        std::printf("edited\n");
        std::fflush(stdout);
        return QCoreApplication::exec();
    }
    QElapsedTimer waited;
    waited.start();
    while (recovery.autosave().editsSinceCopy() > 0 && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    recovery.autosave().waitForWrites();
    std::printf("ready %d\n", recovery.autosave().copiesRequested());
    std::fflush(stdout);
    if (args[5] == QLatin1String("exit"))
        return 0;
    for (;;)
        QThread::sleep(1);
}
