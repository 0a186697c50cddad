// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "drawing/loaded_view.h"
#include "drawing/painting/hook_pictures.h"
#include "drawing/painting/shape_view_painting.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace hspring {
namespace {

const CoilShape kExampleCoil{1, 10, 20};
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);

template <typename Draw>
QImage drawn(Draw draw, QSize size = kShapeViewSize) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    draw(painter);
    return image;
}

QImage freeRoundHookImage(const CoilShape& coil = kExampleCoil) {
    return drawn([&](QPainter& p) { drawFreeRoundHook(p, coil, 80, 55); });
}

// Whether a pixel of the colour lies within `reach` of (x, y).
bool colourNear(const QImage& image, PixelPoint at, QRgb colour, int reach = 1) {
    for (int y = at.y - reach; y <= at.y + reach; ++y)
        for (int x = at.x - reach; x <= at.x + reach; ++x)
            if (image.valid(x, y) && image.pixel(x, y) == colour)
                return true;
    return false;
}

bool onlyBlueOnWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kBlue && image.pixel(x, y) != kWhite)
                return false;
    return true;
}

// The first and last rows and columns that hold a blue pixel.
QRect blueExtent(const QImage& image) {
    QRect extent;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kBlue)
                extent |= QRect(x, y, 1, 1);
    return extent;
}

TEST(ShapeViewPainting, FreeRoundHookLandsWhereTheViewPutsIt) {
    const QImage image = freeRoundHookImage();
    EXPECT_TRUE(onlyBlueOnWhite(image));
    const ShapeDrawing drawing = freeRoundHookDrawing(kExampleCoil, 80, 55, 641, 225);
    const ViewTransform& view = drawing.view;

    // The loops: white inside, blue where the outer circle reaches furthest out.
    EXPECT_EQ(image.pixel(toPixel(view, {-5.25, -5}).x, toPixel(view, {-5.25, -5}).y), kWhite);
    EXPECT_EQ(image.pixel(toPixel(view, {25.25, -5}).x, toPixel(view, {25.25, -5}).y), kWhite);
    EXPECT_TRUE(colourNear(image, toPixel(view, {-5.25 - 5.5, -5}), kBlue));
    EXPECT_TRUE(colourNear(image, toPixel(view, {25.25 + 5.5, -5}), kBlue));
    EXPECT_TRUE(colourNear(image, toPixel(view, {-5.25, -10.5}), kBlue));

    // The first turn's left edge, from near (-0.5, 0) down to near (0, -10).
    for (double t : {0.1, 0.5, 0.9})
        EXPECT_TRUE(
            colourNear(image, toPixel(view, {-0.499376 + 0.5 * t, -0.024969 - 10 * t}), kBlue))
            << t;

    // 10.595 pixels per mm, centred vertically: the wire from y = 0.5 to -10.5 fills rows
    // 112.5 ± 58.3; the loops reach from x = -10.75 to 30.75 mm.
    const QRect extent = blueExtent(image);
    EXPECT_NEAR(extent.top(), 54, 1);
    EXPECT_NEAR(extent.bottom(), 171, 1);
    EXPECT_NEAR(extent.left(), 98, 1);
    EXPECT_NEAR(extent.right(), 538, 1);
}

