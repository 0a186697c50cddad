// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/spring_constants.h"

namespace hspring {

// Plane geometry of the spring's side view, in millimetres. Model axes: x runs along the coil axis
// from left to right, y points up; the origin is the centre of the wire at the top of the first
// turn, the coil axis is the line y = -D/2.
//
// Values are computed in long double and rounded to double where they are stored, so that the
// figures written to the DXF file do not depend on the evaluation order of the compiler.

struct DrawPoint {
    double x = 0;
    double y = 0;

    friend bool operator==(const DrawPoint&, const DrawPoint&) = default;
};

// A circle arc drawn counterclockwise (model axes, y up) from startAngle to endAngle, both in
// degrees from the +x axis. An end angle beyond 360 stays as computed (for example 460).
struct DrawArc {
    DrawPoint centre;
    double radius = 0;
    double startAngle = 0;
    double endAngle = 0;

    friend bool operator==(const DrawArc&, const DrawArc&) = default;
};

// A straight piece of wire edge from `first` to `second`; the direction is kept in the DXF file.
struct DrawSegment {
    DrawPoint first;
    DrawPoint second;

    friend bool operator==(const DrawSegment&, const DrawSegment&) = default;
};

long double degreesToRadians(long double degrees);
long double radiansToDegrees(long double radians);

// arcsin and arccos formed through arctan, as all angles of the drawing are: the results differ
// from the library functions in the last bits, and the file keeps 15 digits.
long double arcSin(long double x);
long double arcCos(long double x);

// The point at `angleDegrees` on the circle of `radius` about `centre`.
DrawPoint pointOnCircle(DrawPoint centre, double radius, double angleDegrees);

// The line y = slope·x + intercept.
struct SlopeIntercept {
    double slope = 0;
    double intercept = 0;
};

// The line through a and b. Two points with equal x have no slope: the division by zero stops
// the drawing with the arithmetic error, as every other arithmetic fault of the program does.
SlopeIntercept lineThroughPoints(DrawPoint a, DrawPoint b);

// The intersection of the line through p1, p2 with the line through p3, p4. Parallel lines have
// none and raise the division-by-zero error.
DrawPoint intersectLines(DrawPoint p1, DrawPoint p2, DrawPoint p3, DrawPoint p4);

// The two points where the line meets the circle of `radius` about `centre`, `first` with the
// smaller x. A line that misses the circle yields twice the point of the line nearest the
// centre; this never fails.
struct LineCirclePoints {
    DrawPoint first;
    DrawPoint second;
};
LineCirclePoints intersectLineCircle(double radius, DrawPoint centre, SlopeIntercept line);

// The angle φ (radians) of the internal common tangent of the first turn's top wire circle
// (radius d/2 about the origin) and the round hook's inner loop circle: it touches the wire
// circle at the polar angle 180° - φ and the loop circle at 360° - φ.
double roundHookTangentAngle(double wireDiameter, double meanDiameter);

// The angle ψ (radians) below the horizontal at which the round hook's outer loop circle meets
// the first turn's front edge.
double roundHookOuterAngle(double wireDiameter, double meanDiameter);

// The centre of the U hook's bend at the left end: the circle of radius d/2 + minRadius about it
// touches the first turn's wire centre line (leaning by `leadAngle` radians from the vertical)
// and the line y = 0.
DrawPoint uBendCentre(double wireDiameter, double minRadius, double leadAngle);

} // namespace hspring
