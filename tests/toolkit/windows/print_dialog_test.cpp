// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/modal_dialogs.h"
#include "tests/support/printed_page.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/print_dialog.h"
#include "windows_test_registry.h"

#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace hspring;

namespace {

// A page with a frame around the printable area and a text at its top-left corner; it counts
// its paintings and keeps the resolution it was painted at.
struct TestPage {
    int paintings = 0;
    int dpi = 0;
    QRectF area;

    PagePainter painter() {
        return [this](QPainter& painter, const QRectF& page) {
            ++paintings;
            dpi = painter.device()->logicalDpiX();
            area = page;
            painter.drawRect(page.adjusted(0, 0, -1, -1));
            painter.setFont(windowFont(dpi / 4));
            painter.drawText(page, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("試験ページ 12.5"));
        };
    }
};

void pdfPrinter(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

} // namespace

class PrintDialogTest : public QObject {
    Q_OBJECT

private slots:
    // The preview shows the one page; printing from it paints the page onto the printer at the
    // printer's resolution. Closing the preview prints nothing.
    void previewShowsThePageAndPrintsIt() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("printed.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        pdfPrinter(printer, pdf);
        TestPage page;
        int previewPages = 0;
        const auto answered = test::answerNextDialog([&](QDialog& dialog) {
            auto* preview = dialog.findChild<QPrintPreviewWidget*>();
            previewPages = preview ? preview->pageCount() : -1;
            // What the preview's print button does once the print dialog is confirmed.
            if (preview)
                preview->print();
            dialog.accept();
        });
        QVERIFY(previewAndPrint(nullptr, printer, QStringLiteral("試験"), page.painter()));
        QVERIFY(*answered);
        QCOMPARE(previewPages, 1);
        QCOMPARE(page.dpi, printer.resolution());
        QCOMPARE(page.area.size(), QSizeF(printer.pageRect(QPrinter::DevicePixel).size()));
        QVERIFY2(test::pdfText(pdf).contains(QStringLiteral("試験ページ 12.5")),
                 qPrintable(test::pdfText(pdf)));
        QCOMPARE(printer.docName(), QStringLiteral("試験"));

        const QString notPrinted = folder.filePath(QStringLiteral("closed.pdf"));
        pdfPrinter(printer, notPrinted);
        const int before = page.paintings;
        const auto closed = test::closeNextDialog([](QDialog&) {});
        QVERIFY(!previewAndPrint(nullptr, printer, QStringLiteral("試験"), page.painter()));
        QVERIFY(*closed);
        QVERIFY(page.paintings > before); // the preview painted it
        QVERIFY(!QFile::exists(notPrinted));
    }
};

HSPRING_WINDOW_TEST(PrintDialogTest)
#include "print_dialog_test.moc"
