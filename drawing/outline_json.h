// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/outline.h"

#include <string>
#include <string_view>

namespace hspring {

// The outline as JSON, for scripts and other programs:
// {"hook":"round","primitives":[{"type":"segment","first":[x,y],"second":[x,y]},
//  {"type":"arc","centre":[x,y],"radius":r,"startAngle":a,"endAngle":b}, ...]}
// in the outline's order, millimetres and degrees, each number in the shortest text that reads
// back to the same double.
std::string outlineJson(std::string_view hookType, const Outline& outline);

} // namespace hspring
