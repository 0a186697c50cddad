// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/detail_page_text.h"
#include "toolkit/painting/print_header.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QSize>

namespace hspring {

// The detail page ("＜ 詳細計算 ＞") as one picture in the lower page control's pixels: the
// stress table at the top left, the force table below it and the hook table at the right, each
// a grid of one-pixel lines with its header rows and its caption column filled like the history
// grid's fixed cells. The right edge is left free for the page's buttons. The routine paints no
// background of its own and draws through the painter's transformation, so a scaled painter
// (printer, PDF) gets the same picture at its own resolution.
inline constexpr QSize kDetailPageSize{793, 366};
inline constexpr int kDetailPageFontPixels = 12;
inline constexpr int kDetailRowHeight = 13;
// Where the buttons of the page go: right of the tables.
inline constexpr int kDetailPageButtonsLeft = 704;

inline constexpr QColor kDetailFixedColour{238, 238, 238};
inline constexpr QColor kDetailGridLineColour{197, 197, 197};
// Over-limit rows: the program's colour for errors.
inline constexpr QColor kDetailOverLimitColour{0, 0, 255};

// A cell of a table in page pixels, without its grid line; `row` counts the header rows first.
// Empty outside the table.
QRect detailPageCellRect(const DetailPageTexts& texts, int tableIndex, int row, int column);

// Draws the three tables with the page's top-left corner at the painter's origin.
void paintDetailPage(QPainter& painter, const DetailPageTexts& texts);

// The printed page: the header naming the design, then the picture as wide as the printable area
// of the page the painter is open on (its aspect kept), drawn as lines and text.
void printDetailPage(QPainter& pagePainter, const DetailPageTexts& texts,
                     const PrintHeader& header = {});

} // namespace hspring
