// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

class QPainter;

namespace hspring {

// The fatigue-strength diagram is a fixed pixel picture of this size.
inline constexpr int kFatigueDiagramWidth = 400;
inline constexpr int kFatigueDiagramHeight = 417;

// The notice for a working point above the diagram's area (upper stress coefficient over 0.5).
inline QString graphAreaOverNotice() {
    return QStringLiteral("グラフエリアオーバー");
}

// How the lines reach the painter: as the pixels of the established diagram (the screen, the
// clipboard, the PNG file), or as strokes along the same pixel centres (SVG, PDF, an enlarged
// picture), a few hundred elements that stay lines when scaled.
enum class DiagramStrokes { Pixels, Vectors };

// Draws the whole fatigue-strength diagram in picture pixels, the picture's top-left corner at
// the painter's origin: frame, life lines, stress-ratio rays, the outline of the 10^7 region,
// texts, grid, and the markers of the coil body (upper, lower: τ2/σB and τ1/σB) and of the hook
// (both coefficients × hookStressFactor). Lines, frame and markers fall on exactly the pixels of
// the established diagram (see fatigue_diagram.cpp), so a painter on a 400 × 417 image gives the
// picture pixel for pixel; any other painter (printer, PDF) gets the same picture scaled.
//
// Returns how many graphAreaOverNotice() lines the caller adds to its message list: one for a
// coil point above the area (no markers then) and one for a hook point above it. A coefficient
// that is missing (NaN) places no marker and adds no notice.
int drawFatigueDiagram(QPainter& painter, double upper, double lower, double hookStressFactor,
                       DiagramStrokes strokes = DiagramStrokes::Pixels);
// The same with the hook's own point (hookUpper, hookLower: τB2/σB and τB1/σB, the hook's stress
// coefficients of its torsion), where a design gives them.
int drawFatigueDiagram(QPainter& painter, double upper, double lower, double hookUpper,
                       double hookLower, DiagramStrokes strokes = DiagramStrokes::Pixels);

// The diagram drawn into a new 400 × 417 RGB image.
struct FatigueDiagramPicture {
    QImage image;
    int overAreaNotices = 0;
};
FatigueDiagramPicture renderFatigueDiagram(double upper, double lower, double hookStressFactor);
FatigueDiagramPicture renderFatigueDiagram(double upper, double lower, double hookUpper,
                                           double hookLower);

} // namespace hspring
