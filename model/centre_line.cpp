// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/centre_line.h"

#include <algorithm>
#include <cmath>

namespace hspring {

namespace {

Point3 along(Point3 p, double k, Point3 v) {
    return {p.x + k * v.x, p.y + k * v.y, p.z + k * v.z};
}

// The point and the direction of the unrolled cylinder's coordinates (s, z) on the cylinder.
Point3 onCylinder(double radius, double s, double z) {
    const double angle = s / radius;
    return {radius * std::cos(angle), radius * std::sin(angle), z};
}

Point3 cylinderDirection(double radius, double s, double ds, double dz) {
    const double angle = s / radius;
    return unit({-ds * std::sin(angle), ds * std::cos(angle), dz});
}

} // namespace

Point3 pointOn(const CentrePiece& piece, double t) {
    if (const auto* line = std::get_if<LinePiece>(&piece))
        return {line->from.x + t * (line->to.x - line->from.x),
                line->from.y + t * (line->to.y - line->from.y),
                line->from.z + t * (line->to.z - line->from.z)};
    if (const auto* arc = std::get_if<ArcPiece>(&piece)) {
        const double a = t * arc->sweep;
        return along(along(arc->centre, arc->radius * std::cos(a), arc->first),
                     arc->radius * std::sin(a), arc->second);
    }
    if (const auto* helix = std::get_if<HelixPiece>(&piece)) {
        const double a = helix->startAngle + t * helix->sweep;
        return {helix->radius * std::cos(a), helix->radius * std::sin(a),
                helix->startZ + helix->rise * t * helix->sweep};
    }
    const auto& bend = std::get<CylinderArcPiece>(piece);
    const double a = bend.startAngle + t * bend.sweep;
    return onCylinder(bend.cylinderRadius, bend.centreS + bend.radius * std::cos(a),
                      bend.centreZ + bend.radius * std::sin(a));
}

Point3 tangentOn(const CentrePiece& piece, double t) {
    if (const auto* line = std::get_if<LinePiece>(&piece))
        return unit(
            {line->to.x - line->from.x, line->to.y - line->from.y, line->to.z - line->from.z});
    if (const auto* arc = std::get_if<ArcPiece>(&piece)) {
        const double a = t * arc->sweep;
        const double sense = arc->sweep < 0 ? -1 : 1;
        return unit(
            along(along({}, -sense * std::sin(a), arc->first), sense * std::cos(a), arc->second));
    }
    if (const auto* helix = std::get_if<HelixPiece>(&piece)) {
        const double a = helix->startAngle + t * helix->sweep;
        return unit({-helix->radius * std::sin(a), helix->radius * std::cos(a), helix->rise});
    }
    const auto& bend = std::get<CylinderArcPiece>(piece);
    const double a = bend.startAngle + t * bend.sweep;
    const double sense = bend.sweep < 0 ? -1 : 1;
    return cylinderDirection(bend.cylinderRadius, bend.centreS + bend.radius * std::cos(a),
                             -sense * std::sin(a), sense * std::cos(a));
}

double pieceLength(const CentrePiece& piece) {
    if (const auto* line = std::get_if<LinePiece>(&piece))
        return std::hypot(line->to.x - line->from.x, line->to.y - line->from.y,
                          line->to.z - line->from.z);
    if (const auto* arc = std::get_if<ArcPiece>(&piece))
        return arc->radius * std::fabs(arc->sweep);
    if (const auto* helix = std::get_if<HelixPiece>(&piece))
        return std::fabs(helix->sweep) * std::hypot(helix->radius, helix->rise);
    // Unrolling keeps lengths.
    const auto& bend = std::get<CylinderArcPiece>(piece);
    return bend.radius * std::fabs(bend.sweep);
}

double largestCurvature(const CentrePiece& piece) {
    if (std::holds_alternative<LinePiece>(piece))
        return 0;
    if (const auto* arc = std::get_if<ArcPiece>(&piece))
        return 1 / arc->radius;
    if (const auto* helix = std::get_if<HelixPiece>(&piece))
        return helix->radius / (helix->radius * helix->radius + helix->rise * helix->rise);
    // The curve's curvature within the surface and the surface's own, at most 1/R across the
    // coil, add as squares.
    const auto& bend = std::get<CylinderArcPiece>(piece);
    return std::hypot(1 / bend.radius, 1 / bend.cylinderRadius);
}

std::vector<Point3> samplePiece(const CentrePiece& piece, double spacing, double angle) {
    const double length = pieceLength(piece);
    const double turning = length * largestCurvature(piece);
    const double steps = std::max({1.0, std::ceil(length / spacing), std::ceil(turning / angle)});
    const int count = static_cast<int>(std::min(steps, 1e7));
    std::vector<Point3> points;
    points.reserve(static_cast<std::size_t>(count) + 1);
    for (int i = 0; i <= count; ++i)
        points.push_back(pointOn(piece, static_cast<double>(i) / count));
    return points;
}

} // namespace hspring
