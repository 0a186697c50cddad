// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "printing/windows/window_print.h"
#include "tests/support/printed_page.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/windows/error_text.h"
#include "toolkit/windows/picture_view.h"
#include "windows_test_registry.h"

#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

using hspring::PrintScaling;

namespace {

const QColor kClientColour(40, 120, 60);
const QColor kMenuColour(200, 30, 30);

// A window painted in one colour all over.
QWidget* solidWidget(const QColor& colour, QWidget* parent = nullptr) {
    auto* widget = new QWidget(parent);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    return widget;
}

bool near(int actual, int expected) {
    return qAbs(actual - expected) <= 1;
}

} // namespace

class WindowPrintTest : public QObject {
    Q_OBJECT

private slots:
    // A landscape main window on a portrait page spans the printable width, keeps its aspect
    // ratio and starts at the printable area's top-left corner; its menu bar is not printed.
    void mainWindowFitsThePageWidth() {
        QMainWindow window;
        QMenuBar* menu = window.menuBar();
        menu->addMenu(QStringLiteral("ファイル　　"));
        QPalette red = menu->palette();
        red.setColor(QPalette::Window, kMenuColour);
        red.setColor(QPalette::Button, kMenuColour);
        menu->setPalette(red);
        menu->setAutoFillBackground(true);
        window.setCentralWidget(solidWidget(kClientColour));
        window.resize(824, 780);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize client = window.centralWidget()->size();

        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("main.pdf"));
        hspring::printWindowImageToPdf(window, PrintScaling::FitToPage, pdf);

        constexpr int dpi = 60;
        const hspring::test::PrintedPage page = hspring::test::rasterisePdf(pdf, dpi);
        QVERIFY2(!page.image.isNull(), qPrintable(page.error));
        QCOMPARE(page.pageCount, 1);
        const QRect printable = hspring::test::a4PrintableArea(dpi);
        const QRect ink = hspring::test::inkBounds(page.image);
        QVERIFY(near(ink.left(), printable.left()));
        QVERIFY(near(ink.top(), printable.top()));
        QVERIFY(near(ink.width(), printable.width()));
        QVERIFY(near(ink.height(), printable.width() * client.height() / client.width()));
        QVERIFY(ink.bottom() < printable.bottom() - 100); // the lower part of the page is empty
        const QColor topLeft = page.image.pixel(ink.topLeft() + QPoint(2, 2));
        QVERIFY2(qAbs(topLeft.red() - kClientColour.red()) < 10,
                 qPrintable(topLeft.name())); // the client area, not the menu bar
    }

    // Proportional: the window keeps its size in inches whatever the printer's resolution.
    void proportionalKeepsTheScreenSize() {
        QWidget* widget = solidWidget(kClientColour);
        const std::unique_ptr<QWidget> owner(widget);
        widget->resize(300, 150);
        QTemporaryDir folder;
        for (const int resolution : {600, 1200}) {
            const QString pdf = folder.filePath(QStringLiteral("p%1.pdf").arg(resolution));
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(resolution);
            hspring::printWindowImage(*widget, PrintScaling::Proportional, printer);

            constexpr int dpi = 96; // one paper pixel per window pixel
            const hspring::test::PrintedPage page = hspring::test::rasterisePdf(pdf, dpi);
            QVERIFY2(!page.image.isNull(), qPrintable(page.error));
            const QRect ink = hspring::test::inkBounds(page.image);
            QVERIFY2(near(ink.width(), 300) && near(ink.height(), 150),
                     qPrintable(QStringLiteral("%1 dpi: %2 x %3")
                                    .arg(resolution)
                                    .arg(ink.width())
                                    .arg(ink.height())));
        }
    }

    // The widgets paint themselves onto the page, on a printer as in a PDF file: their texts
    // stay text (a picture view's drawing included), not a screen grab, and the window keeps
    // its size in inches.
    void windowReachesThePageAsText() {
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("ファイル　　"));
        QWidget* client = solidWidget(Qt::white);
        window.setCentralWidget(client);
        auto* label = new QLabel(QStringLiteral("材質 SW-A 490.3"), client);
        label->move(10, 10);
        label->adjustSize();
        auto* view = new hspring::PictureView(QSize(200, 60), QStringLiteral("view"),
                                              QStringLiteral("view"), client);
        view->move(10, 40);
        const auto drawing = [](QPainter& painter) {
            painter.fillRect(QRect(0, 0, 200, 60), Qt::white);
            painter.setFont(hspring::windowFont(14));
            painter.drawText(QPoint(10, 30), QStringLiteral("コイル部"));
        };
        QImage shown(200, 60, QImage::Format_RGB32);
        QPainter onScreen(&shown);
        drawing(onScreen);
        onScreen.end();
        view->showPicture(shown, drawing);
        window.resize(300, 150);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize clientSize = window.centralWidget()->size();

        QTemporaryDir folder;
        const QString printed = folder.filePath(QStringLiteral("printer.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        hspring::printWindowImage(window, PrintScaling::Proportional, printer);
        const QString written = folder.filePath(QStringLiteral("writer.pdf"));
        hspring::printWindowImageToPdf(window, PrintScaling::Proportional, written);

        for (const QString& pdf : {printed, written}) {
            const QString text = hspring::test::pdfText(pdf);
            QVERIFY2(text.contains(QStringLiteral("材質 SW-A 490.3")) &&
                         text.contains(QStringLiteral("コイル部")),
                     qPrintable(pdf + ": " + text));
            QVERIFY(!text.contains(QStringLiteral("ファイル"))); // the menu bar stays off paper
            const hspring::test::PrintedPage page = hspring::test::rasterisePdf(pdf, 96);
            QVERIFY2(!page.image.isNull(), qPrintable(page.error));
            const QRect ink = hspring::test::inkBounds(page.image);
            const QPoint origin = hspring::test::a4PrintableArea(96).topLeft();
            QVERIFY2(near(ink.left(), origin.x() + 10) && near(ink.top(), origin.y() + 10) &&
                         ink.bottom() <= origin.y() + clientSize.height(),
                     qPrintable(pdf));
        }
    }

    // A PDF that cannot be written fails with the file error and leaves nothing behind.
    void unwritablePdfFails() {
        QWidget* widget = solidWidget(kClientColour);
        const std::unique_ptr<QWidget> owner(widget);
        widget->resize(100, 100);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("missing/sheet.pdf"));
        try {
            hspring::printWindowImageToPdf(*widget, PrintScaling::FitToPage, pdf);
            QFAIL("no error");
        } catch (const hspring::Error& error) {
            QVERIFY(hspring::errorText(error).contains(QStringLiteral("を作成できません")));
        }
        QVERIFY(!QFile::exists(pdf));
    }
};

HSPRING_WINDOW_TEST(WindowPrintTest)
#include "window_print_test.moc"
