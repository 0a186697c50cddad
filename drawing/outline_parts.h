// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Building blocks shared by the outline builders of the free and the loaded views.

#include "base/error.h"
#include "drawing/outline.h"
#include "drawing/turns.h"

namespace hspring {

enum class OutlineTarget { File, Screen };

// planTurns, refusing more turns than a drawing can hold (tooManyTurnsError).
TurnPlan drawableTurnPlan(double totalTurns);
Error tooManyTurnsError();

// Mirroring in the vertical line x = axisX.
DrawPoint mirrored(DrawPoint p, double axisX);
DrawSegment mirrored(const DrawSegment& segment, double axisX);

// Turning by 180° about `pivot`: every point P becomes 2·pivot - P, every arc angle grows by 180.
DrawPoint turnedHalf(DrawPoint p, DrawPoint pivot);
OutlinePrimitive turnedHalf(const OutlinePrimitive& primitive, DrawPoint pivot);

// The polar angle in degrees of a point about a centre to its right, 180 + arctan(Δy/Δx): the
// angles where a loop arc meets a wire edge.
double angleFromRight(DrawPoint p, DrawPoint centre);

// p + length·(cos angle, sin angle), angle in radians.
DrawPoint offsetBy(DrawPoint p, double length, double angleRadians);

// Raises the invalid-operation or overflow error when a number of the outline is not finite, so
// that neither the screen nor a file ever receives NaN or infinity.
void requireFinite(const Outline& outline);

} // namespace hspring
