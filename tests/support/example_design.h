// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"

namespace hspring::test {

// The spring the drawing tests draw: d = 1, D = 10, N = 20, L1 = 45, L2 = 55. Everything else
// is zero, so the hooks come from the hook fields and nothing is calculated.
inline SpringDesign exampleDesign() {
    SpringDesign design{};
    design.wireDiameter = 1;
    design.meanDiameter = 10;
    design.totalTurns = 20;
    design.length1 = 45;
    design.length2 = 55;
    return design;
}

} // namespace hspring::test
