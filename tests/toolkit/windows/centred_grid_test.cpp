// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/centred_grid.h"
#include "windows_test_registry.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QVBoxLayout>

using hspring::CentredGrid;

namespace {

// The smallest rectangle of `image` inside `area` whose pixels differ from `background`.
QRect inkBounds(const QImage& image, const QRect& area, QRgb background) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// A window with a grid like the history grid (two fixed rows, one fixed column) and an edit
// field to take the focus away from it.
struct GridWindow {
    QWidget window;
    CentredGrid* grid = new CentredGrid(&window);
    QLineEdit* other = new QLineEdit(&window);

    GridWindow() {
        grid->setColumnCount(4);
        grid->setRowCount(12);
        grid->setFixedRowCount(2);
        grid->setFixedColumnCount(1);
        grid->setCellHeight(20);
        grid->setCellWidths({30, 60, 40, 50});
        grid->setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        grid->setGeometry(0, 0, 220, 150);
        other->setGeometry(0, 160, 100, 20);
        window.resize(240, 190);
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int column = 0; column < grid->columnCount(); ++column)
                grid->setCellText(row, column, QStringLiteral("%1.%2").arg(row).arg(column));
        window.show();
    }
};

} // namespace

class CentredGridTest : public QObject {
    Q_OBJECT

private slots:
    void fixedCellsKeepTheirIndicesAndColour() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QCOMPARE(w.grid->cellText(0, 2), QStringLiteral("0.2"));
        QCOMPARE(w.grid->cellText(5, 0), QStringLiteral("5.0"));
        QCOMPARE(w.grid->cellText(40, 0), QString());

