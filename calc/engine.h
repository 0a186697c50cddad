#pragma once

#include "calc/spring_design.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <functional>

namespace hspring {

// The recommended initial-tension range of the last calculation, kgf.
struct InitialTensionRange {
    double low = 0;
    double high = 0;
    double mid = 0;
};

// Supplies the hand-entered initial tension (the number in the initial-tension field, read again
// at that step) when the design does not take it from the recommended range. May throw the
// conversion error of the field.
using InitialTensionReader = std::function<double()>;

// Calculates the design in place, step by step in the fixed order. An arithmetic fault (division
// by zero, invalid operation, overflow) stops the calculation at the step that raised it with an
// Error carrying the fault's message: results stored before keep their new values, later ones
// their old values. `range` receives the recommended initial-tension range.
void calculateDesign(SpringDesign& design, const MaterialLibrary& library,
                     const CoefficientSet& coefficients, InitialTensionRange& range,
                     const InitialTensionReader& readInitialTension);

} // namespace hspring
