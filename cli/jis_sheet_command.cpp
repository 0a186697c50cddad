// SPDX-License-Identifier: GPL-3.0-or-later
// hspring-cli jis-sheet: the JIS sheet (仕様書（JIS形式）) of one design as a one-page PDF, drawn
// by the same routine as the main window's menu item, for a spring maker to order from.

#include "base/error.h"
#include "base/file_io.h"
#include "calc/design_json.h"
#include "calc/design_refusal.h"
#include "calc/design_result.h"
#include "calc/design_sources.h"
#include "calc/units_json.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_verdict.h"
#include "cli/units_option.h"
#include "printing/painting/jis_sheet_painting.h"
#include "startup/program_start.h"
#include "wording/japanese.h"

#include <filesystem>
#include <iostream>
#include <optional>

namespace hspring::cli {

namespace {

struct JisSheetOptions {
    SheetSourceOptions source;
    std::string hook;
    std::string titleBlock;
    std::string hookPosition;
    bool rateTolerance = false;
    bool allowFailing = false;
    DataFileOptions dataFiles;
    UnitsOption units; // of the JSON design; the sheet prints N
};

// The name the sheet's footer gives its source; standard input ("-") has none.
std::string fileNameOf(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return name == "-" ? std::string() : name;
}

int runJisSheet(const CLI::App& app, const JisSheetOptions& options) {
    const DocumentDesign chosen = readDocumentDesign(app, options.source, options.hook,
                                                     options.dataFiles, chosenUnits(options.units));
    const ProgramState& state = *chosen.start.state;
    if (!documentAllowed("jis-sheet", chosen.result, options.allowFailing, std::cerr))
        return kFailed;
    JisSheetSubject subject;
    subject.design = chosen.design;
    subject.hookType = chosen.hookType;
    subject.toleranceGrade = chosen.toleranceGrade;
    subject.inputs = chosen.inputs;
    subject.concerns = concernLines(chosen.result);
    subject.titleBlock = chosen.titleBlock;
    if (chosen.source.hbd)
        subject.fileName = fileNameOf(*chosen.source.hbd);
    else if (chosen.source.input)
        subject.fileName = fileNameOf(*chosen.source.input);
    if (app.count("--title-block")) {
        const std::vector<std::byte> bytes = readFileBytes(options.titleBlock);
        subject.titleBlock = titleBlockFromJson(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
    if (app.count("--hook-position"))
        subject.titleBlock.hookPosition = options.hookPosition;
    subject.leftHanded = options.source.leftHanded;
    subject.rateTolerance = options.rateTolerance || subject.titleBlock.rateTolerance;
    writeJisSheetPdf(
        options.source.output,
        jisSheetTexts(subject, state.materials, chosen.coefficients, japaneseWording()),
        jisSheetFigure(subject));
    return kDone;
}

} // namespace

void addJisSheetCommand(Tool& tool) {
    Command& command = tool.addCommand(
        "jis-sheet", "write the JIS sheet of a design (figure, items, title block) as a PDF",
        "jis-sheet [--hbd FILE.hbd [--slot N] [--hook round|u] | --input FILE.json]\n"
        "                         [--left-handed] [--title-block FILE.json]\n"
        "                         [--hook-position TEXT] [--rate-tolerance] [--allow-failing]\n"
        "                         [--materials FILE.dst] [--settings FILE] -o FILE.pdf",
        "Writes the JIS sheet (仕様書（JIS形式）) of one design as a one-page A4 PDF: the spring\n"
        "drawn from its own outline with its free length, outer diameter and hook dimensions,\n"
        "the items table a spring maker orders from (loads and stresses in N from 9.80665) and\n"
        "the title block. The PDF's title is the part name (else material, d, D and N), its\n"
        "author the designer. The title block is read from FILE.jis-sheet.json beside the\n"
        "calculation file, where the program keeps it, or from --title-block: a JSON object with\n"
        "the strings partName, partNumber, drawingNumber, designer, checker, approver, date,\n"
        "revision, scale (empty: 非比例, not to scale), hookPosition (empty: 同一平面, the hooks\n"
        "in one plane), surfaceTreatment, remarks. With the loads given tolerances, the free\n"
        "length and the total turns are reference values (参考) and the rate has a tolerance\n"
        "only with --rate-tolerance. A text too long for its place moves into the notes. A\n"
        "design that breaks a design rule or has a warning gets no sheet: the reasons go to\n"
        "standard error and the status is 1, unless --allow-failing writes it with them at\n"
        "the head of the notes.\n",
        "the design cannot be calculated, breaks a rule or has a warning (without\n"
        "     --allow-failing), or the sheet cannot be written");
    auto options = std::make_shared<JisSheetOptions>();
    CLI::App& app = *command.app;
    addSheetSourceOptions(
        app, options->source,
        "without --hbd: one design as JSON, as the calc command\nreads it, hookType "
        "included (default: standard input);\nit is calculated first");
    addTextOption(app, "--hook", options->hook, "TYPE",
                  "with --hbd: round (the default) or u; the file does not\nkeep the hook type");
    addTextOption(app, "--title-block", options->titleBlock, "FILE",
                  "the title block as JSON, instead of the one kept beside\nthe calculation file");
    addTextOption(
        app, "--hook-position", options->hookPosition, "TEXT",
        "how the hooks stand to each other: 同一平面 (the default),\n90° or another angle");
    app.add_flag("--rate-tolerance", options->rateTolerance,
                 "give the spring rate its tolerance (specified only where\nspecially needed)");
    addAllowFailingOption(app, options->allowFailing,
                          "write the sheet even when the design breaks a rule or has\na warning, "
                          "and list them at the head of the notes");
    addDataFileOptions(app, options->dataFiles);
    addUnitsOption(app, options->units);
    addTextOption(app, "-o", options->source.output, "FILE.pdf",
                  "the PDF to write (replaced only by a complete new file)");
    command.paints = true;
    command.run = [&app, options] { return runJisSheet(app, *options); };
}

} // namespace hspring::cli
