// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile calculation files through everything the core does with a slot: reading, the history
// row, the diagram, the results display, the sheet, the drawings, the DXF text and "計算".

#include "app/design_display.h"
#include "app/history_rows.h"
#include "base/file_io.h"
#include "base/number_format.h"
#include "calc/checks.h"
#include "calc/life.h"
#include "data/calculation_file.h"
#include "drawing/outline.h"
#include "hardening/hostile_checks.h"
#include "printing/data_sheet_text.h"
#include "wording/japanese.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>

namespace hspring::test {
namespace {

constexpr int kMaterialColumn = 0; // of the history row texts
constexpr int kLifeColumn = 12;

TEST(HostileFiles, TestDataIsWhatTheGeneratorMakes) {
    std::set<std::string> names;
    for (const HostileFile& file : allHostileFiles()) {
        names.insert(file.name);
        const std::vector<std::byte> stored = readFileBytes(hostilePath(file.name));
        EXPECT_TRUE(stored == file.bytes) << file.name << " differs: run make_hostile_files";
    }
    for (const auto& entry : std::filesystem::directory_iterator(hostilePath(""))) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "README.md" || names.count(name)) << name << " is not generated";
    }
}

std::vector<std::string> calculationFileNames() {
    std::vector<std::string> names;
    for (const HostileFile& file : hostileCalculationFiles())
        names.push_back(file.name);
    return names;
}

// Every slot of every file: each step completes or stops with an Error, and the DXF text never
// holds a number that is not finite (checked inside prepareSlot).
TEST(HostileCalculationFiles, EverySlotIsShownDrawnAndCalculatedOrReportsAnError) {
    for (const std::string& name : calculationFileNames()) {
        SCOPED_TRACE(name);
        const ProgramState state = stateWithCalculationFile(name);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            SCOPED_TRACE("slot " + std::to_string(slot));
            prepareSlot(state.designs[slot], state);
        }
    }
}

TEST(HostileCalculationFiles, MaterialOutsideTheLibraryShowsNoGradeAndNoLife) {
    const ProgramState state = stateWithCalculationFile("material_index_out_of_range.hbd");
    for (int slot = 0; slot < 4; ++slot) {
        SCOPED_TRACE(slot);
        const SpringDesign& design = state.designs[slot];
        EXPECT_EQ(historyRowTexts(design, state.materials, japaneseWording())[kMaterialColumn], "");
        EXPECT_EQ(dataSheetTexts(design, state.materials, false).cells[1][3], kUnknownMaterialText);
        EXPECT_TRUE(unlistedMaterialNote(design, state.kindIndex).has_value());
        const StressCoefficients stress = stressCoefficients(design, state.materials);
        EXPECT_TRUE(std::isnan(stress.upper) && std::isnan(stress.lower));
        EXPECT_EQ(classifyLife(stress.upper, stress.lower), kShortestLifeClass);

        // No material, no modulus and no allowable stress: the results are missing, not made
        // up, and the stress rule fails.
        SpringDesign calculated = design;
        InitialTensionRange range;
        calculateDesign(calculated, state.materials, state.settings.coefficients, range, {});
        EXPECT_TRUE(std::isnan(calculated.springRate));
        EXPECT_TRUE(std::isnan(calculated.allowableStress));
        const std::vector<DesignRule> broken = checkDesign(calculated);
        EXPECT_NE(std::find(broken.begin(), broken.end(), DesignRule::StressWithinAllowable),
                  broken.end());
    }
    // Record 12 is within 0..29 but not in use: it is read, and named as not listed.
    EXPECT_TRUE(unlistedMaterialNote(state.designs[4], state.kindIndex).has_value());
}

TEST(HostileCalculationFiles, DiameterOutsideTheMaterialsListHasNoStrengthAndTheShortestLife) {
    const ProgramState state = stateWithCalculationFile("diameter_index_out_of_range.hbd");
    for (int slot = 0; slot < 5; ++slot) {
        SCOPED_TRACE(slot);
        const StressCoefficients stress = stressCoefficients(state.designs[slot], state.materials);
        EXPECT_TRUE(std::isnan(stress.upper));
        EXPECT_EQ(classifyLife(stress.upper, stress.lower), kShortestLifeClass);
        // The calculation reads the wire diameter itself, not the list position.
        EXPECT_EQ(prepareSlot(state.designs[slot], state).calculation, "");
    }
}

TEST(HostileCalculationFiles, LifeClassOutsideTheTextsShowsNoLifeText) {
    const ProgramState state = stateWithCalculationFile("life_class_out_of_range.hbd");
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(
            historyRowTexts(state.designs[slot], state.materials, japaneseWording())[kLifeColumn],
            "");
        EXPECT_EQ(designFieldTexts(state.designs[slot], japaneseWording()).life, "");
    }
}

TEST(HostileCalculationFiles, DiameterKindOutsideTheThreeKeepsTheFieldAndTheButtonDoesNothing) {
    const ProgramState state = stateWithCalculationFile("diameter_kind_out_of_range.hbd");
    for (int slot = 0; slot < 4; ++slot) {
        SpringDesign design = state.designs[slot];
        EXPECT_FALSE(coilDiameterDisplay(design).has_value());
        EXPECT_FALSE(cycleDiameterKind(design).has_value());
        EXPECT_EQ(valueOf(design.diameterKind), valueOf(state.designs[slot].diameterKind));
    }
}

