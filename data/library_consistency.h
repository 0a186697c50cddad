// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
// Returns one line per broken rule, naming the record; empty when the library keeps them all.
std::vector<std::string> findLibraryInconsistencies(const MaterialLibrary& library);

} // namespace hspring
