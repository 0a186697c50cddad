// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-slot operations on the design record, checked byte by byte because the slots are
// the calculation file.

#include "base/error.h"
#include "byte_image.h"
#include "calc/spring_design.h"

#include <cstring>
#include <gtest/gtest.h>
#include <tuple>

namespace hspring {
namespace {

using test::ByteImage;
using test::imageOf;

TEST(ResetDesignDefaults, WritesTheStartValuesAndLeavesMaxLoadAndReservedBytes) {
    ByteImage before(336, 0xCD);
    SpringDesign design = before.as<SpringDesign>();

    resetDesignDefaults(design);

    ByteImage expected = before; // every byte not named here keeps 0xCD
    expected.putInt32(0, 1);     // inUse
    expected.putInt32(4, 0);     // materialIndex
    expected.putInt32(8, 22);    // diameterIndex
    expected.putDouble(12, 1.0);
    expected.putDouble(20, 9.8);
    expected.putDouble(28, 10.0);
    expected.putDouble(36, 10.2);
    expected.putInt32(44, 1); // mean diameter
    expected.putDouble(48, 20.0);
    expected.putDouble(56, 18.0);
    expected.putInt32(64, 0); // reserved int
    expected.putDouble(68, 9.6);
    expected.putDouble(76, 0);
    expected.putDouble(84, 0);
    expected[92] = 1; // initial tension from the recommended range
    expected[93] = 0;
    // 94, 95 reserved: untouched
    expected.putDouble(96, 0);
    expected.putDouble(104, 39.0);
    expected.putDouble(112, 0);
    // 120 maxLoad: untouched
    expected.putInt32(128, 1); // lengths given
    expected.putDouble(132, 0);
    expected.putDouble(140, 0);
    expected.putDouble(148, 45.0);
    expected.putDouble(156, 55.0);
    for (int offset = 164; offset <= 188; offset += 8)
        expected.putDouble(offset, 0); // rate, both stresses, allowable stress
    expected.putInt32(196, 0);
    expected.fill(200, 16, 0); // reserved 200..215 zeroed, 216..255 untouched
    expected.putDouble(256, 80.0);
    expected.putDouble(264, 10.0);
    expected.putDouble(272, 3.0);
    expected.putDouble(280, 3.0);
    // 288..335 reserved: untouched

    EXPECT_EQ(imageOf(design), expected.bytes());
}

TEST(CopyDesignSlot, CopiesAllBytesOfOneSlotOntoAnother) {
    const auto original = test::randomRecord<DesignSlots>(3);
    DesignSlots slots = original;

    copyDesignSlot(slots, 3, 0);

    EXPECT_EQ(imageOf(slots[0]), imageOf(original[3]));
    for (int slot = 1; slot < kSlotCount; ++slot)
        EXPECT_EQ(imageOf(slots[slot]), imageOf(original[slot])) << slot;
}

TEST(CopyDesignSlot, CarriesInUseModesAndResults) {
    DesignSlots slots{};
    resetDesignDefaults(slots[0]);
    slots[0].lengthMode = kLoadsGiven;
    slots[0].diameterKind = kInnerDiameter;
    slots[0].springRate = 0.125;
    slots[0].lifeClass = 4;

    copyDesignSlot(slots, 0, 30);

    EXPECT_EQ(+slots[30].inUse, 1);
    EXPECT_EQ(+slots[30].lengthMode, kLoadsGiven);
    EXPECT_EQ(+slots[30].diameterKind, kInnerDiameter);
    EXPECT_EQ(+slots[30].springRate, 0.125);
    EXPECT_EQ(+slots[30].lifeClass, 4);
}

TEST(CopyDesignSlot, RejectsSlotsOutsideTheTable) {
    const auto original = test::randomRecord<DesignSlots>(4);
    DesignSlots slots = original;
    for (auto [from, to, named] :
         {std::tuple{-1, 0, "-1"}, {0, 31, "31"}, {31, 0, "31"}, {0, -1, "-1"}}) {
        try {
            copyDesignSlot(slots, from, to);
            ADD_FAILURE() << from << " to " << to << " copied";
        } catch (const Error& error) {
            EXPECT_EQ(error.problem(), Problem::NoSuchSlot);
            EXPECT_EQ(error.subject(), named);
            EXPECT_EQ(error.detail(), "30");
        }
    }
    EXPECT_EQ(imageOf(slots), imageOf(original));
}

} // namespace
} // namespace hspring
