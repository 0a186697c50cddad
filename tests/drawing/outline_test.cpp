// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/problem_text.h"
#include "drawing/loaded_view.h"
#include "drawing/outline.h"
#include "drawing_test_support.h"

#include <functional>
#include <limits>

namespace hspring::test {
namespace {

const CoilShape kExampleCoil{1, 10, 20};

// An outline that was returned holds finite numbers only.
void requireFiniteForTest(const Outline& outline) {
    for (const OutlinePrimitive& primitive : outline) {
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            ASSERT_TRUE(std::isfinite(segment->first.x) && std::isfinite(segment->first.y) &&
                        std::isfinite(segment->second.x) && std::isfinite(segment->second.y));
        } else {
            const auto& arc = std::get<DrawArc>(primitive);
            ASSERT_TRUE(std::isfinite(arc.centre.x) && std::isfinite(arc.centre.y) &&
                        std::isfinite(arc.radius) && std::isfinite(arc.startAngle) &&
                        std::isfinite(arc.endAngle));
        }
    }
}
const UHookShape kExampleUHook{10, 3, 2};

void expectPoint(DrawPoint actual, double x, double y) {
    EXPECT_NEAR(actual.x, x, kSixPlaces);
    EXPECT_NEAR(actual.y, y, kSixPlaces);
}

void expectArc(const DrawArc& arc, DrawPoint centre, double radius, double start, double end) {
    expectPoint(arc.centre, centre.x, centre.y);
    EXPECT_DOUBLE_EQ(arc.radius, radius);
    EXPECT_NEAR(arc.startAngle, start, kSixPlaces);
    EXPECT_NEAR(arc.endAngle, end, kSixPlaces);
}

// The round hook's loop is closed: the transition meets the inner arc, the cut end joins both
// arcs. The left loop runs from the cut to the transition; its mirror image the other way round.
struct LoopIndices {
    std::size_t transition, inner, outer, cut;
};
void expectClosedLoop(const Outline& outline, LoopIndices at, bool mirrored) {
    const DrawArc& inner = arcAt(outline, at.inner);
    const DrawArc& outer = arcAt(outline, at.outer);
    const DrawSegment& cut = segmentAt(outline, at.cut);
    const DrawPoint innerAtTransition = mirrored ? arcStart(inner) : arcEnd(inner);
    const DrawPoint innerAtCut = mirrored ? arcEnd(inner) : arcStart(inner);
    const DrawPoint outerAtCut = mirrored ? arcEnd(outer) : arcStart(outer);
    EXPECT_LT(distance(segmentAt(outline, at.transition).second, innerAtTransition), 1e-12);
    EXPECT_LT(distance(cut.first, innerAtCut), 1e-12);
    EXPECT_LT(distance(cut.second, outerAtCut), 1e-12);
}

TEST(RoundHookOutline, TwentyTurns) {
    const Outline outline = roundHookOutline(kExampleCoil, 80);
    ASSERT_EQ(outline.size(), 70u);

    // Turns: edge, top arc, bottom arc.
    expectPoint(segmentAt(outline, 0).first, -0.499376, -0.024969);
    expectPoint(segmentAt(outline, 0).second, 0.000624, -10.024969);
    EXPECT_EQ(arcAt(outline, 1), (DrawArc{{0, 0}, 0.5, 0, arcAt(outline, 1).endAngle}));
    EXPECT_NEAR(arcAt(outline, 1).endAngle, 182.862405226112, 1e-12);
    expectArc(arcAt(outline, 2), {0.5, -10}, 0.5, 182.862405, 360);
    // The last turn's arcs end where its closing edge does.
    expectArc(arcAt(outline, 58), {19, 0}, 0.5, 2.862405, 182.862405);
    expectArc(arcAt(outline, 59), {19.5, -10}, 0.5, 182.862405, 362.862405);
    EXPECT_LT(distance(segmentAt(outline, 60).first, arcStart(arcAt(outline, 58))), 1e-12);
    EXPECT_LT(distance(segmentAt(outline, 60).second, arcEnd(arcAt(outline, 59))), 1e-12);

    // Left hook.
    expectArc(arcAt(outline, 62), {-5.25, -5}, 4.5, 80, 357.205638);
    expectArc(arcAt(outline, 63), {-5.25, -5}, 5.5, 80, 338.071391);
    expectClosedLoop(outline, {61, 62, 63, 64}, false);
    EXPECT_LT(distance(segmentAt(outline, 61).first, pointOnCircle({0, 0}, 0.5, 177.205638)), 1e-6);

    // Right hook, mirrored about x = 10.
    expectPoint(segmentAt(outline, 65).first, 20 - segmentAt(outline, 61).first.x,
                segmentAt(outline, 61).first.y);
    expectArc(arcAt(outline, 66), {20, 0}, 0.5, 2.794362, 180);
    expectArc(arcAt(outline, 67), {25.25, -5}, 4.5, 182.794362, 460);
    expectArc(arcAt(outline, 68), {25.25, -5}, 5.5, 185.852118, 460);
    expectClosedLoop(outline, {65, 67, 68, 69}, true);
    // The outer arc starts on the closing edge's line.
    EXPECT_LT(distanceFromLine(arcStart(arcAt(outline, 68)), segmentAt(outline, 60).first,
                               segmentAt(outline, 60).second),
              1e-9);
}

TEST(RoundHookOutline, HalfTurnHangsTheRightLoopFromTheBottom) {
    const Outline outline = roundHookOutline({1, 10, 20.5}, 80);
    ASSERT_EQ(outline.size(), 72u);
    expectArc(arcAt(outline, 61), {20, 0}, 0.5, 2.862405, 182.862405); // turn 20, the last
    expectArc(arcAt(outline, 69), {25.75, -5}, 4.5, 260, 537.205638);
    expectArc(arcAt(outline, 70), {25.75, -5}, 5.5, 260, 518.071391);
    expectClosedLoop(outline, {68, 69, 70, 71}, false);
    // The right transition leaves the bottom wire circle of turn 20, at (20.5, -10).
    EXPECT_NEAR(distance(segmentAt(outline, 68).first, {20.5, -10}), 0.5, 1e-12);
}

TEST(RoundHookOutline, FractionsBelowAQuarterAndAboveThreeQuartersOfATurn) {
    EXPECT_EQ(roundHookOutline({1, 10, 20.2}, 80), roundHookOutline(kExampleCoil, 80));

    const Outline outline = roundHookOutline({1, 10, 20.8}, 80);
    ASSERT_EQ(outline.size(), 73u); // 21 turns, closing edge, 4 + 5 hook primitives
    expectArc(arcAt(outline, 70), {26.25, -5}, 4.5, 182.794362, 460);
}

TEST(RoundHookOutline, LessThanAQuarterTurnHasOnlyTheHooks) {
    const Outline outline = roundHookOutline({1, 10, 0.2}, 80);
    ASSERT_EQ(outline.size(), 10u);
    const DrawSegment closingEdge = segmentAt(outline, 0);
    expectPoint(closingEdge.first, 0.499376, 0.024969);
    expectPoint(closingEdge.second, 0.999376, -9.975031);
    // Mirrored about x = 0: the right loop sits back to back with the left one.
    expectArc(arcAt(outline, 6), {0, 0}, 0.5, 2.794362, 180);
    EXPECT_EQ(arcAt(outline, 7).centre, (DrawPoint{5.25, -5}));
    EXPECT_LT(distanceFromLine(arcStart(arcAt(outline, 8)), closingEdge.first, closingEdge.second),
              1e-9);
}

TEST(RoundHookOutline, ScreenDiffersInTheLastTopArcAndTheRightOuterArc) {
    const Outline file = roundHookOutline(kExampleCoil, 80);
    const Outline screen = roundHookScreenOutline(kExampleCoil, 80);
    ASSERT_EQ(screen.size(), file.size());
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (i == 58) {
            EXPECT_EQ(arcAt(screen, i).startAngle, 0);
            EXPECT_EQ(arcAt(screen, i).endAngle, arcAt(file, i).endAngle);
        } else if (i == 68) {
            EXPECT_EQ(arcAt(screen, i).startAngle, arcAt(screen, 67).startAngle);
            EXPECT_EQ(arcAt(screen, i).endAngle, 460);
        } else {
            EXPECT_EQ(screen[i], file[i]) << "primitive " << i;
        }
    }
    // With the right loop hanging from the bottom only the top arc differs.
    const Outline halfFile = roundHookOutline({1, 10, 20.5}, 80);
    const Outline halfScreen = roundHookScreenOutline({1, 10, 20.5}, 80);
    EXPECT_EQ(arcAt(halfScreen, 61).startAngle, 0);
    EXPECT_EQ(std::vector(halfScreen.begin() + 62, halfScreen.end()),
              std::vector(halfFile.begin() + 62, halfFile.end()));
}

