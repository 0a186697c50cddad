// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/default_data.h"

#include "data/default_data_images.h"

#include <cstring>

namespace hspring {

namespace {

template <typename Table, std::size_t size>
Table fromImage(const std::array<unsigned char, size>& image) {
    static_assert(sizeof(Table) == size);
    Table table;
    std::memcpy(&table, image.data(), size);
    return table;
}

} // namespace

MaterialLibrary builtInMaterialLibrary() {
    return fromImage<MaterialLibrary>(generated::kDefaultMaterialLibraryImage);
}

SettingsRecord builtInSettings() {
    return fromImage<SettingsRecord>(generated::kDefaultSettingsImage);
}

CoefficientSet customaryCoefficients() {
    return builtInSettings().coefficients;
}

} // namespace hspring
