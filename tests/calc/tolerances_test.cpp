// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_reader.h"
#include "calc/design_batch.h"
#include "calc/design_json.h"
#include "calc/tolerances.h"
#include "cli/problem_text.h"
#include "tests/support/test_materials.h"
#include "wording/japanese.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace hspring {
namespace {

// A spring worked by hand: Pi 0.3 kgf, P1 0.6, P2 1.1 kgf, 12 active turns, k 0.05 kgf/mm,
// d 0.6, D 6 (D/d 10), Do 6.6, L0 30 mm.
SpringDesign handWorked() {
    SpringDesign s{};
    s.initialTension = 0.3;
    s.load1 = 0.6;
    s.load2 = 1.1;
    s.activeTurns = 12;
    s.springRate = 0.05;
    s.wireDiameter = 0.6;
    s.meanDiameter = 6;
    s.outerDiameter = 6.6;
    s.springIndex = 10;
    s.freeLength = 30;
    s.length1 = 36;
    s.length2 = 46;
    s.maxLength = 60;
    return s;
}

TEST(Tolerances, HandWorkedSpringAtEachGrade) {
    const struct {
        int grade;
        double load1, load2, rate, freeLength, outerDiameter;
    } cases[] = {
        // α·Pi + β·(P − Pi), β of the row above 10 turns; the rate's per cent; the dimensions'
        // per cent of D/d over 8 to 15 or their least value.
        {1, 0.03 + 0.3 * 0.04, 0.03 + 0.8 * 0.04, 0.002, 0.5, 0.2},
        {2, 0.045 + 0.3 * 0.08, 0.045 + 0.8 * 0.08, 0.004, 0.9, 0.3},
        {3, 0.06 + 0.3 * 0.12, 0.06 + 0.8 * 0.12, 0.006, 1.2, 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grade);
        const Tolerances t = calculateTolerances(handWorked(), c.grade);
        EXPECT_EQ(t.grade, c.grade);
        EXPECT_NEAR(t.load1, c.load1, 1e-15);
        EXPECT_NEAR(t.load2, c.load2, 1e-15);
        EXPECT_NEAR(t.springRate, c.rate, 1e-15);
        EXPECT_NEAR(t.freeLength, c.freeLength, 1e-14);
        EXPECT_NEAR(t.outerDiameter, c.outerDiameter, 1e-15);
    }
    const Tolerances none = calculateTolerances(handWorked(), kNoToleranceGrade);
    for (const double v :
         {none.load1, none.load2, none.springRate, none.freeLength, none.outerDiameter})
        EXPECT_TRUE(std::isnan(v));
}

TEST(Tolerances, RowsChangeAtTheBoundariesOfTurnsAndIndex) {
    SpringDesign s = handWorked();
    s.activeTurns = 10; // the row of 3 to 10 turns: β 0.10, rate 10 % at grade 2
    Tolerances t = calculateTolerances(s, 2);
    EXPECT_NEAR(t.load1, 0.045 + 0.3 * 0.10, 1e-15);
    EXPECT_NEAR(t.springRate, 0.005, 1e-15);
    s.activeTurns = 3;
    EXPECT_NEAR(calculateTolerances(s, 2).load1, 0.045 + 0.3 * 0.10, 1e-15);
    s.activeTurns = 2.99; // below the tables
    t = calculateTolerances(s, 2);
    EXPECT_TRUE(std::isnan(t.load1) && std::isnan(t.load2) && std::isnan(t.springRate));

    s = handWorked();
    s.springIndex = 8; // the first row of both dimensions: 2 % (0.5) and 1.5 % (0.2)
    s.freeLength = 50;
    s.outerDiameter = 20;
    t = calculateTolerances(s, 2);
    EXPECT_NEAR(t.freeLength, 1.0, 1e-14);
    EXPECT_NEAR(t.outerDiameter, 0.3, 1e-15);
    s.springIndex = 8.001; // over 8: 3 % and 2 %
    t = calculateTolerances(s, 2);
    EXPECT_NEAR(t.freeLength, 1.5, 1e-14);
    EXPECT_NEAR(t.outerDiameter, 0.4, 1e-15);
    s.springIndex = 22; // the last row: 4 % and 3 %
    t = calculateTolerances(s, 2);
    EXPECT_NEAR(t.freeLength, 2.0, 1e-14);
    EXPECT_NEAR(t.outerDiameter, 0.6, 1e-15);
    s.springIndex = 3.5; // a free length of the first row, no outer diameter below 4
    t = calculateTolerances(s, 2);
    EXPECT_NEAR(t.freeLength, 1.0, 1e-14);
    EXPECT_TRUE(std::isnan(t.outerDiameter));
    s.springIndex = 22.01;
    t = calculateTolerances(s, 2);
    EXPECT_TRUE(std::isnan(t.freeLength) && std::isnan(t.outerDiameter));
}

TEST(Tolerances, ConditionsOfSpecifyingTheLoads) {
    SpringDesign s = handWorked(); // deflections 6 and 16 of 30: 20 % to 80 % is 6 to 24
    EXPECT_TRUE(toleranceBreaches(s, 60, 2).empty());
    EXPECT_TRUE(toleranceBreaches(s, 60, kNoToleranceGrade).empty());
    s.length1 = 33; // 3 mm: below 20 % and below 4 mm
    s.length2 = 55; // 25 mm: above 80 %
    const std::vector<ToleranceBreach> breaches = toleranceBreaches(s, 60, 2);
    ASSERT_EQ(breaches.size(), 3u);
    EXPECT_EQ(breaches[0].condition, ToleranceCondition::DeflectionBelowShare);
    EXPECT_EQ(breaches[1].condition, ToleranceCondition::DeflectionBelowMinimum);
    EXPECT_EQ(breaches[1].workingPoint, 1);
    EXPECT_EQ(breaches[2].condition, ToleranceCondition::DeflectionAboveShare);
    EXPECT_EQ(breaches[2].workingPoint, 2);
    EXPECT_EQ(toleranceBreachText(breaches[1]), "警告: Ｌ１のたわみが4mm未満です");
}

TEST(Tolerances, CalcAnswersWithTheGradeAsked) {
    const MaterialLibrary library = test::referenceLibrary();
    std::string out;
    const int failed = calculateDesignsJson(
        R"([{"toleranceGrade": 1}, {}, {"toleranceGrade": 0}, {"toleranceGrade": 4}])", library,
        test::referenceCoefficients(), japaneseWording(), cli::EnglishProblems(),
        [&](std::string_view text) { out += text; });
    EXPECT_EQ(failed, 1);
    JsonReader reader(out);
    reader.enterArray();
    std::vector<int> grades;
    std::vector<bool> loadGiven;
    std::string error;
    while (reader.nextElement()) {
        reader.enterObject();
        std::string key;
        while (reader.nextMember(key)) {
            if (key == "tolerances") {
                reader.enterObject();
                std::string inner;
                while (reader.nextMember(inner)) {
                    if (inner == "grade")
                        grades.push_back(static_cast<int>(reader.readNumber()));
                    else if (inner == "load2")
                        loadGiven.push_back(reader.peek() == JsonReader::Kind::Number);
                    if (inner != "grade")
                        reader.skipValue();
                }
            } else if (key == "error") {
                error = reader.readString();
            } else {
                reader.skipValue();
            }
        }
    }
    EXPECT_EQ(grades, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(loadGiven, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(error, "toleranceGrade: expected 0, 1, 2 or 3");
}

} // namespace
} // namespace hspring
