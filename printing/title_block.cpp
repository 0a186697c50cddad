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
#include <variant>

namespace hspring {

namespace {

// A side file is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxTitleBlockBytes = 1 << 20;

constexpr std::string_view kTitleBlockFileName = "title block file";

Error notATitleBlock(std::string_view why) {
    return Error(Problem::BadData, {}, std::string(kTitleBlockFileName) + ": " + std::string(why));
}

struct Field {
    std::string_view key;
    std::variant<std::string TitleBlock::*, int TitleBlock::*, bool TitleBlock::*,
                 std::optional<double> TitleBlock::*>
        member;
};
// The side file's members: the labelled fields, then the hooks' relative position the sheet's
// dialog keeps beside them, the design basis the calculation used (no label: the coefficient
// editor chooses it, the file keeps it with the design), the design's tolerance grade, the
// dialog's rate tolerance and the round hook's radii typed on the shape page. The radii are
// written only when given, so that a file without them is what an older program wrote and reads.
constexpr std::array<Field, 6> kSideFields = {{
    {"hookPosition", &TitleBlock::hookPosition},
    {"designBasis", &TitleBlock::designBasis},
    {"toleranceGrade", &TitleBlock::toleranceGrade},
    {"rateTolerance", &TitleBlock::rateTolerance},
    {"hookBendRadius", &TitleBlock::hookBendRadius},
    {"hookLoopRadius", &TitleBlock::hookLoopRadius},
}};
constexpr auto kFields = [] {
    std::array<Field, kTitleBlockFields.size() + kSideFields.size()> fields{};
    for (std::size_t i = 0; i < kTitleBlockFields.size(); ++i)
        fields[i] = {kTitleBlockFields[i].key, kTitleBlockFields[i].member};
    for (std::size_t i = 0; i < kSideFields.size(); ++i)
        fields[kTitleBlockFields.size() + i] = kSideFields[i];
    return fields;
}();

// One member's value as its JSON, and back; a value of the wrong type fails as `key`.
struct ValueWriter {
    JsonWriter& json;
    const TitleBlock& block;
    void operator()(std::string TitleBlock::*member) const { json.string(block.*member); }
    void operator()(int TitleBlock::*member) const { json.integer(block.*member); }
    void operator()(bool TitleBlock::*member) const { json.boolean(block.*member); }
    void operator()(std::optional<double> TitleBlock::*member) const {
        json.number(*(block.*member));
    }
};
struct ValueReader {
    JsonReader& reader;
    TitleBlock& block;
    const std::string& key;
    void operator()(std::string TitleBlock::*member) const {
        if (reader.peek() != JsonReader::Kind::String)
            throw notATitleBlock(key + " is not a text");
        block.*member = reader.readString();
    }
    // The one whole-number member is the grade.
    void operator()(int TitleBlock::*member) const {
        const double grade = reader.peek() == JsonReader::Kind::Number ? reader.readNumber() : -1;
        if (!(grade >= 0 && grade <= kToleranceGradeCount && grade == static_cast<int>(grade)))
            throw notATitleBlock(key + " is not a tolerance grade 0 to " +
                                 std::to_string(kToleranceGradeCount));
        block.*member = static_cast<int>(grade);
    }
    void operator()(bool TitleBlock::*member) const {
        if (reader.peek() != JsonReader::Kind::Boolean)
            throw notATitleBlock(key + " is not true or false");
        block.*member = reader.readBoolean();
    }
    // A radius: a positive finite number, or null for none.
    void operator()(std::optional<double> TitleBlock::*member) const {
        if (reader.peek() == JsonReader::Kind::Null) {
            reader.readNull();
            block.*member = std::nullopt;
            return;
        }
        if (reader.peek() != JsonReader::Kind::Number)
            throw notATitleBlock(key + " is not a number");
        const double value = reader.readNumber();
        if (!(value > 0 && std::isfinite(value)))
            throw notATitleBlock(key + " is not a positive number");
        block.*member = value;
    }
};

// Whether the member has a value to write: a radius not given is left out.
bool given(const Field& field, const TitleBlock& block) {
    const auto* radius = std::get_if<std::optional<double> TitleBlock::*>(&field.member);
    return !radius || (block.**radius).has_value();
}

} // namespace

bool TitleBlock::empty() const {
    return *this == TitleBlock{};
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
        if (!given(field, block))
            continue;
        json.key(field.key);
        std::visit(ValueWriter{json, block}, field.member);
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
            std::visit(ValueReader{reader, block, key}, field->member);
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
