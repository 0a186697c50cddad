// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/painting/fatigue_diagram.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace hspring {
namespace {

constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kSilver = 0xffc0c0c0;
constexpr QRgb kBlue = 0xff0000ff;
constexpr QRgb kMagenta = 0xffff00ff;

QImage diagram(double upper, double lower, double hookFactor = 1.0) {
    return renderFatigueDiagram(upper, lower, hookFactor).image;
}

int notices(double upper, double lower, double hookFactor) {
    return renderFatigueDiagram(upper, lower, hookFactor).overAreaNotices;
}

::testing::AssertionResult pixelIs(const QImage& image, int x, int y, QRgb expected) {
    const QRgb actual = image.pixel(x, y);
    if (actual == expected)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex
                                         << actual << ", expected " << expected;
}

::testing::AssertionResult areaIs(const QImage& image, const QRect& area, QRgb expected) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (auto result = pixelIs(image, x, y, expected); !result)
                return result;
    return ::testing::AssertionSuccess();
}

// Antialiased label text in a colour: the colour's channels clearly above the others.
bool tintedBlue(QRgb c) {
    return qBlue(c) - qRed(c) >= 60 && qBlue(c) - qGreen(c) >= 60;
}
bool tintedMagenta(QRgb c) {
    return qRed(c) - qGreen(c) >= 60 && qBlue(c) - qGreen(c) >= 60;
}

// Bounding box of a label's ink relative to its nominal top-left corner, searched in a window
// around it that nothing else of that colour reaches.
QRect labelInk(const QImage& image, QPoint topLeft, bool (*tinted)(QRgb)) {
    QRect box;
    for (int y = topLeft.y() - 3; y <= topLeft.y() + 11; ++y)
        for (int x = topLeft.x() - 2; x <= topLeft.x() + 55; ++x)
            if (tinted(image.pixel(x, y)))
                box |= QRect(x - topLeft.x(), y - topLeft.y(), 1, 1);
    return box;
}

int countPixels(const QImage& image, bool (*tinted)(QRgb)) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += tinted(image.pixel(x, y)) ? 1 : 0;
    return count;
}

TEST(FatigueDiagram, IsA400By417Picture) {
    const QImage image = diagram(0.4, 0.2);
    EXPECT_EQ(image.size(), QSize(400, 417));
    EXPECT_TRUE(pixelIs(image, 0, 0, kWhite));
    EXPECT_TRUE(pixelIs(image, 399, 416, kWhite));
}

// A pen of width 2 on the rectangle 30..380 runs along 30 and 379 and covers the rows and
// columns 29..30 and 378..379; its round corners leave the outer corner pixel at the top left.
TEST(FatigueDiagram, FrameIsTwoPixelsWideWithRoundCorners) {
    const QImage image = diagram(0.4, 0.2);
    // Near the origin the bottom edge lies under the blue outline.
    for (const int x : {30, 31})
        EXPECT_TRUE(pixelIs(image, x, 29, kBlack));
    for (const int x : {200, 300, 378}) {
        EXPECT_TRUE(pixelIs(image, x, 29, kBlack));
        EXPECT_TRUE(pixelIs(image, x, 378, kBlack));
        EXPECT_TRUE(pixelIs(image, x, 379, kBlack));
        EXPECT_TRUE(pixelIs(image, x, 380, kWhite));
    }
    // Below row 169 the left edge lies under the blue outline along the axis.
    for (const int y : {30, 31, 140})
        EXPECT_TRUE(pixelIs(image, 29, y, kBlack));
    for (const int y : {140, 200, 377}) {
        EXPECT_TRUE(pixelIs(image, 378, y, kBlack));
        EXPECT_TRUE(pixelIs(image, 379, y, kBlack));
        EXPECT_TRUE(pixelIs(image, 380, y, kWhite));
        EXPECT_TRUE(pixelIs(image, 377, y, kWhite));
    }
    EXPECT_TRUE(pixelIs(image, 29, 29, kWhite));
    EXPECT_TRUE(pixelIs(image, 379, 29, kWhite));
    EXPECT_TRUE(pixelIs(image, 379, 379, kBlack));
    EXPECT_TRUE(pixelIs(image, 31, 200, kWhite));
}

