#pragma once

#include <CLI/CLI.hpp>

// The commands of hspring-cli, each declared as a subcommand of the tool.

namespace hspring::cli {

void addCalcCommand(CLI::App& tool);     // calc: designs in JSON, results out in JSON
void addSearchCommand(CLI::App& tool);   // search: a requirement in JSON, candidates out in JSON
void addSheetCommand(CLI::App& tool);    // sheet: the spring data sheet as a PDF
void addJisSheetCommand(CLI::App& tool); // jis-sheet: the JIS sheet (仕様書) as a PDF
void addDiagramCommand(CLI::App& tool);  // diagram: the fatigue-strength diagram as a PNG
void addDxfCommand(CLI::App& tool);      // dxf: the spring drawing as a DXF file
void addOutlineCommand(CLI::App& tool);  // outline: the drawing's segments and arcs as JSON
void addShapeCommand(CLI::App& tool);    // shape: the spring shape page as a PNG
void addChartCommand(CLI::App& tool);    // chart: the load-length chart as a PNG or SVG

// --scale of the picture commands: how many times larger a PNG is drawn, 1 (the default, the
// screen's pixels) to kLargestPictureScale; anything else is a usage error.
int pictureScale(const CLI::App& command, const std::string& text);

} // namespace hspring::cli
