// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/coefficient_editing.h"

#include "base/number_format.h"
#include "base/text_to_number.h"

#include <cstddef>
#include <cstring>

namespace hspring {

namespace {

// Record order, which is also the order of the editor's fields. The settings record is packed and
// puts the set at an odd offset, so values are copied through their offsets: a member pointer
// would read a double from an address it may not be aligned for.
constexpr std::size_t kFieldOffsets[kCoefficientCount] = {
    offsetof(CoefficientSet, compressionToMaterialRatio),
    offsetof(CoefficientSet, extensionToCompressionRatio),
    offsetof(CoefficientSet, hookStressFactor),
    offsetof(CoefficientSet, stainlessReduction),
    offsetof(CoefficientSet, annealedPianoReduction),
    offsetof(CoefficientSet, annealedHardSteelReduction),
    offsetof(CoefficientSet, annealedStainlessReduction)};

} // namespace

std::array<std::string, kCoefficientCount> coefficientTexts(const CoefficientSet& coefficients) {
    std::array<std::string, kCoefficientCount> texts;
    for (int i = 0; i < kCoefficientCount; ++i) {
        double value = 0;
        std::memcpy(&value, reinterpret_cast<const char*>(&coefficients) + kFieldOffsets[i],
                    sizeof value);
        texts[i] = formatF15(value);
    }
    return texts;
}

void storeCoefficientTexts(const std::array<std::string, kCoefficientCount>& texts,
                           CoefficientSet& coefficients) {
    for (int i = 0; i < kCoefficientCount; ++i)
        storeCoefficient(i, textToDouble(texts[i]), coefficients);
}

void storeCoefficient(int index, double value, CoefficientSet& coefficients) {
    std::memcpy(reinterpret_cast<char*>(&coefficients) + kFieldOffsets[index], &value,
                sizeof value);
}

} // namespace hspring
