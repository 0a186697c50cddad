// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "calc/design_sources.h"
#include "data/calculation_file.h"
#include "data/default_data.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace hspring {
namespace {

class SheetDesignFile : public testing::Test {
protected:
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() / ("sheet_design_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const char* name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};

TEST_F(SheetDesignFile, SlotAsItStands) {
    auto slots = std::make_unique<DesignSlots>();
    (*slots)[0].inUse = 1;
    (*slots)[0].load2 = 50;
    (*slots)[7].inUse = 1;
    (*slots)[7].freeLength = 39;
    (*slots)[7].springRate = 0.5; // no calculation would give this with the other zeros
    saveDesignSlots(path("a.hbd"), *slots);

    EXPECT_EQ(designFromCalculationFile(path("a.hbd"), 0).load2, 50);
    const SpringDesign history = designFromCalculationFile(path("a.hbd"), 7);
    EXPECT_EQ(history.freeLength, 39);
    EXPECT_EQ(history.springRate, 0.5);
}

TEST_F(SheetDesignFile, MissingEmptyOrOutsideSlotsFail) {
    auto slots = std::make_unique<DesignSlots>();
    (*slots)[0].inUse = 1;
    saveDesignSlots(path("a.hbd"), *slots);
    for (const int slot : {-1, 31, 3}) {
        try {
            designFromCalculationFile(path("a.hbd"), slot);
            ADD_FAILURE() << "slot " << slot;
        } catch (const Error& error) {
            EXPECT_EQ(error.kind(), Error::Kind::Data);
            EXPECT_NE(std::string(error.what()).find(std::to_string(slot)), std::string::npos);
            if (slot == 31) {
                EXPECT_STREQ(error.what(), "there is no slot 31 (0..30)");
            }
        }
    }
    EXPECT_THROW(designFromCalculationFile(path("none.hbd"), 0), Error);
}

TEST(SheetDesignJson, OneDesignIsCalculated) {
    const MaterialLibrary library = builtInMaterialLibrary();
    const SettingsRecord settings = builtInSettings();
    const SpringDesign design =
        calculatedDesignFromJson(R"({"freeLength": 40})", library, settings.coefficients);
    EXPECT_EQ(design.freeLength, 40);
    EXPECT_GT(design.springRate, 0);
    EXPECT_GT(design.load2, design.load1);
    EXPECT_GT(design.stress2, 0);
}

TEST(SheetDesignJson, AnythingButOneReadableDesignFails) {
    const MaterialLibrary library = builtInMaterialLibrary();
    const SettingsRecord settings = builtInSettings();
    for (const char* text : {"[{}, {}]", "[]", "{", R"({"noSuchField": 1})"}) {
        SCOPED_TRACE(text);
        try {
            calculatedDesignFromJson(text, library, settings.coefficients);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.kind(), Error::Kind::Data);
            EXPECT_STRNE(error.what(), "");
        }
    }
    EXPECT_NO_THROW(calculatedDesignFromJson("[{}]", library, settings.coefficients));
}

} // namespace
} // namespace hspring
