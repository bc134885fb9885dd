#pragma once
// The report window's DXF output: every plan and frame figure of the recorded report as a DXF drawing
// (dxf/dxf_export.h), one file each, into a folder the designer chooses.

#include <QString>

#include <functional>

class QWidget;

namespace rqx {

class PrintDocument;

// Picks a folder; an empty result is a cancel. Tests put their own in place of the dialog.
using FolderChooser = std::function<QString(QWidget *parent, const QString &title, const QString &start)>;
QString ChooseFolderWithDialog(QWidget *parent, const QString &title, const QString &start);

// Writes the drawings of `doc` into `folder` with the safe save: asks first when some of the files
// exist, tells what was written or why a file could not be. True when every drawing was written.
bool WriteReportDrawings(QWidget *parent, const PrintDocument &doc, const QString &folder);

}  // namespace rqx
