// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/print_size.h"
#include "toolkit/windows/print_dialog.h"

#include <QPainter>
#include <QPrinter>
#include <QString>

class QWidget;

namespace hspring {

// Paints a window's client area as it is painted now (title bar and menu bar left out) onto the
// page the painter is open on, sized by `scaling`, at the top-left corner of the printable area.
// The widgets paint themselves onto the page at its resolution: texts stay text and lines stay
// lines (what the style keeps as small pictures stays a picture). A printer gets the widgets'
// drawing commands recorded at the window's own 96 dots per inch, which the printer's resolution
// must then be (kWindowPrintResolution); at another resolution Qt paints them into one picture
// at the printer's resolution. The window stays on screen unchanged.
void paintWindowOnPage(QPainter& painter, QWidget& window, PrintScaling scaling);
inline constexpr int kWindowPrintResolution = kScreenPixelsPerInch;

// Prints the window on one page of `printer`, whose resolution it sets to kWindowPrintResolution.
// Throws Error when the printer cannot start or finish.
void printWindowImage(QWidget& window, PrintScaling scaling, QPrinter& printer);

// "画面印刷": the preview and print dialog of printWithDialog, or with no printer a PDF file,
// proposed as `pdfName`.
PrintOutcome printWindowWithDialog(QWidget& window, PrintScaling scaling, const QString& pdfName);

// The window onto the A4 PDF page of writePdfPage, written to `path` in one piece.
void printWindowImageToPdf(QWidget& window, PrintScaling scaling, const QString& path);

} // namespace hspring
