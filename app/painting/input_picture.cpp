// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/painting/input_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <cmath>

namespace hspring::input_picture {

namespace {

const QColor kPaper(255, 255, 255);
const QColor kWire(0, 0, 160);
const QColor kDimension(64, 64, 64);
const QColor kSketch(160, 0, 0);

constexpr int kArrowLength = 6;
constexpr int kArrowHalfWidth = 3;

// A filled arrowhead whose tip is at `tip`, pointing in the direction (dx, dy).
void drawArrowhead(QPainter& painter, QPointF tip, double dx, double dy) {
    const double length = std::hypot(dx, dy);
    const double ux = dx / length;
    const double uy = dy / length;
    const QPointF base(tip.x() - ux * kArrowLength, tip.y() - uy * kArrowLength);
    const QPointF side(-uy * kArrowHalfWidth, ux * kArrowHalfWidth);
    const QPointF head[] = {tip, base + side, base - side};
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(head, 3);
}

// A line with an arrowhead at both ends.
void drawDimensionLine(QPainter& painter, QPointF from, QPointF to) {
    painter.drawLine(from, to);
    drawArrowhead(painter, to, to.x() - from.x(), to.y() - from.y());
    drawArrowhead(painter, from, from.x() - to.x(), from.y() - to.y());
}

void drawLengthDimensions(QPainter& painter) {
    painter.setPen(QPen(kDimension, 1));
    const int springTop = kSpringAxisY - kCoilRadius;
    // The extension line of the left hook end carries all three dimensions.
    painter.drawLine(kLeftEnd, kLength2.y - 8, kLeftEnd, springTop);
    for (const Dimension& dimension : {kLength2, kLength1, kFreeLength}) {
        const int bottom = dimension.right == kFreeLength.right ? springTop : dimension.y + 8;
        painter.drawLine(dimension.right, dimension.y - 8, dimension.right, bottom);
        drawDimensionLine(painter, QPointF(kLeftEnd, dimension.y),
                          QPointF(dimension.right, dimension.y));
    }
}

void drawHookLoop(QPainter& painter, double centreX) {
    painter.drawEllipse(QPointF(centreX, kSpringAxisY), kCoilRadius - 1, kCoilRadius - 1);
}

// Side view: each turn an upright narrow ellipse, a loop hook standing at each end.
void drawSpring(QPainter& painter) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kWire, 2));
    const double leftHookCentre = kLeftEnd + kCoilRadius;
    const double rightHookCentre = kFreeLength.right - kCoilRadius;
    drawHookLoop(painter, leftHookCentre);
    drawHookLoop(painter, rightHookCentre);

    const double bodyLeft = leftHookCentre + kCoilRadius;
    const double bodyRight = rightHookCentre - kCoilRadius;
    constexpr int kTurns = 16;
    const double pitch = (bodyRight - bodyLeft) / kTurns;
    for (int turn = 0; turn < kTurns; ++turn) {
        const QRectF coil(bodyLeft + turn * pitch, kSpringAxisY - kCoilRadius, pitch,
                          2 * kCoilRadius);
        painter.drawEllipse(coil);
    }
}

void drawCoilDiameterDimension(QPainter& painter) {
    painter.setPen(QPen(kDimension, 1));
    const int top = kSpringAxisY - kCoilRadius;
    const int bottom = kSpringAxisY + kCoilRadius;
    drawDimensionLine(painter, QPointF(kCoilDiameterX, top), QPointF(kCoilDiameterX, bottom));
}

// Load over length: the initial tension at the free length, rising through P1 and P2.
void drawLoadSketch(QPainter& painter) {
    constexpr int kAxisBottom = kHeight - 10;
    constexpr int kAxisRight = kWidth - 4;
    painter.setPen(QPen(kDimension, 1));
    painter.drawLine(kLoadAxisX, kAxisBottom, kLoadAxisX, kLoad2Y - 16);
    drawArrowhead(painter, QPointF(kLoadAxisX, kLoad2Y - 16), 0, -1);
    painter.drawLine(kLoadAxisX, kAxisBottom, kAxisRight, kAxisBottom);
    drawArrowhead(painter, QPointF(kAxisRight, kAxisBottom), 1, 0);

    // The characteristic: a straight line from the initial tension up to beyond P2.
    const QPointF start(kLoadAxisX, kInitialTensionY);
    const QPointF end(kAxisRight - 4, kLoad2Y - 10);
    const double slope = (end.y() - start.y()) / (end.x() - start.x());
    painter.setPen(QPen(kSketch, 2));
    painter.drawLine(start, end);

    painter.setPen(QPen(kDimension, 1, Qt::DashLine));
    for (const int level : {kLoad1Y, kLoad2Y}) {
        const double x = start.x() + (level - start.y()) / slope;
        painter.drawLine(QPointF(kLoadAxisX, level), QPointF(x, level));
        painter.drawLine(QPointF(x, level), QPointF(x, kAxisBottom));
    }
}

} // namespace

void draw(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(0, 0, kWidth, kHeight, kPaper);
    painter.setPen(QPen(QColor(200, 200, 200), 1));
    painter.drawLine(4, kListBandHeight, kWidth - 4, kListBandHeight);
    drawLengthDimensions(painter);
    drawSpring(painter);
    drawCoilDiameterDimension(painter);
    drawLoadSketch(painter);
    painter.restore();
}

} // namespace hspring::input_picture
