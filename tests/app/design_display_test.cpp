// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_display.h"
#include "calc/spring_design.h"
#include "wording/japanese.h"

#include <gtest/gtest.h>

namespace hspring {
namespace {

SpringDesign designWithDiameters() {
    SpringDesign design{};
    resetDesignDefaults(design);
    design.innerDiameter = 9;
    design.meanDiameter = 10;
    design.outerDiameter = 11;
    return design;
}

TEST(CoilDiameterDisplay, TheButtonCyclesMeanOuterInnerWithTheStoredDiameters) {
    SpringDesign design = designWithDiameters();
    ASSERT_EQ(design.diameterKind, kMeanDiameter);
    const auto outer = cycleDiameterKind(design);
    ASSERT_TRUE(outer);
    EXPECT_EQ(design.diameterKind, kOuterDiameter);
    EXPECT_EQ(outer->caption, "外径");
    EXPECT_EQ(outer->text, "11");
    const auto inner = cycleDiameterKind(design);
    EXPECT_EQ(design.diameterKind, kInnerDiameter);
    EXPECT_EQ(inner->caption, "内径");
    EXPECT_EQ(inner->text, "9");
    const auto mean = cycleDiameterKind(design);
    EXPECT_EQ(design.diameterKind, kMeanDiameter);
    EXPECT_EQ(mean->caption, "平均径");
    EXPECT_EQ(mean->text, "10");
}

TEST(CoilDiameterDisplay, ShowsFifteenDigitsAndNothingForAnUnknownKind) {
    SpringDesign design = designWithDiameters();
    design.meanDiameter = 10.123456789012345;
    EXPECT_EQ(coilDiameterDisplay(design)->text, "10.1234567890123");
    design.diameterKind = 7;
    EXPECT_FALSE(coilDiameterDisplay(design));
    EXPECT_FALSE(cycleDiameterKind(design));
    EXPECT_EQ(design.diameterKind, 7);
}

TEST(DesignFieldTexts, TurnsInFifteenDigitsTheRestInFourAndTheLifeText) {
    SpringDesign design = designWithDiameters();
    design.totalTurns = 20.123456;
    design.initialTension = 0.31413;
    design.load1 = 12345.6;
    design.springRate = 0.0123456;
    design.lifeClass = 3;
    const DesignFieldTexts texts = designFieldTexts(design, japaneseWording());
    EXPECT_EQ(texts.turns, "20.123456");
    EXPECT_EQ(texts.initialTension, "0.3141");
    EXPECT_EQ(texts.freeLength, "39");
    EXPECT_EQ(texts.load1, "1.235E4");
    EXPECT_EQ(texts.springRate, "0.01235");
    EXPECT_EQ(texts.life, "6万");
    EXPECT_EQ(texts.hookMinRadius, "3");
    design.lifeClass = 9;
    EXPECT_EQ(designFieldTexts(design, japaneseWording()).life, "");
}

TEST(UnlistedMaterialNote, NamesAMaterialTheListsDoNotHold) {
    MaterialLibrary library{};
    for (MaterialRecord& record : library)
        record.kind = kUnusedKind;
    library[0].kind = 0;
    const KindIndex index = buildKindIndex(library);
    SpringDesign design = designWithDiameters();
    design.materialIndex = 0;
    EXPECT_FALSE(unlistedMaterialNote(design, index));
    design.materialIndex = 5; // a record of kind 10
    EXPECT_EQ(unlistedMaterialNote(design, index), "材料番号 5 は材料リストにありません");
    design.materialIndex = 45;
    EXPECT_EQ(unlistedMaterialNote(design, index), "材料番号 45 は材料リストにありません");
}

} // namespace
} // namespace hspring
