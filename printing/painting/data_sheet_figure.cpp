// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/painting/data_sheet_figure.h"

#include <QPainterPath>
#include <QPolygonF>

namespace hspring {

namespace {

const QColor kInk(0, 0, 255);

// The spring in its free state: a loop hook of the coil's diameter at each end of the body.
constexpr double kAxisY = 164;
constexpr double kCoilRadius = 18;
// The coil diameter's label ends left of the figure; the spring keeps clear of it.
constexpr double kLeftHookLeft = 40;
constexpr double kBodyLeft = kLeftHookLeft + 2 * kCoilRadius;
constexpr int kCoilCount = 9;
constexpr double kPitch = 10;
constexpr double kBodyRight = kBodyLeft + kCoilCount * kPitch;
constexpr double kRightHookRight = kBodyRight + 2 * kCoilRadius;

// Each length arrow lies just below its label (the labels stand at y 16, 48 and 80).
struct LengthArrow {
    double y;
    double right;
};
constexpr LengthArrow kLength2{40, 254};
constexpr LengthArrow kLength1{72, 230};
constexpr LengthArrow kFreeLength{104, kRightHookRight};

// The load–extension sketch keeps to the left of the load labels (they start at x 288); its two
// load levels run on below them (the labels stand at y 72 and 104).
constexpr QPointF kSketchOrigin{266, 196};
constexpr QPointF kSketchLoadStart{266, 182}; // the initial tension
constexpr QPointF kSketchLoadEnd{284, 60};
constexpr double kLoad2Y = 96;
constexpr double kLoad1Y = 128;
constexpr double kExtensionAxisRight = 358;
// The levels run on to the figure's edge, under the whole of their labels.
constexpr double kLevelLineRight = kDataSheetFigureSize.width() - 1;

constexpr double kArrowLength = 6;
constexpr double kArrowHalfWidth = 2.5;

// A filled arrowhead whose tip is at `tip`, pointing along `direction` (a unit vector).
void drawArrowhead(QPainter& painter, QPointF tip, QPointF direction) {
    const QPointF back = tip - direction * kArrowLength;
    const QPointF side(-direction.y() * kArrowHalfWidth, direction.x() * kArrowHalfWidth);
    painter.drawPolygon(QPolygonF{tip, back + side, back - side});
}

// A dimension line with an arrowhead at both ends.
void drawDimension(QPainter& painter, QPointF from, QPointF to) {
    painter.drawLine(from, to);
    QPointF direction = to - from;
    direction /= std::hypot(direction.x(), direction.y());
    drawArrowhead(painter, to, direction);
    drawArrowhead(painter, from, -direction);
}

void drawSpring(QPainter& painter) {
    const double top = kAxisY - kCoilRadius;
    const double bottom = kAxisY + kCoilRadius;
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(kLeftHookLeft + kCoilRadius, kAxisY), kCoilRadius, kCoilRadius);
    painter.drawEllipse(QPointF(kRightHookRight - kCoilRadius, kAxisY), kCoilRadius, kCoilRadius);
    for (int coil = 0; coil < kCoilCount; ++coil)
        painter.drawEllipse(QRectF(kBodyLeft + coil * kPitch, top, kPitch, bottom - top));
    painter.drawLine(QPointF(kBodyLeft, top), QPointF(kBodyRight, top));
    painter.drawLine(QPointF(kBodyLeft, bottom), QPointF(kBodyRight, bottom));
}

void drawLengths(QPainter& painter) {
    const double hookTop = kAxisY - kCoilRadius;
    painter.setBrush(kInk);
    // The witness line at the left hook, shared by the three lengths.
    painter.drawLine(QPointF(kLeftHookLeft, kLength2.y - 8), QPointF(kLeftHookLeft, kAxisY - 4));
    painter.drawLine(QPointF(kFreeLength.right, kFreeLength.y - 8),
                     QPointF(kFreeLength.right, hookTop + 8));
    for (const LengthArrow& arrow : {kLength2, kLength1}) {
        painter.drawLine(QPointF(arrow.right, arrow.y - 8),
                         QPointF(arrow.right, kFreeLength.y + 8));
    }
    for (const LengthArrow& arrow : {kLength2, kLength1, kFreeLength})
        drawDimension(painter, QPointF(kLeftHookLeft, arrow.y), QPointF(arrow.right, arrow.y));
}

// The coil diameter, beside the left hook; its label stands to the left of the figure.
void drawCoilDiameter(QPainter& painter) {
    const double x = kLeftHookLeft - 12;
    const double top = kAxisY - kCoilRadius;
    const double bottom = kAxisY + kCoilRadius;
    const double hookCentre = kLeftHookLeft + kCoilRadius;
    painter.setBrush(kInk);
    painter.drawLine(QPointF(x - 6, top), QPointF(hookCentre - 2, top));
    painter.drawLine(QPointF(x - 6, bottom), QPointF(hookCentre - 2, bottom));
    drawDimension(painter, QPointF(x, top), QPointF(x, bottom));
}

QPointF pointAtLoad(double y) {
    const double t = (kSketchLoadStart.y() - y) / (kSketchLoadStart.y() - kSketchLoadEnd.y());
    return kSketchLoadStart + (kSketchLoadEnd - kSketchLoadStart) * t;
}

void drawLoadSketch(QPainter& painter) {
    painter.setBrush(kInk);
    // Axes: load upwards, extension to the right.
    const QPointF loadAxisEnd(kSketchOrigin.x(), 52);
    const QPointF extensionAxisEnd(kExtensionAxisRight, kSketchOrigin.y());
    painter.drawLine(kSketchOrigin, loadAxisEnd);
    painter.drawLine(kSketchOrigin, extensionAxisEnd);
    drawArrowhead(painter, loadAxisEnd, QPointF(0, -1));
    drawArrowhead(painter, extensionAxisEnd, QPointF(1, 0));
    // The initial tension, then the load rising with the extension.
    painter.drawLine(kSketchLoadStart, kSketchLoadEnd);

    QPen dashed = painter.pen();
    dashed.setStyle(Qt::DashLine);
    for (const double y : {kLoad2Y, kLoad1Y}) {
        const QPointF point = pointAtLoad(y);
        painter.drawEllipse(point, 2, 2);
        painter.drawLine(point, QPointF(kLevelLineRight, y));
        painter.save();
        painter.setPen(dashed);
        painter.drawLine(QPointF(kSketchOrigin.x(), y), point);
        painter.drawLine(point, QPointF(point.x(), kSketchOrigin.y()));
        painter.restore();
    }
}

} // namespace

void paintDataSheetFigure(QPainter& painter) {
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), kDataSheetFigureSize), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    // Whole coordinates at pixel centres: straight lines stay one pixel wide and sharp.
    painter.translate(0.5, 0.5);
    painter.setPen(QPen(kInk, 1));
    drawSpring(painter);
    drawLengths(painter);
    drawCoilDiameter(painter);
    drawLoadSketch(painter);
    painter.restore();
}

} // namespace hspring
