// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/tolerances.h"

namespace hspring {

// A working point of a candidate as a function of its initial tension: P = Pi + a with
// a = k·(L − L0) >= 0, its target T and the production tolerance ΔP = α·Pi + β·a (α = β = 0 for
// the nominal judgement).
struct LoadLine {
    long double a;
    long double target;
};

// The worst-case relative deviation of a load from its target, (|P − T| + ΔP)/T.
long double worstDeviation(long double initialTension, const LoadLine& line,
                           const LoadToleranceFactors& factors);

// The initial tension within [low, high] that makes the larger worst-case deviation of the two
// loads smallest.
//
// Each deviation is (|Pi + a − T| + α·Pi + β·a)/T: a V in Pi, falling with slope (α − 1)/T to its
// kink at Pi = T − a and rising with slope (1 + α)/T after it (α < 1). Their maximum is convex,
// and a convex piecewise-linear function takes its least value over an interval at an end, a
// kink of one of the two, or a point where a piece of one crosses a piece of the other; so the
// least of it at those few points (clamped into the interval) is its least value there. Ties go
// to the smaller Pi. Without a range (low > high or not finite) the unclamped best.
long double centringInitialTension(const LoadLine& one, const LoadLine& two,
                                   const LoadToleranceFactors& factors, long double low,
                                   long double high);

} // namespace hspring
