// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace hspring {

// What went wrong, in no language: the core reports the problem, the field it concerns and the
// values it names; the layer that shows it words it (toolkit/windows/error_text.h in Japanese,
// the command-line tool in English).
enum class Problem {
    NotANumber,       // subject: the text that is no floating-point number
    NotAnInteger,     // subject: the text that is no integer
    FileUnreadable,   // subject: the path
    FileNotCreated,   // subject: the path; detail: the system's reason, if any
    PrintFailed,      // subject: the printer's name or the PDF file
    DivisionByZero,   // the three arithmetic faults that stop a calculation at their step
    InvalidOperation, //
    Overflow,         //
    NoSuchSlot,       // subject: the slot number asked for; detail: the last slot there is
    EmptySlot,        // subject: the slot number
    NotOneDesign,     // subject: how many designs the text held where one was needed
    TooManyTurns,     // subject: the most turns a drawing holds
    BadData,          // detail: what is wrong with a data file (its readers speak the tool's
                      // language, English, in either program)

    // A text that is not JSON (JsonSyntaxError): subject is the byte offset where it fails.
    JsonExpectedCharacter, // detail: the character expected
    JsonUnexpectedEnd,
    JsonUnexpectedCharacter,
    JsonTooDeep,
    JsonExpectedMemberName,
    JsonExpectedNumber,
    JsonExpectedFractionDigit,
    JsonExpectedExponentDigit,
    JsonNumberOutOfRange,
    JsonMalformedNumber,
    JsonExpectedString,
    JsonUnterminatedString,
    JsonControlCharacter,
    JsonShortEscape,
    JsonBadHexDigit,
    JsonUnterminatedEscape,
    JsonUnknownEscape,
    JsonLoneLowSurrogate,
    JsonLoneHighSurrogate,
    JsonInvalidUtf8,
    JsonExpectedBoolean,
    JsonExpectedNull,
    JsonTextAfterValue,

    // A JSON design or requirement that cannot be read: field() is the key it concerns.
    NotADesignObject,        // an element of the input is no object
    NotARequirementObject,   //
    UnknownKey,              // field: the key no design or requirement has
    DuplicateKey,            // field: the key given twice
    MissingKey,              // field: the required key left out
    ExpectedNumber,          // field: the key whose value is of the wrong kind
    ExpectedInteger,         //
    Expected32BitInteger,    //
    ExpectedFlag,            // 0, 1, true or false
    ExpectedHookType,        // a hook type's name
    ExpectedToleranceGrade,  // 0..detail, the last grade
    ExpectedIntegerArray,    //
    ExpectedText,            //
    ExpectedObjective,       // a search objective's name
    ExpectedDesignBasis,     // a design basis's name
    ExpectedPositiveOrNull,  // a positive finite number, or null for none
    MaterialOutsideLibrary,  // field materialIndex; subject: the index; detail: the last record
    DiameterOutsideList,     // field diameterIndex; subject: the index; detail: the material
    RequirementUnsearchable, // a requirement its check rejects was handed to the search

    // A design refused before it is calculated, drawn or written; subject: the field (its JSON
    // key) the refusal concerns.
    NotPositiveFinite,      // a count or dimension that is not a positive finite number
    NoInnerDiameter,        // a coil diameter that leaves an inner diameter of 0 or below
    ResultsOverflow,        // a value so large (or small) that the results overflow
    HookAngleNotDrawable,   // a round hook's angle outside 0..180 degrees
    UHookNotDrawable,       // a U hook whose bend, legs and U do not fit together
    NegativeInitialTension, // a hand-entered initial tension below 0
};

// Every failure the user must see is an Error. Window handlers catch it at their boundary and
// show errorText(error); the tool words it in English; the core never shows anything itself.
// what() names the problem by its number, for diagnostics only (a BadData error: its detail).
class Error : public std::runtime_error {
public:
    enum class Kind { Conversion, Arithmetic, File, Data, Refused };

    explicit Error(Problem problem, std::string subject = {}, std::string detail = {});

    Problem problem() const { return problem_; }
    Kind kind() const;
    // What the problem concerns: the text, path, printer or number named above.
    const std::string& subject() const { return subject_; }
    const std::string& detail() const { return detail_; }
    // The field it concerns: a JSON key, or the file a JSON text came from; "" for none.
    const std::string& field() const { return field_; }
    Error& inField(std::string field) {
        field_ = std::move(field);
        return *this;
    }

private:
    Problem problem_;
    std::string subject_;
    std::string detail_;
    std::string field_;
};

// A reading problem in a field (see Problem for what subject and detail hold).
Error fieldError(Problem problem, std::string_view field, std::string subject = {},
                 std::string detail = {});

// The words for what an Error reports, handed into the core's JSON answers by the layer that
// shows them (the tool's English is in cli/).
class ProblemWording {
public:
    virtual ~ProblemWording() = default;
    virtual std::string problem(const Error& error) const = 0;
};

Error conversionError(std::string_view text);
Error integerConversionError(std::string_view text);
Error fileOpenError(std::string_view path);
Error fileCreateError(std::string_view path, std::string_view reason);
Error printJobError(std::string_view printerName);

} // namespace hspring
