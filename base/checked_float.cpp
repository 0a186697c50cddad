// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/checked_float.h"

namespace hspring {

void throwDivisionByZero() {
    throw Error(Problem::DivisionByZero);
}

void throwInvalidOperation() {
    throw Error(Problem::InvalidOperation);
}

void throwOverflow() {
    throw Error(Problem::Overflow);
}

} // namespace hspring
