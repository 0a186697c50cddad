// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"
#include "data/library_consistency.h"

#include <string>

namespace hspring::cli {

// The English of a rule a material library breaks, naming the record: "record 3: entry 0:
// diameter 0 is not above 0".
std::string libraryInconsistencyText(const LibraryInconsistency& broken);

// The English of a fault of the default data's readable text, "line 7: unknown key 'young'", and
// of a library that breaks its rules (each on a line of its own); "" for any other error. The
// build's default-data tool words its faults with it, beside the tool's problemText.
std::string dataProblemText(const Error& error);

} // namespace hspring::cli
