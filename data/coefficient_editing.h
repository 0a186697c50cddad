// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/settings.h"

#include <array>
#include <string>

namespace hspring {

inline constexpr int kCoefficientCount = 7;

// The seven coefficients as the editor's fields show them, in F15 and in record order.
std::array<std::string, kCoefficientCount> coefficientTexts(const CoefficientSet& coefficients);

// Converts the texts in record order and stores each at once. A text that does not convert raises
// its conversion error there: the coefficients before it keep their new values, the rest stay.
void storeCoefficientTexts(const std::array<std::string, kCoefficientCount>& texts,
                           CoefficientSet& coefficients);
// Stores one coefficient, `index` in record order (0..kCoefficientCount-1).
void storeCoefficient(int index, double value, CoefficientSet& coefficients);

} // namespace hspring
