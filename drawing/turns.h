// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/geometry.h"

namespace hspring {

// One turn of a closely wound coil as seen from the side, for a pitch p (mm between the tops of
// two neighbouring turns). The front half of the turn is the wire from the top centre down to the
// bottom centre; its outline edges are topLeft → bottomLeft and topRight → bottomRight, both
// offset by the wire radius from the centre line. The wire ends are circles of the wire radius
// about the two centres.
struct TurnTemplate {
    double pitch = 0;
    double leadAngle = 0;  // θ = arctan((p/2)/D), radians: the lean of the wire from the vertical
    DrawPoint top;         // (0, 0)
    DrawPoint topRight;    // top + r·(cos θ, sin θ)
    DrawPoint topLeft;     // top - r·(cos θ, sin θ)
    DrawPoint bottom;      // (p/2, -D)
    DrawPoint bottomLeft;  // bottom - r·(cos θ, sin θ)
    DrawPoint bottomRight; // bottom + r·(cos θ, sin θ)

    // Turn number `index` (counted from 0): the template moved by index·p along x.
    TurnTemplate turn(int index) const;
};

// Throws the division-by-zero error for a mean diameter of 0.
TurnTemplate makeTurnTemplate(double wireDiameter, double meanDiameter, double pitch);

// Which turns to draw for N total turns: turns 0 … lastTurn (none when lastTurn is negative), and
// whether the right-hand hook leaves from the bottom of the coil (a half turn) instead of the top.
struct TurnPlan {
    int lastTurn = -1;
    bool halfTurn = false;

    friend bool operator==(const TurnPlan&, const TurnPlan&) = default;
};

// n = Trunc(N), f = N - n: f < 0.25 draws turns 0 … n-1; 0.25 ≤ f < 0.75 draws 0 … n and a half
// turn; f ≥ 0.75 draws 0 … n. A number of turns that is not finite or beyond the integer range
// raises the invalid-operation error, as truncating it would.
TurnPlan planTurns(double totalTurns);

} // namespace hspring
