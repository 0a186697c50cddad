// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_batch.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "search/design_search.h"

#include <string>
#include <string_view>
#include <vector>

namespace hspring {

// One requirement read from JSON, or why it could not be read.
struct RequirementRequest {
    DesignRequirement requirement; // meaningful when `error` is empty
    std::string error;
};

// The requirements of one JSON text, in input order.
struct RequirementRequests {
    std::vector<RequirementRequest> requirements;
    bool wasArray = false; // the text was an array; the answer is one too
};

// Reads one JSON object, or an array of objects, whose keys are those requirementJsonKeysHelp
// lists. length1, load1, length2 and load2 must be given; every other key may be left out (a
// limit may also be null) and takes the default of DesignRequirement. An unknown key, a value of
// the wrong type, a duplicate key, an element that is not an object and a requirement
// checkRequirement rejects fail that requirement alone. A syntax error fails the whole text: one
// failed requirement, wasArray false.
RequirementRequests readRequirementsJson(std::string_view text, const MaterialLibrary& library);

// The command line's English for a requirement's problem, naming its JSON key.
std::string requirementProblemText(const RequirementProblem& problem);

// Searches every requirement of a JSON text and writes the answer: for each requirement the array
// of its candidates, best first, each the calc command's result object of the design with "rank"
// first and "search" last (what ranks it), or, when nothing is feasible, an object that says why
// (see requirementJsonKeysHelp), or {"error": message} in its place. An array of requirements is
// answered with an array of such answers. The search uses up to `threads` threads (0: every
// core). Returns how many requirements failed. The answers' lines and texts are in `words`.
int searchDesignsJson(std::string_view input, const MaterialLibrary& library,
                      const CoefficientSet& coefficients, const Wording& words,
                      const TextSink& write, int threads = 0);

// What the keys of a requirement and of the search's answer mean, from the one table of keys the
// reader reads: the help text of the search command.
std::string requirementJsonKeysHelp(const Wording& wording);

} // namespace hspring
