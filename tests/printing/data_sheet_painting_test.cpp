// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/painting/data_sheet_figure.h"
#include "printing/painting/data_sheet_painting.h"

#include <QImage>
#include <QTransform>
#include <gtest/gtest.h>

namespace hspring {
namespace {

DataSheetTexts sampleTexts() {
    DataSheetTexts texts;
    for (int row = 0; row < kSheetRowCount; ++row)
        for (int column = 0; column < kSheetColumnCount; ++column)
            texts.cells[row][column] = row == 0 && column == 3 ? "" : "88";
    for (int i = 0; i < kSheetLabelCount; ++i)
        texts.labels[i] = "Ｌ２　= 52mm";
    return texts;
}

bool hasInk(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

// The table: seventeen rows of 30 pixels and the four column widths, each cell followed by its
// grid line, the whole inside a one-pixel frame with nothing needing to scroll.
TEST(DataSheetPainting, CellsTileTheTableInsideItsFrame) {
    int left = kDataSheetTablePlace.left() + 1;
    for (int column = 0; column < kSheetColumnCount; ++column) {
        for (int row = 0; row < kSheetRowCount; ++row) {
            const QRect cell = dataSheetCellRect(row, column);
            EXPECT_EQ(cell, QRect(left, kDataSheetTablePlace.top() + 1 + row * 31,
                                  kDataSheetCellWidths[column], 30));
            EXPECT_TRUE(kDataSheetTablePlace.adjusted(1, 1, -1, -1).contains(cell));
        }
        left += kDataSheetCellWidths[column] + 1;
    }
    EXPECT_TRUE(dataSheetCellRect(17, 0).isEmpty());
    EXPECT_TRUE(dataSheetCellRect(0, -1).isEmpty());
}

TEST(DataSheetPainting, PaintsFigureLabelsAndTableAtTheirPlaces) {
    const QImage sheet = renderDataSheet(sampleTexts());
    ASSERT_EQ(sheet.size(), kDataSheetSize);

    // The figure exactly as its own routine draws it (the labels, which stand over it, left out).
    QImage figure(kDataSheetFigureSize, QImage::Format_RGB32);
    QPainter painter(&figure);
    paintDataSheetFigure(painter);
    painter.end();
    DataSheetTexts withoutLabels = sampleTexts();
    withoutLabels.labels = {};
    EXPECT_EQ(
        renderDataSheet(withoutLabels).copy(QRect(kDataSheetFigurePosition, kDataSheetFigureSize)),
        figure);

    // Each label's text stands at its place, in the 19-pixel face; Label6 left of the figure.
    for (int i = 0; i < kSheetLabelCount; ++i) {
        const QRect label = dataSheetLabelRect(i, QStringLiteral("Ｌ２　= 52mm"));
        EXPECT_EQ(label.topLeft(), kDataSheetLabelPositions[i]);
        EXPECT_GE(label.height(), 19);
        EXPECT_TRUE(hasInk(sheet, label)) << "label " << i;
    }
    EXPECT_FALSE(hasInk(sheet, QRect(0, 0, 190, 150)));

    // Frame, fixed cells, grid lines, the white cells and the texts in them.
    const QRect table = kDataSheetTablePlace;
    EXPECT_EQ(QColor(sheet.pixel(table.topLeft())), kDataSheetFrameColour);
    EXPECT_EQ(QColor(sheet.pixel(table.bottomRight())), kDataSheetFrameColour);
    const QRect fixedCell = dataSheetCellRect(16, 0);
    EXPECT_EQ(QColor(sheet.pixel(fixedCell.bottomRight() - QPoint(2, 2))), kDataSheetFixedColour);
    EXPECT_EQ(QColor(sheet.pixel(fixedCell.bottomRight() + QPoint(1, 0))),
              kDataSheetGridLineColour);
    const QRect valueCell = dataSheetCellRect(5, 3);
    EXPECT_EQ(QColor(sheet.pixel(valueCell.bottomLeft() + QPoint(2, -2))), QColor(Qt::white));
    EXPECT_EQ(QColor(sheet.pixel(valueCell.bottomLeft() + QPoint(2, 1))), kDataSheetGridLineColour);
    for (const QRect& cell : {valueCell, fixedCell, dataSheetCellRect(0, 1)}) {
        // Centred, from 2 pixels below the top edge: ink in the middle third, none at the sides.
        EXPECT_TRUE(hasInk(sheet, cell.adjusted(cell.width() / 3, 2, -cell.width() / 3, 0)));
        EXPECT_FALSE(hasInk(sheet, cell.adjusted(0, 0, -cell.width() * 2 / 3, 0)));
        EXPECT_FALSE(hasInk(sheet, QRect(cell.left(), cell.top(), cell.width(), 2)));
    }
    EXPECT_FALSE(hasInk(sheet, dataSheetCellRect(0, 3)));
}

// Drawn through a scaled painter (a printer's), the same picture comes out at that scale.
TEST(DataSheetPainting, ScaledPainterGetsTheSamePicture) {
    const DataSheetTexts texts = sampleTexts();
    QImage large(kDataSheetSize * 3, QImage::Format_RGB32);
    QPainter painter(&large);
    painter.scale(3, 3);
    paintDataSheet(painter, texts);
    painter.end();
    const QImage reduced =
        large.scaled(kDataSheetSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage direct = renderDataSheet(texts);
    // The frame and the grid lines fall on the same sheet pixels; text differs only in its
    // smoothing.
    for (const QPoint at : {kDataSheetTablePlace.topLeft() + QPoint(5, 0),
                            dataSheetCellRect(3, 2).bottomLeft() + QPoint(5, 1),
                            dataSheetCellRect(16, 0).center() + QPoint(0, 10)})
        EXPECT_LE(qAbs(qGray(reduced.pixel(at)) - qGray(direct.pixel(at))), 8)
            << at.x() << "," << at.y();
    EXPECT_TRUE(hasInk(reduced, dataSheetLabelRect(0, QString::fromStdString(texts.labels[0]))));
}

} // namespace
} // namespace hspring
