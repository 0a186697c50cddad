// hspring-cli diagram: draws the fatigue-strength diagram for given stress coefficients into a
// PNG file, with the same routine as the main window, for reports and for checking the picture
// without a display.

#include "app/painting/fatigue_diagram.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "data/settings.h"

#include <iostream>
#include <memory>

namespace hspring::cli {

namespace {

struct DiagramOptions {
    std::string upper;
    std::string lower;
    std::string hookFactor;
    std::string output;
};

int runDiagram(const CLI::App& command, const DiagramOptions& options) {
    if (!command.count("--upper") || !command.count("--lower") || !command.count("-o"))
        throw UsageError("--upper, --lower and -o are required");
    const double upper = numberOption("--upper", options.upper);
    const double lower = numberOption("--lower", options.lower);
    const double hookFactor = command.count("--hook-factor")
                                  ? numberOption("--hook-factor", options.hookFactor)
                                  : customaryCoefficients().hookStressFactor;

    startPainting();
    const FatigueDiagramPicture picture = renderFatigueDiagram(upper, lower, hookFactor);
    writePngFile(options.output, picture.image);
    for (int i = 0; i < picture.overAreaNotices; ++i)
        std::cout << graphAreaOverNotice().toStdString() << "\n";
    return kDone;
}

} // namespace

void addDiagramCommand(CLI::App& tool) {
    Command& command = addCommand(
        tool, "diagram", "draw the fatigue-strength diagram as a PNG picture",
        "diagram --upper U --lower L [--hook-factor F] -o FILE.png",
        "Draws the fatigue-strength diagram (400 x 417 pixels) with the coil body's point\n"
        "(U = tau2/sigmaB, L = tau1/sigmaB) and the hook's point (both times F) and writes it as\n"
        "a PNG file. Every \"グラフエリアオーバー\" the program would add to its message list is\n"
        "printed on standard output.\n",
        "0 written, 1 the file could not be written, 2 usage error.");
    auto options = std::make_shared<DiagramOptions>();
    CLI::App& app = *command.app;
    addTextOption(app, "--upper", options->upper, "U", "upper stress coefficient tau2/sigmaB");
    addTextOption(app, "--lower", options->lower, "L", "lower stress coefficient tau1/sigmaB");
    addTextOption(app, "--hook-factor", options->hookFactor, "F",
                  "hook stress concentration factor (default: the customary 1.25)");
    addTextOption(app, "-o", options->output, "FILE.png",
                  "the picture to write; an existing file is replaced only\nwhen the new one is "
                  "complete");
    command.run = [&app, options] { return runDiagram(app, *options); };
}

} // namespace hspring::cli
