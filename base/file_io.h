// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

namespace hspring {

// Reads the whole file. A file that cannot be opened or read raises fileOpenError with the path.
std::vector<std::byte> readFileBytes(const std::string& path);

// Reads at most `maxBytes` from the start of the file, so that a huge or endless file (a device,
// a mistaken choice in a file dialog) cannot exhaust memory. Fails like readFileBytes.
std::vector<std::byte> readFilePrefix(const std::string& path, std::size_t maxBytes);

// Writes the bytes so that the file at `path` is either the old file or the complete new one:
// the bytes go to a temporary file in the same folder, which replaces the old file only after it
// has been written and flushed in full. A missing folder, a write-protected folder or file, a
// target that is a folder, or a full disk raise fileCreateError and leave any existing file byte
// for byte as it was; no temporary file is left behind. An existing file keeps its permissions,
// and a symbolic link keeps pointing at the (replaced) file it named.
void writeFileAtomically(const std::string& path, std::span<const std::byte> bytes);

// The three data files are raw images of fixed-size tables: reading copies at most the table's
// size from the start of the file over the table. A shorter file leaves the rest of the table as
// it was; the excess of a longer file is ignored. Nothing is validated.
template <typename Table>
void readTableImage(const std::string& path, Table& table) {
    static_assert(std::is_trivially_copyable_v<Table>);
    auto target = std::as_writable_bytes(std::span(&table, 1));
    const std::vector<std::byte> bytes = readFilePrefix(path, target.size());
    std::copy(bytes.begin(), bytes.end(), target.begin());
}

template <typename Table>
void writeTableImage(const std::string& path, const Table& table) {
    static_assert(std::is_trivially_copyable_v<Table>);
    writeFileAtomically(path, std::as_bytes(std::span(&table, 1)));
}

} // namespace hspring
