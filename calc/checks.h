// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/status_lines.h"
#include "data/design_record.h"

#include <string_view>

namespace hspring {

// The messages of the six design rules, in the order they are tested.
inline constexpr std::string_view kIndexBelowFourMessage = "エラー：バネ指数が４以下";
inline constexpr std::string_view kIndexAboveTwentyTwoMessage = "エラー：バネ指数が２２以上";
inline constexpr std::string_view kL2BelowSolidLengthMessage = "エラー：L2が密着高さより短い";
inline constexpr std::string_view kLengthOrderMessage = "エラー:バネ高さの順番が不適";
inline constexpr std::string_view kStressOverMessage = "エラー:ねじり応力オーバー";
inline constexpr std::string_view kTooFewTurnsMessage = "エラー:有効巻き数が３以下です";
inline constexpr std::string_view kCalculationSuccessMessage = "Calculation Success!";

// Judges a calculated design against the six rules. Every failed rule adds its message, in rule
// order, in the error colour; a design that passes them all gives the one line
// "Calculation Success!" in the window-text colour. A missing (NaN) value fails the rules worded
// "is not at least" (1, 5 and 6: spring index, stress, turns) and none of those worded "A > B"
// (2, 3 and 4: spring index above 22, the order of the lengths).
StatusLines checkDesign(const SpringDesign& design);

} // namespace hspring
