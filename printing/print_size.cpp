// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/print_size.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace hspring {

int multiplyDivide(int a, int b, int c) {
    if (c == 0)
        return 0;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::abs(static_cast<std::int64_t>(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude =
        (std::abs(product) + half) / std::abs(static_cast<std::int64_t>(c));
    const std::int64_t quotient = negative ? -magnitude : magnitude;
    if (quotient > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (quotient < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(quotient);
}

PixelSize printSize(PrintScaling scaling, PixelSize image, PixelSize page, int printerDpiX,
                    int printerDpiY) {
    if (image.width <= 0 || image.height <= 0 || page.width <= 0 || page.height <= 0)
        return {};
    if (scaling == PrintScaling::Proportional)
        return {multiplyDivide(image.width, printerDpiX, kScreenPixelsPerInch),
                multiplyDivide(image.height, printerDpiY, kScreenPixelsPerInch)};

    const int width = multiplyDivide(image.width, page.height, image.height);
    if (width < page.width)
        return {width, page.height};
    return {page.width, multiplyDivide(image.height, page.width, image.width)};
}

} // namespace hspring
