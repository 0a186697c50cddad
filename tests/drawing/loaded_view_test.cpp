// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/problem_text.h"
#include "drawing/loaded_view.h"
#include "drawing/shape_views.h"
#include "drawing_test_support.h"

namespace hspring::test {
namespace {

const CoilShape kExampleCoil{1, 10, 20};

TEST(LoadedView, BodyStretchedToTheWorkingLength) {
    const StretchedCoil load1 = stretchCoil(kExampleCoil, 45);
    EXPECT_DOUBLE_EQ(load1.bodyLength, 26);
    EXPECT_DOUBLE_EQ(load1.turn.pitch, 1.3);
    EXPECT_NEAR(static_cast<double>(radiansToDegrees(load1.turn.leadAngle)), 3.719, 5e-4);

    // With a half turn the length spreads over n + 1.5 pitches.
    EXPECT_DOUBLE_EQ(stretchCoil({1, 10, 20.5}, 45).turn.pitch, 26 / 21.5);
    // At the hooked free length the pitch is the wire diameter again.
    EXPECT_DOUBLE_EQ(stretchCoil(kExampleCoil, 39).turn.pitch, 1);
}

TEST(LoadedView, RearPiecesRunBetweenTheFrontEdges) {
    const Outline outline = loadedRoundHookOutline(kExampleCoil, 80, 45);
    // 20 turns of 4, 19 pairs of rear pieces and the last rear-upper one, the closing edge,
    // 5 primitives for the left hook, 8 for the right.
    ASSERT_EQ(outline.size(), 80u + 38 + 1 + 1 + 5 + 8);
    const TurnTemplate base = stretchCoil(kExampleCoil, 45).turn;
    for (int i = 0; i < 19; ++i) {
        const TurnTemplate turn = base.turn(i);
        const TurnTemplate next = base.turn(i + 1);
        const std::size_t first = static_cast<std::size_t>(i) * 6;
        EXPECT_EQ(segmentAt(outline, first).first, turn.topLeft);
        EXPECT_EQ(arcAt(outline, first + 2).centre, turn.top);
        const DrawSegment upper = segmentAt(outline, first + 4);
        const DrawSegment lower = segmentAt(outline, first + 5);
        EXPECT_LT(distanceFromLine(upper.second, turn.topRight, turn.bottomRight), 1e-12);
        EXPECT_LT(distanceFromLine(lower.second, next.topLeft, next.bottomLeft), 1e-12);
        // Both lie a wire radius beside the rear wire's centre line.
        EXPECT_NEAR(distanceFromLine(upper.first, turn.bottom, next.top), 0.5, 1e-12);
        EXPECT_NEAR(distanceFromLine(upper.second, turn.bottom, next.top), 0.5, 1e-12);
        EXPECT_NEAR(distanceFromLine(lower.first, turn.bottom, next.top), 0.5, 1e-12);
        EXPECT_NEAR(distanceFromLine(lower.second, turn.bottom, next.top), 0.5, 1e-12);
    }
}

TEST(LoadedView, HooksKeepTheirFreeShapeAndJoinTheStretchedBody) {
    const Outline outline = loadedRoundHookOutline(kExampleCoil, 80, 45);
    const TurnTemplate base = stretchCoil(kExampleCoil, 45).turn;
    const std::size_t leftHook = 80 + 39 + 1; // after the turns, rear pieces and closing edge
    EXPECT_EQ(arcAt(outline, leftHook + 1),
              (DrawArc{{-5.25, -5}, 4.5, 80, arcAt(outline, leftHook + 1).endAngle}));
    const DrawSegment join = segmentAt(outline, leftHook + 3);
    EXPECT_LT(distance(join.first, arcEnd(arcAt(outline, leftHook + 2))), 1e-12);
    EXPECT_LT(distanceFromLine(join.second, base.topLeft, base.bottomLeft), 1e-12);

    // The right loop hangs from the wire end at (m, 0) = (26, 0).
    const std::size_t right = leftHook + 5;
    EXPECT_EQ(arcAt(outline, right + 3).centre, (DrawPoint{26, 0}));
    EXPECT_NEAR(arcAt(outline, right + 4).centre.x, 31.25, 1e-12);
    const DrawSegment outerEdge = segmentAt(outline, right + 1);
    const DrawSegment rearToLoop = segmentAt(outline, right + 2);
    EXPECT_NEAR(distance(rearToLoop.second, arcAt(outline, right + 5).centre), 5.5, 1e-9);
    const DrawSegment rearToEdge = segmentAt(outline, right + 7);
    EXPECT_EQ(rearToEdge.first, rearToLoop.first);
    EXPECT_LT(distanceFromLine(rearToEdge.second, outerEdge.first, outerEdge.second), 1e-12);
}

TEST(LoadedView, HalfTurnJoinsTheTurnedLoopToTheLastTurn) {
    const CoilShape coil{1, 10, 20.5};
    const Outline outline = loadedRoundHookOutline(coil, 80, 45);
    ASSERT_EQ(outline.size(), 84u + 40 + 1 + 5 + 5);
    const TurnTemplate last = stretchCoil(coil, 45).turn.turn(20);
    const double pitch = 26 / 21.5;
    EXPECT_NEAR(arcAt(outline, 131).centre.x, 21 * pitch - pitch / 2 + 5.25, 1e-12);
    EXPECT_EQ(arcAt(outline, 131).startAngle, 260);
    const DrawSegment join = segmentAt(outline, 133);
    EXPECT_LT(distance(join.first, arcEnd(arcAt(outline, 132))), 1e-12);
    EXPECT_LT(distanceFromLine(join.second, last.topRight, last.bottomRight), 1e-12);
}

TEST(LoadedView, DegenerateLengthsRaiseTheArithmeticErrors) {
    // A body of length 0 stacks every turn on one vertical line: the rear pieces run along the
    // edges they should meet, 0/0.
    EXPECT_EQ(errorOf([] { loadedRoundHookOutline(kExampleCoil, 80, 19); }),
              cli::kInvalidOperationMessage);
    // Less than a quarter turn has no pitch to spread the length over.
    EXPECT_EQ(errorOf([] {
                  loadedRoundHookOutline({1, 10, 0.1}, 80, 45);
              }),
              cli::kDivisionByZeroMessage);
    // A body shorter than nothing is drawn, folded back on itself.
    EXPECT_NO_THROW(loadedRoundHookOutline(kExampleCoil, 80, 10));
}

TEST(ShapeViews, FramesOfTheThreeViews) {
    const ShapeDrawing free = freeRoundHookDrawing(kExampleCoil, 80, 55, 641, 225);
    EXPECT_DOUBLE_EQ(free.view.scale, 641 / 60.5);
    EXPECT_DOUBLE_EQ(free.view.x0, 10.25 - 30.25);
    EXPECT_NEAR(free.view.y0 + free.view.extentY / 2, -5, 1e-12);
    EXPECT_EQ(free.outline, roundHookScreenOutline(kExampleCoil, 80));

    // The loaded view keeps the free view's scale, centred on its own body.
    const ShapeDrawing load1 = loadedRoundHookDrawing(kExampleCoil, 80, 45, 55, 641, 225);
    EXPECT_DOUBLE_EQ(load1.view.scale, free.view.scale);
    EXPECT_NEAR(load1.view.x0, 13 - 30.25, 1e-12);

    const ShapeDrawing u = freeUHookDrawing(kExampleCoil, {10, 3, 2}, 641, 225);
    EXPECT_NEAR(u.view.scale, 641 / (1.1 * 41), 1e-12);
    EXPECT_EQ(u.outline, uHookScreenOutline(kExampleCoil, {10, 3, 2}));
}

} // namespace
} // namespace hspring::test