// Each life line runs from its column on the top edge to its row on the vertical axis. The
// expected pixels are those nearest to the straight line between the tabled endpoints, two to
// five columns in from the top end and one to four columns in from the axis.
TEST(FatigueDiagram, LifeLinesRunBetweenTheirTabledEndpoints) {
    struct Expected {
        QPoint top;
        QPoint axis;
        std::vector<QPoint> nearTop;
        std::vector<QPoint> nearAxis;
    };
    const Expected lines[] = {
        {{284, 30}, {30, 171}, {{282, 31}, {281, 32}, {280, 32}, {279, 33}}, {}},
        {{266, 30},
         {30, 151},
         {{264, 31}, {263, 32}, {262, 32}, {261, 33}},
         {{31, 150}, {32, 150}, {33, 149}, {34, 149}}},
        {{253, 30},
         {30, 138},
         {{251, 31}, {250, 31}, {249, 32}, {248, 32}},
         {{31, 138}, {32, 137}, {33, 137}, {34, 136}}},
        {{240, 30},
         {30, 126},
         {{238, 31}, {237, 31}, {236, 32}, {235, 32}},
         {{31, 126}, {32, 125}, {33, 125}, {34, 124}}},
        {{228, 30},
         {30, 117},
         {{226, 31}, {225, 31}, {224, 32}, {223, 32}},
         {{31, 117}, {32, 116}, {33, 116}, {34, 115}}},
        {{214, 30},
         {30, 107},
         {{212, 31}, {211, 31}, {210, 32}, {209, 32}},
         {{31, 107}, {32, 106}, {33, 106}, {34, 105}}},
        {{192, 30},
         {30, 93},
         {{190, 31}, {189, 31}, {188, 32}, {187, 32}},
         {{31, 93}, {32, 92}, {33, 92}, {34, 91}}},
        // Column 134 of line 7 lies under the ray γ = 0.3, row 64 under the level 0.45.
        {{137, 30}, {30, 65}, {{135, 31}, {133, 31}, {132, 32}}, {{31, 65}}},
    };
    const QImage image = diagram(0.4, 0.2);
    for (const Expected& line : lines) {
        SCOPED_TRACE(testing::Message()
                     << "life line (" << line.top.x() << ", " << line.top.y() << ") to ("
                     << line.axis.x() << ", " << line.axis.y() << ")");
        for (const QPoint p : line.nearTop) {
            EXPECT_TRUE(pixelIs(image, p.x(), p.y(), kBlack));
            EXPECT_NE(image.pixel(p.x(), p.y() + 1), kBlack); // one pixel wide
        }
        // Near the axis, life line 0 lies under the outline of the 10^7 region (next test).
        for (const QPoint p : line.nearAxis)
            EXPECT_TRUE(pixelIs(image, p.x(), p.y(), kBlack));
    }
}

// Life line 0 and the blue outline along it end at row 171, not 170: 0.3 × 700 truncates to 209
// in extended precision. At column 40 the two-pixel line then covers rows 165 and 166.
TEST(FatigueDiagram, OutlineAlongLifeLineZeroEndsOnRow171) {
    const QImage image = diagram(0.4, 0.2);
    EXPECT_TRUE(pixelIs(image, 40, 164, kWhite));
    EXPECT_TRUE(pixelIs(image, 40, 165, kBlue));
    EXPECT_TRUE(pixelIs(image, 40, 166, kBlue));
    EXPECT_TRUE(pixelIs(image, 40, 167, kWhite));
    // The thin black level 0.45 from the axis, and the outline from (220, 64) to (345, 64).
    EXPECT_TRUE(pixelIs(image, 90, 64, kBlack));
    EXPECT_TRUE(pixelIs(image, 90, 63, kWhite));
    EXPECT_TRUE(areaIs(image, QRect(245, 63, 60, 2), kBlue));
    EXPECT_TRUE(pixelIs(image, 280, 62, kWhite));
    EXPECT_TRUE(pixelIs(image, 280, 65, kWhite));
}

