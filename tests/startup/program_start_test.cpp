// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "data/default_data.h"
#include "data/short_string.h"
#include "startup/program_start.h"
#include "tests/support/temporary_folder.h"

#include <cstring>
#include <gtest/gtest.h>

namespace hspring {
namespace {

template <typename Record>
bool sameBytes(const Record& a, const Record& b) {
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}

// A library whose first record is a kind-2 material, and settings with a hook factor of 2.
struct OwnData {
    std::unique_ptr<MaterialLibrary> materials = std::make_unique<MaterialLibrary>();
    SettingsRecord settings{};
    OwnData() {
        for (MaterialRecord& record : *materials)
            record.kind = kUnusedKind;
        (*materials)[0].kind = 2;
        (*materials)[0].diameterCount = 1;
        (*materials)[0].diameters[0] = 0.5;
        setShortStringText((*materials)[0].gradeSymbol, "SUS304");
        settings.coefficients.hookStressFactor = 2;
    }
    void writeTo(const test::TemporaryFolder& folder) const {
        saveMaterialLibrary(folder.file(kMaterialFileName), *materials);
        saveSettings(folder.file(kSettingsFileName), settings);
    }
};

TEST(ProgramStart, readsBothFilesOfTheFolderAndIndexesTheKinds) {
    const test::TemporaryFolder folder;
    const OwnData data;
    data.writeTo(folder);
    for (const MissingDataFile mode : {MissingDataFile::UseBuiltIn, MissingDataFile::Fail}) {
        const ProgramStart start = startProgram(DataFiles::in(folder.path()), mode);
        EXPECT_TRUE(start.notices.empty());
        EXPECT_TRUE(sameBytes(start.state->materials, *data.materials));
        EXPECT_TRUE(sameBytes(start.state->settings, data.settings));
        EXPECT_EQ(start.state->kindIndex.kindCount[2], 1);
        EXPECT_EQ(start.state->kindIndex.kindMembers[2][0], 0);
        EXPECT_EQ(start.state->kindIndex.kindCount[0], 0);
        // Nothing else is touched: the designs start zeroed.
        EXPECT_EQ(start.state->current().inUse, 0);
    }
}

// The program goes on with the data that ships with it and says so, settings first.
TEST(ProgramStart, missingFilesAreReplacedByTheBuiltInDataWithANoticeEach) {
    const test::TemporaryFolder folder;
    const ProgramStart start =
        startProgram(DataFiles::in(folder.path()), MissingDataFile::UseBuiltIn);
    const std::string settingsPath = folder.file(kSettingsFileName);
    const std::string materialsPath = folder.file(kMaterialFileName);
    ASSERT_EQ(start.notices.size(), 2u);
    EXPECT_EQ(start.notices[0].kind, StartupNotice::Kind::Warning);
    EXPECT_EQ(start.notices[0].file, settingsPath);
    EXPECT_EQ(start.notices[1].kind, StartupNotice::Kind::Error);
    EXPECT_EQ(start.notices[1].file, materialsPath);
    EXPECT_EQ(start.notices[1].cause.problem(), Problem::FileUnreadable);
    EXPECT_EQ(start.notices[1].cause.subject(), materialsPath);
    EXPECT_TRUE(sameBytes(start.state->settings, builtInSettings()));
    const MaterialLibrary builtIn = builtInMaterialLibrary();
    EXPECT_TRUE(sameBytes(start.state->materials, builtIn));
    EXPECT_TRUE(sameBytes(start.state->kindIndex, buildKindIndex(builtIn)));

    // Only the file that is missing is replaced.
    OwnData().writeTo(folder);
    std::filesystem::remove(settingsPath);
    const ProgramStart partly =
        startProgram(DataFiles::in(folder.path()), MissingDataFile::UseBuiltIn);
    ASSERT_EQ(partly.notices.size(), 1u);
    EXPECT_EQ(partly.notices[0].kind, StartupNotice::Kind::Warning);
    EXPECT_TRUE(sameBytes(partly.state->materials, *OwnData().materials));
}

// The command-line tool stops at a file it cannot read, and reads no settings it does not need.
TEST(ProgramStart, failModeThrowsTheFileErrorAndSkipsSettingsNotAsked) {
    const test::TemporaryFolder folder;
    const OwnData data;
    data.writeTo(folder);
    const DataFiles missingMaterials{folder.path() / "none.dst", folder.path() / kSettingsFileName};
    try {
        startProgram(missingMaterials, MissingDataFile::Fail);
        FAIL() << "no error for a missing material file";
    } catch (const Error& error) {
        EXPECT_EQ(error.problem(), Problem::FileUnreadable);
        EXPECT_EQ(error.subject(), folder.file("none.dst"));
    }
    EXPECT_THROW(startProgram({folder.path() / kMaterialFileName, folder.path() / "none.set"},
                              MissingDataFile::Fail),
                 Error);

    const ProgramStart start =
        startProgram({folder.path() / kMaterialFileName, std::nullopt}, MissingDataFile::Fail);
    EXPECT_TRUE(sameBytes(start.state->materials, *data.materials));
    EXPECT_TRUE(sameBytes(start.state->settings, SettingsRecord{}));
}

} // namespace
} // namespace hspring
