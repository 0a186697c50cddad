// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"
#include "data/settings.h"

#include <array>

// The byte images of the default data, defined in the file the build generates from
// data/default/*.txt (tools/make_default_data.cpp). Use data/default_data.h instead.
namespace hspring::generated {

extern const std::array<unsigned char, sizeof(MaterialLibrary)> kDefaultMaterialLibraryImage;
extern const std::array<unsigned char, sizeof(SettingsRecord)> kDefaultSettingsImage;

} // namespace hspring::generated
