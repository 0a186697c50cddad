// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/units.h"

namespace hspring {

// The units the windows show and read forces in (表示 › 単位), kept in the user's settings
// (~/.config/hspring/hspring.ini) from one run to the next. Gravitational until the user
// chooses SI; a value the file does not know reads as gravitational.
UnitSystem savedUnitSystem();
void saveUnitSystem(UnitSystem units);

} // namespace hspring
