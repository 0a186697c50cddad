// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_inputs.h"
#include "base/error.h"
#include "calc/spring_design.h"

#include <gtest/gtest.h>
#include <optional>

namespace hspring {
namespace {

// Kind 0 holds records 0 and 2; record 2 lists 0.8, 1.0 and 1.2 mm.
struct InputFixture : ::testing::Test {
    MaterialLibrary library{};
    KindIndex index{};
    SpringDesign design{};
    DesignInputTexts texts;
    std::optional<std::string> springIndexLabel;

    InputFixture() {
        for (MaterialRecord& record : library)
            record.kind = kUnusedKind;
        library[0].kind = 0;
        library[2].kind = 0;
        library[2].diameterCount = 3;
        library[2].diameters[0] = 0.8;
        library[2].diameters[1] = 1.0;
        library[2].diameters[2] = 1.2;
        index = buildKindIndex(library);
        resetDesignDefaults(design);

        texts.kind = 0;
        texts.grade = 1;
        texts.diameterPosition = 1;
        texts.wireDiameter = "1";
        texts.coilDiameter = "10";
        texts.turns = "20";
        texts.initialTension = "0.3";
        texts.freeLength = "39";
        texts.length1 = "45";
        texts.length2 = "55";
        texts.load1 = "0.5";
        texts.load2 = "1.5";
        texts.lowTempAnnealed = true;
        texts.autoInitialTension = false;
        texts.hookAngle = "75";
        texts.hookLength = "12";
        texts.hookOpening = "4";
        texts.hookMinRadius = "2.5";
    }

    void read() {
        readDesignInputs(design, library, index, texts,
                         [this](const std::string& label) { springIndexLabel = label; });
    }

