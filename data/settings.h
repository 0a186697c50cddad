// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace hspring {

#pragma pack(push, 1)
// The seven design coefficients the user may tune, all in per cent except the hook factor.
struct CoefficientSet {
    double compressionToMaterialRatio;  // compression spring vs. material allowable torsion
    double extensionToCompressionRatio; // cold-coiled extension vs. compression spring
    double hookStressFactor;            // stress concentration at the hooks (fatigue diagram)
    double stainlessReduction;          // initial tension, stainless wire
    double annealedPianoReduction;      // initial tension, piano wire annealed after coiling
    double annealedHardSteelReduction;  // initial tension, hard-drawn wire annealed
    double annealedStainlessReduction;  // initial tension, stainless wire annealed
};

// The settings file's record. Only the coefficient set has a meaning; the bytes around it are
// read and written back unchanged.
struct SettingsRecord {
    std::uint8_t leading[4];
    CoefficientSet coefficients;
    std::uint8_t trailing[676];
};
#pragma pack(pop)

static_assert(sizeof(CoefficientSet) == 56);
static_assert(offsetof(CoefficientSet, compressionToMaterialRatio) == 0);
static_assert(offsetof(CoefficientSet, extensionToCompressionRatio) == 8);
static_assert(offsetof(CoefficientSet, hookStressFactor) == 16);
static_assert(offsetof(CoefficientSet, stainlessReduction) == 24);
static_assert(offsetof(CoefficientSet, annealedPianoReduction) == 32);
static_assert(offsetof(CoefficientSet, annealedHardSteelReduction) == 40);
static_assert(offsetof(CoefficientSet, annealedStainlessReduction) == 48);
static_assert(sizeof(SettingsRecord) == 736);
static_assert(offsetof(SettingsRecord, coefficients) == 4);
static_assert(offsetof(SettingsRecord, trailing) == 60);

// Name of the settings file next to the executable.
inline constexpr const char* kSettingsFileName = "hspring.set";

// The customary coefficient values: those of the built-in settings (data/default_data.h),
// for a start without the settings file.
CoefficientSet customaryCoefficients();

// Reads the file over the record (at most 736 bytes; see readTableImage).
void loadSettings(const std::string& path, SettingsRecord& settings);
// Writes the 736 bytes atomically.
void saveSettings(const std::string& path, const SettingsRecord& settings);

} // namespace hspring
