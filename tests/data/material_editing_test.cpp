// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "base/shift_jis.h"
#include "data/material_editing.h"
#include "wording/japanese.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace hspring {
namespace {

// A record as the editor would meet it in a library file: names, moduli, a 12-entry table and
// non-zero rubbish in the unused entries, so that zeroing is visible.
MaterialRecord sampleRecord() {
    MaterialRecord record{};
    setShortStringText(record.kindName, "ピアノ線");
    setShortStringText(record.gradeSymbol, "ＳＷＰ－Ａ");
    record.filler[0] = 0xAB;
    record.filler[1] = 0xCD;
    record.shearModulus = 78500;
    record.youngModulus = 206000;
    record.kind = 1;
    record.torsionPercent = 45;
    record.bendingPercent = 75;
    record.diameterCount = 12;
    for (int j = 0; j < kMaxDiameters; ++j) {
        record.diameters[j] = (j + 1) / 10.0; // each reads back exactly from its F15 text
        record.tensileStrength[j] = 2500 - 10 * j;
        record.allowableTorsion[j] = j < 12 ? 900 - j : 7;
        record.allowableBending[j] = 1.5 * j;
    }
    return record;
}

// The texts of a 12-entry table followed by "0" rows.
MaterialRecordTexts twelveEntryTexts() {
    MaterialRecordTexts texts = materialRecordTexts(sampleRecord());
    for (int j = 12; j < kMaxDiameters; ++j)
        texts.table[j] = {"0", "0", "0", "0"};
    return texts;
}

TEST(MaterialRecordTexts, ShowsEveryFieldAndAllFiftyEntries) {
    MaterialRecord record = sampleRecord();
    record.diameters[1] = 0.45;
    const MaterialRecordTexts texts = materialRecordTexts(record);
    EXPECT_EQ(texts.kindName, "ピアノ線");
    EXPECT_EQ(texts.gradeSymbol, "ＳＷＰ－Ａ");
    EXPECT_EQ(texts.shearModulus, "78500");
    EXPECT_EQ(texts.youngModulus, "206000");
    EXPECT_EQ(texts.torsionPercent, "45");
    EXPECT_EQ(texts.bendingPercent, "75");
    EXPECT_EQ(texts.diameterCount, "12");
    EXPECT_EQ(texts.kind, 1);
    EXPECT_EQ(texts.table[1][0], "0.45");
    EXPECT_EQ(texts.table[0][1], "2500");
    // Entries past the count are shown as they stand in memory.
    EXPECT_EQ(texts.table[49][2], "7");
    EXPECT_EQ(texts.table[49][3], "73.5");
}

TEST(MaterialRecordTexts, LimitsForeignKindsToTheSpinRange) {
    MaterialRecord record = sampleRecord();
    record.kind = 57;
    EXPECT_EQ(materialRecordTexts(record).kind, 10);
    record.kind = -4;
    EXPECT_EQ(materialRecordTexts(record).kind, 0);
}

TEST(StoreMaterialRecordTexts, TableEndsAtTheFirstZeroDiameterAndTheRestIsZeroed) {
    MaterialRecord record = sampleRecord();
    MaterialRecordTexts texts = twelveEntryTexts();
    texts.kindName = "硬鋼線";
    texts.shearModulus = "79000";
    texts.youngModulus = "2.06E5";
    texts.kind = 0;
    texts.torsionPercent = "40";
    texts.bendingPercent = " 70 ";
    texts.table[3] = {"0.35", "2400", "880.5", "12"};
    texts.table[20] = {"5", "5", "5", "5"}; // past the end: never read

    EXPECT_EQ(storeMaterialRecordTexts(texts, record), 12);

    EXPECT_EQ(shortStringText(record.kindName), "硬鋼線");
    EXPECT_EQ(shortStringText(record.gradeSymbol), "ＳＷＰ－Ａ");
    EXPECT_EQ(record.shearModulus, 79000);
    EXPECT_EQ(record.youngModulus, 206000);
    EXPECT_EQ(record.kind, 0);
    EXPECT_EQ(record.torsionPercent, 40);
    EXPECT_EQ(record.bendingPercent, 70);
    EXPECT_EQ(record.diameterCount, 12);
    EXPECT_EQ(record.diameters[3], 0.35);
    EXPECT_EQ(record.tensileStrength[3], 2400);
    EXPECT_EQ(record.allowableTorsion[3], 880.5);
    EXPECT_EQ(record.allowableBending[3], 12);
    EXPECT_EQ(record.diameters[11], sampleRecord().diameters[11]);
    for (int j = 12; j < kMaxDiameters; ++j) {
        EXPECT_EQ(record.diameters[j], 0) << j;
        EXPECT_EQ(record.tensileStrength[j], 0) << j;
        EXPECT_EQ(record.allowableTorsion[j], 0) << j;
        EXPECT_EQ(record.allowableBending[j], 0) << j;
    }
    EXPECT_EQ(record.filler[0], 0xAB);
    EXPECT_EQ(record.filler[1], 0xCD);
}

TEST(StoreMaterialRecordTexts, OnlyTheExactTextZeroEndsTheTable) {
    MaterialRecord record = sampleRecord();
    MaterialRecordTexts texts = twelveEntryTexts();
    texts.table[12] = {"0.0", "0", "0", "0"};
    texts.table[13] = {" 0", "0", "0", "0"};
    texts.table[14] = {"1.6", "2000", "0", "0"};
    EXPECT_EQ(storeMaterialRecordTexts(texts, record), 15);
    EXPECT_EQ(record.diameters[12], 0);
    EXPECT_EQ(record.diameters[14], 1.6);
}

TEST(StoreMaterialRecordTexts, AFullTableWithoutZeroRowCountsFifty) {
    MaterialRecord record = sampleRecord();
    const MaterialRecordTexts texts = materialRecordTexts(record);
    EXPECT_EQ(storeMaterialRecordTexts(texts, record), 50);
    EXPECT_EQ(record.diameterCount, 50);
    EXPECT_EQ(record.allowableTorsion[49], 7);
}

TEST(StoreMaterialRecordTexts, AnEmptyCellStopsTheStoreThereKeepingEverythingBefore) {
    MaterialRecord record = sampleRecord();
    MaterialRecordTexts texts = twelveEntryTexts();
    texts.gradeSymbol = "ＳＷＰ－Ｂ";
    texts.table[2] = {"0.33", "2450", "890", "3"};
    texts.table[5] = {"0.66", "", "1", "1"};
    texts.table[6] = {"0.77", "1", "1", "1"};
    try {
        storeMaterialRecordTexts(texts, record);
        FAIL() << "an empty cell must not convert";
    } catch (const Error& error) {
        EXPECT_EQ(error.kind(), Error::Kind::Conversion);
        EXPECT_STREQ(error.what(), "'' is not a floating-point number");
    }
    const MaterialRecord before = sampleRecord();
    EXPECT_EQ(shortStringText(record.gradeSymbol), "ＳＷＰ－Ｂ");
    EXPECT_EQ(record.diameters[2], 0.33);
    EXPECT_EQ(record.allowableBending[2], 3);
    EXPECT_EQ(record.diameters[5], 0.66); // the cell before the failing one in its row
    EXPECT_EQ(record.tensileStrength[5], before.tensileStrength[5]);
    EXPECT_EQ(record.allowableTorsion[5], before.allowableTorsion[5]);
    EXPECT_EQ(record.diameters[6], before.diameters[6]);
    EXPECT_EQ(record.diameterCount, before.diameterCount);
    EXPECT_EQ(record.allowableTorsion[30], before.allowableTorsion[30]); // nothing zeroed
}

TEST(StoreMaterialRecordTexts, AnIntegerFieldTakesOnlyWholeNumbers) {
    MaterialRecord record = sampleRecord();
    MaterialRecordTexts texts = twelveEntryTexts();
    texts.shearModulus = "80000";
    texts.kind = 4;
    texts.torsionPercent = "44";
    texts.bendingPercent = "70.5";
    texts.table[0][0] = "9";
    try {
        storeMaterialRecordTexts(texts, record);
        FAIL() << "70.5 is no integer";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "'70.5' is not a valid integer");
    }
    EXPECT_EQ(record.shearModulus, 80000);
    EXPECT_EQ(record.kind, 4);
    EXPECT_EQ(record.torsionPercent, 44);
    EXPECT_EQ(record.bendingPercent, 75);
    EXPECT_EQ(record.diameters[0], sampleRecord().diameters[0]);
}

