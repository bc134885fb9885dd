#include "report/ui/print_output.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include "common/shown_text.h"
#include "model/project.h"
#include "print/page_render.h"
#include "print/print_document.h"
#include "widgets/message.h"

namespace rqx {

namespace {

const QString kCR = QStringLiteral("\r");

std::function<QStringList()> &PrinterSource()
{
    static std::function<QStringList()> source = [] { return QPrinterInfo::availablePrinterNames(); };
    return source;
}

MessageAnswer Ask(QWidget *owner, const QString &text, MessageKind kind)
{
    MessageAnswer answer = ShowMessage(text, kind, kMessageTitle, owner);
    return answer;
}

void Tell(QWidget *owner, const QString &text)
{
    ShowMessage(text, MessageKind::Ok, kMessageTitle, owner);
}

// A progress dialog for long output that appears only when the output takes a while.
class OutputProgress {
public:
    OutputProgress(QWidget *parent, const QString &text)
        : dialog_(text, QStringLiteral("中止"), 0, 100, parent)
    {
        dialog_.setWindowTitle(kMessageTitle);
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(700);
        dialog_.setAutoReset(false);
        dialog_.setValue(0);
    }
    RenderProgress callback()
    {
        return [this](int done, int total) {
            dialog_.setMaximum(total);
            dialog_.setValue(done);
            return !dialog_.wasCanceled();
        };
    }

private:
    QProgressDialog dialog_;
};

int PagesOf(const PrintJob &job)
{
    const int first = std::max(1, job.first);
    const int last = std::min(job.last, job.document->pageCount());
    return std::max(0, last - first + 1);
}

}  // namespace

QStringList InstalledPrinterNames()
{
    return PrinterSource()();
}

InstalledPrintersForTest::InstalledPrintersForTest(QStringList names) : previous_(PrinterSource())
{
    PrinterSource() = [names] { return names; };
}

InstalledPrintersForTest::~InstalledPrintersForTest()
{
    PrinterSource() = previous_;
}

QString PrinterDeviceName(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName();
    return printer.printerName();
}

bool PrinterAvailable(const QPrinter &printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return !printer.printerName().isEmpty() && InstalledPrinterNames().contains(printer.printerName());
}

QString ProposedPdfPath(const QString &projectFilePath, const QString &buildingName,
                        const QString &otherFolder, const QString &suffix)
{
    QString base;
    QString folder;
    if (projectFilePath.trimmed() != kNewDataName && !projectFilePath.isEmpty()) {
        const QFileInfo info(projectFilePath);
        base = info.completeBaseName();
        folder = info.absolutePath();
    } else {
        base = ShownText(buildingName.trimmed(), kShownBuildingName);
        folder = otherFolder;
    }
    if (base.isEmpty())
        base = QStringLiteral("計算書");
    QString name = base + suffix;
    // Building and line names are the designer's texts: no folder separators or reserved characters.
    for (QChar &ch : name) {
        if (ch == u'/' || ch == u'\\' || ch == u':' || ch == u'*' || ch == u'?' || ch == u'"' || ch == u'<' ||
            ch == u'>' || ch == u'|' || ch.unicode() < 0x20)
            ch = u'_';
    }
    name += QStringLiteral(".pdf");
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

PrintOutcome PrintOrOfferPdf(QWidget *owner, QPrinter &printer, const PrintJob &job)
{
    if (!job.document || PagesOf(job) == 0)
        return PrintOutcome::Cancelled;
    if (!PrinterAvailable(printer)) {
        // Nothing to print on: the same pages as a PDF file instead.
        const QString offer =
            QStringLiteral("プリンターがインストールされていないため、印刷できません。") + kCR + kCR +
            QStringLiteral("印刷する内容（%1ページ）をPDFファイルに出力しますか？").arg(PagesOf(job));
        if (Ask(owner, offer, MessageKind::YesNo) != MessageAnswer::Yes)
            return PrintOutcome::Cancelled;
        return WritePdfWithChooser(owner, job);
    }
    if (Ask(owner, job.question + PrinterDeviceName(printer), MessageKind::OkCancel) != MessageAnswer::Ok)
        return PrintOutcome::Cancelled;
    QString error;
    bool ok = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        OutputProgress progress(owner, QStringLiteral("印刷中です..."));
        printer.setFullPage(true);
        printer.setDocName(job.title);
        ok = RenderPages(*job.document, printer, job.first, job.last, &error, progress.callback());
        QApplication::restoreOverrideCursor();
    }
    if (!ok) {
        Tell(owner, QStringLiteral("印刷できませんでした。") + kCR + kCR + QStringLiteral("ﾌﾟﾘﾝﾀ名： ") +
                        PrinterDeviceName(printer) + kCR + error);
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Printed;
}

PrintOutcome WritePdfWithChooser(QWidget *owner, const PrintJob &job)
{
    if (!job.document || PagesOf(job) == 0)
        return PrintOutcome::Cancelled;
    FileDialogRequest request;
    request.save = true;
    request.title = QStringLiteral("PDF出力");
    request.initialPath = job.pdfPath;
    request.defaultSuffix = QStringLiteral("pdf");
    request.filters = {QStringLiteral("PDFファイル(*.pdf)")};
    const FileChooser &choose = job.chooser ? job.chooser : FileChooser(ChooseFileWithDialog);
    QString path = choose(owner, request);
    if (path.isEmpty())
        return PrintOutcome::Cancelled;
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".pdf");
    if (QFileInfo::exists(path) &&
        Ask(owner,
            path + kCR + QStringLiteral("は既に存在します。") + kCR + QStringLiteral("上書きしますか？"),
            MessageKind::YesNo) != MessageAnswer::Yes)
        return PrintOutcome::Cancelled;
    PdfOutcome written;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        OutputProgress progress(owner, QStringLiteral("PDFファイルに出力中です..."));
        written =
            WritePdfPages(*job.document, job.first, job.last, path, 600, job.title, progress.callback());
        QApplication::restoreOverrideCursor();
    }
    if (!written.ok()) {
        Tell(owner, QStringLiteral("PDFファイルを書き込めませんでした。") + kCR + kCR + path + kCR +
                        (written.renderError.isEmpty() ? written.saved.cause() : written.renderError));
        return PrintOutcome::Failed;
    }
    Tell(owner, QStringLiteral("PDFファイルに出力しました。") + kCR + kCR + path);
    return PrintOutcome::PdfWritten;
}

}  // namespace rqx
