// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace hspring {

// The text of a cell of a string grid, by row and column.
using GridCellText = std::function<std::string(int row, int column)>;

// The clipboard text of the cells from (left, top) to (right, bottom) inclusive of a grid with
// rowCount rows and columnCount columns, as spreadsheets read it: the cells of a row joined by
// TAB, every row ended by CR LF (the last one too), cell texts as they are, empty cells as
// nothing. A rectangle reaching beyond the grid is cut to it; one with left > right or
// bottom < top, or lying wholly before the first or after the last row or column, gives the
// empty text.
std::string gridText(int rowCount, int columnCount, const GridCellText& cellText, int left, int top,
                     int right, int bottom);

} // namespace hspring
