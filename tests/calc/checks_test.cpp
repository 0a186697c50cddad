// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/checks.h"
#include "calc/engine.h"
#include "calc/extra_results.h"
#include "calc/spring_design.h"
#include "tests/support/test_materials.h"
#include "wording/japanese.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace hspring {
namespace {

using Lines = std::vector<std::string>;

// The status list of a design's rules, as the window and the JSON answer show it.
StatusLines statusOf(const SpringDesign& design) {
    return designStatusLines(checkDesign(design));
}

// A calculated design that passes every rule, to bend one value at a time.
SpringDesign passingDesign() {
    SpringDesign design = test::referenceDesign();
    InitialTensionRange range;
    calculateDesign(design, test::referenceLibrary(), test::referenceCoefficients(), range, {});
    return design;
}

TEST(CheckDesign, PassingDesignShowsOneSuccessLineInWindowText) {
    const StatusLines status = statusOf(passingDesign());
    EXPECT_EQ(status.lines, Lines{"Calculation Success!"});
    EXPECT_EQ(status.colour, StatusColour::WindowText);
}

TEST(CheckDesign, SpringIndexBoundsAreInclusive) {
    SpringDesign design = passingDesign();
    design.springIndex = 4;
    EXPECT_EQ(statusOf(design).lines, Lines{"Calculation Success!"});
    design.springIndex = 22;
    EXPECT_EQ(statusOf(design).lines, Lines{"Calculation Success!"});
    design.springIndex = 3.6;
    EXPECT_EQ(statusOf(design).lines, Lines{"エラー：バネ指数が４以下"});
    design.springIndex = std::nextafter(4.0, 0.0);
    EXPECT_EQ(statusOf(design).lines, Lines{"エラー：バネ指数が４以下"});
    design.springIndex = std::nextafter(22.0, 23.0);
    EXPECT_EQ(statusOf(design).lines, Lines{"エラー：バネ指数が２２以上"});
    design.springIndex = 23;
    const StatusLines status = statusOf(design);
    EXPECT_EQ(status.lines, Lines{"エラー：バネ指数が２２以上"});
    EXPECT_EQ(status.colour, StatusColour::Error);
}

TEST(CheckDesign, EqualLengthsPass) {
    SpringDesign design = passingDesign();
    design.freeLength = design.length1 = design.length2 = 40;
    EXPECT_EQ(statusOf(design).lines, Lines{"Calculation Success!"});
}

TEST(CheckDesign, LengthRules) {
    SpringDesign design = passingDesign();
    design.freeLength = 40;
    design.length1 = 45;
    design.length2 = 38;
    EXPECT_EQ(statusOf(design).lines,
              (Lines{"エラー：L2が密着高さより短い", "エラー:バネ高さの順番が不適"}));
    design.length1 = 39; // L1 below L0 only: rule 4 alone
    design.length2 = 50;
    EXPECT_EQ(statusOf(design).lines, Lines{"エラー:バネ高さの順番が不適"});
}

TEST(CheckDesign, StressMayExceedTheAllowableByHalfAThousandth) {
    SpringDesign design = passingDesign();
    design.allowableStress = 40;
    design.stress2 = 40.0004;
    EXPECT_EQ(statusOf(design).lines, Lines{"Calculation Success!"});
    design.stress2 = 40.0006;
    EXPECT_EQ(statusOf(design).lines, Lines{"エラー:ねじり応力オーバー"});
}

TEST(CheckDesign, TooFewActiveTurns) {
    SpringDesign design = passingDesign();
    setTurns(design, 2);
    EXPECT_EQ(design.activeTurns, 2.99);
    EXPECT_EQ(statusOf(design).lines, Lines{"エラー:有効巻き数が３以下です"});
    setTurns(design, 3);
    EXPECT_EQ(statusOf(design).lines, Lines{"Calculation Success!"});
}

TEST(CheckDesign, SeveralFailuresShowTogetherInRuleOrder) {
    SpringDesign design = passingDesign();
    design.springIndex = 3;
    design.freeLength = 60;
    design.stress2 = design.allowableStress + 1;
    design.activeTurns = 2.99;
    const StatusLines status = statusOf(design);
    EXPECT_EQ(status.lines, (Lines{"エラー：バネ指数が４以下", "エラー：L2が密着高さより短い",
                                   "エラー:バネ高さの順番が不適", "エラー:ねじり応力オーバー",
                                   "エラー:有効巻き数が３以下です"}));
    EXPECT_EQ(status.colour, StatusColour::Error);
}

// A rule worded "is not at least" fails on a missing value; one worded "A > B" does not, so a
// missing length shows no conflict that is not there.
TEST(CheckDesign, MissingValuesFailOnlyTheRulesWordedNotAtLeast) {
    const struct {
        double SpringDesign::*field;
        Lines lines;
    } cases[] = {
        {&SpringDesign::springIndex, {"エラー：バネ指数が４以下"}},
        {&SpringDesign::allowableStress, {"エラー:ねじり応力オーバー"}}, // wire beyond the table
        {&SpringDesign::stress2, {"エラー:ねじり応力オーバー"}},
        {&SpringDesign::activeTurns, {"エラー:有効巻き数が３以下です"}},
        {&SpringDesign::freeLength, {"Calculation Success!"}},
        {&SpringDesign::length1, {"Calculation Success!"}},
        {&SpringDesign::length2, {"Calculation Success!"}},
    };
    for (const auto& c : cases) {
        SpringDesign design = passingDesign();
        design.*c.field = NAN;
        EXPECT_EQ(statusOf(design).lines, c.lines) << c.lines.front();
    }
    // The lengths still given are compared: L1 above L2 fails although L0 is missing.
    SpringDesign design = passingDesign();
    design.freeLength = NAN;
    design.length1 = design.length2 + 1;
    EXPECT_EQ(statusOf(design).lines, Lines{"エラー:バネ高さの順番が不適"});
}

// The warnings beside the six rules: each one alone on a design that passes them, and in order.
TEST(CheckHooks, EachWarningByItsCause) {
    const MaterialLibrary library = test::referenceLibrary();
    const CoefficientSet coefficients = test::referenceCoefficients();
    const auto problems = [&](SpringDesign design, HookType type) {
        InitialTensionRange range;
        calculateDesign(design, library, coefficients, range, {});
        const ExtraResults x = calculateExtraResults(design, library, coefficients, type);
        std::vector<HookProblem> found;
        for (const HookCheck& check : checkHooks(design, range, x, type))
            found.push_back(check.problem);
        return found;
    };
    using P = std::vector<HookProblem>;
    SpringDesign design = test::referenceDesign();
    design.hookMinRadius = 1.5; // exactly 1.5·d: no warning
    EXPECT_EQ(problems(design, HookType::Round), P{});
    EXPECT_EQ(problems(design, HookType::U), P{});

    for (const double angle : {200.0, -80.0, 1e308, 59.9, double(NAN)}) {
        SpringDesign bent = design;
        bent.hookAngle = angle;
        EXPECT_EQ(problems(bent, HookType::Round), P{HookProblem::HookAngleOutsideRange}) << angle;
        EXPECT_EQ(problems(bent, HookType::U), P{}) << "a U hook has no angle";
    }
    SpringDesign tight = design;
    tight.hookMinRadius = 0.1; // K2 = 4.75
    EXPECT_EQ(problems(tight, HookType::U),
              (P{HookProblem::TorsionOverAllowable, HookProblem::BendRadiusTooSmall}));
    SpringDesign shortHook = design;
    shortHook.hookLength = -10;
    EXPECT_EQ(problems(shortHook, HookType::U), P{HookProblem::UHookCannotBeFormed});

    // The range is 0.1934..0.4348 kgf; its labelled bound passes, −3 and 1 do not.
    SpringDesign typed = design;
    typed.autoInitialTension = 0;
    for (const double tension : {0.1934, 0.4348}) {
        typed.initialTension = tension;
        EXPECT_EQ(problems(typed, HookType::Round), P{}) << tension;
    }
    typed.initialTension = -3;
    EXPECT_EQ(problems(typed, HookType::Round), P{HookProblem::InitialTensionNegative});
    typed.initialTension = 1;
    EXPECT_EQ(problems(typed, HookType::Round), P{HookProblem::InitialTensionOutsideRange});
    EXPECT_EQ(hookProblemText(HookProblem::InitialTensionOutsideRange), "警告:初張力が推奨範囲外");
}

} // namespace
} // namespace hspring
