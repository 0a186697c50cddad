// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/loaded_view.h"

#include "base/checked_float.h"
#include "drawing/outline_parts.h"
#include "drawing/round_hook_loop.h"

#include <algorithm>

namespace hspring {

StretchedCoil stretchCoil(const CoilShape& coil, double workingLength) {
    const long double d = coil.wireDiameter;
    const long double D = coil.meanDiameter;
    StretchedCoil stretched;
    stretched.bodyLength = static_cast<double>(workingLength - 2 * (D - d) - d);
    stretched.plan = drawableTurnPlan(coil.totalTurns);
    const long double spaces =
        stretched.plan.lastTurn + 1 + (stretched.plan.halfTurn ? 0.5L : 0.0L);
    const double pitch = static_cast<double>((CheckedFloat(stretched.bodyLength) / spaces).value());
    stretched.turn = makeTurnTemplate(coil.wireDiameter, coil.meanDiameter, pitch);
    return stretched;
}

namespace {

// The rear half-turn runs from the bottom of one turn up to the top of the next, leaning the
// other way; of its two edges only the pieces between the front half-turns are visible.
class RearWire {
public:
    // The edges lie a wire radius across the rear wire's centre line: r·(cos θ, sin θ) as in the
    // template, mirrored to the upper left and the lower right.
    explicit RearWire(const TurnTemplate& base)
        : base_(base), acrossX_(base.topRight.x - base.top.x),
          acrossY_(base.topRight.y - base.top.y) {}

    // From the top of turn i + 1 down along the rear wire's left edge to turn i's right edge.
    DrawSegment upperPiece(int i) const {
        const TurnTemplate turn = base_.turn(i);
        const DrawPoint start = upperLeft(base_.turn(i + 1).top);
        const DrawPoint towards = upperLeft(turn.bottom);
        return {start, intersectLines(start, towards, turn.topRight, turn.bottomRight)};
    }

    // The start of the rear wire's right edge at the bottom of turn i, and a second point of it.
    DrawSegment lowerEdge(int i) const {
        return {lowerRight(base_.turn(i).bottom), lowerRight(base_.turn(i + 1).top)};
    }

    // From the bottom of turn i up along the rear wire's right edge to the left edge of turn i + 1.
    DrawSegment lowerPiece(int i) const {
        const DrawSegment edge = lowerEdge(i);
        const TurnTemplate next = base_.turn(i + 1);
        return {edge.first, intersectLines(edge.first, edge.second, next.topLeft, next.bottomLeft)};
    }

private:
    DrawPoint upperLeft(DrawPoint centre) const {
        return {centre.x - acrossX_, centre.y + acrossY_};
    }
    DrawPoint lowerRight(DrawPoint centre) const {
        return {centre.x + acrossX_, centre.y - acrossY_};
    }

