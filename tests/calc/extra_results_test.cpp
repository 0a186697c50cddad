// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_reader.h"
#include "base/number_format.h"
#include "calc/checks.h"
#include "calc/design_batch.h"
#include "calc/design_json.h"
#include "calc/design_result.h"
#include "calc/extra_results.h"
#include "calc/spring_design.h"
#include "cli/key_help.h"
#include "cli/problem_text.h"
#include "drawing/outline.h"
#include "tests/support/test_materials.h"
#include "wording/japanese.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <set>
#include <sstream>
#include <string>
#include <variant>

namespace hspring {
namespace {

bool isIdentifier(std::string_view word) {
    return !word.empty() && std::islower(static_cast<unsigned char>(word[0])) &&
           std::all_of(word.begin(), word.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// The keys a help text documents: the names that open an entry, two blanks in, separated by ", "
// or " or ", before the blanks that lead to the description (one blank after a name that fills
// its column).
std::set<std::string> documentedKeys(std::string_view help) {
    std::set<std::string> keys;
    std::istringstream lines{std::string(help)};
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() < 3 || line.compare(0, 2, "  ") != 0 || line[2] == ' ')
            continue;
        std::string names = line.substr(2, line.find("  ", 2) - 2);
        for (std::size_t at; (at = names.find(" or ")) != std::string::npos;)
            names.replace(at, 4, ", ");
        std::vector<std::string> words;
        for (std::size_t start = 0; start <= names.size();) {
            const std::size_t end = std::min(names.find(", ", start), names.size());
            words.push_back(names.substr(start, end - start));
            start = end + 2;
        }
        if (std::all_of(words.begin(), words.end(), isIdentifier))
            keys.insert(words.begin(), words.end());
        else if (const std::string first = words[0].substr(0, words[0].find(' '));
                 first.size() < words[0].size() && isIdentifier(first))
            keys.insert(first); // a name as wide as its column: one blank before the description
    }
    return keys;
}

// The words (letters and digits) of a text.
std::set<std::string> wordsOf(std::string_view text) {
    std::set<std::string> words;
    std::string word;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            word += c;
        } else if (!word.empty()) {
            words.insert(word);
            word.clear();
        }
    }
    return words;
}

// The reference piano wire with a tensile strength of 1950 N/mm^2 at 1.0 mm and a bending
// percentage of 70 (no explicit bending column), so that the hook is judged by the percentage.
MaterialLibrary hookLibrary() {
    MaterialLibrary library = test::referenceLibrary();
    library[0].tensileStrength[1] = 1950;
    library[0].bendingPercent = 70;
    return library;
}

DesignResult evaluate(const SpringDesign& design, HookType hookType,
                      const MaterialLibrary& library = hookLibrary(),
                      const CoefficientSet& coefficients = test::referenceCoefficients()) {
    return evaluateDesign(design, library, coefficients, hookType);
}

