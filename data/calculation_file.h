// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"

#include <string>

namespace hspring {

// The calculation file (*.hbd) is the byte image of all 31 design slots.
// Reading copies at most 10416 bytes over the slots (see readTableImage); a file of 336 bytes
// replaces slot 0 only.
void loadDesignSlots(const std::string& path, DesignSlots& slots);
// Writes the 10416 bytes atomically.
void saveDesignSlots(const std::string& path, const DesignSlots& slots);

} // namespace hspring
