// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/data_locations.h"

#include "data/material_library.h"
#include "data/settings.h"

#include <system_error>

namespace hspring {

namespace {

bool holdsDataFile(const std::filesystem::path& folder,
                   const std::function<bool(const std::filesystem::path&)>& isFile) {
    return isFile(folder / kMaterialFileName) || isFile(folder / kSettingsFileName);
}

} // namespace

DataLocations dataFilesIn(const std::filesystem::path& folder) {
    DataLocations places;
    places.defaultsFolder = folder;
    places.materials.read = places.materials.write = folder / kMaterialFileName;
    places.settings.read = places.settings.write = folder / kSettingsFileName;
    return places;
}

std::filesystem::path installedShareFolder(const std::filesystem::path& programFolder) {
    // "/usr/bin/" names the same folder as "/usr/bin": drop the empty last element first.
    const std::filesystem::path folder = programFolder.lexically_normal();
    const std::filesystem::path bin = folder.has_filename() ? folder : folder.parent_path();
    return (bin.parent_path() / "share" / "hspring").lexically_normal();
}

DataLocations locateDataFiles(const std::filesystem::path& programFolder,
                              const std::filesystem::path& shareFolder,
                              const std::filesystem::path& userFolder,
                              const std::function<bool(const std::filesystem::path&)>& isFile) {
    if (holdsDataFile(programFolder, isFile) || !holdsDataFile(shareFolder, isFile))
        return dataFilesIn(programFolder);
    DataLocations places;
    places.installed = true;
    places.defaultsFolder = shareFolder;
    // Without a user folder the changes can only go where the defaults are; writing there then
    // fails with the file error, which is what the user has to see.
    const std::filesystem::path& changes = userFolder.empty() ? shareFolder : userFolder;
    for (auto [place, name] : {std::pair{&places.materials, kMaterialFileName},
                               std::pair{&places.settings, kSettingsFileName}}) {
        place->write = changes / name;
        place->read = isFile(place->write) ? place->write : shareFolder / name;
    }
    return places;
}

DataLocations locateDataFiles(const std::filesystem::path& programFolder,
                              const std::filesystem::path& shareFolder,
                              const std::filesystem::path& userFolder) {
    return locateDataFiles(programFolder, shareFolder, userFolder,
                           [](const std::filesystem::path& path) {
                               std::error_code error;
                               return std::filesystem::is_regular_file(path, error);
                           });
}

} // namespace hspring
