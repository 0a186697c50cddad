// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace hspring {

// The font colour of the whole status list: the window shows error lines in blue and the
// success line in the system's window-text colour. A role, not a colour value, so the core stays
// free of the window toolkit.
enum class StatusColour { Error, WindowText };

// What the status list shows after a check or a refresh: its lines, top to bottom, all drawn in
// one colour. An empty list clears it.
struct StatusLines {
    std::vector<std::string> lines;
    StatusColour colour = StatusColour::Error;
};

} // namespace hspring
