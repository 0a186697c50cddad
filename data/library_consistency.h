// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"
#include "data/material_library.h"

#include <string>
#include <vector>

namespace hspring {

// The rules a material library must keep for the selection lists to work, which a file may
// break:
// - every kind is 0..9 or 10 (not in use), and the kinds in use are numbered from 0 without a
//   gap, because the position in the kind list is taken as the kind number;
// - at most 8 records per kind, all with the same kind name;
// - a record in use has 1..50 diameters, strictly ascending and above 0, with a tensile strength
//   above 0 at each, and a shear modulus above 0 (the engine divides by them);
// - a record whose first diameter is 0 has kind 10 (what markEmptyRecords makes of it).
enum class LibraryRule {
    KindOutOfRange,             // number: the record's kind
    NoDiametersButKind,         // number: the record's kind, not 10
    DiameterCountOutOfRange,    // number: the diameter count
    ShearModulusNotPositive,    // value: the modulus
    DiameterNotPositive,        // entry; value: the diameter
    DiametersNotAscending,      // entry; value: the diameter; previous: the one before it
    TensileStrengthNotPositive, // entry; value: the strength
    TooManyOfKind,              // number: the kind of which this is one record too many
    KindNameDiffers,            // kindName: the record's; number: the first record of the kind
    KindGap,                    // number: the kind used while the kind before it is not; record -1
};

// One broken rule, with the record and the values it concerns.
struct LibraryInconsistency {
    LibraryRule rule;
    int record = -1; // the record; -1 for the library as a whole
    int entry = -1;  // the diameter row, for the rules of a row
    int number = 0;
    double value = 0;
    double previous = 0;
    std::string kindName;

    bool operator==(const LibraryInconsistency&) const = default;
};

// Every broken rule, in record order, the gaps of kinds last; empty when the library keeps them
// all.
std::vector<LibraryInconsistency> findLibraryInconsistencies(const MaterialLibrary& library);

// A library refused for the rules it breaks (Problem::BadData without a detail).
class InconsistentLibrary : public Error {
public:
    explicit InconsistentLibrary(std::vector<LibraryInconsistency> broken)
        : Error(Problem::BadData), broken_(std::move(broken)) {}
    const std::vector<LibraryInconsistency>& broken() const { return broken_; }

private:
    std::vector<LibraryInconsistency> broken_;
};

} // namespace hspring
