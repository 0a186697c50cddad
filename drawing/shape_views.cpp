// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/shape_views.h"

#include "drawing/loaded_view.h"

namespace hspring {

namespace {

// Every view leaves a tenth of its extent as margin.
constexpr long double kMargin = 1.1L;

// The views are as high as the coil with its wire, centred on the coil axis.
ViewTransform fitSpring(const CoilShape& coil, long double centreX, long double length,
                        int imageWidth, int imageHeight) {
    const long double D = coil.meanDiameter;
    return fitView(imageWidth, imageHeight, static_cast<double>(centreX),
                   static_cast<double>(-D / 2), static_cast<double>(kMargin * length),
                   static_cast<double>(kMargin * (D + coil.wireDiameter)));
}

// The free views centre on the middle of the closely wound body, (N + 0.5)·d/2.
long double freeBodyCentre(const CoilShape& coil) {
    return (coil.totalTurns + 0.5L) * coil.wireDiameter / 2;
}

} // namespace

ShapeDrawing freeRoundHookDrawing(const CoilShape& coil, double hookAngle, double frameLength,
                                  int imageWidth, int imageHeight) {
    Outline outline = roundHookScreenOutline(coil, hookAngle);
    return {fitSpring(coil, freeBodyCentre(coil), frameLength, imageWidth, imageHeight),
            std::move(outline)};
}

ShapeDrawing loadedRoundHookDrawing(const CoilShape& coil, double hookAngle, double workingLength,
                                    double frameLength, int imageWidth, int imageHeight) {
    Outline outline = loadedRoundHookOutline(coil, hookAngle, workingLength);
    const long double bodyLength = stretchCoil(coil, workingLength).bodyLength;
    return {fitSpring(coil, bodyLength / 2, frameLength, imageWidth, imageHeight),
            std::move(outline)};
}

ShapeDrawing freeUHookDrawing(const CoilShape& coil, const UHookShape& hook, int imageWidth,
                              int imageHeight) {
    Outline outline = uHookScreenOutline(coil, hook);
    const long double length = static_cast<long double>(coil.wireDiameter) * (coil.totalTurns + 1) +
                               2.0L * hook.hookLength;
    return {fitSpring(coil, freeBodyCentre(coil), length, imageWidth, imageHeight),
            std::move(outline)};
}

} // namespace hspring
