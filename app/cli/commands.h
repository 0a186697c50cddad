#pragma once

// Each command takes its own argument vector (argv[0] is the command name) and returns the
// process exit status.

int runCalcCommand(int argc, char* argv[]); // calc: designs in JSON, results out in JSON
int runSheetCommand(int argc, char* argv[]); // sheet: the specification sheet as a PDF
int runDiagramCommand(int argc, char* argv[]); // diagram: the fatigue-strength diagram as a PNG
