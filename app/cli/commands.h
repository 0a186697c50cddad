#pragma once

// Each command takes its own argument vector (argv[0] is the command name) and returns the
// process exit status.

int runCalcCommand(int argc, char* argv[]);    // calc: designs in JSON, results out in JSON
int runSheetCommand(int argc, char* argv[]);   // sheet: the spring data sheet as a PDF
int runDiagramCommand(int argc, char* argv[]); // diagram: the fatigue-strength diagram as a PNG
int runDxfCommand(int argc, char* argv[]);     // dxf: the spring drawing as a DXF file
int runOutlineCommand(int argc, char* argv[]); // outline: the drawing's segments and arcs as JSON
int runShapeCommand(int argc, char* argv[]);   // shape: the spring shape page as a PNG
