// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/outline_parts.h"

#include "base/checked_float.h"

#include <cmath>
#include <string>

namespace hspring {

Error tooManyTurnsError() {
    return Error(Problem::TooManyTurns, std::to_string(kMaxDrawnTurns));
}

TurnPlan drawableTurnPlan(double totalTurns) {
    const TurnPlan plan = planTurns(totalTurns);
    if (plan.lastTurn >= kMaxDrawnTurns)
        throw tooManyTurnsError();
    return plan;
}

DrawPoint mirrored(DrawPoint p, double axisX) {
    return {static_cast<double>(2 * static_cast<long double>(axisX) - p.x), p.y};
}

DrawSegment mirrored(const DrawSegment& segment, double axisX) {
    return {mirrored(segment.first, axisX), mirrored(segment.second, axisX)};
}

DrawPoint turnedHalf(DrawPoint p, DrawPoint pivot) {
    return {static_cast<double>(2 * static_cast<long double>(pivot.x) - p.x),
            static_cast<double>(2 * static_cast<long double>(pivot.y) - p.y)};
}

OutlinePrimitive turnedHalf(const OutlinePrimitive& primitive, DrawPoint pivot) {
    if (const auto* segment = std::get_if<DrawSegment>(&primitive))
        return DrawSegment{turnedHalf(segment->first, pivot), turnedHalf(segment->second, pivot)};
    const auto& arc = std::get<DrawArc>(primitive);
    return DrawArc{turnedHalf(arc.centre, pivot), arc.radius, arc.startAngle + 180,
                   arc.endAngle + 180};
}

double angleFromRight(DrawPoint p, DrawPoint centre) {
    const long double dx = static_cast<long double>(p.x) - centre.x;
    const long double dy = static_cast<long double>(p.y) - centre.y;
    return static_cast<double>(180 + radiansToDegrees(std::atan(dy / dx)));
}

DrawPoint offsetBy(DrawPoint p, double length, double angleRadians) {
    const long double angle = angleRadians;
    return {static_cast<double>(p.x + length * std::cos(angle)),
            static_cast<double>(p.y + length * std::sin(angle))};
}

namespace {

void requireFinite(double value) {
    if (std::isnan(value))
        throwInvalidOperation();
    if (std::isinf(value))
        throwOverflow();
}

void requireFinite(DrawPoint p) {
    requireFinite(p.x);
    requireFinite(p.y);
}

} // namespace

void requireFinite(const Outline& outline) {
    for (const OutlinePrimitive& primitive : outline) {
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            requireFinite(segment->first);
            requireFinite(segment->second);
        } else {
            const auto& arc = std::get<DrawArc>(primitive);
            requireFinite(arc.centre);
            requireFinite(arc.radius);
            requireFinite(arc.startAngle);
            requireFinite(arc.endAngle);
        }
    }
}

} // namespace hspring
