// SPDX-License-Identifier: GPL-3.0-or-later
// hspring-cli search: finds the best designs for the requirements of a JSON text (standard input
// without --input) with the material library and coefficients of the given files, by default the
// ones the program reads, and writes the candidates as JSON to standard output.

#include "base/error.h"
#include "calc/design_json.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/key_help.h"
#include "cli/problem_text.h"
#include "cli/units_option.h"
#include "search/search_json.h"
#include "wording/japanese.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>

namespace hspring::cli {

namespace {

// The keys of a calc answer, which every candidate has after its rank.
std::string_view candidateKeysHelp() {
    const std::string_view help = designKeysHelp();
    return help.substr(std::min(help.size(), help.find("Output keys of each design")));
}

int answerRequirements(std::string_view input, const ProgramState& state,
                       const std::function<void(std::string_view)>& write) {
    return searchDesignsJson(input, state.materials, state.settings.coefficients, japaneseWording(),
                             EnglishProblems(), write);
}

} // namespace

void addSearchCommand(Tool& tool) {
    Command& command = tool.addCommand(
        "search", "find the best designs for a requirement given as JSON",
        "search [--materials FILE.dst] [--settings FILE] [--input FILE.json]",
        "Finds the designs that meet a requirement (two working points, the room to fit, the life\n"
        "to reach) over every material, wire diameter, coil diameter and number of turns, and\n"
        "writes the best of them, best first, as JSON: for one requirement object an array of\n"
        "candidates, for an array of requirements an array of such answers. When no design meets\n"
        "the requirement, an object says why in place of the array. Every key of a requirement and "
        "of a candidate is listed\n"
        "after the options.\n",
        "a requirement could not be searched (its place in the answer holds\n"
        "     {\"error\": ...}); finding no design is no failure");
    static const std::string reference =
        requirementKeysHelp(japaneseWording()) + "\n" + std::string(candidateKeysHelp());
    command.reference = reference;
    struct SearchOptions {
        JsonCommandOptions json;
        UnitsOption units;
    };
    auto options = std::make_shared<SearchOptions>();
    CLI::App& app = *command.app;
    addJsonCommandOptions(app, options->json, "the requirements");
    addUnitsOption(app, options->units);
    command.run = [&app, options] {
        return runJsonCommand(app, options->json,
                              inUnits(chosenUnits(options->units), answerRequirements));
    };
}

} // namespace hspring::cli