// Any length mode other than 1 means the loads are given.
TEST(HostileCalculationFiles, LengthModeOtherThanOneCalculatesFromTheLoads) {
    const ProgramState state = stateWithCalculationFile("length_mode_out_of_range.hbd");
    for (int slot = 0; slot < 4; ++slot) {
        SpringDesign hostile = state.designs[slot];
        SpringDesign loadsGiven = hostile;
        loadsGiven.lengthMode = kLoadsGiven;
        InitialTensionRange range;
        calculateDesign(hostile, state.materials, state.settings.coefficients, range, {});
        calculateDesign(loadsGiven, state.materials, state.settings.coefficients, range, {});
        EXPECT_EQ(valueOf(hostile.length1), valueOf(loadsGiven.length1));
        EXPECT_EQ(valueOf(hostile.length2), valueOf(loadsGiven.length2));
        EXPECT_EQ(valueOf(hostile.stress2), valueOf(loadsGiven.stress2));
    }
}

TEST(HostileCalculationFiles, SlotsNotMarkedOneHaveEmptyHistoryRows) {
    const ProgramState state = stateWithCalculationFile("in_use_neither_0_nor_1.hbd");
    for (int slot = 0; slot < 3; ++slot)
        for (const std::string& cell :
             historyRowTexts(state.designs[slot], state.materials, japaneseWording()))
            EXPECT_EQ(cell, "");
}

// A check-box byte counts as checked only when it is 1.
TEST(HostileCalculationFiles, CheckBoxBytesAboveOneCountAsUnchecked) {
    const ProgramState state = stateWithCalculationFile("check_box_bytes_above_1.hbd");
    const auto calculated = [&](SpringDesign design) {
        InitialTensionRange range;
        calculateDesign(design, state.materials, state.settings.coefficients, range, {});
        return design;
    };
    for (int slot = 0; slot < 5; ++slot) {
        SCOPED_TRACE(slot);
        SpringDesign unchecked = state.designs[slot];
        unchecked.autoInitialTension = unchecked.autoInitialTension == 1 ? 1 : 0;
        unchecked.lowTempAnnealed = unchecked.lowTempAnnealed == 1 ? 1 : 0;
        EXPECT_EQ(valueOf(calculated(state.designs[slot]).initialTension),
                  valueOf(calculated(unchecked).initialTension));
    }
}

// The history row shows what the slot holds, whatever the number: a number that is not finite
// shows as missing.
TEST(HostileCalculationFiles, NonFiniteNumbersShowAsMissing) {
    const struct {
        const char* file;
        const char* text;
    } cases[] = {{"nan_in_doubles.hbd", "－"},
                 {"infinity_in_doubles.hbd", "－"},
                 {"minus_infinity_in_doubles.hbd", "－"},
                 {"denormal_in_doubles.hbd", "4.941E-324"},
                 {"largest_double_in_doubles.hbd", "1.798E308"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const ProgramState state = stateWithCalculationFile(c.file);
        const auto row = historyRowTexts(state.designs[0], state.materials, japaneseWording());
        for (int column = 1; column < kLifeColumn; ++column)
            EXPECT_EQ(row[column], c.text) << "column " << column + 1;
        // A wire diameter that is not a number cannot be drawn.
        if (!std::isfinite(state.designs[1].wireDiameter)) {
            EXPECT_NE(prepareSlot(state.designs[1], state).roundHookDrawing, "");
        }
    }
}

TEST(HostileCalculationFiles, TooManyTurnsAreRefusedByTheDrawingWithItsMessage) {
    const ProgramState state = stateWithCalculationFile("turns_and_diameters_extreme.hbd");
    const std::string tooMany = prepareSlot(state.designs[0], state).roundHookDrawing;
    EXPECT_NE(tooMany.find(std::to_string(kMaxDrawnTurns)), std::string::npos) << tooMany;
    EXPECT_EQ(prepareSlot(state.designs[1], state).roundHookDrawing, ""); // 10000.2: the limit
    EXPECT_EQ(prepareSlot(state.designs[2], state).roundHookDrawing, tooMany);
    EXPECT_EQ(prepareSlot(state.designs[3], state).roundHookDrawing, ""); // -5: hooks only
    // Numbers of turns no whole number can hold are an invalid operation.
    EXPECT_EQ(prepareSlot(state.designs[4], state).roundHookDrawing, kInvalidOperationMessage);
    EXPECT_EQ(prepareSlot(state.designs[5], state).roundHookDrawing, kInvalidOperationMessage);
    // No wire, no coil: the drawing and the calculation stop with their arithmetic errors.
    EXPECT_EQ(prepareSlot(state.designs[7], state).calculation, kDivisionByZeroMessage);
    EXPECT_EQ(prepareSlot(state.designs[8], state).calculation, kDivisionByZeroMessage);
    EXPECT_NE(prepareSlot(state.designs[8], state).roundHookDrawing, "");
}

// A file's bytes lie over the slots from the start; the slots it does not reach keep theirs.
TEST(HostileCalculationFiles, ShortAndLongFilesReplaceExactlyTheBytesTheyHold) {
    const ProgramState before = stateWithCalculationFile("empty.hbd");
    for (const auto& [name, size] : {std::pair<const char*, std::size_t>{"empty.hbd", 0},
                                     {"slot0_only.hbd", 336},
                                     {"cut_inside_slot_1.hbd", 500},
                                     {"longer_than_slots.hbd", sizeof(DesignSlots)}}) {
        SCOPED_TRACE(name);
        const ProgramState state = stateWithCalculationFile(name);
        const auto* image = reinterpret_cast<const std::byte*>(&state.designs);
        const auto* previous = reinterpret_cast<const std::byte*>(&before.designs);
        const std::vector<std::byte>& file = hostileFile(name).bytes;
        if (size > 0) {
            EXPECT_EQ(std::memcmp(image, file.data(), size), 0);
        }
        EXPECT_EQ(std::memcmp(image + size, previous + size, sizeof(DesignSlots) - size), 0);
    }
}

} // namespace
} // namespace hspring::test
