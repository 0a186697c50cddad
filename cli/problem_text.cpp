// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/problem_text.h"

#include "base/number_format.h"
#include "cli/data_problem_text.h"
#include "model/model_failure.h"
#include "model/step_module.h"
#include "search/design_requirement.h"

namespace hspring::cli {

namespace {

// What a JSON syntax fault says, before " at byte N".
std::string syntaxFault(const Error& error) {
    switch (error.problem()) {
    case Problem::JsonExpectedCharacter:
        return "expected '" + error.detail() + "'";
    case Problem::JsonUnexpectedEnd:
        return "unexpected end of text";
    case Problem::JsonUnexpectedCharacter:
        return "unexpected character";
    case Problem::JsonTooDeep:
        return "nesting too deep";
    case Problem::JsonExpectedMemberName:
        return "expected a member name";
    case Problem::JsonExpectedNumber:
        return "expected a number";
    case Problem::JsonExpectedFractionDigit:
        return "expected a digit after the decimal point";
    case Problem::JsonExpectedExponentDigit:
        return "expected a digit in the exponent";
    case Problem::JsonNumberOutOfRange:
        return "number beyond the range of a double";
    case Problem::JsonMalformedNumber:
        return "malformed number";
    case Problem::JsonExpectedString:
        return "expected a string";
    case Problem::JsonUnterminatedString:
        return "unterminated string";
    case Problem::JsonControlCharacter:
        return "control character in a string";
    case Problem::JsonShortEscape:
        return "short \\u escape";
    case Problem::JsonBadHexDigit:
        return "bad hex digit in \\u escape";
    case Problem::JsonUnterminatedEscape:
        return "unterminated escape";
    case Problem::JsonUnknownEscape:
        return "unknown escape";
    case Problem::JsonLoneLowSurrogate:
        return "lone low surrogate";
    case Problem::JsonLoneHighSurrogate:
        return "high surrogate without its low surrogate";
    case Problem::JsonInvalidUtf8:
        return "invalid UTF-8";
    case Problem::JsonExpectedBoolean:
        return "expected true or false";
    case Problem::JsonExpectedNull:
        return "expected null";
    case Problem::JsonTextAfterValue:
        return "text after the value";
    default:
        return {};
    }
}

// What a value of the wrong kind should have been.
std::string_view expectedValue(Problem problem) {
    switch (problem) {
    case Problem::ExpectedNumber:
        return "a number";
    case Problem::ExpectedInteger:
        return "an integer";
    case Problem::Expected32BitInteger:
        return "a 32-bit integer";
    case Problem::ExpectedFlag:
        return "0, 1, true or false";
    case Problem::ExpectedHookType:
        return "\"round\" or \"u\"";
    case Problem::ExpectedToleranceGrade:
        return "0, 1, 2 or 3";
    case Problem::ExpectedIntegerArray:
        return "an array of integers";
    case Problem::ExpectedText:
        return "a text";
    case Problem::ExpectedObjective:
        return "\"mass\", \"life\", \"margin\" or \"accuracy\"";
    case Problem::ExpectedDesignBasis:
        return "\"JIS\" or \"handbook\"";
    case Problem::ExpectedPositiveOrNull:
        return "a positive number or null";
    default:
        return {};
    }
}

} // namespace

std::string problemText(const Error& error) {
    const std::string& s = error.subject();
    const std::string& detail = error.detail();
    const std::string& field = error.field();
    switch (error.problem()) {
    case Problem::NotANumber:
        return "'" + s + "' is not a floating-point number";
    case Problem::NotAnInteger:
        return "'" + s + "' is not a valid integer";
    case Problem::FileUnreadable:
        return "cannot open file " + s;
    case Problem::FileNotCreated:
        return "cannot create file " + s + (detail.empty() ? "" : ": " + detail);
    case Problem::PrintFailed:
        return "printing on " + s + " failed";
    case Problem::DivisionByZero:
        return std::string(kDivisionByZeroMessage);
    case Problem::InvalidOperation:
        return std::string(kInvalidOperationMessage);
    case Problem::Overflow:
        return std::string(kOverflowMessage);
    case Problem::NoSuchSlot:
        return "there is no slot " + s + " (0.." + detail + ")";
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
    case Problem::BadData: {
        // A fault of the default data's text, or a data file's own words.
        std::string data = dataProblemText(error);
        return data.empty() ? detail : data;
    }
    case Problem::NotADesignObject:
        return "expected a design object";
    case Problem::NotARequirementObject:
        return "expected a requirement object";
    case Problem::UnknownKey:
        return "unknown key \"" + field + "\"";
    case Problem::DuplicateKey:
        return "duplicate key \"" + field + "\"";
    case Problem::MissingKey:
        return field + ": missing";
    case Problem::ExpectedNumber:
    case Problem::ExpectedInteger:
    case Problem::Expected32BitInteger:
    case Problem::ExpectedFlag:
    case Problem::ExpectedHookType:
    case Problem::ExpectedToleranceGrade:
    case Problem::ExpectedIntegerArray:
    case Problem::ExpectedText:
    case Problem::ExpectedObjective:
    case Problem::ExpectedDesignBasis:
    case Problem::ExpectedPositiveOrNull:
        return field + ": expected " + std::string(expectedValue(error.problem()));
    case Problem::MaterialOutsideLibrary:
        return field + " " + s + " is outside the material library (0.." + detail + ")";
    case Problem::DiameterOutsideList:
        return field + " " + s + " is outside the diameter list of material " + detail;
    case Problem::RequirementUnsearchable:
        return "the requirement cannot be searched";
    default:
        break;
    }
    // The rest are JSON syntax faults, in the file the field names, if any.
    return (field.empty() ? "" : field + ": ") + "JSON: " + syntaxFault(error) + " at byte " + s;
}

std::string requirementProblemText(const RequirementProblem& p) {
    const std::string field(p.field);
    const auto numberText = [](double value) { return formatGeneral(value, 15); };
    switch (p.code) {
    case RequirementProblemCode::NotANumber:
        return field + ": expected a finite number";
    case RequirementProblemCode::NotAboveZero:
        return field + " must be above 0";
    case RequirementProblemCode::Length1NotBelowLength2:
        return "length1 must be below length2";
    case RequirementProblemCode::Load1NotBelowLoad2:
        return "load1 must be below load2";
    case RequirementProblemCode::ToleranceOutOfRange:
        return "loadTolerance must lie above 0 and below 100 (per cent)";
    case RequirementProblemCode::GradeOutOfRange:
        return "toleranceGrade must be 0, 1, 2 or 3";
    case RequirementProblemCode::LifeClassOutOfRange:
        return "requiredLifeClass must lie within 0.." + std::to_string(kMaxRequiredLifeClass);
    case RequirementProblemCode::StepOutOfRange:
        return "diameterStep must lie within " + numberText(kMinDiameterStep) + ".." +
               numberText(kMaxDiameterStep) + " mm";
    case RequirementProblemCode::CountOutOfRange:
        return "count must lie within 1.." + std::to_string(kMaxCandidateCount);
    case RequirementProblemCode::MaterialNotListed:
        return "materials: " + std::to_string(p.value) + " is not a material of the lists";
    case RequirementProblemCode::KindOutOfRange:
        return "kinds: " + std::to_string(p.value) + " is outside 0..9";
    case RequirementProblemCode::NoMaterial:
        return "no material of the library to search";
    case RequirementProblemCode::HookAngleNotDrawable:
        return "hookAngle must lie within 0..180 degrees: the hook cannot be drawn";
    }
    return "the requirement cannot be searched";
}

std::string modelFailureText(const ModelWriteFailure& problem) {
    switch (problem.failure) {
    case ModelFailure::WriterMissing:
        return std::string("the STEP writer ") + kModelModuleName + " was not found beside " +
               problem.detail;
    case ModelFailure::BendNotDrawn:
        return "the hook's bend could not be drawn on the coil";
    case ModelFailure::CentreLineBroken:
        return "the wire's centre line does not join up";
    case ModelFailure::SweepFailed:
        return "the wire could not be swept along its centre line";
    case ModelFailure::SolidInvalid:
        return "the swept solid is not valid";
    case ModelFailure::NotOneSolid:
        return "the sweep did not give one solid";
    case ModelFailure::VolumeWrong:
        return "the swept solid does not hold the wire's volume";
    case ModelFailure::NotTransferred:
        return "the solid could not be put into STEP";
    case ModelFailure::NotWritten:
        return "the STEP file could not be written";
    case ModelFailure::ModellerFailed:
        return "OpenCASCADE failed: " + problem.detail;
    case ModelFailure::Unexpected:
        break;
    }
    return problem.detail;
}

std::string failureText(const std::exception& failure) {
    if (const auto* error = dynamic_cast<const Error*>(&failure))
        return problemText(*error);
    return failure.what();
}

} // namespace hspring::cli
