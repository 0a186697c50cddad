// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "base/json_reader.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/checks.h"
#include "calc/design_batch.h"
#include "calc/recommendations.h"
#include "calc/spring_design.h"
#include "calc/tolerances.h"
#include "cli/key_help.h"
#include "cli/problem_text.h"
#include "data/short_string.h"
#include "search/design_search.h"
#include "search/fit_hints.h"
#include "search/search_json.h"
#include "tests/support/shipped_data.h"
#include "wording/japanese.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

namespace hspring {
namespace {

using test::shippedCoefficients;
using test::shippedLibrary;

DesignRequirement requirement(double length1, double load1, double length2, double load2) {
    DesignRequirement r;
    r.length1 = length1;
    r.load1 = load1;
    r.length2 = length2;
    r.load2 = load2;
    return r;
}

// What identifies a candidate of the grid, and its initial tension.
using Key = std::tuple<int, int, double, double, double>;
std::vector<Key> keysOf(const SearchOutcome& outcome) {
    std::vector<Key> keys;
    for (const SearchCandidate& c : outcome.candidates) {
        const SpringDesign& s = c.result.design;
        keys.emplace_back(s.materialIndex, s.diameterIndex, s.meanDiameter, s.totalTurns,
                          s.initialTension);
    }
    return keys;
}

double fieldValue(double value) {
    return textToDouble(formatF4(value));
}

// Calculates a candidate again from its inputs, as the window does after taking them, and checks
// it against every part of the requirement.
void expectMeetsRequirement(const SearchCandidate& candidate, const DesignRequirement& r,
                            const MaterialLibrary& library, const CoefficientSet& coefficients) {
    SCOPED_TRACE("rank " + std::to_string(candidate.rank));
    const DesignResult again = evaluateDesign(candidate.result.design, library, coefficients,
                                              r.hookType, r.toleranceGrade);
    const SpringDesign& s = again.design;
    EXPECT_EQ(std::memcmp(&s, &candidate.result.design, sizeof s), 0) << "not what 計算 gives";

    // Each load with its production tolerance of the grade within the requirement's tolerance.
    const double tolerance = r.loadTolerance / 100;
    const Tolerances made = calculateTolerances(s, r.toleranceGrade);
    const double band1 = r.toleranceGrade == 0 ? 0 : made.load1;
    const double band2 = r.toleranceGrade == 0 ? 0 : made.load2;
    EXPECT_LE(std::fabs(s.load1 - r.load1) + band1, tolerance * r.load1 * (1 + 1e-12));
    EXPECT_LE(std::fabs(s.load2 - r.load2) + band2, tolerance * r.load2 * (1 + 1e-12));
    EXPECT_EQ(again.tolerances.grade, r.toleranceGrade);
    EXPECT_EQ(s.length1, r.length1);
    EXPECT_EQ(s.length2, r.length2);
    EXPECT_EQ(s.lengthMode, kLengthsGiven);
    EXPECT_EQ(s.autoInitialTension, 0);
    EXPECT_EQ(s.lowTempAnnealed, r.lowTempAnnealed ? 1 : 0);
    EXPECT_TRUE(again.checks.empty()); // "Calculation Success!"
    // The stresses at the top of P2's band.
    const double top = (s.load2 + band2) / s.load2;
    EXPECT_LE(s.stress2 * top, s.allowableStress + 0.0005);
    EXPECT_LE(again.extras.hookTorsionStress2 * top, again.extras.hookTorsionAllowable);
    EXPECT_LE(again.extras.hookBendingStress2 * top, again.extras.hookBendingAllowable);
    // The room at the edge of the grade's tolerance.
    const double dDo = r.toleranceGrade == 0 ? 0 : made.outerDiameter;
    const double dL0 = r.toleranceGrade == 0 ? 0 : made.freeLength;
    EXPECT_LE(s.outerDiameter + dDo, r.maxOuterDiameter.value_or(s.outerDiameter + dDo));
    EXPECT_GE(s.innerDiameter - dDo, r.minInnerDiameter.value_or(s.innerDiameter - dDo));
    EXPECT_LE(s.freeLength + dL0, r.maxFreeLength.value_or(s.freeLength + dL0));
    if (r.requiredLifeClass) {
        ASSERT_TRUE(again.extras.springLifeClass.has_value());
        EXPECT_LE(*again.extras.springLifeClass, *r.requiredLifeClass);
    }
    // The grid: a whole multiple of the step, quarter turns from 3, a listed wire.
    EXPECT_NEAR(std::remainder(s.meanDiameter, r.diameterStep), 0, 1e-9);
    EXPECT_EQ(std::remainder(s.totalTurns * 4, 1.0), 0);
    EXPECT_GE(s.totalTurns, 3);
    EXPECT_EQ(s.wireDiameter, library[s.materialIndex].diameters[s.diameterIndex]);
    EXPECT_EQ(s.diameterKind, kMeanDiameter);
    // What the window's fields hold and read back: the recommended free length and an initial
    // tension within the recommended range, both in four digits.
    // The free length of the spring as drawn: with U hooks the hooks' own length (in extended
    // precision, as the field is given it: a length on a half unit of the fourth digit rounds
    // by its extended value).
    const long double drawnLength =
        r.hookType == HookType::U ? (static_cast<long double>(s.totalTurns) + 1) * s.wireDiameter +
                                        2 * static_cast<long double>(s.hookLength)
                                  : recommendedFreeLength(s);
    EXPECT_EQ(s.freeLength, textToDouble(formatF4(drawnLength)));
    EXPECT_LE(s.freeLength, r.length1);
    EXPECT_EQ(s.initialTension, fieldValue(s.initialTension));
    EXPECT_GE(s.initialTension, again.range.low);
    EXPECT_LE(s.initialTension, again.range.high);
    EXPECT_NEAR(candidate.coilStressUse, (s.load2 + band2) / s.maxLoad, 1e-14);
    // Within the limit that includes the hooks, where the material gives every part's limit.
    if (!std::isnan(again.extras.maxLoadWithHooks)) {
        EXPECT_LE(s.load2 + band2, again.extras.maxLoadWithHooks * (1 + 1e-12));
    }
}

TEST(SearchDesigns, EveryCandidateMeetsTheRequirementWhenCalculatedAgain) {
    // A round hook and the lightest first; then a U hook in a bore, within a length, for a life.
    // The first judged in the worst case of grade 2, the second at its nominal loads.
    DesignRequirement light = requirement(45, 1, 55, 2);
    light.loadTolerance = 20;
    DesignRequirement bore = requirement(80, 4, 100, 8);
    bore.hookType = HookType::U;
    bore.hookLength = 12;
    bore.hookMinRadius = 2;
    bore.maxOuterDiameter = 18;
    bore.minInnerDiameter = 6;
    bore.maxFreeLength = 72;
    bore.requiredLifeClass = 1;
    bore.lowTempAnnealed = true;
    bore.loadTolerance = 5;
    bore.toleranceGrade = 0;
    bore.objective = SearchObjective::Life;
    for (const DesignRequirement& r : {light, bore}) {
        const SearchOutcome outcome = searchDesigns(r, shippedLibrary(), shippedCoefficients());
        ASSERT_EQ(outcome.candidates.size(), 20u);
        EXPECT_FALSE(outcome.cancelled);
        EXPECT_GE(outcome.feasible, 20u);
        for (std::size_t i = 0; i < outcome.candidates.size(); ++i) {
            const SearchCandidate& c = outcome.candidates[i];
            EXPECT_EQ(c.rank, static_cast<int>(i) + 1);
            expectMeetsRequirement(c, r, shippedLibrary(), shippedCoefficients());
            if (i == 0)
                continue;
            // Best first by the objective.
            const ExtraResults& before = outcome.candidates[i - 1].result.extras;
            const ExtraResults& now = c.result.extras;
            if (r.objective == SearchObjective::Mass) {
                EXPECT_LE(before.springMass, now.springMass);
            } else {
                EXPECT_LE(*before.springLifeClass, *now.springLifeClass);
                if (*before.springLifeClass == *now.springLifeClass) {
                    EXPECT_LE(before.springMass, now.springMass);
                }
            }
        }
    }
}

TEST(SearchDesigns, APlantedDesignIsFoundOrBeaten) {
    // SWP-A, d = 1.2 mm, D = 11.3 mm, N = 17.25 with the recommended free length and the middle
    // of the initial-tension range: the requirement is what it gives.
    const MaterialLibrary& library = shippedLibrary();
    SpringDesign planted{};
    resetDesignDefaults(planted);
    planted.materialIndex = 3;
    ASSERT_EQ(shortStringText(library[3].gradeSymbol), "SWP-A");
    planted.diameterIndex = 0;
    while (library[3].diameters[planted.diameterIndex] != 1.2)
        ++planted.diameterIndex;
    planted.wireDiameter = 1.2;
    setCoilDiameters(planted, 11.3, 1.2);
    setTurns(planted, 17.25);
    planted.freeLength = fieldValue(static_cast<double>(recommendedFreeLength(planted)));
    planted.length1 = 48;
    planted.length2 = 60;
    const DesignResult given = evaluateDesign(planted, library, shippedCoefficients());
    ASSERT_TRUE(given.checks.empty()); // "Calculation Success!"

    DesignRequirement r = requirement(48, given.design.load1, 60, given.design.load2);
    r.loadTolerance = 2;
    r.toleranceGrade = 0;
    r.materials = {3};
    r.count = 1000;
    const SearchOutcome all = searchDesigns(r, library, shippedCoefficients());
    bool found = false;
    for (const SearchCandidate& c : all.candidates) {
        const SpringDesign& s = c.result.design;
        found |= s.diameterIndex == planted.diameterIndex && s.meanDiameter == 11.3 &&
                 s.totalTurns == 17.25;
    }
    EXPECT_TRUE(found);

    // Over every material the lightest is at most as heavy.
    r.materials.clear();
    r.count = 1;
    const SearchOutcome best = searchDesigns(r, library, shippedCoefficients());
    ASSERT_EQ(best.candidates.size(), 1u);
    EXPECT_LE(best.candidates[0].result.extras.springMass, given.extras.springMass);
}

TEST(SearchDesigns, NothingFeasibleGivesAnEmptyList) {
    // A heavy load in a thin tube: no wire of the library carries it.
    DesignRequirement r = requirement(40, 200, 50, 300);
    r.maxOuterDiameter = 6;
    std::uint64_t lastDone = 0, lastTotal = 0;
    SearchControl control;
    control.progress = [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_GE(done, lastDone);
        lastDone = done;
        lastTotal = total;
    };
    const SearchOutcome outcome =
        searchDesigns(r, shippedLibrary(), shippedCoefficients(), control);
    EXPECT_TRUE(outcome.candidates.empty());
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_EQ(outcome.feasible, 0u);
    // The progress ends at the bound of the pruned grid, which is what was calculated.
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(lastDone, outcome.calculated);

    // A cancelled search stops and returns nothing.
    const std::atomic<bool> cancel{true};
    control = {};
    control.cancel = &cancel;
    const SearchOutcome stopped =
        searchDesigns(requirement(45, 1, 55, 2), shippedLibrary(), shippedCoefficients(), control);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_TRUE(stopped.candidates.empty());
    EXPECT_EQ(stopped.calculated, 0u);
}

TEST(SearchDesigns, TheWorstCaseRejectsTheNominalBest) {
    // A designer's small spring: judged at the nominal loads its lightest candidates sit at the
    // edge of the window, where the production tolerance of grade 2 carries them out of it.
    DesignRequirement r = requirement(45, 0.6, 55, 1.1);
    r.toleranceGrade = 0;
    const SearchOutcome nominal = searchDesigns(r, shippedLibrary(), shippedCoefficients());
    ASSERT_FALSE(nominal.candidates.empty());
    const SpringDesign& edge = nominal.candidates.front().result.design;
    const Tolerances band = calculateTolerances(edge, 2);
    ASSERT_GT(std::max((std::fabs(edge.load1 - r.load1) + band.load1) / r.load1,
                       (std::fabs(edge.load2 - r.load2) + band.load2) / r.load2),
              0.1);

    r.toleranceGrade = 2;
    r.count = 1000;
    const SearchOutcome worst = searchDesigns(r, shippedLibrary(), shippedCoefficients());
    ASSERT_FALSE(worst.candidates.empty());
    EXPECT_LT(worst.feasible, nominal.feasible);
    for (const SearchCandidate& c : worst.candidates) {
        const SpringDesign& s = c.result.design;
        EXPECT_FALSE(s.materialIndex == edge.materialIndex && s.wireDiameter == edge.wireDiameter &&
                     s.meanDiameter == edge.meanDiameter && s.totalTurns == edge.totalTurns &&
                     s.initialTension == edge.initialTension);
    }
    for (const SearchCandidate& c :
         std::vector(worst.candidates.begin(), worst.candidates.begin() + 20))
        expectMeetsRequirement(c, r, shippedLibrary(), shippedCoefficients());

    // Ranked by accuracy, the worst-case deviations never fall down the list.
    r.objective = SearchObjective::Accuracy;
    r.count = 30;
    const SearchOutcome accurate = searchDesigns(r, shippedLibrary(), shippedCoefficients());
    ASSERT_EQ(accurate.candidates.size(), 30u);
    double last = 0;
    for (const SearchCandidate& c : accurate.candidates) {
        const double deviation = std::max(c.worstDeviation1, c.worstDeviation2);
        EXPECT_GE(deviation, last);
        EXPECT_LE(deviation, 0.1);
        last = deviation;
    }
}

TEST(SearchDesigns, NothingFeasibleSaysWhy) {
    // Grade 3 spreads every load by more than 12 %: a tolerance of 2 % cannot hold, though the
    // nominal loads can.
    DesignRequirement r = requirement(45, 0.6, 55, 1.1);
    r.loadTolerance = 2;
    r.toleranceGrade = 3;
    r.kinds = {1};
    const SearchOutcome outcome = searchDesigns(r, shippedLibrary(), shippedCoefficients());
    EXPECT_TRUE(outcome.candidates.empty());
    ASSERT_TRUE(outcome.explanation.has_value());
    const SearchExplanation& why = *outcome.explanation;
    const auto count = [&](SearchConstraint c) {
        return why.rejected[static_cast<std::size_t>(c)];
    };
    EXPECT_GT(count(SearchConstraint::WorstCaseLoads), 0u);
    EXPECT_GT(count(SearchConstraint::Loads), count(SearchConstraint::WorstCaseLoads));
    ASSERT_TRUE(why.nearestMiss.has_value());
    EXPECT_EQ(why.nearestMiss->broken,
              std::vector<SearchConstraint>{SearchConstraint::WorstCaseLoads});
    // What would help: the grade's tolerance alone is wider than the window, and even grade 1's
    // (at least ±4 %) is, so only a wider window does.
    const std::vector<FitHint> hints = fitHints(r, shippedLibrary(), outcome);
    ASSERT_EQ(hints.size(), 1u);
    EXPECT_EQ(hints[0].code, FitHintCode::GradeToleranceWiderThanWindow);
    EXPECT_GE(hints[0].share, 12);
    EXPECT_EQ(hints[0].grade, 0);

    // The same at grade 0 finds springs, and no explanation comes with them.
    r.toleranceGrade = 0;
    const SearchOutcome nominal = searchDesigns(r, shippedLibrary(), shippedCoefficients());
    EXPECT_FALSE(nominal.candidates.empty());
    EXPECT_FALSE(nominal.explanation.has_value());

    // A load no wire carries in a thin tube: the bounds remove everything, by the tube and the
    // stresses, before any calculation.
    DesignRequirement heavy = requirement(40, 200, 50, 300);
    heavy.maxOuterDiameter = 6;
    const SearchOutcome none = searchDesigns(heavy, shippedLibrary(), shippedCoefficients());
    ASSERT_TRUE(none.explanation.has_value());
    EXPECT_FALSE(none.explanation->nearestMiss.has_value());
    EXPECT_EQ(none.calculated, 0u);
    EXPECT_GT(none.explanation->rejected[static_cast<std::size_t>(SearchConstraint::OuterDiameter)],
              0u);
    EXPECT_GT(none.explanation->rejected[static_cast<std::size_t>(SearchConstraint::CoilStress)],
              0u);
    // The room is not what stops it, nor the grade's tolerance in a ±10 % window: no hint.
    EXPECT_TRUE(fitHints(heavy, shippedLibrary(), none).empty());
    // U hooks reaching 30 mm beyond the coil make no spring as short as L1 = 45; a tube with
    // less than two wires between its walls holds none.
    heavy.hookType = HookType::U;
    heavy.hookLength = 30;
    heavy.length1 = 45;
    heavy.minInnerDiameter = 5.99;
    const std::vector<FitHint> room = fitHints(heavy, shippedLibrary(), none);
    ASSERT_EQ(room.size(), 2u);
    EXPECT_EQ(room[0].code, FitHintCode::RoomNarrowerThanWire);
    EXPECT_EQ(room[1].code, FitHintCode::FreeLengthTooShort);
    EXPECT_EQ(room[1].field, "length1");
    EXPECT_GT(room[1].least, 60);
}

TEST(SearchDesigns, OneThreadAndTwoGiveTheSameList) {
    // Life classes tie often, so the order below them decides much of the list.
    DesignRequirement r = requirement(60, 2, 75, 4);
    r.loadTolerance = 20;
    r.objective = SearchObjective::Life;
    r.count = 200;
    for (const SearchObjective objective : {SearchObjective::Life, SearchObjective::Margin,
                                            SearchObjective::Mass, SearchObjective::Accuracy}) {
        r.objective = objective;
        SearchControl one, two;
        one.threads = 1;
        two.threads = 2;
        const SearchOutcome a = searchDesigns(r, shippedLibrary(), shippedCoefficients(), one);
        const SearchOutcome b = searchDesigns(r, shippedLibrary(), shippedCoefficients(), two);
        ASSERT_EQ(a.candidates.size(), 200u);
        EXPECT_EQ(keysOf(a), keysOf(b));
        EXPECT_EQ(a.feasible, b.feasible);
        EXPECT_EQ(a.calculated, b.calculated);
    }
}

// Three grades with five wires each, from 0.8 to 1.6 mm; one of them without bending data.
MaterialLibrary reducedLibrary() {
    MaterialLibrary library = shippedLibrary();
    for (int m = 0; m < kMaterialCount; ++m) {
        MaterialRecord& record = library[m];
        if (m != 1 && m != 4 && m != 6) {
            record.kind = kUnusedKind;
            continue;
        }
        int first = 0;
        while (record.diameters[first] < 0.8)
            ++first;
        for (int j = 0; j < 5; ++j) {
            record.diameters[j] = record.diameters[first + j];
            record.tensileStrength[j] = record.tensileStrength[first + j];
            record.allowableTorsion[j] = record.allowableTorsion[first + j];
            record.allowableBending[j] = record.allowableBending[first + j];
        }
        record.diameterCount = 5;
    }
    // A grade without bending data: its hooks' bending is not judged.
    library[4].bendingPercent = 0;
    for (double& stress : library[4].allowableBending)
        stress = 0;
    return library;
}

TEST(SearchDesigns, PruningFindsWhatCalculatingEveryCandidateFinds) {
    const MaterialLibrary library = reducedLibrary();
    // Loose and tight tolerances, with and without limits, both hooks; a coarse step keeps the
    // exhaustive run short. The grid below covers every diameter up to 22 · 1.6 mm and more turns
    // than a free length of L1 holds.
    DesignRequirement loose = requirement(45, 0.8, 55, 1.6);
    loose.loadTolerance = 20;
    loose.toleranceGrade = 1;
    loose.diameterStep = 0.3;
    DesignRequirement tight = requirement(50, 1.5, 62, 2.6);
    tight.loadTolerance = 3;
    tight.diameterStep = 0.2;
    tight.hookType = HookType::U;
    tight.hookLength = 9;
    tight.hookMinRadius = 1.5;
    tight.maxOuterDiameter = 14;
    tight.minInnerDiameter = 6;
    tight.maxFreeLength = 48;
    tight.lowTempAnnealed = true;
    tight.toleranceGrade = 0;
    for (DesignRequirement r : {loose, tight}) {
        r.count = 1000;
        SearchControl exhaustive;
        exhaustive.exhaustive = ExhaustiveGrid{40, 70};
        const SearchOutcome pruned = searchDesigns(r, library, shippedCoefficients());
        const SearchOutcome everything =
            searchDesigns(r, library, shippedCoefficients(), exhaustive);
        EXPECT_GT(pruned.feasible, 20u);
        EXPECT_EQ(pruned.feasible, everything.feasible);
        EXPECT_EQ(keysOf(pruned), keysOf(everything));
        // The pruning is worth having: most of the grid is never calculated.
        EXPECT_LT(pruned.calculated * 20, everything.calculated);
        // The grade without bending data is judged by the hook's torsion alone.
        int withoutBending = 0;
        for (const SearchCandidate& c : pruned.candidates) {
            if (c.result.design.materialIndex != 4)
                continue;
            ++withoutBending;
            EXPECT_TRUE(std::isnan(c.result.extras.hookBendingAllowable));
            const SpringDesign& s = c.result.design;
            const double band = r.toleranceGrade == 0 ? 0 : c.result.tolerances.load2;
            const double top = (s.load2 + band) / s.load2;
            EXPECT_NEAR(c.hookStressUse,
                        c.result.extras.hookTorsionStress2 * top /
                            c.result.extras.hookTorsionAllowable,
                        1e-14);
        }
        EXPECT_GT(withoutBending, 0);
    }
}

TEST(CheckRequirement, NamesTheFirstProblem) {
    const MaterialLibrary& library = shippedLibrary();
    EXPECT_FALSE(checkRequirement(requirement(45, 1, 55, 2), library));
    const auto messageOf = [&](const DesignRequirement& r) {
        const std::optional<RequirementProblem> problem = checkRequirement(r, library);
        EXPECT_TRUE(problem.has_value());
        return problem ? cli::requirementProblemText(*problem) : std::string();
    };
    EXPECT_EQ(messageOf(requirement(55, 1, 45, 2)), "length1 must be below length2");
    EXPECT_EQ(messageOf(requirement(45, 0, 55, 2)), "load1 must be above 0");
    EXPECT_EQ(messageOf(requirement(45, 2, 55, 2)), "load1 must be below load2");
    DesignRequirement r = requirement(45, 1, 55, 2);
    r.loadTolerance = 100;
    EXPECT_EQ(messageOf(r), "loadTolerance must lie above 0 and below 100 (per cent)");
    r = requirement(45, 1, 55, 2);
    r.materials = {3, 12};
    EXPECT_EQ(messageOf(r), "materials: 12 is not a material of the lists");
    r.materials.clear();
    r.kinds = {5};
    EXPECT_EQ(messageOf(r), "no material of the library to search");
    r.kinds.clear();
    r.diameterStep = 0.0001;
    EXPECT_EQ(messageOf(r), "diameterStep must lie within 0.001..100 mm");
    r.diameterStep = 0.1;
    r.maxOuterDiameter = -1;
    const std::optional<RequirementProblem> problem = checkRequirement(r, library);
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(problem->code, RequirementProblemCode::NotAboveZero);
    EXPECT_EQ(problem->field, "maxOuterDiameter");
    EXPECT_THROW(searchDesigns(r, library, shippedCoefficients()), Error);
}

// Each default the help states is the one the reader leaves: giving a key the value its help
// calls the default changes nothing, for every key that has one.
TEST(SearchDesignsJson, TheHelpStatesTheDefaultsTheReaderTakes) {
    const auto read = [](const std::string& more) {
        const std::string text = R"({"length1": 45, "load1": 1, "length2": 55, "load2": 2)" + more;
        const RequirementRequests requests = readRequirementsJson(text + "}", shippedLibrary());
        EXPECT_FALSE(requests.requirements.at(0).failed()) << text;
        return requests.requirements.at(0).requirement;
    };
    const DesignRequirement unchanged = read("");
    // Each key's help, its own line and the indented lines under it.
    std::map<std::string, std::string> helpOf;
    std::istringstream help(cli::requirementKeysHelp(japaneseWording()));
    std::string line;
    std::string key;
    const std::regex keyLine(R"(^  ([A-Za-z0-9]+)\b.*)");
    std::smatch match;
    while (std::getline(help, line)) {
        if (std::regex_match(line, match, keyLine))
            key = match[1];
        else if (!line.starts_with("   "))
            key.clear();
        if (!key.empty())
            helpOf[key] += line + "\n";
    }
    const std::regex stated(
        R"re(\(default ([0-9.]+|true|false)[;)]|("[a-z]+") \(default\)|\(default, (null): none\))re");
    std::set<std::string_view> checked;
    for (const std::string_view name : kRequirementKeyNames) {
        const std::string& text = helpOf[std::string(name)];
        ASSERT_FALSE(text.empty()) << name << " is not in the help";
        if (!std::regex_search(text, match, stated))
            continue;
        const std::string value = match[1].matched   ? match[1]
                                  : match[2].matched ? match[2]
                                                     : match[3];
        EXPECT_TRUE(read(", \"" + std::string(name) + "\": " + value) == unchanged) << text;
        checked.insert(name);
    }
    // All but the working points, the materials and the four optional inputs without a default.
    EXPECT_EQ(checked.size(), kRequirementKeyCount - 10)
        << cli::requirementKeysHelp(japaneseWording());
}

TEST(SearchDesignsJson, RequirementsInCandidatesOutReadingBackThroughCalc) {
    const std::string input = R"([
        {"length1": 45, "load1": 1, "length2": 55, "load2": 2, "count": 3, "kinds": [1],
         "loadTolerance": 20, "toleranceGrade": 1,
         "maxFreeLength": null, "hookType": "round", "objective": "life"},
        {"length1": 40, "load1": 200, "length2": 50, "load2": 300, "maxOuterDiameter": 6},
        {"length1": 45, "load1": 1, "length2": 55},
        {"length1": 45, "load1": 1, "length2": 55, "load2": 2, "colour": "red"},
        {"length1": 45, "load1": 1, "length2": 55, "load2": 2, "materials": [1, 2.5]},
        {"length1": 45, "load1": 1, "length2": 55, "load2": 2, "objective": "cost"},
        {"length1": 55, "load1": 1, "length2": 45, "load2": 2},
        7
    ])";
    std::string out;
    const int failed =
        searchDesignsJson(input, shippedLibrary(), shippedCoefficients(), japaneseWording(),
                          cli::EnglishProblems(), [&out](std::string_view piece) { out += piece; });
    EXPECT_EQ(failed, 6);
    JsonReader reader(out);
    reader.enterArray();

