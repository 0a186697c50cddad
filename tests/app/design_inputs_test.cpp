// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design_inputs.h"
#include "base/error.h"
#include "base/text_to_number.h"
#include "calc/spring_design.h"
#include "cli/problem_text.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace hspring {
namespace {

// The fields' texts, read as the window's fields read them.
struct TextFields : DesignInputFields {
    std::map<DesignInput, std::string> texts;

    double number(DesignInput input) override { return textToDouble(texts.at(input)); }
    std::optional<double> shownNumber(DesignInput input) override {
        try {
            return textToDouble(texts.at(input));
        } catch (const Error&) {
            return std::nullopt;
        }
    }
    [[noreturn]] void refuseWireDiameter() override {
        throw conversionError(texts.at(DesignInput::WireDiameter));
    }
};

// Kind 0 holds records 0 and 2; record 2 lists 0.8, 1.0 and 1.2 mm.
struct InputFixture : ::testing::Test {
    MaterialLibrary library{};
    KindIndex index{};
    SpringDesign design{};
    DesignInputChoices choices;
    TextFields fields;
    std::map<DesignInput, std::string>& texts = fields.texts;
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

        choices.kind = 0;
        choices.grade = 1;
        choices.diameterPosition = 1;
        choices.lowTempAnnealed = true;
        choices.autoInitialTension = false;
        texts = {{DesignInput::WireDiameter, "1"},   {DesignInput::CoilDiameter, "10"},
                 {DesignInput::Turns, "20"},         {DesignInput::InitialTension, "0.3"},
                 {DesignInput::FreeLength, "39"},    {DesignInput::Length1, "45"},
                 {DesignInput::Length2, "55"},       {DesignInput::Load1, "0.5"},
                 {DesignInput::Load2, "1.5"},        {DesignInput::HookAngle, "75"},
                 {DesignInput::HookLength, "12"},    {DesignInput::HookOpening, "4"},
                 {DesignInput::HookMinRadius, "2.5"}};
    }

    void read() {
        readDesignInputs(design, library, index, choices, fields,
                         [this](const std::string& label) { springIndexLabel = label; });
    }

    std::string readFailure() {
        try {
            read();
        } catch (const Error& failure) {
            return cli::problemText(failure);
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
    texts[DesignInput::CoilDiameter] = "12";
    read();
    EXPECT_EQ(design.innerDiameter, 10.0);
    EXPECT_EQ(design.meanDiameter, 11.0);
    EXPECT_EQ(design.outerDiameter, 12.0);
    EXPECT_EQ(springIndexLabel, "バネ指数=11");

    design.diameterKind = kInnerDiameter;
    texts[DesignInput::CoilDiameter] = "9";
    read();
    EXPECT_EQ(design.innerDiameter, 9.0);
    EXPECT_EQ(design.meanDiameter, 10.0);
    EXPECT_EQ(design.outerDiameter, 11.0);
}

TEST_F(InputFixture, FewerThanThreeTurnsCountAs299ActiveTurns) {
    for (const auto& [turns, total, active] :
         {std::tuple{"2.5", 2.5, 2.99}, {"3", 3.0, 3.0}, {"20.5", 20.5, 20.5}}) {
        texts[DesignInput::Turns] = turns;
        read();
        EXPECT_EQ(design.totalTurns, total);
        EXPECT_EQ(design.activeTurns, active);
    }
}

TEST_F(InputFixture, AFieldThatIsNoNumberStopsTheReadingWhereItStands) {
    texts[DesignInput::Turns] = "25";
    texts[DesignInput::InitialTension] = "0.7";
    texts[DesignInput::FreeLength] = "abc";
    texts[DesignInput::Length1] = "50";
    texts[DesignInput::HookAngle] = "60";
    EXPECT_EQ(readFailure(), "'abc' is not a floating-point number");
    EXPECT_EQ(design.totalTurns, 25.0);    // read before the bad field
    EXPECT_EQ(design.initialTension, 0.7); // read before the bad field
    EXPECT_EQ(design.freeLength, 39.0);    // the start value stays
    EXPECT_EQ(design.length1, 45.0);       // never reached
    EXPECT_EQ(design.hookAngle, 80.0);     // never reached
}

TEST_F(InputFixture, AnEmptyFieldIsAConversionErrorToo) {
    texts[DesignInput::HookMinRadius] = "";
    EXPECT_EQ(readFailure(), "'' is not a floating-point number");
    EXPECT_EQ(design.hookOpening, 4.0);
}

// D/d is only shown: 9.3 / 0.8 is just above 11.625 before it is rounded to a double.
TEST_F(InputFixture, TheSpringIndexLabelShowsTheUnroundedQuotient) {
    choices.diameterPosition = 0;
    texts[DesignInput::WireDiameter] = "0.8";
    texts[DesignInput::CoilDiameter] = "9.3";
    read();
    EXPECT_EQ(springIndexLabel, "バネ指数=11.63");
}

TEST_F(InputFixture, AMeanDiameterOfZeroLeavesTheSpringIndexLabelAlone) {
    texts[DesignInput::CoilDiameter] = "0";
    read();
    EXPECT_EQ(design.meanDiameter, 0.0);
    EXPECT_FALSE(springIndexLabel.has_value());
}

TEST_F(InputFixture, AWireDiameterOfZeroStopsAtTheSpringIndex) {
    texts[DesignInput::WireDiameter] = "0";
    texts[DesignInput::Turns] = "30";
    EXPECT_EQ(readFailure(), "floating-point division by zero");
    EXPECT_EQ(design.wireDiameter, 0.0);
    EXPECT_EQ(design.totalTurns, 20.0);
}

TEST_F(InputFixture, WithoutASelectedMaterialNothingIsRead) {
    const SpringDesign before = design;
    choices.kind = -1;
    choices.grade = -1;
    choices.diameterPosition = -1;
    texts[DesignInput::WireDiameter] = "";
    EXPECT_EQ(readFailure(), "'' is not a floating-point number");
    EXPECT_EQ(design.materialIndex, before.materialIndex);
    EXPECT_EQ(design.totalTurns, before.totalTurns);
}

TEST_F(InputFixture, WithoutASelectedDiameterTheWireDiameterTextStopsTheReading) {
    choices.diameterPosition = -1;
    texts[DesignInput::WireDiameter] = "";
    EXPECT_EQ(readFailure(), "'' is not a floating-point number");
    EXPECT_EQ(design.materialIndex, 2);
    EXPECT_EQ(design.diameterIndex, -1);
    EXPECT_EQ(design.wireDiameter, 1.0); // no table entry at -1: the old value stays
    EXPECT_EQ(design.meanDiameter, 10.0);
}

} // namespace
} // namespace hspring
