// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "calc/design_caption.h"
#include "data/settings.h"
#include "printing/jis_sheet_text.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_materials.h"
#include "wording/japanese.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace hspring {
namespace {

SpringDesign calculatedLooking() {
    SpringDesign design{};
    design.inUse = 1;
    design.materialIndex = 0;
    design.wireDiameter = 1;
    design.innerDiameter = 7;
    design.meanDiameter = 8;
    design.outerDiameter = 9;
    design.totalTurns = 15.5;
    design.activeTurns = 15.5;
    design.freeLength = 45;
    design.lengthMode = 0;
    design.initialTension = 0.5;
    design.springRate = 0.2;
    design.load1 = 3;
    design.load2 = 5;
    design.length1 = 57.5;
    design.length2 = 67.5;
    design.hookAngle = 80;
    design.hookLength = 9;
    design.hookOpening = 2.5;
    design.hookMinRadius = 1.5;
    return design;
}

const JisSheetRow* row(const JisSheetTexts& sheet, const std::string& item) {
    const auto found = std::find_if(sheet.rows.begin(), sheet.rows.end(),
                                    [&](const JisSheetRow& r) { return r.item == item; });
    return found == sheet.rows.end() ? nullptr : &*found;
}

// The title block survives its side file, unknown members are passed over, a broken file is an
// error and an empty block leaves no file behind.
TEST(TitleBlock, KeptInAJsonFileBesideTheCalculation) {
    const test::TemporaryFolder folder;
    const std::string hbd = (folder.path() / "ばね.hbd").string();
    EXPECT_EQ(titleBlockPath(hbd), (folder.path() / "ばね.jis-sheet.json").string());
    EXPECT_TRUE(readTitleBlock(hbd).empty());

    TitleBlock block{"部品\"A\"", "P-1", "山田", "2026-12-07", "2", "亜鉛めっき", "二行\n目"};
    writeTitleBlock(hbd, block);
    EXPECT_EQ(readTitleBlock(hbd), block);

    const TitleBlock fromNewer =
        titleBlockFromJson(R"({"designer": "X", "colour": {"a": [1]}, "date": ""})");
    EXPECT_EQ(fromNewer.designer, "X");
    EXPECT_TRUE(fromNewer.partName.empty());
    EXPECT_THROW(titleBlockFromJson(R"({"designer": 3})"), Error);
    EXPECT_THROW(titleBlockFromJson("[]"), Error);
    EXPECT_THROW(titleBlockFromJson(R"({"designer": "a")"), Error);

    writeTitleBlock(hbd, {});
    EXPECT_FALSE(std::filesystem::exists(titleBlockPath(hbd)));
}

// Loads and stresses in newtons from the standard gravity only, the free length for reference
// when the loads were given, the U hook's dimensions, and nothing invented for an empty block.
TEST(JisSheetTexts, ItemsOfAUHookDesignWithItsLoadsGiven) {
    const MaterialLibrary library = testing::referenceLibrary();
    JisSheetSubject subject;
    subject.design = calculatedLooking();
    subject.hookType = HookType::U;
    subject.leftHanded = true;
    const JisSheetTexts sheet =
        jisSheetTexts(subject, library, customaryCoefficients(), japaneseWording());

    ASSERT_NE(row(sheet, "自由長さ（参考）"), nullptr);
    EXPECT_EQ(row(sheet, "自由長さ（参考）")->value, "45");
    EXPECT_EQ(row(sheet, "巻方向")->value, "左");
    EXPECT_EQ(row(sheet, "初張力")->value, "4.903");             // 0.5 × 9.80665
    EXPECT_EQ(row(sheet, "ばね定数")->value, "1.961");           // 0.2 × 9.80665
    EXPECT_EQ(row(sheet, "指定長さ２時の荷重")->value, "49.03"); // 5 × 9.80665
    EXPECT_EQ(row(sheet, "フックの形状")->value, "Uフック");
    EXPECT_EQ(row(sheet, "フックの開き")->value, "2.5");
    EXPECT_EQ(row(sheet, "フック角度"), nullptr);
    EXPECT_EQ(row(sheet, "表面処理")->value, "");
    for (const JisSheetTitleField& field : sheet.titleBlock)
        EXPECT_EQ(field.value, "") << field.caption;
    EXPECT_EQ(sheet.figure.freeLength, "L0 = 45（参考）");
    EXPECT_EQ(sheet.documentTitle, designCaption(subject.design, library));
    EXPECT_EQ(sheet.author, "");

    subject.design.lengthMode = 1;
    subject.hookType = HookType::Round;
    subject.titleBlock.partName = "ばねA";
    subject.titleBlock.designer = "山田";
    const JisSheetTexts lengths =
        jisSheetTexts(subject, library, customaryCoefficients(), japaneseWording());
    ASSERT_NE(row(lengths, "自由長さ"), nullptr);
    EXPECT_EQ(row(lengths, "フック角度")->value, "80");
    EXPECT_EQ(lengths.documentTitle, "ばねA");
    EXPECT_EQ(lengths.author, "山田");
}

// The figure is the design's own outline: a left-hand coil is the right-hand one mirrored, a U
// hook another outline, and a coil without a shape has no figure.
TEST(JisSheetFigure, FollowsHookTypeTurnsAndHand) {
    JisSheetSubject subject;
    subject.design = calculatedLooking();
    const auto right = jisSheetFigure(subject);
    ASSERT_TRUE(right);
    EXPECT_EQ(right->outline, roundHookOutline(coilShapeOf(subject.design), 80));

    subject.leftHanded = true;
    const auto left = jisSheetFigure(subject);
    ASSERT_TRUE(left);
    ASSERT_EQ(left->outline.size(), right->outline.size());
    const DrawArc& arc = std::get<DrawArc>(right->outline[1]);
    const DrawArc& mirrored = std::get<DrawArc>(left->outline[1]);
    EXPECT_EQ(mirrored.centre.x, -arc.centre.x);
    EXPECT_EQ(mirrored.startAngle, 180 - arc.endAngle);

    subject.hookType = HookType::U;
    subject.leftHanded = false;
    EXPECT_EQ(jisSheetFigure(subject)->outline,
              uHookOutline(coilShapeOf(subject.design), UHookShape{9, 2.5, 1.5}));

    subject.design.meanDiameter = 0;
    EXPECT_FALSE(jisSheetFigure(subject));
}

} // namespace
} // namespace hspring
