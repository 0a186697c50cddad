// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"
#include "cli/problem_text.h"
#include "drawing/outline.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace hspring::test {

inline constexpr double kSixPlaces = 5e-7;

inline const DrawArc& arcAt(const Outline& outline, std::size_t index) {
    return std::get<DrawArc>(outline.at(index));
}

inline const DrawSegment& segmentAt(const Outline& outline, std::size_t index) {
    return std::get<DrawSegment>(outline.at(index));
}

inline DrawPoint arcStart(const DrawArc& arc) {
    return pointOnCircle(arc.centre, arc.radius, arc.startAngle);
}

inline DrawPoint arcEnd(const DrawArc& arc) {
    return pointOnCircle(arc.centre, arc.radius, arc.endAngle);
}

inline double distance(DrawPoint a, DrawPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// How far p lies from the line through a and b.
inline double distanceFromLine(DrawPoint p, DrawPoint a, DrawPoint b) {
    return std::abs((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / distance(a, b);
}

// Runs `action` and returns the message of the Error it raised ("" when none).
template <typename Action>
std::string errorOf(Action action) {
    try {
        action();
    } catch (const Error& error) {
        return cli::problemText(error);
    }
    return "";
}

} // namespace hspring::test
