// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <CLI/CLI.hpp>
#include <string>

// The commands of hspring-cli. Each file declares its command on the tool; a new command is its
// function here, one line in kCommands and its file in cli/CMakeLists.txt.

namespace hspring::cli {

class Tool;

void addCalcCommand(Tool& tool);     // calc: designs in JSON, results out in JSON
void addSearchCommand(Tool& tool);   // search: a requirement in JSON, candidates out in JSON
void addSheetCommand(Tool& tool);    // sheet: the spring data sheet as a PDF
void addJisSheetCommand(Tool& tool); // jis-sheet: the JIS sheet (仕様書) as a PDF
void addDiagramCommand(Tool& tool);  // diagram: the fatigue-strength diagram as a PNG
void addDxfCommand(Tool& tool);      // dxf: the spring drawing as a DXF file
void addOutlineCommand(Tool& tool);  // outline: the drawing's segments and arcs as JSON
void addShapeCommand(Tool& tool);    // shape: the spring shape page as a PNG
void addChartCommand(Tool& tool);    // chart: the load-length chart as a PNG or SVG
void addModelCommand(Tool& tool);    // model: the spring as a 3D model (STEP or STL)

// The commands in the order the help lists them.
inline constexpr void (*kCommands[])(Tool&) = {
    addCalcCommand, addSearchCommand,  addSheetCommand, addJisSheetCommand, addDiagramCommand,
    addDxfCommand,  addOutlineCommand, addShapeCommand, addModelCommand,    addChartCommand,
};

// --scale of the picture commands: how many times larger a PNG is drawn, 1 (the default, the
// screen's pixels) to kLargestPictureScale; anything else is a usage error.
int pictureScale(const CLI::App& command, const std::string& text);

} // namespace hspring::cli
