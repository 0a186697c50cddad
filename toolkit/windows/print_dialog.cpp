// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/print_dialog.h"

#include "base/error.h"
#include "toolkit/painting/pdf_page.h"
#include "toolkit/windows/file_dialogs.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace hspring {

namespace {

const QString kPdfFilter = QStringLiteral("PDF (*.pdf)");

bool paintOnPrinter(QPrinter& printer, const PagePainter& paint) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    paint(painter, printableArea(painter));
    return painter.end();
}

// How a failed job names its printer: a PDF printer has no name, only its file.
std::string printerLabel(const QPrinter& printer) {
    const QString name = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                       : printer.printerName();
    return name.toStdString();
}

} // namespace

QRectF printableArea(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device ? QRectF(0, 0, device->width(), device->height()) : QRectF();
}

void printPage(QPrinter& printer, const PagePainter& paint) {
    // A printer that writes a PDF names the program there, as every PDF of the program does.
    printer.setCreator(pdfCreator());
    if (!paintOnPrinter(printer, paint))
        throw printJobError(printerLabel(printer));
}

bool previewAndPrint(QWidget* parent, QPrinter& printer, const QString& title,
                     const PagePainter& paint) {
    printer.setDocName(title);
    printer.setCreator(pdfCreator());
    QPrintPreviewDialog preview(&printer, parent);
    // The preview paints the page too; what counts is the last painting, the printed one.
    bool painted = true;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&](QPrinter* target) { painted = paintOnPrinter(*target, paint); });
    const bool printed = preview.exec() == QDialog::Accepted;
    if (printed && !painted)
        throw printJobError(printerLabel(printer));
    return printed;
}

bool savePdfWithDialog(QWidget* parent, const QString& dialogTitle, const QString& proposedName,
                       const QString& documentTitle, const PagePainter& paint) {
    return savePdfWithDialog(parent, dialogTitle, proposedName, PdfDocumentInfo{documentTitle, {}},
                             paint);
}

bool savePdfWithDialog(QWidget* parent, const QString& dialogTitle, const QString& proposedName,
                       const PdfDocumentInfo& document, const PagePainter& paint) {
    const auto path =
        askSaveFile(parent, kPdfFilter, proposedName, QStringLiteral("pdf"), dialogTitle);
    if (!path)
        return false;
    writePdfPage(*path, document,
                 [&](QPainter& painter) { paint(painter, printableArea(painter)); });
    return true;
}

PrintOutcome printWithDialog(QWidget* parent, const QString& title, const PagePainter& paint,
                             const PrintOptions& options) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const bool saved =
            savePdfWithDialog(parent, QStringLiteral("PDFに保存（プリンタがありません）"),
                              options.pdfName, PdfDocumentInfo{title, options.author}, paint);
        return saved ? PrintOutcome::SavedAsPdf : PrintOutcome::Cancelled;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (options.resolution > 0)
        printer.setResolution(options.resolution);
    return previewAndPrint(parent, printer, title, paint) ? PrintOutcome::Printed
                                                          : PrintOutcome::Cancelled;
}

} // namespace hspring
