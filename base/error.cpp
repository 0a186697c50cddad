// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"

namespace hspring {

namespace {

std::string diagnosticOf(Problem problem, const std::string& detail) {
    if (problem == Problem::BadData)
        return detail;
    return "hspring::Problem(" + std::to_string(static_cast<int>(problem)) + ")";
}

} // namespace

Error::Error(Problem problem, std::string subject, std::string detail)
    : std::runtime_error(diagnosticOf(problem, detail)), problem_(problem),
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

Error fieldError(Problem problem, std::string_view field, std::string subject, std::string detail) {
    Error error(problem, std::move(subject), std::move(detail));
    error.inField(std::string(field));
    return error;
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
