// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/outline.h"
#include "drawing/outline_parts.h"
#include "drawing/round_hook_loop.h"

#include <algorithm>

namespace hspring {

namespace {

Outline buildRoundHookOutline(const CoilShape& coil, double hookAngle, OutlineTarget target) {
    const double d = coil.wireDiameter;
    const double D = coil.meanDiameter;
    const TurnPlan plan = drawableTurnPlan(coil.totalTurns);
    const int n = plan.lastTurn;
    const TurnTemplate base = makeTurnTemplate(d, D, d);
    const double theta = static_cast<double>(radiansToDegrees(base.leadAngle));
    const RoundHookLoop left = leftRoundHookLoop(d, D);
    const double r = left.wireRadius;

    Outline outline;
    // The front half of every turn: its left edge and the two wire-end arcs. The last turn's arcs
    // end where its closing edge starts and ends.
    for (int i = 0; i <= n; ++i) {
        const TurnTemplate turn = base.turn(i);
        const bool last = i == n;
        outline.push_back(DrawSegment{turn.topLeft, turn.bottomLeft});
        outline.push_back(
            DrawArc{turn.top, r, last && target == OutlineTarget::File ? theta : 0, 180 + theta});
        outline.push_back(DrawArc{turn.bottom, r, 180 + theta, last ? 360 + theta : 360});
    }
    const TurnTemplate lastTurn = base.turn(std::max(n, 0));
    const DrawSegment closingEdge{lastTurn.topRight, lastTurn.bottomRight};
    outline.push_back(closingEdge);

    const Outline leftHook{left.transition, left.innerArc(hookAngle), left.outerArc(hookAngle),
                           left.cutEnd(hookAngle)};
    outline.insert(outline.end(), leftHook.begin(), leftHook.end());

    const long double bodyEnd = static_cast<long double>(n + 1) * d; // x of the right hook's wire
    if (plan.halfTurn) {
        // The wire leaves from the bottom of the coil: the left hook turned half about the middle.
        const DrawPoint pivot{static_cast<double>((bodyEnd - static_cast<long double>(d) / 2) / 2),
                              -D / 2};
        for (const OutlinePrimitive& primitive : leftHook)
            outline.push_back(turnedHalf(primitive, pivot));
    } else {
        // The wire leaves from the top: the left hook mirrored about the middle of the coil.
        const double axis = static_cast<double>(bodyEnd / 2);
        const DrawPoint rightCentre{static_cast<double>(bodyEnd + static_cast<long double>(D) / 2 +
                                                        static_cast<long double>(d) / 4),
                                    -D / 2};
        const double loopStart = 180 + left.tangentAngle;
        const double loopEnd = 540 - hookAngle;
        // The file starts the outer arc where it meets the closing edge; the screen starts it
        // together with the inner arc.
        double outerStart = loopStart;
        if (target == OutlineTarget::File) {
            const DrawPoint meet =
                intersectLineCircle(left.outerRadius, rightCentre,
                                    lineThroughPoints(closingEdge.first, closingEdge.second))
                    .second;
            outerStart = angleFromRight(meet, rightCentre);
        }
        outline.push_back(mirrored(left.transition, axis));
        outline.push_back(DrawArc{{static_cast<double>(bodyEnd), 0}, r, left.tangentAngle, 180});
        outline.push_back(DrawArc{rightCentre, left.innerRadius, loopStart, loopEnd});
        outline.push_back(DrawArc{rightCentre, left.outerRadius, outerStart, loopEnd});
        outline.push_back(mirrored(left.cutEnd(hookAngle), axis));
    }
    requireFinite(outline);
    return outline;
}

} // namespace

Outline roundHookOutline(const CoilShape& coil, double hookAngle) {
    return buildRoundHookOutline(coil, hookAngle, OutlineTarget::File);
}

Outline roundHookScreenOutline(const CoilShape& coil, double hookAngle) {
    return buildRoundHookOutline(coil, hookAngle, OutlineTarget::Screen);
}

} // namespace hspring
