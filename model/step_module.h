// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The meeting point of the program and its STEP writer. The writer builds the solid with
// OpenCASCADE, a library of some hundred megabytes that neither program should load at its start:
// it lives in a module of its own, opened only when a STEP file is saved.

#include "model/centre_line.h"
#include "model/model_failure.h"

namespace hspring {

// Builds the solid of `line` and writes it to `path` as a STEP file (AP214, millimetres) whose
// product is named `productName`. Returns true when written; otherwise `problem` says why.
using StepWriter = bool(const SpringCentreLine& line, const char* path, const char* productName,
                        ModelWriteFailure& problem);

// The writer's symbol in the module, and the module's file name.
inline constexpr char kStepWriterSymbol[] = "hspring_write_step";
inline constexpr char kModelModuleName[] = "hspring-model-writer.so";

} // namespace hspring
