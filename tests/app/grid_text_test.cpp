// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/grid_text.h"
#include "app/history_rows.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <utility>

namespace hspring {
namespace {

// A string grid of cells, empty where nothing was written.
class Grid {
public:
    Grid(int rows, int columns) : rows_(rows), columns_(columns) {}

    void set(int row, int column, std::string text) { cells_[{row, column}] = std::move(text); }

    std::string text(int left, int top, int right, int bottom) const {
        return gridText(
            rows_, columns_, [this](int row, int column) { return cell(row, column); }, left, top,
            right, bottom);
    }

private:
    std::string cell(int row, int column) const {
        // Reading outside the grid would be a fault of gridText.
        EXPECT_TRUE(row >= 0 && row < rows_ && column >= 0 && column < columns_)
            << "cell " << row << ", " << column;
        const auto found = cells_.find({row, column});
        return found == cells_.end() ? std::string() : found->second;
    }

    int rows_;
    int columns_;
    std::map<std::pair<int, int>, std::string> cells_;
};

// The history grid as the program shows it right after start: the two header rows and the slot
// numbers 1..30, every slot empty.
Grid startUpHistoryGrid() {
    Grid grid(kHistoryRowCount, kHistoryColumnCount);
    for (int column = 0; column < kHistoryColumnCount; ++column) {
        grid.set(0, column, std::string(kHistoryItemNames[column]));
        grid.set(1, column, std::string(kHistoryUnits[column]));
    }
    for (int slot = 1; slot <= 30; ++slot)
        grid.set(historyRowOfSlot(slot), 0, std::to_string(slot));
    return grid;
}

const std::string kHeaderLines =
    "項目\t材質\t線径\tｺｲﾙ径\t巻数(N)\t自由長(L)\t荷重(P1)\t荷重(P2)\t長さ(L1)\t長さ(L2)\t"
    "ばね定数\tねじり応力\t許容ねじり応力\t寿命\t初張力\r\n"
    "単位\t\tmm\tmm\t巻\tmm\tkgf\tkgf\tmm\tmm\tkgf/mm\tkgf/mm^2\tkgf/mm^2\t回数\tkgf\r\n";

std::string emptySlotLine(int slot) {
    return std::to_string(slot) + std::string(14, '\t') + "\r\n";
}

TEST(GridText, HistoryGridRightAfterStart) {
    std::string expected = kHeaderLines;
    for (int slot = 1; slot <= 30; ++slot)
        expected += emptySlotLine(slot);
    EXPECT_EQ(startUpHistoryGrid().text(0, 0, 14, 31), expected);
}

TEST(GridText, StoredSlotAppearsInItsRowAsShown) {
    Grid grid = startUpHistoryGrid();
    const char* const slotTwo[] = {"ＳＷＰ－Ａ", "1",     "10",     "20",     "39",
                                   "0.1223",     "0.4",   "45",     "50",     "0.02745",
                                   "32.49",      "51.21", "1000万", "0.01234"};
    for (int column = 1; column < kHistoryColumnCount; ++column)
        grid.set(historyRowOfSlot(2), column, slotTwo[column - 1]);

    std::string expected = kHeaderLines + emptySlotLine(1) +
                           "2\tＳＷＰ－Ａ\t1\t10\t20\t39\t0.1223\t0.4\t45\t50\t0.02745\t32.49\t"
                           "51.21\t1000万\t0.01234\r\n";
    for (int slot = 3; slot <= 30; ++slot)
        expected += emptySlotLine(slot);
    EXPECT_EQ(grid.text(0, 0, 14, 31), expected);
}

TEST(GridText, RectangleOutsideTheGridGivesTheEmptyText) {
    const Grid grid = startUpHistoryGrid();
    EXPECT_EQ(grid.text(5, 0, 4, 31), "");   // left > right
    EXPECT_EQ(grid.text(0, 10, 14, 9), "");  // bottom < top
    EXPECT_EQ(grid.text(-3, 0, -1, 31), ""); // right < 0
    EXPECT_EQ(grid.text(0, -3, 14, -1), ""); // bottom < 0
    EXPECT_EQ(grid.text(15, 0, 20, 31), ""); // left at or beyond the last column
    EXPECT_EQ(grid.text(0, 32, 14, 40), ""); // top at or beyond the last row
}

TEST(GridText, RectangleReachingBeyondTheGridIsCutToIt) {
    const Grid grid = startUpHistoryGrid();
    EXPECT_EQ(grid.text(-5, -5, 99, 99), grid.text(0, 0, 14, 31));
    EXPECT_EQ(grid.text(14, 31, 14, 31), "\r\n");
    EXPECT_EQ(grid.text(0, 31, 0, 99), "30\r\n");
    EXPECT_EQ(grid.text(1, -1, 3, 1), "材質\t線径\tｺｲﾙ径\r\n\tmm\tmm\r\n");
}

TEST(GridText, GridWithoutCellsGivesTheEmptyText) {
    EXPECT_EQ(Grid(0, 15).text(0, -1, 14, 5), "");
    EXPECT_EQ(Grid(32, 0).text(-1, 0, 3, 31), "");
}

} // namespace
} // namespace hspring
