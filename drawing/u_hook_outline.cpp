// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/outline.h"
#include "drawing/outline_parts.h"

#include <algorithm>

namespace hspring {

namespace {

// The U hook: the wire bends out of the first turn round the bend centre, runs outwards along
// the top of the coil as the leg, turns round a half circle (the U) and comes back along the
// bottom of the coil as the return leg, which ends at the cut, short of the coil by the opening.
Outline buildUHookOutline(const CoilShape& coil, const UHookShape& hook, OutlineTarget target) {
    const double d = coil.wireDiameter;
    const double D = coil.meanDiameter;
    const double R = hook.minRadius;
    const TurnPlan plan = drawableTurnPlan(coil.totalTurns);
    const int n = plan.lastTurn;
    const TurnTemplate base = makeTurnTemplate(d, D, d);
    const double theta = static_cast<double>(radiansToDegrees(base.leadAngle));
    const double r = static_cast<double>(static_cast<long double>(d) / 2);

    const DrawPoint bend = uBendCentre(d, R, base.leadAngle);
    const DrawPoint bendMeet = offsetBy(bend, R, base.leadAngle); // on the first turn's front edge
    const double legEndX = static_cast<double>(bend.x - (static_cast<long double>(hook.hookLength) -
                                                         static_cast<long double>(D) / 2 - R - r));
    const DrawPoint uCentre{legEndX, -D / 2};
    const double cutX = static_cast<double>(-static_cast<long double>(r) - hook.hookOpening);
    const double innerLegY = -r;
    const double outerLegY = r;
    const double innerReturnY = static_cast<double>(-static_cast<long double>(D) + r);
    const double outerReturnY = static_cast<double>(-static_cast<long double>(D) - r);

    const long double bodyEnd = static_cast<long double>(n + 1) * d;
    const DrawPoint pivot{static_cast<double>((bodyEnd - r) / 2), -D / 2};

    const DrawSegment firstEdge{bendMeet, base.bottomLeft};
    const DrawSegment innerLeg{{bend.x, innerLegY}, {legEndX, innerLegY}};
    const DrawSegment outerLeg{{bend.x, outerLegY}, {legEndX, outerLegY}};
    const double innerURadius = static_cast<double>((static_cast<long double>(D) - d) / 2);
    const double outerURadius = static_cast<double>((static_cast<long double>(D) + d) / 2);

    Outline outline;
    // Turn 0 starts at the bend: no top arc.
    outline.push_back(firstEdge);
    outline.push_back(DrawArc{base.bottom, r, 180 + theta, 360});
    for (int i = 1; i <= n; ++i) {
        const TurnTemplate turn = base.turn(i);
        const bool endsAtTop = i == n && plan.halfTurn; // the right bend leaves from its bottom
        outline.push_back(DrawSegment{turn.topLeft, turn.bottomLeft});
        const double topStart = endsAtTop && target == OutlineTarget::File ? theta : 0;
        outline.push_back(DrawArc{turn.top, r, topStart, 180 + theta});
        if (!endsAtTop)
            outline.push_back(DrawArc{turn.bottom, r, 180 + theta, 360});
    }
    const TurnTemplate lastTurn = base.turn(std::max(n, 0));
    const DrawSegment closingEdge{lastTurn.topRight, plan.halfTurn ? turnedHalf(bendMeet, pivot)
                                                                   : lastTurn.bottomRight};
    outline.push_back(closingEdge);

    const Outline bendLegsAndU{
        DrawArc{bend, R, theta, 90},
        DrawArc{bend, R + d, theta, 90},
        innerLeg,
        outerLeg,
        DrawArc{uCentre, innerURadius, 90, 270},
        DrawArc{uCentre, outerURadius, 90, 270},
    };
    outline.insert(outline.end(), bendLegsAndU.begin(), bendLegsAndU.end());
    outline.push_back(DrawSegment{{legEndX, innerReturnY}, {cutX, innerReturnY}});
    outline.push_back(DrawSegment{{legEndX, outerReturnY}, {cutX, outerReturnY}});
    outline.push_back(DrawSegment{{cutX, outerReturnY}, {cutX, innerReturnY}});

    if (plan.halfTurn) {
        // The wire leaves from the bottom: bend, legs and U turned half about the middle; the
        // return legs run along the top of the coil.
        for (const OutlinePrimitive& primitive : bendLegsAndU)
            outline.push_back(turnedHalf(primitive, pivot));
        const double rightLegEndX = turnedHalf(uCentre, pivot).x;
        const double rightCutX = turnedHalf({cutX, 0}, pivot).x;
        outline.push_back(DrawSegment{{rightLegEndX, outerLegY}, {rightCutX, outerLegY}});
        outline.push_back(DrawSegment{{rightLegEndX, innerLegY}, {rightCutX, innerLegY}});
        outline.push_back(DrawSegment{{rightCutX, innerLegY}, {rightCutX, outerLegY}});
    } else {
        // The wire leaves from the top: the mirror image, except that the opening is measured
        // from the wire centre at the coil's end rather than from its outer face.
        const double axis = static_cast<double>(bodyEnd / 2);
        const DrawPoint rightBend = mirrored(bend, axis);
        const DrawPoint rightU = mirrored(uCentre, axis);
        const double rightCutX = static_cast<double>(bodyEnd + hook.hookOpening);
        const DrawPoint outerMeet =
            intersectLineCircle(R + d, rightBend,
                                lineThroughPoints(closingEdge.first, closingEdge.second))
                .first;
        outline.push_back(DrawArc{rightBend, R, 90, 180 - theta});
        outline.push_back(mirrored(firstEdge, axis));
        outline.push_back(DrawArc{rightBend, R + d, 90, angleFromRight(outerMeet, rightBend)});
        outline.push_back(mirrored(innerLeg, axis));
        outline.push_back(mirrored(outerLeg, axis));
        outline.push_back(DrawArc{rightU, innerURadius, 270, 450});
        outline.push_back(DrawArc{rightU, outerURadius, 270, 450});
        outline.push_back(DrawSegment{{rightU.x, innerReturnY}, {rightCutX, innerReturnY}});
        outline.push_back(DrawSegment{{rightU.x, outerReturnY}, {rightCutX, outerReturnY}});
        outline.push_back(DrawSegment{{rightCutX, outerReturnY}, {rightCutX, innerReturnY}});
    }
    requireFinite(outline);
    return outline;
}

} // namespace

Outline uHookOutline(const CoilShape& coil, const UHookShape& hook) {
    return buildUHookOutline(coil, hook, OutlineTarget::File);
}

Outline uHookScreenOutline(const CoilShape& coil, const UHookShape& hook) {
    return buildUHookOutline(coil, hook, OutlineTarget::Screen);
}

} // namespace hspring
