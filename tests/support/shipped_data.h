// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/default_data.h"

namespace hspring::test {

// The material library and the coefficients the program ships, made once per run: the tests and
// benchmarks that calculate many designs against them need no files.
inline const MaterialLibrary& shippedLibrary() {
    static const MaterialLibrary instance = builtInMaterialLibrary();
    return instance;
}

inline const CoefficientSet& shippedCoefficients() {
    static const CoefficientSet instance = builtInSettings().coefficients;
    return instance;
}

} // namespace hspring::test
