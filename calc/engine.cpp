// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/engine.h"

#include "base/checked_float.h"
#include "calc/engine_checking.h"
#include "calc/spring_constants.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace hspring {

namespace {

// Scales the initial-stress table to kgf/mm^2.
constexpr long double kInitialStressScale = 0.38178L;

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

// Each step's formula is written once, for either kind of arithmetic: plain extended precision,
// or CheckedFloat, which stops at the operation that faults. `store` rounds to double as a value
// is stored; `plain` gives the extended value for a comparison.
double store(long double value) {
    return static_cast<double>(value);
}
double store(CheckedFloat value) {
    return value.stored();
}
long double plain(long double value) {
    return value;
}
long double plain(CheckedFloat value) {
    return value.value();
}

template <std::size_t count>
bool allFinite(const std::array<double, count>& values) {
    bool finite = true;
    for (const double value : values)
        finite &= std::isfinite(value);
    return finite;
}

// Runs one step: `formula(zero)` computes with the arithmetic of `zero`'s type and returns every
// value the step stores. Checking each operation costs as much as the calculation itself, so the
// step first runs in plain extended precision. A fault always leaves one of those values not a
// finite double: no product or quotient of finite doubles leaves the extended range, a NaN is
// never lost, and no infinity made by a fault is ever a divisor before it is stored. Only then
// does the step run again with every operation checked; that run throws the fault, or finds that
// a NaN or an infinity came in and passed on quietly, as it does in the hardware.
template <EngineChecking checking, typename Formula>
auto runStep(const Formula& formula) {
    if constexpr (checking == EngineChecking::StepResults) {
        const auto values = formula(0.0L);
        if (allFinite(values)) [[likely]]
            return values;
    }
    return formula(CheckedFloat(0));
}

// The share of the initial tension that remains after the wire's treatment: (100 − r) / 100
// with the reduction r chosen by kind and annealing. A missing material has no kind to choose by.
template <typename T>
double initialTensionFactor(const MaterialRecord* material, bool annealed,
                            const CoefficientSet& coefficients) {
    if (!material)
        return kMissing;
    double reduction = 0;
    switch (material->kind) {
    case kHardDrawnSteelKind:
        reduction = annealed ? coefficients.annealedHardSteelReduction : 0;
        break;
    case kPianoWireKind:
        reduction = annealed ? coefficients.annealedPianoReduction : 0;
        break;
    case kStainlessKind:
        reduction =
            annealed ? coefficients.annealedStainlessReduction : coefficients.stainlessReduction;
        break;
    default:
        return 1;
    }
    return store((T(100) - reduction) / 100);
}

// No material, no allowable stress.
double materialStressOf(const MaterialRecord* material, AllowableStressKind kind, double d) {
    return material ? materialAllowableStress(*material, kind, d) : kMissing;
}

// The material's allowable stress (N/mm^2) as a spring's (kgf/mm^2): the two ratios and g.
template <typename T>
double scaledAllowableStress(double materialStress, const CoefficientSet& coefficients) {
    return store(T(materialStress) * (T(coefficients.compressionToMaterialRatio) / 100 *
                                      coefficients.extensionToCompressionRatio / 100 / kGravity));
}

template <EngineChecking checking>
void computeInitialTensionWith(SpringDesign& design, const MaterialLibrary& library,
                               const CoefficientSet& coefficients, InitialTensionRange& range,
                               const InitialTensionReader& readInitialTension) {
    const double c = design.springIndex;
    const double d = design.wireDiameter;
    const double meanDiameter = design.meanDiameter;
    const MaterialRecord* material = materialAt(library, design.materialIndex);
    const bool annealed = design.lowTempAnnealed == 1;
    const double upper = interpolateColumn(InitialStressColumn::Upper, c);
    const double lower = interpolateColumn(InitialStressColumn::Lower, c);

    // Every value the step stores: a, b, High and Low before and after the reduction, its factor,
    // and Mid.
    const std::array<double, 8> values = runStep<checking>([&](auto zero) {
        using T = decltype(zero);
        const double a = store(T(upper) * kInitialStressScale);
        const double b = store(T(lower) * kInitialStressScale);
        const double unreducedHigh = store(T(kPiInitialTension) * d * d * d * a / meanDiameter / 8);
        const double unreducedLow = store(T(kPiInitialTension) * d * d * d * b / meanDiameter / 8);
        const double factor = initialTensionFactor<T>(material, annealed, coefficients);
        const double high = store(T(factor) * unreducedHigh);
        const double low = store(T(factor) * unreducedLow);
        const double mid = store((T(high) + low) / 2);
        return std::array{a, b, unreducedHigh, unreducedLow, factor, high, low, mid};
    });
    range = InitialTensionRange{.low = values[6], .high = values[5], .mid = values[7]};

    if (design.autoInitialTension == 1)
        design.initialTension = range.mid;
    else if (readInitialTension)
        design.initialTension = readInitialTension();
}

template <EngineChecking checking>
void calculateDesignWith(SpringDesign& s, const MaterialLibrary& library,
                         const CoefficientSet& coefficients, InitialTensionRange& range,
                         const InitialTensionReader& readInitialTension) {
    const MaterialRecord* material = materialAt(library, s.materialIndex);
    const double d = s.wireDiameter;
    const double meanDiameter = s.meanDiameter;

    // 1. Spring rate, kgf/mm.
    const double shearModulus = material ? material->shearModulus : kMissing;
    const double activeTurns = s.activeTurns;
    s.springRate = runStep<checking>([&](auto zero) {
        using T = decltype(zero);
        return std::array{
            store(coilSpringRate(T(shearModulus), T(d), T(activeTurns), T(meanDiameter)))};
    })[0];

    // 2. Spring index and Wahl's stress-correction factor, stored together.
    const std::array<double, 2> indexAndWahl = runStep<checking>([&](auto zero) {
        using T = decltype(zero);
        const double c = store(T(meanDiameter) / d);
        return std::array{c, store(wahlFactor(T(c)))};
    });
    s.springIndex = indexAndWahl[0];
    s.wahlFactor = indexAndWahl[1];
    const double wahl = s.wahlFactor;

    // 3. Recommended initial-tension range and the initial tension used.
    computeInitialTensionWith<checking>(s, library, coefficients, range, readInitialTension);

    // 4. Free length implied by the turns and two full-loop hooks (entered turns, not active).
    const double totalTurns = s.totalTurns;
    const double innerDiameter = s.innerDiameter;
    s.hookedFreeLength = runStep<checking>([&](auto zero) {
        using T = decltype(zero);
        return std::array{store((T(totalTurns) + 1) * d + T(2) * innerDiameter)};
    })[0];

    // 5.–6. Allowable torsional stress of the spring, kgf/mm^2.
    const double materialStress = materialStressOf(material, AllowableStressKind::Torsion, d);
    s.allowableStress = runStep<checking>([&](auto zero) {
        using T = decltype(zero);
        return std::array{scaledAllowableStress<T>(materialStress, coefficients)};
    })[0];

    // 7. Recommended maximum load, kgf.
    const double allowableStress = s.allowableStress;
    s.maxLoad = runStep<checking>([&](auto zero) {
        using T = decltype(zero);
        return std::array{
            store(T(kPiMaxLoad) * allowableStress * d * d * d / 8 / meanDiameter / wahl)};
    })[0];

    // 8. Recommended maximum length, mm: from the hooked free length, not the entered one.
    const double maxLoad = s.maxLoad;
    const double initialTension = s.initialTension;
    const double springRate = s.springRate;
    const double hookedFreeLength = s.hookedFreeLength;
    s.maxLength = runStep<checking>([&](auto zero) {
        using T = decltype(zero);
        return std::array{store((T(maxLoad) - initialTension) / springRate + hookedFreeLength)};
    })[0];

    // 9. The working points the mode leaves open, one after the other.
    const double freeLength = s.freeLength;
    if (s.lengthMode == kLengthsGiven) {
        // A length below the free length gives a load below the initial tension; not clamped.
        const auto loadAt = [&](double length) {
            return runStep<checking>([&](auto zero) {
                using T = decltype(zero);
                return std::array{store((T(length) - freeLength) * springRate + initialTension)};
            })[0];
        };
        s.load1 = loadAt(s.length1);
        s.load2 = loadAt(s.length2);
    } else {
        // A load below the initial tension does not open the coils: the length stays L0.
        const auto lengthAt = [&](double load) {
            return runStep<checking>([&](auto zero) {
                using T = decltype(zero);
                const double extension = store(T(load) - initialTension);
                const double opening = extension < 0 ? 0 : extension;
                return std::array{extension, store(T(opening) / springRate + freeLength)};
            })[1];
        };
        s.length1 = lengthAt(s.load1);
        s.length2 = lengthAt(s.load2);
    }

    // 10.–11. Corrected torsional stresses, kgf/mm^2. The first is that of the larger of initial
    // tension and working load 1; the second is from load 2 as it stands.
    const double load1 = s.load1;
    s.stress1 = runStep<checking>([&](auto zero) {
        using T = decltype(zero);
        const double load = plain(T(initialTension) - load1) > 0 ? initialTension : load1;
        return std::array{store(torsionalStress(T(wahl), T(meanDiameter), T(load), T(d)))};
    })[0];
    const double load2 = s.load2;
    s.stress2 = runStep<checking>([&](auto zero) {
        using T = decltype(zero);
        return std::array{store(torsionalStress(T(wahl), T(meanDiameter), T(load2), T(d)))};
    })[0];
}

} // namespace

