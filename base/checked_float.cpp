// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/checked_float.h"

namespace hspring {

void throwDivisionByZero() {
    throw Error(Error::Kind::Arithmetic, std::string(kDivisionByZeroMessage));
}

void throwInvalidOperation() {
    throw Error(Error::Kind::Arithmetic, std::string(kInvalidOperationMessage));
}

void throwOverflow() {
    throw Error(Error::Kind::Arithmetic, std::string(kOverflowMessage));
}

} // namespace hspring
