// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/json_reader.h"
#include "calc/design_batch.h"
#include "calc/design_json.h"
#include "calc/spring_design.h"
#include "cli/key_help.h"
#include "cli/problem_text.h"
#include "tests/support/test_materials.h"
#include "wording/japanese.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <string>

namespace hspring {
namespace {

const MaterialLibrary& library() {
    static const MaterialLibrary instance = test::referenceLibrary();
    return instance;
}

// The tool's English for a problem read, "" for none.
std::string textOf(const std::optional<Error>& error) {
    return error ? cli::problemText(*error) : std::string();
}

SpringDesign readOne(std::string_view text) {
    const DesignRequests requests = readDesignsJson(text, library());
    EXPECT_FALSE(requests.wasArray);
    EXPECT_EQ(requests.designs.size(), 1u);
    EXPECT_EQ(textOf(requests.designs.front().error), "");
    return requests.designs.front().design;
}

std::string errorOf(std::string_view text) {
    const DesignRequests requests = readDesignsJson(text, library());
    EXPECT_EQ(requests.designs.size(), 1u);
    return textOf(requests.designs.front().error);
}

TEST(ReadDesignsJson, MissingKeysTakeTheStartValues) {
    const SpringDesign design = readOne("{}");
    SpringDesign start{};
    resetDesignDefaults(start);
    EXPECT_EQ(design.materialIndex, 0);
    EXPECT_EQ(design.wireDiameter, 1.0);
    EXPECT_EQ(design.diameterIndex, 1); // the first listed diameter not smaller than 1.0 mm
    EXPECT_EQ(design.meanDiameter, 10);
    EXPECT_EQ(design.innerDiameter, 9); // derived, not the start value 9.8
    EXPECT_EQ(design.outerDiameter, 11);
    EXPECT_EQ(design.totalTurns, 20);
    EXPECT_EQ(design.activeTurns, 20);
    EXPECT_EQ(design.freeLength, start.freeLength);
    EXPECT_EQ(design.length2, start.length2);
    EXPECT_EQ(design.lengthMode, kLengthsGiven);
    EXPECT_EQ(design.autoInitialTension, 1);
    EXPECT_EQ(design.hookAngle, 80);
}

TEST(ReadDesignsJson, CoilDiameterFromTheKeyTheKindNames) {
    SpringDesign design =
        readOne(R"({"diameterKind": 2, "outerDiameter": 12, "meanDiameter": 99})");
    EXPECT_EQ(design.innerDiameter, 10);
    EXPECT_EQ(design.meanDiameter, 11);
    EXPECT_EQ(design.outerDiameter, 12);
    design = readOne(R"({"diameterKind": 0, "innerDiameter": 9, "wireDiameter": 1.2})");
    EXPECT_EQ(design.meanDiameter, 9 + 1.2);
    EXPECT_EQ(design.outerDiameter, 2 * 1.2 + 9);
    EXPECT_EQ(design.diameterIndex, 2);
    // A kind outside 0..2 takes the three diameters as given.
    design = readOne(R"({"diameterKind": 7, "innerDiameter": 1, "meanDiameter": 2})");
    EXPECT_EQ(design.innerDiameter, 1);
    EXPECT_EQ(design.meanDiameter, 2);
    EXPECT_EQ(design.outerDiameter, 10.2);
}

TEST(ReadDesignsJson, TurnsSetTheActiveTurns) {
    EXPECT_EQ(readOne(R"({"totalTurns": 2.5, "activeTurns": 50})").activeTurns, 2.99);
    EXPECT_EQ(readOne(R"({"totalTurns": 3})").activeTurns, 3);
    EXPECT_EQ(readOne(R"({"totalTurns": 20.5})").activeTurns, 20.5);
}

TEST(ReadDesignsJson, WireDiameterAndItsListPosition) {
    EXPECT_EQ(readOne(R"({"diameterIndex": 3})").wireDiameter, 2.0);
    const SpringDesign both = readOne(R"({"diameterIndex": 3, "wireDiameter": 1.1})");
    EXPECT_EQ(both.diameterIndex, 3);
    EXPECT_EQ(both.wireDiameter, 1.1);
    EXPECT_EQ(readOne(R"({"wireDiameter": 1.1})").diameterIndex, 2);
    EXPECT_EQ(readOne(R"({"wireDiameter": 3.5})").diameterIndex, -1); // no listed diameter
    EXPECT_EQ(errorOf(R"({"diameterIndex": 5})"),
              "diameterIndex 5 is outside the diameter list of material 0");
    EXPECT_EQ(errorOf(R"({"materialIndex": 30})"),
              "materialIndex 30 is outside the material library (0..29)");
    EXPECT_EQ(errorOf(R"({"materialIndex": -1})"),
              "materialIndex -1 is outside the material library (0..29)");
}

TEST(ReadDesignsJson, FlagsAndIntegers) {
    const SpringDesign design = readOne(
        R"({"autoInitialTension": false, "lowTempAnnealed": 1, "lengthMode": 0, "initialTension": 0.5})");
    EXPECT_EQ(design.autoInitialTension, 0);
    EXPECT_EQ(design.lowTempAnnealed, 1);
    EXPECT_EQ(design.lengthMode, 0);
    EXPECT_EQ(design.initialTension, 0.5);
    EXPECT_EQ(readOne(R"({"lengthMode": 1e0})").lengthMode, 1);
}

TEST(ReadDesignsJson, BadDesignsFailAlone) {
    const DesignRequests requests = readDesignsJson(
        R"([{"wireDiameter": "1"}, {"lengthMode": 0.5}, {"lengthMode": 3000000000},
            {"autoInitialTension": 2}, {"autoInitialTension": null}, {"springrate": 1},
            {"freeLength": 1, "freeLength": 2}, [], "x", {"freeLength": 41},
            {"designBasis": "jis"}, {"hookBendRadius": 0}, {"operatingFrequency": "5"}])",
        library());
    ASSERT_TRUE(requests.wasArray);
    ASSERT_EQ(requests.designs.size(), 13u);
    const char* expected[] = {
        "wireDiameter: expected a number",
        "lengthMode: expected a 32-bit integer",
        "lengthMode: expected a 32-bit integer",
        "autoInitialTension: expected 0, 1, true or false",
        "autoInitialTension: expected 0, 1, true or false",
        "unknown key \"springrate\"",
        "duplicate key \"freeLength\"",
        "expected a design object",
        "expected a design object",
        "",
        "designBasis: expected \"JIS\" or \"handbook\"",
        "hookBendRadius: expected a positive number or null",
        "operatingFrequency: expected a positive number or null",
    };
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(textOf(requests.designs[i].error), expected[i]) << i;
    EXPECT_EQ(requests.designs[9].design.freeLength, 41);
}

