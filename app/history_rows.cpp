// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history_rows.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/wording.h"

#include <algorithm>

namespace hspring {

std::array<std::string, kHistoryColumnCount - 1>
historyRowTexts(const SpringDesign& design, const MaterialLibrary& library, const Wording& words) {
    if (design.inUse != 1)
        return {};
    const MaterialRecord* material = materialAt(library, design.materialIndex);
    return {
        material ? shortStringText(material->gradeSymbol) : std::string(),
        formatF4(design.wireDiameter),
        formatF4(design.meanDiameter),
        formatF4(design.totalTurns),
        formatF4(design.freeLength),
        formatF4(design.load1),
        formatF4(design.load2),
        formatF4(design.length1),
        formatF4(design.length2),
        formatF4(design.springRate),
        formatF4(design.stress2),
        formatF4(design.allowableStress),
        std::string(words.lifeClass(design.lifeClass)),
        formatF4(design.initialTension),
    };
}

int historySlotFromText(std::string_view text) {
    try {
        return std::clamp<std::int32_t>(textToInt(text), kFirstHistorySlot, kLastHistorySlot);
    } catch (const Error&) {
        return kFirstHistorySlot;
    }
}

} // namespace hspring
