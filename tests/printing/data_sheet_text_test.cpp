// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/data_sheet_text.h"

#include <cmath>
#include <gtest/gtest.h>

namespace hspring {
namespace {

// A calculated design as slot 0 holds it after "計算".
SpringDesign knownDesign() {
    SpringDesign design{};
    design.inUse = 1;
    design.materialIndex = 3;
    design.wireDiameter = 1.2;
    design.meanDiameter = 10.8;
    design.outerDiameter = 12;
    design.totalTurns = 15.5;
    design.activeTurns = 15.5;
    design.freeLength = 39;
    design.initialTension = 1;
    design.length1 = 45.25;
    design.load1 = 5.123456;
    design.stress1 = 20.5;
    design.length2 = 52;
    design.load2 = 50;
    design.stress2 = 61.23456;
    design.maxLength = 60.05;
    // The coil's reach from L0: (5.21 − 1) / 0.2 + 39 = 60.05.
    design.maxLoad = 5.21;
    design.springRate = 0.2;
    return design;
}

MaterialLibrary libraryWithGrade(int index, const char* grade) {
    MaterialLibrary library{};
    setShortStringText(library[index].gradeSymbol, grade);
    return library;
}

TEST(DataSheetText, TableOfAKnownDesign) {
    const DataSheetTexts sheet =
        dataSheetTexts(knownDesign(), libraryWithGrade(3, "ＳＷＰ－Ａ"), false);
    using Row = std::array<std::string, kSheetColumnCount>;
    const std::array<Row, kSheetRowCount> expected = {{
        {"", " 項目", " 単位", ""},
        {"    1", " 材質", "", "ＳＷＰ－Ａ"},
        {"    2", " 材料の直径", " mm", "1.2"},
        {"    3", " コイル平均径", " mm", "10.8"},
        {"    4", " コイル外径", " mm", "12"},
        {"    5", " 総巻数", "", "15.5"},
        {"    6", " 有効巻数", "", "15.5"},
        {"    7", " 巻方向", "", "右"},
        {"    8", " 自由長さ", " mm", "39mm"},
        {"    9", " 初張力", " N", "9.807"},
        {"    10", " 指定長さ１", " mm", "45.25"},
        {"    11", " 指定荷重１", " N", "50.24"},
        {"    12", " 応力１", " N/mm^2", "201"},
        {"    13", " 指定長さ２", " mm", "52"},
        {"    14", " 指定荷重２", " N", "490.3"},
        {"    15", " 応力２", " N/mm^2", "600.5"},
        {"    16", " 最大引っ張り長さ", " mm", "60.05"},
    }};
    for (int row = 0; row < kSheetRowCount; ++row)
        EXPECT_EQ(sheet.cells[row], expected[row]) << "row " << row;
}

TEST(DataSheetText, LabelsConvertWithTheRoundedFactor) {
    const DataSheetTexts sheet = dataSheetTexts(knownDesign(), MaterialLibrary{}, false);
    EXPECT_EQ(sheet.labels[0], "Ｌ２　= 52mm");
    EXPECT_EQ(sheet.labels[1], "Ｌ１　= 45.25mm");
    EXPECT_EQ(sheet.labels[2], "自由長= 39mm");
    // 50 kgf: 490.35 N with 9.807 beside the figure, 490.3325 N with 9.80665 in the table.
    EXPECT_EQ(sheet.labels[3], "Ｐ２　= 490.4N");
    EXPECT_EQ(sheet.cells[14][3], "490.3");
    EXPECT_EQ(sheet.labels[4], "Ｐ１　= 50.25N");
    EXPECT_EQ(sheet.cells[11][3], "50.24");
    EXPECT_EQ(sheet.labels[5], "平均径　= 10.8mm");
}

// The newtons are shown from the extended product: 5 kgf × 9.807 lies just above the tie 49.035,
// its double just below. A missing value shows as missing, in the table and beside the figure.
TEST(DataSheetText, ExtendedProductsAndMissingValues) {
    SpringDesign design = knownDesign();
    design.load2 = 5;
    design.stress2 = NAN;
    design.length2 = NAN;
    design.maxLoad = INFINITY;
    const DataSheetTexts sheet = dataSheetTexts(design, MaterialLibrary{}, false);
    EXPECT_EQ(sheet.labels[3], "Ｐ２　= 49.04N");
    EXPECT_EQ(sheet.cells[14][3], "49.03"); // 49.03325
    EXPECT_EQ(sheet.cells[15][3], "－");
    EXPECT_EQ(sheet.cells[13][3], "－");
    EXPECT_EQ(sheet.cells[16][3], "－");
    EXPECT_EQ(sheet.labels[0], "Ｌ２　= －mm");
}

TEST(DataSheetText, FullPrecisionRowsKeepFifteenDigits) {
    SpringDesign design = knownDesign();
    design.wireDiameter = 0.123456789012345678;
    design.meanDiameter = 1.0 / 3.0;
    design.totalTurns = 12345.6;
    design.freeLength = 12345.6;
    const DataSheetTexts sheet = dataSheetTexts(design, MaterialLibrary{}, false);
    EXPECT_EQ(sheet.cells[2][3], "0.123456789012346");
    EXPECT_EQ(sheet.cells[3][3], "0.333333333333333");
    EXPECT_EQ(sheet.cells[5][3], "12345.6");
    EXPECT_EQ(sheet.cells[8][3], "1.235E4mm");
    EXPECT_EQ(sheet.labels[2], "自由長= 1.235E4mm");
}

TEST(DataSheetText, CoilingDirection) {
    const MaterialLibrary library{};
    EXPECT_EQ(dataSheetTexts(knownDesign(), library, false).cells[7][3], "右");
    EXPECT_EQ(dataSheetTexts(knownDesign(), library, true).cells[7][3], "左");
}

// A foreign calculation file may name a material the library does not have.
TEST(DataSheetText, MaterialOutsideTheLibraryIsMarked) {
    const MaterialLibrary library = libraryWithGrade(29, "ＳＵＳ３０４");
    SpringDesign design = knownDesign();
    for (const int index : {-1, 30, 1000000}) {
        design.materialIndex = index;
        EXPECT_EQ(dataSheetTexts(design, library, false).cells[1][3], kUnknownMaterialText);
    }
    design.materialIndex = 29;
    EXPECT_EQ(dataSheetTexts(design, library, false).cells[1][3], "ＳＵＳ３０４");
}

} // namespace
} // namespace hspring
