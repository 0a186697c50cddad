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

// The maximum bending stress at the end of an extension spring's hook for cyclic loading at
// stress ratio 0, as a share of the tensile strength σB, by the number of cycles reached, paired
// with the life class that number of cycles names. Published for music wire (ASTM A228) and
// type 302 stainless steel, not shot-peened, low-temperature heat treated, no surging, ambient
// environment: Associated Spring, Barnes Group, "Design Handbook: Engineering Guide to Spring
// Design" (1987), reproduced in Budynas & Nisbett, "Shigley's Mechanical Engineering Design"
// (table "Maximum allowable stresses for ASTM A228 and type 302 stainless steel helical
// extension springs in cyclic applications", column "in bending, end") and in Shigley &
// Mischke, "Standard Handbook of Machine Design", ch. 24. Longest life first.
struct HookBendingLine {
    long double share;
    int lifeClass;
};
constexpr std::array<HookBendingLine, 3> kHookBendingLines = {{
    {0.45L, 0}, // 10^7 cycles
    {0.47L, 1}, // 10^6 cycles
    {0.51L, 2}, // 10^5 cycles
}};

} // namespace

int classifyHookBendingLife(double upper, double lower) {
    for (const HookBendingLine& line : kHookBendingLines)
        if (upper <= line.share + (1 - line.share) * static_cast<long double>(lower))
            return line.lifeClass;
    return kShortestLifeClass;
}

// Each life line's slope, (meet − intercept)/meet, worked out once in the precision the test uses
// (the same value the test computed at each call).
constexpr auto kLifeLineSlopes = [] {
    std::array<long double, LifeLineIntercepts.size()> slopes{};
    for (std::size_t i = 0; i < slopes.size(); ++i)
        slopes[i] =
            (kLifeLinesMeet - static_cast<long double>(LifeLineIntercepts[i])) / kLifeLinesMeet;
    return slopes;
}();

int classifyLife(double upper, double lower) {
    if (!(upper <= kHighestUpperCoefficient))
        return kShortestLifeClass;
    for (int i = 0; i < static_cast<int>(LifeLineIntercepts.size()); ++i) {
        const long double intercept = LifeLineIntercepts[i];
        if (upper <= intercept + kLifeLineSlopes[i] * lower)
            return i;
    }
    return kShortestLifeClass;
}

StressCoefficients stressCoefficients(const SpringDesign& design, const MaterialLibrary& library) {
    return stressCoefficients(design, library, design.stress1, design.stress2);
}

StressCoefficients stressCoefficients(const SpringDesign& design, const MaterialLibrary& library,
                                      double lowerStress, double upperStress) {
    return stressCoefficients(wireTensileStrength(design, library), lowerStress, upperStress);
}

} // namespace hspring