TEST(ExtraResults, ReferenceRunWithEitherHook) {
    SpringDesign design = test::referenceDesign();
    design.hookMinRadius = 3;
    const DesignResult round = evaluate(design, HookType::Round);
    const ExtraResults& x = round.extras;
    EXPECT_EQ(formatF15(x.hookBendingFactor), "1.08055555555556"); // 389/360
    EXPECT_EQ(formatF4(x.hookBendingStress1), "34.59");
    EXPECT_EQ(formatF4(x.hookBendingStress2), "62.76");
    EXPECT_EQ(x.hookTorsionFactor, 1.25);
    EXPECT_EQ(formatF4(x.hookTorsionStress1), "19.55");
    EXPECT_EQ(formatF4(x.hookTorsionStress2), "35.48");
    EXPECT_EQ(formatF4(x.hookBendingAllowable), "111.4");
    EXPECT_EQ(formatF4(x.si.hookBendingAllowable), "1092");
    EXPECT_EQ(formatF4(x.hookCoefficients.upper), "0.1783");
    EXPECT_EQ(formatF4(x.hookCoefficients.lower), "0.09827");
    EXPECT_EQ(x.hookLifeClass, 0);
    EXPECT_EQ(x.springLifeClass, 0);
    EXPECT_EQ(formatF4(x.naturalFrequency), "177.9");
    EXPECT_EQ(formatF4(x.bodyMass), "3.874");
    EXPECT_EQ(formatF4(x.energy12), "8.644");
    EXPECT_EQ(formatF4(x.si.energy12), "84.77");
    EXPECT_EQ(formatF4(x.si.load2), "10.93");
    EXPECT_EQ(formatF4(x.si.stress2), "318.6"); // 32.49 kgf/mm^2
    // The loop: the tangent from the coil top, D/2 + d/4 = 5.25, and 5 mm round from the loop's
    // tangent angle 360° − 2.794362° back to the hook angle 80°.
    EXPECT_NEAR(x.hookWireLength, 5.25 + 5 * (277.205638 * std::numbers::pi / 180), 1e-5);
    EXPECT_EQ(formatF4(x.wireLength), "687.2");
    EXPECT_EQ(formatF4(x.springMass), "4.237");

    const ExtraResults& u = evaluate(design, HookType::U).extras;
    EXPECT_EQ(u.hookBendingStress2, x.hookBendingStress2); // the U bends like the loop
    EXPECT_EQ(u.hookTorsionFactor, 1.125);                 // C2 = 7
    EXPECT_EQ(formatF4(u.hookTorsionStress2), "31.93");
    EXPECT_EQ(u.bodyMass, x.bodyMass);

    // A hook that concentrates more stress than the coil shortens the spring's life: K2 = 3
    // takes τB2 to 85.2 kgf/mm^2, over its allowable of 71.8, where no fatigue line holds.
    CoefficientSet harsh = test::referenceCoefficients();
    harsh.hookStressFactor = 3;
    design.length1 = design.freeLength;
    const DesignResult harshRun = evaluate(design, HookType::Round, hookLibrary(), harsh);
    EXPECT_EQ(harshRun.design.lifeClass, 0);
    EXPECT_EQ(harshRun.extras.hookLifeClass, kShortestLifeClass);
    EXPECT_EQ(harshRun.extras.springLifeClass, kShortestLifeClass);
}

// The hooks' centre line is the middle of the edges the drawing gives them: the arcs' mean radius
// over their sweep, the straight pieces' length.
TEST(ExtraResults, WireLengthFollowsTheDrawnHooks) {
    const SpringDesign design = test::referenceDesign(); // hook angle 80°
    const CoilShape coil = coilShapeOf(design);
    const auto length = [](const OutlinePrimitive& primitive) {
        const auto& segment = std::get<DrawSegment>(primitive);
        return std::hypot(segment.second.x - segment.first.x, segment.second.y - segment.first.y);
    };
    const auto middle = [](const OutlinePrimitive& inner, const OutlinePrimitive& outer,
                           double sweep) {
        return (std::get<DrawArc>(inner).radius + std::get<DrawArc>(outer).radius) / 2 * sweep *
               std::numbers::pi / 180;
    };

    // Round: after 60 turn primitives and the closing edge come the transition, the inner and
    // the outer loop arc.
    const Outline round = roundHookOutline(coil, design.hookAngle);
    const DrawArc& inner = std::get<DrawArc>(round[62]);
    const double roundHook =
        length(round[61]) + middle(round[62], round[63], inner.endAngle - inner.startAngle);
    const ExtraResults roundExtras =
        calculateExtraResults(design, hookLibrary(), {}, HookType::Round);
    EXPECT_NEAR(roundExtras.hookWireLength, roundHook, 1e-9);
    EXPECT_NEAR(roundExtras.wireLength, std::numbers::pi * 10 * 20 + 2 * roundHook, 1e-9);

    // U: turn 0 without its top arc, turns 1..20, the closing edge, then the bend arcs, the leg
    // edges, the U arcs and the return legs.
    const UHookShape hook{design.hookLength, design.hookOpening, 2};
    SpringDesign uDesign = design;
    uDesign.hookMinRadius = hook.minRadius;
    const Outline u = uHookOutline(coil, hook);
    const DrawArc& bend = std::get<DrawArc>(u[60]);
    const double uHook = middle(u[60], u[61], bend.endAngle - bend.startAngle) + length(u[62]) +
                         middle(u[64], u[65], 180) + length(u[66]);
    EXPECT_NEAR(uHook, 23.388181, 1e-6); // bend 3.802095, leg 2.5, U 5π, return leg 1.378123
    EXPECT_NEAR(calculateExtraResults(uDesign, hookLibrary(), {}, HookType::U).hookWireLength,
                uHook, 1e-9);
}

