// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace hspring {

// How a window's image is sized on the page.
enum class PrintScaling {
    FitToPage,    // as large as the page allows, aspect ratio kept (the main window)
    Proportional, // its size on screen in inches (the spring data sheet)
};

// The windows are laid out for this many pixels per inch.
inline constexpr int kScreenPixelsPerInch = 96;

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// a × b / c with the product taken in full and the quotient rounded to the nearest integer
// (halves away from zero). 0 when c is 0.
int multiplyDivide(int a, int b, int c);

// The size in printer pixels of an `image` printed onto the printable area `page`.
// Fit to page: the image fills the page's height, unless it would then be at least as wide as
// the page; then it fills the page's width. Proportional: the image keeps its size in inches at
// the printer's resolution. An empty image or page gives an empty size.
PixelSize printSize(PrintScaling scaling, PixelSize image, PixelSize page, int printerDpiX,
                    int printerDpiY);

} // namespace hspring
