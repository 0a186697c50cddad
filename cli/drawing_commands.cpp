// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing commands of hspring-cli, which share the description of the spring:
//   dxf      writes the DXF file the menu item "dxf出力" writes;
//   outline  prints the free-state outline behind that file as JSON;
//   shape    renders the spring shape page, as the main window shows it, into a PNG or SVG file.

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/design_caption.h"
#include "calc/design_refusal.h"
#include "calc/design_result.h"
#include "calc/design_sources.h"
#include "calc/spring_design.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_verdict.h"
#include "cli/problem_text.h"
#include "drawing/dimensioned_dxf.h"
#include "drawing/dxf_file.h"
#include "drawing/loaded_view.h"
#include "drawing/outline_json.h"
#include "drawing/painting/shape_page_painting.h"
#include "startup/program_start.h"
#include "toolkit/painting/picture_files.h"
#include "toolkit/painting/utf8_text.h"
#include "wording/japanese.h"

#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>

namespace hspring::cli {

namespace {

constexpr std::string_view kSpringSynopsis =
    "(--round --angle A | --u --length L --opening O --min-radius R)\n"
    "           --d D_WIRE --D D_MEAN --N TURNS";

constexpr std::string_view kDrawingFailure = "the spring cannot be drawn or the file not written";

// The spring as its options give it: the texts as typed, the numbers once they are checked.
struct SpringOptions {
    bool round = false;
    bool u = false;
    std::string angle;
    std::string length;
    std::string opening;
    std::string minRadius;
    std::string wireDiameter;
    std::string meanDiameter;
    std::string turns;

