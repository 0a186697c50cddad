// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace hspring {

// The four per-diameter columns of a record, in the order the editor's grid shows them.
enum class TableColumn { Diameter, TensileStrength, AllowableTorsion, AllowableBending };
inline constexpr int kTableColumnCount = 4;

const double* tableColumn(const MaterialRecord& record, TableColumn column);
double* tableColumn(MaterialRecord& record, TableColumn column);

// Spin-field range of the kind number: 0..9 registered kinds, 10 not in use.
inline constexpr std::int32_t kLowestKind = 0;
inline constexpr std::int32_t kHighestKind = kUnusedKind;

// The texts of the material editor's fields for one record, the form in which the user edits it.
struct MaterialRecordTexts {
    std::string kindName;
    std::string gradeSymbol;
    std::string shearModulus;
    std::string youngModulus;
    std::string torsionPercent;
    std::string bendingPercent;
    std::string diameterCount; // shown only; a store recomputes the count from the table
    std::int32_t kind = 0;     // the spin field's value, always 0..10
    // table[j][column]: entry j of the four per-diameter columns.
    std::array<std::array<std::string, kTableColumnCount>, kMaxDiameters> table;
};

// The record as the editor shows it: numbers in F15, every one of the 50 table entries (the ones
// past the count are zero and read "0"), and the kind limited to the spin field's range.
MaterialRecordTexts materialRecordTexts(const MaterialRecord& record);

// The editor's fields above the table, as a store asks for them.
enum class MaterialField {
    KindName,       // text
    GradeSymbol,    // text
    ShearModulus,   // number
    YoungModulus,   // number
    TorsionPercent, // integer
    BendingPercent, // integer
};

// Where a store takes a record's values from: the editor's fields, or their texts. Each value is
// asked for once, in the store's order; one that cannot be read raises its conversion error,
// which ends the store there.
class MaterialRecordInput {
public:
    virtual ~MaterialRecordInput() = default;
    virtual std::string text(MaterialField field) = 0;
    virtual double number(MaterialField field) = 0;
    virtual std::int32_t integer(MaterialField field) = 0;
    virtual std::int32_t kind() = 0;
    virtual std::string cellText(int entry, TableColumn column) = 0;
};

// Stores the input into the record, field by field in the editor's order: the two names (at most
// 50 bytes each), the moduli, the kind, the two percentages, then the table entry by entry, each
// entry's four cells in column order. The table ends at the first entry whose diameter text is
// exactly "0" (a "0.0" does not end it); entries from there on are set to zero. Returns the new
// diameter count.
//
// A value that cannot be read raises its error right there: whatever was stored before it keeps
// its new value, the rest of the record (the count included) stays as it was.
std::int32_t storeMaterialRecord(MaterialRecordInput& input, MaterialRecord& record);

// The same from texts, converted by textToDouble and textToInt.
std::int32_t storeMaterialRecordTexts(const MaterialRecordTexts& texts, MaterialRecord& record);

// Makes room for a new entry at `entry` (0..49): the entries from there move one place down,
// the last one is lost, and the new entry is zero in all four columns. The count is left alone:
// the next store ends the table at the new zero entry unless the user fills it.
void insertTableEntry(MaterialRecord& record, int entry);

// Removes the entry at `entry` (0..49): the entries after it move one place up and the last entry
// becomes zero.
void deleteTableEntry(MaterialRecord& record, int entry);

// Empties the record: no names, all numbers and table entries zero, kind 10 (not in use).
// The filler and the bytes after the names' lengths stay as they were.
void clearMaterialRecord(MaterialRecord& record);

// How many records would carry `kind` if the record at `editIndex` took it: the record being
// edited counts once, whatever kind it holds in memory.
int kindRegistrationCount(const MaterialLibrary& library, std::int32_t kind, int editIndex);

// Whether a registered kind (0..9) would hold more records than the kind list can offer (the
// editor then warns); never for a count within the limit or for the unused kind 10, which has no
// limit.
bool kindOverLimit(std::int32_t kind, int registrationCount);

} // namespace hspring
