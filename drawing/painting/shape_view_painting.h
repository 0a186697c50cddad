// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/shape_views.h"

#include <QPainter>
#include <QSize>

namespace hspring {

// The spring shape view Image2. Each routine works out the whole picture first, so that a fault
// in the geometry (an arithmetic error) leaves the painter untouched; then it fills the image
// white and draws every primitive with a blue pen one pixel wide. Primitives outside the image
// are clipped.
inline constexpr QSize kShapeViewSize{kShapeViewWidth, kShapeViewHeight};

// The free spring with round hooks, in the frame of the longer working length L2.
void drawFreeRoundHook(QPainter& painter, const CoilShape& coil, double hookAngle,
                       double frameLength);

// The spring with round hooks stretched to `workingLength` (L1 or L2), in the frame of L2.
void drawLoadedRoundHook(QPainter& painter, const CoilShape& coil, double hookAngle,
                         double workingLength, double frameLength);

// The free spring with U hooks, framed to its own extent.
void drawFreeUHook(QPainter& painter, const CoilShape& coil, const UHookShape& hook);

// Draws the primitives with the painter's pen: a segment as a line between its pixel ends, an
// arc the way the canvas draws it from its bounding rectangle and end points.
void paintOutline(QPainter& painter, const ViewTransform& view, const Outline& outline);

} // namespace hspring