TEST(StoreMaterialRecordTexts, NamesKeepAtMostFiftyBytesAndNeverHalfACharacter) {
    MaterialRecord record = sampleRecord();
    MaterialRecordTexts texts = twelveEntryTexts();
    std::string longName;
    for (int i = 0; i < 26; ++i)
        longName += "線"; // 52 bytes in Shift-JIS
    texts.kindName = longName;
    texts.gradeSymbol = "A" + longName; // 53 bytes: the 25th character would be cut in half
    storeMaterialRecordTexts(texts, record);
    EXPECT_EQ(record.kindName.length, 50);
    EXPECT_EQ(shortStringText(record.kindName), longName.substr(0, 25 * 3));
    EXPECT_EQ(record.gradeSymbol.length, 49);
    EXPECT_EQ(shortStringText(record.gradeSymbol), "A" + longName.substr(0, 24 * 3));
}

// Entry j of each of the four columns, for comparing whole entries.
std::array<double, kTableColumnCount> entry(const MaterialRecord& record, int j) {
    return {record.diameters[j], record.tensileStrength[j], record.allowableTorsion[j],
            record.allowableBending[j]};
}

TEST(TableEntries, InsertingMovesTheEntriesDownAndLosesTheLast) {
    const MaterialRecord before = sampleRecord();
    MaterialRecord record = before;
    insertTableEntry(record, 0);
    EXPECT_EQ(entry(record, 0), (std::array<double, 4>{0, 0, 0, 0}));
    for (int j = 1; j < kMaxDiameters; ++j)
        EXPECT_EQ(entry(record, j), entry(before, j - 1)) << j;
    EXPECT_EQ(record.diameterCount, before.diameterCount);

    record = before;
    insertTableEntry(record, 49);
    EXPECT_EQ(entry(record, 49), (std::array<double, 4>{0, 0, 0, 0}));
    for (int j = 0; j < 49; ++j)
        EXPECT_EQ(entry(record, j), entry(before, j)) << j;
}

