// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/spring_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <unordered_map>
#include <utility>

namespace hspring {

namespace {

// The model works in double: its figures are millimetres for a CAD program, not shown values.
constexpr double kPiD = std::numbers::pi;

// Close-wound turns are wound this share of d apart, so that neighbouring turns of the solid
// just miss each other instead of touching along a line, which CAD programs take badly.
constexpr double kTurnGap = 1e-3;

// One hook built at the start of a right-handed helix that leaves angle 0 at z = 0 and rises
// from there: its pieces in the order the wire runs from the body out to the cut.
struct Hook {
    std::vector<CentrePiece> fromBody;
    // How far the hook is slid back along the helix, radians, so that the body keeps its N turns:
    // the U hook's bend comes on top of the turns, as its wire length counts it; the round hook's
    // bend rounds the drawing's sharp corner, half of it before the corner and half after.
    double slideAngle = 0;
    double leavingAngle = 0; // where the bend leaves the helix before the slide, radians
    double innerEnd = 0;     // how far below z = 0 the hook's inner end lies, mm
};

using HookOutcome = std::variant<Hook, ModelRefusal>;

// ---- round hook ---------------------------------------------------------------------------

// The corner the wire turns at the coil's edge, for the wire leaving the helix at `angle`: the
// helix's tangent there meets the loop's plane y = 0 at the corner, from which the straight
// piece runs to the loop, touching it.
struct EdgeCorner {
    Point3 leaving;   // on the helix
    Point3 inward;    // the direction the wire arrives in, from the helix
    Point3 corner;    // where the tangent meets the plane y = 0
    Point3 touch;     // where the straight piece touches the loop
    Point3 outward;   // the straight piece's direction
    double reach = 0; // from the helix to the corner (= from the corner to the bend's end)
    double turn = 0;  // the angle the wire turns by at the corner
    bool ok = false;
};

EdgeCorner edgeCorner(double radius, double rise, double angle) {
    EdgeCorner c;
    c.leaving = {radius * std::cos(angle), radius * std::sin(angle), rise * angle};
    c.inward = unit({radius * std::sin(angle), -radius * std::cos(angle), -rise});
    c.corner = {radius / std::cos(angle), 0, rise * (angle - std::tan(angle))};
    c.reach = std::tan(angle) * std::hypot(radius, rise);
    // The loop: radius R about (0, 0, -R) in the plane y = 0. Of the two tangents from the
    // corner, the one the wire runs along into the loop's direction of travel.
    const Point3 centre{0, 0, -radius};
    const Point3 v = c.corner - centre;
    const double distance = norm(v);
    if (!(distance > radius))
        return c;
    const double spread = std::acos(radius / distance);
    const double base = std::atan2(v.z, v.x);
    for (const double side : {-1.0, 1.0}) {
        const double a = base + side * spread;
        const Point3 touch{radius * std::cos(a), 0, -radius + radius * std::sin(a)};
        // The loop runs from its top towards -x: at the angle a about its centre it travels
        // along (-sin a, 0, cos a).
        const Point3 loopTravel{-std::sin(a), 0, std::cos(a)};
        if (dot(touch - c.corner, loopTravel) > 0) {
            c.touch = touch;
            c.outward = unit(touch - c.corner);
            c.turn = std::acos(std::clamp(dot(c.inward, c.outward), -1.0, 1.0));
            c.ok = norm(touch - c.corner) > c.reach;
            return c;
        }
    }
    return c;
}

HookOutcome roundHook(double d, double radius, double rise, double hookAngleDegrees) {
    if (!(hookAngleDegrees >= 0 && hookAngleDegrees < 360))
        return ModelRefusal{ModelProblem::HookAngleOutside};
    // The centre-line radius of the bend at the coil's edge: inner radius d/2, less on a coil too
    // small to take it between its edge and its axis.
    const double bendRadius = std::min(d, radius / 2);
    const auto radiusAt = [&](double angle) {
        const EdgeCorner c = edgeCorner(radius, rise, angle);
        return c.reach / std::tan(c.turn / 2);
    };
    // The radius grows with the angle from 0 until the corner moves too far out; the first angle
    // that reaches the bend's radius is the one.
    double low = 0;
    double high = 0;
    for (double step = 0.01; high < kPiD / 2 - step && !(radiusAt(high) >= bendRadius);)
        low = std::exchange(high, high + step);
    if (!(radiusAt(high) >= bendRadius))
        return ModelRefusal{ModelProblem::BendDoesNotFit};
    for (int i = 0; i < 60; ++i) {
        const double middle = (low + high) / 2;
        (radiusAt(middle) < bendRadius ? low : high) = middle;
    }
    const double angle = (low + high) / 2;
    const EdgeCorner c = edgeCorner(radius, rise, angle);
    if (!c.ok)
        return ModelRefusal{ModelProblem::BendDoesNotFit};

    const Point3 towardCentre = unit(c.outward - dot(c.outward, c.inward) * c.inward);
    const Point3 bendCentre = c.leaving + bendRadius * towardCentre;
    const Point3 bendEnd = c.corner + c.reach * c.outward;

    // The loop runs from the touch point through the far end, its angle b counted from the
    // loop's top (0, 0, 0) towards -x: the point (-R sin b, 0, -R + R cos b). It ends at the
    // hook angle, counted as the drawing counts it: b = 360° - hook angle.
    const Point3 loopCentre{0, 0, -radius};
    const Point3 fromCentre = c.touch - loopCentre;
    const double touchAngle = std::atan2(-fromCentre.x, fromCentre.z);
    const double endAngle = 2 * kPiD - hookAngleDegrees * kPiD / 180;
    if (!(endAngle > touchAngle))
        return ModelRefusal{ModelProblem::HookAngleOutside};

    Hook hook;
    hook.leavingAngle = angle;
    hook.slideAngle = angle / 2;
    hook.innerEnd = 2 * radius - d / 2;
    hook.fromBody.push_back(ArcPiece{bendCentre, bendRadius, -1 * towardCentre, c.inward, c.turn});
    hook.fromBody.push_back(LinePiece{bendEnd, c.touch});
    hook.fromBody.push_back(ArcPiece{loopCentre, radius, unit(fromCentre),
                                     Point3{-std::cos(touchAngle), 0, -std::sin(touchAngle)},
                                     endAngle - touchAngle});
    return hook;
}

// ---- U hook -------------------------------------------------------------------------------

HookOutcome uHook(double d, double radius, double rise, const UHookShape& shape) {
    const double r = d / 2;
    if (!(shape.minRadius > 0))
        return ModelRefusal{ModelProblem::UHookDoesNotFit};
    // The bend on the coil's surface: radius G about (G, zc) in the unrolled coordinates, touching
    // the helix z = t·s and the leg s = 0.
    const double g = shape.minRadius + r;
    const double t = rise / radius;
    const double lean = std::atan(t);
    const double bendCentreZ = -g * (std::sqrt(1 + t * t) - t);
    const double legEnd = bendCentreZ - (shape.hookLength - radius - g);
    const double cut = -r - shape.hookOpening;
    if (!(shape.hookLength - radius - g >= 0 && cut >= legEnd))
        return ModelRefusal{ModelProblem::UHookDoesNotFit};

    Hook hook;
    hook.leavingAngle = g * (1 - std::sin(lean)) / radius;
    hook.slideAngle = hook.leavingAngle;
    hook.innerEnd = -(legEnd - radius + r);
    hook.fromBody.push_back(
        CylinderArcPiece{radius, g, bendCentreZ, g, kPiD / 2 + lean, kPiD / 2 - lean});
    if (bendCentreZ > legEnd)
        hook.fromBody.push_back(LinePiece{{radius, 0, bendCentreZ}, {radius, 0, legEnd}});
    hook.fromBody.push_back(ArcPiece{{0, 0, legEnd}, radius, {1, 0, 0}, {0, 0, -1}, kPiD});
    if (cut > legEnd)
        hook.fromBody.push_back(LinePiece{{-radius, 0, legEnd}, {-radius, 0, cut}});
    return hook;
}

// ---- assembling ---------------------------------------------------------------------------

// A hook's pieces moved as one rigid body by `motion`, which maps points and directions and says
// where a bend on the coil's surface (kept in the surface's own coordinates) goes.
template <typename Motion>
CentrePiece moved(const CentrePiece& piece, const Motion& motion) {
    if (const auto* line = std::get_if<LinePiece>(&piece))
        return LinePiece{motion.point(line->from), motion.point(line->to)};
    if (const auto* arc = std::get_if<ArcPiece>(&piece))
        return ArcPiece{motion.point(arc->centre), arc->radius, motion.vector(arc->first),
                        motion.vector(arc->second), arc->sweep};
    if (const auto* bend = std::get_if<CylinderArcPiece>(&piece))
        return motion.bend(*bend);
    return piece;
}

// The screw motion that slides the helix along itself by `angle` (turning about the z axis and
// rising with the helix): a hook built to leave the helix at `angle` then leaves it at angle 0,
// so that the body keeps all its N turns and each hook adds its own wire to them.
struct HelixSlide {
    double angle;
    double rise;