    const TurnTemplate& base_;
    double acrossX_;
    double acrossY_;
};

} // namespace

Outline loadedRoundHookOutline(const CoilShape& coil, double hookAngle, double workingLength) {
    const double d = coil.wireDiameter;
    const double D = coil.meanDiameter;
    const StretchedCoil body = stretchCoil(coil, workingLength);
    const TurnTemplate& base = body.turn;
    const int n = body.plan.lastTurn;
    const double theta = static_cast<double>(radiansToDegrees(base.leadAngle));
    const RoundHookLoop left = leftRoundHookLoop(d, D);
    const double r = left.wireRadius;
    const RearWire rear(base);

    Outline outline;
    for (int i = 0; i <= n; ++i) {
        const TurnTemplate turn = base.turn(i);
        outline.push_back(DrawSegment{turn.topLeft, turn.bottomLeft});
        outline.push_back(DrawSegment{turn.bottomRight, turn.topRight});
        outline.push_back(DrawArc{turn.top, r, theta, 180 + theta});
        outline.push_back(DrawArc{turn.bottom, r, 180 + theta, 360 + theta});
        if (i < n) {
            outline.push_back(rear.upperPiece(i));
            outline.push_back(rear.lowerPiece(i));
        } else if (!body.plan.halfTurn) {
            outline.push_back(rear.upperPiece(i)); // up to the right hook's wire at (m, 0)
        }
    }
    const TurnTemplate lastTurn = base.turn(std::max(n, 0));
    outline.push_back(DrawSegment{lastTurn.topRight, lastTurn.bottomRight});

    // Left hook: the free loop, joined to the stretched first turn by a short piece of its outer
    // edge from the loop's end to the turn's left edge.
    const DrawPoint outerEnd = pointOnCircle(left.centre, left.outerRadius, -left.outerAngle);
    const DrawPoint joinTowards = pointOnCircle({0, 0}, r, -left.outerAngle);
    const DrawSegment leftJoin{
        outerEnd, intersectLines(outerEnd, joinTowards, base.topLeft, base.bottomLeft)};
    outline.insert(outline.end(), {left.transition, left.innerArc(hookAngle),
                                   left.outerArc(hookAngle), leftJoin, left.cutEnd(hookAngle)});

    if (body.plan.halfTurn) {
        // The wire leaves from the bottom: the left hook turned half about the middle of the body,
        // joined to the last turn's right edge.
        const long double p = base.pitch;
        const DrawPoint pivot{static_cast<double>(((n + 1) * p - p / 2) / 2), -D / 2};
        const DrawPoint joinStart = turnedHalf(outerEnd, pivot);
        const DrawPoint towards = pointOnCircle(lastTurn.bottom, r, 180 - left.tangentAngle);
        for (const OutlinePrimitive& primitive :
             {OutlinePrimitive{left.transition}, OutlinePrimitive{left.innerArc(hookAngle)},
              OutlinePrimitive{left.outerArc(hookAngle)}})
            outline.push_back(turnedHalf(primitive, pivot));
        outline.push_back(
            DrawSegment{joinStart, intersectLines(joinStart, towards, lastTurn.topRight,
                                                  lastTurn.bottomRight)});
        outline.push_back(turnedHalf(left.cutEnd(hookAngle), pivot));
    } else {
        // The wire leaves from the top at (m, 0): the left loop mirrored about the middle of the
        // body. The last rear half-turn runs up into the loop's outer edge.
        const double m = body.bodyLength;
        const DrawPoint wireEnd{m, 0};
        const DrawPoint rightCentre{static_cast<double>(m + static_cast<long double>(D) / 2 +
                                                        static_cast<long double>(d) / 4),
                                    -D / 2};
        const double loopStart = 180 + left.tangentAngle;
        const double loopEnd = 540 - hookAngle;
        const DrawSegment outerEdge{pointOnCircle(wireEnd, r, loopStart),
                                    pointOnCircle(rightCentre, left.outerRadius, loopStart)};
        const DrawSegment lastRearEdge = rear.lowerEdge(n);
        const DrawPoint rearMeetsLoop =
            intersectLineCircle(left.outerRadius, rightCentre,
                                lineThroughPoints(lastRearEdge.first, lastRearEdge.second))
                .first;
        const DrawPoint rearMeetsEdge = intersectLines(lastRearEdge.first, lastRearEdge.second,
                                                       outerEdge.first, outerEdge.second);
        outline.push_back(mirrored(left.transition, m / 2));
        outline.push_back(outerEdge);
        outline.push_back(DrawSegment{lastRearEdge.first, rearMeetsLoop});
        outline.push_back(DrawArc{wireEnd, r, left.tangentAngle, 180});
        outline.push_back(DrawArc{rightCentre, left.innerRadius, loopStart, loopEnd});
        outline.push_back(DrawArc{rightCentre, left.outerRadius, loopStart, loopEnd});
        outline.push_back(mirrored(left.cutEnd(hookAngle), m / 2));
        outline.push_back(DrawSegment{lastRearEdge.first, rearMeetsEdge});
    }
    requireFinite(outline);
    return outline;
}

} // namespace hspring
