// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/data_sheet_text.h"
#include "printing/painting/data_sheet_painting.h"
#include "printing/windows/data_sheet_window.h"
#include "printing/windows/window_print.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/printed_page.h"
#include "toolkit/windows/centred_grid.h"
#include "windows_test_registry.h"

#include <QApplication>
#include <QFile>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using hspring::DataSheetWindow;

namespace {

hspring::SpringDesign knownDesign() {
    hspring::SpringDesign design{};
    design.inUse = 1;
    design.materialIndex = 2;
    design.wireDiameter = 1.2;
    design.meanDiameter = 10.8;
    design.outerDiameter = 12;
    design.totalTurns = 15.5;
    design.activeTurns = 15.5;
    design.freeLength = 39;
    design.initialTension = 1;
    design.length1 = 45;
    design.load1 = 10;
    design.length2 = 52;
    design.load2 = 50;
    return design;
}

hspring::MaterialLibrary library() {
    hspring::MaterialLibrary materials{};
    hspring::setShortStringText(materials[2].gradeSymbol, "ＳＷＰ－Ａ");
    return materials;
}

} // namespace

class DataSheetWindowTest : public QObject {
    Q_OBJECT

private slots:
    void layoutOfTheWindow() {
        DataSheetWindow sheet;
        QCOMPARE(sheet.objectName(), QStringLiteral("prinform"));
        QCOMPARE(sheet.windowTitle(), QStringLiteral("prinform"));
        QCOMPARE(sheet.size(), QSize(716, 832));
        QCOMPARE(sheet.palette().color(QPalette::Window), QColor(Qt::white));
        auto* button = sheet.findChild<QPushButton*>("Button1");
        QCOMPARE(button->text(), QStringLiteral("プリント"));
        QCOMPARE(button->geometry(), QRect(24, 80, 75, 25));
        // The sheet itself is one picture: figure, labels and table are drawn, not controls.
        QCOMPARE(hspring::kDataSheetSize, sheet.size());
        QCOMPARE(hspring::kDataSheetTablePlace, QRect(96, 216, 561, 532));
    }

    void fillsCellsAndLabelsFromTheDesign() {
        DataSheetWindow sheet;
        sheet.fillDataSheet(knownDesign(), library(), false);
        const auto cell = [&](int row, int column) {
            return QString::fromStdString(sheet.texts().cells[row][column]);
        };
        QCOMPARE(cell(0, 1), QStringLiteral(" 項目"));
        QCOMPARE(cell(1, 0), QStringLiteral("    1"));
        QCOMPARE(cell(1, 3), QStringLiteral("ＳＷＰ－Ａ"));
        QCOMPARE(cell(7, 3), QStringLiteral("右"));
        QCOMPARE(cell(8, 2), QStringLiteral(" mm"));
        QCOMPARE(cell(8, 3), QStringLiteral("39mm"));
        QCOMPARE(cell(9, 3), QStringLiteral("9.807"));
        QCOMPARE(cell(14, 3), QStringLiteral("490.3"));
        const auto label = [&](int i) { return QString::fromStdString(sheet.texts().labels[i]); };
        QCOMPARE(label(0), QStringLiteral("Ｌ２　= 52mm"));
        QCOMPARE(label(2), QStringLiteral("自由長= 39mm"));
        QCOMPARE(label(3), QStringLiteral("Ｐ２　= 490.4N"));
        QCOMPARE(label(4), QStringLiteral("Ｐ１　= 98.07N"));
        QCOMPARE(label(5), QStringLiteral("平均径　= 10.8mm"));

        // Each opening overwrites what the last one showed.
        hspring::SpringDesign other = knownDesign();
        other.materialIndex = 40;
        other.load2 = 1;
        sheet.fillDataSheet(other, library(), true);
        QCOMPARE(cell(1, 3), QString::fromUtf8(hspring::kUnknownMaterialText));
        QCOMPARE(cell(7, 3), QStringLiteral("左"));
        QCOMPARE(cell(14, 3), QStringLiteral("9.807"));
        QCOMPARE(label(3), QStringLiteral("Ｐ２　= 9.807N"));
    }