TEST(UHookOutline, TwentyTurns) {
    const Outline outline = uHookOutline(kExampleCoil, kExampleUHook);
    ASSERT_EQ(outline.size(), 79u);

    // Turn 0 starts at the bend, without a top arc.
    expectPoint(segmentAt(outline, 0).first, -0.380618, -2.400125);
    expectPoint(segmentAt(outline, 0).second, 0.000624, -10.024969);
    expectArc(arcAt(outline, 1), {0.5, -10}, 0.5, 182.862405, 360);
    expectArc(arcAt(outline, 57), {19, 0}, 0.5, 0, 182.862405);

    // Left hook: bend, legs, U, return legs, cut.
    const DrawPoint bend{-2.378123, -2.5};
    expectArc(arcAt(outline, 60), bend, 2, 2.862405, 90);
    expectArc(arcAt(outline, 61), bend, 3, 2.862405, 90);
    EXPECT_LT(distance(arcStart(arcAt(outline, 60)), segmentAt(outline, 0).first), 1e-12);
    EXPECT_LT(distance(arcEnd(arcAt(outline, 60)), segmentAt(outline, 62).first), 1e-12);
    EXPECT_LT(distance(arcEnd(arcAt(outline, 61)), segmentAt(outline, 63).first), 1e-12);
    expectArc(arcAt(outline, 64), {-4.878123, -5}, 4.5, 90, 270);
    expectArc(arcAt(outline, 65), {-4.878123, -5}, 5.5, 90, 270);
    EXPECT_LT(distance(arcEnd(arcAt(outline, 64)), segmentAt(outline, 66).first), 1e-12);
    EXPECT_LT(distance(arcEnd(arcAt(outline, 65)), segmentAt(outline, 67).first), 1e-12);
    EXPECT_EQ(segmentAt(outline, 66).second, (DrawPoint{-3.5, -9.5}));
    EXPECT_EQ(segmentAt(outline, 67).second, (DrawPoint{-3.5, -10.5}));
    EXPECT_EQ(segmentAt(outline, 68), (DrawSegment{{-3.5, -10.5}, {-3.5, -9.5}}));

    // Right hook: the mirror image about x = 10, the cut measured from x = 20.
    const DrawPoint rightBend{22.378123, -2.5};
    expectArc(arcAt(outline, 69), rightBend, 2, 90, 177.137595);
    expectPoint(segmentAt(outline, 70).first, 20.380618, -2.400125);
    expectArc(arcAt(outline, 71), rightBend, 3, 90, 159.261263);
    EXPECT_LT(distanceFromLine(arcEnd(arcAt(outline, 71)), segmentAt(outline, 59).first,
                               segmentAt(outline, 59).second),
              1e-9);
    expectArc(arcAt(outline, 74), {24.878123, -5}, 4.5, 270, 450);
    expectArc(arcAt(outline, 75), {24.878123, -5}, 5.5, 270, 450);
    EXPECT_EQ(segmentAt(outline, 76).first.y, -9.5);
    EXPECT_EQ(segmentAt(outline, 77).first.y, -10.5);
    EXPECT_EQ(segmentAt(outline, 78), (DrawSegment{{23, -10.5}, {23, -9.5}}));
}

