// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program reads its data files and writes the changed ones: next to itself in the build
// folder, from the shared folder with per-user changes when installed.

#include "data/data_locations.h"
#include "data/settings.h"

#include <gtest/gtest.h>
#include <set>

namespace hspring {
namespace {

using std::filesystem::path;

const path kBin = "/opt/hs/bin";
const path kShare = "/opt/hs/share/hspring";
const path kUser = "/home/u/.local/share/hspring";

DataLocations locate(std::set<path> files, const path& user = kUser) {
    return locateDataFiles(kBin, kShare, user,
                           [files](const path& file) { return files.contains(file); });
}

TEST(DataLocations, TheShareFolderLiesBesideTheBinFolderOfAnyPrefix) {
    EXPECT_EQ(installedShareFolder("/usr/bin"), path("/usr/share/hspring"));
    EXPECT_EQ(installedShareFolder("/usr/bin/"), path("/usr/share/hspring"));
    EXPECT_EQ(installedShareFolder("/tmp/p/./bin"), path("/tmp/p/share/hspring"));
}

TEST(DataLocations, FilesNextToTheProgramAreReadAndRewrittenThere) {
    // One file beside the program is enough, even when an installation lies next to it.
    const DataLocations places = locate({kBin / kSettingsFileName, kShare / "zaidat.dst",
                                         kShare / kSettingsFileName, kUser / "zaidat.dst"});
    EXPECT_FALSE(places.installed);
    EXPECT_EQ(places.defaultsFolder, kBin);
    EXPECT_EQ(places.materials.read, kBin / "zaidat.dst");
    EXPECT_EQ(places.materials.write, kBin / "zaidat.dst");
    EXPECT_EQ(places.settings.read, kBin / kSettingsFileName);
    EXPECT_EQ(places.settings.write, kBin / kSettingsFileName);

    // No data file anywhere: the missing files are the ones next to the program.
    const DataLocations none = locate({kUser / "zaidat.dst"});
    EXPECT_FALSE(none.installed);
    EXPECT_EQ(none.materials.read, kBin / "zaidat.dst");
    EXPECT_EQ(none.settings.read, kBin / kSettingsFileName);
}

TEST(DataLocations, AnInstallationReadsTheDefaultsUntilTheUserHasChangedAFile) {
    const std::set<path> installed{kShare / "zaidat.dst", kShare / kSettingsFileName};
    const DataLocations fresh = locate(installed);
    EXPECT_TRUE(fresh.installed);
    EXPECT_EQ(fresh.defaultsFolder, kShare);
    EXPECT_EQ(fresh.materials.read, kShare / "zaidat.dst");
    EXPECT_EQ(fresh.settings.read, kShare / kSettingsFileName);
    EXPECT_EQ(fresh.materials.write, kUser / "zaidat.dst");
    EXPECT_EQ(fresh.settings.write, kUser / kSettingsFileName);

    // Each file on its own: changed coefficients do not hide the default materials.
    std::set<path> changed = installed;
    changed.insert(kUser / kSettingsFileName);
    const DataLocations later = locate(changed);
    EXPECT_EQ(later.settings.read, kUser / kSettingsFileName);
    EXPECT_EQ(later.materials.read, kShare / "zaidat.dst");

    // A shared folder with one file left still counts as an installation.
    EXPECT_TRUE(locate({kShare / kSettingsFileName}).installed);

    // Without a user folder a change can only go to the defaults, where writing fails visibly.
    const DataLocations homeless = locate(installed, path());
    EXPECT_EQ(homeless.settings.write, kShare / kSettingsFileName);
    EXPECT_EQ(homeless.settings.read, kShare / kSettingsFileName);
}

} // namespace
} // namespace hspring