    std::string readFailure() {
        try {
            read();
        } catch (const Error& failure) {
            return failure.what();
        }
        return "no failure";
    }
};

TEST_F(InputFixture, CopiesEveryInputInOrderWithTheMaterialFromKindAndGrade) {
    read();
    EXPECT_EQ(design.materialIndex, 2);
    EXPECT_EQ(design.diameterIndex, 1);
    EXPECT_EQ(design.wireDiameter, 1.0);
    EXPECT_EQ(design.innerDiameter, 9.0);
    EXPECT_EQ(design.meanDiameter, 10.0);
    EXPECT_EQ(design.outerDiameter, 11.0);
    EXPECT_EQ(springIndexLabel, "バネ指数=10");
    EXPECT_EQ(design.totalTurns, 20.0);
    EXPECT_EQ(design.activeTurns, 20.0);
    EXPECT_EQ(design.initialTension, 0.3);
    EXPECT_EQ(design.freeLength, 39.0);
    EXPECT_EQ(design.length1, 45.0);
    EXPECT_EQ(design.length2, 55.0);
    EXPECT_EQ(design.load1, 0.5);
    EXPECT_EQ(design.load2, 1.5);
    EXPECT_EQ(design.lowTempAnnealed, 1);
    EXPECT_EQ(design.autoInitialTension, 0);
    EXPECT_EQ(design.hookAngle, 75.0);
    EXPECT_EQ(design.hookLength, 12.0);
    EXPECT_EQ(design.hookOpening, 4.0);
    EXPECT_EQ(design.hookMinRadius, 2.5);
    // The modes are not inputs.
    EXPECT_EQ(design.diameterKind, kMeanDiameter);
    EXPECT_EQ(design.lengthMode, kLengthsGiven);
}

TEST_F(InputFixture, TheDiameterFieldHoldsTheDiameterOfTheDiameterKind) {
    design.diameterKind = kOuterDiameter;
    texts.coilDiameter = "12";
    read();
    EXPECT_EQ(design.innerDiameter, 10.0);
    EXPECT_EQ(design.meanDiameter, 11.0);
    EXPECT_EQ(design.outerDiameter, 12.0);
    EXPECT_EQ(springIndexLabel, "バネ指数=11");

    design.diameterKind = kInnerDiameter;
    texts.coilDiameter = "9";
    read();
    EXPECT_EQ(design.innerDiameter, 9.0);
    EXPECT_EQ(design.meanDiameter, 10.0);
    EXPECT_EQ(design.outerDiameter, 11.0);
}

TEST_F(InputFixture, FewerThanThreeTurnsCountAs299ActiveTurns) {
    for (const auto& [turns, total, active] :
         {std::tuple{"2.5", 2.5, 2.99}, {"3", 3.0, 3.0}, {"20.5", 20.5, 20.5}}) {
        texts.turns = turns;
        read();
        EXPECT_EQ(design.totalTurns, total);
        EXPECT_EQ(design.activeTurns, active);
    }
}

TEST_F(InputFixture, AFieldThatIsNoNumberStopsTheReadingWhereItStands) {
    texts.turns = "25";
    texts.initialTension = "0.7";
    texts.freeLength = "abc";
    texts.length1 = "50";
    texts.hookAngle = "60";
    EXPECT_EQ(readFailure(), "'abc' is not a floating-point number");
    EXPECT_EQ(design.totalTurns, 25.0);    // read before the bad field
    EXPECT_EQ(design.initialTension, 0.7); // read before the bad field
    EXPECT_EQ(design.freeLength, 39.0);    // the start value stays
    EXPECT_EQ(design.length1, 45.0);       // never reached
    EXPECT_EQ(design.hookAngle, 80.0);     // never reached
}

TEST_F(InputFixture, AnEmptyFieldIsAConversionErrorToo) {
    texts.hookMinRadius = "";
    EXPECT_EQ(readFailure(), "'' is not a floating-point number");
    EXPECT_EQ(design.hookOpening, 4.0);
}

// D/d is only shown: 9.3 / 0.8 is just above 11.625 before it is rounded to a double.
TEST_F(InputFixture, TheSpringIndexLabelShowsTheUnroundedQuotient) {
    texts.diameterPosition = 0;
    texts.wireDiameter = "0.8";
    texts.coilDiameter = "9.3";
    read();
    EXPECT_EQ(springIndexLabel, "バネ指数=11.63");
}

TEST_F(InputFixture, AMeanDiameterOfZeroLeavesTheSpringIndexLabelAlone) {
    texts.coilDiameter = "0";
    read();
    EXPECT_EQ(design.meanDiameter, 0.0);
    EXPECT_FALSE(springIndexLabel.has_value());
}

TEST_F(InputFixture, AWireDiameterOfZeroStopsAtTheSpringIndex) {
    texts.wireDiameter = "0";
    texts.turns = "30";
    EXPECT_EQ(readFailure(), "floating-point division by zero");
    EXPECT_EQ(design.wireDiameter, 0.0);
    EXPECT_EQ(design.totalTurns, 20.0);
}

TEST_F(InputFixture, WithoutASelectedMaterialNothingIsRead) {
    const SpringDesign before = design;
    texts.kind = -1;
    texts.grade = -1;
    texts.diameterPosition = -1;
    texts.wireDiameter = "";
    EXPECT_EQ(readFailure(), "'' is not a floating-point number");
    EXPECT_EQ(design.materialIndex, before.materialIndex);
    EXPECT_EQ(design.totalTurns, before.totalTurns);
}

TEST_F(InputFixture, WithoutASelectedDiameterTheWireDiameterTextStopsTheReading) {
    texts.diameterPosition = -1;
    texts.wireDiameter = "";
    EXPECT_EQ(readFailure(), "'' is not a floating-point number");
    EXPECT_EQ(design.materialIndex, 2);
    EXPECT_EQ(design.diameterIndex, -1);
    EXPECT_EQ(design.wireDiameter, 1.0); // no table entry at -1: the old value stays
    EXPECT_EQ(design.meanDiameter, 10.0);
}

} // namespace
} // namespace hspring
