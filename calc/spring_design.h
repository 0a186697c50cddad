// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"

namespace hspring {

// The engine's operations on the design record; the record itself is the calculation file's
// (data/design_record.h).

// Writes the start values into the design: every field that has one, the reserved int at offset
// 64 and bytes 200..215. maxLoad and the other reserved bytes keep what they hold.
void resetDesignDefaults(SpringDesign& design);

// Copies all 336 bytes of slot `from` onto slot `to` (0..kLastHistorySlot each), inUse included.
void copyDesignSlot(DesignSlots& slots, int from, int to);

// Sets the three coil diameters from the number in the diameter field, by diameterKind, with
// the wire diameter d: 0 (inner) Di = v, D = Di + d, Do = 2·d + Di; 1 (mean) Di = D − d, D = v,
// Do = D + d; 2 (outer) Di = Do − 2·d, D = Do − d, Do = v. Any other kind leaves them unchanged.
// Throws the arithmetic Error on overflow.
void setCoilDiameters(SpringDesign& design, double fieldValue, double wireDiameter);

// totalTurns = turns; activeTurns = turns, or 2.99 when turns is not at least 3.
void setTurns(SpringDesign& design, double turns);

} // namespace hspring
