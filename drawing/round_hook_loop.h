// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/geometry.h"

namespace hspring {

// The round hook at the left end of the coil: a full loop of the end coil, centred beside the
// first turn, opened at the hook angle. Its shape depends on d and D only, so the free and the
// loaded views share it; the right hook is its mirror or half-turned image.
struct RoundHookLoop {
    double wireRadius = 0;   // r = d/2
    double tangentAngle = 0; // φ, degrees
    double outerAngle = 0;   // ψ, degrees
    DrawPoint centre;        // C_L = (-(D/2 + d/4), -D/2)
    double innerRadius = 0;  // (D - d)/2
    double outerRadius = 0;  // (D + d)/2
    // The internal common tangent from the first turn's top wire circle, at 180° - φ, to the
    // loop's inner circle, at 360° - φ.
    DrawSegment transition;

    DrawArc innerArc(double hookAngle) const;   // hookAngle to 360 - φ
    DrawArc outerArc(double hookAngle) const;   // hookAngle to 360 - ψ
    DrawSegment cutEnd(double hookAngle) const; // across the wire at the hook angle
};

RoundHookLoop leftRoundHookLoop(double wireDiameter, double meanDiameter);

} // namespace hspring