    // On screen the window shows the picture paintDataSheet draws, the button over it; a click
    // into the table selects nothing, so the sheet on screen is the sheet on paper.
    void showsThePaintedSheet() {
        DataSheetWindow sheet;
        sheet.fillDataSheet(knownDesign(), library(), false);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        const QImage expected = hspring::renderDataSheet(sheet.texts());
        const QRect buttonArea = sheet.findChild<QPushButton*>("Button1")->geometry();
        const auto sameOutsideButton = [&](const QImage& shown) {
            for (int y = 0; y < expected.height(); ++y)
                for (int x = 0; x < expected.width(); ++x)
                    if (!buttonArea.contains(x, y) && shown.pixel(x, y) != expected.pixel(x, y))
                        return false;
            return true;
        };
        QVERIFY(sameOutsideButton(sheet.grab().toImage().convertToFormat(QImage::Format_RGB32)));

        const QRect cell = hspring::dataSheetCellRect(5, 3);
        QTest::mouseClick(&sheet, Qt::LeftButton, {}, cell.center());
        QVERIFY(sameOutsideButton(sheet.grab().toImage().convertToFormat(QImage::Format_RGB32)));
    }

    // With no printer "プリント" offers a PDF file instead: cancelled, the sheet stays open with
    // its button; saved, the file holds the sheet as text and the sheet closes.
    void withoutPrinterPrintOffersAPdf() {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("this desktop has a printer");
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
        DataSheetWindow sheet;
        sheet.fillDataSheet(knownDesign(), library(), false);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        auto* button = sheet.findChild<QPushButton*>("Button1");

        const auto cancelled = hspring::test::answerNextFileDialog(QString());
        button->click();
        QVERIFY(cancelled->seen);
        QCOMPARE(cancelled->text, QStringLiteral("PDF (*.pdf)"));
        QVERIFY(sheet.isVisible());
        QVERIFY(button->isVisible());
        QVERIFY(!QFile::exists(pdf));

        const auto saved = hspring::test::answerNextFileDialog(pdf);
        button->click();
        QVERIFY(saved->seen);
        QCOMPARE(saved->title, QStringLiteral("PDFに保存（プリンタがありません）"));
        QVERIFY(!sheet.isVisible());
        const QString text = hspring::test::pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("ＳＷＰ－Ａ")) &&
                     text.contains(QStringLiteral("490.3")),
                 qPrintable(text));
    }

    // Printing onto a printer leaves the window open with its button, and printing twice gives
    // the same page.
    void printingTwiceGivesTheSamePage() {
        QTemporaryDir folder;
        DataSheetWindow sheet;
        sheet.fillDataSheet(knownDesign(), library(), false);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        auto* button = sheet.findChild<QPushButton*>("Button1");
        QImage pages[2];
        for (int attempt = 0; attempt < 2; ++attempt) {
            const QString pdf = folder.filePath(QStringLiteral("sheet%1.pdf").arg(attempt));
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            sheet.printSheet(printer);
            QVERIFY(button->isVisible());
            QVERIFY(sheet.isVisible());
            const hspring::test::PrintedPage page = hspring::test::rasterisePdf(pdf, 48);
            QVERIFY2(!page.image.isNull(), qPrintable(page.error));
            pages[attempt] = page.image;
        }
        QVERIFY(!hspring::test::inkBounds(pages[0]).isEmpty());
        QCOMPARE(pages[0], pages[1]);
    }

    // The sheet on paper: at its size on screen (96 pixels per inch), at the top-left corner of
    // the printable area, without the button.
    void printedSheetHasItsScreenSize() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
        DataSheetWindow sheet;
        sheet.fillDataSheet(knownDesign(), library(), false);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        sheet.printSheetToPdf(pdf);

        constexpr int dpi = 96; // one paper pixel per window pixel
        const hspring::test::PrintedPage page = hspring::test::rasterisePdf(pdf, dpi);
        QVERIFY2(!page.image.isNull(), qPrintable(page.error));
        QCOMPARE(page.pageCount, 1);
        const QRect printable = hspring::test::a4PrintableArea(dpi);
        const QPoint origin = printable.topLeft();
        // The grid's frame is the lowest and rightmost ink of the sheet.
        const QRect ink = hspring::test::inkBounds(page.image);
        QVERIFY(qAbs(ink.bottom() - (origin.y() + 216 + 532 - 1)) <= 1);
        QVERIFY(qAbs(ink.right() - (origin.x() + 96 + 561 - 1)) <=
                1); // a long load label may reach further
        // Nothing where the button stands on screen.
        const QRect buttonArea = QRect(24, 80, 75, 25).translated(origin);
        QVERIFY(hspring::test::inkBounds(page.image.copy(buttonArea)).isEmpty());
        // A cell of the fixed column is there, grey, at its place.
        const QRect cell = hspring::dataSheetCellRect(16, 0).translated(origin);
        QCOMPARE(QColor(page.image.pixel(cell.bottomRight() - QPoint(2, 2))),
                 QColor(238, 238, 238));
    }
};

HSPRING_WINDOW_TEST(DataSheetWindowTest)
#include "data_sheet_window_test.moc"
