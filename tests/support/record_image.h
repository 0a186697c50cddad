// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstring>
#include <type_traits>
#include <vector>
#ifdef QT_CORE_LIB
#include <QByteArray>
#endif

namespace hspring::test {

// The bytes a test binary compares files in: what QFile reads where Qt is linked, a vector where
// it is not (the core's tests link no Qt).
#ifdef QT_CORE_LIB
using FileImage = QByteArray;
#else
using FileImage = std::vector<unsigned char>;
#endif

// The byte image of a record as the program writes it to its file, in any resizable container of
// bytes.
template <typename Bytes = FileImage, typename Record>
Bytes imageOf(const Record& record) {
    static_assert(std::is_trivially_copyable_v<Record>);
    Bytes bytes;
    bytes.resize(sizeof record);
    std::memcpy(bytes.data(), &record, sizeof record);
    return bytes;
}

} // namespace hspring::test
