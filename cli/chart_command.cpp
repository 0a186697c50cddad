// SPDX-License-Identifier: GPL-3.0-or-later
// hspring-cli chart: the load–length chart of one design given as JSON, as a PNG or SVG picture.

#include "base/error.h"
#include "calc/design_caption.h"
#include "calc/design_result.h"
#include "calc/design_sources.h"
#include "calc/units_json.h"
#include "chart/painting/load_length_chart_painting.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/units_option.h"
#include "startup/program_start.h"
#include "toolkit/painting/picture_files.h"
#include "toolkit/painting/utf8_text.h"
#include "wording/japanese.h"

#include <memory>

namespace hspring::cli {

namespace {

struct ChartOptions {
    std::string input;
    DataFileOptions dataFiles;
    std::string output;
    UnitsOption units;
};

int runChart(const CLI::App& app, const ChartOptions& options) {
    if (!app.count("-o"))
        throw UsageError("-o FILE.png|FILE.svg is required");
    const UnitSystem units = chosenUnits(options.units);
    ProgramStart start;
    std::string text;
    try {
        start = startProgram(chosenDataFiles(app, options.dataFiles, true), MissingDataFile::Fail);
        text = readInputText(app.count("--input") ? std::optional(options.input) : std::nullopt);
    } catch (const Error& error) {
        return cannotRun(app, error);
    }
    const ProgramState& state = *start.state;
    const DesignRequest request =
        singleDesignFromJson(jsonInUnits(text, units, UnitSystem::Gravitational), state.materials);
    const DesignResult result =
        evaluateRequest(request, state.materials, state.settings.coefficients);
    const LoadLengthChart chart = hspring::inUnits(loadLengthChart(result), units);

    // The picture says which design it shows, in a caption line below it.
    const QSize size(kLoadLengthChartWidth, kLoadLengthChartHeight);
    const QString caption = utf8Text(kLoadLengthChartTitle) + QStringLiteral("  ") +
                            QString::fromStdString(designCaption(result.design, state.materials));
    const auto paint =
        withCaption(size, caption, [&](QPainter& painter) { drawLoadLengthChart(painter, chart); });
    if (pictureFormatOf(options.output) == PictureFormat::Svg)
        writeSvgFile(options.output, captionedSize(size, caption), utf8Text(kLoadLengthChartTitle),
                     paint);
    else
        writePngFile(options.output, renderScaledPicture(captionedSize(size, caption), 1, paint));
    return kDone;
}

} // namespace

void addChartCommand(Tool& tool) {
    Command& command = tool.addCommand(
        "chart", "draw the load-length chart of a design as a PNG or SVG picture",
        "chart [--input FILE.json] [--materials FILE.dst] [--settings FILE]\n"
        "         (-o FILE.png|FILE.svg | -o - [--format png|svg])",
        "Calculates one design given as JSON, as the calc command reads it (its hookType and\n"
        "toleranceGrade included), and draws its load against its length from the free length\n"
        "(the initial tension) to the recommended maximum length: the design's line with the\n"
        "band of its production tolerance at the grade, the two working points with their\n"
        "tolerance bars, and the maximum loads of the coil and of the hooks as dashed lines.\n"
        "An SVG file (FILE ends in .svg) keeps lines and texts as such; any other name is a\n"
        "PNG of 560 x 400 pixels.\n",
        "the design cannot be calculated or the picture not written");
    auto options = std::make_shared<ChartOptions>();
    CLI::App& app = *command.app;
    addUnitsOption(app, options->units);
    addTextOption(app, "--input", options->input, "FILE",
                  "one design as JSON (default: standard input)");
    addDataFileOptions(app, options->dataFiles);
    addTextOption(app, "-o", options->output, "FILE",
                  "the picture to write, SVG for a name ending in .svg and\nPNG otherwise; an "
                  "existing file is replaced only when\nthe new one is complete");
    command.paints = true;
    command.run = [&app, options] { return runChart(app, *options); };
}

} // namespace hspring::cli