TEST(ReadDesignsJson, SyntaxErrorTakesThePlaceOfTheRest) {
    const DesignRequests requests =
        readDesignsJson(R"([{"freeLength": 41}, {"freeLength": 4x}, {}])", library());
    ASSERT_EQ(requests.designs.size(), 2u);
    EXPECT_EQ(textOf(requests.designs[0].error), "");
    EXPECT_EQ(textOf(requests.designs[1].error), "JSON: expected ',' at byte 37");

    // Anything after a single design fails the whole text: one answer, not two.
    const DesignRequests trailing = readDesignsJson(R"({"freeLength": 41} {})", library());
    ASSERT_EQ(trailing.designs.size(), 1u);
    EXPECT_EQ(textOf(trailing.designs[0].error), "JSON: text after the value at byte 19");

    const DesignRequests nothing = readDesignsJson("", library());
    ASSERT_EQ(nothing.designs.size(), 1u);
    EXPECT_FALSE(nothing.wasArray);
    EXPECT_EQ(textOf(nothing.designs[0].error), "JSON: unexpected end of text at byte 0");
}

// Reads an answer object into a key → raw value text map of its numbers (null as "null").
std::map<std::string, double> numbersOf(JsonReader& reader) {
    std::map<std::string, double> numbers;
    std::string key;
    reader.enterObject();
    while (reader.nextMember(key)) {
        if (reader.peek() == JsonReader::Kind::Number)
            numbers[key] = reader.readNumber();
        else if (reader.peek() == JsonReader::Kind::Null)
            reader.readNull(), numbers[key] = NAN;
        else
            reader.skipValue();
    }
    return numbers;
}

