#include "calc/engine.h"

#include "calc/checked_float.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hspring {

namespace {

using F = CheckedFloat;

// N per kgf: the library's N/mm^2 become kgf/mm^2.
constexpr long double kGravity = 9.80665L;
// Each formula keeps the value of pi it was calibrated with.
constexpr long double kPiInitialTension = 3.14159L;
constexpr long double kPiMaxLoad = 3.14L;
constexpr long double kPiStress = 3.141592654L;
// Scales the initial-stress table to kgf/mm^2.
constexpr long double kInitialStressScale = 0.38178L;

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

double shearModulusOf(const MaterialRecord* material) {
    return material ? material->shearModulus : kMissing;
}

// The share of the initial tension that remains after the wire's treatment: (100 − r) / 100
// with the reduction r chosen by kind and annealing. A missing material has no kind to choose by.
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
    return ((F(100) - reduction) / 100).stored();
}

// No material, no allowable stress.
double allowableStressOf(const MaterialRecord* material, double d) {
    return material ? materialAllowableStress(*material, d) : kMissing;
}

} // namespace

// Only the segment that holds d is needed: building the whole table computes every row, which
// would be most of a calculation's time.
double materialAllowableStress(const MaterialRecord& m, double d) {
    const bool explicitColumn = m.allowableTorsion[0] != 0;
    const auto rowStress = [&](int j) {
        return explicitColumn ? m.allowableTorsion[j]
                              : static_cast<double>(static_cast<long double>(m.torsionPercent) *
                                                    m.tensileStrength[j] / 100);
    };
    // The rows are the entries in use (explicit column: those with a value). The last segment of
    // consecutive rows that holds d wins, so the search runs backwards and stops at the first.
    const auto isRow = [&](int j) { return !explicitColumn || m.allowableTorsion[j] != 0; };
    int rows = 0;
    int later = -1; // the row after j
    int segmentStart = -1;
    int segmentEnd = -1;
    for (int j = usedDiameterCount(m) - 1; j >= 0; --j) {
        if (!isRow(j))
            continue;
        if (later >= 0 && m.diameters[j] <= d && d <= m.diameters[later]) {
            segmentStart = j;
            segmentEnd = later;
            break;
        }
        later = j;
        ++rows;
    }
    double stress = kMissing;
    if (segmentStart >= 0) {
        const long double x0 = m.diameters[segmentStart];
        const long double x1 = m.diameters[segmentEnd];
        const long double y0 = rowStress(segmentStart);
        const long double y1 = rowStress(segmentEnd);
        // Two equal diameters give no slope; the smaller stress is the safe reading.
        stress = x0 == x1 ? static_cast<double>(std::min(y0, y1))
                          : static_cast<double>(y0 + (y1 - y0) / (x1 - x0) * (d - x0));
    } else if (rows == 1 && m.diameters[later] == d) {
        stress = rowStress(later);
    }
    return std::isfinite(stress) ? stress : kMissing;
}

double interpolateColumn(InitialStressColumn column, double c) {
    // The table covers spring indices 3..22; outside it there is no value to read.
    if (!(c >= InitialStressTable.front().springIndex &&
          c <= InitialStressTable.back().springIndex))
        return kMissing;
    // The rows are one index apart, so the segment that holds c is found directly. On a row, the
    // segment that starts there is the one the piecewise-linear rule takes (the last matching).
    const int first =
        std::min(static_cast<int>(c) - 3, static_cast<int>(InitialStressTable.size()) - 2);
    const InitialStressRow& row0 = InitialStressTable[first];
    const InitialStressRow& row1 = InitialStressTable[first + 1];
    const bool upper = column == InitialStressColumn::Upper;
    const long double y0 = upper ? row0.upper : row0.lower;
    const long double y1 = upper ? row1.upper : row1.lower;
    const long double x0 = row0.springIndex;
    const long double x1 = row1.springIndex;
    return static_cast<double>(y0 + (y1 - y0) / (x1 - x0) * (c - x0));
}

