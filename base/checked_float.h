// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"

#include <cmath>
#include <limits>
#include <string>

namespace hspring {

// The arithmetic faults that stop a calculation, with the messages the error box shows.
[[noreturn]] void throwDivisionByZero();
[[noreturn]] void throwInvalidOperation();
[[noreturn]] void throwOverflow();

// An extended-precision value whose arithmetic stops with an Error where IEEE arithmetic would
// raise one of the three faults the program does not mask:
// - division by zero: a finite, non-zero number divided by zero;
// - invalid operation: NaN made from operands that are not NaN (0/0, ∞ − ∞, 0 · ∞, ∞/∞);
// - overflow: infinity made from finite operands, or a finite value too large for the double it
//   is stored in.
// A NaN or an infinity that comes in as an operand passes on quietly, as it does in the hardware:
// the engine's deliberate NaN for a missing table value never raises a fault. The checks look at
// each result instead of the hardware's flags, so they cannot be moved or lost by the optimiser
// and cost one well-predicted branch per operation.
class CheckedFloat {
public:
    constexpr CheckedFloat(long double value) : value_(value) {} // NOLINT: numbers mix freely

    constexpr long double value() const { return value_; }

    // Rounds to double, as a value is when it is stored.
    double stored() const {
        const double rounded = static_cast<double>(value_);
        if (std::isinf(rounded) && std::isfinite(value_))
            throwOverflow();
        return rounded;
    }

    // A value computed only to be shown, never stored: kept unrounded, since rounding it to
    // double first can change the last digit shown, with the overflow check of stored() (a value
    // beyond a double is one no field could read back).
    long double shown() const {
        stored();
        return value_;
    }

    friend CheckedFloat operator+(CheckedFloat a, CheckedFloat b) {
        return checked(a.value_ + b.value_, a, b);
    }
    friend CheckedFloat operator-(CheckedFloat a, CheckedFloat b) {
        return checked(a.value_ - b.value_, a, b);
    }
    friend CheckedFloat operator*(CheckedFloat a, CheckedFloat b) {
        return checked(a.value_ * b.value_, a, b);
    }
    friend CheckedFloat operator/(CheckedFloat a, CheckedFloat b) {
        const long double result = a.value_ / b.value_;
        if (std::isfinite(result)) [[likely]]
            return result;
        if (b.value_ == 0 && std::isfinite(a.value_) && a.value_ != 0)
            throwDivisionByZero();
        return checked(result, a, b);
    }

private:
    static CheckedFloat checked(long double result, CheckedFloat a, CheckedFloat b) {
        if (std::isfinite(result)) [[likely]]
            return result;
        if (std::isnan(result)) {
            if (!std::isnan(a.value_) && !std::isnan(b.value_))
                throwInvalidOperation();
        } else if (std::isfinite(a.value_) && std::isfinite(b.value_)) {
            throwOverflow();
        }
        return result;
    }

    long double value_;
};

} // namespace hspring
