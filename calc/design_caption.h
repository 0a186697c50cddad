// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"
#include "data/material_library.h"

#include <string>

namespace hspring {

// A design named by what it is made of and its size: "SWP-A d0.8×D7.2×N12.25". Prints and
// documents without a part name carry it, so a page can be traced to its design.
std::string designCaption(const SpringDesign& design, const MaterialLibrary& library);

// The same as a file name without its extension: "SWP-A_d0.8_D7.2_N12.25". Characters a file
// system or a shell might take amiss become '_'.
std::string designFileStem(const SpringDesign& design, const MaterialLibrary& library);

} // namespace hspring
