// SPDX-License-Identifier: GPL-3.0-or-later
// The records are file formats: each test builds a byte image by hand at the offsets the files
// use and reads a sample of fields through the record, and writes fields and finds their bytes.

#include "byte_image.h"
#include "data/design_record.h"
#include "data/material_library.h"
#include "data/settings.h"

#include <gtest/gtest.h>

namespace hspring {
namespace {

using test::ByteImage;
using test::imageOf;

TEST(ByteLayout, SpringDesignFieldsSitAtTheirOffsets) {
    ByteImage image(336);
    image.putInt32(0, 1);        // inUse
    image.putInt32(4, 29);       // materialIndex
    image.putInt32(8, 22);       // diameterIndex
    image.putDouble(12, 1.2);    // wireDiameter
    image.putDouble(28, 10.5);   // meanDiameter
    image.putInt32(44, 2);       // diameterKind
    image.putDouble(56, 2.99);   // activeTurns
    image.putDouble(68, 9.6);    // hookedFreeLength
    image[92] = 1;               // autoInitialTension
    image[93] = 1;               // lowTempAnnealed
    image.putDouble(120, 12.5);  // maxLoad
    image.putInt32(128, 0);      // lengthMode
    image.putDouble(156, 55);    // length2
    image.putDouble(188, 61.25); // allowableStress
    image.putInt32(196, 8);      // lifeClass
    image.putDouble(256, 80);    // hookAngle
    image.putDouble(280, 3.5);   // hookMinRadius
    image[335] = 0x5A;           // last reserved byte

    const auto design = image.as<SpringDesign>();
    EXPECT_EQ(+design.inUse, 1);
    EXPECT_EQ(+design.materialIndex, 29);
    EXPECT_EQ(+design.diameterIndex, 22);
    EXPECT_EQ(+design.wireDiameter, 1.2);
    EXPECT_EQ(+design.meanDiameter, 10.5);
    EXPECT_EQ(+design.diameterKind, kOuterDiameter);
    EXPECT_EQ(+design.activeTurns, 2.99);
    EXPECT_EQ(+design.hookedFreeLength, 9.6);
    EXPECT_EQ(+design.autoInitialTension, 1);
    EXPECT_EQ(+design.lowTempAnnealed, 1);
    EXPECT_EQ(+design.maxLoad, 12.5);
    EXPECT_EQ(+design.lengthMode, kLoadsGiven);
    EXPECT_EQ(+design.length2, 55.0);
    EXPECT_EQ(+design.allowableStress, 61.25);
    EXPECT_EQ(+design.lifeClass, 8);
    EXPECT_EQ(+design.hookAngle, 80.0);
    EXPECT_EQ(+design.hookMinRadius, 3.5);
    EXPECT_EQ(+design.reserved288[47], 0x5A);

    // And back: the fields written into a zeroed record give the same bytes.
    SpringDesign written{};
    written.inUse = 1;
    written.materialIndex = 29;
    written.diameterIndex = 22;
    written.wireDiameter = 1.2;
    written.meanDiameter = 10.5;
    written.diameterKind = kOuterDiameter;
    written.activeTurns = 2.99;
    written.hookedFreeLength = 9.6;
    written.autoInitialTension = 1;
    written.lowTempAnnealed = 1;
    written.maxLoad = 12.5;
    written.lengthMode = kLoadsGiven;
    written.length2 = 55;
    written.allowableStress = 61.25;
    written.lifeClass = 8;
    written.hookAngle = 80;
    written.hookMinRadius = 3.5;
    written.reserved288[47] = 0x5A;
    EXPECT_EQ(imageOf(written), image.bytes());
}

TEST(ByteLayout, DesignSlotsFollowEachOther) {
    ByteImage image(10416);
    image.putInt32(336 + 0, 1);           // slot 1 inUse
    image.putDouble(5 * 336 + 104, 39.0); // slot 5 freeLength
    image.putInt32(30 * 336 + 196, 7);    // slot 30 lifeClass
    const auto slots = image.as<DesignSlots>();
    EXPECT_EQ(+slots[0].inUse, 0);
    EXPECT_EQ(+slots[1].inUse, 1);
    EXPECT_EQ(+slots[5].freeLength, 39.0);
    EXPECT_EQ(+slots[30].lifeClass, 7);
}

TEST(ByteLayout, MaterialRecordFieldsSitAtTheirOffsets) {
    ByteImage image(1736);
    image[0] = 10; // kindName "材料の種類"
    image.putBytes(1, "\x8D\xDE\x97\xBF\x82\xCC\x8E\xED\x97\xDE");
    image[51] = 10; // gradeSymbol "ＳＷＰ－Ａ"
    image.putBytes(52, "\x82\x72\x82\x76\x82\x6F\x81\x7C\x82\x60");
    image[102] = 0xF1; // filler
    image[103] = 0xF2;
    image.putDouble(104, 78500);         // shearModulus
    image.putInt32(112, 3);              // diameterCount
    image.putInt32(116, 1);              // kind
    image.putDouble(120, 206000);        // youngModulus
    image.putInt32(128, 45);             // torsionPercent
    image.putInt32(132, 75);             // bendingPercent
    image.putDouble(136, 0.5);           // diameters[0]
    image.putDouble(136 + 2 * 8, 0.7);   // diameters[2]
    image.putDouble(536, 2000);          // tensileStrength[0]
    image.putDouble(936 + 8, 880);       // allowableTorsion[1]
    image.putDouble(1336 + 49 * 8, 1.5); // allowableBending[49], the record's last bytes

    const auto record = image.as<MaterialRecord>();
    EXPECT_EQ(shortStringText(record.kindName), "材料の種類");
    EXPECT_EQ(shortStringText(record.gradeSymbol), "ＳＷＰ－Ａ");
    EXPECT_EQ(+record.filler[0], 0xF1);
    EXPECT_EQ(+record.filler[1], 0xF2);
    EXPECT_EQ(+record.shearModulus, 78500);
    EXPECT_EQ(+record.diameterCount, 3);
    EXPECT_EQ(+record.kind, kPianoWireKind);
    EXPECT_EQ(+record.youngModulus, 206000);
    EXPECT_EQ(+record.torsionPercent, 45);
    EXPECT_EQ(+record.bendingPercent, 75);
    EXPECT_EQ(+record.diameters[0], 0.5);
    EXPECT_EQ(+record.diameters[2], 0.7);
    EXPECT_EQ(+record.tensileStrength[0], 2000);
    EXPECT_EQ(+record.allowableTorsion[1], 880);
    EXPECT_EQ(+record.allowableBending[49], 1.5);

    MaterialRecord written{};
    setShortStringText(written.kindName, "材料の種類");
    setShortStringText(written.gradeSymbol, "ＳＷＰ－Ａ");
    written.filler[0] = 0xF1;
    written.filler[1] = 0xF2;
    written.shearModulus = 78500;
    written.diameterCount = 3;
    written.kind = kPianoWireKind;
    written.youngModulus = 206000;
    written.torsionPercent = 45;
    written.bendingPercent = 75;
    written.diameters[0] = 0.5;
    written.diameters[2] = 0.7;
    written.tensileStrength[0] = 2000;
    written.allowableTorsion[1] = 880;
    written.allowableBending[49] = 1.5;
    EXPECT_EQ(imageOf(written), image.bytes());
}

TEST(ByteLayout, LibraryRecordsFollowEachOther) {
    ByteImage image(52080);
    image.putInt32(1736 + 116, 2);       // record 1 kind
    image.putInt32(29 * 1736 + 116, 10); // record 29 kind
    image.putDouble(29 * 1736 + 1336 + 49 * 8, 4.5);
    const auto library = image.as<MaterialLibrary>();
    EXPECT_EQ(+library[0].kind, 0);
    EXPECT_EQ(+library[1].kind, kStainlessKind);
    EXPECT_EQ(+library[29].kind, kUnusedKind);
    EXPECT_EQ(+library[29].allowableBending[49], 4.5);
}

TEST(ByteLayout, SettingsRecordHoldsTheCoefficientsAtBytes4To59) {
    ByteImage image(736, 0xEE);
    image.putBytes(0, "\x01\x02\x03\x04");
    image.putDouble(4, 80);    // compressionToMaterialRatio
    image.putDouble(12, 75);   // extensionToCompressionRatio
    image.putDouble(20, 1.25); // hookStressFactor
    image.putDouble(28, 15);   // stainlessReduction
    image.putDouble(36, 25);   // annealedPianoReduction
    image.putDouble(44, 30);   // annealedHardSteelReduction
    image.putDouble(52, 20);   // annealedStainlessReduction

    const auto settings = image.as<SettingsRecord>();
    const CoefficientSet& c = settings.coefficients;
    EXPECT_EQ(+c.compressionToMaterialRatio, 80);
    EXPECT_EQ(+c.extensionToCompressionRatio, 75);
    EXPECT_EQ(+c.hookStressFactor, 1.25);
    EXPECT_EQ(+c.stainlessReduction, 15);
    EXPECT_EQ(+c.annealedPianoReduction, 25);
    EXPECT_EQ(+c.annealedHardSteelReduction, 30);
    EXPECT_EQ(+c.annealedStainlessReduction, 20);
    EXPECT_EQ(+settings.leading[3], 0x04);
    EXPECT_EQ(+c.designBasis, 0xEE); // byte 60: any value but 1 reads as JIS
    EXPECT_EQ(+settings.trailing[0], 0xEE);
    EXPECT_EQ(+settings.trailing[674], 0xEE);
}

} // namespace
} // namespace hspring
