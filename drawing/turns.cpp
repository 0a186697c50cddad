// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/turns.h"

#include "base/checked_float.h"

#include <climits>
#include <cmath>

namespace hspring {

TurnTemplate TurnTemplate::turn(int index) const {
    const long double shift = static_cast<long double>(index) * pitch;
    const auto moved = [shift](DrawPoint p) {
        return DrawPoint{static_cast<double>(p.x + shift), p.y};
    };
    TurnTemplate result = *this;
    for (DrawPoint* point : {&result.top, &result.topRight, &result.topLeft, &result.bottom,
                             &result.bottomLeft, &result.bottomRight})
        *point = moved(*point);
    return result;
}

TurnTemplate makeTurnTemplate(double wireDiameter, double meanDiameter, double pitch) {
    const long double theta =
        std::atan((CheckedFloat(static_cast<long double>(pitch) / 2) / meanDiameter).value());
    const long double r = static_cast<long double>(wireDiameter) / 2;
    const double offsetX = static_cast<double>(r * std::cos(theta));
    const double offsetY = static_cast<double>(r * std::sin(theta));
    const DrawPoint bottom{static_cast<double>(static_cast<long double>(pitch) / 2), -meanDiameter};

    TurnTemplate t;
    t.pitch = pitch;
    t.leadAngle = static_cast<double>(theta);
    t.top = {0, 0};
    t.topRight = {offsetX, offsetY};
    t.topLeft = {-offsetX, -offsetY};
    t.bottom = bottom;
    t.bottomLeft = {bottom.x - offsetX, bottom.y - offsetY};
    t.bottomRight = {bottom.x + offsetX, bottom.y + offsetY};
    return t;
}

TurnPlan planTurns(double totalTurns) {
    const double whole = std::trunc(totalTurns);
    if (!std::isfinite(whole) || whole < INT_MIN + 1.0 || whole > INT_MAX - 1.0)
        throwInvalidOperation();
    const int n = static_cast<int>(whole);
    const double fraction = totalTurns - whole;
    if (fraction < 0.25)
        return {n - 1, false};
    if (fraction < 0.75)
        return {n, true};
    return {n, false};
}

} // namespace hspring
