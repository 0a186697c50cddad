// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history_rows.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/wording.h"

#include <algorithm>

namespace hspring {

std::array<std::string, kHistoryColumnCount - 1> historyRowTexts(const SpringDesign& design,
                                                                 const MaterialLibrary& library,
                                                                 const Wording& words,
                                                                 UnitSystem units) {
    if (design.inUse != 1)
        return {};
    const auto force = [units](double stored) { return formatF4(shownValue(stored, units)); };
    const MaterialRecord* material = materialAt(library, design.materialIndex);
    return {
        material ? shortStringText(material->gradeSymbol) : std::string(),
        formatF4(design.wireDiameter),
        formatF4(design.meanDiameter),
        formatF4(design.totalTurns),
        formatF4(design.freeLength),
        force(design.load1),
        force(design.load2),
        formatF4(design.length1),
        formatF4(design.length2),
        force(design.springRate),
        force(design.stress2),
        force(design.allowableStress),
        std::string(words.lifeClass(design.lifeClass)),
        force(design.initialTension),
    };
}

std::array<std::string, kHistoryColumnCount> historyUnits(UnitSystem units) {
    std::array<std::string, kHistoryColumnCount> row;
    for (std::size_t column = 0; column < row.size(); ++column)
        row[column] = unitInSystem(kHistoryUnits[column], units);
    return row;
}

int historySlotFromText(std::string_view text) {
    try {
        return std::clamp<std::int32_t>(textToInt(text), kFirstHistorySlot, kLastHistorySlot);
    } catch (const Error&) {
        return kFirstHistorySlot;
    }
}

} // namespace hspring
