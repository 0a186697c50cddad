// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_format.h"
#include "calc/checks.h"
#include "calc/recommendations.h"
#include "calc/spring_design.h"
#include "tests/support/test_materials.h"
#include "wording/japanese.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace hspring {
namespace {

using Lines = std::vector<std::string>;

struct Refreshed {
    SpringDesign design;
    InitialTensionRange range;
    Recommendations recommendations;
    RecommendationLabels labels; // empty when the index is out of range
};

Refreshed refresh(SpringDesign design) {
    InitialTensionRange range;
    calculateDesign(design, test::referenceLibrary(), test::referenceCoefficients(), range, {});
    const Recommendations recommendations = recommendationsFor(design, range);
    return {design, range, recommendations,
            recommendations.indexInRange ? recommendationLabels(recommendations)
                                         : RecommendationLabels{}};
}

SpringDesign withIndex(double meanDiameter, double wireDiameter) {
    SpringDesign design = test::referenceDesign();
    design.wireDiameter = wireDiameter;
    setCoilDiameters(design, meanDiameter, wireDiameter);
    return design;
}

TEST(Recommendations, ReferenceDesignTexts) {
    const Refreshed refreshed = refresh(test::referenceDesign());
    EXPECT_TRUE(refreshed.recommendations.indexInRange);
    const RecommendationLabels& r = refreshed.labels;
    EXPECT_EQ(r.freeLength, "自由長さ=39mm");
    EXPECT_EQ(r.maxLength, "最大長さ=72.08mm");
    EXPECT_EQ(r.maxLoad, "最大荷重=1.969kgf");
    EXPECT_EQ(r.initialTension, "初張力(0.1934～0.4348)kgf");
    // What the free-length and initial-tension fields get when they follow the recommendations.
    EXPECT_EQ(inputFieldText(recommendedFreeLength(refreshed.design), 4), "39");
    EXPECT_EQ(inputFieldText(refreshed.range.mid, 4), "0.3141");
}

TEST(Recommendations, FreeLengthFromTheTurnsAsRead) {
    SpringDesign design = test::referenceDesign();
    setTurns(design, 12.5);
    design.freeLength = 50; // the entered free length plays no part
    // (12.5 + 1) · 1 + 2 · 9 = 31.5
    EXPECT_EQ(recommendedFreeLength(design), 31.5);
    EXPECT_EQ(refresh(design).labels.freeLength, "自由長さ=31.5mm");
}

TEST(Recommendations, IndexBelowFourStillShowsTheValues) {
    const Refreshed r = refresh(withIndex(9, 2.5)); // c = 3.6
    EXPECT_TRUE(r.recommendations.indexInRange);
    EXPECT_EQ(r.labels.freeLength, "自由長さ=65.5mm"); // (20 + 1) · 2.5 + 2 · 6.5
    EXPECT_EQ(designStatusLines(checkDesign(r.design)).lines.front(), "エラー：バネ指数が４以下");
}

// Indices 2.5, 23, 25 and 40 and a negative coil diameter, in load mode: the refresh shows only its
// range error; the checks name the index and, with the initial tension of the end row, find no
// length conflict where there is none.
TEST(Recommendations, IndexOutsideTheTableShowsOnlyTheRangeError) {
    for (const double meanDiameter : {2.5, 23.0, 25.0, 40.0, -10.0}) {
        SCOPED_TRACE(meanDiameter);
        SpringDesign design = withIndex(meanDiameter, 1);
        design.lengthMode = kLoadsGiven;
        design.load1 = 0.2;
        design.load2 = 0.4; // within the allowable stress
        const Refreshed r = refresh(design);
        EXPECT_FALSE(r.recommendations.indexInRange);
        const Lines lines = designStatusLines(checkDesign(r.design)).lines;
        if (meanDiameter > 22)
            EXPECT_EQ(lines, Lines{"エラー：バネ指数が２２以上"});
        else if (meanDiameter > 0)
            EXPECT_EQ(lines, Lines{"エラー：バネ指数が４以下"});
        else // a negative coil has a negative spring rate: its lengths really are disordered
            EXPECT_EQ(lines.front(), "エラー：バネ指数が４以下");
    }
}

// The recommended free length is shown from its extended value, and a wire beyond the strength
// table leaves the maximum length and load missing, shown as such.
TEST(Recommendations, ExtendedFreeLengthAndMissingMaxima) {
    SpringDesign design = withIndex(81, 4.5); // c = 18; the reference table ends at 3 mm
    setTurns(design, 22.1);
    const Refreshed refreshed = refresh(design);
    const RecommendationLabels& r = refreshed.labels;
    EXPECT_EQ(r.freeLength, "自由長さ=257mm"); // 256.95000000000000639, 256.9 as a double
    EXPECT_EQ(inputFieldText(recommendedFreeLength(refreshed.design), 4), "257");
    EXPECT_EQ(r.maxLength, "最大長さ=－mm");
    EXPECT_EQ(r.maxLoad, "最大荷重=－kgf");
}

TEST(Recommendations, TableEndsAreInRange) {
    EXPECT_TRUE(refresh(withIndex(3, 1)).recommendations.indexInRange);
    EXPECT_TRUE(refresh(withIndex(22, 1)).recommendations.indexInRange);
}

} // namespace
} // namespace hspring
