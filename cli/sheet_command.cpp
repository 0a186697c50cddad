// SPDX-License-Identifier: GPL-3.0-or-later
// hspring-cli sheet: the spring data sheet of one design as a one-page PDF, drawn by the same
// routine as the sheet window and its "プリント" button, for the documentation and machines
// without a printer.

#include "base/error.h"
#include "calc/design_sources.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "data/calculation_file.h"
#include "printing/painting/data_sheet_painting.h"
#include "startup/program_start.h"

#include <optional>

namespace hspring::cli {

namespace {

struct SheetOptions {
    std::string hbd;
    std::string slot;
    std::string input;
    DataFileOptions dataFiles;
    bool leftHanded = false;
    std::string output;
};

template <typename Text>
std::optional<Text> given(const CLI::App& app, const char* option, const Text& text) {
    return app.count(option) ? std::optional(text) : std::nullopt;
}

int parseSlot(const std::string& text) {
    int slot = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9' || slot > kLastHistorySlot)
            throw UsageError("--slot takes a slot number 0..30, not " + text);
        slot = slot * 10 + (digit - '0');
    }
    if (text.empty() || slot > kLastHistorySlot)
        throw UsageError("--slot takes a slot number 0..30, not " + text);
    return slot;
}

int runSheet(const CLI::App& app, const SheetOptions& options) {
    const std::optional<std::string> hbd = given(app, "--hbd", options.hbd);
    const std::optional<std::string> input = given(app, "--input", options.input);
    // Slot 0, the current design, unless another is named.
    const bool slotGiven = app.count("--slot") > 0;
    const int slot = slotGiven ? parseSlot(options.slot) : 0;
    if (!app.count("-o"))
        throw UsageError("-o FILE.pdf is required");
    if (hbd && input)
        throw UsageError("--hbd and --input exclude each other");
    if (slotGiven && !hbd)
        throw UsageError("--slot needs --hbd");

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
    const SpringDesign design =
        hbd ? designFromCalculationFile(*hbd, slot)
            : calculatedDesignFromJson(readInputText(input), state.materials,
                                       state.settings.coefficients);
    writeDataSheetPdf(options.output, dataSheetTexts(design, state.materials, options.leftHanded));
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
        "0 printed, 1 the design or the printing failed, 2 usage error or unreadable\n"
        "data file.");
    auto options = std::make_shared<SheetOptions>();
    CLI::App& app = *command.app;
    addTextOption(app, "--hbd", options->hbd, "FILE",
                  "calculation file; the sheet shows slot N as it stands\n(no calculation)");
    addTextOption(app, "--slot", options->slot, "N",
                  "slot of the calculation file, 0..30 (default 0, the\ncurrent design)");
    addTextOption(app, "--input", options->input, "FILE",
                  "without --hbd: one design as JSON, as the calc command\nreads it (default: "
                  "standard input); it is calculated\nbefore it is printed");
    app.add_flag("--left-handed", options->leftHanded,
                 "coiling direction left (左); right (右) otherwise");
    addDataFileOptions(app, options->dataFiles);
    addTextOption(app, "-o", options->output, "FILE.pdf",
                  "the PDF to write (replaced only by a complete new file)");
    command.paints = true;
    command.run = [&app, options] { return runSheet(app, *options); };
}

} // namespace hspring::cli
