// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/title_block.h"

#include "base/error.h"
#include "base/file_io.h"
#include "base/json_reader.h"
#include "base/json_writer.h"

#include <array>
#include <filesystem>
#include <span>
#include <system_error>

namespace hspring {

namespace {

// A side file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxTitleBlockBytes = 1 << 20;

using Field = TitleBlockField;
constexpr const auto& kFields = kTitleBlockFields;

Error notATitleBlock(std::string_view why) {
    return Error(Problem::BadData, {}, "title block file: " + std::string(why));
}

} // namespace

bool TitleBlock::empty() const {
    for (const Field& field : kFields)
        if (!(this->*field.member).empty())
            return false;
    return true;
}

std::string titleBlockPath(const std::string& calculationFile) {
    std::filesystem::path path(calculationFile);
    path.replace_extension(".jis-sheet.json");
    return path.string();
}

std::string titleBlockJson(const TitleBlock& block) {
    std::string out;
    JsonWriter json(out);
    json.beginObject();
    for (const Field& field : kFields) {
        json.key(field.key);
        json.string(block.*field.member);
    }
    json.endObject();
    out += '\n';
    return out;
}

TitleBlock titleBlockFromJson(std::string_view text) {
    TitleBlock block;
    try {
        JsonReader reader(text);
        if (reader.peek() != JsonReader::Kind::Object)
            throw notATitleBlock("not a JSON object");
        reader.enterObject();
        std::string key;
        while (reader.nextMember(key)) {
            const Field* field = nullptr;
            for (const Field& candidate : kFields)
                if (candidate.key == key)
                    field = &candidate;
            if (!field) {
                reader.skipValue();
                continue;
            }
            if (reader.peek() != JsonReader::Kind::String)
                throw notATitleBlock(key + " is not a text");
            block.*field->member = reader.readString();
        }
        reader.finish();
    } catch (const JsonSyntaxError& error) {
        throw notATitleBlock(error.what());
    }
    return block;
}

TitleBlock readTitleBlock(const std::string& calculationFile) {
    const std::string path = titleBlockPath(calculationFile);
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        return {};
    const std::vector<std::byte> bytes = readFilePrefix(path, kMaxTitleBlockBytes);
    return titleBlockFromJson(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void writeTitleBlock(const std::string& calculationFile, const TitleBlock& block) {
    const std::string path = titleBlockPath(calculationFile);
    if (block.empty()) {
        std::error_code failure;
        std::filesystem::remove(path, failure);
        if (failure)
            throw fileCreateError(path, failure.message());
        return;
    }
    const std::string json = titleBlockJson(block);
    writeFileAtomically(path, std::as_bytes(std::span(json.data(), json.size())));
}

} // namespace hspring
