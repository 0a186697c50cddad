// SPDX-License-Identifier: GPL-3.0-or-later
#include "hostile_files.h"

#include "app/material_selection.h"
#include "base/error.h"
#include "calc/design_result.h"
#include "calc/spring_design.h"
#include "data/default_data.h"
#include "drawing/outline.h"
#include "tests/support/record_image.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>

namespace hspring::test {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kDenormal = std::numeric_limits<double>::denorm_min();
constexpr double kLargest = std::numeric_limits<double>::max();

// The records are packed: their doubles are reached by offset and copied, never through a
// double* that might point to an unaligned address.
struct DoubleField {
    const char* name;
    std::size_t offset;
};
constexpr DoubleField kDesignDoubles[] = {
    {"wireDiameter", offsetof(SpringDesign, wireDiameter)},
    {"innerDiameter", offsetof(SpringDesign, innerDiameter)},
    {"meanDiameter", offsetof(SpringDesign, meanDiameter)},
    {"outerDiameter", offsetof(SpringDesign, outerDiameter)},
    {"totalTurns", offsetof(SpringDesign, totalTurns)},
    {"activeTurns", offsetof(SpringDesign, activeTurns)},
    {"hookedFreeLength", offsetof(SpringDesign, hookedFreeLength)},
    {"springIndex", offsetof(SpringDesign, springIndex)},
    {"initialTension", offsetof(SpringDesign, initialTension)},
    {"wahlFactor", offsetof(SpringDesign, wahlFactor)},
    {"freeLength", offsetof(SpringDesign, freeLength)},
    {"maxLength", offsetof(SpringDesign, maxLength)},
    {"maxLoad", offsetof(SpringDesign, maxLoad)},
    {"load1", offsetof(SpringDesign, load1)},
    {"load2", offsetof(SpringDesign, load2)},
    {"length1", offsetof(SpringDesign, length1)},
    {"length2", offsetof(SpringDesign, length2)},
    {"springRate", offsetof(SpringDesign, springRate)},
    {"stress1", offsetof(SpringDesign, stress1)},
    {"stress2", offsetof(SpringDesign, stress2)},
    {"allowableStress", offsetof(SpringDesign, allowableStress)},
    {"hookAngle", offsetof(SpringDesign, hookAngle)},
    {"hookLength", offsetof(SpringDesign, hookLength)},
    {"hookOpening", offsetof(SpringDesign, hookOpening)},
    {"hookMinRadius", offsetof(SpringDesign, hookMinRadius)},
};
static_assert(std::size(kDesignDoubles) == 25, "every double of the design record");

template <typename Value>
void setField(SpringDesign& design, std::size_t offset, Value value) {
    std::memcpy(reinterpret_cast<unsigned char*>(&design) + offset, &value, sizeof value);
}

using DesignChange = std::function<void(SpringDesign&)>;

// A calculation file with one hostile variant per slot from slot 0 on.
HostileFile slotsFile(std::string name, std::string description,
                      const std::vector<DesignChange>& variants) {
    auto designs = std::make_unique<DesignSlots>();
    designs->fill(ordinaryDesign());
    for (std::size_t slot = 0; slot < variants.size(); ++slot)
        variants[slot]((*designs)[slot]);
    return {std::move(name), std::move(description), imageOf<std::vector<std::byte>>(*designs)};
}

// Sets the int32 field at `offset` to each of the values in turn, one slot each.
std::vector<DesignChange> intVariants(std::size_t offset,
                                      std::initializer_list<std::int32_t> values) {
    std::vector<DesignChange> variants;
    for (const std::int32_t value : values)
        variants.push_back(
            [offset, value](SpringDesign& design) { setField(design, offset, value); });
    return variants;
}

// Slot 0: every double of the record holds `value`; slots 1..25: one double each, in record
// order.
HostileFile everyDoubleFile(std::string name, const std::string& what, double value) {
    std::vector<DesignChange> variants;
    variants.push_back([value](SpringDesign& design) {
        for (const DoubleField& field : kDesignDoubles)
            setField(design, field.offset, value);
    });
    for (const DoubleField& field : kDesignDoubles)
        variants.push_back(
            [field, value](SpringDesign& design) { setField(design, field.offset, value); });
    return slotsFile(std::move(name),
                     what + " in every double of slot 0, then in one double per slot: slot 1 " +
                         "wireDiameter ... slot 25 hookMinRadius, in record order",
                     variants);
}

std::vector<DesignChange> geometryVariants() {
    const auto turns = [](double n) { return [n](SpringDesign& design) { setTurns(design, n); }; };
    const auto diameters = [](double d, double D) {
        return [d, D](SpringDesign& design) {
            design.wireDiameter = d;
            design.meanDiameter = D;
            design.innerDiameter = D - d;
            design.outerDiameter = D + d;
        };
    };
    return {turns(1e6),
            turns(kMaxDrawnTurns + 0.2),
            turns(kMaxDrawnTurns + 1),
            turns(-5),
            turns(1e300),
            turns(2147483648.0),
            turns(0),
            diameters(0, 10),
            diameters(1, 0),
            diameters(1, 1),
            diameters(3, 2),
            diameters(-1, 10),
            diameters(1, -10),
            diameters(1e300, 1e300),
            diameters(1e-300, 1e-300)};
}

std::vector<DesignChange> hookVariants() {
    const auto angle = [](double a) { return [a](SpringDesign& design) { design.hookAngle = a; }; };
    const auto uHook = [](double length, double opening, double radius) {
        return [=](SpringDesign& design) {
            design.hookLength = length;
            design.hookOpening = opening;
            design.hookMinRadius = radius;
        };
    };
    return {angle(0),
            angle(360),
            angle(-720),
            angle(1e300),
            uHook(0, 0, 0),
            uHook(-10, -3, -3),
            uHook(1e300, 1e300, 1e300),
            uHook(10, 3, 1e-300)};
}

std::vector<DesignChange> lengthVariants() {
    const auto lengths = [](double l1, double l2) {
        return [=](SpringDesign& design) {
            design.length1 = l1;
            design.length2 = l2;
        };
    };
    const auto loads = [](double p1, double p2) {
        return [=](SpringDesign& design) {
            design.lengthMode = kLoadsGiven;
            design.load1 = p1;
            design.load2 = p2;
        };
    };
    return {lengths(0, 0),           lengths(-1e300, 1e300), lengths(55, 45), lengths(39, 39),
            lengths(1e-300, 1e-300), loads(-1e300, 1e300),   loads(0, 0)};
}

// A file of the design slots cut or extended to `size` bytes; bytes past the slots are 0xFF.
HostileFile sizedSlotsFile(std::string name, std::string description, std::size_t size) {
    auto designs = std::make_unique<DesignSlots>();
    designs->fill(ordinaryDesign());
    std::vector<std::byte> bytes = imageOf<std::vector<std::byte>>(*designs);
    bytes.resize(size, std::byte{0xFF});
    return {std::move(name), std::move(description), std::move(bytes)};
}

using LibraryChange = std::function<void(MaterialLibrary&)>;

HostileFile libraryFile(std::string name, std::string description, const LibraryChange& change) {
    auto library = std::make_unique<MaterialLibrary>(builtInMaterialLibrary());
    change(*library);
    return {std::move(name), std::move(description), imageOf<std::vector<std::byte>>(*library)};
}

HostileFile sizedLibraryFile(std::string name, std::string description, std::size_t size) {
    std::vector<std::byte> bytes = imageOf<std::vector<std::byte>>(builtInMaterialLibrary());
    bytes.resize(size, std::byte{0xFF});
    return {std::move(name), std::move(description), std::move(bytes)};
}

void setText(ShortString& field, std::uint8_t length, unsigned char filler) {
    field.length = length;
    std::memset(field.bytes, filler, sizeof field.bytes);
}

// Record `to` becomes a copy of record `from` under another kind number.
void copyRecord(MaterialLibrary& library, int from, int to, std::int32_t kind) {
    library[to] = library[from];
    library[to].kind = kind;
}

HostileFile settingsFile(std::string name, std::string description,
                         const std::function<void(CoefficientSet&)>& change) {
    SettingsRecord settings = builtInSettings();
    CoefficientSet coefficients = settings.coefficients;
    change(coefficients);
    settings.coefficients = coefficients;
    return {std::move(name), std::move(description), imageOf<std::vector<std::byte>>(settings)};
}

} // namespace

