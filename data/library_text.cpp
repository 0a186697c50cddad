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

Error lineError(const Line& line, const std::string& fault) {
    return Error(Error::Kind::Data, "line " + std::to_string(line.number) + ": " + fault);
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
        throw lineError(line, "'" + std::string(word) + "' is not a number");
    }
}

std::int32_t integerOn(const Line& line, std::string_view word) {
    try {
        return textToInt(word);
    } catch (const Error&) {
        throw lineError(line, "'" + std::string(word) + "' is not a whole number");
    }
}

using FieldSetter = std::function<void(MaterialRecord&, const Line&, std::string_view)>;

FieldSetter textField(ShortString MaterialRecord::*field) {
    return [field](MaterialRecord& record, const Line& line, std::string_view value) {
        if (!setShortStringText(record.*field, value))
            throw lineError(line,
                            "'" + std::string(value) + "' does not fit 50 bytes of Shift-JIS text");
    };
}

FieldSetter integerField(std::int32_t MaterialRecord::*field) {
    return [field](MaterialRecord& record, const Line& line, std::string_view value) {
        record.*field = integerOn(line, value);
    };
}

FieldSetter numberField(double MaterialRecord::*field) {
    return [field](MaterialRecord& record, const Line& line, std::string_view value) {
        record.*field = numberOn(line, value);
    };
}

const std::map<std::string, FieldSetter>& materialFields() {
    static const std::map<std::string, FieldSetter> fields = {
        {"kind", integerField(&MaterialRecord::kind)},
        {"kindName", textField(&MaterialRecord::kindName)},
        {"gradeSymbol", textField(&MaterialRecord::gradeSymbol)},
        {"shearModulus", numberField(&MaterialRecord::shearModulus)},
        {"youngModulus", numberField(&MaterialRecord::youngModulus)},
        {"torsionPercent", integerField(&MaterialRecord::torsionPercent)},
        {"bendingPercent", integerField(&MaterialRecord::bendingPercent)},
    };
    return fields;
}

// One table row: diameter, tensile strength and the optional explicit allowable stresses.
void addDiameterRow(MaterialRecord& record, const Line& line) {
    const std::vector<std::string_view> words = splitWords(line.text);
    if (words.size() < 2 || words.size() > 4)
        throw lineError(line, "a diameter row holds 2 to 4 numbers");
    if (record.diameterCount == kMaxDiameters)
        throw lineError(line, "more than 50 diameters");
    double* columns[] = {record.diameters, record.tensileStrength, record.allowableTorsion,
                         record.allowableBending};
    for (std::size_t column = 0; column < words.size(); ++column)
        columns[column][record.diameterCount] = numberOn(line, words[column]);
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
                    throw lineError(line, "the material lacks '" + key + "'");
            if (record.diameterCount == 0)
                throw lineError(line, "the material has no diameter rows");
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
            throw lineError(line, "unknown key '" + field.key + "'");
        if (!seen.insert(field.key).second)
            throw lineError(line, "'" + field.key + "' given twice");
        setter->second(record, line, field.value);
    }
    throw lineError(start, "the material has no 'end'");
}

void throwIfInconsistent(const MaterialLibrary& library) {
    const std::vector<std::string> problems = findLibraryInconsistencies(library);
    if (problems.empty())
        return;
    std::string message = "the library breaks its rules:";
    for (const std::string& problem : problems)
        message += "\n" + problem;
    throw Error(Error::Kind::Data, message);
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
            throw lineError(line, "expected 'material'");
        if (recordCount == kMaterialCount)
            throw lineError(line, "more than 30 materials");
        MaterialRecord& record = library[recordCount++];
        record = MaterialRecord{};
        position = parseMaterial(lines, position + 1, record);
    }
    throwIfInconsistent(library);
    return library;
}

SettingsRecord parseSettingsText(std::string_view text) {
    static const std::map<std::string, double CoefficientSet::*> names = {
        {"compressionToMaterialRatio", &CoefficientSet::compressionToMaterialRatio},
        {"extensionToCompressionRatio", &CoefficientSet::extensionToCompressionRatio},
        {"hookStressFactor", &CoefficientSet::hookStressFactor},
        {"stainlessReduction", &CoefficientSet::stainlessReduction},
        {"annealedPianoReduction", &CoefficientSet::annealedPianoReduction},
        {"annealedHardSteelReduction", &CoefficientSet::annealedHardSteelReduction},
        {"annealedStainlessReduction", &CoefficientSet::annealedStainlessReduction},
    };
    SettingsRecord settings{};
    std::set<std::string> seen;
    const std::vector<Line> lines = significantLines(text);
    for (const Line& line : lines) {
        const KeyValue field = splitKey(line);
        const auto name = names.find(field.key);
        if (name == names.end())
            throw lineError(line, "unknown coefficient '" + field.key + "'");
        if (!seen.insert(field.key).second)
            throw lineError(line, "'" + field.key + "' given twice");
        settings.coefficients.*(name->second) = numberOn(line, field.value);
    }
    for (const auto& [key, member] : names)
        if (!seen.count(key))
            throw Error(Error::Kind::Data, "the coefficient '" + key + "' is missing");
    return settings;
}

} // namespace hspring
