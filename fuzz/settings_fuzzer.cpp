// SPDX-License-Identifier: GPL-3.0-or-later
// The settings loader, then the coefficient editor's texts and the calculation with the loaded
// coefficients for each kind the coefficients treat differently, annealed and not.

#include "calc/spring_design.h"
#include "data/coefficient_editing.h"
#include "data/default_data.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cstring>
#include <memory>

using namespace hspring;

namespace {

struct Program {
    MaterialLibrary library = builtInMaterialLibrary();
    KindIndex index = buildKindIndex(library);
    SettingsRecord before = builtInSettings();
};

// The start design on the first material of a kind.
SpringDesign startDesignOfKind(const Program& program, int kind, bool annealed) {
    SpringDesign design{};
    resetDesignDefaults(design);
    design.materialIndex = std::max(lookupMaterial(program.index, kind, 0), 0);
    design.lowTempAnnealed = annealed ? 1 : 0;
    setCoilDiameters(design, design.meanDiameter, design.wireDiameter);
    return design;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto program = std::make_unique<Program>();
    SettingsRecord settings = program->before;
    const std::string& path = fuzz::writeScratchFile(data, size);
    loadSettings(path, settings);

    const std::size_t copied = std::min(size, sizeof settings);
    const auto* image = reinterpret_cast<const std::uint8_t*>(&settings);
    const auto* previous = reinterpret_cast<const std::uint8_t*>(&program->before);
    fuzz::require(std::memcmp(image, data, copied) == 0, "the file's bytes lie over the record");
    fuzz::require(std::memcmp(image + copied, previous + copied, sizeof settings - copied) == 0,
                  "the record beyond a short file keeps its contents");

    // The editor shows the coefficients in F15; storing them unchanged keeps what they show.
    const auto texts = coefficientTexts(settings.coefficients);
    CoefficientSet stored = settings.coefficients;
    if (fuzz::completesOrFailsWithError([&] { storeCoefficientTexts(texts, stored); }))
        fuzz::require(coefficientTexts(stored) == texts, "stored texts show the same again");

    // Saving writes the whole record back; the bytes outside the set come back unchanged.
    saveSettings(path, settings);
    SettingsRecord reread{};
    loadSettings(path, reread);
    fuzz::require(std::memcmp(&reread, &settings, sizeof settings) == 0,
                  "a saved settings record reads back byte for byte");

    for (const int kind : {kHardDrawnSteelKind, kPianoWireKind, kStainlessKind, 3})
        for (const bool annealed : {false, true})
            fuzz::calculateAndShow(startDesignOfKind(*program, kind, annealed), program->library,
                                   settings.coefficients);
    return 0;
}
