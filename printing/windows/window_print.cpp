#include "printing/windows/window_print.h"

#include "base/file_io.h"
#include "printing/print_errors.h"

#include <QFile>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <span>

namespace hspring {

namespace {

// The client area: for a main window, what lies below its menu bar.
QPixmap captureClientArea(QWidget& window) {
    QRect area = window.rect();
    if (const auto* mainWindow = qobject_cast<QMainWindow*>(&window))
        if (const QWidget* menu = mainWindow->menuWidget(); menu && menu->isVisible())
            area.setTop(menu->geometry().bottom() + 1);
    return window.grab(area);
}

// How a failed job names its printer: a PDF printer has no name, only its file.
std::string printerLabel(const QPrinter& printer) {
    const QString name = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                       : printer.printerName();
    return name.toStdString();
}

} // namespace

void printWindowImage(QWidget& window, PrintScaling scaling, QPrinter& printer) {
    const QPixmap image = captureClientArea(window);
    printer.setDocName(window.windowTitle());

    QPainter painter;
    if (!painter.begin(&printer))
        throw printJobError(printerLabel(printer));
    const QSize imageSize = image.deviceIndependentSize().toSize();
    const PixelSize size = printSize(scaling, {imageSize.width(), imageSize.height()},
                                     {printer.width(), printer.height()}, printer.logicalDpiX(),
                                     printer.logicalDpiY());
    painter.drawPixmap(QRect(0, 0, size.width, size.height), image);
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

void printToPdfFile(const QString& path, const std::function<void(QPrinter&)>& print) {
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        throw fileCreateError(path.toStdString(), scratch.errorString().toStdString());
    const QString scratchPdf = scratch.filePath(QStringLiteral("page.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(scratchPdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        print(printer);
    }
    QFile pdf(scratchPdf);
    if (!pdf.open(QIODevice::ReadOnly))
        throw fileCreateError(path.toStdString(), pdf.errorString().toStdString());
    const QByteArray bytes = pdf.readAll();
    writeFileAtomically(path.toStdString(),
                        std::as_bytes(std::span(bytes.constData(), std::size_t(bytes.size()))));
}

void printWindowImageToPdf(QWidget& window, PrintScaling scaling, const QString& path) {
    printToPdfFile(path, [&](QPrinter& printer) { printWindowImage(window, scaling, printer); });
}

} // namespace hspring
