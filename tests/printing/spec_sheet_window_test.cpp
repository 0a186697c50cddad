#include "printed_page.h"
#include "printing/print_errors.h"
#include "printing/spec_sheet_text.h"
#include "printing/windows/spec_sheet_window.h"
#include "printing/windows/window_print.h"
#include "support/modal_dialogs.h"
#include "toolkit/windows/centred_grid.h"
#include "windows_test_registry.h"

#include <QApplication>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using hspring::SpecSheetWindow;

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

// A PDF printer that reports when the page is being painted.
class ObservedPrinter : public QPrinter {
public:
    explicit ObservedPrinter(const QString& file) : QPrinter(QPrinter::HighResolution) {
        setOutputFormat(QPrinter::PdfFormat);
        setOutputFileName(file);
    }
    std::function<void()> onPaint;

    QPaintEngine* paintEngine() const override {
        if (onPaint)
            onPaint();
        return QPrinter::paintEngine();
    }
};

} // namespace

class SpecSheetWindowTest : public QObject {
    Q_OBJECT

private slots:
    void layoutOfTheWindow() {
        SpecSheetWindow sheet;
        QCOMPARE(sheet.objectName(), QStringLiteral("prinform"));
        QCOMPARE(sheet.windowTitle(), QStringLiteral("prinform"));
        QCOMPARE(sheet.size(), QSize(716, 832));
        QCOMPARE(sheet.palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(sheet.findChild<QWidget*>("Image1")->geometry(), QRect(192, 0, 369, 209));
        auto* grid = sheet.findChild<hspring::CentredGrid*>("sg1");
        QCOMPARE(grid->geometry(), QRect(96, 216, 561, 532));
        QCOMPARE(grid->rowCount(), 17);
        QCOMPARE(grid->columnCount(), 4);
        QCOMPARE(grid->fixedRowCount(), 1);
        QCOMPARE(grid->fixedColumnCount(), 1);
        QCOMPARE(grid->font().pixelSize(), 13);
        auto* button = sheet.findChild<QPushButton*>("Button1");
        QCOMPARE(button->text(), QStringLiteral("プリント"));
        QCOMPARE(button->geometry(), QRect(24, 80, 75, 25));

        // Every row shows in full: the grid needs no scrolling.
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        const QList<int> widths = {64, 222, 97, 169};
        for (int row = 0; row < 17; ++row)
            for (int column = 0; column < 4; ++column) {
                const QRect cell = grid->cellRect(row, column);
                QCOMPARE(cell.size(), QSize(widths[column], 30));
                QVERIFY(grid->rect().contains(cell));
            }
    }

    void fillsCellsAndLabelsFromTheDesign() {
        SpecSheetWindow sheet;
        sheet.fillSpecSheet(knownDesign(), library(), false);
        auto* grid = sheet.findChild<hspring::CentredGrid*>("sg1");
        QCOMPARE(grid->cellText(0, 1), QStringLiteral(" 項目"));
        QCOMPARE(grid->cellText(1, 0), QStringLiteral("    1"));
        QCOMPARE(grid->cellText(1, 3), QStringLiteral("ＳＷＰ－Ａ"));
        QCOMPARE(grid->cellText(7, 3), QStringLiteral("右"));
        QCOMPARE(grid->cellText(8, 2), QStringLiteral(" mm"));
        QCOMPARE(grid->cellText(8, 3), QStringLiteral("39mm"));
        QCOMPARE(grid->cellText(9, 3), QStringLiteral("9.807"));
        QCOMPARE(grid->cellText(14, 3), QStringLiteral("490.3"));
        const auto label = [&](const char* name) { return sheet.findChild<QLabel*>(name)->text(); };
        QCOMPARE(label("Label1"), QStringLiteral("Ｌ２　= 52mm"));
        QCOMPARE(label("Label3"), QStringLiteral("自由長= 39mm"));
        QCOMPARE(label("Label4"), QStringLiteral("Ｐ２　= 490.4N"));
        QCOMPARE(label("Label5"), QStringLiteral("Ｐ１　= 98.07N"));
        QCOMPARE(label("Label6"), QStringLiteral("平均径　= 10.8mm"));
        QCOMPARE(sheet.findChild<QLabel*>("Label4")->font().pixelSize(), 19);
        QCOMPARE(sheet.findChild<QLabel*>("Label4")->pos(), QPoint(480, 72));

        // Each opening overwrites what the last one showed.
        hspring::SpringDesign other = knownDesign();
        other.materialIndex = 40;
        other.load2 = 1;
        sheet.fillSpecSheet(other, library(), true);
        QCOMPARE(grid->cellText(1, 3), QString::fromUtf8(hspring::kUnknownMaterialText));
        QCOMPARE(grid->cellText(7, 3), QStringLiteral("左"));
        QCOMPARE(grid->cellText(14, 3), QStringLiteral("9.807"));
        QCOMPARE(label("Label4"), QStringLiteral("Ｐ２　= 9.807N"));
    }

    // With no printer the error box says so; the sheet stays open with its button.
    void noPrinterKeepsTheSheetOpen() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this desktop has a default printer");
        SpecSheetWindow sheet;
        sheet.fillSpecSheet(knownDesign(), library(), false);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        auto* button = sheet.findChild<QPushButton*>("Button1");
        for (int attempt = 0; attempt < 2; ++attempt) {
            const auto box = hspring::test::answerNextMessageBox(QMessageBox::Ok);
            button->click();
            QVERIFY(box->seen);
            QCOMPARE(box->text, QString::fromUtf8(hspring::noPrinterError().what()));
            QVERIFY(sheet.isVisible());
            QVERIFY(button->isVisible());
        }
        QVERIFY_THROWS_EXCEPTION(hspring::Error, hspring::openDefaultPrinter());
    }

