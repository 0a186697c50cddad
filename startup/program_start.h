// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"
#include "data/data_locations.h"
#include "startup/program_state.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hspring {

// The data files a run reads before anything else.
struct DataFiles {
    std::filesystem::path materials;
    // Without a settings file the settings record stays zero: for runs that calculate nothing.
    std::optional<std::filesystem::path> settings;

    // kMaterialFileName and kSettingsFileName in `folder` (the program's own folder).
    static DataFiles in(const std::filesystem::path& folder);
    // The files the start-up reads where `locations` finds them.
    static DataFiles from(const DataLocations& locations);
};

// What happens when a data file cannot be read.
enum class MissingDataFile {
    UseBuiltIn, // the program: the built-in copy, and a notice that says so
    Fail,       // the command-line tool: the file's Error is thrown
};

// A data file the start-up replaced by the built-in data, for the window to tell the user: a
// missing settings file is a warning (the coefficients that ship serve), a material file that
// could not be read an error, with the reason.
struct StartupNotice {
    enum class Kind { Warning, Error };
    Kind kind;
    std::string file;
    Error cause;
};

struct ProgramStart {
    std::unique_ptr<ProgramState> state;
    std::vector<StartupNotice> notices; // in the order they arose
};

// The start-up step the program and the command-line tool share: reads the settings file, then
// the material data file, over a zeroed state and builds the kind index. With UseBuiltIn a file
// that cannot be read is replaced by the data that ships with the program and a notice tells
// the user; with Fail its Error is thrown. Other failures propagate either way.
ProgramStart startProgram(const DataFiles& files, MissingDataFile whenMissing);

} // namespace hspring