TEST(ExtraResults, ValuesThatCannotBeFormedAreMissing) {
    // An explicit bending column without a value at 1.0 mm: no allowable bending stress.
    MaterialLibrary noBending = hookLibrary();
    noBending[0].allowableBending[0] = 1200; // at 0.8 mm only
    SpringDesign design = test::referenceDesign();
    EXPECT_TRUE(
        std::isnan(evaluate(design, HookType::Round, noBending).extras.hookBendingAllowable));

    // A U hook without a bend radius: no torsion at the bend, no hook life, no wire length; the
    // loop's bending and the body remain.
    for (const double radius : {0.0, -1.0, double(NAN)}) {
        design.hookMinRadius = radius;
        // Refused by the calculation, such a hook still reaches the extras from a file.
        SpringDesign calculated = design;
        InitialTensionRange range;
        calculateDesign(calculated, hookLibrary(), test::referenceCoefficients(), range, {});
        const ExtraResults x = calculateExtraResults(calculated, hookLibrary(),
                                                     test::referenceCoefficients(), HookType::U);
        EXPECT_TRUE(std::isnan(x.hookTorsionStress2) && std::isnan(x.si.hookTorsionStress1));
        EXPECT_FALSE(x.hookLifeClass || x.springLifeClass);
        EXPECT_TRUE(std::isnan(x.wireLength) && std::isnan(x.springMass));
        EXPECT_EQ(formatF4(x.hookBendingStress2), "62.76");
        EXPECT_EQ(formatF4(x.bodyMass), "3.874");
    }

    // A material without bending data (no column, percentage 0) gives the hook no bending limit:
    // missing, not 0, so neither the page nor the search judges the hook against zero.
    {
        MaterialLibrary library = hookLibrary();
        library[0].bendingPercent = 0;
        const ExtraResults x = evaluate(test::referenceDesign(), HookType::Round, library).extras;
        EXPECT_TRUE(std::isnan(x.hookBendingAllowable) && std::isnan(x.si.hookBendingAllowable));
        EXPECT_EQ(formatF4(x.hookBendingStress2), "62.76");
    }

    // A coil diameter below the wire's (index below 1), refused by the calculation but possible in
    // a file, calculates as it stands, but has no loop to bend.
    design = test::referenceDesign();
    setCoilDiameters(design, 0.8, 1.0);
    design.autoInitialTension = 0; // the index is outside the initial-tension table
    design.initialTension = 0.3;
    DesignResult thin;
    thin.design = design;
    calculateDesign(thin.design, hookLibrary(), test::referenceCoefficients(), thin.range, {});
    thin.extras = calculateExtraResults(thin.design, hookLibrary(), test::referenceCoefficients(),
                                        HookType::Round);
    EXPECT_TRUE(std::isnan(thin.extras.hookBendingStress1) && std::isnan(thin.extras.wireLength));
    EXPECT_TRUE(std::isfinite(thin.extras.hookTorsionStress2));

    // A record never calculated, or one whose index equals 1 exactly (the calculation stops
    // there): nothing throws, nothing is infinite.
    for (const double meanDiameter : {0.0, 1.0}) {
        SpringDesign raw{};
        raw.wireDiameter = 1;
        raw.meanDiameter = meanDiameter;
        raw.materialIndex = meanDiameter == 0 ? 30 : 0;
        for (const HookType type : {HookType::Round, HookType::U}) {
            const ExtraResults x =
                calculateExtraResults(raw, hookLibrary(), test::referenceCoefficients(), type);
            for (const double value :
                 {x.hookBendingFactor, x.hookBendingStress2, x.hookTorsionStress2,
                  x.naturalFrequency, x.wireLength, x.springMass, x.si.hookBendingAllowable})
                EXPECT_FALSE(std::isinf(value));
            EXPECT_TRUE(std::isnan(x.hookBendingFactor));
        }
    }
}

