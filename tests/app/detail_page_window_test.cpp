// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/detail_page.h"
#include "calc/design_caption.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/printed_page.h"
#include "windows_test_registry.h"

#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>

using namespace hspring;
using namespace hspring::test;

namespace {

QString cell(const DetailPage& page, int table, const char* caption, int column) {
    for (const DetailRow& row : page.texts().tables[std::size_t(table)].rows)
        if (row.cells.front() == caption)
            return QString::fromStdString(row.cells[std::size_t(column)]);
    return QStringLiteral("<no row>");
}

QString pageText(const DetailPage& page) {
    return QString::fromStdString(detailPageClipboardText(page.texts()));
}

} // namespace

class DetailPageWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The page follows the design shown: after 計算, after a recall from the history, and after
    // the other hook tab is chosen. "コピー" puts its text on the clipboard; "PDFに保存" (also on
    // the context menu) writes the printed page, as wide as the printable area.
    void followsTheDesignShownAndCopiesAndSavesIt() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        auto* pages = w.control<QTabWidget>("PageControl1");
        auto* page = w.control<DetailPage>("DetailPage");
        QCOMPARE(pages->tabText(2), QStringLiteral("＜ 詳細計算 ＞"));
        pages->setCurrentIndex(2);
        QTRY_VERIFY(page->isVisible());
        // Taller than the tab, the page scrolls; its buttons stay clear of the scroll bar.
        const QWidget* tabArea = pages->findChild<QStackedWidget*>();
        const auto* scroll = w.control<QScrollArea>("DetailScroll");
        QVERIFY(QRect(QPoint(0, 0), tabArea->size()).contains(scroll->geometry()));
        const auto* pdfButton = w.control<QPushButton>("DetailPdfButton");
        QVERIFY(pdfButton->geometry().right() < scroll->viewport()->width());
        // Before the first 計算 the page shows no values.
        QCOMPARE(cell(*page, kDetailForceTable, "バネ定数", 1), QStringLiteral("－"));

        w.clickButton("BitBtn2");
        QCOMPARE(cell(*page, kDetailStressTable, "コイルねじり応力（荷重２）", 1), w.text("Edit9"));
        QCOMPARE(cell(*page, kDetailForceTable, "バネ定数", 1), w.text("Edit8"));
        QCOMPARE(cell(*page, kDetailHookTable, "期待寿命（コイル）", 1), w.text("Edit10"));
        w.clickButton("SpeedButton5"); // into slot 1
        const QString stored = pageText(*page);
        typeInto(w.edit("Edit19"), QStringLiteral("30"));
        w.clickButton("BitBtn2");
        QCOMPARE(cell(*page, kDetailStressTable, "コイルねじり応力（荷重２）", 1), w.text("Edit9"));
        QVERIFY(pageText(*page) != stored);
        w.clickButton("SpeedButton6"); // slot 1 back
        QCOMPARE(pageText(*page), stored);

        // The U hook of the shape page's fields, bend radius 3: C2 = 7, K2 = 27/24.
        QCOMPARE(w.text("Edit13"), QStringLiteral("3"));
        auto* hookPages = w.control<QTabWidget>("PageControl2");
        hookPages->setCurrentIndex(1);
        QCOMPARE(cell(*page, kDetailHookTable, "フック形状", 1), QStringLiteral("Ｕフック"));
        QCOMPARE(cell(*page, kDetailHookTable, "フックねじり修正係数（Ｋ２）", 1),
                 QStringLiteral("1.125"));
        hookPages->setCurrentIndex(0);
        QCOMPARE(pageText(*page), stored);

        QGuiApplication::clipboard()->clear();
        w.clickButton("DetailCopyButton");
        QCOMPARE(QGuiApplication::clipboard()->text(), stored);
        const QString pdf = folder.file(QStringLiteral("detail.pdf"));
        const auto dialog = answerNextFileDialog(pdf);
        w.triggerMenu("DetailPdfItem");
        const PrintedPage printed = rasterisePdf(pdf, 48);
        QVERIFY2(!printed.image.isNull(), qPrintable(printed.error));
        const QRect area = a4PrintableArea(48);
        const QRect ink = inkBounds(printed.image);
        QVERIFY(qAbs(ink.left() - area.left()) <= 1 && qAbs(ink.top() - area.top()) <= 2);
        // The header names the design (no part name yet: its material and d × D × N) and the
        // day; no file is open, so no file name.
        const QString caption =
            QString::fromStdString(designCaption(w.state.current(), w.state.materials));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(caption) &&
                     text.contains(QDate::currentDate().toString(Qt::ISODate)),
                 qPrintable(caption + "\n" + text));

        // "プリント" with no printer installed offers the same page as a PDF file.
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("this desktop has a printer");
        const auto offered = acceptNextFileDialogIn(folder.path());
        w.clickButton("DetailPrintButton");
        QVERIFY(offered->seen);
        QCOMPARE(offered->text, folder.file(QString::fromStdString(designFileStem(
                                                w.state.current(), w.state.materials)) +
                                            QStringLiteral("_detail.pdf")));
        QCOMPARE(rasterisePdf(offered->text, 48).image, printed.image);
        QVERIFY(pdfText(offered->text).contains(QStringLiteral("バネ定数")));
    }
};

HSPRING_WINDOW_TEST(DetailPageWindowTest)
#include "detail_page_window_test.moc"