    // A cell the user selected is highlighted on screen, but once "プリント" has taken the focus
    // the sheet shows, and prints, no highlighted cell.
    void selectedCellIsNotPrintedHighlighted() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("this desktop has a default printer");
        SpecSheetWindow sheet;
        sheet.fillSpecSheet(knownDesign(), library(), false);
        sheet.show();
        QApplication::setActiveWindow(&sheet);
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        auto* grid = sheet.findChild<hspring::CentredGrid*>("sg1");
        const QRect cell = grid->cellRect(5, 3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->viewport()->mapFrom(grid, cell.center()));
        QCOMPARE(grid->currentRow(), 5);
        const QPoint blank = cell.topLeft() + QPoint(3, cell.height() - 3);
        const QColor highlight = grid->palette().color(QPalette::Active, QPalette::Highlight);
        QCOMPARE(grid->grab().toImage().pixelColor(blank), highlight);

        const auto box = hspring::test::answerNextMessageBox(QMessageBox::Ok);
        QTest::mouseClick(sheet.findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QTRY_VERIFY(box->seen);
        QVERIFY(grid->unfocused());

        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
        sheet.printSheetToPdf(pdf);
        const hspring::test::PrintedPage page = hspring::test::rasterisePdf(pdf, 96);
        QVERIFY2(!page.image.isNull(), qPrintable(page.error));
        const QPoint onPaper = hspring::test::a4PrintableArea(96).topLeft() + grid->pos() + blank;
        QCOMPARE(page.image.pixelColor(onPaper), QColor(Qt::white));
    }

    // The button is hidden while the page is painted and visible again afterwards; the window
    // stays open, and printing twice works.
    void buttonIsHiddenOnlyWhilePrinting() {
        QTemporaryDir folder;
        SpecSheetWindow sheet;
        sheet.fillSpecSheet(knownDesign(), library(), false);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        auto* button = sheet.findChild<QPushButton*>("Button1");
        for (int attempt = 0; attempt < 2; ++attempt) {
            ObservedPrinter printer(folder.filePath(QStringLiteral("sheet%1.pdf").arg(attempt)));
            int paints = 0;
            bool buttonShownWhilePainting = false;
            printer.onPaint = [&] {
                ++paints;
                buttonShownWhilePainting |= button->isVisible();
            };
            sheet.printSheet(printer);
            QVERIFY(paints > 0);
            QVERIFY(!buttonShownWhilePainting);
            QVERIFY(button->isVisible());
            QVERIFY(sheet.isVisible());
        }
    }

    // The sheet on paper: at its size on screen (96 pixels per inch), at the top-left corner of
    // the printable area, without the button.
    void printedSheetHasItsScreenSize() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
        SpecSheetWindow sheet;
        sheet.fillSpecSheet(knownDesign(), library(), false);
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
        const auto* grid = sheet.findChild<hspring::CentredGrid*>("sg1");
        const QRect cell = grid->cellRect(16, 0).translated(grid->pos() + origin);
        QCOMPARE(QColor(page.image.pixel(cell.bottomRight() - QPoint(2, 2))),
                 QColor(238, 238, 238));
    }
};

HSPRING_WINDOW_TEST(SpecSheetWindowTest)
#include "spec_sheet_window_test.moc"