void computeInitialTension(SpringDesign& design, const MaterialLibrary& library,
                           const CoefficientSet& coefficients, InitialTensionRange& range,
                           const InitialTensionReader& readInitialTension) {
    const double c = design.springIndex;
    const double d = design.wireDiameter;
    const double meanDiameter = design.meanDiameter;

    const double a =
        (F(interpolateColumn(InitialStressColumn::Upper, c)) * kInitialStressScale).stored();
    const double b =
        (F(interpolateColumn(InitialStressColumn::Lower, c)) * kInitialStressScale).stored();
    double high = (F(kPiInitialTension) * d * d * d * a / meanDiameter / 8).stored();
    double low = (F(kPiInitialTension) * d * d * d * b / meanDiameter / 8).stored();

    const double factor = initialTensionFactor(materialAt(library, design.materialIndex),
                                               design.lowTempAnnealed == 1, coefficients);
    high = (F(factor) * high).stored();
    low = (F(factor) * low).stored();
    const double mid = ((F(high) + low) / 2).stored();
    range = InitialTensionRange{.low = low, .high = high, .mid = mid};

    if (design.autoInitialTension == 1)
        design.initialTension = mid;
    else if (readInitialTension)
        design.initialTension = readInitialTension();
}

void calculateDesign(SpringDesign& design, const MaterialLibrary& library,
                     const CoefficientSet& coefficients, InitialTensionRange& range,
                     const InitialTensionReader& readInitialTension) {
    SpringDesign& s = design;
    const MaterialRecord* material = materialAt(library, s.materialIndex);
    const double d = s.wireDiameter;
    const double meanDiameter = s.meanDiameter;

    // 1. Spring rate, kgf/mm.
    s.springRate = (F(shearModulusOf(material)) * d * d * d * d /
                    (F(8) * s.activeTurns * meanDiameter * meanDiameter * meanDiameter) / kGravity)
                       .stored();

    // 2. Spring index and Wahl's stress-correction factor, stored together.
    const double c = (F(meanDiameter) / d).stored();
    const double wahl = ((F(4) * c - 1) / (F(4) * c - 4) + F(0.615L) / c).stored();
    s.springIndex = c;
    s.wahlFactor = wahl;

    // 3. Recommended initial-tension range and the initial tension used.
    computeInitialTension(s, library, coefficients, range, readInitialTension);

    // 4. Free length implied by the turns and two full-loop hooks (entered turns, not active).
    s.hookedFreeLength = ((F(s.totalTurns) + 1) * d + F(2) * s.innerDiameter).stored();

    // 5.–6. Allowable torsional stress of the spring, kgf/mm^2.
    s.allowableStress = (F(allowableStressOf(material, d)) *
                         (F(coefficients.compressionToMaterialRatio) / 100 *
                          coefficients.extensionToCompressionRatio / 100 / kGravity))
                            .stored();

    // 7. Recommended maximum load, kgf.
    s.maxLoad =
        (F(kPiMaxLoad) * s.allowableStress * d * d * d / 8 / meanDiameter / s.wahlFactor).stored();

    // 8. Recommended maximum length, mm: from the hooked free length, not the entered one.
    s.maxLength = ((F(s.maxLoad) - s.initialTension) / s.springRate + s.hookedFreeLength).stored();

    // 9. The working points the mode leaves open.
    if (s.lengthMode == kLengthsGiven) {
        // A length below the free length gives a load below the initial tension; not clamped.
        s.load1 = ((F(s.length1) - s.freeLength) * s.springRate + s.initialTension).stored();
        s.load2 = ((F(s.length2) - s.freeLength) * s.springRate + s.initialTension).stored();
    } else {
        // A load below the initial tension does not open the coils: the length stays L0.
        const auto lengthAt = [&s](double load) {
            double extension = (F(load) - s.initialTension).stored();
            if (extension < 0)
                extension = 0;
            return (F(extension) / s.springRate + s.freeLength).stored();
        };
        s.length1 = lengthAt(s.load1);
        s.length2 = lengthAt(s.load2);
    }

    // 10. The first stress is that of the larger of initial tension and working load 1.
    const double load1ForStress =
        (F(s.initialTension) - s.load1).value() > 0 ? s.initialTension : s.load1;

    // 11. Corrected torsional stresses, kgf/mm^2; the second from load 2 as it stands.
    const double kappa = s.wahlFactor;
    s.stress1 = (F(kappa) * 8 * meanDiameter * load1ForStress / kPiStress / d / d / d).stored();
    s.stress2 = (F(kappa) * 8 * meanDiameter * s.load2 / kPiStress / d / d / d).stored();
}

} // namespace hspring