    bool roundHook = true;
    CoilShape coil;
    double hookAngle = 0;
    UHookShape uHook;
};

void addSpringOptions(CLI::App& app, SpringOptions& spring) {
    app.add_flag("--round", spring.round, "round hooks, with the hook angle A (degrees)");
    addTextOption(app, "--angle", spring.angle, "A", "hook angle of round hooks (degrees)");
    app.add_flag("--u", spring.u, "U hooks, with --length, --opening and --min-radius");
    addTextOption(app, "--length", spring.length, "L", "hook length of U hooks (mm)");
    addTextOption(app, "--opening", spring.opening, "O", "opening length of U hooks (mm)");
    addTextOption(app, "--min-radius", spring.minRadius, "R",
                  "minimum bend radius of U hooks (mm)");
    addTextOption(app, "--d", spring.wireDiameter, "D_WIRE", "wire diameter (mm)");
    addTextOption(app, "--D", spring.meanDiameter, "D_MEAN", "mean coil diameter (mm)");
    addTextOption(app, "--N", spring.turns, "TURNS", "total number of turns");
}

// A spring that cannot be drawn is refused by the rule every design obeys, not drawn half: the
// options stand for the design's fields (--D for meanDiameter, --angle for hookAngle, ...).
void refuseShape(const SpringOptions& spring) {
    SpringDesign design{};
    design.diameterKind = kMeanDiameter;
    design.wireDiameter = spring.coil.wireDiameter;
    setCoilDiameters(design, spring.coil.meanDiameter, spring.coil.wireDiameter);
    design.totalTurns = spring.coil.totalTurns;
    design.hookAngle = spring.hookAngle;
    design.hookLength = spring.uHook.hookLength;
    design.hookOpening = spring.uHook.hookOpening;
    design.hookMinRadius = spring.uHook.minRadius;
    if (const auto refused = refusedShape(design, spring.roundHook ? HookType::Round : HookType::U))
        throw refusalError(*refused);
}

// Checks the spring's options and reads its numbers; a problem is a usage error, a spring that
// cannot be drawn a failure.
void readSpring(const CLI::App& app, SpringOptions& spring) {
    spring.roundHook = spring.round;
    if (spring.round == spring.u)
        throw UsageError("give either --round or --u");
    std::vector<std::pair<std::string_view, const std::string*>> required{
        {"--d", &spring.wireDiameter}, {"--D", &spring.meanDiameter}, {"--N", &spring.turns}};
    if (spring.roundHook)
        required.push_back({"--angle", &spring.angle});
    else
        required.insert(required.end(), {{"--length", &spring.length},
                                         {"--opening", &spring.opening},
                                         {"--min-radius", &spring.minRadius}});
    std::map<std::string_view, double> numbers;
    for (const auto& [name, text] : required) {
        if (!app.count(std::string(name)))
            throw UsageError(std::string(name) + " is required");
        numbers[name] = numberOption(name, *text);
    }
    spring.coil = {numbers["--d"], numbers["--D"], numbers["--N"]};
    if (spring.roundHook)
        spring.hookAngle = numbers["--angle"];
    else
        spring.uHook = {numbers["--length"], numbers["--opening"], numbers["--min-radius"]};
    refuseShape(spring);
}

Outline outlineOf(const SpringOptions& spring) {
    return spring.roundHook ? roundHookOutline(spring.coil, spring.hookAngle)
                            : uHookOutline(spring.coil, spring.uHook);
}

// Declares a drawing command with the spring's options; `more` adds the command's own.
template <typename Options>
Command& addDrawingCommand(Tool& tool, std::string_view name, std::string_view summary,
                           std::string_view synopsisTail, std::string_view description,
                           const std::shared_ptr<Options>& options,
                           std::string_view failure = kDrawingFailure) {
    const std::string synopsis =
        std::string(name) + " " + std::string(kSpringSynopsis) + std::string(synopsisTail);
    Command& command = tool.addCommand(name, summary, synopsis, description, failure);
    addSpringOptions(*command.app, options->spring);
    return command;
}

// ---- dxf, outline ------------------------------------------------------------------------

struct DxfOptions {
    SpringOptions spring;
    std::string output;
    bool dimensions = false;
    // Instead of the spring's options, a design: slot N of a calculation file or one design as
    // JSON, judged before it is drawn.
    SheetSourceOptions source;
    std::string hook;
    bool allowFailing = false;
    DataFileOptions dataFiles;
};

// The spring of a design given by --hbd or --input, as its options would give it, and the texts
// the drawing carries: none for a sound design, the concerns with their heading for one drawn
// with --allow-failing. nullopt when the design is refused (the reasons are on standard error).
std::optional<std::vector<std::string>> springOfDesign(const CLI::App& app, DxfOptions& options) {
    for (const char* option : {"--round", "--u", "--angle", "--length", "--opening", "--min-radius",
                               "--d", "--D", "--N"})
        if (app.count(option))
            throw UsageError(std::string(option) + " describes a spring of its own; it does not "
                                                   "go with --hbd or --input");
    const SheetSource source = chosenSheetSource(app, options.source);
    const bool fromHbd = source.hbd.has_value();
    if (app.count("--hook") && !fromHbd)
        throw UsageError("--hook needs --hbd: a JSON design names its hookType");
    std::optional<HookType> hook;
    if (app.count("--hook") && !(hook = hookTypeFromName(options.hook)))
        throw UsageError("--hook takes round or u, not " + options.hook);
    ProgramStart start;
    std::string inputText;
    try {
        start = startProgram(chosenDataFiles(app, options.dataFiles, true), MissingDataFile::Fail);
        if (!fromHbd)
            inputText = readInputText(source.input);
    } catch (const Error& error) {
        throw UsageError(problemText(error));
    }
    const ProgramState& state = *start.state;
    SpringDesign design{};
    DesignResult result;
    if (fromHbd) {
        design = designFromCalculationFile(*source.hbd, source.slot);
        result = evaluateDesign(design, state.materials, state.settings.coefficients,
                                hook.value_or(HookType::Round));
    } else {
        result = evaluateRequest(singleDesignFromJson(inputText, state.materials), state.materials,
                                 state.settings.coefficients);
        design = result.design;
    }
    if (!documentAllowed("dxf", result, options.allowFailing, std::cerr))
        return std::nullopt;
    SpringOptions& spring = options.spring;
    spring.roundHook = result.hookType == HookType::Round;
    spring.coil = coilShapeOf(design);
    spring.hookAngle = design.hookAngle;
    spring.uHook = {design.hookLength, design.hookOpening, design.hookMinRadius};
    refuseShape(spring);
    std::vector<std::string> notes;
    if (hasConcerns(result)) {
        notes.emplace_back(kConcernsHeading);
        for (std::string& line : concernLines(result))
            notes.push_back(std::move(line));
    }
    return notes;
}

// The dimensioned drawing's text block: what the spring is and its hook's dimensions.
DimensionedDrawing dimensionedDrawingOf(const SpringOptions& spring) {
    DimensionedDrawing drawing{outlineOf(spring),
                               spring.coil,
                               {},
                               HookDimensions{spring.roundHook, spring.hookAngle, spring.uHook}};
    drawing.notes.push_back("d" + formatF4(spring.coil.wireDiameter) + " × D" +
                            formatF4(spring.coil.meanDiameter) + " × N" +
                            formatF4(spring.coil.totalTurns));
    if (spring.roundHook)
        drawing.notes.push_back("丸フック  フック角度 " + formatF4(spring.hookAngle) + "°");
    else
        drawing.notes.push_back("Uフック  長さ " + formatF4(spring.uHook.hookLength) + "  開き " +
                                formatF4(spring.uHook.hookOpening) + "  最小R " +
                                formatF4(spring.uHook.minRadius));
    return drawing;
}

struct OutlineOptions {
    SpringOptions spring;
};

// ---- shape -------------------------------------------------------------------------------

struct ShapeOptions {
    SpringOptions spring;
    std::string length1;
    std::string length2;
    std::string view;
    std::string scale;
    bool viewOnly = false;
    std::string output;
};

std::optional<double> optionalLength(const CLI::App& app, const char* name,
                                     const std::string& text) {
    if (!app.count(name))
        return std::nullopt;
    try {
        return textToDouble(text);
    } catch (const Error& failure) {
        throw UsageError(problemText(failure));
    }
}

// The spring view of `state` (0 free, 1 and 2 stretched to L1 and L2), drawn onto any painter.
std::function<void(QPainter&)> springView(const SpringOptions& spring, double length1,
                                          double length2, int state) {
    return [roundHook = spring.roundHook, coil = spring.coil, hookAngle = spring.hookAngle,
            uHook = spring.uHook, length1, length2, state](QPainter& painter) {
        if (!roundHook)
            drawFreeUHook(painter, coil, uHook);
        else if (state == 0)
            drawFreeRoundHook(painter, coil, hookAngle, length2);
        else
            drawLoadedRoundHook(painter, coil, hookAngle, state == 1 ? length1 : length2, length2);
    };
}

// The page as the main window holds it after Calculate and `presses` of the state button:
// the free spring is drawn first and then each state in turn, so a state that cannot be drawn
// fails the command just as it would stop the button.
ShapePagePicture shapePage(const CLI::App& app, const SpringOptions& spring, double length1,
                           double length2, int presses) {
    const auto fieldText = [&](const char* option, const std::string& text, const char* start) {
        return QString::fromStdString(app.count(option) ? text : start);
    };
    ShapePagePicture page;
    page.roundHookPage = spring.roundHook;
    page.hookAngle = fieldText("--angle", spring.angle, "80");
    page.hookLength = fieldText("--length", spring.length, "10");
    page.hookOpening = fieldText("--opening", spring.opening, "3");
    page.minRadius = fieldText("--min-radius", spring.minRadius, "2");

    for (int state = 1; state <= presses; ++state)
        loadedRoundHookOutline(spring.coil, spring.hookAngle, state == 1 ? length1 : length2);
    QImage view(kShapeViewSize, QImage::Format_RGB32);
    for (int state = 0; state <= presses; ++state) {
        QPainter painter(&view);
        springView(spring, length1, length2, state)(painter);
    }
    page.view = view;
    page.state = presses;
    return page;
}

int runShape(const CLI::App& app, ShapeOptions& options) {
    readSpring(app, options.spring);
    if (!app.count("-o"))
        throw UsageError("-o is required");
    const std::map<std::string, int, std::less<>> presses{{"free", 0}, {"load1", 1}, {"load2", 2}};
    const auto view = presses.find(app.count("--view") ? options.view : std::string("free"));
    if (view == presses.end())
        throw UsageError("--view takes free, load1 or load2");
    if (view->second > 0 && !options.spring.roundHook)
        throw UsageError("the U hook has only the free view");
    const std::optional<double> length1 = optionalLength(app, "--L1", options.length1);
    const std::optional<double> length2 = optionalLength(app, "--L2", options.length2);
    if (options.spring.roundHook && !length2)
        throw UsageError("round hooks are framed to --L2, which is required");
    if (view->second == 1 && !length1)
        throw UsageError("--view load1 needs --L1");

    const int scale = pictureScale(app, options.scale);

    ShapePagePicture page =
        shapePage(app, options.spring, length1.value_or(0), length2.value_or(0), view->second);
    const auto paintView =
        springView(options.spring, length1.value_or(0), length2.value_or(0), view->second);
    const QString title = utf8Text(kSpringShapeTitle);
    const bool svg = pictureFormatOf(options.output) == PictureFormat::Svg;
    // Every picture names its spring in a caption line below it, the page as the view alone.
    SpringDesign named{};
    named.wireDiameter = options.spring.coil.wireDiameter;
    named.meanDiameter = options.spring.coil.meanDiameter;
    named.totalTurns = options.spring.coil.totalTurns;
    static const MaterialLibrary kNoMaterials{};
    const QString caption =
        QString::fromStdString(designCaption(named, kNoMaterials)) +
        (options.spring.roundHook ? QStringLiteral("  丸フック") : QStringLiteral("  Uフック"));
    if (options.viewOnly) {
        // The spring alone, for a report: no tabs, fields or state button.
        const QSize size = captionedSize(kShapeViewSize, caption);
        const QImage shown = page.view;
        const auto paint = withCaption(
            kShapeViewSize, caption, scale > 1 || svg ? paintView : [shown](QPainter& painter) {
                painter.drawImage(0, 0, shown);
            });
        if (svg)
            writeSvgFile(options.output, size, title, paint);
        else
            writePngFile(options.output, renderScaledPicture(size, std::max(scale, 1), paint));
        return kDone;
    }
    const QSize size = captionedSize(kShapePageSize, caption);
    if (svg) {
        // The view drawn anew in its frame, every part clipped there as on the screen; the
        // caption strip first, under the page.
        page.paintView = paintView;
        std::vector<SvgLayer> layers{
            {QRect(QPoint(0, 0), size), withCaption(kShapePageSize, caption, [](QPainter&) {})}};
        for (SvgLayer& layer : shapePageLayers(page))
            layers.push_back(std::move(layer));
        writeSvgFile(options.output, size, title, layers);
    } else if (scale > 1) {
        page.paintView = paintView;
        writePngFile(
            options.output,
            renderScaledPicture(size, scale,
                                withCaption(kShapePageSize, caption, [&page](QPainter& painter) {
                                    paintShapePage(painter, page);
                                })));
    } else {
        const QImage shown = renderShapePage(page);
        writePngFile(options.output,
                     renderScaledPicture(
                         size, 1, withCaption(kShapePageSize, caption, [&shown](QPainter& painter) {
                             painter.drawImage(0, 0, shown);
                         })));
    }
    return kDone;
}

} // namespace

void addDxfCommand(Tool& tool) {
    auto options = std::make_shared<DxfOptions>();
    Command& command = addDrawingCommand(
        tool, "dxf", "write the spring drawing as a DXF file",
        " -o FILE.dxf\n"
        "  or:  hspring-cli dxf (--hbd FILE.hbd [--slot N] [--hook round|u] | --input FILE.json)\n"
        "           [--allow-failing] [--materials FILE.dst] [--settings FILE] -o FILE.dxf",
        "Writes the free spring with its hooks as the DXF file (AC1009, millimetres) that the\n"
        "menu item \"dxf出力\" writes. With --dimensions, the dimensioned drawing instead:\n"
        "layers OUTLINE, CENTER, DIMENSIONS and TEXT, the free length between the hooks'\n"
        "inner sides, Do and d dimensioned, and a text block naming the spring and its hooks.\n"
        "With --hbd or --input the spring is that of a design, which is judged first: a design\n"
        "that breaks a design rule or has a warning is not drawn (the reasons go to standard\n"
        "error, the status is 1) unless --allow-failing, which writes them under the drawing.\n",
        options,
        "the spring cannot be drawn, the design breaks a rule or has a warning (without\n"
        "     --allow-failing), or the file cannot be written");
    CLI::App& app = *command.app;
    addTextOption(app, "-o", options->output, "FILE.dxf",
                  "the file to write; an existing file is replaced only\nwhen the new one is "
                  "complete");
    app.add_flag("--dimensions", options->dimensions,
                 "the dimensioned drawing (layers, dimensions, text)");
    addTextOption(app, "--hbd", options->source.hbd, "FILE",
                  "instead of the spring's options: the design in slot N of\na calculation file, "
                  "as it stands");
    addTextOption(app, "--slot", options->source.slot, "N",
                  "slot of the calculation file, 0..30 (default 0, the\ncurrent design)");
    addTextOption(app, "--hook", options->hook, "TYPE",
                  "with --hbd: round (the default) or u; the file does not\nkeep the hook type");
    addTextOption(app, "--input", options->source.input, "FILE",
                  "instead of the spring's options: one design as JSON, as\nthe calc command reads "
                  "it, hookType included (- for\nstandard input); it is calculated first");
    addAllowFailingOption(app, options->allowFailing,
                          "with --hbd or --input: draw the design even when it breaks\na rule or "
                          "has a warning, and write them under the drawing");
    addDataFileOptions(app, options->dataFiles);
    command.run = [&app, options] {
        if (!app.count("-o"))
            throw UsageError("-o is required");
        std::vector<std::string> notes;
        if (app.count("--hbd") || app.count("--input")) {
            options->source.output = options->output;
            const std::optional<std::vector<std::string>> concerns = springOfDesign(app, *options);
            if (!concerns)
                return static_cast<int>(kFailed);
            notes = *concerns;
        } else {
            readSpring(app, options->spring);
        }
        if (options->dimensions) {
            DimensionedDrawing drawing = dimensionedDrawingOf(options->spring);
            drawing.notes.insert(drawing.notes.end(), notes.begin(), notes.end());
            writeDxfFile(options->output, dimensionedDxfBytes(drawing));
        } else {
            writeDxfFile(options->output, dxfFileBytes(outlineOf(options->spring), notes));
        }
        return static_cast<int>(kDone);
    };
}

void addOutlineCommand(Tool& tool) {
    auto options = std::make_shared<OutlineOptions>();
    Command& command = addDrawingCommand(
        tool, "outline", "print the segments and arcs of the spring drawing as JSON", "",
        "Prints the free-state outline behind the DXF file as JSON: every segment and arc in the\n"
        "file's order, millimetres and degrees, numbers that read back to the same doubles.\n",
        options);
    CLI::App& app = *command.app;
    command.run = [&app, options] {
        readSpring(app, options->spring);
        const Outline outline = outlineOf(options->spring);
        std::cout << outlineJson(options->spring.roundHook ? "round" : "u", outline) << "\n";
        return static_cast<int>(kDone);
    };
}

void addShapeCommand(Tool& tool) {
    auto options = std::make_shared<ShapeOptions>();
    Command& command = addDrawingCommand(
        tool, "shape", "render the spring shape page as a PNG or SVG picture",
        " [--L1 L1] [--L2 L2]\n           [--view free|load1|load2] [--view-only] [--scale S]\n"
        "           (-o FILE.png|FILE.svg | -o - [--format png|svg])",
        "Renders the spring shape page of the main window (hook pages, spring view and state) as\n"
        "a PNG picture, as it looks after Calculate and the presses of the state button; as an\n"
        "SVG picture (the spring's lines and the texts as such) when FILE ends in .svg. With\n"
        "--view-only the picture is the spring view alone, for reports; a PNG at --scale 2 to 4\n"
        "is drawn that many times larger, antialiased.\n",
        options);
    CLI::App& app = *command.app;
    addTextOption(app, "--L1", options->length1, "L1",
                  "working length 1 (mm): the load1 view stretches the\nspring to it");
    addTextOption(app, "--L2", options->length2, "L2",
                  "working length 2 (mm): the round-hook views are framed\nto it, and the load2 "
                  "view stretches the spring to it");
    addTextOption(app, "--view", options->view, "STATE",
                  "free (the default), load1 or load2; round hooks only");
    app.add_flag("--view-only", options->viewOnly,
                 "the spring view alone, without the hook pages and the\nstate button");
    addTextOption(app, "--scale", options->scale, "S",
                  "PNG only: 1 (the default, the screen's pixels) to 4 times\nlarger, antialiased");
    addTextOption(app, "-o", options->output, "FILE",
                  "the picture to write, SVG for a name ending in .svg and\nPNG otherwise");
    command.paints = true;
    command.run = [&app, options] { return runShape(app, *options); };
}

} // namespace hspring::cli
