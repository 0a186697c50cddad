// hspring-cli calc: calculates the designs of a JSON text (standard input without --input) with
// the material library and coefficients of the given files, by default the ones next to the
// executable, and writes the results as JSON to standard output.

#include "base/error.h"
#include "calc/design_batch.h"
#include "calc/design_json.h"
#include "calc/program_start.h"
#include "cli/command_line.h"
#include "cli/commands.h"

#include <cstdio>
#include <iostream>
#include <memory>

namespace hspring::cli {

namespace {

struct CalcOptions {
    std::string materials;
    std::string settings;
    std::string input;
};

int runCalc(const CLI::App& command, const CalcOptions& options) {
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
    const int failed = calculateDesignsJson(
        input, state.materials, state.settings.coefficients,
        [](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), stdout); });
    if (std::fflush(stdout) != 0) {
        std::cerr << "hspring-cli calc: cannot write the results\n";
        return kUsage;
    }
    return failed == 0 ? kDone : kFailed;
}

} // namespace

void addCalcCommand(CLI::App& tool) {
    Command& command = addCommand(
        tool, "calc", "calculate designs given as JSON, write the results as JSON",
        "calc [--materials FILE.dst] [--settings FILE] [--input FILE.json]",
        "Calculates spring designs given as JSON (one object, or an array of objects, whose keys\n"
        "are the design record's field names; missing keys take the start values) and writes\n"
        "every field of each calculated design, the initial-tension range, the stress\n"
        "coefficients, the expected life, the check lines, the recommended values and the\n"
        "extra results (hook stresses and life, natural frequency, masses, SI values) as JSON.\n"
        "Every key and its unit is listed after the options.\n",
        "0 all designs calculated, 1 a design failed (its place holds {\"error\": ...}),\n"
        "2 usage error or unreadable data file.");
    command.reference = kDesignJsonKeysHelp;
    auto options = std::make_shared<CalcOptions>();
    CLI::App& app = *command.app;
    addTextOption(app, "--materials", options->materials, "FILE",
                  std::string("material data file (default: ") + kMaterialFileName +
                      " next to hspring-cli)");
    addTextOption(app, "--settings", options->settings, "FILE",
                  "settings file with the design coefficients\n(default: the one next to "
                  "hspring-cli)");
    addTextOption(app, "--input", options->input, "FILE", "the designs (default: standard input)");
    command.run = [&app, options] { return runCalc(app, *options); };
}

} // namespace hspring::cli
