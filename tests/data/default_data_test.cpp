// SPDX-License-Identifier: GPL-3.0-or-later
// The default data the build ships next to the programs and compiles in.

#include "byte_image.h"
#include "calc/spring_design.h"
#include "data/default_data.h"
#include "data/library_consistency.h"
#include "tests/support/strength_table.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>
#include <string>

namespace hspring {
namespace {

using test::buildStrengthTable;
using test::imageOf;
using test::interpolateTable;
using test::readBytes;
using test::StrengthTable;

const std::string kBuildDir = HSPRING_BUILD_DIR;

TEST(DefaultData, ShippedMaterialFileIsTheBuiltInLibrary) {
    EXPECT_EQ(readBytes(kBuildDir + "/zaidat.dst"), imageOf(builtInMaterialLibrary()));

    MaterialLibrary library{};
    loadMaterialLibrary(kBuildDir + "/zaidat.dst", library);
    EXPECT_EQ(imageOf(library), imageOf(builtInMaterialLibrary()));
}

TEST(DefaultData, ShippedSettingsFileIsTheBuiltInSettings) {
    EXPECT_EQ(readBytes(kBuildDir + "/" + kSettingsFileName), imageOf(builtInSettings()));
}

TEST(DefaultData, LibraryKeepsItsRulesAndOffersTheThreeFixedKinds) {
    MaterialLibrary library = builtInMaterialLibrary();
    EXPECT_EQ(findLibraryInconsistencies(library), std::vector<LibraryInconsistency>{});
    const MaterialLibrary before = library;
    markEmptyRecords(library); // what the editor does before a save changes nothing
    EXPECT_EQ(imageOf(library), imageOf(before));

    const KindIndex index = buildKindIndex(library);
    const auto kinds = kindList(library, index);
    ASSERT_GE(kinds.size(), 3u);
    EXPECT_EQ(kinds[kHardDrawnSteelKind].name, "硬鋼線");
    EXPECT_EQ(kinds[kPianoWireKind].name, "ピアノ線");
    EXPECT_EQ(kinds[kStainlessKind].name, "ステンレス鋼線");
    for (std::size_t position = 0; position < kinds.size(); ++position)
        EXPECT_EQ(kinds[position].kind, static_cast<int>(position));
    for (int kind = 0; kind < 3; ++kind)
        EXPECT_GE(index.kindCount[kind], 2) << kind;
}

// Every wire diameter offered can be calculated: the allowable-stress table answers it.
TEST(DefaultData, EveryListedDiameterHasAnAllowableStress) {
    const MaterialLibrary library = builtInMaterialLibrary();
    for (const MaterialRecord& record : library) {
        if (record.kind == kUnusedKind)
            continue;
        const StrengthTable table = buildStrengthTable(record);
        ASSERT_EQ(table.rowCount, +record.diameterCount);
        for (int j = 0; j < record.diameterCount; ++j) {
            const auto stress = interpolateTable(table, record.diameters[j]);
            ASSERT_TRUE(stress) << shortStringText(record.gradeSymbol) << " " << j;
            EXPECT_GT(*stress, 0);
            EXPECT_LT(*stress, +record.tensileStrength[j]);
        }
    }
}

// The start design asks for material 0 and the first diameter not below 1.0 mm.
TEST(DefaultData, Material0IsTheFirstGradeOfHardDrawnWireWithA1MmDiameter) {
    const MaterialLibrary library = builtInMaterialLibrary();
    const KindIndex index = buildKindIndex(library);
    EXPECT_EQ(lookupMaterial(index, kHardDrawnSteelKind, 0), 0);
    SpringDesign start{};
    resetDesignDefaults(start);
    const MaterialRecord& first = library[start.materialIndex];
    bool listed = false;
    for (int j = 0; j < first.diameterCount; ++j)
        listed = listed || first.diameters[j] == start.wireDiameter;
    EXPECT_TRUE(listed);
}

TEST(DefaultData, SettingsHoldTheCustomaryCoefficients) {
    const SettingsRecord settings = builtInSettings();
    const CoefficientSet& c = settings.coefficients;
    EXPECT_EQ(+c.compressionToMaterialRatio, 80);
    EXPECT_EQ(+c.extensionToCompressionRatio, 80);
    EXPECT_EQ(+c.hookStressFactor, 1.25);
    EXPECT_EQ(+c.stainlessReduction, 15);
    EXPECT_GE(+c.annealedPianoReduction, 20);
    EXPECT_LE(+c.annealedPianoReduction, 35);
    EXPECT_GE(+c.annealedHardSteelReduction, 20);
    EXPECT_LE(+c.annealedHardSteelReduction, 35);
    EXPECT_GE(+c.annealedStainlessReduction, 15);
    EXPECT_LE(+c.annealedStainlessReduction, 25);
    EXPECT_EQ(imageOf(customaryCoefficients()), imageOf(c));
}

} // namespace
} // namespace hspring