SpringDesign ordinaryDesign() {
    const MaterialLibrary library = builtInMaterialLibrary();
    SpringDesign design{};
    resetDesignDefaults(design);
    design.diameterIndex = nearestDiameterPosition(library[0], design.wireDiameter).value_or(0);
    design.wireDiameter = library[0].diameters[design.diameterIndex];
    setCoilDiameters(design, design.meanDiameter, design.wireDiameter);
    setTurns(design, design.totalTurns);
    design = evaluateDesign(design, library, builtInSettings().coefficients).design;
    design.inUse = 1;
    return design;
}

std::vector<HostileFile> hostileCalculationFiles() {
    constexpr std::int32_t kMin = INT_MIN;
    constexpr std::int32_t kMax = INT_MAX;
    const std::int32_t pastDiameters = usedDiameterCount(builtInMaterialLibrary()[0]);
    return {
        slotsFile("material_index_out_of_range.hbd",
                  "materialIndex 30, -1, INT_MAX, INT_MIN, and 12 (a record not in use)",
                  intVariants(offsetof(SpringDesign, materialIndex), {30, -1, kMax, kMin, 12})),
        slotsFile("diameter_index_out_of_range.hbd",
                  "diameterIndex 50, -1, INT_MAX, INT_MIN, and one past the material's " +
                      std::to_string(pastDiameters) + " diameters",
                  intVariants(offsetof(SpringDesign, diameterIndex),
                              {50, -1, kMax, kMin, pastDiameters})),
        slotsFile("life_class_out_of_range.hbd", "lifeClass 9, -1, INT_MAX, INT_MIN",
                  intVariants(offsetof(SpringDesign, lifeClass), {9, -1, kMax, kMin})),
        slotsFile("diameter_kind_out_of_range.hbd", "diameterKind 3, -1, INT_MAX, INT_MIN",
                  intVariants(offsetof(SpringDesign, diameterKind), {3, -1, kMax, kMin})),
        slotsFile("length_mode_out_of_range.hbd", "lengthMode 2, -1, INT_MAX, INT_MIN",
                  intVariants(offsetof(SpringDesign, lengthMode), {2, -1, kMax, kMin})),
        slotsFile("in_use_neither_0_nor_1.hbd", "inUse 2, -1, INT_MIN in slots 0..2",
                  intVariants(offsetof(SpringDesign, inUse), {2, -1, kMin})),
        slotsFile("check_box_bytes_above_1.hbd",
                  "autoInitialTension 2, 255; lowTempAnnealed 2, 255; both 255",
                  {[](SpringDesign& d) { d.autoInitialTension = 2; },
                   [](SpringDesign& d) { d.autoInitialTension = 255; },
                   [](SpringDesign& d) { d.lowTempAnnealed = 2; },
                   [](SpringDesign& d) { d.lowTempAnnealed = 255; },
                   [](SpringDesign& d) { d.autoInitialTension = d.lowTempAnnealed = 255; }}),
        everyDoubleFile("nan_in_doubles.hbd", "NaN", kNaN),
        everyDoubleFile("infinity_in_doubles.hbd", "+infinity", kInfinity),
        everyDoubleFile("minus_infinity_in_doubles.hbd", "-infinity", -kInfinity),
        everyDoubleFile("denormal_in_doubles.hbd", "the smallest denormal 4.9E-324", kDenormal),
        everyDoubleFile("largest_double_in_doubles.hbd", "the largest double 1.8E308", kLargest),
        slotsFile("turns_and_diameters_extreme.hbd",
                  "totalTurns 1e6, 10000.2, 10001, -5, 1e300, 2^31, 0; then (d, D) = (0, 10), "
                  "(1, 0), (1, 1), (3, 2), (-1, 10), (1, -10), (1e300, 1e300), (1e-300, 1e-300)",
                  geometryVariants()),
        slotsFile("hooks_extreme.hbd",
                  "hookAngle 0, 360, -720, 1e300; then U hooks (length, opening, radius) = "
                  "(0, 0, 0), (-10, -3, -3), (1e300, 1e300, 1e300), (10, 3, 1e-300)",
                  hookVariants()),
        slotsFile("lengths_extreme.hbd",
                  "(length1, length2) = (0, 0), (-1e300, 1e300), (55, 45), (39, 39), "
                  "(1e-300, 1e-300); then loads given (load1, load2) = (-1e300, 1e300), (0, 0)",
                  lengthVariants()),
        sizedSlotsFile("empty.hbd", "no bytes at all", 0),
        sizedSlotsFile("slot0_only.hbd", "336 bytes: slot 0 only", sizeof(SpringDesign)),
        sizedSlotsFile("cut_inside_slot_1.hbd", "500 bytes: slot 0 and part of slot 1", 500),
        sizedSlotsFile("longer_than_slots.hbd", "10416 bytes of slots, then 1000 bytes 0xFF",
                       sizeof(DesignSlots) + 1000),
    };
}

