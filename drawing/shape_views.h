// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/outline.h"
#include "drawing/view_transform.h"

namespace hspring {

// The spring shape view: the image it is drawn into and the three pictures it shows.
inline constexpr int kShapeViewWidth = 641;
inline constexpr int kShapeViewHeight = 225;

// A picture of the spring: the primitives in millimetres and where they land in the image.
struct ShapeDrawing {
    ViewTransform view;
    Outline outline;
};

// The free spring with round hooks. The frame is that of the longer working length, so that the
// free and the two loaded views share one scale and the spring grows from view to view.
ShapeDrawing freeRoundHookDrawing(const CoilShape& coil, double hookAngle, double frameLength,
                                  int imageWidth, int imageHeight);

// The spring with round hooks stretched to `workingLength`, in the frame of `frameLength`.
ShapeDrawing loadedRoundHookDrawing(const CoilShape& coil, double hookAngle, double workingLength,
                                    double frameLength, int imageWidth, int imageHeight);

// The free spring with U hooks, framed to its own extent.
ShapeDrawing freeUHookDrawing(const CoilShape& coil, const UHookShape& hook, int imageWidth,
                              int imageHeight);

} // namespace hspring
