// SPDX-License-Identifier: GPL-3.0-or-later
#include "hostile_checks.h"

#include "app/design_display.h"
#include "app/history_rows.h"
#include "base/number_format.h"
#include "calc/checks.h"
#include "calc/life.h"
#include "calc/recommendations.h"
#include "calc/spring_design.h"
#include "data/calculation_file.h"
#include "data/default_data.h"
#include "drawing/dxf_file.h"
#include "drawing/shape_views.h"
#include "printing/data_sheet_text.h"
#include "wording/japanese.h"

#include <algorithm>
#include <map>

namespace hspring::test {

namespace {

ProgramState startedState() {
    ProgramState state;
    state.materials = builtInMaterialLibrary();
    state.kindIndex = buildKindIndex(state.materials);
    state.settings = builtInSettings();
    resetDesignDefaults(state.current());
    return state;
}

void expectFiniteText(const std::string& text, const char* what) {
    for (const std::string_view word :
         {kMissingValueText, std::string_view("NAN"), std::string_view("INF"),
          std::string_view("nan"), std::string_view("inf")})
        EXPECT_EQ(text.find(word), std::string::npos) << what << " holds " << word;
}

} // namespace

std::string hostilePath(const std::string& name) {
    return std::string(HSPRING_TEST_DATA_DIR) + "/hostile/" + name;
}

const HostileFile& hostileFile(const std::string& name) {
    static const auto files = [] {
        std::map<std::string, HostileFile> byName;
        for (HostileFile& file : allHostileFiles())
            byName.emplace(file.name, std::move(file));
        return byName;
    }();
    return files.at(name);
}

ProgramState stateWithCalculationFile(const std::string& name) {
    ProgramState state = startedState();
    loadDesignSlots(hostilePath(name), state.designs);
    return state;
}

ProgramState stateWithMaterialLibrary(const std::string& name) {
    // The library is all zero until the start-up load.
    ProgramState state = startedState();
    state.materials = MaterialLibrary{};
    loadMaterialLibrary(hostilePath(name), state.materials);
    state.kindIndex = buildKindIndex(state.materials);
    return state;
}

ProgramState stateWithSettings(const std::string& name) {
    ProgramState state = startedState();
    state.settings = SettingsRecord{};
    loadSettings(hostilePath(name), state.settings);
    return state;
}

SlotOutcome prepareSlot(const SpringDesign& design, const ProgramState& state) {
    const MaterialLibrary& library = state.materials;
    const CoefficientSet coefficients = state.settings.coefficients;
    SlotOutcome outcome;

    // The history row, the results display and the diagram.
    historyRowTexts(design, library, japaneseWording());
    designFieldTexts(design, japaneseWording());
    coilDiameterDisplay(design);
    unlistedMaterialNote(design, state.kindIndex);
    const StressCoefficients stress = stressCoefficients(design, library);
    const int lifeClass = classifyLife(stress.upper, stress.lower);
    EXPECT_TRUE(lifeClass >= 0 && lifeClass < kLifeClassCount);
    dataSheetTexts(design, library, false);

    // "計算", then the checks and the recommended values it shows.
    SpringDesign calculated = design;
    InitialTensionRange range;
    outcome.calculation = errorOf([&] {
        calculateDesign(calculated, library, coefficients, range, InitialTensionReader{});
        checkDesign(calculated);
        recommendationsFor(calculated, range);
    });

    // The drawings and the DXF text, which must never hold a number that is not finite.
    const CoilShape coil = coilShapeOf(design);
    const UHookShape hook{design.hookLength, design.hookOpening, design.hookMinRadius};
    outcome.roundHookDrawing = errorOf([&] {
        expectFiniteText(roundHookDxf(coil, design.hookAngle), "the round-hook DXF");
        freeRoundHookDrawing(coil, design.hookAngle, design.length2, kShapeViewWidth,
                             kShapeViewHeight);
    });
    outcome.uHookDrawing = errorOf([&] {
        expectFiniteText(uHookDxf(coil, hook), "the U-hook DXF");
        freeUHookDrawing(coil, hook, kShapeViewWidth, kShapeViewHeight);
    });
    outcome.loadedDrawing = errorOf([&] {
        for (const double length : {design.length1, design.length2})
            loadedRoundHookDrawing(coil, design.hookAngle, length, design.length2, kShapeViewWidth,
                                   kShapeViewHeight);
    });
    return outcome;
}

} // namespace hspring::test
