// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_result.h"

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace hspring::cli {

// The document commands (sheet, jis-sheet, model) make no document of a design that breaks a
// design rule or has a warning, unless --allow-failing asks for it; the page then names them.

inline constexpr std::string_view kAllowFailingOption = "--allow-failing";

// Declares --allow-failing on `app`, described by `help`.
void addAllowFailingOption(CLI::App& app, bool& allowFailing, const std::string& help);

// The broken rules and the warnings of a result in the tool's words, one a line: "error: ..."
// for a rule, "warning: ..." for a warning. Empty for a design without concerns.
std::vector<std::string> concernTexts(const DesignResult& result);

// Whether the command may write its document of `result`: yes for a design without concerns and
// with --allow-failing; otherwise it says on `err` why it writes nothing, a line per concern.
bool documentAllowed(std::string_view command, const DesignResult& result, bool allowFailing,
                     std::ostream& err);

} // namespace hspring::cli
