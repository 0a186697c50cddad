// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_caption.h"

#include "base/number_format.h"
#include "data/short_string.h"

#include <cctype>

namespace hspring {

namespace {

std::string gradeOf(const SpringDesign& design, const MaterialLibrary& library) {
    const MaterialRecord* record = materialAt(library, design.materialIndex);
    return record ? shortStringText(record->gradeSymbol) : std::string();
}

} // namespace

std::string designCaption(const SpringDesign& design, const MaterialLibrary& library) {
    const std::string grade = gradeOf(design, library);
    return (grade.empty() ? std::string() : grade + " ") + "d" + formatF4(design.wireDiameter) +
           "×D" + formatF4(design.meanDiameter) + "×N" + formatF4(design.totalTurns);
}

std::string designFileStem(const SpringDesign& design, const MaterialLibrary& library) {
    std::string stem = gradeOf(design, library);
    for (char& c : stem)
        if (static_cast<unsigned char>(c) < 0x80 && !std::isalnum(static_cast<unsigned char>(c)) &&
            c != '-' && c != '.')
            c = '_';
    if (!stem.empty())
        stem += '_';
    return stem + "d" + formatF4(design.wireDiameter) + "_D" + formatF4(design.meanDiameter) +
           "_N" + formatF4(design.totalTurns);
}

} // namespace hspring
