// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/calculation_file.h"

#include "base/file_io.h"

namespace hspring {

void loadDesignSlots(const std::string& path, DesignSlots& slots) {
    readTableImage(path, slots);
}

void saveDesignSlots(const std::string& path, const DesignSlots& slots) {
    writeTableImage(path, slots);
}

} // namespace hspring
