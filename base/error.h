// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace hspring {

// What went wrong, in no language: the core reports the problem and what it concerns; the window
// that shows it words it in Japanese (toolkit/windows/error_text.h), the command-line tool in
// English (what()).
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
    BadData,          // detail: what is wrong with a data file or a JSON text (its readers
                      // speak the tool's language, English, in either program)
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
// show errorText(error); the tool writes what(); the core never shows anything itself.
class Error : public std::runtime_error {
public:
    enum class Kind { Conversion, Arithmetic, File, Data, Refused };

    explicit Error(Problem problem, std::string subject = {}, std::string detail = {});

    Problem problem() const { return problem_; }
    Kind kind() const;
    // What the problem concerns: the text, path, printer or number named above.
    const std::string& subject() const { return subject_; }
    const std::string& detail() const { return detail_; }

private:
    Problem problem_;
    std::string subject_;
    std::string detail_;
};

// The English text of a problem: what() of its Error.
std::string englishMessage(Problem problem, std::string_view subject, std::string_view detail);

Error conversionError(std::string_view text);
Error integerConversionError(std::string_view text);
Error fileOpenError(std::string_view path);
Error fileCreateError(std::string_view path, std::string_view reason);
Error printJobError(std::string_view printerName);

// The English texts of the three arithmetic faults, as what() gives them.
inline constexpr std::string_view kDivisionByZeroMessage = "floating-point division by zero";
inline constexpr std::string_view kInvalidOperationMessage = "invalid floating-point operation";
inline constexpr std::string_view kOverflowMessage = "floating-point overflow";

} // namespace hspring