    // Three piano-wire candidates, ranked, each a calc answer that calc reads back as itself.
    ASSERT_TRUE(reader.nextElement());
    reader.enterArray();
    std::string key;
    for (int rank = 1; rank <= 3; ++rank) {
        ASSERT_TRUE(reader.nextElement());
        const std::size_t start = out.find('{', reader.offset());
        reader.skipValue();
        const std::string candidate(out.substr(start, reader.offset() - start));
        EXPECT_EQ(candidate.rfind("{\"rank\":" + std::to_string(rank) + ",\"inUse\":1,", 0), 0u)
            << candidate.substr(0, 40);
        std::string again;
        EXPECT_EQ(calculateDesignsJson(candidate, shippedLibrary(), shippedCoefficients(),
                                       japaneseWording(), cli::EnglishProblems(),
                                       [&again](std::string_view piece) { again += piece; }),
                  0);
        // Read again, the candidate is its calc answer: without the rank before and the
        // search's member after.
        const std::size_t rankEnd = candidate.find(',');
        const std::size_t searchStart = candidate.rfind(",\"search\":{\"worstDeviation1\":");
        ASSERT_NE(searchStart, std::string::npos);
        EXPECT_EQ("{" + candidate.substr(rankEnd + 1, searchStart - rankEnd - 1) + "}\n", again);
        EXPECT_EQ(
            shippedLibrary()[std::stoi(candidate.substr(candidate.find("\"materialIndex\":") + 16))]
                .kind,
            kPianoWireKind);
    }
    EXPECT_FALSE(reader.nextElement());
    // Nothing feasible: why, in place of the array.
    ASSERT_TRUE(reader.nextElement());
    reader.enterObject();
    std::vector<std::string> keys;
    while (reader.nextMember(key)) {
        keys.push_back(key);
        reader.skipValue();
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"calculated", "rejected", "nearestMiss"}));
    // Each malformed requirement: its error in its place.
    std::vector<std::string> errors;
    while (reader.nextElement()) {
        reader.enterObject();
        ASSERT_TRUE(reader.nextMember(key));
        EXPECT_EQ(key, "error");
        errors.push_back(reader.readString());
        EXPECT_FALSE(reader.nextMember(key));
    }
    reader.finish();
    EXPECT_EQ(errors, (std::vector<std::string>{
                          "load2: missing",
                          "unknown key \"colour\"",
                          "materials: expected an array of integers",
                          "objective: expected \"mass\", \"life\", \"margin\" or \"accuracy\"",
                          "length1 must be below length2",
                          "expected a requirement object",
                      }));

    // One requirement, one array; broken JSON, one error.
    out.clear();
    EXPECT_EQ(searchDesignsJson(R"({"length1": 40, "load1": 200, "length2": 50, "load2": 300,
                                   "maxOuterDiameter": 6})",
                                shippedLibrary(), shippedCoefficients(), japaneseWording(),
                                cli::EnglishProblems(),
                                [&out](std::string_view piece) { out += piece; }),
              0);
    EXPECT_EQ(out.rfind("{\"calculated\":", 0), 0u) << out.substr(0, 80);
    out.clear();
    EXPECT_EQ(searchDesignsJson("[{\"length1\": }]", shippedLibrary(), shippedCoefficients(),
                                japaneseWording(), cli::EnglishProblems(),
                                [&out](std::string_view piece) { out += piece; }),
              1);
    EXPECT_EQ(out.rfind("{\"error\":\"JSON: ", 0), 0u) << out;
}

} // namespace
} // namespace hspring
