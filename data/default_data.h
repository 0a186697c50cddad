// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"
#include "data/settings.h"

namespace hspring {

// The default data that ships with the program: the same bytes as the zaidat.dst and the
// settings file (kSettingsFileName) the build puts next to the programs. Both are generated
// from data/default/materials.txt and data/default/settings.txt, so the program can also start
// without the files.
MaterialLibrary builtInMaterialLibrary();
SettingsRecord builtInSettings();

} // namespace hspring