std::string calculate(std::string_view input, int& failed) {
    std::string out;
    failed = calculateDesignsJson(input, library(), test::referenceCoefficients(),
                                  japaneseWording(), cli::EnglishProblems(),
                                  [&out](std::string_view piece) { out += piece; });
    return out;
}

// The help states the library's and the life classes' ranges as they are, and leaves no "{name}"
// of a limit unfilled.
TEST(DesignJsonHelp, StatesTheLimits) {
    const std::string help(cli::designKeysHelp());
    EXPECT_NE(help.find("  materialIndex        material record, 0..29\n"), std::string::npos);
    EXPECT_NE(help.find("0 (longest) .. 8 (shortest)\n"), std::string::npos);
    EXPECT_FALSE(std::regex_search(help, std::regex(R"(\{[A-Za-z]+\})"))) << help;
}

// The help is the core's key table worded: every key has its lines and no line names a key the
// core has not; each key's first entry names the unit the table gives it.
TEST(DesignJsonHelp, WordsEveryKeyOfTheCoreWithItsUnit) {
    EXPECT_EQ(cli::designKeyHelpFaults(), std::vector<std::string>{});
    const std::string help(cli::designKeysHelp());
    int withUnit = 0;
    for (const DesignKey& key : designKeys()) {
        // The key's entry: its line (or the line it shares), up to the next entry or heading.
        const std::regex entry("\n  ([A-Za-z0-9]+, )*" + std::string(key.name) +
                               "(, [A-Za-z0-9]+)*[ \n][\\s\\S]*?(?=\n  [A-Za-z]|\n[A-Z])");
        std::smatch match;
        ASSERT_TRUE(std::regex_search(help, match, entry)) << key.name;
        if (key.unit.empty())
            continue;
        ++withUnit;
        EXPECT_NE(match.str().find(", " + std::string(key.unit)), std::string::npos)
            << key.name << " in " << match.str();
    }
    EXPECT_GT(withUnit, 30);
}

