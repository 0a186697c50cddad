// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/print_size.h"

#include <gtest/gtest.h>

namespace hspring {
namespace {

TEST(PrintSize, MultiplyDivideRoundsToNearest) {
    EXPECT_EQ(multiplyDivide(10, 1, 4), 3);   // 2.5 rounds up
    EXPECT_EQ(multiplyDivide(9, 1, 4), 2);    // 2.25
    EXPECT_EQ(multiplyDivide(11, 1, 4), 3);   // 2.75
    EXPECT_EQ(multiplyDivide(-10, 1, 4), -3); // halves away from zero
    // The product is taken in full: 716 × 4 800 000 overflows 32 bits.
    EXPECT_EQ(multiplyDivide(716, 4'800'000, 96), 35'800'000);
    EXPECT_EQ(multiplyDivide(5, 7, 0), 0);
}

// A landscape window on a portrait page spans the page's width; the rest of the page stays empty.
TEST(PrintSize, FitToPageLandscapeWindowOnPortraitPage) {
    const PixelSize page{4760, 6779}; // A4 printable area at 600 dpi
    const PixelSize size = printSize(PrintScaling::FitToPage, {824, 780}, page, 600, 600);
    EXPECT_EQ(size.width, 4760);
    EXPECT_EQ(size.height, 4506); // 780 × 4760 / 824 = 4505.83
}

TEST(PrintSize, FitToPageTallWindowFillsTheHeight) {
    const PixelSize page{4760, 6779};
    const PixelSize size = printSize(PrintScaling::FitToPage, {400, 800}, page, 600, 600);
    EXPECT_EQ(size, (PixelSize{3390, 6779})); // 400 × 6779 / 800 = 3389.5 rounds up
}

TEST(PrintSize, FitToPageExactlyAsWideAsThePage) {
    // Filling the height would make it exactly as wide as the page: the width rule applies.
    const PixelSize size = printSize(PrintScaling::FitToPage, {100, 200}, {500, 1000}, 600, 600);
    EXPECT_EQ(size, (PixelSize{500, 1000}));
    EXPECT_EQ(printSize(PrintScaling::FitToPage, {101, 200}, {500, 1000}, 600, 600),
              (PixelSize{500, 990}));
}

TEST(PrintSize, ProportionalKeepsTheSizeInInches) {
    const PixelSize sheet{716, 832};
    EXPECT_EQ(printSize(PrintScaling::Proportional, sheet, {4760, 6779}, 600, 600),
              (PixelSize{4475, 5200}));
    EXPECT_EQ(printSize(PrintScaling::Proportional, sheet, {9520, 13558}, 1200, 1200),
              (PixelSize{8950, 10400}));
    // Each direction uses its own resolution; 97 × 300 / 96 = 303.125, 97 × 360 / 96 = 363.75.
    EXPECT_EQ(printSize(PrintScaling::Proportional, {97, 97}, {2000, 2000}, 300, 360),
              (PixelSize{303, 364}));
}

TEST(PrintSize, EmptyImageOrPagePrintsNothing) {
    EXPECT_EQ(printSize(PrintScaling::FitToPage, {0, 780}, {4760, 6779}, 600, 600), PixelSize{});
    EXPECT_EQ(printSize(PrintScaling::FitToPage, {824, 0}, {4760, 6779}, 600, 600), PixelSize{});
    EXPECT_EQ(printSize(PrintScaling::Proportional, {824, 780}, {0, 0}, 600, 600), PixelSize{});
}

} // namespace
} // namespace hspring
