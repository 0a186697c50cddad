// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/view_transform.h"

#include "base/checked_float.h"

#include <cmath>

namespace hspring {

ViewTransform fitView(int imageWidth, int imageHeight, double centreX, double centreY, double spanX,
                      double spanY) {
    const long double scaleX = (CheckedFloat(imageWidth) / spanX).value();
    const long double scaleY = (CheckedFloat(imageHeight) / spanY).value();
    ViewTransform view;
    view.x0 = static_cast<double>(centreX - static_cast<long double>(spanX) / 2);
    view.y0 = static_cast<double>(centreY - static_cast<long double>(spanY) / 2);
    view.extentY = spanY;
    if (scaleX >= scaleY) {
        view.scale = static_cast<double>(scaleY);
        view.x0 =
            static_cast<double>(centreX - imageWidth / static_cast<long double>(view.scale) / 2);
    } else {
        view.scale = static_cast<double>(scaleX);
        view.y0 =
            static_cast<double>(centreY - imageHeight / static_cast<long double>(view.scale) / 2);
        view.extentY = static_cast<double>(imageHeight / static_cast<long double>(view.scale));
    }
    return view;
}

namespace {

int roundToPixel(long double value) {
    // Round half to even on the stored double, as the canvas coordinates always were.
    const double rounded = std::nearbyint(static_cast<double>(value));
    if (!(rounded > -kFarPixel)) // also catches NaN
        return -kFarPixel;
    if (rounded > kFarPixel)
        return kFarPixel;
    return static_cast<int>(rounded);
}

} // namespace

PixelPoint toPixel(const ViewTransform& view, DrawPoint point) {
    const long double s = view.scale;
    return {roundToPixel((static_cast<long double>(point.x) - view.x0) * s),
            roundToPixel((view.extentY - (static_cast<long double>(point.y) - view.y0)) * s)};
}

CanvasArc arcOnCanvas(const ViewTransform& view, const DrawArc& arc) {
    const DrawPoint c = arc.centre;
    const double r = arc.radius;
    return {toPixel(view, {c.x + r, c.y - r}), toPixel(view, {c.x - r, c.y + r}),
            toPixel(view, pointOnCircle(c, r, arc.startAngle)),
            toPixel(view, pointOnCircle(c, r, arc.endAngle))};
}

} // namespace hspring