// The worked example (d 1, D 10, N 20, L0 39, piano wire with τ 880 and σB 1950 N/mm^2 at
// 1.0 mm, bending 70 % of σB, both ratios 80 %, K2 1.25), by hand. On the JIS basis the hook is
// judged on the compression spring's allowables, the first ratio alone:
//   τa = 880·0.64/9.80665 = 57.4304 kgf/mm^2, Wahl K = 39/36 + 0.0615 = 1.144833
//   coil:         3.14·τa·d³/(8·D·K) = 180.3315/91.5867 = 1.969 kgf (the record's maxLoad)
//   hook torsion: 880·0.8/9.80665 = 71.7880 kgf/mm^2; ·π·d³/(K2·8·D) = 2.255 kgf
//   hook bending: 0.7·1950·0.8/9.80665 = 111.353 kgf/mm^2 over σA per kgf
//                 (K1·16·D + 4·d)/(π·d³) = (389/360·160 + 4)/3.141593 = 56.3055: 1.978 kgf
//   the smallest, 1.969 kgf, is the coil's; k = 78500/9.80665/(8·20·1000) = 0.050030
//   and Pi = (29.0 + 12.9)/2·0.38178·3.14159/80 = 0.314092 give
//   L = 39 + (1.96897 − 0.31409)/0.050030 = 72.08 mm.
// (Both ratios on the hook, as before the basis, gave 1.804 and 1.582 kgf: the hook's bending
// governed at 1.582 kgf, 64.35 mm, and a hook at the coil's maximum load was over in both.)
// On the handbook's basis (steel: coil 45 %, hook torsion 40 %, hook bending 75 % of σB):
//   coil 0.45·1950/9.80665 = 89.4801 → 3.14·89.4801/91.5867 = 3.068 kgf
//   hook torsion 0.40·1950/9.80665 = 79.5379 → ·π/100 = 2.499 kgf, hook bending
//   0.75·1950/9.80665 = 149.134 → /56.3055 = 2.649 kgf: the hook's torsion governs.
TEST(ExtraResults, LimitLoadsOfTheCoilAndTheHooks) {
    const auto near4 = [](double actual, const char* expected) {
        EXPECT_EQ(formatF4(actual), expected); // four significant digits
    };
    SpringDesign design = test::referenceDesign();
    const DesignResult result = evaluate(design, HookType::Round);
    const ExtraResults& x = result.extras;
    near4(result.design.maxLoad, "1.969");
    near4(x.hookTorsionLimitLoad, "2.255");
    near4(x.hookBendingLimitLoad, "1.978");
    near4(x.maxLoadWithHooks, "1.969");
    EXPECT_EQ(x.governingPart, GoverningPart::Coil);
    near4(x.maxLengthWithHooks, "72.08");

    CoefficientSet handbook = test::referenceCoefficients();
    setDesignBasis(handbook, DesignBasis::Handbook);
    const DesignResult byHandbook = evaluate(design, HookType::Round, hookLibrary(), handbook);
    near4(byHandbook.design.allowableStress, "89.48");
    near4(byHandbook.design.maxLoad, "3.068");
    near4(byHandbook.extras.hookTorsionAllowable, "79.54");
    near4(byHandbook.extras.hookTorsionLimitLoad, "2.499");
    near4(byHandbook.extras.hookBendingLimitLoad, "2.649");
    EXPECT_EQ(byHandbook.extras.governingPart, GoverningPart::HookTorsion);

    // Loaded to the coil's maximum the hook is within both allowables; loaded past its own
    // limits it is over in torsion and in bending, says so, and has no fatigue life to speak of.
    design.lengthMode = kLoadsGiven;
    design.load1 = 1;
    design.load2 = result.design.maxLoad;
    const DesignResult atMaxLoad = evaluate(design, HookType::Round);
    near4(atMaxLoad.extras.hookTorsionStress2 / atMaxLoad.extras.hookTorsionAllowable, "0.873");
    EXPECT_TRUE(checkDesign(atMaxLoad.design).empty()); // "Calculation Success!"
    EXPECT_TRUE(atMaxLoad.hookChecks.empty());
    design.load2 = 2.3;
    const DesignResult over = evaluate(design, HookType::Round);
    ASSERT_EQ(over.hookChecks.size(), 2u);
    EXPECT_EQ(over.hookChecks[0].problem, HookProblem::TorsionOverAllowable);
    EXPECT_EQ(over.hookChecks[1].problem, HookProblem::BendingOverAllowable);
    EXPECT_EQ(over.extras.hookLifeClass, kShortestLifeClass);
    EXPECT_EQ(over.extras.hookBendingLifeClass, kShortestLifeClass);

    // A hook factor that is not a positive finite number (a damaged coefficient file) is no
    // factor: the torsion's limit and everything that needs it are missing, never −∞ or a guess.
    for (const double factor : {-double(INFINITY), 0.0, -1.25, double(NAN), double(INFINITY)}) {
        CoefficientSet damaged = test::referenceCoefficients();
        damaged.hookStressFactor = factor;
        const ExtraResults y =
            evaluate(test::referenceDesign(), HookType::Round, hookLibrary(), damaged).extras;
        EXPECT_TRUE(std::isnan(y.hookTorsionFactor) && std::isnan(y.hookTorsionStress2) &&
                    std::isnan(y.hookTorsionLimitLoad) && std::isnan(y.maxLoadWithHooks) &&
                    std::isnan(y.maxLengthWithHooks))
            << factor;
        EXPECT_FALSE(y.governingPart || y.hookLifeClass);
    }

    // A limit below the initial tension is reached at no length.
    design = test::referenceDesign();
    design.autoInitialTension = 0;
    design.initialTension = 2;
    const ExtraResults tight = evaluate(design, HookType::Round).extras;
    near4(tight.maxLoadWithHooks, "1.969");
    EXPECT_TRUE(std::isnan(tight.maxLengthWithHooks));
}

