// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/painting/jis_sheet_painting.h"

#include <gtest/gtest.h>

namespace hspring {
namespace {

SpringDesign coil(double freeLength) {
    SpringDesign design{};
    design.wireDiameter = 1;
    design.meanDiameter = 8;
    design.outerDiameter = 9;
    design.totalTurns = 15.5;
    design.freeLength = freeLength;
    design.hookAngle = 80;
    design.hookLength = 9;
    design.hookOpening = 2.5;
    design.hookMinRadius = 1.5;
    return design;
}

// The figure as drawn agrees with its dimensions, for both hooks and both hands: the L0
// dimension runs between the drawn hooks' inner sides and reads the free length at the figure's
// scale; a free length the outline cannot be brought to marks the figure for reference and
// still dimensions what is drawn; the Do arrows end on the coil's top and bottom.
TEST(JisSheetFigurePlacement, DimensionsMeasureTheDrawnSpring) {
    for (const HookType hook : {HookType::Round, HookType::U})
        for (const bool left : {false, true}) {
            JisSheetSubject subject;
            subject.hookType = hook;
            subject.leftHanded = left;
            subject.design = coil(10);
            const std::optional<JisSheetFigure> figure = jisSheetFigure(subject);
            ASSERT_TRUE(figure);
            const double d = figure->wireDiameter;
            // The outline's own distance between the hooks' inner sides, from its drawn path.
            const auto asIs = placeJisSheetFigure(*figure, NAN);
            ASSERT_TRUE(asIs);
            const QRectF unstretched =
                jisSheetOutlinePath(figure->outline, asIs->map).boundingRect();
            const double drawnLength = unstretched.width() / asIs->map.scaleX - 2 * d;
            ASSERT_GT(drawnLength, 0);

            for (const double factor : {1.04, 0.97, 1.5}) {
                const double freeLength = drawnLength * factor;
                const auto placed = placeJisSheetFigure(*figure, freeLength);
                ASSERT_TRUE(placed);
                const FigureMap& map = placed->map;
                const QRectF drawn = jisSheetOutlinePath(figure->outline, map).boundingRect();
                const double hookDistance = drawn.width() - 2 * d * map.scaleX;
                const double span = placed->innerRight.x() - placed->innerLeft.x();
                EXPECT_NEAR(span, hookDistance, 0.5);
                EXPECT_NEAR(placed->innerLeft.x(), drawn.left() + d * map.scaleX, 0.5);
                EXPECT_GE(placed->innerLeft.y(), drawn.top());
                EXPECT_LE(placed->innerLeft.y(), drawn.bottom());
                const bool matches = factor < 1.1;
                EXPECT_EQ(placed->forReference, !matches) << factor;
                EXPECT_NEAR(span / map.scale, matches ? freeLength : drawnLength, 1e-3 * freeLength)
                    << "hook " << static_cast<int>(hook) << " left " << left << " × " << factor;
                EXPECT_GE(placed->coilTop.y(), drawn.top() - 0.5);
                EXPECT_LE(placed->coilBottom.y(), drawn.bottom() + 0.5);
                EXPECT_NEAR((placed->coilBottom.y() - placed->coilTop.y()) / map.scale,
                            subject.design.outerDiameter, 0.02 * subject.design.outerDiameter);
            }
        }
}

} // namespace
} // namespace hspring
