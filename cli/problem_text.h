// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"
#include "search/search_json.h"

#include <exception>
#include <string>
#include <string_view>

namespace hspring {
struct ModelWriteFailure;
}

namespace hspring::cli {

// The tool's English for every problem the core reports by code: its messages on standard error
// and the {"error": message} of its JSON answers. The one table of the tool's problem texts.
std::string problemText(const Error& error);

// A requirement the search's check rejects, naming its JSON key.
std::string requirementProblemText(const RequirementProblem& problem);

// Why a 3D model could not be made.
std::string modelFailureText(const ModelWriteFailure& problem);

// Any failure: an Error in the tool's words, anything else as it tells itself.
std::string failureText(const std::exception& failure);

// The texts of the three arithmetic faults.
inline constexpr std::string_view kDivisionByZeroMessage = "floating-point division by zero";
inline constexpr std::string_view kInvalidOperationMessage = "invalid floating-point operation";
inline constexpr std::string_view kOverflowMessage = "floating-point overflow";

// The words above, handed into the JSON answers of calc and search.
class EnglishProblems : public RequirementWording {
public:
    std::string problem(const Error& error) const override { return problemText(error); }
    std::string requirementProblem(const RequirementProblem& problem) const override {
        return requirementProblemText(problem);
    }
};

} // namespace hspring::cli
