// SPDX-License-Identifier: GPL-3.0-or-later
#include "byte_image.h"
#include "data/library_consistency.h"
#include "data/material_library.h"
#include "tests/support/strength_table.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace hspring {
namespace {

using test::buildStrengthTable;
using test::imageOf;
using test::interpolateTable;
using test::StrengthTable;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

MaterialRecord material(std::int32_t kind, const char* kindName, const char* grade) {
    MaterialRecord record{};
    record.kind = kind;
    setShortStringText(record.kindName, kindName);
    setShortStringText(record.gradeSymbol, grade);
    return record;
}

// A library whose records carry the given kinds and nothing else.
MaterialLibrary libraryOfKinds(std::initializer_list<std::int32_t> kinds) {
    MaterialLibrary library{};
    for (auto& record : library)
        record.kind = kUnusedKind;
    int i = 0;
    for (std::int32_t kind : kinds) {
        const std::string name = "kind" + std::to_string(kind);
        const std::string grade = "grade" + std::to_string(i);
        library[i++] = material(kind, name.c_str(), grade.c_str());
    }
    return library;
}

MaterialRecord withTable(std::initializer_list<double> diameters,
                         std::initializer_list<double> tensile,
                         std::initializer_list<double> allowable) {
    MaterialRecord record = material(0, "硬鋼線", "SW-C");
    // Element by element: a double* into the packed record may be misaligned.
    for (std::size_t j = 0; j < diameters.size(); ++j)
        record.diameters[j] = diameters.begin()[j];
    for (std::size_t j = 0; j < tensile.size(); ++j)
        record.tensileStrength[j] = tensile.begin()[j];
    for (std::size_t j = 0; j < allowable.size(); ++j)
        record.allowableTorsion[j] = allowable.begin()[j];
    record.diameterCount = static_cast<std::int32_t>(diameters.size());
    return record;
}

TEST(MarkEmptyRecords, GivesKind10ToRecordsWithoutAFirstDiameterAndChangesNothingElse) {
    auto library = test::randomRecord<MaterialLibrary>(21);
    library[0].diameters[0] = 0.0;
    library[1].diameters[0] = -0.0;
    library[2].diameters[0] = 0.5;
    library[3].diameters[0] = kNaN;
    library[4].diameters[0] = 1e-300;
    const MaterialLibrary before = library;

    markEmptyRecords(library);

    for (int i = 0; i < kMaterialCount; ++i) {
        MaterialRecord expected = before[i];
        if (before[i].diameters[0] == 0.0)
            expected.kind = kUnusedKind;
        EXPECT_EQ(imageOf(library[i]), imageOf(expected)) << i;
    }
    EXPECT_EQ(+library[0].kind, kUnusedKind);
    EXPECT_EQ(+library[1].kind, kUnusedKind);
    EXPECT_EQ(+library[2].kind, +before[2].kind);
}

TEST(BuildKindIndex, GroupsRecordsByKindInRecordOrder) {
    const auto library = libraryOfKinds({1, 0, 1, 2, 0});
    const KindIndex index = buildKindIndex(library);
    EXPECT_EQ(index.kindCount[0], 2);
    EXPECT_EQ(index.kindCount[1], 2);
    EXPECT_EQ(index.kindCount[2], 1);
    EXPECT_EQ(index.kindMembers[0][0], 1);
    EXPECT_EQ(index.kindMembers[0][1], 4);
    EXPECT_EQ(index.kindMembers[1][0], 0);
    EXPECT_EQ(index.kindMembers[1][1], 2);
    EXPECT_EQ(index.kindMembers[2][0], 3);
    for (int kind = 3; kind < kKindCount; ++kind)
        EXPECT_EQ(index.kindCount[kind], 0);
    for (int place = 2; place < kMaxGradesPerKind; ++place)
        EXPECT_EQ(index.kindMembers[0][place], -1);
}

TEST(BuildKindIndex, SkipsKindsOutside0To9AndANinthRecordOfOneKind) {
    auto library = libraryOfKinds({10, -1, 11, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max(), 9});
    for (int i = 6; i < 6 + 9; ++i)
        library[i] = material(3, "kind3", "g");
    const KindIndex index = buildKindIndex(library);

    EXPECT_EQ(index.kindCount[9], 1);
    EXPECT_EQ(index.kindMembers[9][0], 5);
    EXPECT_EQ(index.kindCount[3], kMaxGradesPerKind);
    for (int place = 0; place < kMaxGradesPerKind; ++place)
        EXPECT_EQ(index.kindMembers[3][place], 6 + place); // records 6..13; record 14 left out
    int listed = 0;
    for (int kind = 0; kind < kKindCount; ++kind)
        listed += index.kindCount[kind];
    EXPECT_EQ(listed, 9);
}

TEST(KindAndGradeLists, ShowKindNamesOfFirstRecordsAndKeepKindNumbersAcrossGaps) {
    MaterialLibrary library = libraryOfKinds({});
    library[0] = material(2, "ステンレス鋼線", "SUS304-WPB");
    library[1] = material(0, "硬鋼線", "SW-B");
    library[2] = material(0, "other name", "SW-C");
    library[3] = material(10, "unused", "x");
    const KindIndex index = buildKindIndex(library);

    const auto kinds = kindList(library, index);
    ASSERT_EQ(kinds.size(), 2u);
    EXPECT_EQ(kinds[0].kind, 0);
    EXPECT_EQ(kinds[0].name, "硬鋼線");
    EXPECT_EQ(kinds[1].kind, 2); // kind 1 is missing: the entry still names kind 2
    EXPECT_EQ(kinds[1].name, "ステンレス鋼線");

    EXPECT_EQ(gradeList(library, index, 0), (std::vector<std::string>{"SW-B", "SW-C"}));
    EXPECT_EQ(gradeList(library, index, 2), std::vector<std::string>{"SUS304-WPB"});
    EXPECT_TRUE(gradeList(library, index, 1).empty());
    EXPECT_TRUE(gradeList(library, index, -1).empty());
    EXPECT_TRUE(gradeList(library, index, 10).empty());
}

TEST(LookupMaterial, AnswersInsideTheIndexAndMinusOneOutside) {
    const auto library = libraryOfKinds({0, 1, 0});
    const KindIndex index = buildKindIndex(library);
    EXPECT_EQ(lookupMaterial(index, 0, 0), 0);
    EXPECT_EQ(lookupMaterial(index, 0, 1), 2);
    EXPECT_EQ(lookupMaterial(index, 1, 0), 1);
    EXPECT_EQ(lookupMaterial(index, 0, 2), -1); // empty place
    for (auto [kind, grade] : {std::pair{-1, 0}, {10, 0}, {0, -1}, {0, 8}, {1 << 30, 0}})
        EXPECT_EQ(lookupMaterial(index, kind, grade), -1);

    EXPECT_EQ(findMaterialInIndex(index, 2)->kind, 0);
    EXPECT_EQ(findMaterialInIndex(index, 2)->grade, 1);
    EXPECT_FALSE(findMaterialInIndex(index, 3));
    EXPECT_FALSE(findMaterialInIndex(index, -1));

    EXPECT_EQ(materialAt(library, 29), &library[29]);
    EXPECT_EQ(materialAt(library, -1), nullptr);
    EXPECT_EQ(materialAt(library, 30), nullptr);
}

TEST(DiameterLists, ShowUsedEntriesInF15AndStayInsideTheTable) {
    MaterialRecord record = withTable({0.5, 1.2, 10}, {2000, 1800, 1200}, {});
    EXPECT_EQ(diameterList(record), (std::vector<std::string>{"0.5", "1.2", "10"}));
    EXPECT_EQ(wireDiameterAt(record, 1), 1.2);
    EXPECT_EQ(tensileStrengthAt(record, 2), 1200);
    EXPECT_FALSE(wireDiameterAt(record, 3));
    EXPECT_FALSE(tensileStrengthAt(record, -1));

    record.diameterCount = -5;
    EXPECT_TRUE(diameterList(record).empty());
    EXPECT_FALSE(wireDiameterAt(record, 0));
    record.diameterCount = 1000;
    EXPECT_EQ(diameterList(record).size(), 50u);
    EXPECT_TRUE(wireDiameterAt(record, 49));
    EXPECT_FALSE(wireDiameterAt(record, 50));
}

TEST(StrengthTable, ExplicitColumnSkipsEntriesWithoutAValue) {
    MaterialRecord record = withTable({0.5, 0.6, 0.7}, {2000, 2000, 2000}, {900, 0, 880});
    record.torsionPercent = 45;
    const StrengthTable table = buildStrengthTable(record);
    ASSERT_EQ(table.rowCount, 2);
    EXPECT_EQ(table.diameters[0], 0.5);
    EXPECT_EQ(table.stresses[0], 900);
    EXPECT_EQ(table.diameters[1], 0.7);
    EXPECT_EQ(table.stresses[1], 880);
    EXPECT_DOUBLE_EQ(*interpolateTable(table, 0.6), 890);
}

TEST(StrengthTable, PercentageRuleWhenTheFirstExplicitValueIsMissing) {
    MaterialRecord record = withTable({0.5, 0.6, 0.7}, {2000, 1900, 1800}, {0, 880, 870});
    record.torsionPercent = 45;
    const StrengthTable table = buildStrengthTable(record);
    ASSERT_EQ(table.rowCount, 3);
    EXPECT_EQ(table.stresses[0], 900); // 45 % of 2000
    EXPECT_EQ(table.stresses[1], 855);
    EXPECT_EQ(table.stresses[2], 810);
    EXPECT_EQ(table.diameters[2], 0.7);
}

TEST(InterpolateTable, IncludesBothEndsAndHasNoValueOutside) {
    MaterialRecord record = withTable({0.5, 1.0, 2.0}, {}, {1000, 900, 700});
    const StrengthTable table = buildStrengthTable(record);
    EXPECT_EQ(*interpolateTable(table, 0.5), 1000);
    EXPECT_EQ(*interpolateTable(table, 1.0), 900);
    EXPECT_EQ(*interpolateTable(table, 2.0), 700);
    EXPECT_DOUBLE_EQ(*interpolateTable(table, 1.5), 800);
    EXPECT_FALSE(interpolateTable(table, 0.4999));
    EXPECT_FALSE(interpolateTable(table, 2.0001));
    EXPECT_FALSE(interpolateTable(table, kNaN));
    EXPECT_FALSE(interpolateTable(table, std::numeric_limits<double>::infinity()));
}

TEST(InterpolateTable, OneRowAnswersOnlyItsOwnDiameterAndEmptyTablesNothing) {
    const StrengthTable one = buildStrengthTable(withTable({1.0}, {}, {850}));
    EXPECT_EQ(*interpolateTable(one, 1.0), 850);
    EXPECT_FALSE(interpolateTable(one, 1.1));
    EXPECT_FALSE(interpolateTable(StrengthTable{}, 0.0));
}

TEST(InterpolateTable, EqualDiametersGiveTheSmallerStress) {
    const StrengthTable table = buildStrengthTable(withTable({1.0, 1.0, 2.0}, {}, {900, 800, 600}));
    EXPECT_EQ(*interpolateTable(table, 1.0), 800);
    EXPECT_DOUBLE_EQ(*interpolateTable(table, 1.5), 700);
}

TEST(InterpolateTable, RowCountFromOutsideTheTableIsLimited) {
    StrengthTable table = buildStrengthTable(withTable({1.0, 2.0}, {}, {900, 800}));
    table.rowCount = -7;
    EXPECT_FALSE(interpolateTable(table, 1.5));
    table.rowCount = 1 << 30;
    EXPECT_TRUE(interpolateTable(table, 1.5)); // reads the 50 rows there are
}

// Any bytes at all: every reader stays inside its arrays and answers within the table's bounds.
TEST(MaterialLibrary, ArbitraryBytesAreReadSafely) {
    for (unsigned seed = 0; seed < 200; ++seed) {
        auto library = test::randomRecord<MaterialLibrary>(seed);
        if (seed % 2 == 0) // some records in a plausible range, so that the lists fill
            for (int i = 0; i < kMaterialCount; i += 3)
                library[i].kind = static_cast<std::int32_t>(seed + i) % 12 - 1;
        const KindIndex index = buildKindIndex(library);
        for (int kind = 0; kind < kKindCount; ++kind) {
            ASSERT_GE(index.kindCount[kind], 0);
            ASSERT_LE(index.kindCount[kind], kMaxGradesPerKind);
            EXPECT_EQ(gradeList(library, index, kind).size(),
                      static_cast<std::size_t>(index.kindCount[kind]));
            for (int place = 0; place < kMaxGradesPerKind; ++place) {
                ASSERT_GE(index.kindMembers[kind][place], -1);
                ASSERT_LT(index.kindMembers[kind][place], kMaterialCount);
            }
        }
        EXPECT_LE(kindList(library, index).size(), 10u);
        for (const MaterialRecord& record : library) {
            EXPECT_LE(diameterList(record).size(), 50u);
            const StrengthTable table = buildStrengthTable(record);
            ASSERT_GE(table.rowCount, 0);
            ASSERT_LE(table.rowCount, kMaxDiameters);
            interpolateTable(table, record.diameters[0]);
            for (const auto kind : {AllowableStressKind::Torsion, AllowableStressKind::Bending}) {
                const double stress = materialAllowableStress(record, kind, record.diameters[1]);
                EXPECT_TRUE(std::isnan(stress) || std::isfinite(stress));
            }
            shortStringText(record.kindName);
        }
        findLibraryInconsistencies(library);
        markEmptyRecords(library);
    }
}

} // namespace
} // namespace hspring
