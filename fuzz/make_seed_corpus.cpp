// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the binary seeds of the fuzz corpus with the core's own API: the shipped material
// library and settings, and calculation files holding calculated designs of every listed
// material with both diameter kinds, length modes, half and whole turns and both hook types.
// The text seeds (JSON, number texts) are written by hand.
//
//   cmake --build build-hardening --target make_seed_corpus   (the sanitizer build, clang)
//   build-hardening/fuzz/make_seed_corpus fuzz/corpus

#include "base/error.h"
#include "base/file_io.h"
#include "calc/design_result.h"
#include "calc/spring_design.h"
#include "data/calculation_file.h"
#include "data/default_data.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>

using namespace hspring;

namespace {

// A design on the listed material number `variant` (counting through the kind index), varied in
// every mode and input the window offers, calculated and stored as "▼" stores it.
SpringDesign historyDesign(const MaterialLibrary& library, const KindIndex& index,
                           const CoefficientSet& coefficients, int variant) {
    std::vector<int> listed;
    for (int kind = 0; kind < kKindCount; ++kind)
        for (int grade = 0; grade < index.kindCount[kind]; ++grade)
            listed.push_back(index.kindMembers[kind][grade]);
    const MaterialRecord& material = library[listed[variant % listed.size()]];

    SpringDesign design{};
    resetDesignDefaults(design);
    design.materialIndex = listed[variant % listed.size()];
    design.diameterIndex = std::min(variant, usedDiameterCount(material) - 1);
    design.wireDiameter = material.diameters[design.diameterIndex];
    design.diameterKind = variant % 3;
    const double d = design.wireDiameter;
    setCoilDiameters(design, d * (6 + variant % 9), d);
    constexpr std::array turns = {20.0, 20.5, 20.8, 2.5, 7.25, 0.2};
    setTurns(design, turns[variant % turns.size()]);
    design.freeLength = (design.totalTurns + 1) * d + 2 * design.innerDiameter;
    design.lengthMode = variant % 2 == 0 ? kLengthsGiven : kLoadsGiven;
    design.length1 = design.freeLength * 1.1;
    design.length2 = design.freeLength * 1.3;
    design.load1 = 0.2 * d;
    design.load2 = 1.2 * d;
    design.autoInitialTension = variant % 4 == 3 ? 0 : 1;
    design.initialTension = 0.1 * d;
    design.lowTempAnnealed = variant % 3 == 2 ? 1 : 0;
    design.hookAngle = 60 + variant;
    try {
        design = evaluateDesign(design, library, coefficients).design;
    } catch (const Error&) {
        // A design the engine stops on is stored as it stands, as the window would.
    }
    design.inUse = 1;
    return design;
}

void write(const std::filesystem::path& path, std::span<const std::byte> bytes) {
    std::filesystem::create_directories(path.parent_path());
    writeFileAtomically(path.string(), bytes);
    std::printf("%s (%zu bytes)\n", path.c_str(), bytes.size());
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seed_corpus CORPUS_FOLDER\n");
        return 2;
    }
    const std::filesystem::path corpus = argv[1];
    const auto library = std::make_unique<MaterialLibrary>(builtInMaterialLibrary());
    const SettingsRecord settings = builtInSettings();
    const KindIndex index = buildKindIndex(*library);

    const auto libraryBytes = std::as_bytes(std::span(library.get(), 1));
    write(corpus / "material_library" / "zaidat.dst", libraryBytes);
    write(corpus / "material_library" / "first_record.dst",
          libraryBytes.first(sizeof(MaterialRecord)));
    const auto settingsBytes = std::as_bytes(std::span(&settings, 1));
    write(corpus / "settings" / "hspring.set", settingsBytes);
    write(corpus / "settings" / "coefficients_only.set",
          settingsBytes.first(offsetof(SettingsRecord, trailing)));

    // After the start: the start design calculated in slot 0, no history.
    const auto slots = std::make_unique<DesignSlots>();
    slots->at(0) = historyDesign(*library, index, settings.coefficients, 0);
    const auto slotBytes = std::as_bytes(std::span(slots.get(), 1));
    write(corpus / "calculation_file" / "start.hbd", slotBytes);
    write(corpus / "calculation_file" / "slot0.hbd", slotBytes.first(sizeof(SpringDesign)));
    // A full history.
    for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot)
        slots->at(slot) = historyDesign(*library, index, settings.coefficients, slot);
    write(corpus / "calculation_file" / "history.hbd", slotBytes);
    return 0;
}
