// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_basis.h"

#include "calc/engine.h"
#include "calc/life.h"
#include "calc/spring_constants.h"

#include <cmath>
#include <limits>

namespace hspring {

namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

// A stress that is a positive finite number, or missing.
double positiveOrMissing(long double stress) {
    const double value = static_cast<double>(stress);
    return value > 0 && std::isfinite(value) ? value : kMissing;
}

const HandbookShares& sharesOf(const MaterialRecord& material) {
    return material.kind == kStainlessKind ? kHandbookStainlessShares : kHandbookSteelShares;
}

// The torsional ultimate strength as a share of σB, where the life lines meet the diagonal.
constexpr long double kTorsionalUltimateShare = 0.67L;

struct TorsionLine {
    long double body;
    long double end;
    int lifeClass;
};
// Longest life first.
constexpr std::array<TorsionLine, 3> kHandbookTorsionLines = {{
    {0.30L, 0.28L, 0}, // 10^7 cycles
    {0.33L, 0.30L, 1}, // 10^6 cycles
    {0.36L, 0.34L, 2}, // 10^5 cycles
}};

} // namespace

std::optional<double> tensileStrengthOf(const MaterialRecord* material, int diameterIndex) {
    if (!material)
        return std::nullopt;
    const std::optional<double> strength = tensileStrengthAt(*material, diameterIndex);
    if (!strength || !(*strength > 0) || !std::isfinite(*strength))
        return std::nullopt;
    return strength;
}

double handbookBodyShare(const MaterialRecord& material) {
    return sharesOf(material).bodyTorsion;
}

BasisAllowables basisAllowables(const MaterialRecord* material, int diameterIndex, double d,
                                const CoefficientSet& coefficients) {
    if (designBasisOf(coefficients) == DesignBasis::Handbook) {
        const std::optional<double> strength = tensileStrengthOf(material, diameterIndex);
        if (!strength)
            return {kMissing, kMissing, kMissing};
        const HandbookShares& shares = sharesOf(*material);
        const long double sigma = *strength / kGravity;
        return {positiveOrMissing(shares.bodyTorsion * sigma),
                positiveOrMissing(shares.endTorsion * sigma),
                positiveOrMissing(shares.endBending * sigma)};
    }
    const auto compressionSpring = [&](AllowableStressKind kind) {
        if (!material)
            return kMissing;
        return positiveOrMissing(
            static_cast<long double>(materialAllowableStress(*material, kind, d)) *
            (static_cast<long double>(coefficients.compressionToMaterialRatio) / 100 / kGravity));
    };
    const double coil =
        springAllowableStress(material, AllowableStressKind::Torsion, d, coefficients);
    return {coil, compressionSpring(AllowableStressKind::Torsion),
            compressionSpring(AllowableStressKind::Bending)};
}

int classifyHandbookTorsionLife(HandbookTorsionColumn column, double upper, double lower) {
    for (const TorsionLine& line : kHandbookTorsionLines) {
        const long double share = column == HandbookTorsionColumn::Body ? line.body : line.end;
        const long double slope = (kTorsionalUltimateShare - share) / kTorsionalUltimateShare;
        if (upper <= share + slope * static_cast<long double>(lower))
            return line.lifeClass;
    }
    return kShortestLifeClass;
}

} // namespace hspring
