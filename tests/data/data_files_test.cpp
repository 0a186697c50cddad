// SPDX-License-Identifier: GPL-3.0-or-later
// The three data files: raw images of fixed-size tables, read over the table as far as the file
// goes, written whole.

#include "base/error.h"
#include "byte_image.h"
#include "cli/problem_text.h"
#include "data/calculation_file.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace hspring {
namespace {

using test::Bytes;
using test::imageOf;
using test::randomBytes;
using test::randomRecord;
using test::readBytes;
using test::TemporaryFolder;
using test::writeBytes;

// One kind of data file: its table and its load and save functions.
template <typename Table, void (*load)(const std::string&, Table&),
          void (*save)(const std::string&, const Table&)>
struct DataFile {
    using TableType = Table;
    static void read(const std::string& path, Table& table) { load(path, table); }
    static void write(const std::string& path, const Table& table) { save(path, table); }
};

using MaterialFile = DataFile<MaterialLibrary, loadMaterialLibrary, saveMaterialLibrary>;
using SettingsFile = DataFile<SettingsRecord, loadSettings, saveSettings>;
using CalculationFile = DataFile<DesignSlots, loadDesignSlots, saveDesignSlots>;

template <typename File>
class DataFileTest : public ::testing::Test {
protected:
    using Table = typename File::TableType;
    static constexpr std::size_t kSize = sizeof(Table);

    // The table as it was before a read: arbitrary bytes, so every kept byte can be seen.
    Table previous = randomRecord<Table>(17);
    TemporaryFolder folder;

    Table readFileOfBytes(const Bytes& bytes) {
        writeBytes(folder.file("in"), bytes);
        Table table = previous;
        File::read(folder.file("in"), table);
        return table;
    }
};

using DataFiles = ::testing::Types<MaterialFile, SettingsFile, CalculationFile>;
TYPED_TEST_SUITE(DataFileTest, DataFiles);

TYPED_TEST(DataFileTest, RoundTripKeepsEveryByte) {
    const Bytes file = randomBytes(this->kSize, 5);
    const auto table = this->readFileOfBytes(file);
    EXPECT_EQ(imageOf(table), file);

    TypeParam::write(this->folder.file("out"), table);
    EXPECT_EQ(readBytes(this->folder.file("out")), file);
}

TYPED_TEST(DataFileTest, ShorterFileReplacesOnlyTheLeadingBytes) {
    for (std::size_t length : {std::size_t{0}, std::size_t{1}, this->kSize / 3, this->kSize - 1}) {
        const Bytes file = randomBytes(length, 6);
        const Bytes table = imageOf(this->readFileOfBytes(file));
        Bytes expected = imageOf(this->previous);
        std::copy(file.begin(), file.end(), expected.begin());
        EXPECT_EQ(table, expected) << length << " bytes";
    }
}

TYPED_TEST(DataFileTest, LongerFileHasItsExcessIgnored) {
    const Bytes file = randomBytes(this->kSize + 777, 7);
    const Bytes table = imageOf(this->readFileOfBytes(file));
    EXPECT_EQ(table, Bytes(file.begin(), file.begin() + this->kSize));
}

TYPED_TEST(DataFileTest, MissingFileRaisesTheOpenMessageAndKeepsTheTable) {
    const std::string path = this->folder.file("missing");
    auto table = this->previous;
    try {
        TypeParam::read(path, table);
        ADD_FAILURE() << "read a missing file";
    } catch (const Error& error) {
        EXPECT_EQ(cli::problemText(error), "cannot open file " + path);
    }
    EXPECT_EQ(imageOf(table), imageOf(this->previous));
}

TYPED_TEST(DataFileTest, FailedSaveRaisesTheCreateMessage) {
    try {
        TypeParam::write(this->folder.file("missing/out"), this->previous);
        ADD_FAILURE() << "wrote into a missing folder";
    } catch (const Error& error) {
        EXPECT_EQ(error.kind(), Error::Kind::File);
    }
}

TEST(DataFile, MaterialFileOfOneRecordReplacesRecord0Only) {
    TemporaryFolder folder;
    const auto before = randomRecord<MaterialLibrary>(8);
    const auto record = randomRecord<MaterialRecord>(9);
    writeBytes(folder.file("one.dst"), imageOf(record));

    MaterialLibrary library = before;
    loadMaterialLibrary(folder.file("one.dst"), library);

    EXPECT_EQ(imageOf(library[0]), imageOf(record));
    for (int i = 1; i < kMaterialCount; ++i)
        EXPECT_EQ(imageOf(library[i]), imageOf(before[i])) << i;
}

TEST(DataFile, CalculationFileOfOneSlotReplacesSlot0Only) {
    TemporaryFolder folder;
    const auto before = randomRecord<DesignSlots>(10);
    const auto slot = randomRecord<SpringDesign>(11);
    writeBytes(folder.file("one.hbd"), imageOf(slot));

    DesignSlots slots = before;
    loadDesignSlots(folder.file("one.hbd"), slots);

    EXPECT_EQ(imageOf(slots[0]), imageOf(slot));
    for (int i = 1; i < kSlotCount; ++i)
        EXPECT_EQ(imageOf(slots[i]), imageOf(before[i])) << i;
}

TEST(DataFile, SavedFilesHaveTheTableSizes) {
    TemporaryFolder folder;
    saveMaterialLibrary(folder.file("a.dst"), MaterialLibrary{});
    saveSettings(folder.file("a.set"), SettingsRecord{});
    saveDesignSlots(folder.file("a.hbd"), DesignSlots{});
    EXPECT_EQ(readBytes(folder.file("a.dst")).size(), 52080u);
    EXPECT_EQ(readBytes(folder.file("a.set")).size(), 736u);
    EXPECT_EQ(readBytes(folder.file("a.hbd")).size(), 10416u);
}

} // namespace
} // namespace hspring