std::vector<HostileFile> hostileMaterialLibraries() {
    return {
        libraryFile("diameter_count_negative.dst", "diameterCount -1 (record 0), INT_MIN (3)",
                    [](MaterialLibrary& l) {
                        l[0].diameterCount = -1;
                        l[3].diameterCount = INT_MIN;
                    }),
        libraryFile("diameter_count_above_50.dst",
                    "diameterCount 51 (record 0), INT_MAX (3), 50 over a shorter table (6)",
                    [](MaterialLibrary& l) {
                        l[0].diameterCount = 51;
                        l[3].diameterCount = INT_MAX;
                        l[6].diameterCount = 50;
                    }),
        libraryFile("string_length_above_50.dst",
                    "kindName length 51 and gradeSymbol 255 (record 0), 200 (3), both 50 bytes of "
                    "0xFF; record 6 grade symbol of broken Shift-JIS (lead bytes without trail)",
                    [](MaterialLibrary& l) {
                        setText(l[0].kindName, 51, 0x41);
                        setText(l[0].gradeSymbol, 255, 0xFF);
                        setText(l[3].gradeSymbol, 200, 0xFF);
                        setText(l[6].gradeSymbol, 50, 0x82);
                        l[6].gradeSymbol.bytes[10] = '\0';
                        l[6].gradeSymbol.bytes[11] = static_cast<char>(0x80);
                    }),
        libraryFile("kinds_outside_0_to_10.dst",
                    "kind 11 (record 2), -1 (5), INT_MAX (11), INT_MIN (12, a copy of record 0)",
                    [](MaterialLibrary& l) {
                        l[2].kind = 11;
                        l[5].kind = -1;
                        l[11].kind = INT_MAX;
                        copyRecord(l, 0, 12, INT_MIN);
                    }),
        libraryFile("ninth_record_of_a_kind.dst",
                    "records 12..16 copies of record 6 with kind 2: eleven records of kind 2",
                    [](MaterialLibrary& l) {
                        for (int r = 12; r <= 16; ++r)
                            copyRecord(l, 6, r, kStainlessKind);
                    }),
        libraryFile("kind_numbers_with_gaps.dst",
                    "kinds 0, 2, 5 and 9 in use: records 3..5 kind 5, record 12 a copy of record "
                    "0 with kind 9",
                    [](MaterialLibrary& l) {
                        for (int r = 3; r <= 5; ++r)
                            l[r].kind = 5;
                        copyRecord(l, 0, 12, 9);
                    }),
        libraryFile("no_kind_in_use.dst", "every record kind 10",
                    [](MaterialLibrary& l) {
                        for (MaterialRecord& record : l)
                            record.kind = kUnusedKind;
                    }),
        libraryFile("zero_tensile_strength.dst",
                    "tensile strength 0 at every diameter (record 0), at one diameter (3), "
                    "negative (6)",
                    [](MaterialLibrary& l) {
                        for (int j = 0; j < kMaxDiameters; ++j) {
                            l[0].tensileStrength[j] = 0;
                            l[6].tensileStrength[j] = -l[6].tensileStrength[j];
                        }
                        l[3].tensileStrength[10] = 0;
                    }),
        libraryFile("zero_shear_modulus.dst", "shear modulus 0 (record 0), negative (3)",
                    [](MaterialLibrary& l) {
                        l[0].shearModulus = 0;
                        l[3].shearModulus = -78500;
                    }),
        libraryFile("non_finite_material_values.dst",
                    "NaN shear modulus (record 0), infinite tensile strengths (1), NaN diameters "
                    "(2), infinite allowable torsion (3), the largest double as diameter (6)",
                    [](MaterialLibrary& l) {
                        l[0].shearModulus = kNaN;
                        for (int j = 0; j < kMaxDiameters; ++j) {
                            l[1].tensileStrength[j] = kInfinity;
                            l[2].diameters[j] = kNaN;
                            l[3].allowableTorsion[j] = kInfinity;
                        }
                        l[6].diameters[5] = kLargest;
                    }),
        libraryFile("diameters_not_ascending.dst",
                    "diameters descending (record 0), all equal (3), a 0 inside (6), one "
                    "diameter only (7)",
                    [](MaterialLibrary& l) {
                        const int count = l[0].diameterCount;
                        for (int j = 0; j < count / 2; ++j) {
                            const double first = l[0].diameters[j];
                            l[0].diameters[j] = l[0].diameters[count - 1 - j];
                            l[0].diameters[count - 1 - j] = first;
                        }
                        for (int j = 0; j < l[3].diameterCount; ++j)
                            l[3].diameters[j] = 1.0;
                        l[6].diameters[7] = 0;
                        l[7].diameterCount = 1;
                    }),
        libraryFile("percentages_extreme.dst",
                    "torsionPercent INT_MAX (record 0), INT_MIN (1), -50 (2); explicit torsion "
                    "given only from entry 1 on (3)",
                    [](MaterialLibrary& l) {
                        l[0].torsionPercent = INT_MAX;
                        l[1].torsionPercent = INT_MIN;
                        l[2].torsionPercent = -50;
                        l[3].allowableTorsion[0] = 0;
                        for (int j = 1; j < kMaxDiameters; ++j)
                            l[3].allowableTorsion[j] = 900;
                    }),
        sizedLibraryFile("empty.dst", "no bytes at all", 0),
        sizedLibraryFile("first_record_only.dst", "1736 bytes: record 0 only",
                         sizeof(MaterialRecord)),
        sizedLibraryFile("cut_inside_record_0.dst", "1000 bytes: part of record 0", 1000),
        sizedLibraryFile("longer_than_library.dst", "52080 bytes of records, then 100 bytes 0xFF",
                         sizeof(MaterialLibrary) + 100),
    };
}

