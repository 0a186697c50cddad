#include "data/coefficient_editing.h"

#include "base/number_format.h"
#include "base/text_to_number.h"

namespace hspring {

namespace {

// Record order, which is also the order of the editor's fields.
constexpr double CoefficientSet::*kFields[kCoefficientCount] = {
    &CoefficientSet::compressionToMaterialRatio, &CoefficientSet::extensionToCompressionRatio,
    &CoefficientSet::hookStressFactor,           &CoefficientSet::stainlessReduction,
    &CoefficientSet::annealedPianoReduction,     &CoefficientSet::annealedHardSteelReduction,
    &CoefficientSet::annealedStainlessReduction};

} // namespace

std::array<std::string, kCoefficientCount> coefficientTexts(const CoefficientSet& coefficients) {
    std::array<std::string, kCoefficientCount> texts;
    for (int i = 0; i < kCoefficientCount; ++i)
        texts[i] = formatF15(coefficients.*kFields[i]);
    return texts;
}

void storeCoefficientTexts(const std::array<std::string, kCoefficientCount>& texts,
                           CoefficientSet& coefficients) {
    for (int i = 0; i < kCoefficientCount; ++i)
        coefficients.*kFields[i] = textToDouble(texts[i]);
}

} // namespace hspring
