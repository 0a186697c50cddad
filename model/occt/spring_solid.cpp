// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/occt/spring_solid.h"

#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRepBuilderAPI_Transform.hxx>
#include <BRepCheck_Analyzer.hxx>
#include <BRepGProp.hxx>
#include <BRepLib.hxx>
#include <BRepOffsetAPI_MakePipeShell.hxx>
#include <GProp_GProps.hxx>
#include <Geom2d_Line.hxx>
#include <GeomAPI_Interpolate.hxx>
#include <Geom_CylindricalSurface.hxx>
#include <Message.hxx>
#include <Message_Messenger.hxx>
#include <Message_PrinterOStream.hxx>
#include <TColgp_HArray1OfPnt.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <cmath>
#include <gp_Ax2.hxx>
#include <gp_Ax3.hxx>
#include <gp_Circ.hxx>
#include <gp_Trsf.hxx>
#include <numbers>
#include <variant>

namespace hspring {

namespace {

gp_Pnt pointOf(Point3 p) {
    return {p.x, p.y, p.z};
}

gp_Dir directionOf(Point3 v) {
    return {v.x, v.y, v.z};
}

Handle(Geom_CylindricalSurface) coilSurface(double radius) {
    return new Geom_CylindricalSurface(gp_Ax3(gp::Origin(), gp::DZ(), gp::DX()), radius);
}

// An edge drawn on the coil's cylinder from a curve in its parameters (angle, z).
TopoDS_Edge edgeOnCoil(const Handle(Geom2d_Curve) & curve, double radius, double first,
                       double last) {
    TopoDS_Edge edge = BRepBuilderAPI_MakeEdge(curve, coilSurface(radius), first, last).Edge();
    BRepLib::BuildCurves3d(edge);
    return edge;
}

TopoDS_Edge edgeOf(const CentrePiece& piece) {
    if (const auto* line = std::get_if<LinePiece>(&piece))
        return BRepBuilderAPI_MakeEdge(pointOf(line->from), pointOf(line->to)).Edge();
    if (const auto* arc = std::get_if<ArcPiece>(&piece)) {
        const Point3 f = arc->first;
        const Point3 s = arc->second;
        const Point3 normal{f.y * s.z - f.z * s.y, f.z * s.x - f.x * s.z, f.x * s.y - f.y * s.x};
        const gp_Circ circle(gp_Ax2(pointOf(arc->centre), directionOf(normal), directionOf(f)),
                             arc->radius);
        return BRepBuilderAPI_MakeEdge(circle, 0, arc->sweep).Edge();
    }
    if (const auto* helix = std::get_if<HelixPiece>(&piece)) {
        // A straight line in the cylinder's parameters is the helix; its parameter runs along the
        // line in (angle, z).
        const Handle(Geom2d_Line) slope =
            new Geom2d_Line(gp_Pnt2d(helix->startAngle, helix->startZ), gp_Dir2d(1, helix->rise));
        return edgeOnCoil(slope, helix->radius, 0, helix->sweep * std::hypot(1.0, helix->rise));
    }
    // The bend on the coil's surface: a curve through its points with its end tangents.
    constexpr int kPoints = 33;
    Handle(TColgp_HArray1OfPnt) points = new TColgp_HArray1OfPnt(1, kPoints);
    for (int i = 1; i <= kPoints; ++i)
        points->SetValue(i, pointOf(pointOn(piece, static_cast<double>(i - 1) / (kPoints - 1))));
    GeomAPI_Interpolate interpolation(points, false, 1e-9);
    interpolation.Load(gp_Vec(directionOf(tangentOn(piece, 0))),
                       gp_Vec(directionOf(tangentOn(piece, 1))));
    interpolation.Perform();
    if (!interpolation.IsDone())
        throw ModelFailed(ModelFailure::BendNotDrawn);
    return BRepBuilderAPI_MakeEdge(interpolation.Curve()).Edge();
}

} // namespace

TopoDS_Shape springSolid(const SpringCentreLine& line) {
    BRepBuilderAPI_MakeWire path;
    for (const CentrePiece& piece : line.pieces) {
        path.Add(edgeOf(piece));
        if (!path.IsDone())
            throw ModelFailed(ModelFailure::CentreLineBroken);
    }
    BRepOffsetAPI_MakePipeShell sweep(path.Wire());
    const CentrePiece& start = line.pieces.front();
    const gp_Circ section(gp_Ax2(pointOf(pointOn(start, 0)), directionOf(tangentOn(start, 0))),
                          line.wireDiameter / 2);
    sweep.Add(BRepBuilderAPI_MakeWire(BRepBuilderAPI_MakeEdge(section).Edge()).Wire());
    sweep.Build();
    if (!sweep.IsDone() || !sweep.MakeSolid())
        throw ModelFailed(ModelFailure::SweepFailed);
    TopoDS_Shape solid = sweep.Shape();
    if (line.leftHanded) {
        gp_Trsf mirror;
        mirror.SetMirror(gp_Ax2(gp::Origin(), gp::DY()));
        solid = BRepBuilderAPI_Transform(solid, mirror, true).Shape();
    }
    return solid;
}

int solidCount(const TopoDS_Shape& shape) {
    int count = 0;
    for (TopExp_Explorer solid(shape, TopAbs_SOLID); solid.More(); solid.Next())
        ++count;
    return count;
}

double solidVolume(const TopoDS_Shape& shape) {
    // The adaptive integration: the fixed Gauss rule misses some per cent on a tight coil.
    GProp_GProps properties;
    BRepGProp::VolumeProperties(shape, properties, 1e-6, true);
    return properties.Mass();
}

std::optional<ModelFailure> solidProblem(const TopoDS_Shape& shape, const SpringCentreLine& line) {
    if (shape.IsNull() || !BRepCheck_Analyzer(shape).IsValid())
        return ModelFailure::SolidInvalid;
    if (solidCount(shape) != 1)
        return ModelFailure::NotOneSolid;
    const double wire =
        std::numbers::pi * line.wireDiameter * line.wireDiameter / 4 * line.wireLength;
    if (!(std::fabs(solidVolume(shape) / wire - 1) < 0.01))
        return ModelFailure::VolumeWrong;
    return std::nullopt;
}

void quietOpenCascade() {
    const Handle(Message_Messenger)& messenger = Message::DefaultMessenger();
    messenger->RemovePrinters(STANDARD_TYPE(Message_PrinterOStream));
}

} // namespace hspring
