#include "data/settings.h"

#include "base/file_io.h"

namespace hspring {

CoefficientSet customaryCoefficients() {
    return CoefficientSet{
        .compressionToMaterialRatio = 80,
        .extensionToCompressionRatio = 80,
        .hookStressFactor = 1.25,
        .stainlessReduction = 15,
        .annealedPianoReduction = 25,
        .annealedHardSteelReduction = 25,
        .annealedStainlessReduction = 20,
    };
}

void loadSettings(const std::string& path, SettingsRecord& settings) {
    readTableImage(path, settings);
}

void saveSettings(const std::string& path, const SettingsRecord& settings) {
    writeTableImage(path, settings);
}

} // namespace hspring
