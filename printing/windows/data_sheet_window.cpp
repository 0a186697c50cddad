// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/windows/data_sheet_window.h"

#include "printing/painting/data_sheet_painting.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/print_dialog.h"

#include <QPainter>
#include <QPrinter>
#include <QPushButton>

namespace hspring {

DataSheetWindow::DataSheetWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("prinform"));
    setWindowTitle(QStringLiteral("prinform"));
    setFont(windowFont(12));
    setFixedSize(kDataSheetSize);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    printButton_ = new QPushButton(QStringLiteral("プリント"), this);
    printButton_->setObjectName(QStringLiteral("Button1"));
    printButton_->setGeometry(24, 80, 75, 25);
    connect(printButton_, &QPushButton::clicked, this, &DataSheetWindow::onPrintClicked);
}

void DataSheetWindow::fillDataSheet(const SpringDesign& design, const MaterialLibrary& library,
                                    bool leftHanded, const std::vector<std::string>& concerns) {
    texts_ = dataSheetTexts(design, library, leftHanded);
    texts_.concerns = concerns;
    update();
}

void DataSheetWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintDataSheet(painter, texts_);
}

namespace {
PagePainter sheetPage(const DataSheetTexts& texts) {
    return [&texts](QPainter& painter, const QRectF&) { printDataSheet(painter, texts); };
}
} // namespace

void DataSheetWindow::printSheet(QPrinter& printer) {
    printer.setDocName(QString::fromStdString(texts_.title));
    printPage(printer, sheetPage(texts_));
}

void DataSheetWindow::printSheetToPdf(const QString& path) {
    writeDataSheetPdf(path.toStdString(), texts_);
}

void DataSheetWindow::onPrintClicked() {
    PrintOutcome outcome = PrintOutcome::Cancelled;
    runReportingErrors(this, [&] {
        PrintOptions options;
        options.pdfName = QString::fromStdString(texts_.fileStem) + QStringLiteral(".pdf");
        outcome =
            printWithDialog(this, QString::fromStdString(texts_.title), sheetPage(texts_), options);
    });
    if (outcome != PrintOutcome::Cancelled)
        close();
}

bool saveDataSheetPdf(QWidget* parent, const DataSheetTexts& texts) {
    bool saved = false;
    runReportingErrors(parent, [&] {
        saved = savePdfWithDialog(parent, QStringLiteral("PDFに保存"),
                                  QString::fromStdString(texts.fileStem) + QStringLiteral(".pdf"),
                                  QString::fromStdString(texts.title), sheetPage(texts));
    });
    return saved;
}

} // namespace hspring
