// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <variant>
#include <vector>

namespace hspring {

// The centre line of the spring's wire in space, in millimetres: the model's axes have the coil
// axis along z, the first hook at the bottom with its inner end at the origin, the second hook at
// the top. The pieces join with a common tangent, so that a circle of the wire's diameter swept
// along them makes one smooth solid.

struct Point3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

// The arithmetic of points and directions the centre line and the mesh written from it share.
inline Point3 operator+(Point3 a, Point3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Point3 operator-(Point3 a, Point3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Point3 operator*(double k, Point3 a) {
    return {k * a.x, k * a.y, k * a.z};
}
inline double dot(Point3 a, Point3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Point3 cross(Point3 a, Point3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double norm(Point3 a) {
    return std::sqrt(dot(a, a));
}
inline Point3 unit(Point3 a) {
    const double n = norm(a);
    return {a.x / n, a.y / n, a.z / n};
}

// A straight piece from `from` to `to`.
struct LinePiece {
    Point3 from;
    Point3 to;
};

// A circle arc: centre + radius·(cos a·first + sin a·second) for a from 0 to sweep (radians);
// `first` and `second` are orthonormal, `second` the direction of travel at the start.
struct ArcPiece {
    Point3 centre;
    double radius = 0;
    Point3 first;
    Point3 second;
    double sweep = 0;
};

// The body's helix about the z axis, right-handed: (R cos a, R sin a, startZ + rise·(a - start))
// for a from startAngle to startAngle + sweep.
struct HelixPiece {
    double radius = 0;
    double startAngle = 0;
    double sweep = 0;
    double rise = 0; // mm along z per radian: the pitch / 2π
    double startZ = 0;
};

// A circle arc drawn on the body's cylinder (radius about the z axis) as if the cylinder were
// unrolled: in the surface coordinates (s, z), s = cylinderRadius·angle, the arc is
// centre + radius·(cos a, sin a) for a from startAngle to startAngle + sweep. The U hook's bend
// leaves the helix this way, staying on the coil's surface.
struct CylinderArcPiece {
    double cylinderRadius = 0;
    double centreS = 0;
    double centreZ = 0;
    double radius = 0;
    double startAngle = 0;
    double sweep = 0;
};

using CentrePiece = std::variant<LinePiece, ArcPiece, HelixPiece, CylinderArcPiece>;

// The point at t (0 at the start, 1 at the end) of a piece, its unit tangent in the direction of
// travel, and its length.
Point3 pointOn(const CentrePiece& piece, double t);
Point3 tangentOn(const CentrePiece& piece, double t);
double pieceLength(const CentrePiece& piece);

// The most the piece turns per millimetre (its largest curvature, 1/mm; an upper bound for the
// cylinder arc): a wire swept along it stays a solid only while this is below 2/d.
double largestCurvature(const CentrePiece& piece);

// Points along the piece no farther apart than `spacing` (mm) and turning by at most `angle`
// (radians) from one to the next, from its start to its end inclusive.
std::vector<Point3> samplePiece(const CentrePiece& piece, double spacing, double angle);

// The whole wire: the pieces from the first hook's cut end to the second's.
struct SpringCentreLine {
    std::vector<CentrePiece> pieces;
    double wireDiameter = 0;
    // The pieces describe a right-handed coil; a left-handed spring is their mirror image in the
    // plane y = 0 (the plane of the first hook), which the files apply.
    bool leftHanded = false;
    double wireLength = 0;       // along the centre line, mm
    double innerEndDistance = 0; // between the hooks' inner ends, mm (the top one at z = this)
    double closedLength = 0;     // between the inner ends when close-wound, mm
    double pitch = 0;            // of the body's turns, mm
    double outerDiameter = 0;    // of the body, mm
};

} // namespace hspring
