#pragma once
// Rendering of recorded pages: the same drawing code fills a preview widget, an image, a PDF and a printer.
// Pages are drawn in twips through a QPainter transform; fonts are sized in twips (TwipsFont), so text has
// its size in points on every device whatever its resolution. Headless (QtGui): a QPrinter is a
// QPagedPaintDevice and goes through RenderPages.

#include <QImage>
#include <QRectF>
#include <QString>

#include <functional>

#include "common/safe_save.h"

class QPainter;
class QPagedPaintDevice;

namespace rqx {

class PrintDocument;

// Draws page n (1-based) with the painter's current transform, in twips from the paper edge (the caller
// has mapped twips to its device). White paper is not painted; the painter's state is restored.
void RenderPageTwips(const PrintDocument &doc, int n, QPainter &painter);

// Draws page n scaled to fill `target` (painter coordinates, e.g. a widget's page rectangle at any zoom):
// paints the white paper, then the page. A widget renders only its visible pages this way.
void RenderPage(const PrintDocument &doc, int n, QPainter &painter, const QRectF &target);

// Page n as an image at `dpi` (white paper, RGB32).
QImage RenderPageImage(const PrintDocument &doc, int n, double dpi);

// Progress of a long output: (pages done, pages in all); return false to stop.
using RenderProgress = std::function<bool(int done, int total)>;

// Pages first..last (1-based, inclusive, clamped) onto a paged device (QPdfWriter, QPrinter): one device
// page per document page, each with its own paper size and orientation. A QPrinter should be in full-page
// mode; otherwise its paint rectangle's offset is taken off. False (with `error`) when painting could not
// start or the progress callback stopped it.
bool RenderPages(const PrintDocument &doc, QPagedPaintDevice &device, int first, int last,
                 QString *error = nullptr, const RenderProgress &progress = {});

// The outcome of writing a PDF: a failed save (with its step: a folder that could not be synced means the
// file is in place) told apart from a drawing that could not start or was stopped.
struct PdfOutcome {
    SaveOutcome saved;    // the save's outcome; None when the drawing failed first
    QString renderError;  // why the drawing failed, empty when it did not
    bool ok() const { return saved.ok() && renderError.isEmpty(); }
};
// The whole document as a PDF file at `dpi` (fonts embedded as subsets, texts extractable). Writes to a
// temporary file beside `path` and renames it, so a failure leaves no half-written file.
PdfOutcome WritePdfFile(const PrintDocument &doc, const QString &path, int dpi = 600,
                        const QString &title = QString(), const RenderProgress &progress = {});
// Pages first..last only (1-based, inclusive, clamped): the PDF of what a print of those pages puts on paper.
PdfOutcome WritePdfPages(const PrintDocument &doc, int first, int last, const QString &path, int dpi = 600,
                         const QString &title = QString(), const RenderProgress &progress = {});

}  // namespace rqx
