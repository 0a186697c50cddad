// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "cli/problem_text.h"
#include "data/coefficient_editing.h"

#include <gtest/gtest.h>

namespace hspring {
namespace {

TEST(CoefficientTexts, ShowsTheSevenValuesInRecordOrder) {
    CoefficientSet set{80, 80, 1.25, 15, 25, 30, 0.1 + 0.2};
    const auto texts = coefficientTexts(set);
    EXPECT_EQ(texts, (std::array<std::string, 7>{"80", "80", "1.25", "15", "25", "30", "0.3"}));
}

TEST(StoreCoefficientTexts, StoresInOrderAndStopsAtTheFirstBadText) {
    CoefficientSet set{80, 80, 1.25, 15, 25, 30, 20};
    storeCoefficientTexts({"70", "75", "1.3", "-5", "0", "150", "1e2"}, set);
    EXPECT_EQ(set.compressionToMaterialRatio, 70);
    EXPECT_EQ(set.extensionToCompressionRatio, 75);
    EXPECT_EQ(set.hookStressFactor, 1.3);
    EXPECT_EQ(set.stainlessReduction, -5); // no range check: the user's value is used
    EXPECT_EQ(set.annealedPianoReduction, 0);
    EXPECT_EQ(set.annealedHardSteelReduction, 150);
    EXPECT_EQ(set.annealedStainlessReduction, 100);

    try {
        storeCoefficientTexts({"60", "65", "1.4", "15%", "1", "2", "3"}, set);
        FAIL() << "15% is no number";
    } catch (const Error& error) {
        EXPECT_EQ(cli::problemText(error), "'15%' is not a floating-point number");
    }
    EXPECT_EQ(set.compressionToMaterialRatio, 60);
    EXPECT_EQ(set.extensionToCompressionRatio, 65);
    EXPECT_EQ(set.hookStressFactor, 1.4);
    EXPECT_EQ(set.stainlessReduction, -5);
    EXPECT_EQ(set.annealedStainlessReduction, 100);
}

} // namespace
} // namespace hspring
