// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_reader.h"
#include "calc/design_json.h"
#include "calc/design_result.h"
#include "calc/spring_design.h"
#include "tests/support/test_materials.h"
#include "wording/japanese.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace hspring {
namespace {

// Each code of an enumeration has words of its own: a case left out of a table would give a
// neighbour's words or none.
void expectDistinctWords(const std::vector<std::string>& words) {
    EXPECT_EQ(std::set<std::string>(words.begin(), words.end()).size(), words.size());
    for (const std::string& word : words)
        EXPECT_FALSE(word.empty());
}

TEST(JapaneseWording, EveryCodeHasItsOwnWordsAndTheCoresWordingGivesTheSame) {
    const Wording& words = japaneseWording();
    std::vector<std::string> rules{std::string(kDesignPassesText)};
    for (int rule = 0; rule < kDesignRuleCount; ++rule) {
        rules.emplace_back(designRuleText(static_cast<DesignRule>(rule)));
        EXPECT_EQ(words.designRule(static_cast<DesignRule>(rule)), rules.back());
    }
    expectDistinctWords(rules);
    std::vector<std::string> warnings;
    for (int problem = 0; problem < kHookProblemCount; ++problem) {
        warnings.emplace_back(hookProblemText(static_cast<HookProblem>(problem)));
        EXPECT_EQ(words.hookProblem(static_cast<HookProblem>(problem)), warnings.back());
    }
    for (const ToleranceCondition condition :
         {ToleranceCondition::DeflectionBelowShare, ToleranceCondition::DeflectionAboveShare,
          ToleranceCondition::DeflectionBelowMinimum})
        for (const int point : {1, 2})
            warnings.push_back(words.toleranceBreach({condition, point}));
    expectDistinctWords(warnings);
    std::vector<std::string> lives;
    for (int lifeClass = 0; lifeClass < kLifeClassCount; ++lifeClass)
        lives.emplace_back(words.lifeClass(lifeClass));
    expectDistinctWords(lives);
    EXPECT_EQ(words.lifeClass(kLifeClassCount), "");
    expectDistinctWords({std::string(words.governingPart(GoverningPart::Coil)),
                         std::string(words.governingPart(GoverningPart::HookTorsion)),
                         std::string(words.governingPart(GoverningPart::HookBending))});
    // The windows write the U hook's letter in full width, a drawing's items table in ASCII.
    EXPECT_EQ(words.hookType(HookType::U), "Ｕフック");
    EXPECT_EQ(words.hookTypeOnSheet(HookType::U), "Uフック");
    EXPECT_EQ(words.hookTypeOnSheet(HookType::Round), words.hookType(HookType::Round));
    EXPECT_EQ(words.toleranceGrade(2), "2級");
    EXPECT_EQ(words.toleranceGrade(4), "");
}

// The lines of the JSON answer are the status list's lines of the same design, in its order.
TEST(JapaneseWording, TheJsonAnswerSaysWhatTheStatusListShows) {
    SpringDesign broken = test::referenceDesign();
    broken.wireDiameter = 2.5;
    setCoilDiameters(broken, 9, 2.5); // spring index 3.6
    setTurns(broken, 2);              // one active turn
    const SpringDesign passing = test::referenceDesign();
    for (const SpringDesign& design : {std::cref(passing), std::cref(broken)}) {
        const DesignResult result =
            evaluateDesign(design, test::referenceLibrary(), test::referenceCoefficients());
        std::string answer;
        appendDesignResultJson(answer, result, japaneseWording());
        JsonReader reader(answer);
        reader.enterObject();
        std::vector<std::string> checks;
        for (std::string key; reader.nextMember(key);) {
            if (key != "checks") {
                reader.skipValue();
                continue;
            }
            reader.enterArray();
            while (reader.nextElement())
                checks.push_back(reader.readString());
        }
        EXPECT_EQ(checks, designStatusLines(result.checks).lines);
        if (&design == &broken) {
            ASSERT_GE(checks.size(), 2u);
            EXPECT_EQ(checks.front(), "エラー：バネ指数が４以下");
            EXPECT_EQ(checks.back(), "エラー:有効巻き数が３以下です");
        } else {
            EXPECT_EQ(checks, std::vector<std::string>{"Calculation Success!"});
        }
    }
}

} // namespace
} // namespace hspring
