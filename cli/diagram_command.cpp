// SPDX-License-Identifier: GPL-3.0-or-later
// hspring-cli diagram: draws the fatigue-strength diagram for given stress coefficients into a
// PNG or SVG file, with the same routine as the main window, for reports and for checking the
// picture without a display.

#include "cli/command_line.h"
#include "cli/commands.h"
#include "data/settings.h"
#include "diagram/painting/fatigue_diagram.h"
#include "toolkit/painting/picture_files.h"
#include "toolkit/painting/utf8_text.h"
#include "wording/japanese.h"

#include <iostream>
#include <memory>

namespace hspring::cli {

namespace {

struct DiagramOptions {
    std::string upper;
    std::string lower;
    std::string hookFactor;
    std::string scale;
    std::string caption;
    std::string output;
};

} // namespace

int pictureScale(const CLI::App& command, const std::string& text) {
    if (!command.count("--scale"))
        return 1;
    const double scale = numberOption("--scale", text);
    if (scale != static_cast<int>(scale) || scale < 1 || scale > kLargestPictureScale)
        throw UsageError("--scale takes a whole number 1.." + std::to_string(kLargestPictureScale) +
                         ", not " + text);
    return static_cast<int>(scale);
}

namespace {

int runDiagram(const CLI::App& command, const DiagramOptions& options) {
    if (!command.count("--upper") || !command.count("--lower") || !command.count("-o"))
        throw UsageError("--upper, --lower and -o are required");
    const double upper = numberOption("--upper", options.upper);
    const double lower = numberOption("--lower", options.lower);
    const double hookFactor = command.count("--hook-factor")
                                  ? numberOption("--hook-factor", options.hookFactor)
                                  : customaryCoefficients().hookStressFactor;
    const int scale = pictureScale(command, options.scale);

    // With --caption the picture names what it shows in a line below it, as the window's does.
    const QString caption = QString::fromStdString(options.caption);
    const QSize size{kFatigueDiagramWidth, kFatigueDiagramHeight};
    int notices = 0;
    const auto paint = [&](QPainter& painter) {
        notices = drawFatigueDiagram(painter, upper, lower, hookFactor, DiagramStrokes::Vectors);
    };
    if (pictureFormatOf(options.output) == PictureFormat::Svg) {
        writeSvgFile(options.output, captionedSize(size, caption), utf8Text(kFatigueDiagramTitle),
                     withCaption(size, caption, paint));
    } else if (scale > 1 || !caption.isEmpty()) {
        const FatigueDiagramPicture picture = renderFatigueDiagram(upper, lower, hookFactor);
        const auto shown = [&picture](QPainter& painter) {
            painter.drawImage(0, 0, picture.image);
        };
        writePngFile(options.output, scale > 1
                                         ? renderScaledPicture(captionedSize(size, caption), scale,
                                                               withCaption(size, caption, paint))
                                         : renderScaledPicture(captionedSize(size, caption), 1,
                                                               withCaption(size, caption, shown)));
        notices = picture.overAreaNotices;
    } else {
        const FatigueDiagramPicture picture = renderFatigueDiagram(upper, lower, hookFactor);
        writePngFile(options.output, picture.image);
        notices = picture.overAreaNotices;
    }
    for (int i = 0; i < notices; ++i)
        std::cout << graphAreaOverNotice().toStdString() << "\n";
    return kDone;
}

} // namespace

void addDiagramCommand(Tool& tool) {
    Command& command = tool.addCommand(
        "diagram", "draw the fatigue-strength diagram as a PNG or SVG picture",
        "diagram --upper U --lower L [--hook-factor F] [--scale S] [--caption TEXT]\n"
        "           (-o FILE.png|FILE.svg | -o - [--format png|svg])",
        "Draws the fatigue-strength diagram (400 x 417 pixels) with the coil body's point\n"
        "(U = tau2/sigmaB, L = tau1/sigmaB) and the hook's point (both times F) and writes it as\n"
        "a PNG file, or as an SVG file (lines, markers and texts as such) when FILE ends in\n"
        ".svg. A PNG at --scale 2 to 4 is drawn that many times larger, antialiased. Every\n"
        "\"グラフエリアオーバー\" the program would add to its message list is printed on "
        "standard\n"
        "output.\n",
        "the picture could not be written");
    auto options = std::make_shared<DiagramOptions>();
    CLI::App& app = *command.app;
    addTextOption(app, "--upper", options->upper, "U", "upper stress coefficient tau2/sigmaB");
    addTextOption(app, "--lower", options->lower, "L", "lower stress coefficient tau1/sigmaB");
    addTextOption(app, "--hook-factor", options->hookFactor, "F",
                  "hook stress concentration factor (default: the customary 1.25)");
    addTextOption(app, "--scale", options->scale, "S",
                  "PNG only: 1 (the default, the screen's pixels) to 4 times\nlarger, antialiased");
    addTextOption(app, "--caption", options->caption, "TEXT",
                  "a line below the picture saying what it shows (the design)");
    addTextOption(app, "-o", options->output, "FILE",
                  "the picture to write, SVG for a name ending in .svg and\nPNG otherwise; an "
                  "existing file is replaced only when\nthe new one is complete");
    command.paints = true;
    command.run = [&app, options] { return runDiagram(app, *options); };
}

} // namespace hspring::cli
