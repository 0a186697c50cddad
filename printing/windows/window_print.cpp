// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/windows/window_print.h"

#include "toolkit/painting/pdf_page.h"

#include <QMainWindow>
#include <QPicture>
#include <QWidget>

namespace hspring {

namespace {

// The client area: for a main window, what lies below its menu bar.
QRect clientArea(const QWidget& window) {
    QRect area = window.rect();
    if (const auto* mainWindow = qobject_cast<const QMainWindow*>(&window))
        if (const QWidget* menu = mainWindow->menuWidget(); menu && menu->isVisible())
            area.setTop(menu->geometry().bottom() + 1);
    return area;
}

} // namespace

void paintWindowOnPage(QPainter& painter, QWidget& window, PrintScaling scaling) {
    const QRect area = clientArea(window);
    const QPaintDevice& page = *painter.device();
    const PixelSize size =
        printSize(scaling, {area.width(), area.height()}, {page.width(), page.height()},
                  page.logicalDpiX(), page.logicalDpiY());
    if (size.width <= 0 || size.height <= 0)
        return;
    painter.save();
    painter.scale(qreal(size.width) / area.width(), qreal(size.height) / area.height());
    const QRegion source(area);
    // QWidget::render paints a printer through one picture of the window at the printer's
    // resolution; recorded as drawing commands and played back, the widgets keep their texts and
    // lines. The recording plays back true only on a device of the window's own resolution.
    if (page.devType() == QInternal::Printer && page.logicalDpiX() == kWindowPrintResolution &&
        page.logicalDpiY() == kWindowPrintResolution) {
        QPicture commands;
        QPainter recorder(&commands);
        window.render(&recorder, QPoint(), source);
        recorder.end();
        painter.drawPicture(0, 0, commands);
    } else {
        window.render(&painter, QPoint(), source);
    }
    painter.restore();
}

void printWindowImage(QWidget& window, PrintScaling scaling, QPrinter& printer) {
    printer.setResolution(kWindowPrintResolution);
    printer.setDocName(window.windowTitle());
    printPage(printer, [&](QPainter& painter, const QRectF&) {
        paintWindowOnPage(painter, window, scaling);
    });
}

PrintOutcome printWindowWithDialog(QWidget& window, PrintScaling scaling, const QString& pdfName) {
    PrintOptions options;
    options.pdfName = pdfName;
    options.resolution = kWindowPrintResolution;
    return printWithDialog(
        &window, window.windowTitle(),
        [&](QPainter& painter, const QRectF&) { paintWindowOnPage(painter, window, scaling); },
        options);
}

void printWindowImageToPdf(QWidget& window, PrintScaling scaling, const QString& path) {
    writePdfPage(path.toStdString(), window.windowTitle(),
                 [&](QPainter& painter) { paintWindowOnPage(painter, window, scaling); });
}

} // namespace hspring
