// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/life.h"
#include "tests/support/test_materials.h"
#include "wording/japanese.h"

#include <cmath>
#include <gtest/gtest.h>

namespace hspring {
namespace {

TEST(ClassifyLife, ReadsTheLifeLines) {
    const struct {
        double upper;
        double lower;
        int lifeClass;
    } cases[] = {
        {0.29, 0, 0}, {0.449, 0, 7},   {0.451, 0, 8},  {0.451, 0.4, 8},
        {0.35, 0, 3}, {0.35, 0.05, 1}, {0.42, 0.1, 4}, {0.40, 0.2, 0},
        {0.45, 0, 7}, {0.3, 0, 0},     {0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.upper << ", " << c.lower);
        EXPECT_EQ(classifyLife(c.upper, c.lower), c.lifeClass);
    }
}

TEST(ClassifyLife, MissingOrBelowEveryLineIsTheShortestLife) {
    EXPECT_EQ(classifyLife(NAN, 0.1), 8);
    EXPECT_EQ(classifyLife(0.1, NAN), 8);
    EXPECT_EQ(classifyLife(0.44, -0.5), 8); // a negative lower coefficient below every line
    EXPECT_EQ(classifyLife(0.2, -0.1), 0);  // still under line 0
    EXPECT_EQ(classifyLife(INFINITY, 0), 8);
}

// Each bending line is upper = s + (1 − s)·lower, s = 0.45, 0.47, 0.51; a point just below a line
// is within its class, just above it falls to the next; beyond 10^5 cycles the shortest class.
TEST(ClassifyHookBendingLife, GoodmanLinesThroughTheRatioZeroShares) {
    const struct {
        double share;
        int within;
        int beyond;
    } lines[] = {{0.45, 0, 1}, {0.47, 1, 2}, {0.51, 2, kShortestLifeClass}};
    for (const auto& line : lines)
        for (const double lower : {0.0, 0.2, 0.4}) {
            const double upper = line.share + (1 - line.share) * lower;
            EXPECT_EQ(classifyHookBendingLife(upper - 1e-9, lower), line.within) << upper;
            EXPECT_EQ(classifyHookBendingLife(upper + 1e-9, lower), line.beyond) << upper;
        }
    EXPECT_EQ(classifyHookBendingLife(NAN, 0.1), kShortestLifeClass);
    EXPECT_EQ(classifyHookBendingLife(0.3, NAN), kShortestLifeClass);
}

TEST(LifeTexts, NineTextsByClass) {
    EXPECT_EQ(kLifeClassTexts[0], "1000万");
    EXPECT_EQ(kLifeClassTexts[3], "6万");
    EXPECT_EQ(kLifeClassTexts[7], "1万");
    EXPECT_EQ(lifeClassText(8), "1万以下");
    EXPECT_EQ(lifeClassText(9), "");
    EXPECT_EQ(lifeClassText(-1), "");
}

TEST(StressCoefficients, StressOverTensileStrengthWithTheFactorNinePointEight) {
    const MaterialLibrary library = test::referenceLibrary();
    SpringDesign design = test::referenceDesign();
    design.diameterIndex = 1; // 1.0 mm, 2200 N/mm^2
    design.stress1 = 22;
    design.stress2 = 44;
    const StressCoefficients k = stressCoefficients(design, library);
    EXPECT_DOUBLE_EQ(k.upper, 44 * 9.8 / 2200);
    EXPECT_DOUBLE_EQ(k.lower, 22 * 9.8 / 2200);
}

TEST(StressCoefficients, MissingTensileStrengthGivesNoCoefficients) {
    MaterialLibrary library = test::referenceLibrary();
    SpringDesign design = test::referenceDesign();
    design.stress1 = 22;
    design.stress2 = 44;
    const auto missing = [&](const SpringDesign& d) {
        const StressCoefficients k = stressCoefficients(d, library);
        return std::isnan(k.upper) && std::isnan(k.lower) && classifyLife(k.upper, k.lower) == 8;
    };
    design.diameterIndex = 5; // the material lists five diameters
    EXPECT_TRUE(missing(design));
    design.diameterIndex = -1;
    EXPECT_TRUE(missing(design));
    design.diameterIndex = 1;
    design.materialIndex = 30;
    EXPECT_TRUE(missing(design));
    design.materialIndex = 0;
    library[0].tensileStrength[1] = 0;
    EXPECT_TRUE(missing(design));
    library[0].tensileStrength[1] = -2200;
    EXPECT_TRUE(missing(design));
}

} // namespace
} // namespace hspring
