// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/grid_text.h"

#include <algorithm>

namespace hspring {

std::string gridText(int rowCount, int columnCount, const GridCellText& cellText, int left, int top,
                     int right, int bottom) {
    if (left > right || bottom < top || right < 0 || bottom < 0 || left >= columnCount ||
        top >= rowCount)
        return {};
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, columnCount - 1);
    bottom = std::min(bottom, rowCount - 1);
    if (left > right || top > bottom) // a grid without rows or columns
        return {};
    std::string text;
    for (int row = top; row <= bottom; ++row) {
        for (int column = left; column < right; ++column) {
            text += cellText(row, column);
            text += '\t';
        }
        text += cellText(row, right);
        text += "\r\n";
    }
    return text;
}

} // namespace hspring
