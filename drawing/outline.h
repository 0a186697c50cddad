// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"
#include "drawing/geometry.h"

#include <cmath>
#include <variant>
#include <vector>

namespace hspring {

// The coil as the drawing sees it: wire diameter d, mean coil diameter D (mm) and the total
// number of turns N as entered.
struct CoilShape {
    double wireDiameter = 0;
    double meanDiameter = 0;
    double totalTurns = 0;
};

// The coil of a design as its last calculation or loading left it.
inline CoilShape coilShapeOf(const SpringDesign& design) {
    return {design.wireDiameter, design.meanDiameter, design.totalTurns};
}

// Whether the coil has a shape at all: a wire and a coil diameter above zero and a finite number
// of turns. The calculation still reports such a design through its checks; the drawing then
// shows nothing instead of failing on the geometry.
inline bool drawableCoil(const CoilShape& coil) {
    return coil.wireDiameter > 0 && coil.meanDiameter > 0 && std::isfinite(coil.wireDiameter) &&
           std::isfinite(coil.meanDiameter) && std::isfinite(coil.totalTurns);
}

// The U hook's parameters, mm: the hook length, the opening between the cut end and the coil,
// and the inner radius of the bend where the wire leaves the coil.
struct UHookShape {
    double hookLength = 0;
    double hookOpening = 0;
    double minRadius = 0;
};

// One piece of the side view: a straight wire edge or a circle arc.
using OutlinePrimitive = std::variant<DrawSegment, DrawArc>;

// The ordered primitives of a spring's side view in millimetres. The order and the direction of
// every segment are part of the result: the DXF file keeps them.
using Outline = std::vector<OutlinePrimitive>;

// The free-state outline as the DXF file writes it: the coil turns first, then the closing edge
// of the last turn, the left hook, the right hook. Turns are planned by planTurns; with fewer
// than a quarter turn the closing edge and the right hook attach to turn 0.
//
// Arithmetic faults of degenerate input (for example a mean diameter of 0, or a number that
// overflows) raise the program's arithmetic errors instead of producing a file with NaN in it;
// more turns than kMaxDrawnTurns raise tooManyTurnsError. Neither function checks the design
// rules: whatever can be computed is drawn.
Outline roundHookOutline(const CoilShape& coil, double hookAngle);
Outline uHookOutline(const CoilShape& coil, const UHookShape& hook);

// The same outlines as the screen draws them. Two details differ from the file: the last turn's
// top wire-end arc starts at 0° like every other turn's, and the right round-hook loop drawn from
// the top of the coil has its outer arc start at 180° + φ together with the inner arc.
Outline roundHookScreenOutline(const CoilShape& coil, double hookAngle);
Outline uHookScreenOutline(const CoilShape& coil, const UHookShape& hook);

// A drawing of this many turns is already a solid bar on the screen and a file of megabytes.
inline constexpr int kMaxDrawnTurns = 10000;

} // namespace hspring