std::vector<HostileFile> hostileSettingsFiles() {
    return {
        settingsFile("non_finite_coefficients.set",
                     "NaN allowable-stress ratio, infinite hook factor, -infinity reductions",
                     [](CoefficientSet& c) {
                         c.compressionToMaterialRatio = kNaN;
                         c.hookStressFactor = kInfinity;
                         c.stainlessReduction = c.annealedPianoReduction =
                             c.annealedHardSteelReduction = c.annealedStainlessReduction =
                                 -kInfinity;
                     }),
        settingsFile("zero_and_huge_coefficients.set",
                     "allowable-stress ratios 0 and 1e308, hook factor 0, reductions 100 and "
                     "1e308",
                     [](CoefficientSet& c) {
                         c.compressionToMaterialRatio = 0;
                         c.extensionToCompressionRatio = 1e308;
                         c.hookStressFactor = 0;
                         c.stainlessReduction = 100;
                         c.annealedPianoReduction = 1e308;
                     }),
    };
}

std::vector<HostileFile> allHostileFiles() {
    std::vector<HostileFile> files = hostileCalculationFiles();
    for (auto& group : {hostileMaterialLibraries(), hostileSettingsFiles()})
        files.insert(files.end(), group.begin(), group.end());
    return files;
}

} // namespace hspring::test
