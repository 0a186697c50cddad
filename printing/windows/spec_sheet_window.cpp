#include "printing/windows/spec_sheet_window.h"

#include "printing/painting/spec_sheet_painting.h"
#include "printing/print_errors.h"
#include "printing/windows/window_print.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"

#include <QPainter>
#include <QPrinter>
#include <QPushButton>

namespace hspring {

SpecSheetWindow::SpecSheetWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("prinform"));
    setWindowTitle(QStringLiteral("prinform"));
    setFont(windowFont(12));
    setFixedSize(kSpecSheetSize);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    printButton_ = new QPushButton(QStringLiteral("プリント"), this);
    printButton_->setObjectName(QStringLiteral("Button1"));
    printButton_->setGeometry(24, 80, 75, 25);
    connect(printButton_, &QPushButton::clicked, this, &SpecSheetWindow::onPrintClicked);
}

void SpecSheetWindow::fillSpecSheet(const SpringDesign& design, const MaterialLibrary& library,
                                    bool leftHanded) {
    texts_ = specSheetTexts(design, library, leftHanded);
    update();
}

void SpecSheetWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintSpecSheet(painter, texts_);
}

void SpecSheetWindow::printSheet(QPrinter& printer) {
    printer.setDocName(windowTitle());
    QPainter painter;
    if (!painter.begin(&printer))
        throw printJobError(printer.printerName().toStdString());
    printSpecSheet(painter, texts_);
    if (!painter.end())
        throw printJobError(printer.printerName().toStdString());
}

void SpecSheetWindow::printSheetToPdf(const QString& path) {
    writeSpecSheetPdf(path.toStdString(), texts_);
}

void SpecSheetWindow::onPrintClicked() {
    const bool printed = runReportingErrors(this, [this] { printSheet(*openDefaultPrinter()); });
    if (printed)
        close();
}

} // namespace hspring
