// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace hspring {

static_assert(std::endian::native == std::endian::little,
              "the records are the files' little-endian byte images");

#pragma pack(push, 1)
// One design: inputs, modes, derived geometry and results. The layout is the calculation file's,
// reserved bytes included. Lengths in mm, loads in kgf, stresses in kgf/mm^2. The record is the
// file's; the operations on it belong to the engine (calc/spring_design.h).
struct SpringDesign {
    std::int32_t inUse;         // 1 when the slot holds a design
    std::int32_t materialIndex; // record of the material library, 0..kMaterialCount - 1
    std::int32_t diameterIndex; // position in the material's wire-diameter list
    double wireDiameter;        // d
    double innerDiameter;       // Di
    double meanDiameter;        // D
    double outerDiameter;       // Do
    std::int32_t diameterKind;  // what the diameter field holds: 0 inner, 1 mean, 2 outer
    double totalTurns;          // N as entered
    double activeTurns;         // N, or 2.99 when N is below 3
    std::int32_t reserved64;
    double hookedFreeLength;         // (N + 1)·d + 2·Di
    double springIndex;              // c = D/d
    double initialTension;           // Pi
    std::uint8_t autoInitialTension; // 1: Pi from the middle of the recommended range
    std::uint8_t lowTempAnnealed;    // 1: low-temperature annealed after coiling
    std::uint8_t reserved94[2];
    double wahlFactor;       // κ
    double freeLength;       // L0
    double maxLength;        // recommended maximum length
    double maxLoad;          // recommended maximum load
    std::int32_t lengthMode; // 1: lengths given, loads computed; 0: loads given
    double load1;            // P1
    double load2;            // P2
    double length1;          // L1
    double length2;          // L2
    double springRate;       // kgf/mm
    double stress1;          // corrected torsional stress at working point 1
    double stress2;          // corrected torsional stress at working point 2
    double allowableStress;
    std::int32_t lifeClass; // index into the life texts, 0..8
    std::uint8_t reserved200[56];
    double hookAngle;     // round hook, degrees
    double hookLength;    // U hook
    double hookOpening;   // U hook
    double hookMinRadius; // U hook
    std::uint8_t reserved288[48];
};
#pragma pack(pop)

static_assert(sizeof(SpringDesign) == 336);
static_assert(offsetof(SpringDesign, inUse) == 0);
static_assert(offsetof(SpringDesign, materialIndex) == 4);
static_assert(offsetof(SpringDesign, diameterIndex) == 8);
static_assert(offsetof(SpringDesign, wireDiameter) == 12);
static_assert(offsetof(SpringDesign, innerDiameter) == 20);
static_assert(offsetof(SpringDesign, meanDiameter) == 28);
static_assert(offsetof(SpringDesign, outerDiameter) == 36);
static_assert(offsetof(SpringDesign, diameterKind) == 44);
static_assert(offsetof(SpringDesign, totalTurns) == 48);
static_assert(offsetof(SpringDesign, activeTurns) == 56);
static_assert(offsetof(SpringDesign, reserved64) == 64);
static_assert(offsetof(SpringDesign, hookedFreeLength) == 68);
static_assert(offsetof(SpringDesign, springIndex) == 76);
static_assert(offsetof(SpringDesign, initialTension) == 84);
static_assert(offsetof(SpringDesign, autoInitialTension) == 92);
static_assert(offsetof(SpringDesign, lowTempAnnealed) == 93);
static_assert(offsetof(SpringDesign, reserved94) == 94);
static_assert(offsetof(SpringDesign, wahlFactor) == 96);
static_assert(offsetof(SpringDesign, freeLength) == 104);
static_assert(offsetof(SpringDesign, maxLength) == 112);
static_assert(offsetof(SpringDesign, maxLoad) == 120);
static_assert(offsetof(SpringDesign, lengthMode) == 128);
static_assert(offsetof(SpringDesign, load1) == 132);
static_assert(offsetof(SpringDesign, load2) == 140);
static_assert(offsetof(SpringDesign, length1) == 148);
static_assert(offsetof(SpringDesign, length2) == 156);
static_assert(offsetof(SpringDesign, springRate) == 164);
static_assert(offsetof(SpringDesign, stress1) == 172);
static_assert(offsetof(SpringDesign, stress2) == 180);
static_assert(offsetof(SpringDesign, allowableStress) == 188);
static_assert(offsetof(SpringDesign, lifeClass) == 196);
static_assert(offsetof(SpringDesign, reserved200) == 200);
static_assert(offsetof(SpringDesign, hookAngle) == 256);
static_assert(offsetof(SpringDesign, hookLength) == 264);
static_assert(offsetof(SpringDesign, hookOpening) == 272);
static_assert(offsetof(SpringDesign, hookMinRadius) == 280);
static_assert(offsetof(SpringDesign, reserved288) == 288);

inline constexpr int kSlotCount = 31; // slot 0 the current design, 1..30 the history
inline constexpr int kFirstHistorySlot = 1;
inline constexpr int kLastHistorySlot = 30;

using DesignSlots = std::array<SpringDesign, kSlotCount>;
static_assert(sizeof(DesignSlots) == 10416);

// Diameter kinds and length modes as stored.
inline constexpr std::int32_t kInnerDiameter = 0;
inline constexpr std::int32_t kMeanDiameter = 1;
inline constexpr std::int32_t kOuterDiameter = 2;
inline constexpr std::int32_t kLoadsGiven = 0;
inline constexpr std::int32_t kLengthsGiven = 1;

} // namespace hspring
