// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/geometry.h"

namespace hspring {

// Maps millimetres to the pixels of an image: the model point (x0, y0 + extentY) lands on the
// image's top-left corner, and one millimetre is `scale` pixels along both axes.
struct ViewTransform {
    double x0 = 0;
    double y0 = 0;
    double extentY = 0;
    double scale = 0;
};

// The largest scale at which a span of spanX × spanY mm about (centreX, centreY) fits the image;
// the drawing is centred along the axis with room to spare. The spans already hold the margin.
ViewTransform fitView(int imageWidth, int imageHeight, double centreX, double centreY, double spanX,
                      double spanY);

struct PixelPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// The pixel of a model point, rounded half to even; the image's y axis points down. Points far
// outside the image are held at ±kFarPixel, where the canvas clips them all the same.
inline constexpr int kFarPixel = 1 << 24;
PixelPoint toPixel(const ViewTransform& view, DrawPoint point);

// An arc as the canvas draws it: the circle's bounding rectangle given by two opposite corners
// (in either order) and two points whose rays from the rectangle's centre mark where the arc
// starts and ends; the canvas runs counterclockwise on the screen from start to end.
struct CanvasArc {
    PixelPoint corner;
    PixelPoint oppositeCorner;
    PixelPoint start;
    PixelPoint end;

    friend bool operator==(const CanvasArc&, const CanvasArc&) = default;
};

CanvasArc arcOnCanvas(const ViewTransform& view, const DrawArc& arc);

} // namespace hspring
