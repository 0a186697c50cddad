// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/windows/spec_sheet_window.h"

#include "printing/painting/spec_sheet_painting.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/print_dialog.h"

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

namespace {
PagePainter sheetPage(const SpecSheetTexts& texts) {
    return [&texts](QPainter& painter, const QRectF&) { printSpecSheet(painter, texts); };
}
} // namespace

void SpecSheetWindow::printSheet(QPrinter& printer) {
    printer.setDocName(windowTitle());
    printPage(printer, sheetPage(texts_));
}

void SpecSheetWindow::printSheetToPdf(const QString& path) {
    writeSpecSheetPdf(path.toStdString(), texts_);
}

void SpecSheetWindow::onPrintClicked() {
    PrintOutcome outcome = PrintOutcome::Cancelled;
    runReportingErrors(this,
                       [&] { outcome = printWithDialog(this, windowTitle(), sheetPage(texts_)); });
    if (outcome != PrintOutcome::Cancelled)
        close();
}

bool saveSpecSheetPdf(QWidget* parent, const SpecSheetTexts& texts) {
    bool saved = false;
    runReportingErrors(parent, [&] {
        saved =
            savePdfWithDialog(parent, QStringLiteral("PDFに保存"), QStringLiteral("hspring.pdf"),
                              QStringLiteral("prinform"), sheetPage(texts));
    });
    return saved;
}

} // namespace hspring
