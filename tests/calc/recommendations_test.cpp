#include "calc/checks.h"
#include "calc/recommendations.h"
#include "calc/spring_design.h"
#include "tests/calc/test_materials.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace hspring {
namespace {

using Lines = std::vector<std::string>;

struct Refreshed {
    SpringDesign design;
    Recommendations recommendations;
};

Refreshed refresh(SpringDesign design) {
    InitialTensionRange range;
    calculateDesign(design, testing::referenceLibrary(), testing::referenceCoefficients(), range,
                    {});
    return {design, recommendationsFor(design, range)};
}

SpringDesign withIndex(double meanDiameter, double wireDiameter) {
    SpringDesign design = testing::referenceDesign();
    design.wireDiameter = wireDiameter;
    setCoilDiameters(design, meanDiameter, wireDiameter);
    return design;
}

TEST(Recommendations, ReferenceDesignTexts) {
    const Recommendations r = refresh(testing::referenceDesign()).recommendations;
    EXPECT_TRUE(r.indexInRange);
    EXPECT_TRUE(r.status.lines.empty()); // the refresh clears the status list
    EXPECT_EQ(r.freeLengthLabel, "自由長さ=39mm");
    EXPECT_EQ(r.maxLengthLabel, "最大長さ=72.08mm");
    EXPECT_EQ(r.maxLoadLabel, "最大荷重=1.969kgf");
    EXPECT_EQ(r.initialTensionLabel, "初張力(0.1934～0.4348)kgf");
    EXPECT_EQ(r.freeLengthField, "39");
    EXPECT_EQ(r.initialTensionField, "0.3141");
}

TEST(Recommendations, FreeLengthFromTheTurnsAsRead) {
    SpringDesign design = testing::referenceDesign();
    setTurns(design, 12.5);
    design.freeLength = 50; // the entered free length plays no part
    // (12.5 + 1) · 1 + 2 · 9 = 31.5
    EXPECT_EQ(recommendedFreeLength(design), 31.5);
    EXPECT_EQ(refresh(design).recommendations.freeLengthLabel, "自由長さ=31.5mm");
}

TEST(Recommendations, IndexBelowFourStillShowsTheValues) {
    const Refreshed r = refresh(withIndex(9, 2.5)); // c = 3.6
    EXPECT_TRUE(r.recommendations.indexInRange);
    EXPECT_EQ(r.recommendations.freeLengthLabel, "自由長さ=65.5mm"); // (20 + 1) · 2.5 + 2 · 6.5
    EXPECT_EQ(checkDesign(r.design).lines.front(), "エラー：バネ指数が４以下");
}

TEST(Recommendations, IndexOutsideTheTableShowsOnlyTheRangeError) {
    for (const double meanDiameter : {2.5, 23.0}) {
        SCOPED_TRACE(meanDiameter);
        const Refreshed r = refresh(withIndex(meanDiameter, 1));
        EXPECT_FALSE(r.recommendations.indexInRange);
        EXPECT_EQ(r.recommendations.status.lines, Lines{"エラー：バネ指数が範囲外"});
        EXPECT_EQ(r.recommendations.status.colour, StatusColour::Error);
        EXPECT_EQ(r.recommendations.freeLengthLabel, "");
        EXPECT_EQ(r.recommendations.initialTensionField, "");
    }
    // At 23 the check still names the rule.
    const Lines lines = checkDesign(refresh(withIndex(23, 1)).design).lines;
    EXPECT_EQ(lines.front(), "エラー：バネ指数が２２以上");
}

TEST(Recommendations, TableEndsAreInRange) {
    EXPECT_TRUE(refresh(withIndex(3, 1)).recommendations.indexInRange);
    EXPECT_TRUE(refresh(withIndex(22, 1)).recommendations.indexInRange);
}

} // namespace
} // namespace hspring
