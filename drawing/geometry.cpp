// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/geometry.h"

#include "base/checked_float.h"

#include <cmath>

namespace hspring {

namespace {

// π/2 exactly as the tangent angle has always used it: the double nearest to it, not kPi / 2.
constexpr long double kTangentHalfPi = 1.5707963267948966;

long double quotient(long double numerator, long double denominator) {
    return (CheckedFloat(numerator) / denominator).value();
}

} // namespace

long double degreesToRadians(long double degrees) {
    return degrees * kPi / 180;
}

long double radiansToDegrees(long double radians) {
    return radians * 180 / kPi;
}

long double arcSin(long double x) {
    return std::atan(x / std::sqrt(1 - x * x));
}

long double arcCos(long double x) {
    return std::atan(std::sqrt(1 - x * x) / x);
}

DrawPoint pointOnCircle(DrawPoint centre, double radius, double angleDegrees) {
    const long double angle = degreesToRadians(angleDegrees);
    return {static_cast<double>(centre.x + radius * std::cos(angle)),
            static_cast<double>(centre.y + radius * std::sin(angle))};
}

SlopeIntercept lineThroughPoints(DrawPoint a, DrawPoint b) {
    const long double slope =
        quotient(static_cast<long double>(a.y) - b.y, static_cast<long double>(a.x) - b.x);
    return {static_cast<double>(slope), static_cast<double>(a.y - slope * a.x)};
}

DrawPoint intersectLines(DrawPoint p1, DrawPoint p2, DrawPoint p3, DrawPoint p4) {
    const long double a1 = static_cast<long double>(p2.y) - p1.y;
    const long double b1 = static_cast<long double>(p1.x) - p2.x;
    const long double c1 =
        static_cast<long double>(p1.x) * p2.y - static_cast<long double>(p2.x) * p1.y;
    const long double a2 = static_cast<long double>(p4.y) - p3.y;
    const long double b2 = static_cast<long double>(p3.x) - p4.x;
    const long double c2 =
        static_cast<long double>(p3.x) * p4.y - static_cast<long double>(p4.x) * p3.y;
    return {static_cast<double>(quotient(c1 * b2 - c2 * b1, a1 * b2 - a2 * b1)),
            static_cast<double>(quotient(c1 * a2 - c2 * a1, a2 * b1 - a1 * b2))};
}

LineCirclePoints intersectLineCircle(double radius, DrawPoint centre, SlopeIntercept line) {
    const long double slope = line.slope;
    const long double intercept = line.intercept;
    const long double cx = centre.x;
    const long double cy = centre.y;
    const long double o = slope * slope + 1;
    const long double m = -2 * cx + 2 * slope * intercept - 2 * slope * cy;
    const long double k = cx * cx + intercept * intercept - 2 * cy * intercept + cy * cy -
                          static_cast<long double>(radius) * radius;
    long double discriminant = m * m - 4 * o * k;
    // A line that misses the circle still gets a point: the one nearest the centre.
    if (discriminant < 0)
        discriminant = 0;
    const auto pointAt = [&](long double x) {
        const double storedX = static_cast<double>(x);
        return DrawPoint{storedX, static_cast<double>(slope * storedX + intercept)};
    };
    return {pointAt((-m - std::sqrt(discriminant)) / (2 * o)),
            pointAt((-m + std::sqrt(discriminant)) / (2 * o))};
}

double roundHookTangentAngle(double wireDiameter, double meanDiameter) {
    const long double a = static_cast<long double>(wireDiameter) / 2;
    const long double b = static_cast<long double>(meanDiameter) / 2;
    const long double x = -(a / 2 + b);
    const long double y = -b;
    const long double r = std::sqrt(x * x + y * y);
    return static_cast<double>(kTangentHalfPi - arcSin(quotient(b, r)) - std::atan(quotient(y, x)));
}

double roundHookOuterAngle(double wireDiameter, double meanDiameter) {
    const long double a = static_cast<long double>(wireDiameter) / 2;
    const long double b = static_cast<long double>(meanDiameter) / 2;
    const long double alpha = std::atan(quotient(a / 2, b));
    const long double u = std::cos(alpha) - quotient(a, a + b);
    return static_cast<double>(arcCos(u) - alpha);
}

DrawPoint uBendCentre(double wireDiameter, double minRadius, double leadAngle) {
    const long double g = static_cast<long double>(wireDiameter) / 2 + minRadius;
    const long double delta = (kPi / 2 - leadAngle) / 2;
    return {static_cast<double>(-g * quotient(std::cos(leadAngle + delta), std::cos(delta))),
            static_cast<double>(-g)};
}

} // namespace hspring
