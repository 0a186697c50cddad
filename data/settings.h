// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hspring {

#pragma pack(push, 1)
// The seven design coefficients the user may tune, all in per cent except the hook factor, and
// the design basis the allowables are taken from.
struct CoefficientSet {
    double compressionToMaterialRatio;  // compression spring vs. material allowable torsion
    double extensionToCompressionRatio; // cold-coiled extension vs. compression spring
    double hookStressFactor;            // stress concentration at the hooks (fatigue diagram)
    double stainlessReduction;          // initial tension, stainless wire
    double annealedPianoReduction;      // initial tension, piano wire annealed after coiling
    double annealedHardSteelReduction;  // initial tension, hard-drawn wire annealed
    double annealedStainlessReduction;  // initial tension, stainless wire annealed
    // The design basis (calc/design_basis.h): 1 the handbook's tables, any other value JIS. The
    // byte was the first of the record's unused tail, which older files hold as 0 (JIS).
    std::uint8_t designBasis;
};

// The settings file's record. Only the coefficient set has a meaning; the bytes around it are
// read and written back unchanged.
struct SettingsRecord {
    std::uint8_t leading[4];
    CoefficientSet coefficients;
    std::uint8_t trailing[675];
};
#pragma pack(pop)

static_assert(sizeof(CoefficientSet) == 57);
static_assert(offsetof(CoefficientSet, compressionToMaterialRatio) == 0);
static_assert(offsetof(CoefficientSet, extensionToCompressionRatio) == 8);
static_assert(offsetof(CoefficientSet, hookStressFactor) == 16);
static_assert(offsetof(CoefficientSet, stainlessReduction) == 24);
static_assert(offsetof(CoefficientSet, annealedPianoReduction) == 32);
static_assert(offsetof(CoefficientSet, annealedHardSteelReduction) == 40);
static_assert(offsetof(CoefficientSet, annealedStainlessReduction) == 48);
static_assert(offsetof(CoefficientSet, designBasis) == 56);
static_assert(sizeof(SettingsRecord) == 736);
static_assert(offsetof(SettingsRecord, coefficients) == 4);
static_assert(offsetof(SettingsRecord, trailing) == 61);

// What the allowable stresses of the coil and the hooks are taken from; calc/design_basis.h says
// what each means and where it comes from.
enum class DesignBasis { Jis, Handbook };

// The value of CoefficientSet::designBasis that chooses the handbook; any other is JIS.
inline constexpr std::uint8_t kHandbookBasisByte = 1;

inline DesignBasis designBasisOf(const CoefficientSet& coefficients) {
    return coefficients.designBasis == kHandbookBasisByte ? DesignBasis::Handbook
                                                          : DesignBasis::Jis;
}
inline void setDesignBasis(CoefficientSet& coefficients, DesignBasis basis) {
    coefficients.designBasis = basis == DesignBasis::Handbook ? kHandbookBasisByte : 0;
}

// "JIS" and "handbook", as the JSON key designBasis and the command line name them.
constexpr std::string_view designBasisName(DesignBasis basis) {
    return basis == DesignBasis::Handbook ? "handbook" : "JIS";
}
constexpr std::optional<DesignBasis> designBasisFromName(std::string_view name) {
    if (name == "JIS")
        return DesignBasis::Jis;
    if (name == "handbook")
        return DesignBasis::Handbook;
    return std::nullopt;
}

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
