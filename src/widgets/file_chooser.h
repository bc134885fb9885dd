#pragma once
// The file dialog of the program (Qt's own, in Japanese), asked through a function so tests answer it
// without a window.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace rqx {

// What a file dialog is asked for; the answer is the chosen path, empty when cancelled.
struct FileDialogRequest {
    bool save = false;
    QString title;
    QString initialPath;    // directory + file name
    QString defaultSuffix;  // without the dot
    QStringList filters;    // "name(*.ext)" entries, the first selected
};
using FileChooser = std::function<QString(QWidget *parent, const FileDialogRequest &request)>;

// The file dialog of the program.
QString ChooseFileWithDialog(QWidget *parent, const FileDialogRequest &request);

}  // namespace rqx
