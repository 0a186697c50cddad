// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile material libraries and settings files through what the program does with them: the
// kind index and the three lists, the consistency report, and the calculation, display and
// drawing of a design on every material the lists offer.

#include "app/material_selection.h"
#include "base/shift_jis.h"
#include "calc/life.h"
#include "calc/spring_design.h"
#include "cli/data_problem_text.h"
#include "cli/problem_text.h"
#include "data/default_data.h"
#include "data/library_consistency.h"
#include "data/material_editing.h"
#include "hardening/hostile_checks.h"

#include <climits>
#include <cmath>
#include <cstring>

namespace hspring::test {
namespace {

// The start design on a material, at the diameter the list selects for the start wire diameter
// (or its first one), as the window builds it before "計算".
SpringDesign designOn(const ProgramState& state, int materialIndex) {
    SpringDesign design{};
    resetDesignDefaults(design);
    design.inUse = 1;
    design.materialIndex = materialIndex;
    const MaterialRecord& record = state.materials[materialIndex];
    design.diameterIndex = nearestDiameterPosition(record, design.wireDiameter).value_or(0);
    design.wireDiameter = wireDiameterAt(record, design.diameterIndex).value_or(1.0);
    errorOf([&] { setCoilDiameters(design, design.meanDiameter, design.wireDiameter); });
    return design;
}

std::vector<int> listedMaterials(const ProgramState& state) {
    std::vector<int> listed;
    for (const KindListEntry& kind : kindList(state.materials, state.kindIndex))
        for (int grade = 0; grade < state.kindIndex.kindCount[kind.kind]; ++grade)
            listed.push_back(lookupMaterial(state.kindIndex, kind.kind, grade));
    return listed;
}

std::vector<int> kindsListed(const ProgramState& state) {
    std::vector<int> kinds;
    for (const KindListEntry& kind : kindList(state.materials, state.kindIndex))
        kinds.push_back(kind.kind);
    return kinds;
}

bool reports(const ProgramState& state, const std::string& line) {
    for (const LibraryInconsistency& broken : findLibraryInconsistencies(state.materials))
        if (cli::libraryInconsistencyText(broken) == line)
            return true;
    return false;
}

// Every listed material and every record (a calculation file may name any), through the lists,
// the editor's texts, the calculation, the display and the drawings.
TEST(HostileLibraries, EveryMaterialIsListedCalculatedAndShownOrReportsAnError) {
    for (const HostileFile& file : hostileMaterialLibraries()) {
        SCOPED_TRACE(file.name);
        const ProgramState state = stateWithMaterialLibrary(file.name);
        findLibraryInconsistencies(state.materials);
        for (const KindListEntry& kind : kindList(state.materials, state.kindIndex))
            EXPECT_EQ(gradeList(state.materials, state.kindIndex, kind.kind).size(),
                      static_cast<std::size_t>(state.kindIndex.kindCount[kind.kind]));
        for (int r = 0; r < kMaterialCount; ++r) {
            SCOPED_TRACE("record " + std::to_string(r));
            const MaterialRecord& record = state.materials[r];
            EXPECT_LE(diameterList(record).size(), static_cast<std::size_t>(kMaxDiameters));
            MaterialRecord stored = record;
            errorOf([&] { storeMaterialRecordTexts(materialRecordTexts(record), stored); });
            prepareSlot(designOn(state, r), state);
        }
    }
}

TEST(HostileLibraries, DiameterCountsOutsideZeroToFiftyUseWhatTheTableHolds) {
    const ProgramState negative = stateWithMaterialLibrary("diameter_count_negative.dst");
    EXPECT_TRUE(diameterList(negative.materials[0]).empty());
    EXPECT_TRUE(diameterList(negative.materials[3]).empty());
    EXPECT_FALSE(wireDiameterAt(negative.materials[0], 0).has_value());
    EXPECT_TRUE(reports(negative, "record 0: diameter count -1 is not within 1..50"));
    // Nothing to look the wire diameter up in: the allowable stress is missing, not made up.
    SpringDesign design = designOn(negative, 0);
    design.wireDiameter = 1.0;
    InitialTensionRange range;
    calculateDesign(design, negative.materials, negative.settings.coefficients, range, {});
    EXPECT_TRUE(std::isnan(design.allowableStress));

    const ProgramState above = stateWithMaterialLibrary("diameter_count_above_50.dst");
    EXPECT_EQ(diameterList(above.materials[0]).size(), 50u);
    EXPECT_EQ(diameterList(above.materials[3]).size(), 50u);
    EXPECT_TRUE(reports(above, "record 0: diameter count 51 is not within 1..50"));
}

TEST(HostileLibraries, NamesLongerThanTheirFieldShowTheFiftyBytesThereAre) {
    const ProgramState state = stateWithMaterialLibrary("string_length_above_50.dst");
    EXPECT_EQ(kindList(state.materials, state.kindIndex).front().name, std::string(50, 'A'));
    const std::string grade = gradeList(state.materials, state.kindIndex, 0).front();
    EXPECT_EQ(grade, shiftJisToUtf8(std::string(50, '\xFF')));
    // Lead bytes without their trail bytes still decode to a text the lists can show.
    const std::string broken = shortStringText(state.materials[6].gradeSymbol);
    EXPECT_FALSE(broken.empty());
    EXPECT_NE(broken.find("\xEF\xBF\xBD"), std::string::npos) << "U+FFFD for what has no code";
}

TEST(HostileLibraries, KindsOutsideZeroToNineAreInNoList) {
    const ProgramState state = stateWithMaterialLibrary("kinds_outside_0_to_10.dst");
    const std::vector<int> listed = listedMaterials(state);
    for (const int unlisted : {2, 5, 11, 12})
        EXPECT_EQ(std::count(listed.begin(), listed.end(), unlisted), 0) << unlisted;
    EXPECT_EQ(kindsListed(state), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(reports(state, "record 2: kind 11 is not within 0..10"));
    EXPECT_TRUE(
        reports(state, "record 12: kind " + std::to_string(INT_MIN) + " is not within 0..10"));
}

TEST(HostileLibraries, ANinthRecordOfAKindIsLeftOutAndReported) {
    const ProgramState state = stateWithMaterialLibrary("ninth_record_of_a_kind.dst");
    EXPECT_EQ(state.kindIndex.kindCount[kStainlessKind], kMaxGradesPerKind);
    EXPECT_EQ(gradeList(state.materials, state.kindIndex, kStainlessKind).size(), 8u);
    EXPECT_EQ(lookupMaterial(state.kindIndex, kStainlessKind, 7), 13);
    for (const int leftOut : {14, 15, 16})
        EXPECT_FALSE(findMaterialInIndex(state.kindIndex, leftOut).has_value()) << leftOut;
    EXPECT_TRUE(reports(state, "record 14: is a ninth record of kind 2"));
}

// The kind list carries each entry's kind number, so a gap does not shift the grades.
TEST(HostileLibraries, KindNumbersWithGapsStillSelectTheirOwnRecords) {
    const ProgramState state = stateWithMaterialLibrary("kind_numbers_with_gaps.dst");
    EXPECT_EQ(kindsListed(state), (std::vector<int>{0, 2, 5, 9}));
    EXPECT_EQ(lookupMaterial(state.kindIndex, 5, 0), 3);
    EXPECT_EQ(lookupMaterial(state.kindIndex, 9, 0), 12);
    EXPECT_FALSE(findLibraryInconsistencies(state.materials).empty());
}

TEST(HostileLibraries, NoKindInUseOffersNoMaterial) {
    EXPECT_TRUE(listedMaterials(stateWithMaterialLibrary("no_kind_in_use.dst")).empty());
}

// Without a tensile strength there is no stress coefficient: the diagram shows no point and the
// life is the shortest class, never a division by zero.
TEST(HostileLibraries, ZeroOrNegativeTensileStrengthGivesNoCoefficientAndTheShortestLife) {
    const ProgramState state = stateWithMaterialLibrary("zero_tensile_strength.dst");
    for (const int r : {0, 6}) {
        SCOPED_TRACE(r);
        SpringDesign design = designOn(state, r);
        InitialTensionRange range;
        errorOf([&] {
            calculateDesign(design, state.materials, state.settings.coefficients, range, {});
        });
        const StressCoefficients stress = stressCoefficients(design, state.materials);
        EXPECT_TRUE(std::isnan(stress.upper) && std::isnan(stress.lower));
        EXPECT_EQ(classifyLife(stress.upper, stress.lower), kShortestLifeClass);
    }
    SpringDesign atTheZero = designOn(state, 3);
    atTheZero.diameterIndex = 10;
    EXPECT_TRUE(std::isnan(stressCoefficients(atTheZero, state.materials).upper));
    EXPECT_TRUE(reports(state, "record 0: entry 0: tensile strength 0 is not above 0"));
}

TEST(HostileLibraries, ZeroShearModulusStopsTheCalculationWithDivisionByZero) {
    const ProgramState state = stateWithMaterialLibrary("zero_shear_modulus.dst");
    EXPECT_EQ(prepareSlot(designOn(state, 0), state).calculation, cli::kDivisionByZeroMessage);
    EXPECT_TRUE(reports(state, "record 0: shear modulus 0 is not above 0"));
    // A negative modulus calculates (a negative rate), and the library report names it.
    EXPECT_EQ(prepareSlot(designOn(state, 3), state).calculation, "");
    EXPECT_TRUE(reports(state, "record 3: shear modulus -78500 is not above 0"));
}

// The library is all zero before the start-up load, and a record of zeros has kind 0: the
// records a short file does not reach are listed as nameless grades of kind 0, eight at most.
TEST(HostileLibraries, ShortAndLongFilesReplaceExactlyTheRecordsTheyHold) {
    const std::vector<int> firstEight = {0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(listedMaterials(stateWithMaterialLibrary("empty.dst")), firstEight);
    const ProgramState first = stateWithMaterialLibrary("first_record_only.dst");
    EXPECT_EQ(listedMaterials(first), firstEight);
    EXPECT_EQ(gradeList(first.materials, first.kindIndex, 0)[0], "SW-A");
    const ProgramState cut = stateWithMaterialLibrary("cut_inside_record_0.dst");
    EXPECT_EQ(valueOf(cut.materials[0].diameters[0]), valueOf(first.materials[0].diameters[0]));
    EXPECT_EQ(valueOf(cut.materials[0].allowableBending[49]), 0.0); // past the 1000 bytes
    const ProgramState longer = stateWithMaterialLibrary("longer_than_library.dst");
    const MaterialLibrary builtIn = builtInMaterialLibrary();
    EXPECT_EQ(std::memcmp(&longer.materials, &builtIn, sizeof builtIn), 0);
}

TEST(HostileSettings, CoefficientsThatAreNotFiniteOrExtremeCalculateOrReportAnError) {
    for (const HostileFile& file : hostileSettingsFiles()) {
        SCOPED_TRACE(file.name);
        const ProgramState state = stateWithSettings(file.name);
        for (const int r : listedMaterials(state))
            for (const bool annealed : {false, true}) {
                SpringDesign design = designOn(state, r);
                design.lowTempAnnealed = annealed ? 1 : 0;
                prepareSlot(design, state);
            }
    }
    // A ratio that is not a number leaves the allowable stress missing; the stress rule fails.
    const ProgramState state = stateWithSettings("non_finite_coefficients.set");
    SpringDesign design = designOn(state, 0);
    InitialTensionRange range;
    calculateDesign(design, state.materials, state.settings.coefficients, range, {});
    EXPECT_TRUE(std::isnan(design.allowableStress));
}

} // namespace
} // namespace hspring::test
