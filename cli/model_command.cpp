// SPDX-License-Identifier: GPL-3.0-or-later
// hspring-cli model: the spring as a 3D model (STEP or binary STL) for a designer's CAD assembly,
// free or stretched to a working length.

#include "base/error.h"
#include "base/number_format.h"
#include "calc/design_caption.h"
#include "calc/design_result.h"
#include "calc/design_sources.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/document_verdict.h"
#include "cli/problem_text.h"
#include "model/model_file.h"
#include "model/spring_model.h"
#include "printing/title_block.h"
#include "startup/program_start.h"

#include <iostream>
#include <optional>

namespace hspring::cli {

namespace {

struct ModelOptions {
    SheetSourceOptions source;
    std::string hook;
    std::string state;
    bool allowFailing = false;
    DataFileOptions dataFiles;
};

std::string millimetres(double value) {
    return formatF4(value) + " mm";
}

// Why the spring cannot be modelled, in the tool's words.
std::string refusalText(const ModelRefusal& refusal, const SpringModelRequest& request) {
    switch (refusal.problem) {
    case ModelProblem::NoCoil:
        return "the spring has no coil to model (wire and coil diameter must be positive, the "
               "coil wider than the wire)";
    case ModelProblem::TooManyTurns:
        return "too many turns to model (at most " + formatF4(refusal.limit) + ")";
    case ModelProblem::TooFewTurns:
        return "too few turns to join both hooks to the coil";
    case ModelProblem::HookAngleOutside:
        return "the round hook's angle " + formatF4(request.hookAngle) +
               " lies outside 0 to 360 degrees, or leaves no loop";
    case ModelProblem::UHookDoesNotFit:
        return "the U hook cannot be formed: its bend, legs and U do not fit together";
    case ModelProblem::BendDoesNotFit:
        return "the round hook cannot be formed: the coil is too small for the bend at its edge";
    case ModelProblem::BendTooTight:
        return "a hook's bend is tighter than the wire can be bent";
    case ModelProblem::WireMeetsItself:
        return "the hook cannot be formed: its wire runs into the coil or into itself";
    case ModelProblem::LongerThanCoil:
        return "the length " + millimetres(request.length) +
               " would open the turns further apart than the coil is round (at most " +
               millimetres(refusal.limit) + ")";
    case ModelProblem::ShorterThanClosed:
        return "the length " + millimetres(request.length) +
               " is shorter than the close-wound spring with its hooks (" +
               millimetres(refusal.limit) + ")";
    }
    return {};
}

int runModel(const CLI::App& app, const ModelOptions& options) {
    if (!app.count("-o"))
        throw UsageError("-o FILE.step or -o FILE.stl is required");
    const std::optional<ModelFormat> format = modelFormatOf(options.source.output);
    if (!format)
        throw UsageError("-o takes a file ending in .step, .stp or .stl, not " +
                         options.source.output);
    std::optional<ModelState> state = ModelState::Free;
    if (app.count("--state") && !(state = modelStateFromName(options.state)))
        throw UsageError("--state takes free, L1 or L2, not " + options.state);
    const DocumentDesign chosen =
        readDocumentDesign(app, options.source, options.hook, options.dataFiles);
    if (!documentAllowed("model", chosen.result, options.allowFailing, std::cerr))
        return kFailed;
    const SpringDesign& design = chosen.design;
    const HookType hookType = chosen.hookType;
    const ProgramState& programState = *chosen.start.state;
    std::string productName = chosen.titleBlock.partName;
    if (productName.empty())
        productName = designCaption(design, programState.materials);

    const SpringModelRequest request =
        modelRequestOf(design, hookType, options.source.leftHanded, *state);
    const auto centreLine = springCentreLine(request);
    if (const auto* refusal = std::get_if<ModelRefusal>(&centreLine)) {
        std::cerr << "hspring-cli model: " << refusalText(*refusal, request)
                  << "; nothing written\n";
        return kFailed;
    }
    const SpringCentreLine& line = std::get<SpringCentreLine>(centreLine);
    if (const auto failure = writeSpringModel(options.source.output, *format, line, productName)) {
        std::cerr << "hspring-cli model: " << modelFailureText(*failure) << "; nothing written\n";
        return kFailed;
    }
    if (line.innerEndDistance > request.length * (1 + kClosedLengthAllowance))
        std::cerr << "hspring-cli model: note: the free length " << millimetres(request.length)
                  << " is shorter than the close-wound spring with its hooks; the model is "
                     "close-wound, "
                  << millimetres(line.innerEndDistance) << " between the hooks' inner ends\n";
    return kDone;
}

} // namespace

void addModelCommand(Tool& tool) {
    Command& command = tool.addCommand(
        "model", "write the spring as a 3D model (STEP or STL) for a CAD assembly",
        "model [--hbd FILE.hbd [--slot N] [--hook round|u] | --input FILE.json]\n"
        "                         [--left-handed] [--state free|L1|L2] [--allow-failing]\n"
        "                         [--materials FILE.dst] [--settings FILE]\n"
        "                         (-o FILE.step|FILE.stl | -o - [--format step|stl])",
        "Writes the spring as one solid in millimetres: the wire swept along the close-wound\n"
        "helix of the body (right-handed unless --left-handed) and both hooks as the drawing\n"
        "shapes them. The coil axis is z, the lower hook's inner end at the origin and the upper\n"
        "one at the free length L0 (or, with --state, at L1 or L2: the turns opened evenly). A\n"
        "free length shorter than the close-wound spring gives the close-wound spring, with a\n"
        "note. FILE.step is STEP AP214 with the product named after the part name of the title\n"
        "block kept beside the calculation file, else after the design (material, d, D, N);\n"
        "FILE.stl is binary STL. A hook that cannot be formed writes nothing and says why; so\n"
        "does a design that breaks a design rule or has a warning, unless --allow-failing.\n",
        "the spring cannot be modelled, breaks a rule or has a warning (without\n"
        "     --allow-failing), or the file cannot be written");
    auto options = std::make_shared<ModelOptions>();
    CLI::App& app = *command.app;
    addTextOption(app, "--hbd", options->source.hbd, "FILE",
                  "calculation file; slot N is modelled as it stands (its\nverdict from the slot "
                  "calculated again)");
    addTextOption(app, "--slot", options->source.slot, "N",
                  "slot of the calculation file, 0..30 (default 0, the\ncurrent design)");
    addTextOption(app, "--input", options->source.input, "FILE",
                  "without --hbd: one design as JSON, as the calc command\nreads it, hookType "
                  "included (default: standard input);\nit is calculated first");
    addTextOption(app, "--hook", options->hook, "TYPE",
                  "with --hbd: round (the default) or u; the file does not\nkeep the hook type");
    app.add_flag("--left-handed", options->source.leftHanded,
                 "coiling direction left (左); right (右) otherwise");
    addTextOption(app, "--state", options->state, "STATE",
                  "free (the default, L0), L1 or L2: the length between the\nhooks' inner ends");
    addAllowFailingOption(app, options->allowFailing,
                          "write the model even when the design breaks a rule or has\na warning");
    addDataFileOptions(app, options->dataFiles);
    addTextOption(app, "-o", options->source.output, "FILE.step|FILE.stp|FILE.stl",
                  "the model to write: STEP for .step or .stp, binary STL\nfor .stl (replaced "
                  "only by a complete new file)");
    command.run = [&app, options] { return runModel(app, *options); };
}

} // namespace hspring::cli
