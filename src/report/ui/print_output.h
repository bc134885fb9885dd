#pragma once
// The one way every window prints: a question naming the printer, then the pages on the application
// printer without a dialog. With no printer to print on, the same question everywhere offers the PDF of
// exactly those pages instead, written through the file chooser and the safe save. The installed printers
// are asked for here only, so a test can stand in for the machine's printers.

#include <QString>
#include <QStringList>

#include <functional>

#include "widgets/file_chooser.h"

class QPrinter;
class QWidget;

namespace rqx {

class PrintDocument;

// The installed printers' names (the system's, unless a test has put a list in their place).
QStringList InstalledPrinterNames();
// Puts `names` in place of the system's printers while it lives (tests).
class InstalledPrintersForTest {
public:
    explicit InstalledPrintersForTest(QStringList names);
    ~InstalledPrintersForTest();
    InstalledPrintersForTest(const InstalledPrintersForTest &) = delete;
    InstalledPrintersForTest &operator=(const InstalledPrintersForTest &) = delete;

private:
    std::function<QStringList()> previous_;
};

// The device name the questions show: the printer's name, or the file of a PDF printer.
QString PrinterDeviceName(const QPrinter &printer);
// True when the printer can take output: an installed printer, or a PDF printer with a file.
bool PrinterAvailable(const QPrinter &printer);

// The PDF file proposed for output of the open project: its name (or the building's) with `suffix` and
// ".pdf", in its folder (or `otherFolder` while it is unsaved). Characters a file name cannot hold become
// "_".
QString ProposedPdfPath(const QString &projectFilePath, const QString &buildingName,
                        const QString &otherFolder, const QString &suffix = QString());

// One print command's pages and what it says.
struct PrintJob {
    const PrintDocument *document = nullptr;
    int first = 1;
    int last = 1;
    QString question;  // the command's question; the printer's device name is appended
    QString title;     // the print job's and the PDF's title
    QString pdfPath;   // the file the PDF offer proposes
    FileChooser chooser;
};

enum class PrintOutcome { Printed, PdfWritten, Cancelled, Failed };

// Prints job.first..job.last after the question; with no printer offers their PDF instead.
PrintOutcome PrintOrOfferPdf(QWidget *owner, QPrinter &printer, const PrintJob &job);

// Asks for a file (proposing job.pdfPath), asks before replacing one, writes job.first..job.last as PDF
// and says where it went or why it could not be written.
PrintOutcome WritePdfWithChooser(QWidget *owner, const PrintJob &job);

}  // namespace rqx
