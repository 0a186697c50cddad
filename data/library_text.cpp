// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/library_text.h"

#include "base/error.h"
#include "base/text_to_number.h"
#include "data/library_consistency.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace hspring {

namespace {

struct Line {
    int number;
    std::string_view text;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<Line> significantLines(std::string_view text) {
    std::vector<Line> lines;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        ++number;
        if (!line.empty() && line.front() != '#')
            lines.push_back({number, line});
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

std::vector<std::string_view> splitWords(std::string_view text) {
    std::vector<std::string_view> words;
    while (!(text = trim(text)).empty()) {
        std::size_t end = 0;
        while (end < text.size() && !isBlank(text[end]))
            ++end;
        words.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return words;
}

// A fault at a line, naming the word or key it concerns, if any.
DataTextError lineError(const Line& line, DataTextFault fault, std::string_view subject = {}) {
    return DataTextError(fault, line.number, std::string(subject));
}

// The first word of a line and the rest of it.
struct KeyValue {
    std::string key;
    std::string_view value;
};

KeyValue splitKey(const Line& line) {
    std::size_t end = 0;
    while (end < line.text.size() && !isBlank(line.text[end]))
        ++end;
    return {std::string(line.text.substr(0, end)), trim(line.text.substr(end))};
}

double numberOn(const Line& line, std::string_view word) {
    try {
        return textToDouble(word);
    } catch (const Error&) {
        throw lineError(line, DataTextFault::NotANumber, word);
    }
}

std::int32_t integerOn(const Line& line, std::string_view word) {
    try {
        return textToInt(word);
    } catch (const Error&) {
        throw lineError(line, DataTextFault::NotAWholeNumber, word);
    }
}

using FieldSetter = std::function<void(MaterialRecord&, const Line&, std::string_view)>;

FieldSetter textField(ShortString MaterialRecord::*field) {
    return [field](MaterialRecord& record, const Line& line, std::string_view value) {
        if (!setShortStringText(record.*field, value))
            throw lineError(line, DataTextFault::TextTooLong, value);
    };
}

// The numeric fields are set by name, not through pointers: the records are packed, so a double
// inside them need not sit at an address a double* may point to.
const std::map<std::string, FieldSetter>& materialFields() {
    static const std::map<std::string, FieldSetter> fields = {
        {"kind", [](MaterialRecord& record, const Line& line,
                    std::string_view value) { record.kind = integerOn(line, value); }},
        {"kindName", textField(&MaterialRecord::kindName)},
        {"gradeSymbol", textField(&MaterialRecord::gradeSymbol)},
        {"shearModulus",
         [](MaterialRecord& record, const Line& line, std::string_view value) {
             record.shearModulus = numberOn(line, value);
         }},
        {"youngModulus",
         [](MaterialRecord& record, const Line& line, std::string_view value) {
             record.youngModulus = numberOn(line, value);
         }},
        {"torsionPercent",
         [](MaterialRecord& record, const Line& line, std::string_view value) {
             record.torsionPercent = integerOn(line, value);
         }},
        {"bendingPercent",
         [](MaterialRecord& record, const Line& line, std::string_view value) {
             record.bendingPercent = integerOn(line, value);
         }},
    };
    return fields;
}

// One table row: diameter, tensile strength and the optional explicit allowable stresses.
void addDiameterRow(MaterialRecord& record, const Line& line) {
    const std::vector<std::string_view> words = splitWords(line.text);
    if (words.size() < 2 || words.size() > 4)
        throw lineError(line, DataTextFault::RowSize);
    if (record.diameterCount == kMaxDiameters)
        throw lineError(line, DataTextFault::TooManyDiameters, std::to_string(kMaxDiameters));
    const int j = record.diameterCount;
    record.diameters[j] = numberOn(line, words[0]);
    record.tensileStrength[j] = numberOn(line, words[1]);
    if (words.size() > 2)
        record.allowableTorsion[j] = numberOn(line, words[2]);
    if (words.size() > 3)
        record.allowableBending[j] = numberOn(line, words[3]);
    ++record.diameterCount;
}

// Parses the lines of one record after its "material" line up to and including "end"; returns
// the position after "end".
std::size_t parseMaterial(const std::vector<Line>& lines, std::size_t position,
                          MaterialRecord& record) {
    const Line& start = lines[position - 1];
    std::set<std::string> seen;
    for (; position < lines.size(); ++position) {
        const Line& line = lines[position];
        if (line.text == "end") {
            for (const auto& [key, setter] : materialFields())
                if (!seen.count(key))
                    throw lineError(line, DataTextFault::KeyMissing, key);
            if (record.diameterCount == 0)
                throw lineError(line, DataTextFault::NoDiameterRows);
            return position + 1;
        }
        const char first = line.text.front();
        if ((first >= '0' && first <= '9') || first == '.') {
            addDiameterRow(record, line);
            continue;
        }
        const KeyValue field = splitKey(line);
        const auto setter = materialFields().find(field.key);
        if (setter == materialFields().end())
            throw lineError(line, DataTextFault::UnknownKey, field.key);
        if (!seen.insert(field.key).second)
            throw lineError(line, DataTextFault::GivenTwice, field.key);
        setter->second(record, line, field.value);
    }
    throw lineError(start, DataTextFault::NoEnd);
}

void throwIfInconsistent(const MaterialLibrary& library) {
    std::vector<LibraryInconsistency> broken = findLibraryInconsistencies(library);
    if (!broken.empty())
        throw InconsistentLibrary(std::move(broken));
}

} // namespace

MaterialLibrary parseMaterialLibraryText(std::string_view text) {
    MaterialLibrary library{};
    for (MaterialRecord& record : library)
        record.kind = kUnusedKind;

    const std::vector<Line> lines = significantLines(text);
    int recordCount = 0;
    for (std::size_t position = 0; position < lines.size();) {
        const Line& line = lines[position];
        if (line.text != "material")
            throw lineError(line, DataTextFault::ExpectedMaterial);
        if (recordCount == kMaterialCount)
            throw lineError(line, DataTextFault::TooManyMaterials, std::to_string(kMaterialCount));
        MaterialRecord& record = library[recordCount++];
        record = MaterialRecord{};
        position = parseMaterial(lines, position + 1, record);
    }
    throwIfInconsistent(library);
    return library;
}

SettingsRecord parseSettingsText(std::string_view text) {
    using Store = void (*)(CoefficientSet&, double);
    static const std::map<std::string, Store> names = {
        {"compressionToMaterialRatio",
         [](CoefficientSet& c, double v) { c.compressionToMaterialRatio = v; }},
        {"extensionToCompressionRatio",
         [](CoefficientSet& c, double v) { c.extensionToCompressionRatio = v; }},
        {"hookStressFactor", [](CoefficientSet& c, double v) { c.hookStressFactor = v; }},
        {"stainlessReduction", [](CoefficientSet& c, double v) { c.stainlessReduction = v; }},
        {"annealedPianoReduction",
         [](CoefficientSet& c, double v) { c.annealedPianoReduction = v; }},
        {"annealedHardSteelReduction",
         [](CoefficientSet& c, double v) { c.annealedHardSteelReduction = v; }},
        {"annealedStainlessReduction",
         [](CoefficientSet& c, double v) { c.annealedStainlessReduction = v; }},
    };
    SettingsRecord settings{};
    std::set<std::string> seen;
    const std::vector<Line> lines = significantLines(text);
    for (const Line& line : lines) {
        const KeyValue field = splitKey(line);
        const auto name = names.find(field.key);
        if (name == names.end())
            throw lineError(line, DataTextFault::UnknownCoefficient, field.key);
        if (!seen.insert(field.key).second)
            throw lineError(line, DataTextFault::GivenTwice, field.key);
        name->second(settings.coefficients, numberOn(line, field.value));
    }
    for (const auto& [key, member] : names)
        if (!seen.count(key))
            throw DataTextError(DataTextFault::CoefficientMissing, 0, key);
    return settings;
}

} // namespace hspring