// The ray γ = 0.1 from (30, 379) to (65, 29): one pixel per row, the nearest column, a point
// half-way between two columns going to the left one, and the last pixel not drawn.
TEST(FatigueDiagram, StressRatioRayFollowsTheDiamondRule) {
    const QImage image = diagram(0.4, 0.2);
    EXPECT_TRUE(pixelIs(image, 40, 279, kSilver)); // exactly on the line
    EXPECT_TRUE(pixelIs(image, 39, 284, kSilver)); // 39.5: the left one
    EXPECT_TRUE(pixelIs(image, 40, 284, kWhite));
    EXPECT_TRUE(pixelIs(image, 40, 274, kSilver)); // 40.5
    EXPECT_TRUE(pixelIs(image, 41, 274, kWhite));
    EXPECT_TRUE(pixelIs(image, 41, 273, kSilver)); // 40.6
    EXPECT_TRUE(pixelIs(image, 40, 273, kWhite));
    EXPECT_TRUE(pixelIs(image, 65, 30, kSilver));
    EXPECT_TRUE(pixelIs(image, 65, 29, kBlack)); // the ray's end: the frame stays
}

TEST(FatigueDiagram, CoilMarkerAndItsLabel) {
    const QImage image = diagram(0.4, 0.2, 2.0);
    EXPECT_TRUE(areaIs(image, QRect(QPoint(167, 97), QPoint(173, 103)), kBlue));
    EXPECT_NE(image.pixel(166, 100), kBlue);
    EXPECT_NE(image.pixel(170, 96), kBlue);
    EXPECT_NE(image.pixel(170, 104), kBlue);
    // The label's white background starts at (177, 96): it covers the grid row 100 from
    // column 177 on and the ray γ = 0.6 from row 96 on.
    EXPECT_TRUE(pixelIs(image, 174, 100, kBlack));
    EXPECT_TRUE(pixelIs(image, 176, 100, kBlack));
    EXPECT_NE(image.pixel(177, 100), kBlack);
    EXPECT_TRUE(pixelIs(image, 200, 95, kSilver));
    EXPECT_NE(image.pixel(200, 96), kSilver);
    EXPECT_FALSE(labelInk(image, {177, 96}, tintedBlue).isEmpty());
    EXPECT_EQ(countPixels(image, tintedMagenta), 0);
}

// At no load the square is clipped to the quarter on the positive side of both axes. The hook's
// point is the origin too, so its marker and label cover the coil's.
TEST(FatigueDiagram, MarkerAtTheOriginIsClippedAtTheAxes) {
    const QImage image = diagram(0, 0, 1.25);
    EXPECT_TRUE(areaIs(image, QRect(QPoint(30, 377), QPoint(33, 380)), kMagenta));
    EXPECT_TRUE(pixelIs(image, 28, 380, kWhite));
    EXPECT_TRUE(pixelIs(image, 31, 381, kWhite));
    EXPECT_TRUE(pixelIs(image, 34, 380, kWhite));
    // The label stands at (40, 373), placed like the hook label at (191, 68) of 0.44/0.22.
    const QRect atOrigin = labelInk(image, {40, 373}, tintedMagenta);
    EXPECT_FALSE(atOrigin.isEmpty());
    EXPECT_EQ(atOrigin, labelInk(diagram(0.4, 0.2, 1.1), {191, 68}, tintedMagenta));
}

TEST(FatigueDiagram, HookMarkerUsesTheScaledPoint) {
    // 0.44 / 0.22: X = 154, Y = 308.
    const FatigueDiagramPicture picture = renderFatigueDiagram(0.4, 0.2, 1.1);
    EXPECT_EQ(picture.overAreaNotices, 0);
    EXPECT_TRUE(areaIs(picture.image, QRect(QPoint(181, 69), QPoint(187, 75)), kMagenta));
    EXPECT_NE(picture.image.pixel(180, 72), kMagenta);
    EXPECT_NE(picture.image.pixel(188, 72), kMagenta);
    EXPECT_FALSE(labelInk(picture.image, {191, 68}, tintedMagenta).isEmpty());
}

TEST(FatigueDiagram, HookPointOverTheAreaDrawsNoHookMarker) {
    const FatigueDiagramPicture picture = renderFatigueDiagram(0.48, 0.2, 1.2);
    EXPECT_EQ(picture.overAreaNotices, 1);
    EXPECT_TRUE(areaIs(picture.image, QRect(QPoint(167, 41), QPoint(173, 47)), kBlue));
    EXPECT_EQ(countPixels(picture.image, tintedMagenta), 0);
}

