// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/program_start.h"

#include "base/error.h"
#include "data/default_data.h"

namespace hspring {

DataFiles DataFiles::in(const std::filesystem::path& folder) {
    return {folder / kMaterialFileName, folder / kSettingsFileName};
}

DataFiles DataFiles::from(const DataLocations& locations) {
    return {locations.materials.read, locations.settings.read};
}

ProgramStart startProgram(const DataFiles& files, MissingDataFile whenMissing) {
    ProgramStart start{std::make_unique<ProgramState>(), {}};
    ProgramState& state = *start.state;
    const bool useBuiltIn = whenMissing == MissingDataFile::UseBuiltIn;

    // Without its settings file the program still works: it says so and takes the coefficients
    // that ship with it.
    if (files.settings) {
        try {
            loadSettings(files.settings->string(), state.settings);
        } catch (const Error& failure) {
            if (!useBuiltIn)
                throw;
            state.settings = builtInSettings();
            start.notices.push_back(
                {StartupNotice::Kind::Warning, files.settings->string(), failure});
        }
    }

    try {
        loadMaterialLibrary(files.materials.string(), state.materials);
    } catch (const Error& failure) {
        if (!useBuiltIn)
            throw;
        state.materials = builtInMaterialLibrary();
        start.notices.push_back({StartupNotice::Kind::Error, files.materials.string(), failure});
    }

    state.kindIndex = buildKindIndex(state.materials);
    return start;
}

} // namespace hspring