TEST(UHookOutline, HalfTurnBendsTheRightHookFromTheBottom) {
    const Outline outline = uHookOutline({1, 10, 20.5}, kExampleUHook);
    ASSERT_EQ(outline.size(), 80u);
    // Turn 20 ends at the top: no bottom arc, the closing edge runs to the right bend.
    expectArc(arcAt(outline, 60), {20, 0}, 0.5, 2.862405, 182.862405);
    const DrawPoint rightBend{22.878123, -7.5};
    expectArc(arcAt(outline, 71), rightBend, 2, 182.862405, 270);
    expectArc(arcAt(outline, 72), rightBend, 3, 182.862405, 270);
    EXPECT_LT(distance(segmentAt(outline, 61).second, arcStart(arcAt(outline, 71))), 1e-12);
    expectArc(arcAt(outline, 75), {25.378123, -5}, 4.5, 270, 450);
    // The return legs run along the top of the coil, the outer one first, to the cut at x = 24.
    EXPECT_EQ(segmentAt(outline, 77).second, (DrawPoint{24, 0.5}));
    EXPECT_EQ(segmentAt(outline, 78).second, (DrawPoint{24, -0.5}));
    EXPECT_EQ(segmentAt(outline, 79), (DrawSegment{{24, -0.5}, {24, 0.5}}));
    EXPECT_LT(distance(arcEnd(arcAt(outline, 76)), segmentAt(outline, 77).first), 1e-12);
}