        const QImage image = w.grid->grab().toImage();
        const QRect corner = w.grid->cellRect(1, 0);
        const QRect header = w.grid->cellRect(0, 3);
        const QRect rowHead = w.grid->cellRect(4, 0);
        const QRect body = w.grid->cellRect(4, 2);
        QVERIFY(!corner.isEmpty() && !header.isEmpty() && !rowHead.isEmpty() && !body.isEmpty());
        const QRgb fixed = qRgb(238, 238, 238);
        QCOMPARE(image.pixel(corner.bottomLeft() + QPoint(1, -1)), fixed);
        QCOMPARE(image.pixel(header.bottomRight() - QPoint(1, 1)), fixed);
        QCOMPARE(image.pixel(rowHead.bottomRight() - QPoint(1, 1)), fixed);
        QCOMPARE(image.pixel(body.bottomRight() - QPoint(1, 1)),
                 w.grid->palette().color(QPalette::Base).rgb());
        // Cells sit edge to edge, one grid line apart.
        QCOMPARE(w.grid->cellRect(2, 1).top(), w.grid->cellRect(1, 1).bottom() + 2);
        QCOMPARE(w.grid->cellRect(2, 1).left(), w.grid->cellRect(2, 0).right() + 2);
        QCOMPARE(body.size(), QSize(40, 20));
    }

    void fixedRowsStayWhileTheRestScrolls() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        const QRect headerBefore = w.grid->cellRect(1, 2);
        const QRect firstBefore = w.grid->cellRect(2, 2);
        w.grid->scrollToBottom();
        QApplication::processEvents();
        QCOMPARE(w.grid->cellRect(1, 2), headerBefore);
        QVERIFY(w.grid->cellRect(2, 2).isEmpty() ||
                w.grid->cellRect(2, 2).top() != firstBefore.top());
        QVERIFY(!w.grid->cellRect(11, 2).isEmpty());
        // Fixed cells cannot be selected.
        QTest::mouseClick(w.grid->viewport(), Qt::LeftButton, {},
                          w.grid->viewport()->mapFromParent(w.grid->cellRect(11, 2).center()));
        QCOMPARE(w.grid->currentRow(), 11);
        QCOMPARE(w.grid->currentColumn(), 2);
    }

    void textIsCentredTwoPixelsBelowTheTop() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        w.grid->setCellText(3, 1, QStringLiteral("8"));
        w.grid->setCellText(0, 1, QStringLiteral("8"));
        const QImage image = w.grid->grab().toImage();
        for (const QRect cell : {w.grid->cellRect(3, 1), w.grid->cellRect(0, 1)}) {
            const QRgb background = image.pixel(cell.bottomRight() - QPoint(1, 1));
            const QRect ink = inkBounds(image, cell, background);
            QVERIFY(!ink.isEmpty());
            const int leftMargin = ink.left() - cell.left();
            const int rightMargin = cell.right() - ink.right();
            QVERIFY2(
                std::abs(leftMargin - rightMargin) <= 2,
                qPrintable(QStringLiteral("margins %1 and %2").arg(leftMargin).arg(rightMargin)));
            // The glyph's top lies below the cell's top by the drop plus the font's ascent gap.
            QVERIFY(ink.top() >= cell.top() + 2);
            QVERIFY(ink.bottom() < cell.top() + 2 + QFontMetrics(w.grid->font()).height());
        }
    }

    // While the grid has the focus the selected cell is highlighted; once the focus went to
    // another control it looks like any other cell, until the grid has the focus again.
    void selectedCellIsPlainWhileUnfocused() {
        GridWindow w;
        QApplication::setActiveWindow(&w.window);
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QVERIFY(!w.grid->unfocused());
        w.grid->setFocus();
        w.grid->setCurrentCell(5, 2);
        QTRY_VERIFY(w.grid->hasFocus());
        const QRect cell = w.grid->cellRect(5, 2);
        const QPoint inside = cell.bottomRight() - QPoint(1, 1);
        const QRgb highlight = w.grid->palette().color(QPalette::Active, QPalette::Highlight).rgb();
        const QRgb base = w.grid->palette().color(QPalette::Base).rgb();
        QCOMPARE(w.grid->grab().toImage().pixel(inside), highlight);

        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        QVERIFY(w.grid->unfocused());
        QCOMPARE(w.grid->grab().toImage().pixel(inside), base);

        w.grid->setFocus();
        QTRY_VERIFY(w.grid->hasFocus());
        QVERIFY(!w.grid->unfocused());
        QCOMPARE(w.grid->grab().toImage().pixel(inside), highlight);
    }

    // A menu or another window taking the focus for a while is no leaving of the grid.
    void menusAndOtherWindowsLeaveTheFlagAlone() {
        CentredGrid grid;
        for (const Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
            QFocusEvent away(QEvent::FocusOut, reason);
            QApplication::sendEvent(&grid, &away);
            QVERIFY(!grid.unfocused());
        }
        QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&grid, &tab);
        QVERIFY(grid.unfocused());
    }

    // A grid set to look like a plain table: a narrow column widened to the header's minimum,
    // the scrolling cells drawn by the style with their items' own colours and the text centred
    // vertically, the fixed rows ruled in their own colour with a long text running over the
    // line; switching back restores the grid's rule.
    void aPlainTableLookIsKeptOnRequest() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        w.grid->setFixedColumnCount(0);
        w.grid->setCellHeight(40);
        w.grid->setCellWidths({4, 60, 40, 50});
        w.grid->setTextAlignment(Qt::AlignLeft);
        w.grid->setCellText(0, 2, QStringLiteral("WWWWWWWWWW"));
        w.grid->setCellText(2, 1, QStringLiteral("8"));
        w.grid->item(2, 2)->setBackground(QColor(Qt::red));
        const QColor blue(Qt::blue);

        auto lineColumnInks = [&](const QImage& image) {
            const QRect heading = w.grid->cellRect(0, 2);
            QSet<QRgb> colours;
            for (int y = heading.top(); y <= heading.bottom(); ++y)
                colours.insert(image.pixel(heading.right() + 1, y));
            return colours.size();
        };
        for (const bool plain : {true, false}) {
            w.grid->setHeaderMinimumWidthKept(plain);
            w.grid->setStyledCells(plain);
            w.grid->setFixedRowsLineColour(plain ? blue : QColor());
            QApplication::processEvents();
            // The style's minimum, in force while kept, is dropped again afterwards.
            const int minimum = w.grid->horizontalHeader()->minimumSectionSize();
            QCOMPARE(minimum > 5, plain);
            QCOMPARE(w.grid->cellRect(2, 0).width(), plain ? minimum - 1 : 4);
            QCOMPARE(w.grid->columnWidth(0), plain ? minimum : 5);
            QCOMPARE(w.grid->cellRect(2, 1).width(), 60);

            const QImage image = w.grid->grab().toImage();
            const QRect coloured = w.grid->cellRect(2, 2);
            const QRgb base = w.grid->palette().color(QPalette::Base).rgb();
            QCOMPARE(image.pixel(coloured.bottomRight() - QPoint(1, 1)),
                     plain ? qRgb(255, 0, 0) : base);
            const QRect unit = w.grid->cellRect(1, 1);
            QCOMPARE(image.pixel(unit.right() + 1, unit.center().y()) == blue.rgb(), plain);
            // The long heading covers part of its line only when drawn as a header section.
            QCOMPARE(lineColumnInks(image) > 1, plain);

            const QRect cell = w.grid->cellRect(2, 1);
            const QRect ink = inkBounds(image, cell, base);
            QVERIFY(!ink.isEmpty());
            QVERIFY(ink.left() - cell.left() <= 6);
            const int above = ink.top() - cell.top();
            const int below = cell.bottom() - ink.bottom();
            if (plain)
                QVERIFY2(std::abs(above - below) <= 3,
                         qPrintable(QStringLiteral("%1 above, %2 below").arg(above).arg(below)));
            else
                QVERIFY(above < below - 10);
        }
    }

    void rowsAddedLaterTakeTheLayout() {
        CentredGrid grid;
        grid.setFixedRowCount(1);
        grid.setCellHeight(30);
        grid.setColumnCount(2);
        grid.setRowCount(0);
        grid.setRowCount(5);
        QVERIFY(grid.isRowHidden(0)); // shown by the header instead
        QVERIFY(!grid.isRowHidden(1));
        QCOMPARE(grid.rowHeight(4), 31);
        grid.setCellText(4, 1, QStringLiteral("x"));
        grid.setCellText(9, 1, QStringLiteral("ignored"));
        QCOMPARE(grid.cellText(4, 1), QStringLiteral("x"));
        QCOMPARE(grid.rowCount(), 5);
    }
};

HSPRING_WINDOW_TEST(CentredGridTest)
#include "centred_grid_test.moc"
