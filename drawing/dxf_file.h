// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/outline.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace hspring {

// The drawing as an old-style (AC1009) ASCII DXF file in millimetres: a fixed opening with the
// header, line types, text styles and layers, then one LINE or ARC entity per primitive of the
// free-state outline on layer "_0-0_", then the end of the section and of the file. Lines end in
// CR LF; the text is Shift-JIS, which matters only for the line type description "実線".

// One DXF group: its code line and its value line, blanks included.
struct DxfGroup {
    std::string_view code;
    std::string_view value;
};

// The fixed opening of every file: 97 groups, 194 lines, up to the opening of the ENTITIES
// section. Values are UTF-8 here and Shift-JIS in the file.
inline constexpr std::size_t kDxfTemplateGroupCount = 97;
const std::array<DxfGroup, kDxfTemplateGroupCount>& dxfTemplate();

// The whole file for an outline, as bytes. `notes` (UTF-8, Shift-JIS in the file) stand below
// the drawing as TEXT entities on the same layer, one a line, left-aligned with it: the concerns
// of a design drawn anyway.
std::string dxfFileBytes(const Outline& outline, const std::vector<std::string>& notes = {});

// The files of the free spring with round or U hooks. The arithmetic errors of the outline stop
// them before anything is built.
std::string roundHookDxf(const CoilShape& coil, double hookAngle);
std::string uHookDxf(const CoilShape& coil, const UHookShape& hook);

// Writes the bytes so that the file is either the old one or the complete new one; a file that
// cannot be created raises fileCreateError.
void writeDxfFile(const std::string& path, std::string_view bytes);

} // namespace hspring
