// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "calc/design_caption.h"
#include "calc/design_result.h"
#include "calc/spring_constants.h"
#include "calc/spring_design.h"
#include "data/settings.h"
#include "printing/jis_sheet_text.h"
#include "tests/support/shipped_data.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_materials.h"
#include "wording/japanese.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <limits>

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

// The title block survives its side file with the design's grade and rate tolerance, unknown
// members are passed over, a file of an older program means grade 2 without a rate tolerance, a
// broken file is an error and an empty block leaves no file behind.
TEST(TitleBlock, KeptInAJsonFileBesideTheCalculation) {
    const test::TemporaryFolder folder;
    const std::string hbd = (folder.path() / "ばね.hbd").string();
    EXPECT_EQ(titleBlockPath(hbd), (folder.path() / "ばね.jis-sheet.json").string());
    EXPECT_TRUE(readTitleBlock(hbd).empty());

    TitleBlock block{"部品\"A\"", "P-1", "山田", "2026-12-07", "2",   "亜鉛めっき",
                     "二行\n目",  "D-7", "佐藤", "鈴木",       "1:1", "90°"};
    writeTitleBlock(hbd, block);
    EXPECT_EQ(readTitleBlock(hbd), block);
    TitleBlock graded;
    graded.toleranceGrade = 1;
    graded.rateTolerance = true;
    EXPECT_FALSE(graded.empty());
    writeTitleBlock(hbd, graded);
    EXPECT_EQ(readTitleBlock(hbd), graded);

    const TitleBlock fromNewer =
        titleBlockFromJson(R"({"designer": "X", "colour": {"a": [1]}, "date": ""})");
    EXPECT_EQ(fromNewer.designer, "X");
    EXPECT_TRUE(fromNewer.partName.empty());
    EXPECT_EQ(fromNewer.toleranceGrade, 2);
    EXPECT_FALSE(fromNewer.rateTolerance);
    EXPECT_EQ(titleBlockFromJson(R"({"toleranceGrade": 0})").toleranceGrade, 0);
    for (const char* bad : {R"({"toleranceGrade": 4})", R"({"toleranceGrade": 1.5})",
                            R"({"toleranceGrade": "1"})", R"({"rateTolerance": 1})"})
        EXPECT_THROW(titleBlockFromJson(bad), Error) << bad;
    EXPECT_THROW(titleBlockFromJson(R"({"designer": 3})"), Error);
    EXPECT_THROW(titleBlockFromJson("[]"), Error);
    EXPECT_THROW(titleBlockFromJson(R"({"designer": "a")"), Error);

    // The hook's radii travel beside the text fields as numbers, only when given: a block without
    // them is written as before, and a file without them reads as not given.
    EXPECT_EQ(titleBlockJson(block).find("Radius"), std::string::npos);
    EXPECT_FALSE(readTitleBlock(hbd).hookBendRadius);
    block.hookBendRadius = 1.35;
    block.hookLoopRadius = 4.0999999999999996;
    writeTitleBlock(hbd, block);
    EXPECT_EQ(readTitleBlock(hbd), block);
    TitleBlock radiiOnly;
    radiiOnly.hookLoopRadius = 2;
    EXPECT_FALSE(radiiOnly.empty());
    EXPECT_FALSE(titleBlockFromJson(R"({"hookBendRadius": null})").hookBendRadius);
    for (const char* broken : {R"({"hookBendRadius": 0})", R"({"hookLoopRadius": -1})",
                               R"({"hookLoopRadius": "2"})", R"({"hookBendRadius": 1e999})"})
        EXPECT_THROW(titleBlockFromJson(broken), Error) << broken;

    writeTitleBlock(hbd, {});
    EXPECT_FALSE(std::filesystem::exists(titleBlockPath(hbd)));
}