TEST(TableEntries, DeletingMovesTheEntriesUpAndZeroesTheLast) {
    const MaterialRecord before = sampleRecord();
    MaterialRecord record = before;
    deleteTableEntry(record, 0);
    for (int j = 0; j < 49; ++j)
        EXPECT_EQ(entry(record, j), entry(before, j + 1)) << j;
    EXPECT_EQ(entry(record, 49), (std::array<double, 4>{0, 0, 0, 0}));

    record = before;
    deleteTableEntry(record, 49);
    for (int j = 0; j < 49; ++j)
        EXPECT_EQ(entry(record, j), entry(before, j)) << j;
    EXPECT_EQ(entry(record, 49), (std::array<double, 4>{0, 0, 0, 0}));

    record = before;
    deleteTableEntry(record, 50); // no such entry: nothing moves
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
}

TEST(ClearMaterialRecord, EmptiesTheRecordAndMarksItUnused) {
    MaterialRecord record = sampleRecord();
    clearMaterialRecord(record);
    EXPECT_EQ(record.kindName.length, 0);
    EXPECT_EQ(record.gradeSymbol.length, 0);
    EXPECT_EQ(record.shearModulus, 0);
    EXPECT_EQ(record.youngModulus, 0);
    EXPECT_EQ(record.diameterCount, 0);
    EXPECT_EQ(record.torsionPercent, 0);
    EXPECT_EQ(record.bendingPercent, 0);
    EXPECT_EQ(record.kind, kUnusedKind);
    for (int j = 0; j < kMaxDiameters; ++j)
        EXPECT_EQ(entry(record, j), (std::array<double, 4>{0, 0, 0, 0})) << j;
    EXPECT_EQ(record.filler[0], 0xAB);
}

TEST(KindRegistration, CountsTheEditedRecordOnceAndWarnsAtTheNinth) {
    MaterialLibrary library{};
    for (MaterialRecord& record : library)
        record.kind = kUnusedKind;
    for (int i = 0; i < 8; ++i)
        library[i].kind = 3;

    // Record 20 switched to kind 3 would be the ninth.
    EXPECT_EQ(kindRegistrationCount(library, 3, 20), 9);
    EXPECT_TRUE(kindOverLimit(3, 9));
    EXPECT_EQ(kindLimitText(3), "種類番号＝ 3 は８以上登録できません！");
    // Record 5 already is one of the eight.
    EXPECT_EQ(kindRegistrationCount(library, 3, 5), 8);
    EXPECT_FALSE(kindOverLimit(3, 8));
    EXPECT_EQ(kindRegistrationCount(library, 4, 20), 1);
    // Kind 10 marks unused records and has no limit.
    EXPECT_EQ(kindRegistrationCount(library, kUnusedKind, 20), 22);
    EXPECT_FALSE(kindOverLimit(kUnusedKind, 22));
}

} // namespace
} // namespace hspring
