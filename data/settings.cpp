// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/settings.h"

#include "base/file_io.h"

namespace hspring {

void loadSettings(const std::string& path, SettingsRecord& settings) {
    readTableImage(path, settings);
}

void saveSettings(const std::string& path, const SettingsRecord& settings) {
    writeTableImage(path, settings);
}

} // namespace hspring
