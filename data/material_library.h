// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/short_string.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hspring {

inline constexpr int kMaterialCount = 30;
inline constexpr int kMaxDiameters = 50;
inline constexpr int kKindCount = 10; // kind numbers 0..9 name material kinds
inline constexpr int kMaxGradesPerKind = 8;
inline constexpr std::int32_t kUnusedKind = 10;

// Kind numbers whose initial tension the coefficient set reduces.
inline constexpr std::int32_t kHardDrawnSteelKind = 0;
inline constexpr std::int32_t kPianoWireKind = 1;
inline constexpr std::int32_t kStainlessKind = 2;

#pragma pack(push, 1)
// One grade of spring wire, exactly as stored in the material data file (little-endian).
struct MaterialRecord {
    ShortString kindName;            // "材料の種類"
    ShortString gradeSymbol;         // "材料の記号"
    std::uint8_t filler[2];          // not significant, written back unchanged
    double shearModulus;             // G, N/mm^2
    std::int32_t diameterCount;      // entries in use, 0..50 (a foreign file may hold anything)
    std::int32_t kind;               // 0..9 a registered kind, 10 record not in use
    double youngModulus;             // E, N/mm^2; stored, used by no calculation
    std::int32_t torsionPercent;     // allowable torsion as % of tensile strength
    std::int32_t bendingPercent;     // allowable bending as % of tensile strength
    double diameters[kMaxDiameters]; // mm, ascending
    double tensileStrength[kMaxDiameters];  // N/mm^2
    double allowableTorsion[kMaxDiameters]; // N/mm^2, 0 = not given
    double allowableBending[kMaxDiameters]; // N/mm^2, 0 = not given
};
#pragma pack(pop)

static_assert(sizeof(MaterialRecord) == 1736);
static_assert(offsetof(MaterialRecord, kindName) == 0);
static_assert(offsetof(MaterialRecord, gradeSymbol) == 51);
static_assert(offsetof(MaterialRecord, filler) == 102);
static_assert(offsetof(MaterialRecord, shearModulus) == 104);
static_assert(offsetof(MaterialRecord, diameterCount) == 112);
static_assert(offsetof(MaterialRecord, kind) == 116);
static_assert(offsetof(MaterialRecord, youngModulus) == 120);
static_assert(offsetof(MaterialRecord, torsionPercent) == 128);
static_assert(offsetof(MaterialRecord, bendingPercent) == 132);
static_assert(offsetof(MaterialRecord, diameters) == 136);
static_assert(offsetof(MaterialRecord, tensileStrength) == 536);
static_assert(offsetof(MaterialRecord, allowableTorsion) == 936);
static_assert(offsetof(MaterialRecord, allowableBending) == 1336);

using MaterialLibrary = std::array<MaterialRecord, kMaterialCount>;
static_assert(sizeof(MaterialLibrary) == 52080);

// Material indices grouped by kind number; built at start-up, never stored.
struct KindIndex {
    std::int32_t kindCount[kKindCount];
    std::int32_t kindMembers[kKindCount][kMaxGradesPerKind]; // -1 in empty places
};

// Name of the material data file next to the executable.
inline constexpr const char* kMaterialFileName = "zaidat.dst";

// Reads a material data file over the library (at most 52080 bytes; see readTableImage).
void loadMaterialLibrary(const std::string& path, MaterialLibrary& library);
// Writes the 52080 bytes atomically.
void saveMaterialLibrary(const std::string& path, const MaterialLibrary& library);

// Gives kind 10 to every record whose first diameter is exactly 0.
void markEmptyRecords(MaterialLibrary& library);

// Records of kind 0..9 in ascending record order. A ninth record of one kind is left out of the
// index (the places hold eight), like a record of any kind outside 0..9.
KindIndex buildKindIndex(const MaterialLibrary& library);

// One entry of the kind list: the kind number and the name of the kind's first record.
struct KindListEntry {
    int kind;
    std::string name;
};
// Kinds 0..9 that have records, in ascending order. Each entry carries its kind number, so a
// library whose kinds leave a gap still selects the right records.
std::vector<KindListEntry> kindList(const MaterialLibrary& library, const KindIndex& index);
// Grade symbols of the records of `kind` in index order; empty for a kind outside 0..9.
std::vector<std::string> gradeList(const MaterialLibrary& library, const KindIndex& index,
                                   int kind);
// kindMembers[kind][grade], or -1 when the place is outside the index or empty.
int lookupMaterial(const KindIndex& index, int kind, int grade);
// Kind number and place of a material index in the index, if it is listed.
struct KindPlace {
    int kind;
    int grade;
};
std::optional<KindPlace> findMaterialInIndex(const KindIndex& index, int materialIndex);

// The record at a material index, or nullptr outside the library (kMaterialCount records).
inline const MaterialRecord* materialAt(const MaterialLibrary& library, int materialIndex) {
    if (materialIndex < 0 || materialIndex >= kMaterialCount)
        return nullptr;
    return &library[materialIndex];
}
// diameterCount limited to 0..50, the number of entries any reader may use.
inline int usedDiameterCount(const MaterialRecord& record) {
    return std::clamp<std::int32_t>(record.diameterCount, 0, kMaxDiameters);
}
// The wire diameters in use as F15 texts: "0.5", "1.2", "10".
std::vector<std::string> diameterList(const MaterialRecord& record);
// Entry `diameterIndex` of the diameter and tensile-strength lists, if it is within 0..49 and
// below the used count.
std::optional<double> wireDiameterAt(const MaterialRecord& record, int diameterIndex);
inline std::optional<double> tensileStrengthAt(const MaterialRecord& record, int diameterIndex) {
    if (diameterIndex < 0 || diameterIndex >= usedDiameterCount(record))
        return std::nullopt;
    return record.tensileStrength[diameterIndex];
}

// The two allowable stresses a record gives per wire diameter: torsion, which the coil is judged
// by, and bending, which the hook loop is judged by.
enum class AllowableStressKind { Torsion, Bending };

// The material's allowable stress of `kind` at wire diameter d, N/mm^2.
//
// The table's rows: the explicit column (allowableTorsion or allowableBending) when its first
// entry is given, entries of 0 skipped; otherwise the percentage (torsionPercent or
// bendingPercent) of the tensile strength at every diameter in use. Whether the explicit column
// is used depends on its first entry alone. The lookup is piecewise linear, both ends of each
// segment included; when several segments hold d, the last one wins. Two equal diameters in a
// row give the smaller of their stresses (no slope; the safe reading), and a one-row table
// answers only its own diameter.
//
// NaN when there is no value: outside the table's diameters, an empty table, d not a number, or
// a value that is not finite. Taking the nearest row instead would overstate the allowable stress
// of a wire thicker than the table's last (thicker wire is weaker).
double materialAllowableStress(const MaterialRecord& material, AllowableStressKind kind, double d);

} // namespace hspring
