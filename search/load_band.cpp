// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/load_band.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace hspring {

long double worstDeviation(long double initialTension, const LoadLine& line,
                           const LoadToleranceFactors& factors) {
    const long double load = initialTension + line.a;
    const long double band = factors.alpha * initialTension + factors.beta * line.a;
    return (std::fabs(load - line.target) + band) / line.target;
}

long double centringInitialTension(const LoadLine& one, const LoadLine& two,
                                   const LoadToleranceFactors& factors, long double low,
                                   long double high) {
    const bool ranged = std::isfinite(low) && std::isfinite(high) && low <= high;
    // The pieces of each V as s·Pi + i: falling and rising.
    struct Piece {
        long double slope, intercept;
    };
    const auto pieces = [&](const LoadLine& line) {
        const long double beta = factors.beta * line.a;
        return std::vector<Piece>{
            {(factors.alpha - 1) / line.target, (line.target - line.a + beta) / line.target},
            {(factors.alpha + 1) / line.target, (line.a - line.target + beta) / line.target},
        };
    };
    std::vector<long double> points{one.target - one.a, two.target - two.a};
    if (ranged) {
        points.push_back(low);
        points.push_back(high);
    }
    for (const Piece& p : pieces(one))
        for (const Piece& q : pieces(two))
            if (p.slope != q.slope)
                points.push_back((q.intercept - p.intercept) / (p.slope - q.slope));
    long double best = std::numeric_limits<long double>::quiet_NaN();
    long double least = std::numeric_limits<long double>::infinity();
    for (long double x : points) {
        if (!std::isfinite(x))
            continue;
        if (ranged)
            x = std::clamp(x, low, high);
        const long double value =
            std::max(worstDeviation(x, one, factors), worstDeviation(x, two, factors));
        if (value < least || (value == least && x < best)) {
            least = value;
            best = x;
        }
    }
    return best;
}

} // namespace hspring
