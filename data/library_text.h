// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <string>
#include <string_view>

namespace hspring {

// The readable text form of the default data (data/default/*.txt), from which the build makes
// zaidat.dst, the settings file and the built-in copies. Both texts are UTF-8, one item per line;
// blanks and tabs separate, and empty lines and lines starting with '#' are skipped. Numbers use
// the strict decimal form of textToDouble and textToInt.
//
// Material library: records in file order, each from a line "material" to a line "end":
//     kind            0          (0..9)
//     kindName        硬鋼線     (the rest of the line, at most 50 bytes of Shift-JIS)
//     gradeSymbol     SW-B
//     shearModulus    78500      (N/mm^2)
//     youngModulus    206000     (N/mm^2)
//     torsionPercent  50         (%)
//     bendingPercent  80         (%)
//     0.08  2450  [allowableTorsion  [allowableBending]]
// Every key once; one row per wire diameter (1..50 rows), the omitted columns 0. At most 30
// records; the others are left zero with kind 10. The result must keep the library rules
// (findLibraryInconsistencies).
//
// Settings: one line "name value" for each of the seven coefficients, named as the fields of
// CoefficientSet. The bytes of the record outside the set are zero.
//
// A text that breaks the form raises DataTextError; a library that breaks its rules,
// InconsistentLibrary (data/library_consistency.h). Both are Errors of Kind::Data.
MaterialLibrary parseMaterialLibraryText(std::string_view text);
SettingsRecord parseSettingsText(std::string_view text);

// What breaks the form of a data text.
enum class DataTextFault {
    ExpectedMaterial,   // a line where a material should start
    TooManyMaterials,   // subject: the most materials a library holds
    TooManyDiameters,   // subject: the most diameter rows of a material
    RowSize,            // a diameter row not of 2 to 4 numbers
    NotANumber,         // subject: the word
    NotAWholeNumber,    // subject: the word
    TextTooLong,        // subject: the text, longer than a record's text field
    UnknownKey,         // subject: the key no material has
    UnknownCoefficient, // subject: the name no coefficient has
    GivenTwice,         // subject: the key or coefficient
    KeyMissing,         // subject: the key the material lacks (at its "end")
    NoDiameterRows,     // at the material's "end"
    NoEnd,              // at the material's start
    CoefficientMissing, // subject: the coefficient; at no line
};

// A fault of a data text, by its code, at a line (0: at none), naming the word it concerns; the
// layer that shows it words it (Problem::BadData without a detail).
class DataTextError : public Error {
public:
    DataTextError(DataTextFault fault, int line, std::string subject = {})
        : Error(Problem::BadData, std::move(subject)), fault_(fault), line_(line) {}
    DataTextFault fault() const { return fault_; }
    int line() const { return line_; }

private:
    DataTextFault fault_;
    int line_;
};

} // namespace hspring
