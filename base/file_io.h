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

// Writes the bytes so that the file at `path` is either the old file or the complete new one:
// the bytes go to a temporary file in the same folder, which replaces the old file only after it
// has been written and flushed in full. A missing folder, a write-protected folder or file, or a
// full disk raise fileCreateError and leave any existing file byte for byte as it was.
void writeFileAtomically(const std::string& path, std::span<const std::byte> bytes);

// The three data files are raw images of fixed-size tables: reading copies at most the table's
// size from the start of the file over the table. A shorter file leaves the rest of the table as
// it was; the excess of a longer file is ignored. Nothing is validated.
template <typename Table>
void readTableImage(const std::string& path, Table& table) {
    static_assert(std::is_trivially_copyable_v<Table>);
    const std::vector<std::byte> bytes = readFileBytes(path);
    auto target = std::as_writable_bytes(std::span(&table, 1));
    const std::size_t count = std::min(bytes.size(), target.size());
    std::copy_n(bytes.begin(), count, target.begin());
}

template <typename Table>
void writeTableImage(const std::string& path, const Table& table) {
    static_assert(std::is_trivially_copyable_v<Table>);
    writeFileAtomically(path, std::as_bytes(std::span(&table, 1)));
}

} // namespace hspring
