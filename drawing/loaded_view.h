// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/outline.h"
#include "drawing/turns.h"

namespace hspring {

// The coil body stretched so that the spring with its round hooks is `workingLength` long: the
// body is m = L - 2·(D - d) - d long and its turns are spread evenly over it; the hook loops keep
// their free shape and size.
struct StretchedCoil {
    double bodyLength = 0; // m
    TurnPlan plan;
    TurnTemplate turn; // with the stretched pitch m / (n + 1), or m / (n + 1.5) with a half turn
};

// A spring of fewer than a quarter turn has nothing to spread the length over: the division by
// zero raises its error.
StretchedCoil stretchCoil(const CoilShape& coil, double workingLength);

// The side view of the stretched spring with round hooks, as the screen draws it: both edges
// and both wire ends of every front half-turn, the visible pieces of the rear half-turns between
// them, the closing edge, and the two hooks joined to the stretched body. Arithmetic faults of
// degenerate input raise their errors; a pitch of exactly 0 makes the rear pieces parallel to
// the edges they should meet, and intersectLines raises its error.
Outline loadedRoundHookOutline(const CoilShape& coil, double hookAngle, double workingLength);

} // namespace hspring
