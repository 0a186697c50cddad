// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/engine.h"

namespace hspring {

// How the calculation finds its arithmetic faults. StepResults, what calculateDesign does, runs
// a step in plain extended precision and checks every operation only when one of the step's
// results is not a finite number; EveryOperation checks every operation of every step. Both give
// the same results and the same faults; the second is slower and serves to test the first.
enum class EngineChecking { StepResults, EveryOperation };

void calculateDesign(SpringDesign& design, const MaterialLibrary& library,
                     const CoefficientSet& coefficients, InitialTensionRange& range,
                     const InitialTensionReader& readInitialTension, EngineChecking checking);

} // namespace hspring