TEST(FatigueDiagram, OverAreaNoticesAndNoMarkers) {
    EXPECT_EQ(notices(0.48, 0.2, 1.2), 1);
    EXPECT_EQ(notices(0.6, 0.2, 1.0), 2);
    EXPECT_EQ(notices(0.6, 0.2, 0.5), 1);
    EXPECT_EQ(notices(0.5, 0.2, 1.0), 0);  // the top edge still belongs to the area
    EXPECT_EQ(notices(0.4, 0.2, 1.25), 0); // 0.5 exactly
    EXPECT_EQ(notices(0.4, 0.2, 1.3), 1);

    // Above the area nothing is marked: the picture equals the one without a point.
    const QImage empty = diagram(std::nan(""), 0.2);
    EXPECT_EQ(diagram(0.6, 0.2, 0.5), empty);
    EXPECT_EQ(diagram(0.6, 0.2, 1.0), empty);
    EXPECT_NE(diagram(0.4, 0.2), empty);
}

TEST(FatigueDiagram, MissingCoefficientsPlaceNothingAndRaiseNoNotice) {
    const double missing = std::nan("");
    EXPECT_EQ(notices(missing, missing, 1.25), 0);
    EXPECT_EQ(notices(0.4, missing, 1.25), 0);
    EXPECT_EQ(notices(0.4, 0.2, missing), 0);
    const QImage coilOnly = diagram(0.4, 0.2, missing);
    EXPECT_TRUE(areaIs(coilOnly, QRect(QPoint(167, 97), QPoint(173, 103)), kBlue));
    EXPECT_EQ(countPixels(coilOnly, tintedMagenta), 0);
}

// Far-off and negative points must not overflow the pixel arithmetic; they are clipped.
TEST(FatigueDiagram, PointsOutsideThePictureAreClipped) {
    EXPECT_EQ(notices(-1e300, 1e300, 1.0), 0);
    EXPECT_EQ(notices(0.1, -1e300, 1.0), 0);
    EXPECT_EQ(notices(-INFINITY, 0.1, 1.0), 0);
    // A lower coefficient beyond 0.5 puts the square right of the frame.
    const QImage image = diagram(0.2, 0.52, 2.0);
    EXPECT_TRUE(areaIs(image, QRect(QPoint(391, 237), QPoint(397, 243)), kBlue));
}

// The picture for the window starts from a background drawn once; it is the full drawing to the
// pixel, whatever markers and notices the values give.
TEST(FatigueDiagram, RenderedPicturesAreTheFullDrawing) {
    for (const auto& [upper, lower, hook] : {std::tuple{0.4, 0.2, 1.25},
                                             {0.0, 0.0, 1.0},
                                             {0.48, 0.2, 1.2},
                                             {0.6, 0.1, 1.0},
                                             {0.2, 0.52, 2.0},
                                             {NAN, 0.1, 1.0}}) {
        QImage drawn(kFatigueDiagramWidth, kFatigueDiagramHeight, QImage::Format_RGB32);
        QPainter painter(&drawn);
        const int notices = drawFatigueDiagram(painter, upper, lower, hook);
        painter.end();
        const FatigueDiagramPicture rendered = renderFatigueDiagram(upper, lower, hook);
        EXPECT_EQ(rendered.image, drawn) << upper << " " << lower;
        EXPECT_EQ(rendered.overAreaNotices, notices);
    }
}

// The same routine draws onto any painter; a painter scaled by 2 gets every pixel as a 2 × 2
// block.
TEST(FatigueDiagram, ScaledPainterGetsTheSamePictureEnlarged) {
    const QImage original = diagram(0.4, 0.2);
    QImage enlarged(800, 834, QImage::Format_RGB32);
    {
        QPainter painter(&enlarged);
        painter.scale(2, 2);
        drawFatigueDiagram(painter, 0.4, 0.2, 1.0);
    }
    for (const QPoint p :
         {QPoint(29, 100), QPoint(30, 29), QPoint(29, 29), QPoint(39, 284), QPoint(40, 284),
          QPoint(167, 97), QPoint(173, 103), QPoint(40, 165), QPoint(40, 164), QPoint(282, 31)})
        for (const QPoint d : {QPoint(0, 0), QPoint(1, 1)})
            EXPECT_EQ(enlarged.pixel(2 * p + d), original.pixel(p)) << p.x() << ", " << p.y();
}

} // namespace
} // namespace hspring