    Point3 vector(Point3 v) const {
        const double c = std::cos(angle);
        const double s = std::sin(angle);
        return {c * v.x - s * v.y, s * v.x + c * v.y, v.z};
    }
    Point3 point(Point3 p) const {
        const Point3 turned = vector(p);
        return {turned.x, turned.y, turned.z + rise * angle};
    }
    CylinderArcPiece bend(CylinderArcPiece slid) const {
        slid.centreS += slid.cylinderRadius * angle;
        slid.centreZ += rise * angle;
        return slid;
    }
};

CentrePiece reversed(const CentrePiece& piece) {
    if (const auto* line = std::get_if<LinePiece>(&piece))
        return LinePiece{line->to, line->from};
    if (const auto* arc = std::get_if<ArcPiece>(&piece)) {
        const double c = std::cos(arc->sweep);
        const double s = std::sin(arc->sweep);
        return ArcPiece{arc->centre, arc->radius, c * arc->first + s * arc->second,
                        s * arc->first - c * arc->second, arc->sweep};
    }
    if (const auto* bend = std::get_if<CylinderArcPiece>(&piece)) {
        CylinderArcPiece back = *bend;
        back.startAngle = bend->startAngle + bend->sweep;
        back.sweep = -bend->sweep;
        return back;
    }
    return piece;
}

// The half turn about the line through (0, 0, middleZ) in the direction of the helix's middle
// angle: it maps the helix onto itself, end for end, and so the first hook onto the second.
struct HalfTurn {
    double middleAngle;
    double middleZ;

