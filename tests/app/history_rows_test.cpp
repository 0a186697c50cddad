// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/grid_text.h"
#include "app/history_rows.h"
#include "calc/spring_design.h"
#include "wording/japanese.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace hspring {
namespace {

SpringDesign storedDesign() {
    SpringDesign design{};
    resetDesignDefaults(design);
    design.materialIndex = 4;
    design.wireDiameter = 1.2;
    design.meanDiameter = 10;
    design.diameterKind = kOuterDiameter; // the grid shows the mean diameter all the same
    design.outerDiameter = 11.2;
    design.totalTurns = 20.5;
    design.freeLength = 39;
    design.load1 = 12345.6;
    design.load2 = 0;
    design.springRate = 0.0123456;
    design.stress2 = 32.4949;
    design.allowableStress = 57.43;
    design.lifeClass = 8;
    design.initialTension = 0.31413;
    return design;
}

TEST(HistoryRows, ShowTheStoredDesignInFourDigitsWithGradeAndLifeTexts) {
    MaterialLibrary library{};
    library[4].gradeSymbol.length = 5;
    std::memcpy(library[4].gradeSymbol.bytes, "SWP-A", 5);
    const auto row = historyRowTexts(storedDesign(), library, japaneseWording());
    const std::array<std::string, 14> expected = {"SWP-A",   "1.2",   "10",      "20.5",  "39",
                                                  "1.235E4", "0",     "45",      "55",    "0.01235",
                                                  "32.49",   "57.43", "1万以下", "0.3141"};
    EXPECT_EQ(row, expected);
}

// A value the calculation could not find, or an infinity from a damaged file, shows as missing;
// the clipboard copy takes the cells as shown.
TEST(HistoryRows, ShowMissingValuesAsMissing) {
    SpringDesign design = storedDesign();
    design.allowableStress = NAN;
    design.load1 = INFINITY;
    design.length2 = -INFINITY;
    const auto row = historyRowTexts(design, MaterialLibrary{}, japaneseWording());
    EXPECT_EQ(row[11], "－");
    EXPECT_EQ(row[5], "－");
    EXPECT_EQ(row[8], "－");
    EXPECT_EQ(row[10], "32.49");
    const std::string copied = gridText(
        1, 14, [&row](int, int column) { return row[column]; }, 0, 0, 13, 0);
    EXPECT_EQ(copied,
              "\t1.2\t10\t20.5\t39\t－\t0\t45\t－\t0.01235\t32.49\t－\t1万以下\t0.3141\r\n");
}

TEST(HistoryRows, AreEmptyForASlotNotInUse) {
    SpringDesign design = storedDesign();
    design.inUse = 0;
    for (const std::string& cell : historyRowTexts(design, MaterialLibrary{}, japaneseWording()))
        EXPECT_EQ(cell, "");
}

TEST(HistoryRows, ShowNoGradeOrLifeForIndicesOutsideTheLibrary) {
    SpringDesign design = storedDesign();
    design.materialIndex = 45;
    design.lifeClass = 12;
    const auto row = historyRowTexts(design, MaterialLibrary{}, japaneseWording());
    EXPECT_EQ(row[0], "");
    EXPECT_EQ(row[12], "");
    EXPECT_EQ(row[1], "1.2");
    design.materialIndex = -1;
    design.lifeClass = -3;
    EXPECT_EQ(historyRowTexts(design, MaterialLibrary{}, japaneseWording())[0], "");
}

TEST(HistorySlotFromText, LimitsWholeNumbersToTheSlotsAndTakesSlotOneForAnythingElse) {
    EXPECT_EQ(historySlotFromText("3"), 3);
    EXPECT_EQ(historySlotFromText(" 7 "), 7);
    EXPECT_EQ(historySlotFromText("30"), 30);
    EXPECT_EQ(historySlotFromText("45"), 30);
    EXPECT_EQ(historySlotFromText("99999999999"), 1); // beyond the integers: not a number
    EXPECT_EQ(historySlotFromText("0"), 1);
    EXPECT_EQ(historySlotFromText("-2"), 1);
    EXPECT_EQ(historySlotFromText("x"), 1);
    EXPECT_EQ(historySlotFromText(""), 1);
    EXPECT_EQ(historySlotFromText("2.5"), 1);
}

} // namespace
} // namespace hspring
