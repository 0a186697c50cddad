// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/data_problem_text.h"

#include "base/number_format.h"
#include "data/library_text.h"
#include "data/short_string.h"

namespace hspring::cli {

namespace {

// A fault of a line, without the line.
std::string faultText(const DataTextError& error) {
    const std::string quoted = "'" + error.subject() + "'";
    switch (error.fault()) {
    case DataTextFault::ExpectedMaterial:
        return "expected 'material'";
    case DataTextFault::TooManyMaterials:
        return "more than " + error.subject() + " materials";
    case DataTextFault::TooManyDiameters:
        return "more than " + error.subject() + " diameters";
    case DataTextFault::RowSize:
        return "a diameter row holds 2 to 4 numbers";
    case DataTextFault::NotANumber:
        return quoted + " is not a number";
    case DataTextFault::NotAWholeNumber:
        return quoted + " is not a whole number";
    case DataTextFault::TextTooLong:
        return quoted + " does not fit " + std::to_string(sizeof(ShortString::bytes)) +
               " bytes of Shift-JIS text";
    case DataTextFault::UnknownKey:
        return "unknown key " + quoted;
    case DataTextFault::UnknownCoefficient:
        return "unknown coefficient " + quoted;
    case DataTextFault::GivenTwice:
        return quoted + " given twice";
    case DataTextFault::KeyMissing:
        return "the material lacks " + quoted;
    case DataTextFault::NoDiameterRows:
        return "the material has no diameter rows";
    case DataTextFault::NoEnd:
        return "the material has no 'end'";
    case DataTextFault::CoefficientMissing:
        return "the coefficient " + quoted + " is missing";
    }
    return {};
}

} // namespace

std::string libraryInconsistencyText(const LibraryInconsistency& broken) {
    const std::string record = "record " + std::to_string(broken.record) + ": ";
    const std::string entry = record + "entry " + std::to_string(broken.entry) + ": ";
    const std::string number = std::to_string(broken.number);
    switch (broken.rule) {
    case LibraryRule::KindOutOfRange:
        return record + "kind " + number + " is not within 0.." + std::to_string(kUnusedKind);
    case LibraryRule::NoDiametersButKind:
        return record + "has no diameters but kind " + number + " instead of " +
               std::to_string(kUnusedKind);
    case LibraryRule::DiameterCountOutOfRange:
        return record + "diameter count " + number + " is not within 1.." +
               std::to_string(kMaxDiameters);
    case LibraryRule::ShearModulusNotPositive:
        return record + "shear modulus " + formatF15(broken.value) + " is not above 0";
    case LibraryRule::DiameterNotPositive:
        return entry + "diameter " + formatF15(broken.value) + " is not above 0";
    case LibraryRule::DiametersNotAscending:
        return entry + "diameter " + formatF15(broken.value) + " does not follow " +
               formatF15(broken.previous);
    case LibraryRule::TensileStrengthNotPositive:
        return entry + "tensile strength " + formatF15(broken.value) + " is not above 0";
    case LibraryRule::TooManyOfKind:
        return record + "is a ninth record of kind " + number;
    case LibraryRule::KindNameDiffers:
        return record + "kind name \"" + broken.kindName + "\" differs from record " + number +
               " of the same kind";
    case LibraryRule::KindGap:
        return "kind " + number + " is used but kind " + std::to_string(broken.number - 1) +
               " is not";
    }
    return {};
}

std::string dataProblemText(const Error& error) {
    if (const auto* library = dynamic_cast<const InconsistentLibrary*>(&error)) {
        std::string text = "the library breaks its rules:";
        for (const LibraryInconsistency& broken : library->broken())
            text += "\n" + libraryInconsistencyText(broken);
        return text;
    }
    if (const auto* fault = dynamic_cast<const DataTextError*>(&error)) {
        if (fault->line() == 0)
            return faultText(*fault);
        return "line " + std::to_string(fault->line()) + ": " + faultText(*fault);
    }
    return {};
}

} // namespace hspring::cli