    Point3 axis() const { return {std::cos(middleAngle), std::sin(middleAngle), 0}; }
    Point3 vector(Point3 v) const { return 2 * dot(v, axis()) * axis() - v; }
    Point3 point(Point3 p) const {
        const Point3 origin{0, 0, middleZ};
        return origin + vector(p - origin);
    }
    CylinderArcPiece bend(CylinderArcPiece turned) const {
        turned.centreS = 2 * turned.cylinderRadius * middleAngle - turned.centreS;
        turned.centreZ = 2 * middleZ - turned.centreZ;
        turned.startAngle += kPiD;
        return turned;
    }
};

CentrePiece raised(const CentrePiece& piece, double dz) {
    const auto up = [dz](Point3 p) { return Point3{p.x, p.y, p.z + dz}; };
    if (const auto* line = std::get_if<LinePiece>(&piece))
        return LinePiece{up(line->from), up(line->to)};
    if (const auto* arc = std::get_if<ArcPiece>(&piece))
        return ArcPiece{up(arc->centre), arc->radius, arc->first, arc->second, arc->sweep};
    if (const auto* helix = std::get_if<HelixPiece>(&piece)) {
        HelixPiece moved = *helix;
        moved.startZ += dz;
        return moved;
    }
    CylinderArcPiece moved = std::get<CylinderArcPiece>(piece);
    moved.centreZ += dz;
    return moved;
}

// Whether two points of the centre line farther apart along the wire than 2·d come nearer to
// each other than d, so that the wire would run into itself. Points d/8 apart are compared
// through a grid of cells of size d.
bool wireMeetsItself(const std::vector<CentrePiece>& pieces, double d) {
    struct Sample {
        Point3 p;
        double along;
    };
    std::vector<Sample> samples;
    double start = 0;
    for (const CentrePiece& piece : pieces) {
        const std::vector<Point3> points = samplePiece(piece, d / 8, 0.1);
        const double length = pieceLength(piece);
        for (std::size_t i = 0; i < points.size(); ++i)
            samples.push_back(
                {points[i], start + length * static_cast<double>(i) / (points.size() - 1)});
        start += length;
    }
    const auto cell = [d](double v) { return static_cast<std::int64_t>(std::floor(v / d)); };
    const auto key = [](std::int64_t x, std::int64_t y, std::int64_t z) {
        return static_cast<std::uint64_t>((x * 73856093) ^ (y * 19349663) ^ (z * 83492791));
    };
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> grid;
    for (std::size_t i = 0; i < samples.size(); ++i)
        grid[key(cell(samples[i].p.x), cell(samples[i].p.y), cell(samples[i].p.z))].push_back(i);
    const double apart = 2 * d;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Point3 p = samples[i].p;
        for (std::int64_t dx = -1; dx <= 1; ++dx)
            for (std::int64_t dy = -1; dy <= 1; ++dy)
                for (std::int64_t dz = -1; dz <= 1; ++dz) {
                    const auto found =
                        grid.find(key(cell(p.x) + dx, cell(p.y) + dy, cell(p.z) + dz));
                    if (found == grid.end())
                        continue;
                    for (const std::size_t j : found->second)
                        if (samples[j].along - samples[i].along > apart &&
                            norm(samples[j].p - p) < d)
                            return true;
                }
    }
    return false;
}

HookOutcome hookFor(const SpringModelRequest& request, double rise) {
    const double d = request.coil.wireDiameter;
    const double radius = request.coil.meanDiameter / 2;
    if (request.hookType == HookType::U)
        return uHook(d, radius, rise, request.uHook);
    return roundHook(d, radius, rise, request.hookAngle);
}

} // namespace

