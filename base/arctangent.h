// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cmath>

namespace hspring {

// The arctangent in extended precision, for the small arguments of the hook geometry (the
// lead-angle slope d/2D and the tangent's d/(d + 4D), both below 1/2 whenever the coil has a loop).
// The processor's own arctangent instruction takes about 45 ns; this takes a fraction of that with
// the same precision, which matters because every design of a batch or a search needs one.
//
// Method (table and short series, as in the classic libm arctangents): with c the multiple of
// 1/64 nearest to x, atan x = atan c + atan r, r = (x − c)/(1 + x·c), |r| ≤ 1/128. The series
// r − r³/3 + r⁵/5 − r⁷/7 + r⁹/9 leaves out r¹¹/11 < 2⁻⁸⁰, below half a unit in the last place of
// the 64-bit significand for every result of this range. x − c is exact (x and c lie within a
// factor of two of each other, or c is 0), so the result is within about one unit in the last
// place, as the instruction is. Arguments outside [0, 1/2] go to the library's arctangent.
namespace detail {
// atan(k/64) for k = 0..32, rounded to the 64-bit significand (computed with 200-bit arithmetic).
inline constexpr std::array<long double, 33> kArctangentOf64ths = {
    0.0L,
    0x1.fff555bbb729ab78p-7L,
    0x1.ffd55bba97624a84p-6L,
    0x1.7fb818430da29f9ep-5L,
    0x1.ff55bb72cfde9c6ep-5L,
    0x1.3f59f0e7c559d6b2p-4L,
    0x1.7ee182602f10e8c2p-4L,
    0x1.be39ebe6f07c37dep-4L,
    0x1.fd5ba9aac2f6dc66p-4L,
    0x1.1e1fafb043726e4cp-3L,
    0x1.3d6eee8c6626c586p-3L,
    0x1.5c9811e3ec269df6p-3L,
    0x1.7b97b4bce5b02268p-3L,
    0x1.9a6a8e96c86261d0p-3L,
    0x1.b90d7529260a2046p-3L,
    0x1.d77d5df20573671ap-3L,
    0x1.f5b75f92c80dd62ap-3L,
    0x1.09dc597d8636258cp-2L,
    0x1.18bf5a30bf178262p-2L,
    0x1.278372057ef45be2p-2L,
    0x1.362773707ebcbcd4p-2L,
    0x1.44aa436c2af09a8ap-2L,
    0x1.530ad9951cd49db6p-2L,
    0x1.614840309cfe1964p-2L,
    0x1.6f61941e4def08e8p-2L,
    0x1.7d5604b63b3f75a8p-2L,
    0x1.8b24d394a1b256dcp-2L,
    0x1.98cd5454d6b1867ap-2L,
    0x1.a64eec3cc23fcb6cp-2L,
    0x1.b3a911da65c6c6b8p-2L,
    0x1.c0db4c94ec9ef8d0p-2L,
    0x1.cde53432c1350974p-2L,
    0x1.dac670561bb4f68ap-2L,
};
} // namespace detail

inline long double smallArctangent(long double x) {
    if (!(x >= 0 && x <= 0.5L))
        return std::atan(x);
    const int k = static_cast<int>(x * 64 + 0.5L);
    const long double c = static_cast<long double>(k) / 64;
    const long double r = (x - c) / (1 + x * c);
    const long double r2 = r * r;
    const long double series =
        r - r * r2 * (1.0L / 3 - r2 * (1.0L / 5 - r2 * (1.0L / 7 - r2 * (1.0L / 9))));
    return detail::kArctangentOf64ths[k] + series;
}

} // namespace hspring
