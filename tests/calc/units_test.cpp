// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/engine.h"
#include "calc/extra_results.h"
#include "calc/units.h"
#include "data/calculation_file.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_materials.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace hspring {
namespace {

using test::referenceCoefficients;
using test::referenceDesign;
using test::referenceLibrary;

// Four significant digits as a user types them: "m.mmmEk", or plain for an ordinary exponent.
std::string typedText(int mantissa, int exponent, bool plain) {
    if (!plain)
        return std::to_string(mantissa) + "E" + std::to_string(exponent - 3);
    const long double value = mantissa * std::pow(10.0L, exponent - 3);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", std::max(0, 3 - exponent), value);
    return buffer;
}

// Every load, rate, stress of a design typed in newtons, kept through the history slots and the
// calculation file's bytes, shows again with the four digits typed and reads back as the same
// number.
TEST(Units, FourDigitsTypedInNewtonsComeBackThroughTheFile) {
    test::TemporaryFolder folder;
    const std::string path = folder.file("round.hbd");
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> mantissas(1000, 9999);
    std::uniform_int_distribution<int> exponents(-4, 6);
    std::bernoulli_distribution plainForm(0.8);

    double SpringDesign::*const forceFields[] = {
        &SpringDesign::initialTension, &SpringDesign::load1,   &SpringDesign::load2,
        &SpringDesign::springRate,     &SpringDesign::stress2, &SpringDesign::allowableStress,
        &SpringDesign::maxLoad};
    int compared = 0;
    for (int round = 0; round < 60; ++round) {
        DesignSlots slots{};
        std::vector<std::string> typed;
        for (SpringDesign& design : slots)
            for (double SpringDesign::*field : forceFields) {
                const int exponent = exponents(random);
                typed.push_back(
                    typedText(mantissas(random), exponent, exponent >= -2 && plainForm(random)));
                design.*field = storedValue(textToDouble(typed.back()), UnitSystem::Si);
            }
        saveDesignSlots(path, slots);
        DesignSlots read{};
        loadDesignSlots(path, read);
        std::size_t next = 0;
        for (const SpringDesign& design : read)
            for (double SpringDesign::*field : forceFields) {
                const std::string& text = typed[next++];
                const double shown = shownValue(design.*field, UnitSystem::Si);
                const std::string shownText = formatF4(shown);
                ASSERT_EQ(shownText, formatF4(textToDouble(text))) << text;
                ASSERT_EQ(textToDouble(shownText), textToDouble(text)) << text;
                ++compared;
            }
    }
    EXPECT_EQ(compared, 60 * kSlotCount * 7);
}

// The worked example with its loads and initial tension given, typed once in kgf and once in N
// (each force × 9.80665 written out exactly): the N inputs convert to the very kgf values, every
// stored result is the same byte for byte, and the results shown in N are the SI figures the
// extra results give.
TEST(Units, WorkedExampleTypedInNewtonsGivesTheKgfResults) {
    SpringDesign inKgf = referenceDesign();
    inKgf.lengthMode = kLoadsGiven;
    inKgf.autoInitialTension = 0;
    SpringDesign inNewtons = inKgf;
    struct Typed {
        double SpringDesign::*field;
        const char* kgf;
        const char* newtons;
    };
    const Typed typed[] = {{&SpringDesign::initialTension, "0.3", "2.941995"},
                           {&SpringDesign::load1, "0.6", "5.88399"},
                           {&SpringDesign::load2, "1.1", "10.787315"}};
    for (const Typed& value : typed) {
        inKgf.*value.field = storedValue(textToDouble(value.kgf), UnitSystem::Gravitational);
        inNewtons.*value.field = storedValue(textToDouble(value.newtons), UnitSystem::Si);
        EXPECT_EQ(inNewtons.*value.field, inKgf.*value.field) << value.newtons;
    }
    InitialTensionRange range{};
    calculateDesign(inKgf, referenceLibrary(), referenceCoefficients(), range, {});
    calculateDesign(inNewtons, referenceLibrary(), referenceCoefficients(), range, {});
    EXPECT_EQ(std::memcmp(&inKgf, &inNewtons, sizeof(SpringDesign)), 0);
    EXPECT_EQ(formatF4(inKgf.length2), "54.99"); // (1.1 − 0.3)/0.05003 + 39: it was calculated

    const ExtraResults extras = calculateExtraResults(inNewtons, referenceLibrary(),
                                                      referenceCoefficients(), HookType::Round);
    EXPECT_EQ(shownValue(inNewtons.springRate, UnitSystem::Si), extras.si.springRate);
    EXPECT_EQ(shownValue(inNewtons.stress2, UnitSystem::Si), extras.si.stress2);
    EXPECT_EQ(shownValue(inNewtons.maxLoad, UnitSystem::Si), extras.si.maxLoad);
    EXPECT_EQ(shownValue(inNewtons.load2, UnitSystem::Gravitational), inNewtons.load2);
}

// Each force's unit in both systems, and the units the systems share passing through unchanged.
TEST(Units, NamesEachUnitInBothSystems) {
    const std::pair<ForceQuantity, const char*> kinds[] = {{ForceQuantity::Load, "kgf"},
                                                           {ForceQuantity::Rate, "kgf/mm"},
                                                           {ForceQuantity::Stress, "kgf/mm^2"},
                                                           {ForceQuantity::Energy, "kgf·mm"}};
    for (const auto& [quantity, kgf] : kinds) {
        EXPECT_EQ(unitText(quantity, UnitSystem::Gravitational), kgf);
        const std::string si(unitText(quantity, UnitSystem::Si));
        EXPECT_EQ("kgf" + si.substr(1), kgf);
        EXPECT_EQ(unitInSystem(kgf, UnitSystem::Si), si);
        EXPECT_EQ(unitInSystem(kgf, UnitSystem::Gravitational), kgf);
    }
    EXPECT_EQ(unitInSystem("mm", UnitSystem::Si), "mm");
    EXPECT_EQ(unitInSystem("kgfx", UnitSystem::Si), "kgfx");
    EXPECT_EQ(unitSystemFromName("si"), UnitSystem::Si);
    EXPECT_EQ(unitSystemFromName(unitSystemName(UnitSystem::Gravitational)),
              UnitSystem::Gravitational);
    EXPECT_FALSE(unitSystemFromName("SI"));
}

} // namespace
} // namespace hspring
