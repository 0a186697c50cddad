// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/life.h"

#include "calc/spring_constants.h"

#include <cmath>
#include <limits>

namespace hspring {

namespace {

// All life lines of the classification meet in this point of the diagonal τ2 = τ1.
constexpr long double kLifeLinesMeet = 0.67L;
// Above this upper coefficient the diagram gives no life (the level of the last life line).
constexpr double kHighestUpperCoefficient = 0.45;

} // namespace

int classifyLife(double upper, double lower) {
    if (!(upper <= kHighestUpperCoefficient))
        return kShortestLifeClass;
    for (int i = 0; i < static_cast<int>(LifeLineIntercepts.size()); ++i) {
        const long double intercept = LifeLineIntercepts[i];
        if (upper <= intercept + (kLifeLinesMeet - intercept) / kLifeLinesMeet * lower)
            return i;
    }
    return kShortestLifeClass;
}

std::string_view lifeText(int lifeClass) {
    if (lifeClass < 0 || lifeClass >= kLifeClassCount)
        return {};
    return LifeTexts[lifeClass];
}

StressCoefficients stressCoefficients(const SpringDesign& design, const MaterialLibrary& library) {
    return stressCoefficients(design, library, design.stress1, design.stress2);
}

StressCoefficients stressCoefficients(const SpringDesign& design, const MaterialLibrary& library,
                                      double lowerStress, double upperStress) {
    constexpr double missing = std::numeric_limits<double>::quiet_NaN();
    const MaterialRecord* material = materialAt(library, design.materialIndex);
    const std::optional<double> strength =
        material ? tensileStrengthAt(*material, design.diameterIndex) : std::nullopt;
    if (!strength || !(*strength > 0) || !std::isfinite(*strength))
        return {missing, missing};
    const auto coefficient = [&](double stress) {
        return static_cast<double>(stress * kDiagramGravity / *strength);
    };
    return {coefficient(upperStress), coefficient(lowerStress)};
}

} // namespace hspring
