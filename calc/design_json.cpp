#include "calc/design_json.h"

#include "base/checked_float.h"
#include "base/json_reader.h"
#include "base/json_writer.h"
#include "calc/spring_design.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <optional>

namespace hspring {

namespace {

// The SpringDesign fields by name, in record order: the keys read and written. The byte image is
// packed, so values are copied through their offsets rather than through member pointers.
enum class FieldType { Double, Int32, Flag };
struct Field {
    std::string_view name;
    FieldType type;
    std::size_t offset;
};
#define HSPRING_FIELD(type, name)                                                                  \
    Field {                                                                                        \
#name, FieldType::type, offsetof(SpringDesign, name)                                       \
    }
constexpr std::array kFields = {
    HSPRING_FIELD(Int32, inUse),
    HSPRING_FIELD(Int32, materialIndex),
    HSPRING_FIELD(Int32, diameterIndex),
    HSPRING_FIELD(Double, wireDiameter),
    HSPRING_FIELD(Double, innerDiameter),
    HSPRING_FIELD(Double, meanDiameter),
    HSPRING_FIELD(Double, outerDiameter),
    HSPRING_FIELD(Int32, diameterKind),
    HSPRING_FIELD(Double, totalTurns),
    HSPRING_FIELD(Double, activeTurns),
    HSPRING_FIELD(Double, hookedFreeLength),
    HSPRING_FIELD(Double, springIndex),
    HSPRING_FIELD(Double, initialTension),
    HSPRING_FIELD(Flag, autoInitialTension),
    HSPRING_FIELD(Flag, lowTempAnnealed),
    HSPRING_FIELD(Double, wahlFactor),
    HSPRING_FIELD(Double, freeLength),
    HSPRING_FIELD(Double, maxLength),
    HSPRING_FIELD(Double, maxLoad),
    HSPRING_FIELD(Int32, lengthMode),
    HSPRING_FIELD(Double, load1),
    HSPRING_FIELD(Double, load2),
    HSPRING_FIELD(Double, length1),
    HSPRING_FIELD(Double, length2),
    HSPRING_FIELD(Double, springRate),
    HSPRING_FIELD(Double, stress1),
    HSPRING_FIELD(Double, stress2),
    HSPRING_FIELD(Double, allowableStress),
    HSPRING_FIELD(Int32, lifeClass),
    HSPRING_FIELD(Double, hookAngle),
    HSPRING_FIELD(Double, hookLength),
    HSPRING_FIELD(Double, hookOpening),
    HSPRING_FIELD(Double, hookMinRadius),
};
#undef HSPRING_FIELD

// Keys of a result that are not record fields. A result read again as a design ignores them, so
// the output of one run can be the input of the next.
constexpr auto kResultOnlyKeys = std::to_array<std::string_view>({
    "initialTensionLow",
    "initialTensionHigh",
    "initialTensionMid",
    "lifeText",
    "upperStressCoefficient",
    "lowerStressCoefficient",
    "checks",
    "recommendations",
    "hookBendingFactor",
    "hookTorsionFactor",
    "hookBendingStress1",
    "hookBendingStress2",
    "hookTorsionStress1",
    "hookTorsionStress2",
    "hookBendingAllowable",
    "hookUpperStressCoefficient",
    "hookLowerStressCoefficient",
    "hookLifeClass",
    "hookLifeText",
    "springLifeClass",
    "springLifeText",
    "naturalFrequency",
    "bodyMass",
    "wireLength",
    "springMass",
    "energy12",
    "si",
    "tolerances",
    "toleranceChecks",
    "rank",
    "search",
});

// The rank of a search candidate: written first, ignored when read.
constexpr std::string_view kRankKey = "rank";

// The one input key that is not a record field.
constexpr std::string_view kHookTypeKey = "hookType";

constexpr std::size_t indexOf(std::string_view name) {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (kFields[i].name == name)
            return i;
    throw "no such field"; // a compile-time error: indexOf only names fields
}
constexpr std::size_t kWireDiameterField = indexOf("wireDiameter");
constexpr std::size_t kDiameterIndexField = indexOf("diameterIndex");
// The production tolerance grade, 0..3: an input key that is not a record field either.
constexpr std::string_view kToleranceGradeKey = "toleranceGrade";
static_assert(
    kFields.size() < 63,
    "one bit per field and one each for hookType and toleranceGrade record the keys given");
constexpr std::uint64_t kHookTypeBit = std::uint64_t{1} << kFields.size();
constexpr std::uint64_t kToleranceGradeBit = kHookTypeBit << 1;

template <typename T>
T fieldValue(const SpringDesign& design, const Field& field) {
    T value;
    std::memcpy(&value, reinterpret_cast<const std::byte*>(&design) + field.offset, sizeof value);
    return value;
}

template <typename T>
void setField(SpringDesign& design, const Field& field, T value) {
    std::memcpy(reinterpret_cast<std::byte*>(&design) + field.offset, &value, sizeof value);
}

// Reads the value of one record field. Returns why the value does not fit, or "" when it was
// stored; the value is consumed either way.
std::string readField(JsonReader& reader, SpringDesign& design, const Field& field) {
    const std::string name(field.name);
    const JsonReader::Kind kind = reader.peek();
    const bool isNumber = kind == JsonReader::Kind::Number;
    switch (field.type) {
    case FieldType::Double:
        if (!isNumber)
            break;
        setField(design, field, reader.readNumber());
        return {};
    case FieldType::Int32: {
        if (!isNumber)
            break;
        const double value = reader.readNumber();
        if (!(value >= std::numeric_limits<std::int32_t>::min() &&
              value <= std::numeric_limits<std::int32_t>::max() && std::trunc(value) == value))
            return name + ": expected a 32-bit integer";
        setField(design, field, static_cast<std::int32_t>(value));
        return {};
    }
    case FieldType::Flag: {
        if (kind == JsonReader::Kind::Boolean) {
            setField(design, field, std::uint8_t{reader.readBoolean()});
            return {};
        }
        if (!isNumber)
            break;
        const double value = reader.readNumber();
        if (value != 0 && value != 1)
            return name + ": expected 0, 1, true or false";
        setField(design, field, std::uint8_t{value == 1});
        return {};
    }
    }
    reader.skipValue();
    switch (field.type) {
    case FieldType::Double:
        return name + ": expected a number";
    case FieldType::Int32:
        return name + ": expected an integer";
    case FieldType::Flag:
        break;
    }
    return name + ": expected 0, 1, true or false";
}

bool isResultOnlyKey(std::string_view key) {
    for (const std::string_view k : kResultOnlyKeys)
        if (k == key)
            return true;
    return false;
}

const Field* findField(std::string_view key) {
    for (const Field& field : kFields)
        if (field.name == key)
            return &field;
    return nullptr;
}

// Reads the hook type's value. Returns why it does not fit, or "" when it was stored; the value is
// consumed either way.
std::string readHookType(JsonReader& reader, HookType& hookType) {
    const std::string error = std::string(kHookTypeKey) + ": expected \"round\" or \"u\"";
    if (reader.peek() != JsonReader::Kind::String) {
        reader.skipValue();
        return error;
    }
    const std::optional<HookType> type = hookTypeFromName(reader.readString());
    if (!type)
        return error;
    hookType = *type;
    return {};
}

// Reads the tolerance grade's value, as readHookType does.
std::string readToleranceGrade(JsonReader& reader, int& grade) {
    const std::string error = std::string(kToleranceGradeKey) + ": expected 0, 1, 2 or 3";
    if (reader.peek() != JsonReader::Kind::Number) {
        reader.skipValue();
        return error;
    }
    const double value = reader.readNumber();
    if (!(value >= 0 && value <= kToleranceGradeCount && std::trunc(value) == value))
        return error;
    grade = static_cast<int>(value);
    return {};
}

// Reads one member into the request, noting its field in `given`. Returns why it does not fit, or
// "" when it was taken; the value is consumed either way.
std::string readMember(JsonReader& reader, DesignRequest& request, const std::string& key,
                       std::uint64_t& given) {
    if (key == kHookTypeKey) {
        if (given & kHookTypeBit) {
            reader.skipValue();
            return "duplicate key \"" + key + "\"";
        }
        given |= kHookTypeBit;
        return readHookType(reader, request.hookType);
    }
    if (key == kToleranceGradeKey) {
        if (given & kToleranceGradeBit) {
            reader.skipValue();
            return "duplicate key \"" + key + "\"";
        }
        given |= kToleranceGradeBit;
        return readToleranceGrade(reader, request.toleranceGrade);
    }
    SpringDesign& design = request.design;
    const Field* field = findField(key);
    if (!field) {
        reader.skipValue();
        return isResultOnlyKey(key) ? std::string() : "unknown key \"" + key + "\"";
    }
    const std::uint64_t bit = std::uint64_t{1} << (field - kFields.data());
    if (given & bit) {
        reader.skipValue();
        return "duplicate key \"" + key + "\"";
    }
    given |= bit;
    return readField(reader, design, *field);
}

// The position of the first listed diameter not smaller than d, as the window's wire-diameter
// list selects it; -1 when the material lists none that large.
std::int32_t firstDiameterReaching(const MaterialRecord& material, double d) {
    for (int j = 0; j < usedDiameterCount(material); ++j)
        if (material.diameters[j] >= d)
            return j;
    return -1;
}

// Completes a design from the keys given, the way the window's input reading fills slot 0.
// Returns why it cannot be completed, or "".
std::string completeDesign(SpringDesign& design, std::uint64_t given,
                           const MaterialLibrary& library) {
    const MaterialRecord* material = materialAt(library, design.materialIndex);
    if (!material)
        return "materialIndex " + std::to_string(design.materialIndex) +
               " is outside the material library (0..29)";
    const bool hasWireDiameter = (given >> kWireDiameterField) & 1;
    const bool hasDiameterIndex = (given >> kDiameterIndexField) & 1;
    if (hasDiameterIndex && !hasWireDiameter) {
        const std::optional<double> d = wireDiameterAt(*material, design.diameterIndex);
        if (!d)
            return "diameterIndex " + std::to_string(design.diameterIndex) +
                   " is outside the diameter list of material " +
                   std::to_string(design.materialIndex);
        design.wireDiameter = *d;
    } else if (!hasDiameterIndex) {
        design.diameterIndex = firstDiameterReaching(*material, design.wireDiameter);
    }

    // The coil diameter comes from the key the diameter kind names; the other two follow.
    const double diameters[] = {design.innerDiameter, design.meanDiameter, design.outerDiameter};
    if (design.diameterKind >= kInnerDiameter && design.diameterKind <= kOuterDiameter) {
        try {
            setCoilDiameters(design, diameters[design.diameterKind], design.wireDiameter);
        } catch (const Error& error) {
            return error.what();
        }
    }
    setTurns(design, design.totalTurns);
    return {};
}

// Reads one element of the input: a design object, or something that fails as one. A syntax
// error is thrown.
DesignRequest readDesign(JsonReader& reader, const MaterialLibrary& library, std::string& key) {
    DesignRequest request;
    resetDesignDefaults(request.design);
    if (reader.peek() != JsonReader::Kind::Object) {
        reader.skipValue();
        request.error = "expected a design object";
        return request;
    }
    reader.enterObject();
    std::uint64_t given = 0;
    while (reader.nextMember(key)) {
        if (request.error.empty())
            request.error = readMember(reader, request, key, given);
        else
            reader.skipValue(); // the first fault stands; the rest is still checked as JSON
    }
    if (request.error.empty())
        request.error = completeDesign(request.design, given, library);
    return request;
}

} // namespace

DesignJsonReader::DesignJsonReader(std::string_view text, const MaterialLibrary& library)
    : reader_(text), library_(library) {
    try {
        isArray_ = reader_.peek() == JsonReader::Kind::Array;
        if (isArray_)
            reader_.enterArray();
    } catch (const JsonSyntaxError& error) {
        syntaxError_ = error.what();
    }
}

bool DesignJsonReader::next(DesignRequest& request) {
    if (done_)
        return false;
    // The designs before a syntax error stand; the error takes the place of the rest.
    const auto failWith = [&](const std::string& message) {
        done_ = true;
        request = DesignRequest{};
        request.error = message;
        return true;
    };
    if (!syntaxError_.empty())
        return failWith(syntaxError_);
    try {
        if (isArray_) {
            if (!reader_.nextElement()) {
                done_ = true;
                reader_.finish();
                return false;
            }
            request = readDesign(reader_, library_, key_);
        } else {
            // A single design: anything after it makes the whole text fail.
            done_ = true;
            request = readDesign(reader_, library_, key_);
            reader_.finish();
        }
    } catch (const JsonSyntaxError& error) {
        return failWith(error.what());
    }
    return true;
}

DesignRequests readDesignsJson(std::string_view text, const MaterialLibrary& library) {
    DesignJsonReader reader(text, library);
    DesignRequests requests;
    requests.wasArray = reader.isArray();
    DesignRequest request;
    while (reader.next(request))
        requests.designs.push_back(request);
    return requests;
}

namespace {

// A life class and its text, or null for both when it is missing.
void writeLife(JsonWriter& json, std::string_view classKey, std::string_view textKey,
               std::optional<int> lifeClass) {
    json.key(classKey);
    if (lifeClass)
        json.integer(*lifeClass);
    else
        json.null();
    json.key(textKey);
    if (lifeClass)
        json.string(lifeText(*lifeClass));
    else
        json.null();
}

// The hook type and the extra results, after the keys every answer has always had.
void writeExtraResults(JsonWriter& json, HookType hookType, const ExtraResults& x) {
    const auto number = [&json](std::string_view key, double value) {
        json.key(key);
        json.number(value);
    };
    json.key(kHookTypeKey);
    json.string(hookTypeName(hookType));
    number("hookBendingFactor", x.hookBendingFactor);
    number("hookTorsionFactor", x.hookTorsionFactor);
    number("hookBendingStress1", x.hookBendingStress1);
    number("hookBendingStress2", x.hookBendingStress2);
    number("hookTorsionStress1", x.hookTorsionStress1);
    number("hookTorsionStress2", x.hookTorsionStress2);
    number("hookBendingAllowable", x.hookBendingAllowable);
    number("hookUpperStressCoefficient", x.hookCoefficients.upper);
    number("hookLowerStressCoefficient", x.hookCoefficients.lower);
    writeLife(json, "hookLifeClass", "hookLifeText", x.hookLifeClass);
    writeLife(json, "springLifeClass", "springLifeText", x.springLifeClass);
    number("naturalFrequency", x.naturalFrequency);
    number("bodyMass", x.bodyMass);
    number("wireLength", x.wireLength);
    number("springMass", x.springMass);
    number("energy12", x.energy12);
    json.key("si");
    json.beginObject();
    const SiResults& si = x.si;
    number("springRate", si.springRate);
    number("initialTension", si.initialTension);
    number("load1", si.load1);
    number("load2", si.load2);
    number("maxLoad", si.maxLoad);
    number("stress1", si.stress1);
    number("stress2", si.stress2);
    number("allowableStress", si.allowableStress);
    number("hookBendingStress1", si.hookBendingStress1);
    number("hookBendingStress2", si.hookBendingStress2);
    number("hookTorsionStress1", si.hookTorsionStress1);
    number("hookTorsionStress2", si.hookTorsionStress2);
    number("hookBendingAllowable", si.hookBendingAllowable);
    number("energy12", si.energy12);
    json.endObject();
}

// The tolerance grade, the tolerances at it and the lines of their conditions.
void writeTolerances(JsonWriter& json, const DesignResult& result) {
    const Tolerances& t = result.tolerances;
    json.key(kToleranceGradeKey);
    json.integer(t.grade);
    json.key("tolerances");
    json.beginObject();
    json.key("grade");
    json.integer(t.grade);
    const std::pair<std::string_view, double> values[] = {
        {"load1", t.load1},
        {"load2", t.load2},
        {"springRate", t.springRate},
        {"freeLength", t.freeLength},
        {"outerDiameter", t.outerDiameter},
    };
    for (const auto& [key, value] : values) {
        json.key(key);
        json.number(value);
    }
    json.endObject();
    json.key("toleranceChecks");
    json.beginArray();
    for (const std::string& line : result.toleranceChecks)
        json.string(line);
    json.endArray();
}

} // namespace

void appendDesignResultJson(std::string& out, const DesignResult& result, std::optional<int> rank) {
    JsonWriter json(out);
    json.beginObject();
    if (rank) {
        json.key(kRankKey);
        json.integer(*rank);
    }
    for (const Field& field : kFields) {
        json.key(field.name);
        switch (field.type) {
        case FieldType::Double:
            json.number(fieldValue<double>(result.design, field));
            break;
        case FieldType::Int32:
            json.integer(fieldValue<std::int32_t>(result.design, field));
            break;
        case FieldType::Flag:
            json.integer(fieldValue<std::uint8_t>(result.design, field));
            break;
        }
    }
    json.key("initialTensionLow");
    json.number(result.range.low);
    json.key("initialTensionHigh");
    json.number(result.range.high);
    json.key("initialTensionMid");
    json.number(result.range.mid);
    json.key("upperStressCoefficient");
    json.number(result.coefficients.upper);
    json.key("lowerStressCoefficient");
    json.number(result.coefficients.lower);
    json.key("lifeText");
    json.string(lifeText(result.design.lifeClass));
    json.key("checks");
    json.beginArray();
    for (const std::string& line : result.checks.lines)
        json.string(line);
    json.endArray();
    json.key("recommendations");
    json.beginObject();
    const Recommendations& recommended = result.recommendations;
    if (recommended.indexInRange) {
        json.key("freeLength");
        json.string(recommended.freeLengthLabel);
        json.key("maxLength");
        json.string(recommended.maxLengthLabel);
        json.key("maxLoad");
        json.string(recommended.maxLoadLabel);
        json.key("initialTension");
        json.string(recommended.initialTensionLabel);
    } else {
        json.key("message");
        json.string(recommended.status.lines.empty() ? std::string_view{}
                                                     : recommended.status.lines.front());
    }
    json.endObject();
    writeExtraResults(json, result.hookType, result.extras);
    writeTolerances(json, result);
    json.endObject();
}

void appendDesignErrorJson(std::string& out, std::string_view message) {
    JsonWriter json(out);
    json.beginObject();
    json.key("error");
    json.string(message);
    json.endObject();
}

} // namespace hspring
