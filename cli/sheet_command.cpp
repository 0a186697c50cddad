// SPDX-License-Identifier: GPL-3.0-or-later
// hspring-cli sheet: the spring data sheet of one design as a one-page PDF, drawn by the same
// routine as the sheet window and its "プリント" button, for the documentation and machines
// without a printer.

#include "base/error.h"
#include "calc/design_sources.h"
#include "calc/units_json.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/units_option.h"
#include "data/calculation_file.h"
#include "printing/painting/data_sheet_painting.h"
#include "startup/program_start.h"

#include <optional>

namespace hspring::cli {

namespace {

struct SheetOptions {
    SheetSourceOptions source;
    DataFileOptions dataFiles;
    UnitsOption units; // of the JSON design; the sheet's own columns are fixed
};

int runSheet(const CLI::App& app, const SheetOptions& options) {
    const SheetSource source = chosenSheetSource(app, options.source);
    const std::optional<std::string>& hbd = source.hbd;
    const UnitSystem units = chosenUnits(options.units);

    // The data is read before anything is drawn, so that a missing file is a problem of the
    // command line, not a half-done job. Only a design calculated here needs the coefficients.
    const DataFiles files = chosenDataFiles(app, options.dataFiles, !hbd);
    ProgramStart start;
    try {
        start = startProgram(files, MissingDataFile::Fail);
    } catch (const Error& error) {
        return cannotRun(app, error);
    }

    const ProgramState& state = *start.state;
    SpringDesign design{};
    if (hbd) {
        design = designFromCalculationFile(*hbd, source.slot);
    } else {
        design = calculatedDesignFromJson(
            jsonInUnits(readInputText(source.input), units, UnitSystem::Gravitational),
            state.materials, state.settings.coefficients);
    }
    writeDataSheetPdf(options.source.output,
                      dataSheetTexts(design, state.materials, options.source.leftHanded));
    return kDone;
}

} // namespace

void addSheetCommand(Tool& tool) {
    Command& command = tool.addCommand(
        "sheet", "write the spring data sheet of a design as a one-page PDF",
        "sheet [--hbd FILE.hbd [--slot N] | --input FILE.json] [--left-handed]\n"
        "                         [--materials FILE.dst] [--settings FILE] -o FILE.pdf",
        "Writes the spring data sheet (要目表) of one design as a one-page A4 PDF, exactly as the\n"
        "sheet's \"プリント\" button prints it. The main window's screen print (\"画面印刷\") is\n"
        "made by the program itself: hspring --print-main-window FILE.pdf.\n",
        "the design cannot be calculated or the sheet not written");
    auto options = std::make_shared<SheetOptions>();
    CLI::App& app = *command.app;
    addSheetSourceOptions(
        app, options->source,
        "without --hbd: one design as JSON, as the calc command\nreads it (default: "
        "standard input); it is calculated\nbefore it is printed");
    addDataFileOptions(app, options->dataFiles);
    addUnitsOption(app, options->units);
    addTextOption(app, "-o", options->source.output, "FILE.pdf",
                  "the PDF to write (replaced only by a complete new file)");
    command.paints = true;
    command.run = [&app, options] { return runSheet(app, *options); };
}

} // namespace hspring::cli