// Loads and stresses in newtons from the standard gravity only; with the loads toleranced, the
// free length and the total turns for reference and the rate's tolerance only on request; the
// material's standard, the active turns, the hooks' position, the coil's reach from its own L0;
// and nothing invented for an empty block.
TEST(JisSheetTexts, ItemsOfAUHookDesignWithItsLoadsGiven) {
    const MaterialLibrary library = test::referenceLibrary();
    JisSheetSubject subject;
    subject.design = calculatedLooking();
    subject.design.freeLength = 37;
    subject.design.maxLength = 53.89; // from the round-hook free length 29.4, as stored
    subject.design.maxLoad = 5.3980;  // (5.398 − 0.5) / 0.2 = 24.49 beyond the free length
    subject.hookType = HookType::U;
    subject.leftHanded = true;
    const JisSheetTexts sheet =
        jisSheetTexts(subject, library, customaryCoefficients(), japaneseWording());

    ASSERT_NE(row(sheet, "自由長さ（参考）"), nullptr);
    EXPECT_EQ(row(sheet, "自由長さ（参考）")->value, "37");
    EXPECT_EQ(row(sheet, "自由長さ（参考）")->tolerance, "");
    ASSERT_NE(row(sheet, "総巻数（参考）"), nullptr);
    EXPECT_EQ(row(sheet, "有効巻数")->value, "15.5");
    EXPECT_EQ(row(sheet, "材料")->value, "JIS G 3522"); // a record without its symbol
    EXPECT_EQ(row(sheet, "巻方向")->value, "左");
    EXPECT_EQ(row(sheet, "初張力")->value, "4.903");   // 0.5 × 9.80665
    EXPECT_EQ(row(sheet, "ばね定数")->value, "1.961"); // 0.2 × 9.80665
    EXPECT_EQ(row(sheet, "ばね定数")->tolerance, "");
    EXPECT_EQ(row(sheet, "指定長さ２時の荷重")->value, "49.03"); // 5 × 9.80665
    EXPECT_EQ(row(sheet, "最大引張り長さ（コイル部）")->value, "61.49");
    const std::string loadTolerance = row(sheet, "指定長さ２時の荷重")->tolerance;
    ASSERT_FALSE(loadTolerance.empty());
    EXPECT_EQ(loadTolerance.substr(loadTolerance.find('.')).size(), 3u) << loadTolerance;
    EXPECT_EQ(row(sheet, "フックの形状")->value, "Uフック");
    EXPECT_EQ(row(sheet, "フックの開き")->value, "2.5");
    EXPECT_EQ(row(sheet, "フックの相対位置")->value, "同一平面");
    EXPECT_EQ(row(sheet, "フック角度"), nullptr);
    EXPECT_EQ(row(sheet, "表面処理")->value, "");
    std::vector<std::string> captions;
    for (const JisSheetTitleField& field : sheet.titleBlock) {
        captions.push_back(field.caption);
        EXPECT_EQ(field.value, field.caption == "尺度" ? "非比例" : "") << field.caption;
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"品名", "品番", "図番", "改訂", "尺度", "設計",
                                                  "検図", "承認", "日付"}));
    EXPECT_EQ(sheet.footer, "");
    EXPECT_EQ(sheet.figure.freeLength, "L0 = 37（参考）");
    EXPECT_EQ(sheet.documentTitle, designCaption(subject.design, library));
    EXPECT_EQ(sheet.author, "");

    // No tolerance grade: nothing is toleranced, so the free length is a made dimension; the
    // rate's tolerance asked for; the block's own position and scale.
    subject.design.lengthMode = 1;
    subject.toleranceGrade = 2;
    subject.rateTolerance = true;
    subject.hookType = HookType::Round;
    subject.fileName = "ばね.hbd";
    subject.titleBlock.partName = "ばねA";
    subject.titleBlock.designer = "山田";
    subject.titleBlock.hookPosition = "90°";
    const JisSheetTexts asked =
        jisSheetTexts(subject, library, customaryCoefficients(), japaneseWording());
    EXPECT_NE(row(asked, "ばね定数")->tolerance, "");
    EXPECT_EQ(row(asked, "フックの相対位置")->value, "90°");
    EXPECT_EQ(row(asked, "フック角度")->value, "80");
    EXPECT_EQ(asked.footer, "ファイル: ばね.hbd");
    EXPECT_EQ(asked.documentTitle, "ばねA");
    EXPECT_EQ(asked.author, "山田");
    subject.toleranceGrade = 0;
    const JisSheetTexts ungraded =
        jisSheetTexts(subject, library, customaryCoefficients(), japaneseWording());
    ASSERT_NE(row(ungraded, "自由長さ"), nullptr);
    ASSERT_NE(row(ungraded, "総巻数"), nullptr);
}

