// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/painting/hook_pictures.h"

#include "drawing/outline.h"
#include "drawing/painting/shape_view_painting.h"
#include "drawing/turns.h"

#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace hspring {

namespace {

// The pictures show the left end of a sample spring, drawn from the same outline as the view:
// a wire of 1.4 mm on a 10 mm coil, 6.5 pixels to the millimetre.
const CoilShape kSampleCoil{1.4, 10, 8};
constexpr double kSampleHookAngle = 80;
const UHookShape kSampleUHook{10, 3, 2};
constexpr double kScale = 6.5;

const QColor kWireColour(0, 0, 255);
const QColor kDimensionColour(0, 0, 0);
const QColor kReferenceColour(128, 128, 128);

// Model x0 and the extent above the model's y = 0 set where the sample lands in the picture.
ViewTransform pictureView(double x0, double extentAboveTop) {
    return {x0, 0, extentAboveTop, kScale};
}

QPointF pixelOf(const ViewTransform& view, DrawPoint p) {
    const PixelPoint pixel = toPixel(view, p);
    return {static_cast<double>(pixel.x), static_cast<double>(pixel.y)};
}

void beginPicture(QPainter& painter, QSize size) {
    painter.setClipRect(QRect(QPoint(0, 0), size), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setPen(QPen(kReferenceColour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1));
}

void paintSpring(QPainter& painter, const ViewTransform& view, const Outline& outline) {
    painter.setPen(QPen(kWireColour, 1));
    paintOutline(painter, view, outline);
}

void paintArrowHead(QPainter& painter, QPointF tip, QPointF from) {
    const QPointF along = tip - from;
    const double length = std::hypot(along.x(), along.y());
    if (length == 0)
        return;
    const QPointF unit = along / length;
    const QPointF across(-unit.y(), unit.x());
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(QPolygonF{tip, tip - 7 * unit + 3 * across, tip - 7 * unit - 3 * across});
    painter.setBrush(Qt::NoBrush);
}

// A dimension line with arrow heads at both ends.
void paintDimension(QPainter& painter, QPointF from, QPointF to) {
    painter.setPen(QPen(kDimensionColour, 1));
    painter.drawLine(from, to);
    paintArrowHead(painter, from, to);
    paintArrowHead(painter, to, from);
}

void paintReferenceLine(QPainter& painter, QPointF from, QPointF to) {
    painter.setPen(QPen(kReferenceColour, 1, Qt::DashLine));
    painter.drawLine(from, to);
}

// A thin line from a dimension to the field that holds its value.
void paintLeader(QPainter& painter, QPointF from, QPointF to) {
    painter.setPen(QPen(kDimensionColour, 1));
    painter.drawLine(from, to);
}

} // namespace

void paintRoundHookPicture(QPainter& painter) {
    painter.save();
    beginPicture(painter, kRoundHookPictureSize);
    const ViewTransform view = pictureView(-12, 13.15);
    paintSpring(painter, view, roundHookOutline(kSampleCoil, kSampleHookAngle));

    // The hook angle: from the direction of the coil axis, round the loop centre, to the cut end.
    const double d = kSampleCoil.wireDiameter;
    const double D = kSampleCoil.meanDiameter;
    const DrawPoint loopCentre{-(D / 2 + d / 4), -D / 2};
    const QPointF centre = pixelOf(view, loopCentre);
    const double outerRadius = (D + d) / 2 * kScale;
    const QPointF cutDirection(std::cos(kSampleHookAngle * std::numbers::pi / 180),
                               -std::sin(kSampleHookAngle * std::numbers::pi / 180));
    paintReferenceLine(painter, centre, centre + QPointF(outerRadius + 6, 0));
    paintReferenceLine(painter, centre, centre + (outerRadius + 6) * cutDirection);

    constexpr double kAngleMarkRadius = 15;
    const QRectF markCircle(centre - QPointF(kAngleMarkRadius, kAngleMarkRadius),
                            QSizeF(2 * kAngleMarkRadius, 2 * kAngleMarkRadius));
    QPainterPath mark;
    mark.arcMoveTo(markCircle, 0);
    mark.arcTo(markCircle, 0, kSampleHookAngle);
    painter.setPen(QPen(kDimensionColour, 1));
    painter.drawPath(mark);
    const QPointF markEnd = centre + kAngleMarkRadius * cutDirection;
    paintArrowHead(painter, markEnd, markEnd + QPointF(cutDirection.y(), -cutDirection.x()) * -4);

    const double middle = kSampleHookAngle / 2 * std::numbers::pi / 180;
    const QPointF markMiddle =
        centre + kAngleMarkRadius * QPointF(std::cos(middle), -std::sin(middle));
    paintLeader(painter, markMiddle,
                QPointF(kHookAngleFieldPlace.left(), kHookAngleFieldPlace.bottom() + 1));
    painter.restore();
}

void paintUHookPicture(QPainter& painter) {
    painter.save();
    beginPicture(painter, kUHookPictureSize);
    const ViewTransform view = pictureView(-11.5, 12.7);
    paintSpring(painter, view, uHookOutline(kSampleCoil, kSampleUHook));

    const double d = kSampleCoil.wireDiameter;
    const double D = kSampleCoil.meanDiameter;
    const double R = kSampleUHook.minRadius;
    const DrawPoint bend = uBendCentre(d, R, makeTurnTemplate(d, D, d).leadAngle);
    const double uOuterX =
        bend.x - (kSampleUHook.hookLength - D / 2 - R - d / 2) - (D + d) / 2; // outer end of the U
    const double coilFaceX = -d / 2;

    // Hook length: from the outer end of the U to where the bend leaves the coil.
    const double lengthLineY = 32;
    const QPointF uTop = pixelOf(view, {uOuterX, -D / 2});
    const QPointF bendFace = pixelOf(view, {bend.x + R, d / 2});
    paintReferenceLine(painter, QPointF(uTop.x(), lengthLineY - 4), uTop);
    paintReferenceLine(painter, QPointF(bendFace.x(), lengthLineY - 4), bendFace);
    paintDimension(painter, QPointF(uTop.x(), lengthLineY), QPointF(bendFace.x(), lengthLineY));

    // Minimum radius: the inner radius of the bend.
    const double halfRight = 45 * std::numbers::pi / 180;
    const QPointF bendCentre = pixelOf(view, bend);
    const QPointF onBend =
        pixelOf(view, {bend.x + R * std::cos(halfRight), bend.y + R * std::sin(halfRight)});
    painter.setPen(QPen(kDimensionColour, 1));
    painter.drawLine(bendCentre, onBend);
    paintArrowHead(painter, onBend, bendCentre);
    paintLeader(painter, onBend,
                QPointF(kMinRadiusFieldPlace.left(), kMinRadiusFieldPlace.bottom() + 1));

    // Opening: from the cut end of the return leg to the outer face of the coil.
    const double cutX = -d / 2 - kSampleUHook.hookOpening;
    const QPointF cutBottom = pixelOf(view, {cutX, -D - d / 2});
    const QPointF faceBottom = pixelOf(view, {coilFaceX, -D - d / 2});
    const double openingLineY = cutBottom.y() + 12;
    paintReferenceLine(painter, cutBottom, QPointF(cutBottom.x(), openingLineY + 4));
    paintReferenceLine(painter, faceBottom, QPointF(faceBottom.x(), openingLineY + 4));
    paintDimension(painter, QPointF(cutBottom.x(), openingLineY),
                   QPointF(faceBottom.x(), openingLineY));
    paintLeader(painter, QPointF((cutBottom.x() + faceBottom.x()) / 2, openingLineY),
                QPointF(kHookOpeningFieldPlace.left(), kHookOpeningFieldPlace.top() + 10));
    painter.restore();
}

} // namespace hspring
