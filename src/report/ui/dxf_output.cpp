#include "report/ui/dxf_output.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "dxf/dxf_export.h"
#include "print/print_document.h"
#include "widgets/message.h"

namespace rqx {

namespace {
const QString kCR = QStringLiteral("\r");
}

QString ChooseFolderWithDialog(QWidget *parent, const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(parent, title, start,
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

bool WriteReportDrawings(QWidget *parent, const PrintDocument &doc, const QString &folder)
{
    const std::vector<DxfDrawing> drawings = DocumentDrawings(doc);
    if (drawings.empty()) {
        ShowMessage(QStringLiteral("計算書に伏図・軸組図がありません。"), MessageKind::Ok, kMessageTitle,
                    parent);
        return false;
    }
    const QDir dir(folder);
    QStringList existing;
    for (const DxfDrawing &d : drawings)
        if (QFileInfo::exists(dir.filePath(d.fileName)))
            existing << d.fileName;
    if (!existing.isEmpty()) {
        const QString names = existing.size() <= 3
                                  ? existing.join(kCR)
                                  : existing.mid(0, 3).join(kCR) + kCR +
                                        QStringLiteral("ほか %1 ファイル").arg(existing.size() - 3);
        const MessageAnswer answer = ShowMessage(QDir::toNativeSeparators(folder) + kCR +
                                 QStringLiteral("に同じ名前のファイルがあります。") + kCR + kCR + names +
                                 kCR + kCR + QStringLiteral("上書きしますか？"),
                             MessageKind::YesNo, kMessageTitle, parent);
        if (answer != MessageAnswer::Yes)
            return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const DxfFolderOutcome written = WriteDxfDrawings(doc, drawings, folder);
    QApplication::restoreOverrideCursor();
    if (written.ok()) {
        ShowMessage(QStringLiteral("伏図・軸組図をDXFファイルに出力しました（%1 ファイル）。")
                            .arg(written.written.size()) +
                        kCR + kCR + QDir::toNativeSeparators(folder),
                    MessageKind::Ok, kMessageTitle, parent);
        return true;
    }
    if (written.saved.step == SaveStep::SyncFolder) {
        ShowMessage(QStringLiteral("伏図・軸組図をDXFファイルに出力しました（%1 ファイル）。")
                            .arg(written.written.size()) +
                        kCR + kCR + QDir::toNativeSeparators(folder) + kCR + written.saved.cause(),
                    MessageKind::Ok, kMessageTitle, parent);
        return false;
    }
    QString text = QStringLiteral("DXFファイルを書き込めませんでした。") + kCR + kCR +
                   QDir::toNativeSeparators(written.failedPath) + kCR + written.saved.cause();
    if (!written.written.isEmpty())
        text +=
            kCR + kCR + QStringLiteral("それまでの %1 ファイルは出力済みです。").arg(written.written.size());
    ShowMessage(text, MessageKind::Ok, kMessageTitle, parent);
    return false;
}

}  // namespace rqx
