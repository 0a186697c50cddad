// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/engine.h"
#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"

namespace hspring {

// The records that live for the whole run: the design slots, the material library with its kind
// index, the settings record and the engine's initial-tension range. The program owns one and
// passes it by reference; everything starts zeroed, as the program does.
struct ProgramState {
    DesignSlots designs{};
    MaterialLibrary materials{};
    KindIndex kindIndex{};
    SettingsRecord settings{};
    InitialTensionRange initialTension{};

    SpringDesign& current() { return designs[0]; }
    const SpringDesign& current() const { return designs[0]; }
};

} // namespace hspring
