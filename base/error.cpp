// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"

namespace hspring {

Error::Error(Problem problem, std::string subject, std::string detail)
    : std::runtime_error(englishMessage(problem, subject, detail)), problem_(problem),
      subject_(std::move(subject)), detail_(std::move(detail)) {}

Error::Kind Error::kind() const {
    switch (problem_) {
    case Problem::NotANumber:
    case Problem::NotAnInteger:
        return Kind::Conversion;
    case Problem::FileUnreadable:
    case Problem::FileNotCreated:
    case Problem::PrintFailed:
        return Kind::File;
    case Problem::DivisionByZero:
    case Problem::InvalidOperation:
    case Problem::Overflow:
        return Kind::Arithmetic;
    case Problem::NotPositiveFinite:
    case Problem::NoInnerDiameter:
    case Problem::ResultsOverflow:
    case Problem::HookAngleNotDrawable:
    case Problem::UHookNotDrawable:
    case Problem::NegativeInitialTension:
        return Kind::Refused;
    default:
        return Kind::Data;
    }
}

std::string englishMessage(Problem problem, std::string_view subject, std::string_view detail) {
    const std::string s(subject);
    switch (problem) {
    case Problem::NotANumber:
        return "'" + s + "' is not a floating-point number";
    case Problem::NotAnInteger:
        return "'" + s + "' is not a valid integer";
    case Problem::FileUnreadable:
        return "cannot open file " + s;
    case Problem::FileNotCreated:
        return "cannot create file " + s + (detail.empty() ? "" : ": " + std::string(detail));
    case Problem::PrintFailed:
        return "printing on " + s + " failed";
    case Problem::DivisionByZero:
        return std::string(kDivisionByZeroMessage);
    case Problem::InvalidOperation:
        return std::string(kInvalidOperationMessage);
    case Problem::Overflow:
        return std::string(kOverflowMessage);
    case Problem::NoSuchSlot:
        return "there is no slot " + s + " (0.." + std::string(detail) + ")";
    case Problem::EmptySlot:
        return "slot " + s + " is empty";
    case Problem::NotOneDesign:
        return "exactly one design is needed (the text holds " + s + ")";
    case Problem::TooManyTurns:
        return "too many turns to draw (at most " + s + ")";
    case Problem::NotPositiveFinite:
        return s + " must be a positive finite number";
    case Problem::NoInnerDiameter:
        return s + " leaves the coil no inner diameter: the mean diameter must exceed the wire "
                   "diameter";
    case Problem::ResultsOverflow:
        return s + " is so large or so small that the results overflow";
    case Problem::HookAngleNotDrawable:
        return s + " must lie within 0..180 degrees: the hook cannot be drawn";
    case Problem::UHookNotDrawable:
        return s + ": the U hook's bend, legs and U do not fit together: the hook cannot be drawn";
    case Problem::NegativeInitialTension:
        return s + " must not be below 0";
    case Problem::BadData:
        break;
    }
    return std::string(detail);
}

Error conversionError(std::string_view text) {
    return Error(Problem::NotANumber, std::string(text));
}

Error integerConversionError(std::string_view text) {
    return Error(Problem::NotAnInteger, std::string(text));
}

Error fileOpenError(std::string_view path) {
    return Error(Problem::FileUnreadable, std::string(path));
}

Error fileCreateError(std::string_view path, std::string_view reason) {
    return Error(Problem::FileNotCreated, std::string(path), std::string(reason));
}

Error printJobError(std::string_view printerName) {
    return Error(Problem::PrintFailed, std::string(printerName));
}

} // namespace hspring