std::string_view modelStateName(ModelState state) {
    switch (state) {
    case ModelState::Length1:
        return "L1";
    case ModelState::Length2:
        return "L2";
    case ModelState::Free:
        break;
    }
    return "free";
}

std::optional<ModelState> modelStateFromName(std::string_view name) {
    for (const ModelState state : {ModelState::Free, ModelState::Length1, ModelState::Length2})
        if (name == modelStateName(state))
            return state;
    return std::nullopt;
}

SpringModelRequest modelRequestOf(const SpringDesign& design, HookType hookType, bool leftHanded,
                                  ModelState state) {
    SpringModelRequest request;
    request.coil = coilShapeOf(design);
    request.hookType = hookType;
    request.hookAngle = design.hookAngle;
    request.uHook = {design.hookLength, design.hookOpening, design.hookMinRadius};
    request.leftHanded = leftHanded;
    request.closedWhenShorter = state == ModelState::Free;
    request.length = state == ModelState::Length1   ? design.length1
                     : state == ModelState::Length2 ? design.length2
                                                    : design.freeLength;
    return request;
}

std::variant<SpringCentreLine, ModelRefusal> springCentreLine(const SpringModelRequest& request) {
    const double d = request.coil.wireDiameter;
    const double D = request.coil.meanDiameter;
    const double turns = request.coil.totalTurns;
    if (!(drawableCoil(request.coil) && D > d))
        return ModelRefusal{ModelProblem::NoCoil};
    if (turns > kMaxModelTurns)
        return ModelRefusal{ModelProblem::TooManyTurns, static_cast<double>(kMaxModelTurns)};
    if (!(turns > 0))
        return ModelRefusal{ModelProblem::TooFewTurns};
    const double radius = D / 2;
    const double sweep = 2 * kPiD * turns;

    // The close-wound pitch: neighbouring turns of a helix of pitch p are p·cos(lead) apart.
    const double spacing = d * (1 + kTurnGap);
    const double leanShare = spacing / (kPiD * D);
    if (!(leanShare < 1))
        return ModelRefusal{ModelProblem::NoCoil};
    const double closedPitch = spacing / std::sqrt(1 - leanShare * leanShare);

    // The U hook's reach below the body depends a little on the pitch: a few rounds settle it.
    double pitch = closedPitch;
    HookOutcome hook = hookFor(request, pitch / (2 * kPiD));
    if (const auto* refusal = std::get_if<ModelRefusal>(&hook))
        return *refusal;
    // How far a hook reaches below the body's end once slid along the helix.
    const auto reach = [](const HookOutcome& outcome, double turnPitch) {
        const Hook& h = std::get<Hook>(outcome);
        return h.innerEnd + turnPitch / (2 * kPiD) * h.slideAngle;
    };
    const double closedLength = turns * closedPitch + 2 * reach(hook, closedPitch);
    const double length = request.length;
    if (!std::isfinite(length) ||
        (length < closedLength * (1 - kClosedLengthAllowance) && !request.closedWhenShorter))
        return ModelRefusal{ModelProblem::ShorterThanClosed, closedLength};
    // Turns opened wider apart than once round the coil lean by more than 45°: no spring is
    // stretched so far, and the wire's path would run off to any length.
    const double longest = closedLength + turns * (kPiD * D - closedPitch);
    if (length > longest)
        return ModelRefusal{ModelProblem::LongerThanCoil, longest};
    for (int round = 0; round < 4; ++round) {
        pitch = std::max(closedPitch, (length - 2 * reach(hook, pitch)) / turns);
        hook = hookFor(request, pitch / (2 * kPiD));
        if (const auto* refusal = std::get_if<ModelRefusal>(&hook))
            return *refusal;
    }
    const Hook& built = std::get<Hook>(hook);
    const double rise = pitch / (2 * kPiD);
    const HelixSlide slide{-built.slideAngle, rise};
    Hook first;
    first.innerEnd = built.innerEnd + rise * built.slideAngle;
    // The helix from where the slid hook leaves it to where the second hook does.
    const double helixStart = built.leavingAngle - built.slideAngle;
    if (!(sweep > 2 * helixStart))
        return ModelRefusal{ModelProblem::TooFewTurns};
    for (const CentrePiece& piece : built.fromBody)
        first.fromBody.push_back(moved(piece, slide));

    SpringCentreLine line;
    line.wireDiameter = d;
    line.leftHanded = request.leftHanded;
    line.pitch = pitch;
    line.outerDiameter = D + d;
    line.innerEndDistance = turns * pitch + 2 * first.innerEnd;
    line.closedLength = closedLength;
    for (auto piece = first.fromBody.rbegin(); piece != first.fromBody.rend(); ++piece)
        line.pieces.push_back(reversed(*piece));
    line.pieces.push_back(
        HelixPiece{radius, helixStart, sweep - 2 * helixStart, rise, rise * helixStart});
    const HalfTurn halfTurn{sweep / 2, rise * sweep / 2};
    for (const CentrePiece& piece : first.fromBody)
        line.pieces.push_back(moved(piece, halfTurn));
    for (CentrePiece& piece : line.pieces) {
        piece = raised(piece, first.innerEnd);
        line.wireLength += pieceLength(piece);
        if (!(largestCurvature(piece) < 2 / d))
            return ModelRefusal{ModelProblem::BendTooTight};
    }
    if (wireMeetsItself(line.pieces, d))
        return ModelRefusal{ModelProblem::WireMeetsItself};
    return line;
}

} // namespace hspring
