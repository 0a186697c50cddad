// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "cli/data_problem_text.h"
#include "cli/problem_text.h"
#include "data/library_consistency.h"
#include "data/library_text.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace hspring {
namespace {

const std::string kTwoMaterials = R"(# comment
material
kind            0
kindName        硬鋼線
gradeSymbol     SW-B
shearModulus    78500
youngModulus    206000
torsionPercent  50
bendingPercent  80
  0.5   2000
  1.0   1800   900
  2.0   1500   800   1200
end

material
kind 1
kindName ピアノ線
gradeSymbol SWP-A
shearModulus 78500
youngModulus 206000
torsionPercent 45
bendingPercent 75
1.0 2060
end
)";

// The fault of a text as the tool words it, or "" when it parses.
std::string faultOf(const std::string& text) {
    try {
        parseMaterialLibraryText(text);
        return "";
    } catch (const Error& error) {
        EXPECT_EQ(error.kind(), Error::Kind::Data);
        return cli::problemText(error);
    }
}

std::vector<std::string> linesOf(const std::vector<LibraryInconsistency>& broken) {
    std::vector<std::string> lines;
    for (const LibraryInconsistency& rule : broken)
        lines.push_back(cli::libraryInconsistencyText(rule));
    return lines;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

TEST(LibraryText, ReadsRecordsInOrderAndLeavesTheRestUnused) {
    const MaterialLibrary library = parseMaterialLibraryText(kTwoMaterials);
    const MaterialRecord& swb = library[0];
    EXPECT_EQ(+swb.kind, 0);
    EXPECT_EQ(shortStringText(swb.kindName), "硬鋼線");
    EXPECT_EQ(shortStringText(swb.gradeSymbol), "SW-B");
    EXPECT_EQ(+swb.shearModulus, 78500);
    EXPECT_EQ(+swb.youngModulus, 206000);
    EXPECT_EQ(+swb.torsionPercent, 50);
    EXPECT_EQ(+swb.bendingPercent, 80);
    EXPECT_EQ(+swb.diameterCount, 3);
    EXPECT_EQ(+swb.diameters[2], 2.0);
    EXPECT_EQ(+swb.tensileStrength[1], 1800);
    EXPECT_EQ(+swb.allowableTorsion[0], 0); // omitted columns
    EXPECT_EQ(+swb.allowableTorsion[1], 900);
    EXPECT_EQ(+swb.allowableBending[1], 0);
    EXPECT_EQ(+swb.allowableBending[2], 1200);
    EXPECT_EQ(+swb.diameters[3], 0);
    EXPECT_EQ(+library[1].torsionPercent, 45);
    EXPECT_EQ(shortStringText(library[1].gradeSymbol), "SWP-A");

    MaterialRecord unused{};
    unused.kind = kUnusedKind;
    for (int i = 2; i < kMaterialCount; ++i)
        EXPECT_EQ(std::memcmp(&library[i], &unused, sizeof unused), 0) << i;
}

TEST(LibraryText, FaultsNameTheLine) {
    EXPECT_EQ(faultOf(kTwoMaterials), "");
    EXPECT_EQ(faultOf(replaced(kTwoMaterials, "youngModulus    206000", "young 206000")),
              "line 7: unknown key 'young'");
    EXPECT_EQ(faultOf(replaced(kTwoMaterials, "  1.0   1800", "  1,0   1800")),
              "line 11: '1,0' is not a number");
    EXPECT_EQ(faultOf(replaced(kTwoMaterials, "torsionPercent  50", "torsionPercent  50.5")),
              "line 8: '50.5' is not a whole number");
    EXPECT_EQ(faultOf(replaced(kTwoMaterials, "bendingPercent 75", "kind 1")),
              "line 22: 'kind' given twice");
    EXPECT_EQ(faultOf(replaced(kTwoMaterials, "bendingPercent 75\n", "")),
              "line 23: the material lacks 'bendingPercent'");
    EXPECT_EQ(faultOf(replaced(kTwoMaterials, "1.0 2060\n", "")),
              "line 23: the material has no diameter rows");
    EXPECT_EQ(faultOf(replaced(kTwoMaterials, "  2.0   1500   800   1200", "2.0")),
              "line 12: a diameter row holds 2 to 4 numbers");
    EXPECT_EQ(faultOf(kTwoMaterials + "material\nkind 2\n"), "line 25: the material has no 'end'");
    EXPECT_EQ(faultOf("kind 0\n"), "line 1: expected 'material'");
    std::string tooLong;
    for (int i = 0; i < 26; ++i)
        tooLong += "材"; // 52 bytes of Shift-JIS
    EXPECT_EQ(faultOf(replaced(kTwoMaterials, "SWP-A", tooLong)),
              "line 18: '" + tooLong + "' does not fit 50 bytes of Shift-JIS text");
}

TEST(LibraryText, LimitsRowsAndRecords) {
    std::string rows;
    for (int i = 1; i <= 51; ++i)
        rows += std::to_string(i) + " 1000\n";
    EXPECT_EQ(faultOf(replaced(kTwoMaterials, "1.0 2060\n", rows)),
              "line 73: more than 50 diameters");

    std::string many;
    for (int i = 0; i < 31; ++i)
        many += "material\nkind 0\nkindName k\ngradeSymbol g\nshearModulus 1\nyoungModulus 1\n"
                "torsionPercent 1\nbendingPercent 1\n1 1\nend\n";
    EXPECT_EQ(faultOf(many), "line 301: more than 30 materials");
}

TEST(LibraryText, ALibraryBreakingItsRulesIsRefused) {
    const std::string gap = replaced(kTwoMaterials, "kind 1\n", "kind 2\n");
    EXPECT_EQ(faultOf(gap), "the library breaks its rules:\nkind 2 is used but kind 1 is not");
    const std::string descending = replaced(kTwoMaterials, "  2.0   1500", "  0.7   1500");
    EXPECT_EQ(faultOf(descending), "the library breaks its rules:\n"
                                   "record 0: entry 2: diameter 0.7 does not follow 1");
}

TEST(SettingsText, ReadsTheSevenCoefficients) {
    const SettingsRecord settings = parseSettingsText(
        "# customary\ncompressionToMaterialRatio 80\nextensionToCompressionRatio 75\n"
        "hookStressFactor 1.25\nstainlessReduction 15\nannealedPianoReduction 25\n"
        "annealedHardSteelReduction 30\nannealedStainlessReduction 20\n");
    EXPECT_EQ(+settings.coefficients.extensionToCompressionRatio, 75);
    EXPECT_EQ(+settings.coefficients.hookStressFactor, 1.25);
    EXPECT_EQ(+settings.coefficients.annealedHardSteelReduction, 30);
    EXPECT_EQ(+settings.leading[0], 0);
    EXPECT_EQ(+settings.trailing[674], 0);

    const auto settingsFault = [](const std::string& text) {
        try {
            parseSettingsText(text);
            return std::string();
        } catch (const Error& error) {
            return cli::problemText(error);
        }
    };
    EXPECT_EQ(settingsFault("compressionToMaterialRatio 80\n"),
              "the coefficient 'annealedHardSteelReduction' is missing");
    EXPECT_EQ(settingsFault("hookFactor 1\n"), "line 1: unknown coefficient 'hookFactor'");
    EXPECT_EQ(settingsFault("hookStressFactor 1\nhookStressFactor 2\n"),
              "line 2: 'hookStressFactor' given twice");
}

TEST(LibraryConsistency, NamesEachBrokenRule) {
    MaterialLibrary library = parseMaterialLibraryText(kTwoMaterials);
    EXPECT_TRUE(findLibraryInconsistencies(library).empty());

    MaterialLibrary broken = library;
    broken[1].kind = 0;
    setShortStringText(broken[1].kindName, "other");
    broken[2] = broken[0];
    broken[2].kind = 11;
    broken[3] = broken[0];
    broken[3].diameters[0] = 0;
    broken[4] = broken[0];
    broken[4].diameterCount = 51;
    broken[5] = broken[0];
    broken[5].tensileStrength[1] = 0;
    broken[5].shearModulus = -1;
    EXPECT_EQ(linesOf(findLibraryInconsistencies(broken)),
              (std::vector<std::string>{
                  "record 1: kind name \"other\" differs from record 0 of the same kind",
                  "record 2: kind 11 is not within 0..10",
                  "record 3: has no diameters but kind 0 instead of 10",
                  "record 3: entry 0: diameter 0 is not above 0",
                  "record 4: diameter count 51 is not within 1..50",
                  "record 5: shear modulus -1 is not above 0",
                  "record 5: entry 1: tensile strength 0 is not above 0",
              }));

    MaterialLibrary crowded = library;
    for (int i = 1; i < 10; ++i)
        crowded[i] = library[0];
    EXPECT_EQ(linesOf(findLibraryInconsistencies(crowded)),
              std::vector<std::string>{"record 8: is a ninth record of kind 0"});
}

} // namespace
} // namespace hspring