// Load mode with P1 below the initial tension: the spring opens only at Pi, so the force at L1 is
// Pi. d 1, D 10, N 20, Pi 0.314, P1 0.1, P2 1.5: L2 − L1 = (1.5 − 0.314)/0.050030 = 23.706 mm and
// W12 = (0.314 + 1.5)/2 · 23.706 = 21.50 kgf·mm (with P1 it would be 18.96).
TEST(ExtraResults, EnergyCountsFromTheInitialTensionWhenLoad1IsBelowIt) {
    SpringDesign design = test::referenceDesign();
    design.lengthMode = kLoadsGiven;
    design.autoInitialTension = 0;
    design.initialTension = 0.314;
    design.load1 = 0.1;
    design.load2 = 1.5;
    const ExtraResults x = evaluate(design, HookType::Round).extras;
    EXPECT_EQ(formatF4(x.energy12), "21.5");
    // Above the initial tension, P1 itself.
    design.load1 = 0.5;
    const DesignResult above = evaluate(design, HookType::Round);
    EXPECT_NEAR(above.extras.energy12,
                (0.5 + 1.5) / 2 * (above.design.length2 - above.design.length1), 1e-12);
}

// Reads the answer's text of one key: a number, null, or a string in quotes.
std::string valueText(const std::string& answer, const std::string& key) {
    const std::size_t start = answer.find("\"" + key + "\":");
    if (start == std::string::npos)
        return "<absent>";
    const std::size_t from = start + key.size() + 3;
    return answer.substr(from, answer.find_first_of(",}", from) - from);
}

TEST(ExtraResults, AnsweredInTheCalcJson) {
    const MaterialLibrary library = hookLibrary();
    std::string out;
    const int failed = calculateDesignsJson(
        R"([{"hookType": "u", "hookMinRadius": 0}, {"hookType": "round"}, {"hookType": "U"},
            {"hookType": 1}, {"hookType": "u", "hookType": "u"}])",
        library, test::referenceCoefficients(), japaneseWording(), cli::EnglishProblems(),
        [&out](std::string_view piece) { out += piece; });
    EXPECT_EQ(failed, 4);
    std::vector<std::string> answers;
    for (std::size_t line = out.find('\n') + 1; line < out.size() - 3;) {
        const std::size_t end = out.find('\n', line);
        answers.push_back(out.substr(line, end - line));
        line = end + 1;
    }
    ASSERT_EQ(answers.size(), 5u);

    // A U hook without a bend radius cannot be drawn: refused by name.
    EXPECT_EQ(answers[0], R"({"error":"hookMinRadius must be a positive finite number"},)");

    // The round hook's answer carries the core's values exactly, and nothing of the old keys
    // has moved: they come first, as before.
    const std::string& round = answers[1];
    const DesignResult expected = evaluate(test::referenceDesign(), HookType::Round, library);
    const auto number = [](const std::string& answer, const std::string& key) {
        const std::string text = valueText(answer, key);
        JsonReader reader(text);
        return reader.readNumber();
    };
    EXPECT_EQ(number(round, "hookBendingStress2"), expected.extras.hookBendingStress2);
    EXPECT_EQ(number(round, "springMass"), expected.extras.springMass);
    EXPECT_EQ(number(round, "energy12"), expected.extras.energy12); // the first, outside "si"
    EXPECT_EQ(valueText(round, "hookLifeText"), "\"1000万\"");
    EXPECT_LT(round.find("\"recommendations\":"), round.find("\"hookType\":"));
    const std::string si = round.substr(round.find(R"("si":{)"));
    EXPECT_EQ(number(si, "energy12"), expected.extras.si.energy12);

    // The help text documents every key of the answer, the SI values' included: each one opens
    // an entry of the key list (or is a word of the si entry), not merely a part of some text.
    const std::string_view keysHelp = cli::designKeysHelp();
    const std::set<std::string> documented = documentedKeys(keysHelp);
    const std::set<std::string> siWords = wordsOf(keysHelp.substr(keysHelp.find("\n  si ")));
    const std::string object = round.substr(0, round.size() - 1); // without the comma
    JsonReader reader(object);
    reader.enterObject();
    std::string key;
    while (reader.nextMember(key)) {
        EXPECT_TRUE(documented.count(key)) << key;
        if (key != "si") {
            reader.skipValue();
            continue;
        }
        reader.enterObject();
        while (reader.nextMember(key)) {
            EXPECT_TRUE(siWords.count(key)) << key;
            reader.skipValue();
        }
    }

    EXPECT_EQ(answers[2], R"({"error":"hookType: expected \"round\" or \"u\""},)");
    EXPECT_EQ(answers[3], R"({"error":"hookType: expected \"round\" or \"u\""},)");
    EXPECT_EQ(answers[4], R"({"error":"duplicate key \"hookType\""})");
}

} // namespace
} // namespace hspring

