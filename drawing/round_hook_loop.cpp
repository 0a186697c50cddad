// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/round_hook_loop.h"

namespace hspring {

RoundHookLoop leftRoundHookLoop(double wireDiameter, double meanDiameter) {
    const long double d = wireDiameter;
    const long double D = meanDiameter;
    RoundHookLoop loop;
    loop.wireRadius = static_cast<double>(d / 2);
    loop.tangentAngle =
        static_cast<double>(radiansToDegrees(roundHookTangentAngle(wireDiameter, meanDiameter)));
    loop.outerAngle =
        static_cast<double>(radiansToDegrees(roundHookOuterAngle(wireDiameter, meanDiameter)));
    loop.centre = {static_cast<double>(-(D / 2 + d / 4)), static_cast<double>(-D / 2)};
    loop.innerRadius = static_cast<double>((D - d) / 2);
    loop.outerRadius = static_cast<double>((D + d) / 2);
    loop.transition = {pointOnCircle({0, 0}, loop.wireRadius, 180 - loop.tangentAngle),
                       pointOnCircle(loop.centre, loop.innerRadius, 360 - loop.tangentAngle)};
    return loop;
}

DrawArc RoundHookLoop::innerArc(double hookAngle) const {
    return {centre, innerRadius, hookAngle, 360 - tangentAngle};
}

DrawArc RoundHookLoop::outerArc(double hookAngle) const {
    return {centre, outerRadius, hookAngle, 360 - outerAngle};
}

DrawSegment RoundHookLoop::cutEnd(double hookAngle) const {
    return {pointOnCircle(centre, innerRadius, hookAngle),
            pointOnCircle(centre, outerRadius, hookAngle)};
}

} // namespace hspring
