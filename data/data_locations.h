// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>

namespace hspring {

// Where one data file is read from at start-up, and where a changed copy of it is written.
struct DataFilePlace {
    std::filesystem::path read;
    std::filesystem::path write;
};

// Where the program finds its data files. Run from the build folder, the files lie next to the
// program, which reads and rewrites them there. Installed (for instance under /usr), the shipped
// defaults lie in a shared folder nobody but the administrator may change; each user's changed
// files go to that user's own data folder, and a file found there wins over the default.
struct DataLocations {
    bool installed = false;
    // The shipped files, with the help page in its help/ folder.
    std::filesystem::path defaultsFolder;
    DataFilePlace materials; // zaidat.dst
    DataFilePlace settings;  // the settings file with the design coefficients
};

// Every data file read and rewritten in `folder`, which also holds the help page.
DataLocations dataFilesIn(const std::filesystem::path& folder);

// The shared data folder of an installation: share/hspring beside the program's bin folder, so
// that any installation prefix works.
std::filesystem::path installedShareFolder(const std::filesystem::path& programFolder);

// Decides the places from three folders: the program's, the installation's shared folder and the
// user's data folder (empty when the system names none). A data file next to the program means
// the program runs where it was built and keeps today's behaviour; so does a shared folder without
// data files, where a missing file is then reported under the program's folder. `isFile` tells
// whether a regular file exists at a path.
DataLocations locateDataFiles(const std::filesystem::path& programFolder,
                              const std::filesystem::path& shareFolder,
                              const std::filesystem::path& userFolder,
                              const std::function<bool(const std::filesystem::path&)>& isFile);

// The same, looking at the file system.
DataLocations locateDataFiles(const std::filesystem::path& programFolder,
                              const std::filesystem::path& shareFolder,
                              const std::filesystem::path& userFolder);

} // namespace hspring
