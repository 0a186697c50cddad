// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/title_block.h"

#include "base/error.h"
#include "base/file_io.h"
#include "base/json_reader.h"
#include "base/json_writer.h"

#include <array>
#include <cmath>
#include <filesystem>
#include <span>
#include <system_error>

namespace hspring {

namespace {

// A side file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxTitleBlockBytes = 1 << 20;

struct Field {
    std::string_view key;
    std::string TitleBlock::*member;
};
// The side file's members: the labelled fields, then the two the sheet's dialog keeps beside
// them (the hooks' relative position) and the design basis the calculation used (no label: the
// coefficient editor chooses it, the file keeps it with the design).
constexpr auto kFields = [] {
    std::array<Field, kTitleBlockFields.size() + 2> fields{};
    for (std::size_t i = 0; i < kTitleBlockFields.size(); ++i)
        fields[i] = {kTitleBlockFields[i].key, kTitleBlockFields[i].member};
    fields[kTitleBlockFields.size()] = {"hookPosition", &TitleBlock::hookPosition};
    fields[kTitleBlockFields.size() + 1] = {"designBasis", &TitleBlock::designBasis};
    return fields;
}();

// The side data that are numbers, written only when given, so that a file without them is what
// an older program wrote and reads.
struct RadiusField {
    std::string_view key;
    std::optional<double> TitleBlock::*member;
};
constexpr std::array<RadiusField, 2> kRadiusFields = {{
    {"hookBendRadius", &TitleBlock::hookBendRadius},
    {"hookLoopRadius", &TitleBlock::hookLoopRadius},
}};

constexpr std::string_view kTitleBlockFileName = "title block file";

Error notATitleBlock(std::string_view why) {
    return Error(Problem::BadData, {}, std::string(kTitleBlockFileName) + ": " + std::string(why));
}

// A radius: a positive finite number, or null for none.
std::optional<double> readRadius(JsonReader& reader, const std::string& key) {
    if (reader.peek() == JsonReader::Kind::Null) {
        reader.readNull();
        return std::nullopt;
    }
    if (reader.peek() != JsonReader::Kind::Number)
        throw notATitleBlock(key + " is not a number");
    const double value = reader.readNumber();
    if (!(value > 0 && std::isfinite(value)))
        throw notATitleBlock(key + " is not a positive number");
    return value;
}

} // namespace

bool TitleBlock::empty() const {
    for (const Field& field : kFields)
        if (!(this->*field.member).empty())
            return false;
    for (const RadiusField& field : kRadiusFields)
        if (this->*field.member)
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
    for (const RadiusField& field : kRadiusFields)
        if (const std::optional<double>& value = block.*field.member) {
            json.key(field.key);
            json.number(*value);
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
            const RadiusField* radiusField = nullptr;
            for (const RadiusField& candidate : kRadiusFields)
                if (candidate.key == key)
                    radiusField = &candidate;
            if (radiusField) {
                block.*radiusField->member = readRadius(reader, key);
                continue;
            }
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
        // The syntax fault as it is, named after the file it is in.
        throw Error(error).inField(std::string(kTitleBlockFileName));
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
