// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printing/data_sheet_text.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <string>

namespace hspring {

// The spring data sheet ("要目表") as one picture, laid out in the sheet's own pixels (the window
// prinform is that size on screen, 96 per inch): on white, the figure with the six labels over
// and beside it, and below them the table of 17 rows and 4 columns with its first row and
// column fixed. The routine draws through the painter's transformation, so a scaled painter
// (printer, PDF) gets the same picture at its own resolution.
inline constexpr QSize kDataSheetSize{716, 832};
inline constexpr QPoint kDataSheetFigurePosition{192, 0};
inline constexpr std::array<QPoint, kSheetLabelCount> kDataSheetLabelPositions = {
    {{240, 16}, {240, 48}, {240, 80}, {480, 72}, {480, 104}, {40, 152}}};
inline constexpr int kDataSheetLabelPixels = 19; // font size of the labels
// The table with its one-pixel frame; the cells start inside the frame.
inline constexpr QRect kDataSheetTablePlace{96, 216, 561, 532};
inline constexpr int kDataSheetTablePixels = 13; // font size of the cells
inline constexpr int kDataSheetCellHeight = 30;
inline constexpr std::array<int, kSheetColumnCount> kDataSheetCellWidths = {64, 222, 97, 169};
// Below the table, the concerns of a design made into a sheet anyway: their heading and lines in
// red, in the largest size up to the cells' that holds them all.
inline constexpr QRect kDataSheetConcernsPlace{96, 752, 561, 78};
inline constexpr QColor kDataSheetConcernsColour{200, 0, 0};

// The colours of the table: the fixed row and column, the one-pixel grid line at the right and
// bottom of every cell, and the frame.
inline constexpr QColor kDataSheetFixedColour{238, 238, 238};
inline constexpr QColor kDataSheetGridLineColour{212, 212, 212};
inline constexpr QColor kDataSheetFrameColour{197, 197, 197};

// A cell of the table in sheet pixels, its grid line left out; empty outside the table.
QRect dataSheetCellRect(int row, int column);

// Where a label's text stands: at its position, as wide and high as the text.
QRect dataSheetLabelRect(int label, const QString& text);

// Draws the whole sheet with its top-left corner at the painter's origin. Each cell is filled
// and its text drawn on one line, centred horizontally, 2 pixels below the cell's top edge; the
// concerns, if any, under the table.
void paintDataSheet(QPainter& painter, const DataSheetTexts& texts);

// The sheet at its size on screen, as the page printed from it.
QImage renderDataSheet(const DataSheetTexts& texts);

// The printed sheet: drawn by paintDataSheet at its size on screen in inches (96 sheet pixels to
// the inch), at the top-left corner of the printable area of the page the painter is open on.
// Lines and texts reach the page as lines and text, not as a picture.
void printDataSheet(QPainter& pagePainter, const DataSheetTexts& texts);
// That page as a one-page A4 PDF written to `path` in one piece (writePdfPage).
void writeDataSheetPdf(const std::string& path, const DataSheetTexts& texts);

} // namespace hspring
