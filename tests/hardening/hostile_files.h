// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Calculation files, material libraries and settings files that no run of the program writes:
// indices and modes outside their ranges, numbers that are not finite, counts and lengths beyond
// their fields, broken library rules, and files cut short or running long. The test data in
// tests/testdata/hostile/ is these files, written by make_hostile_files; the tests check that the
// files there are still what the generator makes.

#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <cstddef>
#include <string>
#include <vector>

namespace hspring::test {

struct HostileFile {
    std::string name;        // file name in tests/testdata/hostile/
    std::string description; // what is hostile about it
    std::vector<std::byte> bytes;
};

// The design the hostile calculation files start from in every slot: the start design on the
// first built-in material, calculated and stored in use, as "▼" stores it.
SpringDesign ordinaryDesign();

// Calculation files (*.hbd). Each puts its hostile variants into slots 0, 1, 2, ... in the order
// of its description; the other slots hold ordinaryDesign().
std::vector<HostileFile> hostileCalculationFiles();

// Material libraries (*.dst): the built-in library with some records broken; the description
// names the records.
std::vector<HostileFile> hostileMaterialLibraries();

// Settings files: the built-in settings with hostile coefficients.
std::vector<HostileFile> hostileSettingsFiles();

// All of them, in the order above.
std::vector<HostileFile> allHostileFiles();

} // namespace hspring::test