TEST(CalculateDesignsJson, AnswersWithEveryFieldReadingBackExactly) {
    int failed = -1;
    const std::string out =
        calculate(R"({"freeLength": 39, "length1": 45, "length2": 55})", failed);
    EXPECT_EQ(failed, 0);
    ASSERT_EQ(out.back(), '\n');
    JsonReader reader(out);
    const std::map<std::string, double> numbers = numbersOf(reader);
    reader.finish();

    const DesignResult expected =
        evaluateDesign(test::referenceDesign(), library(), test::referenceCoefficients());
    const auto same = [&](const char* key, double value) {
        ASSERT_TRUE(numbers.count(key)) << key;
        EXPECT_EQ(std::memcmp(&numbers.at(key), &value, sizeof value), 0) << key;
    };
    same("springRate", expected.design.springRate);
    same("springIndex", expected.design.springIndex);
    same("wahlFactor", expected.design.wahlFactor);
    same("initialTension", expected.design.initialTension);
    same("allowableStress", expected.design.allowableStress);
    same("maxLoad", expected.design.maxLoad);
    same("maxLength", expected.design.maxLength);
    same("load1", expected.design.load1);
    same("load2", expected.design.load2);
    same("stress1", expected.design.stress1);
    same("stress2", expected.design.stress2);
    same("initialTensionLow", expected.range.low);
    same("initialTensionHigh", expected.range.high);
    same("upperStressCoefficient", expected.coefficients.upper);
    same("lowerStressCoefficient", expected.coefficients.lower);
    same("lifeClass", expected.design.lifeClass);
    // Every record field, the range, the two coefficients, the 16 numbers of the extra results
    // beside their object "si", the bending life class, the three limits, the length and the
    // governing part (null: the test wires have no bending data), and the tolerance grade beside
    // its object.
    // The hook's radii and the operating frequency (null: not given) and hookTorsionAllowable
    // beside hookBendingAllowable.
    EXPECT_EQ(numbers.size(), 33u + 5u + 17u + 6u + 1u + 3u);
    EXPECT_NE(out.find(R"("designBasis":"JIS")"), std::string::npos);
    EXPECT_NE(out.find(R"("checks":["Calculation Success!"])"), std::string::npos);
    EXPECT_NE(out.find(R"("initialTension":"初張力(0.1934～0.4348)kgf")"), std::string::npos);
    EXPECT_NE(out.find(R"("lifeText":")"), std::string::npos);
}

// Spring indices 23 and 40 answer with numbers and no length conflict; a wire beyond the strength
// table has no allowable stress: null, and missing in the labels. No NaN or infinity as text.
TEST(CalculateDesignsJson, DesignsBeyondTheTablesAnswerWithNumbersOrNull) {
    int failed = -1;
    const std::string out = calculate(
        R"([{"wireDiameter": 1, "meanDiameter": 23, "lengthMode": 0, "load1": 0.5, "load2": 1},
            {"wireDiameter": 1, "meanDiameter": 40},
            {"wireDiameter": 3.5, "meanDiameter": 35}])",
        failed);
    EXPECT_EQ(failed, 0);
    for (const char* text : {"nan", "NaN", "NAN", "inf", "Inf", "INF", "密着高さ", "順番"})
        EXPECT_EQ(out.find(text), std::string::npos) << text;
    std::size_t third = 0;
    for (int answer = 0; answer < 3; ++answer)
        third = out.find(R"({"inUse")", third + 1);
    // The test library's wires have no bending data, so only the hook's bending allowable and
    // the limits that need it are null, and the tolerance tables end at a spring index of 22.
    std::string firstTwo = out.substr(0, third);
    for (const char* noBendingData :
         {R"("hookBendingAllowable":null)", R"("hookBendingLimitLoad":null)",
          R"("maxLoadWithHooks":null)", R"("maxLengthWithHooks":null)", R"("governingPart":null)",
          R"("freeLength":null,"outerDiameter":null)",
          R"("hookBendRadius":null,"hookLoopRadius":null,"operatingFrequency":null)"})
        for (std::size_t at; (at = firstTwo.find(noBendingData)) != std::string::npos;)
            firstTwo.erase(at, std::string_view(noBendingData).size());
    EXPECT_EQ(firstTwo.find("null"), std::string::npos) << out;
    EXPECT_NE(out.find(R"("allowableStress":null,)", third), std::string::npos);
    EXPECT_NE(out.find(R"("maxLength":"最大長さ=－mm","maxLoad":"最大荷重=－kgf")"),
              std::string::npos);
}

TEST(CalculateDesignsJson, ArrayInArrayOutWithFaultsInPlace) {
    int failed = -1;
    const std::string out = calculate(
        R"([{"meanDiameter": 0}, {}, {"wireDiameter": 0}, {"meanDiameter": 3.5}])", failed);
    EXPECT_EQ(failed, 2);
    EXPECT_EQ(out.substr(0, 2), "[\n");
    EXPECT_EQ(out.substr(out.size() - 3), "\n]\n");
    JsonReader reader(out);
    reader.enterArray();
    std::vector<std::string> firstKeys;
    std::string key;
    while (reader.nextElement()) {
        reader.enterObject();
        ASSERT_TRUE(reader.nextMember(key));
        firstKeys.push_back(key);
        if (key == "error")
            firstKeys.back() += ":" + reader.readString();
        else
            reader.skipValue();
        while (reader.nextMember(key))
            reader.skipValue();
    }
    reader.finish();
    EXPECT_EQ(firstKeys, (std::vector<std::string>{
                             "error:meanDiameter must be a positive finite number", "inUse",
                             "error:wireDiameter must be a positive finite number", "inUse"}));
}

