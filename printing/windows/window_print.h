#pragma once

#include "printing/print_size.h"

#include <QPrinter>
#include <QString>
#include <memory>

class QWidget;

namespace hspring {

// Prints a window's client area as it is painted now (title bar and menu bar left out) on one
// page of `printer`, sized by `scaling`, at the top-left corner of the printable area. The
// window stays on screen unchanged. Throws Error when the printer cannot start or finish.
void printWindowImage(QWidget& window, PrintScaling scaling, QPrinter& printer);

// The desktop's default printer, at its own resolution. Throws Error when there is none.
std::unique_ptr<QPrinter> openDefaultPrinter();

// Prints on the desktop's default printer ("画面印刷").
void printWindowImage(QWidget& window, PrintScaling scaling);

// printWindowImage onto the A4 PDF page of writePdfPage, written to `path` in one piece.
void printWindowImageToPdf(QWidget& window, PrintScaling scaling, const QString& path);

} // namespace hspring
