// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/record_image.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>
#include <string_view>
#include <type_traits>
#include <vector>

namespace hspring::test {

// The records are packed, so their doubles need not be aligned: compare a field by value
// (EXPECT_EQ(+record.field, ...)) rather than letting a macro or algorithm bind a reference or a
// pointer to it.

// A hand-made byte image of a record or file: values are put at literal offsets, little-endian,
// byte by byte, so the layout under test is not used to build its own expectation.
class ByteImage {
public:
    explicit ByteImage(std::size_t size, unsigned char fill = 0) : bytes_(size, fill) {}

    void putInt32(std::size_t offset, std::int32_t value) {
        putLittleEndian(offset, static_cast<std::uint32_t>(value), 4);
    }
    void putDouble(std::size_t offset, double value) {
        putLittleEndian(offset, std::bit_cast<std::uint64_t>(value), 8);
    }
    void putBytes(std::size_t offset, std::string_view bytes) {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes_.at(offset + i) = static_cast<unsigned char>(bytes[i]);
    }
    void fill(std::size_t offset, std::size_t count, unsigned char value) {
        for (std::size_t i = 0; i < count; ++i)
            bytes_.at(offset + i) = value;
    }
    unsigned char& operator[](std::size_t offset) { return bytes_.at(offset); }

    const std::vector<unsigned char>& bytes() const { return bytes_; }

    // The record the image describes.
    template <typename Record>
    Record as() const {
        static_assert(std::is_trivially_copyable_v<Record>);
        Record record;
        std::memcpy(&record, bytes_.data(), sizeof record);
        return record;
    }

private:
    void putLittleEndian(std::size_t offset, std::uint64_t value, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i)
            bytes_.at(offset + i) = static_cast<unsigned char>(value >> (8 * i));
    }

    std::vector<unsigned char> bytes_;
};

// Arbitrary bytes, the same on every run.
inline std::vector<unsigned char> randomBytes(std::size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    std::vector<unsigned char> bytes(count);
    for (auto& byte : bytes)
        byte = static_cast<unsigned char>(generator());
    return bytes;
}

// A record filled with arbitrary bytes.
template <typename Record>
Record randomRecord(unsigned seed) {
    const std::vector<unsigned char> bytes = randomBytes(sizeof(Record), seed);
    Record record;
    std::memcpy(&record, bytes.data(), sizeof record);
    return record;
}

} // namespace hspring::test
