// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/outline.h"

#include <optional>
#include <string>
#include <vector>

namespace hspring {

// The dimensioned drawing: the same free-state outline as the outline file, as an AC1009 ASCII
// DXF in millimetres with the layers a drawing keeps apart (JIS B 0001: outlines thick, centre
// lines chain-dotted, dimensions and texts thin): OUTLINE, CENTER, DIMENSIONS and TEXT. It
// carries the free length between the hooks' inner sides, the outer diameter, the wire diameter
// and the hook's dimensions as dimension lines with arrows and their values, and a text block
// naming the design. The
// header's extents are those of what is drawn; every arc angle lies in [0, 360). Texts are
// Shift-JIS ($DWGCODEPAGE ANSI_932); lines end in CR LF like the outline file.
// The hook the drawing dimensions (the left one, the right being its image): a round hook's
// loop radius and angle, or a U hook's length, opening and bend radius.
struct HookDimensions {
    bool round = true;
    double hookAngle = 0; // round hooks, degrees
    UHookShape uHook;     // U hooks
};
struct DimensionedDrawing {
    Outline outline;
    CoilShape coil;
    std::vector<std::string> notes; // the design's name, then a line per hook dimension
    std::optional<HookDimensions> hook;
};
std::string dimensionedDxfBytes(const DimensionedDrawing& drawing);

} // namespace hspring