// The sheet names the basis its limits are on, and a round hook's radii given: the rows state them
// and the limit with the hooks is the one the radii give, on either basis.
TEST(JisSheetTexts, TheDesignBasisAndTheRoundHooksRadii) {
    const MaterialLibrary& library = test::shippedLibrary();
    const CoefficientSet jis = test::shippedCoefficients();
    CoefficientSet handbook = jis;
    setDesignBasis(handbook, DesignBasis::Handbook);
    SpringDesign start{};
    resetDesignDefaults(start);
    setCoilDiameters(start, start.meanDiameter, start.wireDiameter);
    JisSheetSubject subject;
    subject.design = evaluateDesign(start, library, jis).design;
    const double d = subject.design.wireDiameter;
    const auto limitRow = [&](const JisSheetTexts& sheet) {
        return row(sheet, "最大許容荷重（フック含む）")->value;
    };

    const JisSheetTexts plain = jisSheetTexts(subject, library, jis, japaneseWording());
    EXPECT_EQ(row(plain, "設計基準")->value, "JIS");
    EXPECT_EQ(row(plain, "フックの曲げ半径（中心）"), nullptr);
    EXPECT_EQ(row(plain, "フックの輪の半径（中心）"), nullptr);

    // A bend as tight as the wire (C2 = 2) raises K2 above the settings' factor, a small loop
    // (C1 = 5) raises K1: the limit with the hooks follows the radii.
    subject.inputs.hookBendRadius = d;
    subject.inputs.hookLoopRadius = 2.5 * d;
    for (const CoefficientSet& coefficients : {jis, handbook}) {
        const bool onHandbook = designBasisOf(coefficients) == DesignBasis::Handbook;
        SCOPED_TRACE(onHandbook ? "handbook" : "JIS");
        const JisSheetTexts given =
            jisSheetTexts(subject, library, coefficients, japaneseWording());
        EXPECT_EQ(row(given, "設計基準")->value, onHandbook ? "ハンドブック" : "JIS");
        ASSERT_NE(row(given, "フックの曲げ半径（中心）"), nullptr);
        EXPECT_EQ(std::stod(row(given, "フックの曲げ半径（中心）")->value), d);
        EXPECT_EQ(std::stod(row(given, "フックの輪の半径（中心）")->value), 2.5 * d);
        const ExtraResults extras = calculateExtraResults(subject.design, library, coefficients,
                                                          HookType::Round, subject.inputs);
        ASSERT_TRUE(extras.governingPart);
        EXPECT_NE(*extras.governingPart, GoverningPart::Coil);
        const double limit = extras.maxLoadWithHooks * static_cast<double>(kGravity);
        EXPECT_NEAR(std::stod(limitRow(given)), limit, limit * 1e-3);
        JisSheetSubject without = subject;
        without.inputs = {};
        EXPECT_LT(
            std::stod(limitRow(given)),
            std::stod(limitRow(jisSheetTexts(without, library, coefficients, japaneseWording()))));
    }
    // A U hook has no such radii.
    subject.hookType = HookType::U;
    EXPECT_EQ(
        row(jisSheetTexts(subject, library, jis, japaneseWording()), "フックの曲げ半径（中心）"),
        nullptr);
}

// A tolerance to the decimals of its value, never losing its first two digits.
TEST(JisSheetTexts, TolerancesToTheDecimalsOfTheirValue) {
    EXPECT_EQ(toleranceText(0.8598L, "49.03"), "±0.86");
    EXPECT_EQ(toleranceText(0.0612L, "1.961"), "±0.061");
    EXPECT_EQ(toleranceText(0.8L, "45"), "±0.8");
    EXPECT_EQ(toleranceText(0.15L, "9"), "±0.15");
    EXPECT_EQ(toleranceText(2.6949L, "29.42"), "±2.69");
    EXPECT_EQ(toleranceText(12.3456L, "1183"), "±12");
    EXPECT_EQ(toleranceText(std::numeric_limits<long double>::quiet_NaN(), "1"), "");
    EXPECT_EQ(materialStandard(kHardDrawnSteelKind), "JIS G 3521");
    EXPECT_EQ(materialStandard(kStainlessKind), "JIS G 4314");
    EXPECT_EQ(materialStandard(7), "");
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
