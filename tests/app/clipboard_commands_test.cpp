// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history_rows.h"
#include "app/windows/clipboard_commands.h"
#include "diagram/windows/diagram_view.h"
#include "toolkit/windows/centred_grid.h"
#include "windows_test_registry.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QTest>

using namespace hspring;

namespace {

// The history grid as it stands after start: header rows and slot numbers, slots empty.
void fillLikeStartUp(CentredGrid& grid) {
    grid.setColumnCount(kHistoryColumnCount);
    grid.setRowCount(kHistoryRowCount);
    for (int column = 0; column < kHistoryColumnCount; ++column) {
        grid.setCellText(0, column, QString::fromUtf8(kHistoryItemNames[column]));
        grid.setCellText(1, column, QString::fromUtf8(kHistoryUnits[column]));
    }
    for (int slot = 1; slot <= 30; ++slot)
        grid.setCellText(historyRowOfSlot(slot), 0, QString::number(slot));
}

} // namespace

class ClipboardCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void gridCopyPutsTheShownCellsOnTheClipboard() {
        CentredGrid grid;
        fillLikeStartUp(grid);
        grid.setCellText(historyRowOfSlot(2), 1, QStringLiteral("ＳＷＰ－Ａ"));
        grid.setCellText(historyRowOfSlot(2), 13, QStringLiteral("1000万"));

        copyGridToClipboard(grid, 0, 0, 14, 31);

        const QStringList lines =
            QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 33); // 32 lines, each ended by CR LF
        QCOMPARE(lines[0], QStringLiteral("項目\t材質\t線径\tｺｲﾙ径\t巻数(N)\t自由長(L)\t荷重(P1)\t"
                                          "荷重(P2)\t長さ(L1)\t長さ(L2)\tばね定数\tねじり応力\t"
                                          "許容ねじり応力\t寿命\t初張力"));
        QCOMPARE(lines[1], QStringLiteral("単位\t\tmm\tmm\t巻\tmm\tkgf\tkgf\tmm\tmm\tkgf/mm\t"
                                          "kgf/mm^2\tkgf/mm^2\t回数\tkgf"));
        QCOMPARE(lines[2], QStringLiteral("1") + QString(14, QLatin1Char('\t')));
        QCOMPARE(lines[3], QStringLiteral("2\tＳＷＰ－Ａ") + QString(11, QLatin1Char('\t')) +
                               QStringLiteral("\t1000万\t"));
        QCOMPARE(lines[31], QStringLiteral("30") + QString(14, QLatin1Char('\t')));
        QCOMPARE(lines[32], QString());
    }

    void gridCopyOfAnInvalidRectangleEmptiesTheClipboard() {
        CentredGrid grid;
        fillLikeStartUp(grid);
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
        copyGridToClipboard(grid, 5, 0, 4, 31);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    }

    void diagramCopyRoundTripsAsTheSamePicture() {
        DiagramView view;
        view.showDiagram(0.4, 0.2, 1.25);
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));

        copyDiagramToClipboard(view);

        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), QSize(400, 417));
        QCOMPARE(copied.convertToFormat(view.image().format()), view.image());
    }

    // The copy is the picture last drawn; copying again without a redraw gives the same one.
    void diagramCopyBeforeAnyDrawingIsThePictureShown() {
        DiagramView view;
        copyDiagramToClipboard(view);
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(view.image().format()),
                 view.image());
    }
};

HSPRING_WINDOW_TEST(ClipboardCommandsTest)
#include "clipboard_commands_test.moc"
