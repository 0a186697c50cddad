// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation-file loader, then everything the program prepares for each slot: history row,
// diagram coefficients and life class, results display, spring data sheet, outlines and DXF
// text, and the calculation.

#include "calc/spring_design.h"
#include "data/calculation_file.h"
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
    CoefficientSet coefficients = builtInSettings().coefficients;
    // What the slots hold before the file is read: the start design in slot 0, the rest empty.
    DesignSlots before = [] {
        DesignSlots slots{};
        resetDesignDefaults(slots[0]);
        return slots;
    }();
};

const Program& program() {
    static const auto instance = std::make_unique<Program>();
    return *instance;
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned seed) {
    return fuzz::mutateRecordwise(data, size, maxSize, seed, sizeof(SpringDesign));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Program& p = program();
    auto slots = std::make_unique<DesignSlots>(p.before);
    loadDesignSlots(fuzz::writeScratchFile(data, size), *slots);

    // The file's bytes, at most 10416, lie over the slots; the rest is as it was.
    const std::size_t copied = std::min(size, sizeof(DesignSlots));
    const auto* image = reinterpret_cast<const std::uint8_t*>(slots.get());
    const auto* previous = reinterpret_cast<const std::uint8_t*>(&p.before);
    fuzz::require(std::memcmp(image, data, copied) == 0, "the file's bytes lie over the slots");
    fuzz::require(std::memcmp(image + copied, previous + copied, sizeof(DesignSlots) - copied) == 0,
                  "the slots beyond a short file keep their contents");

    // What the program prepares for a slot depends on that slot alone (and on whether its number
    // is even, which chooses the DXF text written), so each distinct slot is prepared once.
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SpringDesign& design = (*slots)[slot];
        std::uint8_t key[sizeof design + 1];
        std::memcpy(key, &design, sizeof design);
        key[sizeof design] = static_cast<std::uint8_t>(slot % 2);
        if (fuzz::firstSighting(key, sizeof key))
            fuzz::prepareSlotDisplay(design, slot, p.library, p.index, p.coefficients);
    }
    return 0;
}
