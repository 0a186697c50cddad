#include "printing/windows/window_print.h"

#include "printing/painting/page_printing.h"
#include "printing/print_errors.h"

#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QPrinterInfo>
#include <QWidget>

namespace hspring {

namespace {

// The client area: for a main window, what lies below its menu bar.
QImage captureClientArea(QWidget& window) {
    QRect area = window.rect();
    if (const auto* mainWindow = qobject_cast<QMainWindow*>(&window))
        if (const QWidget* menu = mainWindow->menuWidget(); menu && menu->isVisible())
            area.setTop(menu->geometry().bottom() + 1);
    return window.grab(area).toImage();
}

// How a failed job names its printer: a PDF printer has no name, only its file.
std::string printerLabel(const QPrinter& printer) {
    const QString name = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                       : printer.printerName();
    return name.toStdString();
}

} // namespace

void printWindowImage(QWidget& window, PrintScaling scaling, QPrinter& printer) {
    const QImage image = captureClientArea(window);
    printer.setDocName(window.windowTitle());

    QPainter painter;
    if (!painter.begin(&printer))
        throw printJobError(printerLabel(printer));
    drawImageOnPage(painter, image, scaling);
    if (!painter.end())
        throw printJobError(printerLabel(printer));
}

std::unique_ptr<QPrinter> openDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw noPrinterError();
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

void printWindowImage(QWidget& window, PrintScaling scaling) {
    printWindowImage(window, scaling, *openDefaultPrinter());
}

void printWindowImageToPdf(QWidget& window, PrintScaling scaling, const QString& path) {
    const QImage image = captureClientArea(window);
    writePdfPage(path.toStdString(), window.windowTitle(),
                 [&](QPainter& painter) { drawImageOnPage(painter, image, scaling); });
}

} // namespace hspring
