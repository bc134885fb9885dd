// velmrqx: the desktop program.
#include <QApplication>
#include <QMainWindow>

#include "model/project.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(rqx::kAppTitle);
    window.show();
    return app.exec();
}
