// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/material_selection.h"
#include "calc/spring_design.h"

#include <gtest/gtest.h>

namespace hspring {
namespace {

MaterialRecord recordWith(std::initializer_list<double> diameters) {
    MaterialRecord record{};
    for (double diameter : diameters)
        record.diameters[record.diameterCount++] = diameter;
    return record;
}

TEST(NearestDiameterPosition, KeepsAListedDiameterTakesTheNextLargerOrNone) {
    MaterialRecord record = recordWith({0.8, 1.0, 1.2, 1.4});
    EXPECT_EQ(nearestDiameterPosition(record, 1.2), 2);
    EXPECT_EQ(nearestDiameterPosition(record, 1.3), 3);
    EXPECT_EQ(nearestDiameterPosition(record, 0.0), 0);
    EXPECT_FALSE(nearestDiameterPosition(record, 6.0));
    // Entries past the used count are not listed.
    record.diameters[4] = 8.0;
    EXPECT_FALSE(nearestDiameterPosition(record, 6.0));
    record.diameterCount = 900; // a foreign file: only the 50 places there are
    EXPECT_EQ(nearestDiameterPosition(record, 6.0), 4);
}

// Kind 0 holds records 0 and 1; record 2 is not in use.
struct RefillFixture : ::testing::Test {
    MaterialLibrary library{};
    KindIndex index{};
    SpringDesign design{};

    RefillFixture() {
        library[0] = recordWith({1.2, 1.3, 6.0});
        library[1] = recordWith({0.8, 1.0, 1.2, 1.4});
        library[2] = recordWith({1.0, 2.0});
        library[2].kind = kUnusedKind;
        for (int r = 3; r < kMaterialCount; ++r)
            library[r].kind = kUnusedKind;
        index = buildKindIndex(library);
        resetDesignDefaults(design);
    }
};

TEST_F(RefillFixture, SelectsTheNearestDiameterAndTakesTheListedMaterial) {
    design.wireDiameter = 1.3;
    const DiameterListRefill refill = refillDiameterList(design, library, index, 1, 1, 1);
    EXPECT_EQ(refill.diameters, (std::vector<std::string>{"0.8", "1", "1.2", "1.4"}));
    EXPECT_EQ(refill.selected, 3);
    EXPECT_EQ(design.materialIndex, 1);
    EXPECT_EQ(design.diameterIndex, 3);
    EXPECT_EQ(design.wireDiameter, 1.3); // the input reading takes it from the list
}

TEST_F(RefillFixture, WithoutADiameterLargeEnoughNothingIsSelected) {
    design.wireDiameter = 6.0;
    const DiameterListRefill refill = refillDiameterList(design, library, index, 1, 2, 1);
    EXPECT_EQ(refill.diameters.size(), 4u);
    EXPECT_EQ(refill.selected, -1);
    EXPECT_EQ(design.diameterIndex, 2); // the list's position before the refill
}

TEST_F(RefillFixture, AMaterialTheListsDoNotHoldGetsNoDiameters) {
    design.materialIndex = 2;
    for (const int material : {2, 45, -1}) {
        const DiameterListRefill refill =
            refillDiameterList(design, library, index, -1, 0, material);
        EXPECT_TRUE(refill.diameters.empty());
        EXPECT_EQ(refill.selected, -1);
        EXPECT_EQ(design.materialIndex, 2); // the lists chose none: the design keeps its own
    }
}

} // namespace
} // namespace hspring
