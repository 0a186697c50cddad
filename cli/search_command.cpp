// hspring-cli search: finds the best designs for the requirements of a JSON text (standard input
// without --input) with the material library and coefficients of the given files, by default the
// ones the program reads, and writes the candidates as JSON to standard output.

#include "base/error.h"
#include "calc/design_json.h"
#include "calc/search_json.h"
#include "cli/command_line.h"
#include "cli/commands.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>

namespace hspring::cli {

namespace {

struct SearchOptions {
    std::string materials;
    std::string settings;
    std::string input;
};

// The keys of a calc answer, which every candidate has after its rank.
std::string_view candidateKeysHelp() {
    const std::string_view help = kDesignJsonKeysHelp;
    return help.substr(std::min(help.size(), help.find("Output keys of each design")));
}

int runSearch(const CLI::App& command, const SearchOptions& options) {
    const DataFiles defaults = defaultDataFiles();
    const DataFiles files{command.count("--materials") ? std::filesystem::path(options.materials)
                                                       : defaults.materials,
                          command.count("--settings") ? std::filesystem::path(options.settings)
                                                      : *defaults.settings};
    ProgramStart start;
    std::string input;
    try {
        start = startProgram(files, MissingDataFile::Fail);
        input =
            readInputText(command.count("--input") ? std::optional(options.input) : std::nullopt);
    } catch (const Error& error) {
        return cannotRun(command, error);
    }

    const ProgramState& state = *start.state;
    const int failed = searchDesignsJson(
        input, state.materials, state.settings.coefficients,
        [](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), stdout); });
    if (std::fflush(stdout) != 0) {
        std::cerr << "hspring-cli search: cannot write the results\n";
        return kUsage;
    }
    return failed == 0 ? kDone : kFailed;
}

} // namespace

void addSearchCommand(CLI::App& tool) {
    Command& command = addCommand(
        tool, "search", "find the best designs for a requirement given as JSON",
        "search [--materials FILE.dst] [--settings FILE] [--input FILE.json]",
        "Finds the designs that meet a requirement (two working points, the room to fit, the life\n"
        "to reach) over every material, wire diameter, coil diameter and number of turns, and\n"
        "writes the best of them, best first, as JSON: for one requirement object an array of\n"
        "candidates, for an array of requirements an array of such arrays. An empty array: no\n"
        "design meets the requirement. Every key of a requirement and of a candidate is listed\n"
        "after the options.\n",
        "0 every requirement searched (an empty array included), 1 a requirement could not be\n"
        "searched (its place holds {\"error\": ...}), 2 usage error or unreadable data file.");
    static const std::string reference =
        std::string(kRequirementJsonKeysHelp) + "\n" + std::string(candidateKeysHelp());
    command.reference = reference;
    auto options = std::make_shared<SearchOptions>();
    CLI::App& app = *command.app;
    addTextOption(app, "--materials", options->materials, "FILE",
                  std::string("material data file (default: ") + kMaterialFileName +
                      " next to hspring-cli)");
    addTextOption(app, "--settings", options->settings, "FILE",
                  "settings file with the design coefficients\n(default: the one next to "
                  "hspring-cli)");
    addTextOption(app, "--input", options->input, "FILE",
                  "the requirements (default: standard input)");
    command.run = [&app, options] { return runSearch(app, *options); };
}

} // namespace hspring::cli