double springAllowableStress(const MaterialRecord* material, AllowableStressKind kind, double d,
                             const CoefficientSet& coefficients) {
    const double stress =
        scaledAllowableStress<long double>(materialStressOf(material, kind, d), coefficients);
    return std::isfinite(stress) ? stress : kMissing;
}

double interpolateColumn(InitialStressColumn column, double c) {
    if (std::isnan(c))
        return kMissing;
    const bool upper = column == InitialStressColumn::Upper;
    // Outside 3..22 the end row stands: the design is reported for its spring index, and its
    // loads and stresses stay numbers the fields can show and read back.
    const InitialStressRow& front = InitialStressTable.front();
    const InitialStressRow& back = InitialStressTable.back();
    if (c <= front.springIndex)
        return upper ? front.upper : front.lower;
    if (c >= back.springIndex)
        return upper ? back.upper : back.lower;
    // The rows are one index apart, so the segment that holds c is found directly. On a row, the
    // segment that starts there is the one the piecewise-linear rule takes (the last matching).
    const int first =
        std::min(static_cast<int>(c) - 3, static_cast<int>(InitialStressTable.size()) - 2);
    const InitialStressRow& row0 = InitialStressTable[first];
    const InitialStressRow& row1 = InitialStressTable[first + 1];
    const long double y0 = upper ? row0.upper : row0.lower;
    const long double y1 = upper ? row1.upper : row1.lower;
    const long double x0 = row0.springIndex;
    const long double x1 = row1.springIndex;
    return static_cast<double>(y0 + (y1 - y0) / (x1 - x0) * (c - x0));
}

void computeInitialTension(SpringDesign& design, const MaterialLibrary& library,
                           const CoefficientSet& coefficients, InitialTensionRange& range,
                           const InitialTensionReader& readInitialTension) {
    computeInitialTensionWith<EngineChecking::StepResults>(design, library, coefficients, range,
                                                           readInitialTension);
}

void calculateDesign(SpringDesign& design, const MaterialLibrary& library,
                     const CoefficientSet& coefficients, InitialTensionRange& range,
                     const InitialTensionReader& readInitialTension) {
    calculateDesignWith<EngineChecking::StepResults>(design, library, coefficients, range,
                                                     readInitialTension);
}

void calculateDesign(SpringDesign& design, const MaterialLibrary& library,
                     const CoefficientSet& coefficients, InitialTensionRange& range,
                     const InitialTensionReader& readInitialTension, EngineChecking checking) {
    if (checking == EngineChecking::EveryOperation)
        calculateDesignWith<EngineChecking::EveryOperation>(design, library, coefficients, range,
                                                            readInitialTension);
    else
        calculateDesign(design, library, coefficients, range, readInitialTension);
}

} // namespace hspring
