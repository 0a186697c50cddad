// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/design_json.h"
#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <string>
#include <string_view>

namespace hspring {

// Where a spring data sheet printed outside the program takes its design from.

// Slot `slot` (0..kLastHistorySlot) of a calculation file, as it stands: the sheet shows what the
// file holds, without calculating. A history slot that holds no design, and a slot the file is
// too short to hold, have no sheet. Throws the file's Error, or Error (NoSuchSlot) for a slot
// outside 0..kLastHistorySlot and Error (EmptySlot) for a slot with no design.
SpringDesign designFromCalculationFile(const std::string& path, int slot);

// The single design of a JSON text (as the calc command reads it: an object or an array of one),
// with its hook type and tolerance grade, not calculated. Throws Error (NotOneDesign) when the
// text does not hold exactly one design and the reader's Error when it cannot be read.
DesignRequest singleDesignFromJson(std::string_view text, const MaterialLibrary& library);

// The single design of a JSON text (as the calc command reads it), calculated as "計算" does.
// Throws as singleDesignFromJson does, and the engine's arithmetic Error.
SpringDesign calculatedDesignFromJson(std::string_view text, const MaterialLibrary& library,
                                      const CoefficientSet& coefficients);

} // namespace hspring
