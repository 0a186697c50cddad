// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/painting/pdf_page.h"

#include <QPainter>
#include <QRectF>
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace hspring {

// Paints one page. The painter is open on the page with its origin at the top-left corner of the
// printable area; `page` is that area in the device's pixels, its top-left corner at the origin.
// The device tells its resolution (logicalDpiX/Y).
using PagePainter = std::function<void(QPainter& painter, const QRectF& page)>;

struct PrintOptions {
    // The name the save dialog proposes when the page goes into a PDF file.
    QString pdfName = QStringLiteral("hspring.pdf");
    // The printer's resolution in dots per inch for this page; 0 keeps the printer's own.
    int resolution = 0;
    // The author a PDF names, when there is one.
    QString author;
};

enum class PrintOutcome { Printed, SavedAsPdf, Cancelled };

// Prints one page the way every print command of the program does. With a printer installed:
// Qt's print preview of the page on the default printer, whose print button opens the print
// dialog (printer, copies, paper); Printed once the job has been handed to the printer. With no
// printer installed: a save dialog for a PDF file instead, and the page written there
// (SavedAsPdf). Cancelling either dialog prints and writes nothing. Throws Error when the printer
// or the file fails; `title` names the document.
PrintOutcome printWithDialog(QWidget* parent, const QString& title, const PagePainter& paint,
                             const PrintOptions& options = {});

// The preview and print dialog of printWithDialog on `printer`. Returns true when printed.
bool previewAndPrint(QWidget* parent, QPrinter& printer, const QString& title,
                     const PagePainter& paint);

// Asks for a PDF file, proposing `proposedName`, and writes the page there as one A4 page in one
// piece (writePdfPage). `dialogTitle` titles the save dialog. Returns false when cancelled.
bool savePdfWithDialog(QWidget* parent, const QString& dialogTitle, const QString& proposedName,
                       const QString& documentTitle, const PagePainter& paint);
// The same with the document's title and author.
bool savePdfWithDialog(QWidget* parent, const QString& dialogTitle, const QString& proposedName,
                       const PdfDocumentInfo& document, const PagePainter& paint);

// Paints the page onto `printer` without a dialog. Throws Error when the printer cannot start or
// finish the job.
void printPage(QPrinter& printer, const PagePainter& paint);

// The printable area of the page a painter is open on, in device pixels from the origin.
QRectF printableArea(const QPainter& painter);

} // namespace hspring
