// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/wording.h"

#include <string>
#include <vector>

namespace hspring::cli {

// The tool's English for the keys of a design and of a requirement: what each means, with the
// unit the core's key tables give it. The calc and search commands list them after their options.

// The input and output keys of a design (the calc command's help), in the answer's order.
const std::string& designKeysHelp();

// The keys of a requirement and what the search answers (the search command's help); the life
// classes it names in `words`.
std::string requirementKeysHelp(const Wording& words);

// Where the help of the design keys and the core's key list disagree: a key without help, help
// of a key there is not, an input line for a key that is only written, a line that does not name
// the key's unit from the core's table (or names one the key has not), a key joined to the line
// of a key of another unit. Empty when they agree.
std::vector<std::string> designKeyHelpFaults();

} // namespace hspring::cli
