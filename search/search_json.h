// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"
#include "calc/design_batch.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "search/design_search.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hspring {

// One requirement read from JSON, or why it could not be read: a problem of its JSON, or one the
// requirement's check found.
struct RequirementRequest {
    DesignRequirement requirement; // meaningful when it failed neither way
    std::optional<Error> error;
    std::optional<RequirementProblem> rejected;

    bool failed() const { return error || rejected; }
};

// The requirements of one JSON text, in input order.
struct RequirementRequests {
    std::vector<RequirementRequest> requirements;
    bool wasArray = false; // the text was an array; the answer is one too
};

// Reads one JSON object, or an array of objects, whose keys are those of RequirementKey. length1,
// load1, length2 and load2 must be given; every other key may be left out (a limit may also be
// null) and takes the default of DesignRequirement. An unknown key, a value of the wrong type, a
// duplicate key, an element that is not an object and a requirement checkRequirement rejects fail
// that requirement alone. A syntax error fails the whole text: one failed requirement, wasArray
// false.
RequirementRequests readRequirementsJson(std::string_view text, const MaterialLibrary& library);

// The words for the problems of a requirement: those of its JSON and of its check.
class RequirementWording : public ProblemWording {
public:
    virtual std::string requirementProblem(const RequirementProblem& problem) const = 0;
};

// Searches every requirement of a JSON text and writes the answer: for each requirement the array
// of its candidates, best first, each the calc command's result object of the design with "rank"
// first and "search" last (what ranks it), or, when nothing is feasible, an object that says why
// (the tool's help of the search command lists its keys), or {"error": message} in its place. An
// array of requirements is answered with an array of such answers. The search uses up to `threads`
// threads (0: every core). Returns how many requirements failed. The answers' lines and texts are
// in `words`, the problems of the requirements that fail in `problems`.
int searchDesignsJson(std::string_view input, const MaterialLibrary& library,
                      const CoefficientSet& coefficients, const Wording& words,
                      const RequirementWording& problems, const TextSink& write, int threads = 0);

// The unit of a requirement key's value in kgf units ("mm", "kgf", "%"; "" for none), from the
// table the reader reads.
std::string_view requirementKeyUnit(RequirementKey key);

} // namespace hspring