TEST(CalculateDesignsJson, AnAnswerReadsBackAsTheSameDesign) {
    int failed = -1;
    const std::string first =
        calculate(R"({"wireDiameter": 1.2, "meanDiameter": 11.1, "lengthMode": 0, "load1": 0.2,
                      "load2": 1.5, "lowTempAnnealed": 1, "materialIndex": 1,
                      "designBasis": "handbook", "hookBendRadius": 1.8, "hookLoopRadius": null,
                      "operatingFrequency": 40})",
                  failed);
    const std::string again = calculate(first, failed);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(again, first);
    // The basis, the bend radius (K2 from C2 = 2·1.8/1.2 = 3) and the frequency were taken.
    EXPECT_NE(first.find(R"("designBasis":"handbook")"), std::string::npos);
    EXPECT_NE(first.find(R"("hookTorsionFactor":1.375)"), std::string::npos);
    EXPECT_NE(first.find(R"("operatingFrequency":40)"), std::string::npos);
}

// Enough designs for several pieces and several chunks in flight, every 97th one failing, and a
// syntax error after the last: on one thread and on two the same answer, in input order.
TEST(CalculateDesignsJson, ManyDesignsComeBackInOrderOnAnyNumberOfThreads) {
    constexpr int kDesigns = 1000;
    std::string input = "[";
    for (int i = 0; i < kDesigns; ++i) {
        input += i ? ",\n" : "";
        input += "{\"freeLength\":" + std::to_string(30 + i % 20) +
                 ",\"totalTurns\":" + std::to_string(10 + i) +
                 (i % 97 == 50 ? ",\"materialIndex\":99}" : "}");
    }
    input += ", {\"freeLength\": }]";
    std::string answers[2];
    int failed[2] = {};
    int pieces = 0;
    for (const int threads : {1, 2}) {
        std::string& out = answers[threads - 1];
        failed[threads - 1] = calculateDesignsJson(
            input, library(), test::referenceCoefficients(), japaneseWording(),
            cli::EnglishProblems(),
            [&](std::string_view piece) {
                ++pieces;
                out += piece;
            },
            threads);
    }
    EXPECT_EQ(answers[0], answers[1]);
    EXPECT_EQ(failed[0], failed[1]);
    EXPECT_EQ(failed[0], 10 + 1);
    EXPECT_GT(pieces, 4);

    JsonReader reader(answers[1]);
    reader.enterArray();
    std::string key;
    for (int i = 0; i < kDesigns; ++i) {
        ASSERT_TRUE(reader.nextElement());
        reader.enterObject();
        double turns = -1;
        std::string error;
        while (reader.nextMember(key)) {
            if (key == "totalTurns")
                turns = reader.readNumber();
            else if (key == "error")
                error = reader.readString();
            else
                reader.skipValue();
        }
        if (i % 97 == 50)
            EXPECT_EQ(error, "materialIndex 99 is outside the material library (0..29)") << i;
        else
            EXPECT_EQ(turns, 10 + i);
    }
    ASSERT_TRUE(reader.nextElement());
    reader.enterObject();
    ASSERT_TRUE(reader.nextMember(key));
    EXPECT_EQ(key, "error");
    EXPECT_EQ(reader.readString().rfind("JSON: ", 0), 0u);
    EXPECT_FALSE(reader.nextMember(key));
    EXPECT_FALSE(reader.nextElement());
    reader.finish();
}

} // namespace
} // namespace hspring