TEST(ShapeViewPainting, LoadedViewsStretchTheBodyInTheSameFrame) {
    const QImage load1 =
        drawn([](QPainter& p) { drawLoadedRoundHook(p, kExampleCoil, 80, 45, 55); });
    const QImage load2 =
        drawn([](QPainter& p) { drawLoadedRoundHook(p, kExampleCoil, 80, 55, 55); });
    EXPECT_TRUE(onlyBlueOnWhite(load1));
    const double scale = 641 / 60.5;
    // Both loops keep their size: 2 × 5.5 mm plus the body between them.
    const QRect extent1 = blueExtent(load1);
    const QRect extent2 = blueExtent(load2);
    EXPECT_NEAR(extent1.width(), (26 + 2 * 10.75) * scale, 2);
    EXPECT_NEAR(extent2.width(), (36 + 2 * 10.75) * scale, 2);
    EXPECT_NEAR(extent1.top(), 54, 1);
    EXPECT_NEAR(extent2.top(), 54, 1);

    const ViewTransform view = loadedRoundHookDrawing(kExampleCoil, 80, 45, 55, 641, 225).view;
    const PixelPoint rightLoop = toPixel(view, {26 + 5.25, -5});
    EXPECT_EQ(load1.pixel(rightLoop.x, rightLoop.y), kWhite);
    EXPECT_TRUE(colourNear(load1, toPixel(view, {26 + 5.25 + 5.5, -5}), kBlue));
    // Turn 5 stretched to a pitch of 1.3 mm: its wire centre line passes (6.695, -3); both edges
    // lie half a millimetre (5 pixels) to each side, the wire between them is white.
    const PixelPoint wire = toPixel(view, {6.695, -3});
    EXPECT_EQ(load1.pixel(wire.x, wire.y), kWhite);
    EXPECT_TRUE(colourNear(load1, toPixel(view, {6.695 - 0.501, -3}), kBlue));
    EXPECT_TRUE(colourNear(load1, toPixel(view, {6.695 + 0.501, -3}), kBlue));
}

TEST(ShapeViewPainting, FreeUHook) {
    const QImage image = drawn([](QPainter& p) { drawFreeUHook(p, kExampleCoil, {10, 3, 2}); });
    EXPECT_TRUE(onlyBlueOnWhite(image));
    const ViewTransform view = freeUHookDrawing(kExampleCoil, {10, 3, 2}, 641, 225).view;
    const PixelPoint leftU = toPixel(view, {-4.878123, -5});
    EXPECT_EQ(image.pixel(leftU.x, leftU.y), kWhite);
    EXPECT_TRUE(colourNear(image, toPixel(view, {-4.878123 - 5.5, -5}), kBlue));
    EXPECT_TRUE(colourNear(image, toPixel(view, {-3.5, -10}), kBlue)); // left cut
    EXPECT_TRUE(colourNear(image, toPixel(view, {23, -10}), kBlue));   // right cut
    EXPECT_TRUE(colourNear(image, toPixel(view, {24.878123 + 5.5, -5}), kBlue));
    // Framed to its own extent: 1.1 × 41 mm across the width.
    EXPECT_NEAR(blueExtent(image).width(), (24.878123 + 5.5 - (-4.878123 - 5.5)) * 641 / 45.1, 2);
}

TEST(ShapeViewPainting, FaultLeavesTheImageUntouched) {
    const QImage image = drawn([](QPainter& p) {
        EXPECT_THROW(drawFreeRoundHook(p, {1, 0, 20}, 80, 55), Error);
        EXPECT_THROW(drawLoadedRoundHook(p, kExampleCoil, 80, 19, 55), Error);
        EXPECT_THROW(drawFreeUHook(p, {1, 10, 1e9}, {10, 3, 2}), Error);
    });
    EXPECT_EQ(image, drawn([](QPainter&) {}));
}

TEST(ShapeViewPainting, DrawingFarOutsideTheImageIsClipped) {
    // A frame of a hundredth of a millimetre puts nearly everything millions of pixels away.
    const QImage image = drawn([](QPainter& p) { drawFreeRoundHook(p, kExampleCoil, 80, 0.01); });
    EXPECT_TRUE(onlyBlueOnWhite(image));
    const QImage huge = drawn([](QPainter& p) { drawFreeUHook(p, {1, 10, 20}, {1e12, 3, 2}); });
    EXPECT_TRUE(onlyBlueOnWhite(huge));
}

TEST(HookPictures, StayInsideTheirSizeAndShowTheSpring) {
    for (const auto& [paint, size] : {std::pair{&paintRoundHookPicture, kRoundHookPictureSize},
                                      std::pair{&paintUHookPicture, kUHookPictureSize}}) {
        const QImage image = drawn(paint, size + QSize(20, 20));
        int blue = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool inside = x < size.width() && y < size.height();
                if (!inside)
                    ASSERT_EQ(image.pixel(x, y), qRgb(255, 0, 0)) << x << "," << y;
                blue += image.pixel(x, y) == kBlue;
            }
        EXPECT_GT(blue, 300);
    }
}

} // namespace
} // namespace hspring