namespace hspring {
namespace {

// A round hook's radii, where given, set its factors: r2 = 1.5·d gives C2 = 3 and
// K2 = 11/8 = 1.375, 10 % more torsion than the customary 1.25; r1 = 4 mm gives C1 = 8 and
// K1 = 247/224 instead of 389/360 from D/2. Without them the results stay as they were. The
// natural frequency is judged against 15 times the operating frequency.
TEST(ExtraResults, RoundHookRadiiAndTheOperatingFrequency) {
    const SpringDesign design = test::referenceDesign();
    const DesignResult plain = evaluate(design, HookType::Round);
    ExtraInputs inputs;
    inputs.hookBendRadius = 1.5;
    inputs.hookLoopRadius = 4;
    const DesignResult shaped = evaluateDesign(design, hookLibrary(), test::referenceCoefficients(),
                                               HookType::Round, kDefaultToleranceGrade, inputs);
    EXPECT_EQ(plain.extras.hookTorsionFactor, 1.25);
    EXPECT_EQ(formatF15(shaped.extras.hookTorsionFactor), "1.375");
    EXPECT_EQ(formatF15(shaped.extras.hookBendingFactor), formatF15(247.0L / 224));
    EXPECT_NEAR(shaped.extras.hookTorsionStress2 / plain.extras.hookTorsionStress2, 1.1, 1e-12);
    EXPECT_LT(shaped.extras.hookTorsionLimitLoad, plain.extras.hookTorsionLimitLoad);
    // A U hook keeps its own bend: the radii are a round hook's.
    const DesignResult u = evaluateDesign(design, hookLibrary(), test::referenceCoefficients(),
                                          HookType::U, kDefaultToleranceGrade, inputs);
    EXPECT_EQ(u.extras.hookTorsionFactor, evaluate(design, HookType::U).extras.hookTorsionFactor);

    const double fn = plain.extras.naturalFrequency;
    ASSERT_GT(fn, 0);
    const auto surges = [&](double frequency) {
        ExtraInputs at;
        at.operatingFrequency = frequency;
        const DesignResult r = evaluateDesign(design, hookLibrary(), test::referenceCoefficients(),
                                              HookType::Round, kDefaultToleranceGrade, at);
        bool warned = false;
        for (const HookCheck& check : r.hookChecks)
            warned |= check.problem == HookProblem::NaturalFrequencyBelowSurgeRatio;
        EXPECT_EQ(warned, r.extras.surges);
        return warned;
    };
    EXPECT_FALSE(surges(fn / 15 * 0.999));
    EXPECT_TRUE(surges(fn / 15 * 1.001));
    EXPECT_FALSE(surges(std::numeric_limits<double>::quiet_NaN()));
}

} // namespace
} // namespace hspring
