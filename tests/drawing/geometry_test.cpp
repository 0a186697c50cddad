// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/problem_text.h"
#include "drawing/geometry.h"
#include "drawing/turns.h"
#include "drawing/view_transform.h"
#include "drawing_test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace hspring::test {
namespace {

double degrees(double radians) {
    return static_cast<double>(radiansToDegrees(radians));
}

TEST(DrawingGeometry, RoundHookAnglesForTheExampleSpring) {
    EXPECT_NEAR(degrees(roundHookTangentAngle(1, 10)), 2.794362, kSixPlaces);
    EXPECT_NEAR(degrees(roundHookOuterAngle(1, 10)), 21.928609, kSixPlaces);
    EXPECT_NEAR(360 - degrees(roundHookOuterAngle(1, 10)), 338.071391, kSixPlaces);
}

TEST(DrawingGeometry, TangentAngleTouchesBothCircles) {
    // The segment from the wire circle at 180° - φ to the loop circle at 360° - φ is tangent to
    // both: it is perpendicular to both radii.
    const double d = 1.6, D = 12;
    const double phi = degrees(roundHookTangentAngle(d, D));
    const DrawPoint loopCentre{-(D / 2 + d / 4), -D / 2};
    const DrawPoint q1 = pointOnCircle({0, 0}, d / 2, 180 - phi);
    const DrawPoint q2 = pointOnCircle(loopCentre, (D - d) / 2, 360 - phi);
    const double tx = q2.x - q1.x, ty = q2.y - q1.y;
    EXPECT_NEAR(tx * q1.x + ty * q1.y, 0, 1e-12);
    EXPECT_NEAR(tx * (q2.x - loopCentre.x) + ty * (q2.y - loopCentre.y), 0, 1e-12);
}

TEST(DrawingGeometry, UBendCentreTouchesTheTopLineAndTheWireCentreLine) {
    const double theta = std::atan(0.05);
    const DrawPoint bend = uBendCentre(1, 2, theta);
    EXPECT_NEAR(bend.x, -2.378123, kSixPlaces);
    EXPECT_DOUBLE_EQ(bend.y, -2.5);
    // Distance to the centre line through the origin leaning by θ from the vertical: G = 2.5.
    const double distance = std::abs(bend.x * std::cos(theta) + bend.y * std::sin(theta));
    EXPECT_NEAR(distance, 2.5, 1e-12);
}

TEST(DrawingGeometry, ArcSinAndArcCosThroughArcTan) {
    EXPECT_NEAR(static_cast<double>(arcSin(0.5)), std::asin(0.5), 1e-15);
    EXPECT_NEAR(static_cast<double>(arcCos(0.3)), std::acos(0.3), 1e-15);
    // The arctan form has no quadrant: arccos of a negative number lands below zero.
    EXPECT_LT(arcCos(-0.5), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(degreesToRadians(180)), static_cast<double>(kPi));
}

TEST(DrawingGeometry, LinesAndTheirIntersections) {
    const SlopeIntercept line = lineThroughPoints({1, 3}, {3, 7});
    EXPECT_DOUBLE_EQ(line.slope, 2);
    EXPECT_DOUBLE_EQ(line.intercept, 1);

    const DrawPoint meet = intersectLines({0, 0}, {2, 2}, {0, 4}, {4, 0});
    EXPECT_DOUBLE_EQ(meet.x, 2);
    EXPECT_DOUBLE_EQ(meet.y, 2);
}

TEST(DrawingGeometry, DegenerateLinesRaiseTheDivisionError) {
    EXPECT_EQ(errorOf([] { lineThroughPoints({1, 0}, {1, 5}); }), cli::kDivisionByZeroMessage);
    EXPECT_EQ(errorOf([] {
                  intersectLines({0, 0}, {1, 1}, {0, 1}, {1, 2});
              }),
              cli::kDivisionByZeroMessage);
    // The same point twice is no line at all: 0/0.
    EXPECT_EQ(errorOf([] { lineThroughPoints({1, 1}, {1, 1}); }), cli::kInvalidOperationMessage);
}

TEST(DrawingGeometry, LineCircleIntersectionOrderedByX) {
    const LineCirclePoints points = intersectLineCircle(5, {1, 1}, {0, 1});
    EXPECT_DOUBLE_EQ(points.first.x, -4);
    EXPECT_DOUBLE_EQ(points.second.x, 6);
    EXPECT_DOUBLE_EQ(points.first.y, 1);

    const LineCirclePoints slanted = intersectLineCircle(std::sqrt(2.0), {0, 0}, {-1, 0});
    EXPECT_NEAR(slanted.first.x, -1, 1e-15);
    EXPECT_NEAR(slanted.first.y, 1, 1e-15);
    EXPECT_NEAR(slanted.second.x, 1, 1e-15);
    EXPECT_NEAR(slanted.second.y, -1, 1e-15);
}

TEST(DrawingGeometry, LineMissingTheCircleGivesTheNearestPointTwice) {
    // The line y = x + 10 passes the unit circle about (0, 0); its nearest point is (-5, 5).
    const LineCirclePoints points = intersectLineCircle(1, {0, 0}, {1, 10});
    EXPECT_DOUBLE_EQ(points.first.x, -5);
    EXPECT_DOUBLE_EQ(points.first.y, 5);
    EXPECT_EQ(points.first, points.second);
}

TEST(DrawingTurns, TemplateOfTheExampleSpring) {
    const TurnTemplate t = makeTurnTemplate(1, 10, 1);
    EXPECT_NEAR(degrees(t.leadAngle), 2.862405226111748, 1e-12);
    EXPECT_NEAR(t.topLeft.x, -0.499376, kSixPlaces);
    EXPECT_NEAR(t.topLeft.y, -0.024969, kSixPlaces);
    EXPECT_NEAR(t.bottomLeft.x, 0.000624, kSixPlaces);
    EXPECT_NEAR(t.bottomLeft.y, -10.024969, kSixPlaces);
    EXPECT_EQ(t.bottom, (DrawPoint{0.5, -10}));
    EXPECT_DOUBLE_EQ(t.topRight.x, -t.topLeft.x);
    EXPECT_DOUBLE_EQ(t.bottomRight.x - t.bottom.x, t.topRight.x);

    const TurnTemplate third = t.turn(3);
    EXPECT_DOUBLE_EQ(third.top.x, 3);
    EXPECT_DOUBLE_EQ(third.bottomLeft.x, t.bottomLeft.x + 3);
    EXPECT_DOUBLE_EQ(third.bottomLeft.y, t.bottomLeft.y);
}

TEST(DrawingTurns, TemplateWithoutMeanDiameterRaisesTheDivisionError) {
    EXPECT_EQ(errorOf([] { makeTurnTemplate(1, 0, 1); }), cli::kDivisionByZeroMessage);
}

TEST(DrawingTurns, PlanByTheFractionOfATurn) {
    EXPECT_EQ(planTurns(20), (TurnPlan{19, false}));
    EXPECT_EQ(planTurns(20.2), (TurnPlan{19, false}));
    EXPECT_EQ(planTurns(20.25), (TurnPlan{20, true}));
    EXPECT_EQ(planTurns(20.5), (TurnPlan{20, true}));
    EXPECT_EQ(planTurns(20.75), (TurnPlan{20, false}));
    EXPECT_EQ(planTurns(20.8), (TurnPlan{20, false}));
    EXPECT_EQ(planTurns(0.1), (TurnPlan{-1, false}));
    EXPECT_EQ(planTurns(0.5), (TurnPlan{0, true}));
    EXPECT_EQ(planTurns(-3.5), (TurnPlan{-4, false}));
}

TEST(DrawingTurns, PlanOfAnImpossibleNumberOfTurnsRaisesTheInvalidOperation) {
    EXPECT_EQ(errorOf([] { planTurns(std::numeric_limits<double>::quiet_NaN()); }),
              cli::kInvalidOperationMessage);
    EXPECT_EQ(errorOf([] { planTurns(1e300); }), cli::kInvalidOperationMessage);
}

TEST(DrawingView, WideSpanIsScaledByWidthAndCentredVertically) {
    const ViewTransform view = fitView(641, 225, 10.25, -5, 60.5, 12.1);
    EXPECT_NEAR(view.scale, 10.595, 5e-4);
    EXPECT_DOUBLE_EQ(view.scale, 641 / 60.5);
    EXPECT_DOUBLE_EQ(view.x0, 10.25 - 60.5 / 2);
    EXPECT_NEAR(view.extentY, 225 / view.scale, 1e-12);
    EXPECT_NEAR(view.y0 + view.extentY / 2, -5, 1e-12);
}

TEST(DrawingView, TallSpanIsScaledByHeightAndCentredHorizontally) {
    const ViewTransform view = fitView(641, 225, 10, -5, 20, 12.1);
    EXPECT_DOUBLE_EQ(view.scale, 225 / 12.1);
    EXPECT_DOUBLE_EQ(view.extentY, 12.1);
    EXPECT_DOUBLE_EQ(view.y0, -5 - 12.1 / 2);
    EXPECT_NEAR(view.x0 + 641 / view.scale / 2, 10, 1e-12);
}

TEST(DrawingView, PixelsRoundHalfToEvenWithYDown) {
    const ViewTransform view{0, 0, 100, 1};
    EXPECT_EQ(toPixel(view, {2.5, 100}), (PixelPoint{2, 0}));
    EXPECT_EQ(toPixel(view, {3.5, 0}), (PixelPoint{4, 100}));
    EXPECT_EQ(toPixel(view, {-0.5, 99.4}), (PixelPoint{0, 1}));
    // Far outside the image the canvas clips; the pixel stays representable.
    EXPECT_EQ(toPixel(view, {1e30, -1e30}), (PixelPoint{kFarPixel, kFarPixel}));
    EXPECT_EQ(toPixel(view, {-1e30, 1e30}), (PixelPoint{-kFarPixel, -kFarPixel}));
}

TEST(DrawingView, ArcOnCanvasGivesBoundingCornersAndEndPoints) {
    const ViewTransform view{-10, -10, 20, 10}; // model (0, 0) at pixel (100, 100)
    const CanvasArc arc = arcOnCanvas(view, DrawArc{{0, 0}, 2, 90, 180});
    EXPECT_EQ(arc.corner, (PixelPoint{120, 120}));
    EXPECT_EQ(arc.oppositeCorner, (PixelPoint{80, 80}));
    EXPECT_EQ(arc.start, (PixelPoint{100, 80}));
    EXPECT_EQ(arc.end, (PixelPoint{80, 100}));
}

} // namespace
} // namespace hspring::test