TEST(UHookOutline, ScreenDiffersOnlyInTheLastTopArcOfAHalfTurn) {
    EXPECT_EQ(uHookScreenOutline(kExampleCoil, kExampleUHook),
              uHookOutline(kExampleCoil, kExampleUHook));
    Outline screen = uHookScreenOutline({1, 10, 20.5}, kExampleUHook);
    EXPECT_EQ(arcAt(screen, 60).startAngle, 0);
    std::get<DrawArc>(screen[60]).startAngle =
        arcAt(uHookOutline({1, 10, 20.5}, kExampleUHook), 60).startAngle;
    EXPECT_EQ(screen, uHookOutline({1, 10, 20.5}, kExampleUHook));
}

TEST(UHookOutline, FewTurns) {
    // Turn 0 always joins the left bend; with less than a quarter turn the right hook is its
    // mirror image about x = 0.
    const Outline none = uHookOutline({1, 10, 0.1}, kExampleUHook);
    ASSERT_EQ(none.size(), 2u + 1 + 9 + 10);
    EXPECT_NEAR(arcAt(none, 12).centre.x, 2.378123, kSixPlaces);

    const Outline half = uHookOutline({1, 10, 0.5}, kExampleUHook);
    ASSERT_EQ(half.size(), 2u + 1 + 9 + 9);
    // Turned about x = 0.25: the cut stands at 0.5 + 3.5.
    EXPECT_EQ(segmentAt(half, 20), (DrawSegment{{4, -0.5}, {4, 0.5}}));
}

TEST(OutlineFaults, DegenerateInputRaisesTheArithmeticErrors) {
    EXPECT_EQ(errorOf([] { roundHookOutline({1, 0, 20}, 80); }), cli::kDivisionByZeroMessage);
    EXPECT_EQ(errorOf([] { uHookOutline({1, 0, 20}, {10, 3, 2}); }), cli::kDivisionByZeroMessage);
    EXPECT_EQ(errorOf([] {
                  roundHookOutline({1, 10, std::numeric_limits<double>::quiet_NaN()}, 80);
              }),
              cli::kInvalidOperationMessage);
    EXPECT_EQ(errorOf([] { roundHookOutline({1e308, 1e308, 3}, 80); }), cli::kOverflowMessage);
    // A wire diameter of 0 leaves the closing edge vertical: no slope to meet the loop with.
    EXPECT_EQ(errorOf([] { roundHookOutline({0, 10, 20}, 80); }), cli::kDivisionByZeroMessage);
}

TEST(OutlineFaults, TooManyTurnsAreRefused) {
    EXPECT_NO_THROW(roundHookOutline({1, 10, kMaxDrawnTurns}, 80));
    try {
        uHookOutline({1, 10, 1e9}, {10, 3, 2});
        ADD_FAILURE() << "a billion turns were drawn";
    } catch (const Error& error) {
        EXPECT_EQ(error.problem(), Problem::TooManyTurns);
        EXPECT_EQ(error.subject(), std::to_string(kMaxDrawnTurns));
    }
}

TEST(OutlineFaults, AnyInputEitherDrawsOrRaisesTheProgramsError) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {0, -1, 1e-300, 0.5, 7, 1e300, nan, inf};
    const double turns[] = {0, 0.3, 3.5, -5, 1e9, nan, inf};
    int drawn = 0;
    for (double d : values)
        for (double D : values)
            for (double N : turns)
                for (double parameter : values) {
                    const CoilShape coil{d, D, N};
                    for (const auto& build : {
                             std::function([&] { return roundHookOutline(coil, parameter); }),
                             std::function([&] {
                                 return uHookOutline(coil, {parameter, 3, 2});
                             }),
                             std::function([&] {
                                 return uHookOutline(coil, {10, 3, parameter});
                             }),
                         }) {
                        try {
                            requireFiniteForTest(build());
                            ++drawn;
                        } catch (const Error&) {
                            // the program's own message; anything else fails the test
                        }
                    }
                }
    EXPECT_GT(drawn, 100);
}

TEST(OutlineFaults, HookParametersAreDrawnAsEntered) {
    // Nothing is checked against the hinted ranges: odd values give odd but finite drawings.
    EXPECT_EQ(roundHookOutline(kExampleCoil, -400).size(), 70u);
    EXPECT_EQ(uHookOutline(kExampleCoil, {0, -3, 0}).size(), 79u);
}

} // namespace
} // namespace hspring::test
