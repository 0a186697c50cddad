// SPDX-License-Identifier: GPL-3.0-or-later
// hspring-cli sheet: the spring data sheet of one design as a one-page PDF, drawn by the same
// routine as the sheet window and its "プリント" button, for the documentation and machines
// without a printer.

#include "base/error.h"
#include "calc/design_sources.h"
#include "calc/units_json.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_verdict.h"
#include "cli/units_option.h"
#include "data/calculation_file.h"
#include "printing/painting/data_sheet_painting.h"
#include "startup/program_start.h"
#include "wording/japanese.h"

#include <iostream>
#include <optional>

namespace hspring::cli {

namespace {

struct SheetOptions {
    SheetSourceOptions source;
    DataFileOptions dataFiles;
    bool allowFailing = false;
    UnitsOption units; // of the JSON design; the sheet's own columns are fixed
};

int runSheet(const CLI::App& app, const SheetOptions& options) {
    const SheetSource source = chosenSheetSource(app, options.source);
    const std::optional<std::string>& hbd = source.hbd;
    const UnitSystem units = chosenUnits(options.units);

    // The data is read before anything is drawn, so that a missing file is a problem of the
    // command line, not a half-done job. The coefficients judge a stored slot too.
    const DataFiles files = chosenDataFiles(app, options.dataFiles, true);
    ProgramStart start;
    try {
        start = startProgram(files, MissingDataFile::Fail);
    } catch (const Error& error) {
        return cannotRun(app, error);
    }

    const ProgramState& state = *start.state;
    SpringDesign design{};
    DesignResult result;
    if (hbd) {
        // The sheet shows the slot as stored; its verdict is that of the slot calculated again.
        design = designFromCalculationFile(*hbd, source.slot);
        result = evaluateDesign(design, state.materials, state.settings.coefficients);
    } else {
        result = evaluateRequest(singleDesignFromJson(jsonInUnits(readInputText(source.input),
                                                                  units, UnitSystem::Gravitational),
                                                      state.materials),
                                 state.materials, state.settings.coefficients);
        design = result.design;
    }
    if (!documentAllowed("sheet", result, options.allowFailing, std::cerr))
        return kFailed;
    DataSheetTexts texts = dataSheetTexts(design, state.materials, options.source.leftHanded);
    texts.concerns = concernLines(result);
    writeDataSheetPdf(options.source.output, texts);
    return kDone;
}

} // namespace

void addSheetCommand(Tool& tool) {
    Command& command = tool.addCommand(
        "sheet", "write the spring data sheet of a design as a one-page PDF",
        "sheet [--hbd FILE.hbd [--slot N] | --input FILE.json] [--left-handed]\n"
        "                         [--allow-failing] [--materials FILE.dst] [--settings FILE]\n"
        "                         -o FILE.pdf",
        "Writes the spring data sheet (要目表) of one design as a one-page A4 PDF, exactly as the\n"
        "sheet's \"プリント\" button prints it. The main window's screen print (\"画面印刷\") is\n"
        "made by the program itself: hspring --print-main-window FILE.pdf. A design that breaks\n"
        "a design rule or has a warning gets no sheet: the reasons go to standard error and\n"
        "the status is 1, unless --allow-failing writes it with them printed under the table.\n",
        "the design cannot be calculated, breaks a rule or has a warning (without\n"
        "     --allow-failing), or the sheet cannot be written");
    auto options = std::make_shared<SheetOptions>();
    CLI::App& app = *command.app;
    addSheetSourceOptions(
        app, options->source,
        "without --hbd: one design as JSON, as the calc command\nreads it (default: "
        "standard input); it is calculated\nbefore it is printed");
    addAllowFailingOption(app, options->allowFailing,
                          "write the sheet even when the design breaks a rule or has\na warning, "
                          "and list them under the table");
    addDataFileOptions(app, options->dataFiles);
    addUnitsOption(app, options->units);
    addTextOption(app, "-o", options->source.output, "FILE.pdf",
                  "the PDF to write (replaced only by a complete new file)");
    command.paints = true;
    command.run = [&app, options] { return runSheet(app, *options); };
}

} // namespace hspring::cli
