// SPDX-License-Identifier: GPL-3.0-or-later
// hspring-cli calc: calculates the designs of a JSON text (standard input without --input) with
// the material library and coefficients of the given files, by default the ones next to the
// executable, and writes the results as JSON to standard output.

#include "base/error.h"
#include "calc/design_batch.h"
#include "calc/design_json.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/key_help.h"
#include "cli/problem_text.h"
#include "cli/units_option.h"
#include "startup/program_start.h"
#include "wording/japanese.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

namespace hspring::cli {

namespace {

struct CalcOptions {
    JsonCommandOptions json;
    std::string keys;
    UnitsOption units;
};

// The keys --keys names; a name that is no output key is a usage error.
std::optional<DesignKeySelection> chosenKeys(const CLI::App& app, const std::string& list) {
    if (!app.count("--keys"))
        return std::nullopt;
    std::string unknown;
    std::optional<DesignKeySelection> keys = DesignKeySelection::fromList(list, unknown);
    if (!keys)
        throw UsageError("--keys: \"" + unknown + "\" is no output key");
    return keys;
}

} // namespace

void addCalcCommand(Tool& tool) {
    Command& command = tool.addCommand(
        "calc", "calculate designs given as JSON, write the results as JSON",
        "calc [--materials FILE.dst] [--settings FILE] [--input FILE.json] [--keys KEY,...]",
        "Calculates spring designs given as JSON (one object, or an array of objects, whose keys\n"
        "are the design record's field names; missing keys take the start values) and writes\n"
        "every field of each calculated design, the initial-tension range, the stress\n"
        "coefficients, the expected life, the check lines, the recommended values and the\n"
        "extra results (hook stresses and life, natural frequency, masses, SI values) as JSON.\n"
        "Every key and its unit is listed after the options.\n",
        "a design cannot be calculated (its place in the answer holds\n"
        "     {\"error\": ...})");
    command.reference = designKeysHelp();
    auto options = std::make_shared<CalcOptions>();
    CLI::App& app = *command.app;
    addJsonCommandOptions(app, options->json, "the designs");
    addTextOption(app, "--keys", options->keys, "KEY,...",
                  "write only these output keys of each design (in the answer's order)");
    addUnitsOption(app, options->units);
    command.run = [&app, options] {
        const std::optional<DesignKeySelection> keys = chosenKeys(app, options->keys);
        const DesignKeySelection* chosen = keys ? &*keys : nullptr;
        return runJsonCommand(app, options->json,
                              inUnits(chosenUnits(options->units),
                                      [chosen](std::string_view input, const ProgramState& state,
                                               const std::function<void(std::string_view)>& write) {
                                          // The JSON answer keeps the windows' words for its lines.
                                          return calculateDesignsJson(
                                              input, state.materials, state.settings.coefficients,
                                              japaneseWording(), EnglishProblems(), write, 0,
                                              chosen);
                                      }));
    };
}

} // namespace hspring::cli
