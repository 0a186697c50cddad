// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "base/number_format.h"
#include "calc/engine.h"
#include "calc/engine_checking.h"
#include "calc/spring_design.h"
#include "cli/problem_text.h"
#include "tests/support/strength_table.h"
#include "tests/support/test_materials.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace hspring {
namespace {

using test::buildStrengthTable;
using test::interpolateTable;
using test::makeMaterial;
using test::referenceCoefficients;
using test::referenceDesign;
using test::referenceLibrary;
using test::StrengthTable;

struct Calculated {
    SpringDesign design;
    InitialTensionRange range;
};

Calculated calculate(SpringDesign design, const MaterialLibrary& library = referenceLibrary(),
                     const CoefficientSet& coefficients = referenceCoefficients(),
                     const InitialTensionReader& reader = {}) {
    Calculated run{design, {}};
    calculateDesign(run.design, library, coefficients, run.range, reader);
    return run;
}

TEST(CalculateDesign, ReferenceRunGivesEveryResult) {
    const Calculated run = calculate(referenceDesign());
    const SpringDesign& s = run.design;
    // The four-digit values a designer reads on screen.
    EXPECT_EQ(formatF4(s.springRate), "0.05003");
    EXPECT_EQ(formatF4(s.springIndex), "10");
    EXPECT_EQ(formatF4(s.wahlFactor), "1.145");
    EXPECT_EQ(formatF4(run.range.high), "0.4348");
    EXPECT_EQ(formatF4(run.range.low), "0.1934");
    EXPECT_EQ(formatF4(run.range.mid), "0.3141");
    EXPECT_EQ(formatF4(s.initialTension), "0.3141");
    EXPECT_EQ(formatF4(s.hookedFreeLength), "39");
    EXPECT_EQ(formatF4(s.allowableStress), "57.43");
    EXPECT_EQ(formatF4(s.maxLoad), "1.969");
    EXPECT_EQ(formatF4(s.maxLength), "72.08");
    EXPECT_EQ(formatF4(s.load1), "0.6143");
    EXPECT_EQ(formatF4(s.load2), "1.115");
    EXPECT_EQ(formatF4(s.stress1), "17.91");
    EXPECT_EQ(formatF4(s.stress2), "32.49");
    // Fifteen digits, against the formulas evaluated exactly (50-digit decimal arithmetic).
    EXPECT_EQ(formatF15(s.springRate), "0.0500298266992296");
    EXPECT_EQ(formatF15(s.wahlFactor), "1.14483333333333");
    EXPECT_EQ(formatF15(run.range.high), "0.4347811334475");
    EXPECT_EQ(formatF15(run.range.low), "0.19340264211975");
    EXPECT_EQ(formatF15(run.range.mid), "0.314091887783625");
    EXPECT_EQ(formatF15(s.allowableStress), "57.4304171149169");
    EXPECT_EQ(formatF15(s.maxLoad), "1.96897120840922");
    EXPECT_EQ(formatF15(s.maxLength), "72.0778543482558");
    EXPECT_EQ(formatF15(s.load1), "0.614270847979003");
    EXPECT_EQ(formatF15(s.load2), "1.1145691149713");
    EXPECT_EQ(formatF15(s.stress1), "17.9078020587018");
    EXPECT_EQ(formatF15(s.stress2), "32.4929681382677");
    // Inputs stay as they were.
    EXPECT_EQ(s.length1, 45);
    EXPECT_EQ(s.length2, 55);
    EXPECT_EQ(s.freeLength, 39);
}

TEST(InterpolateColumn, FollowsTheTableRule) {
    EXPECT_EQ(interpolateColumn(InitialStressColumn::Upper, 10), 29.0);
    EXPECT_EQ(interpolateColumn(InitialStressColumn::Lower, 10), 12.9);
    EXPECT_EQ(interpolateColumn(InitialStressColumn::Upper, 10.5), 27.5);
    EXPECT_DOUBLE_EQ(interpolateColumn(InitialStressColumn::Lower, 10.5), (12.9 + 11.2) / 2);
    EXPECT_EQ(interpolateColumn(InitialStressColumn::Upper, 3), 55.5);
    EXPECT_EQ(interpolateColumn(InitialStressColumn::Lower, 22), 2.6);

    // The direct segment choice gives exactly what the general piecewise-linear lookup gives
    // over the same rows, on the rows, between them and at both ends.
    for (const InitialStressColumn column :
         {InitialStressColumn::Upper, InitialStressColumn::Lower}) {
        StrengthTable table{};
        for (const InitialStressRow& row : InitialStressTable) {
            table.diameters[table.rowCount] = row.springIndex;
            table.stresses[table.rowCount] =
                column == InitialStressColumn::Upper ? row.upper : row.lower;
            ++table.rowCount;
        }
        for (double c = 3; c <= 22; c += 0.0625) {
            SCOPED_TRACE(c);
            EXPECT_EQ(interpolateColumn(column, c), interpolateTable(table, c).value());
        }
        EXPECT_EQ(interpolateColumn(column, 13.37), interpolateTable(table, 13.37).value());
    }
}

TEST(InterpolateColumn, TakesTheNearestEndRowOutsideTheTable) {
    for (const double c : {2.999, -5.0, -1e300, -double(INFINITY)}) {
        SCOPED_TRACE(c);
        EXPECT_EQ(interpolateColumn(InitialStressColumn::Upper, c), 55.5);
        EXPECT_EQ(interpolateColumn(InitialStressColumn::Lower, c), 30.0);
    }
    for (const double c : {22.0001, 25.0, 1e300, double(INFINITY)}) {
        SCOPED_TRACE(c);
        EXPECT_EQ(interpolateColumn(InitialStressColumn::Upper, c), 6.5);
        EXPECT_EQ(interpolateColumn(InitialStressColumn::Lower, c), 2.6);
    }
    EXPECT_TRUE(std::isnan(interpolateColumn(InitialStressColumn::Upper, NAN)));
    EXPECT_TRUE(std::isnan(interpolateColumn(InitialStressColumn::Lower, NAN)));
}

TEST(CalculateDesign, IndexBetweenRowsInterpolatesTheRange) {
    SpringDesign design = referenceDesign();
    setCoilDiameters(design, 10.5, 1.0);
    const Calculated run = calculate(design);
    EXPECT_EQ(run.design.springIndex, 10.5);
    // a = 27.5 · 0.38178; High = 3.14159 · d³ · a / D / 8.
    EXPECT_DOUBLE_EQ(run.range.high, 3.14159 * (27.5 * 0.38178) / 10.5 / 8);
    EXPECT_DOUBLE_EQ(run.range.low, 3.14159 * ((12.9 + 11.2) / 2 * 0.38178) / 10.5 / 8);
}

TEST(CalculateDesign, ReductionsByKindAndAnnealing) {
    const Calculated unreduced = calculate(referenceDesign());
    const auto rangeOf = [](int materialIndex, int annealed) {
        SpringDesign design = referenceDesign();
        design.materialIndex = materialIndex;
        design.lowTempAnnealed = static_cast<std::uint8_t>(annealed);
        return calculate(design).range;
    };
    const struct {
        int materialIndex; // 0 piano, 1 stainless, 2 hard-drawn, 3 other kind
        int annealed;
        double factor;
    } cases[] = {
        {0, 0, 1.0}, {0, 1, 0.75}, {1, 0, 0.85}, {1, 1, 0.80},
        {2, 0, 1.0}, {2, 1, 0.75}, {3, 0, 1.0},  {3, 1, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "material " << c.materialIndex << " annealed " << c.annealed);
        const InitialTensionRange range = rangeOf(c.materialIndex, c.annealed);
        EXPECT_DOUBLE_EQ(range.high, c.factor * unreduced.range.high);
        EXPECT_DOUBLE_EQ(range.low, c.factor * unreduced.range.low);
        EXPECT_DOUBLE_EQ(range.mid, (range.high + range.low) / 2);
    }
}

TEST(CalculateDesign, HandEnteredInitialTensionIsReadAtItsStep) {
    SpringDesign design = referenceDesign();
    design.autoInitialTension = 0;
    design.initialTension = 99; // what slot 0 held before: not used
    int reads = 0;
    const Calculated run = calculate(design, referenceLibrary(), referenceCoefficients(), [&] {
        ++reads;
        return 0.25;
    });
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(run.design.initialTension, 0.25);
    EXPECT_EQ(formatF4(run.range.mid), "0.3141"); // the range is still recommended
    EXPECT_DOUBLE_EQ(run.design.load1, 6 * run.design.springRate + 0.25);

    // Without a reader the design's own value stands for the field.
    design.initialTension = 0.2;
    EXPECT_EQ(calculate(design).design.initialTension, 0.2);
}

TEST(CalculateDesign, UnreadableInitialTensionStopsAfterTheRange) {
    SpringDesign design = referenceDesign();
    design.autoInitialTension = 0;
    design.initialTension = 7;
    design.hookedFreeLength = -1;
    InitialTensionRange range{};
    EXPECT_THROW(calculateDesign(design, referenceLibrary(), referenceCoefficients(), range,
                                 []() -> double { throw conversionError("x"); }),
                 Error);
    EXPECT_EQ(formatF4(design.springRate), "0.05003");
    EXPECT_EQ(formatF4(range.high), "0.4348");
    EXPECT_EQ(design.initialTension, 7);
    EXPECT_EQ(design.hookedFreeLength, -1);
}

TEST(CalculateDesign, LoadsBelowTheInitialTensionKeepTheFreeLength) {
    SpringDesign design = referenceDesign();
    design.lengthMode = kLoadsGiven;
    design.load1 = 0.1; // below Pi = 0.3141
    design.load2 = 1.0;
    const Calculated loads = calculate(design);
    EXPECT_EQ(loads.design.length1, 39);
    EXPECT_DOUBLE_EQ(loads.design.length2,
                     (1.0 - loads.design.initialTension) / loads.design.springRate + 39);
    EXPECT_EQ(loads.design.load1, 0.1); // the given load stays

    // The first stress is the initial tension's: the same as a length exactly at L0, whose load
    // is the initial tension.
    SpringDesign atFreeLength = referenceDesign();
    atFreeLength.length1 = 39;
    const Calculated lengths = calculate(atFreeLength);
    EXPECT_EQ(lengths.design.load1, lengths.design.initialTension);
    EXPECT_EQ(loads.design.stress1, lengths.design.stress1);
    EXPECT_EQ(formatF4(loads.design.stress1), "9.157");
}

TEST(CalculateDesign, LengthBelowTheFreeLengthIsNotClamped) {
    SpringDesign design = referenceDesign();
    design.length1 = 30;
    design.length2 = 35; // P2 below Pi: stress2 still from P2
    const Calculated run = calculate(design);
    EXPECT_LT(run.design.load1, run.design.initialTension);
    EXPECT_DOUBLE_EQ(run.design.load2, -4 * run.design.springRate + run.design.initialTension);
    EXPECT_EQ(run.design.stress1 > run.design.stress2, true); // stress1 uses Pi
}

TEST(CalculateDesign, PercentageRuleWhenTheFirstExplicitEntryIsEmpty) {
    MaterialLibrary library = referenceLibrary();
    library[0] = makeMaterial(kPianoWireKind, 78500, 45,
                              {{0.8, 2300, 0}, {1.0, 2000, 880}, {1.2, 2150, 860}});
    const Calculated run = calculate(referenceDesign(), library);
    // 45 % of 2000 N/mm^2 = 900 N/mm^2, not the 880 further down the explicit column.
    EXPECT_DOUBLE_EQ(run.design.allowableStress, 900 * (0.8 * 0.8 / 9.80665));
}

TEST(CalculateDesign, TwoRowTableGivesTheMeanHalfway) {
    MaterialLibrary library = referenceLibrary();
    library[0] = makeMaterial(kPianoWireKind, 78500, 45,
                              {{1.0, 2200, 880}, {1.5, 2100, 0}, {2.0, 2000, 800}});
    SpringDesign design = referenceDesign();
    design.wireDiameter = 1.5;
    setCoilDiameters(design, 15, 1.5);
    const Calculated run = calculate(design, library);
    EXPECT_DOUBLE_EQ(run.design.allowableStress, 840 * (0.8 * 0.8 / 9.80665));
}

// A lookup that finds nothing leaves its value missing, raises nothing, and the rest of the
// results that do not need it are still calculated.
TEST(CalculateDesign, WireOutsideTheStrengthTableHasNoAllowableStress) {
    MaterialLibrary oneRow = referenceLibrary();
    oneRow[0] = makeMaterial(kPianoWireKind, 78500, 45, {{1.2, 2150, 860}});
    SpringDesign thick = referenceDesign();
    thick.wireDiameter = 3.5; // beyond the last diameter 3.0
    setCoilDiameters(thick, 35, 3.5);
    SpringDesign thin = referenceDesign();
    thin.wireDiameter = 0.5; // below the first diameter 0.8
    setCoilDiameters(thin, 5, 0.5);

    for (const Calculated& run :
         {calculate(thick), calculate(thin), calculate(referenceDesign(), oneRow)}) {
        EXPECT_TRUE(std::isnan(run.design.allowableStress));
        EXPECT_TRUE(std::isnan(run.design.maxLoad));
        EXPECT_TRUE(std::isnan(run.design.maxLength));
        EXPECT_EQ(formatF4(run.design.allowableStress), "－");
        EXPECT_TRUE(std::isfinite(run.design.springRate));
        EXPECT_TRUE(std::isfinite(run.design.stress2));
    }
}

// Spring indices 25 and 40 and a negative coil diameter (d = 1): the end row's bounds give a
// range, and the loads, lengths and stresses of either input mode stay numbers.
TEST(CalculateDesign, IndexOutsideTheInitialStressTableTakesTheEndRow) {
    const struct {
        double meanDiameter;
        double upper; // the end row's bounds
        double lower;
    } walks[] = {{25, 6.5, 2.6}, {40, 6.5, 2.6}, {-10, 55.5, 30.0}};
    for (const auto& walk : walks) {
        for (const std::int32_t mode : {kLengthsGiven, kLoadsGiven}) {
            SCOPED_TRACE(::testing::Message() << walk.meanDiameter << " mode " << mode);
            SpringDesign design = referenceDesign();
            setCoilDiameters(design, walk.meanDiameter, 1.0);
            design.lengthMode = mode;
            design.load1 = 0.5;
            design.load2 = 1;
            const Calculated run = calculate(design);
            EXPECT_EQ(run.design.springIndex, walk.meanDiameter);
            EXPECT_DOUBLE_EQ(run.range.high,
                             3.14159 * (walk.upper * 0.38178) / walk.meanDiameter / 8);
            EXPECT_DOUBLE_EQ(run.range.low,
                             3.14159 * (walk.lower * 0.38178) / walk.meanDiameter / 8);
            EXPECT_EQ(run.design.initialTension, run.range.mid);
            for (const double value :
                 {run.design.load1, run.design.load2, run.design.length1, run.design.length2,
                  run.design.stress1, run.design.stress2, run.design.maxLength})
                EXPECT_TRUE(std::isfinite(value)) << value;
        }
    }
}

TEST(CalculateDesign, MaterialOutsideTheLibraryLeavesResultsMissing) {
    for (const int index : {-1, 30, 1000000}) {
        SpringDesign design = referenceDesign();
        design.materialIndex = index;
        const Calculated run = calculate(design);
        EXPECT_TRUE(std::isnan(run.design.springRate));
        EXPECT_TRUE(std::isnan(run.range.mid));
        EXPECT_TRUE(std::isnan(run.design.allowableStress));
        EXPECT_TRUE(std::isnan(run.design.stress2));
        EXPECT_EQ(run.design.springIndex, 10);
        EXPECT_EQ(run.design.hookedFreeLength, 39);
    }
}

// Fills every result with a marker so that a test can tell which were written.
SpringDesign withMarkedResults(SpringDesign design) {
    for (double* field :
         {&design.springRate, &design.springIndex, &design.wahlFactor, &design.hookedFreeLength,
          &design.allowableStress, &design.maxLoad, &design.maxLength, &design.load1, &design.load2,
          &design.stress1, &design.stress2})
        *field = -123;
    design.initialTension = -123;
    return design;
}

struct Fault {
    std::string_view message;
    SpringDesign design;
    InitialTensionRange range{-7, -7, -7};
};

Fault calculateExpectingFault(const SpringDesign& input, const MaterialLibrary& library) {
    Fault fault{{}, withMarkedResults(input)};
    try {
        calculateDesign(fault.design, library, referenceCoefficients(), fault.range, {});
        ADD_FAILURE() << "no arithmetic fault";
    } catch (const Error& error) {
        EXPECT_EQ(error.kind(), Error::Kind::Arithmetic);
        static std::string message;
        message = cli::problemText(error);
        fault.message = message;
    }
    return fault;
}

TEST(CalculateDesignFaults, ZeroMeanDiameterStopsAtTheSpringRate) {
    SpringDesign design = referenceDesign();
    design.meanDiameter = 0;
    const Fault fault = calculateExpectingFault(design, referenceLibrary());
    EXPECT_EQ(fault.message, cli::kDivisionByZeroMessage);
    EXPECT_EQ(fault.design.springRate, -123);
    EXPECT_EQ(fault.design.springIndex, -123);
    EXPECT_EQ(fault.range.mid, -7);
}

TEST(CalculateDesignFaults, ZeroWireDiameterStopsAtTheSpringIndex) {
    SpringDesign design = referenceDesign();
    design.wireDiameter = 0;
    const Fault fault = calculateExpectingFault(design, referenceLibrary());
    EXPECT_EQ(fault.message, cli::kDivisionByZeroMessage);
    EXPECT_EQ(fault.design.springRate, 0); // step 1 stored its result
    EXPECT_EQ(fault.design.springIndex, -123);
    EXPECT_EQ(fault.design.wahlFactor, -123);
    EXPECT_EQ(fault.design.initialTension, -123);
}

TEST(CalculateDesignFaults, IndexOfOneStopsAtTheWahlFactor) {
    SpringDesign design = referenceDesign();
    design.meanDiameter = 1; // D = d
    const Fault fault = calculateExpectingFault(design, referenceLibrary());
    EXPECT_EQ(fault.message, cli::kDivisionByZeroMessage);
    EXPECT_NE(fault.design.springRate, -123);
    EXPECT_EQ(fault.design.springIndex, -123); // stored together with the Wahl factor
    EXPECT_EQ(fault.design.wahlFactor, -123);
}

TEST(CalculateDesignFaults, ZeroShearModulusStopsAtTheMaximumLength) {
    MaterialLibrary library = referenceLibrary();
    library[0].shearModulus = 0;
    const Fault fault = calculateExpectingFault(referenceDesign(), library);
    EXPECT_EQ(fault.message, cli::kDivisionByZeroMessage);
    EXPECT_EQ(fault.design.springRate, 0);
    EXPECT_EQ(formatF4(fault.design.initialTension), "0.3141");
    EXPECT_EQ(formatF4(fault.range.high), "0.4348");
    EXPECT_EQ(fault.design.hookedFreeLength, 39);
    EXPECT_EQ(formatF4(fault.design.allowableStress), "57.43");
    EXPECT_EQ(formatF4(fault.design.maxLoad), "1.969");
    EXPECT_EQ(fault.design.maxLength, -123);
    EXPECT_EQ(fault.design.load1, -123);
    EXPECT_EQ(fault.design.stress2, -123);
}

TEST(CalculateDesignFaults, InvalidOperationAndOverflow) {
    // 0/0 in the spring rate: no modulus and no diameter.
    MaterialLibrary noModulus = referenceLibrary();
    noModulus[0].shearModulus = 0;
    SpringDesign zeroDiameter = referenceDesign();
    zeroDiameter.meanDiameter = 0;
    EXPECT_EQ(calculateExpectingFault(zeroDiameter, noModulus).message,
              cli::kInvalidOperationMessage);

    // A spring rate beyond the range of a double overflows when it is stored.
    SpringDesign huge = referenceDesign();
    huge.wireDiameter = 1e200;
    const Fault overflow = calculateExpectingFault(huge, referenceLibrary());
    EXPECT_EQ(overflow.message, cli::kOverflowMessage);
    EXPECT_EQ(overflow.design.springRate, -123);

    // An infinite diameter from a damaged file: ∞/∞ in the Wahl factor.
    SpringDesign infinite = referenceDesign();
    infinite.meanDiameter = INFINITY;
    const Fault invalid = calculateExpectingFault(infinite, referenceLibrary());
    EXPECT_EQ(invalid.message, cli::kInvalidOperationMessage);
    EXPECT_EQ(invalid.design.springRate, 0);
}

TEST(CalculateDesignFaults, LoadFarBelowTheInitialTensionOverflows) {
    // The extension P1 − Pi leaves the range of a double before it is clamped to 0.
    SpringDesign design = withMarkedResults(referenceDesign());
    design.wireDiameter = 2.5;
    design.lengthMode = kLoadsGiven;
    design.autoInitialTension = 0;
    design.load1 = -1.7e308;
    InitialTensionRange range;
    try {
        calculateDesign(design, referenceLibrary(), referenceCoefficients(), range,
                        [] { return 1.7e308; });
        ADD_FAILURE() << "no arithmetic fault";
    } catch (const Error& error) {
        EXPECT_EQ(cli::problemText(error), std::string(cli::kOverflowMessage));
    }
    EXPECT_EQ(design.initialTension, 1.7e308);
    EXPECT_TRUE(std::isfinite(design.maxLength));
    EXPECT_EQ(design.length1, 45); // not written
    EXPECT_EQ(design.stress1, -123);
}

TEST(CalculateDesignFaults, NanFromADamagedFileFlowsQuietly) {
    SpringDesign design = referenceDesign();
    design.wireDiameter = NAN;
    design.freeLength = NAN;
    const Calculated run = calculate(design);
    EXPECT_TRUE(std::isnan(run.design.springRate));
    EXPECT_TRUE(std::isnan(run.design.stress2));

    MaterialLibrary damaged = referenceLibrary();
    damaged[0].shearModulus = NAN;
    damaged[0].allowableTorsion[1] = INFINITY;
    const Calculated damagedRun = calculate(referenceDesign(), damaged);
    EXPECT_TRUE(std::isnan(damagedRun.design.springRate));
    EXPECT_TRUE(std::isnan(damagedRun.design.allowableStress));
}

// The program reads an allowable stress straight from the record; it must find exactly what the
// strength table and its lookup find, for either column, on any record a file can hold.
TEST(MaterialAllowableStress, AgreesWithTheStrengthTable) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> count(-2, 53);
    std::uniform_int_distribution<int> choice(0, 9);
    std::uniform_real_distribution<double> step(0.01, 0.5);
    int compared = 0;
    for (int trial = 0; trial < 3000; ++trial) {
        MaterialRecord record{};
        record.diameterCount = count(random);
        record.torsionPercent = 30 + choice(random) * 3;
        record.bendingPercent = 60 + choice(random) * 3;
        const bool explicitTorsion = choice(random) < 5;
        const bool explicitBending = choice(random) < 5;
        double diameter = 0.1;
        for (int j = 0; j < kMaxDiameters; ++j) {
            const int kind = choice(random);
            diameter += kind == 0 ? 0.0 : kind == 1 ? -step(random) : step(random);
            record.diameters[j] = diameter;
            record.tensileStrength[j] = 1500 + 20 * choice(random);
            record.allowableTorsion[j] =
                explicitTorsion && (j == 0 || choice(random) > 2) ? 600 + 10 * choice(random) : 0;
            record.allowableBending[j] =
                explicitBending && (j == 0 || choice(random) > 2) ? 1100 + 10 * choice(random) : 0;
        }
        std::vector<double> probes = {NAN, -1, 0, 1e9};
        for (int j = 0; j < kMaxDiameters; ++j) {
            probes.push_back(record.diameters[j]);
            probes.push_back(record.diameters[j] + 0.003);
        }
        for (const AllowableStressKind kind :
             {AllowableStressKind::Torsion, AllowableStressKind::Bending}) {
            const StrengthTable table = buildStrengthTable(record, kind);
            for (const double d : probes) {
                const double expected = interpolateTable(table, d).value_or(NAN);
                const double actual = materialAllowableStress(record, kind, d);
                ASSERT_EQ(std::isnan(actual), std::isnan(expected)) << trial << " d=" << d;
                if (!std::isnan(expected)) {
                    ASSERT_EQ(actual, expected) << trial << " d=" << d;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 20000);
}

// The engine checks a step's operations only when one of its results is not finite. On designs
// full of zeros, extremes, NaN and infinities it must store the same bytes and stop with the same
// fault, at the same step, as checking every operation.
TEST(CalculateDesignFaults, StepChecksAgreeWithCheckingEveryOperation) {
    const double pool[] = {0.0,      -0.0, 1.0,      -1.0,      2.5,   3.0,    10.0,
                           22.0,     0.5,  1e-300,   4.9e-324,  1e300, -1e300, 1.7e308,
                           -1.7e308, NAN,  INFINITY, -INFINITY, 45.0,  39.0,   55.0};
    std::mt19937 random(11);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pool) - 1);
    std::uniform_int_distribution<int> chance(0, 9);
    const auto sometimes = [&](double usual) {
        return chance(random) < 3 ? pool[pick(random)] : usual;
    };
    const MaterialLibrary reference = referenceLibrary();
    int faults = 0;
    for (int trial = 0; trial < 100000; ++trial) {
        SpringDesign design = referenceDesign();
        design.materialIndex = chance(random) < 1 ? 40 : chance(random) % 4;
        design.wireDiameter = sometimes(1.0);
        design.meanDiameter = sometimes(10.0);
        design.innerDiameter = sometimes(9.0);
        design.totalTurns = sometimes(20.0);
        design.activeTurns = sometimes(20.0);
        design.freeLength = sometimes(39.0);
        design.length1 = sometimes(45.0);
        design.length2 = sometimes(55.0);
        design.load1 = sometimes(0.5);
        design.load2 = sometimes(1.5);
        design.lengthMode = chance(random) % 2;
        design.autoInitialTension = chance(random) < 5 ? 1 : 0;
        design.lowTempAnnealed = chance(random) % 2;
        const double handEntered = sometimes(0.3);
        MaterialLibrary library = reference;
        if (design.materialIndex < kMaterialCount) {
            MaterialRecord& material = library[design.materialIndex];
            material.shearModulus = sometimes(78500);
            material.allowableTorsion[1] = sometimes(880);
            material.allowableTorsion[2] = sometimes(860);
        }
        CoefficientSet coefficients = referenceCoefficients();
        coefficients.compressionToMaterialRatio = sometimes(80);
        coefficients.stainlessReduction = sometimes(15);
        coefficients.annealedPianoReduction = sometimes(25);

        const auto run = [&](EngineChecking checking, std::string& fault) {
            Fault result{{}, withMarkedResults(design)};
            try {
                calculateDesign(
                    result.design, library, coefficients, result.range, [&] { return handEntered; },
                    checking);
            } catch (const Error& error) {
                fault = cli::problemText(error);
            }
            return result;
        };
        std::string fastFault;
        std::string checkedFault;
        const Fault fast = run(EngineChecking::StepResults, fastFault);
        const Fault checked = run(EngineChecking::EveryOperation, checkedFault);
        ASSERT_EQ(fastFault, checkedFault) << "trial " << trial;
        ASSERT_EQ(std::memcmp(&fast.design, &checked.design, sizeof(SpringDesign)), 0)
            << "trial " << trial;
        ASSERT_EQ(std::memcmp(&fast.range, &checked.range, sizeof(InitialTensionRange)), 0)
            << "trial " << trial;
        faults += !fastFault.empty();
    }
    // Both faulting and quiet designs were met in numbers.
    EXPECT_GT(faults, 5000);
    EXPECT_LT(faults, 95000);
}

} // namespace
} // namespace hspring
