#include "widgets/file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "widgets/hand_cursor.h"

namespace rqx {

QString ChooseFileWithDialog(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The save command asks about an existing file itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(request.filters);
    if (!request.filters.isEmpty())
        dialog.selectNameFilter(request.filters.first());
    dialog.setDefaultSuffix(request.defaultSuffix);
    const QFileInfo initial(request.initialPath);
    if (QDir(initial.absolutePath()).exists())
        dialog.setDirectory(initial.absolutePath());
    dialog.selectFile(initial.fileName());
    ApplyHandCursor(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

}  // namespace rqx
