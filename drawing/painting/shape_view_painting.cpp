// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/painting/shape_view_painting.h"

#include <QColor>
#include <QPen>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace hspring {

namespace {

QPoint qtPoint(PixelPoint p) {
    return {p.x, p.y};
}

// The canvas marks an arc's ends by rays from the centre of the bounding rectangle; Qt takes
// the angle parameter of the ellipse. They agree on a circle and differ slightly where rounding
// to whole pixels made the rectangle a little wider than high.
double ellipseParameterDegrees(const QRectF& rect, PixelPoint onRay) {
    const double dx = onRay.x - rect.center().x();
    const double dy = rect.center().y() - onRay.y; // up is positive, as on the canvas
    return std::atan2(dy * rect.width(), dx * rect.height()) * 180 / std::numbers::pi;
}

void paintArc(QPainter& painter, const CanvasArc& arc) {
    const QRectF rect(QPointF(std::min(arc.corner.x, arc.oppositeCorner.x),
                              std::min(arc.corner.y, arc.oppositeCorner.y)),
                      QPointF(std::max(arc.corner.x, arc.oppositeCorner.x),
                              std::max(arc.corner.y, arc.oppositeCorner.y)));
    const double start = ellipseParameterDegrees(rect, arc.start);
    double span = ellipseParameterDegrees(rect, arc.end) - start;
    // Counterclockwise from the start to the end ray; the same ray twice is the full circle.
    while (span <= 0)
        span += 360;
    painter.drawArc(rect, static_cast<int>(std::lround(start * 16)),
                    static_cast<int>(std::lround(span * 16)));
}

void paintDrawing(QPainter& painter, const ShapeDrawing& drawing) {
    // The painter's antialiasing stays as the caller set it: off on the screen's image, where
    // the view is pixel-exact, on for an enlarged picture.
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), kShapeViewSize), Qt::white);
    painter.setPen(QPen(QColor(0, 0, 255), 1));
    painter.setBrush(Qt::NoBrush);
    paintOutline(painter, drawing.view, drawing.outline);
    painter.restore();
}

} // namespace

void paintOutline(QPainter& painter, const ViewTransform& view, const Outline& outline) {
    for (const OutlinePrimitive& primitive : outline) {
        if (const auto* segment = std::get_if<DrawSegment>(&primitive))
            painter.drawLine(qtPoint(toPixel(view, segment->first)),
                             qtPoint(toPixel(view, segment->second)));
        else
            paintArc(painter, arcOnCanvas(view, std::get<DrawArc>(primitive)));
    }
}

void drawFreeRoundHook(QPainter& painter, const CoilShape& coil, double hookAngle,
                       double frameLength) {
    paintDrawing(painter, freeRoundHookDrawing(coil, hookAngle, frameLength, kShapeViewWidth,
                                               kShapeViewHeight));
}

void drawLoadedRoundHook(QPainter& painter, const CoilShape& coil, double hookAngle,
                         double workingLength, double frameLength) {
    paintDrawing(painter, loadedRoundHookDrawing(coil, hookAngle, workingLength, frameLength,
                                                 kShapeViewWidth, kShapeViewHeight));
}

void drawFreeUHook(QPainter& painter, const CoilShape& coil, const UHookShape& hook) {
    paintDrawing(painter, freeUHookDrawing(coil, hook, kShapeViewWidth, kShapeViewHeight));
}

} // namespace hspring
