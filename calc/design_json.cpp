// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_json.h"

#include "base/checked_float.h"
#include "base/json_reader.h"
#include "base/json_writer.h"
#include "calc/life.h"
#include "calc/spring_design.h"
#include "calc/wording.h"

#include <array>
#include <bitset>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <optional>

namespace hspring {

namespace {

// Every key of a design and of its answer, each written once: its name, how it is read and
// written, and the unit of its value. The reader, the writer, the key selection and the key list
// the tool's help is made from all come from this table. Record fields come first, in record order
// (the byte image is packed, so values are copied through their offsets rather than through member
// pointers); the results follow in the order they are written. A result key read again as a design
// is accepted and ignored, so the output of one run can be the input of the next.
enum class FieldType {
    Double,         // record field
    Int32,          // record field
    Flag,           // record field, 0 or 1 (true/false on input)
    HookType,       // "round" or "u": read, and written with the results
    ToleranceGrade, // 0..3: read, and written with the results
    Basis,          // "JIS" or "handbook": read, and written with the results
    ExtraInput,     // a positive number or null, at `offset` in ExtraInputs
    Result,         // written only
};
constexpr DesignKeyKind keyKindOf(FieldType type) {
    switch (type) {
    case FieldType::Double:
    case FieldType::Int32:
    case FieldType::Flag:
        return DesignKeyKind::RecordField;
    case FieldType::Result:
        return DesignKeyKind::Result;
    default:
        return DesignKeyKind::Input;
    }
}
using ResultWriter = void (*)(JsonWriter&, const DesignResult&);
// A result written in words: the check lines, the life texts, the labels.
using WordedWriter = void (*)(JsonWriter&, const DesignResult&, const Wording&);
struct Field {
    std::string_view name;
    FieldType type;
    std::size_t offset;       // record fields and extra inputs
    ResultWriter write;       // results
    std::string_view unit;    // of the value, in kgf units ("mm", "kgf/mm^2"); "" for none
    WordedWriter writeWorded; // results written in words, in place of `write`
};

#define HSPRING_FIELD(type, name, unit)                                                            \
    Field {                                                                                        \
#name, FieldType::type, offsetof(SpringDesign, name), nullptr, unit, nullptr               \
    }

constexpr Field result(std::string_view name, ResultWriter write, std::string_view unit = "") {
    return Field{name, FieldType::Result, 0, write, unit, nullptr};
}

constexpr Field worded(std::string_view name, WordedWriter write) {
    return Field{name, FieldType::Result, 0, nullptr, "", write};
}

void writeNumber(JsonWriter& json, double value) {
    json.number(value);
}

void writeLifeClass(JsonWriter& json, std::optional<int> lifeClass) {
    if (lifeClass)
        json.integer(*lifeClass);
    else
        json.null();
}

void writeLifeText(JsonWriter& json, std::optional<int> lifeClass, const Wording& words) {
    if (lifeClass)
        json.string(words.lifeClass(*lifeClass));
    else
        json.null();
}

// The design-rule lines as the status list shows them: the broken rules, or the one line of a
// design that passes.
void writeChecks(JsonWriter& json, const DesignResult& result, const Wording& words) {
    json.beginArray();
    for (const DesignRule rule : result.checks)
        json.string(words.designRule(rule));
    if (result.checks.empty())
        json.string(words.designPasses());
    json.endArray();
}

template <std::size_t offset>
void writeExtraInput(JsonWriter& json, const DesignResult& result) {
    double value = 0;
    std::memcpy(&value, reinterpret_cast<const std::byte*>(&result.inputs) + offset, sizeof value);
    json.number(value);
}

constexpr Field extraInput(std::string_view name, std::size_t offset, ResultWriter write,
                           std::string_view unit) {
    return Field{name, FieldType::ExtraInput, offset, write, unit, nullptr};
}

void writeRecommendations(JsonWriter& json, const DesignResult& result, const Wording& words) {
    json.beginObject();
    const Recommendations& recommended = result.recommendations;
    if (recommended.indexInRange) {
        const RecommendationLabels labels = words.recommendations(recommended);
        json.key("freeLength");
        json.string(labels.freeLength);
        json.key("maxLength");
        json.string(labels.maxLength);
        json.key("maxLoad");
        json.string(labels.maxLoad);
        json.key("initialTension");
        json.string(labels.initialTension);
    } else {
        json.key("message");
        json.string(words.indexOutOfRange());
    }
    json.endObject();
}

void writeSi(JsonWriter& json, const DesignResult& result) {
    const auto number = [&json](std::string_view key, double value) {
        json.key(key);
        json.number(value);
    };
    json.beginObject();
    const SiResults& si = result.extras.si;
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
    number("hookTorsionAllowable", si.hookTorsionAllowable);
    number("energy12", si.energy12);
    json.endObject();
}

// The production tolerances at the design's grade.
void writeTolerances(JsonWriter& json, const DesignResult& result) {
    const Tolerances& t = result.tolerances;
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
}

using R = const DesignResult&;
constexpr std::array kFields = {
    HSPRING_FIELD(Int32, inUse, ""),
    HSPRING_FIELD(Int32, materialIndex, ""),
    HSPRING_FIELD(Int32, diameterIndex, ""),
    HSPRING_FIELD(Double, wireDiameter, "mm"),
    HSPRING_FIELD(Double, innerDiameter, "mm"),
    HSPRING_FIELD(Double, meanDiameter, "mm"),
    HSPRING_FIELD(Double, outerDiameter, "mm"),
    HSPRING_FIELD(Int32, diameterKind, ""),
    HSPRING_FIELD(Double, totalTurns, ""),
    HSPRING_FIELD(Double, activeTurns, ""),
    HSPRING_FIELD(Double, hookedFreeLength, "mm"),
    HSPRING_FIELD(Double, springIndex, ""),
    HSPRING_FIELD(Double, initialTension, "kgf"),
    HSPRING_FIELD(Flag, autoInitialTension, ""),
    HSPRING_FIELD(Flag, lowTempAnnealed, ""),
    HSPRING_FIELD(Double, wahlFactor, ""),
    HSPRING_FIELD(Double, freeLength, "mm"),
    HSPRING_FIELD(Double, maxLength, "mm"),
    HSPRING_FIELD(Double, maxLoad, "kgf"),
    HSPRING_FIELD(Int32, lengthMode, ""),
    HSPRING_FIELD(Double, load1, "kgf"),
    HSPRING_FIELD(Double, load2, "kgf"),
    HSPRING_FIELD(Double, length1, "mm"),
    HSPRING_FIELD(Double, length2, "mm"),
    HSPRING_FIELD(Double, springRate, "kgf/mm"),
    HSPRING_FIELD(Double, stress1, "kgf/mm^2"),
    HSPRING_FIELD(Double, stress2, "kgf/mm^2"),
    HSPRING_FIELD(Double, allowableStress, "kgf/mm^2"),
    HSPRING_FIELD(Int32, lifeClass, ""),
    HSPRING_FIELD(Double, hookAngle, "degrees"),
    HSPRING_FIELD(Double, hookLength, "mm"),
    HSPRING_FIELD(Double, hookOpening, "mm"),
    HSPRING_FIELD(Double, hookMinRadius, "mm"),
    result(
        "initialTensionLow", [](JsonWriter& j, R r) { writeNumber(j, r.range.low); }, "kgf"),
    result(
        "initialTensionHigh", [](JsonWriter& j, R r) { writeNumber(j, r.range.high); }, "kgf"),
    result(
        "initialTensionMid", [](JsonWriter& j, R r) { writeNumber(j, r.range.mid); }, "kgf"),
    result("upperStressCoefficient",
           [](JsonWriter& j, R r) { writeNumber(j, r.coefficients.upper); }),
    result("lowerStressCoefficient",
           [](JsonWriter& j, R r) { writeNumber(j, r.coefficients.lower); }),
    worded("lifeText",
           [](JsonWriter& j, R r, const Wording& w) { j.string(w.lifeClass(r.design.lifeClass)); }),
    worded("checks", writeChecks),
    worded("recommendations", writeRecommendations),
    Field{"hookType", FieldType::HookType, 0,
          [](JsonWriter& j, R r) { j.string(hookTypeName(r.hookType)); }, "", nullptr},
    Field{"designBasis", FieldType::Basis, 0,
          [](JsonWriter& j, R r) { j.string(designBasisName(r.basis)); }, "", nullptr},
    extraInput("hookBendRadius", offsetof(ExtraInputs, hookBendRadius),
               writeExtraInput<offsetof(ExtraInputs, hookBendRadius)>, "mm"),
    extraInput("hookLoopRadius", offsetof(ExtraInputs, hookLoopRadius),
               writeExtraInput<offsetof(ExtraInputs, hookLoopRadius)>, "mm"),
    extraInput("operatingFrequency", offsetof(ExtraInputs, operatingFrequency),
               writeExtraInput<offsetof(ExtraInputs, operatingFrequency)>, "Hz"),
    result("hookBendingFactor",
           [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookBendingFactor); }),
    result("hookTorsionFactor",
           [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookTorsionFactor); }),
    result(
        "hookBendingStress1",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookBendingStress1); }, "kgf/mm^2"),
    result(
        "hookBendingStress2",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookBendingStress2); }, "kgf/mm^2"),
    result(
        "hookTorsionStress1",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookTorsionStress1); }, "kgf/mm^2"),
    result(
        "hookTorsionStress2",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookTorsionStress2); }, "kgf/mm^2"),
    result(
        "hookBendingAllowable",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookBendingAllowable); }, "kgf/mm^2"),
    result(
        "hookTorsionAllowable",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookTorsionAllowable); }, "kgf/mm^2"),
    result("hookUpperStressCoefficient",
           [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookCoefficients.upper); }),
    result("hookLowerStressCoefficient",
           [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookCoefficients.lower); }),
    result("hookLifeClass", [](JsonWriter& j, R r) { writeLifeClass(j, r.extras.hookLifeClass); }),
    worded("hookLifeText", [](JsonWriter& j, R r,
                              const Wording& w) { writeLifeText(j, r.extras.hookLifeClass, w); }),
    result("springLifeClass",
           [](JsonWriter& j, R r) { writeLifeClass(j, r.extras.springLifeClass); }),
    worded("springLifeText",
           [](JsonWriter& j, R r, const Wording& w) {
               writeLifeText(j, r.extras.springLifeClass, w);
           }),
    result(
        "naturalFrequency", [](JsonWriter& j, R r) { writeNumber(j, r.extras.naturalFrequency); },
        "Hz"),
    result(
        "bodyMass", [](JsonWriter& j, R r) { writeNumber(j, r.extras.bodyMass); }, "g"),
    result(
        "wireLength", [](JsonWriter& j, R r) { writeNumber(j, r.extras.wireLength); }, "mm"),
    result(
        "springMass", [](JsonWriter& j, R r) { writeNumber(j, r.extras.springMass); }, "g"),
    result(
        "energy12", [](JsonWriter& j, R r) { writeNumber(j, r.extras.energy12); }, "kgf·mm"),
    result("si", writeSi),
    result("hookBendingLifeClass",
           [](JsonWriter& j, R r) { writeLifeClass(j, r.extras.hookBendingLifeClass); }),
    worded("hookBendingLifeText",
           [](JsonWriter& j, R r, const Wording& w) {
               writeLifeText(j, r.extras.hookBendingLifeClass, w);
           }),
    result(
        "hookTorsionLimitLoad",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookTorsionLimitLoad); }, "kgf"),
    result(
        "hookBendingLimitLoad",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookBendingLimitLoad); }, "kgf"),
    result(
        "maxLoadWithHooks", [](JsonWriter& j, R r) { writeNumber(j, r.extras.maxLoadWithHooks); },
        "kgf"),
    result(
        "maxLengthWithHooks",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.maxLengthWithHooks); }, "mm"),
    result("governingPart",
           [](JsonWriter& j, R r) {
               if (r.extras.governingPart)
                   j.string(governingPartName(*r.extras.governingPart));
               else
                   j.null();
           }),
    worded("hookChecks",
           [](JsonWriter& j, R r, const Wording& w) {
               j.beginArray();
               for (const HookCheck& check : r.hookChecks)
                   j.string(w.hookProblem(check.problem));
               j.endArray();
           }),
    Field{"toleranceGrade", FieldType::ToleranceGrade, 0,
          [](JsonWriter& j, R r) { j.integer(r.tolerances.grade); }, "", nullptr},
    result("tolerances", writeTolerances),
    worded("toleranceChecks",
           [](JsonWriter& j, R r, const Wording& w) {
               j.beginArray();
               for (const ToleranceBreach& breach : r.toleranceChecks)
                   j.string(w.toleranceBreach(breach));
               j.endArray();
           }),
};
#undef HSPRING_FIELD

// The rank of a search candidate: written first, ignored when read.
constexpr std::string_view kRankKey = "rank";
// What ranks a search candidate: written last by the search, ignored when read.
constexpr std::string_view kSearchKey = "search";

constexpr std::size_t indexOf(std::string_view name) {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        if (kFields[i].name == name)
            return i;
    throw "no such field"; // a compile-time error: indexOf only names fields
}
constexpr std::size_t kWireDiameterField = indexOf("wireDiameter");
constexpr std::size_t kDiameterIndexField = indexOf("diameterIndex");
constexpr std::size_t kHookTypeField = indexOf("hookType");

// The input keys given in one design object, one bit per key.
using GivenKeys = std::bitset<kFields.size()>;

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

// What a reader returns: why the value does not fit, or nothing when it was taken.
using Fault = std::optional<Error>;

// Reads the value of one record field. Returns why the value does not fit, or nothing when it was
// stored; the value is consumed either way.
Fault readField(JsonReader& reader, SpringDesign& design, const Field& field) {
    const auto fault = [&field](Problem problem) { return fieldError(problem, field.name); };
    const JsonReader::Kind kind = reader.peek();
    const bool isNumber = kind == JsonReader::Kind::Number;
    switch (field.type) {
    case FieldType::HookType:
    case FieldType::ToleranceGrade:
    case FieldType::Basis:
    case FieldType::ExtraInput:
    case FieldType::Result:
        break;
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
            return fault(Problem::Expected32BitInteger);
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
            return fault(Problem::ExpectedFlag);
        setField(design, field, std::uint8_t{value == 1});
        return {};
    }
    }
    reader.skipValue();
    switch (field.type) {
    case FieldType::Double:
        return fault(Problem::ExpectedNumber);
    case FieldType::Int32:
        return fault(Problem::ExpectedInteger);
    default:
        break;
    }
    return fault(Problem::ExpectedFlag);
}

const Field* findField(std::string_view key) {
    for (const Field& field : kFields)
        if (field.name == key)
            return &field;
    return nullptr;
}

// Reads the hook type's value. Returns why it does not fit, or nothing when it was stored; the
// value is consumed either way.
Fault readHookType(JsonReader& reader, HookType& hookType) {
    const Error error = fieldError(Problem::ExpectedHookType, kFields[kHookTypeField].name);
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

// Reads the design basis's value, as readHookType does.
Fault readBasis(JsonReader& reader, std::optional<DesignBasis>& basis) {
    const Error error = fieldError(Problem::ExpectedDesignBasis, "designBasis");
    if (reader.peek() != JsonReader::Kind::String) {
        reader.skipValue();
        return error;
    }
    const std::optional<DesignBasis> named = designBasisFromName(reader.readString());
    if (!named)
        return error;
    basis = named;
    return {};
}

// Reads an extra input: a positive finite number, or null for none. As readHookType does.
Fault readExtraInput(JsonReader& reader, ExtraInputs& inputs, const Field& field) {
    const JsonReader::Kind kind = reader.peek();
    double value = std::numeric_limits<double>::quiet_NaN();
    if (kind == JsonReader::Kind::Null) {
        reader.readNull();
    } else if (kind == JsonReader::Kind::Number) {
        value = reader.readNumber();
        if (!(value > 0 && std::isfinite(value)))
            return fieldError(Problem::ExpectedPositiveOrNull, std::string(field.name));
    } else {
        reader.skipValue();
        return fieldError(Problem::ExpectedPositiveOrNull, std::string(field.name));
    }
    std::memcpy(reinterpret_cast<std::byte*>(&inputs) + field.offset, &value, sizeof value);
    return {};
}

// Reads the tolerance grade's value, as readHookType does.
Fault readToleranceGrade(JsonReader& reader, int& grade) {
    const Error error = fieldError(Problem::ExpectedToleranceGrade, "toleranceGrade");
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
// nothing when it was taken; the value is consumed either way.
Fault readMember(JsonReader& reader, DesignRequest& request, const std::string& key,
                 GivenKeys& given) {
    const Field* field = findField(key);
    if (!field || field->type == FieldType::Result) {
        reader.skipValue();
        if (field || key == kRankKey || key == kSearchKey)
            return std::nullopt;
        return fieldError(Problem::UnknownKey, key);
    }
    const std::size_t index = static_cast<std::size_t>(field - kFields.data());
    if (given[index]) {
        reader.skipValue();
        return fieldError(Problem::DuplicateKey, key);
    }
    given[index] = true;
    if (field->type == FieldType::HookType)
        return readHookType(reader, request.hookType);
    if (field->type == FieldType::ToleranceGrade)
        return readToleranceGrade(reader, request.toleranceGrade);
    if (field->type == FieldType::Basis)
        return readBasis(reader, request.basis);
    if (field->type == FieldType::ExtraInput)
        return readExtraInput(reader, request.inputs, *field);
    return readField(reader, request.design, *field);
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
// Returns why it cannot be completed, or nothing.
Fault completeDesign(SpringDesign& design, const GivenKeys& given, const MaterialLibrary& library) {
    const MaterialRecord* material = materialAt(library, design.materialIndex);
    if (!material)
        return fieldError(Problem::MaterialOutsideLibrary, "materialIndex",
                          std::to_string(design.materialIndex), std::to_string(kMaterialCount - 1));
    const bool hasWireDiameter = given[kWireDiameterField];
    const bool hasDiameterIndex = given[kDiameterIndexField];
    if (hasDiameterIndex && !hasWireDiameter) {
        const std::optional<double> d = wireDiameterAt(*material, design.diameterIndex);
        if (!d)
            return fieldError(Problem::DiameterOutsideList, "diameterIndex",
                              std::to_string(design.diameterIndex),
                              std::to_string(design.materialIndex));
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
            return error;
        }
    }
    setTurns(design, design.totalTurns);
    return std::nullopt;
}

// Reads one element of the input: a design object, or something that fails as one. A syntax
// error is thrown.
DesignRequest readDesign(JsonReader& reader, const MaterialLibrary& library, std::string& key) {
    DesignRequest request;
    resetDesignDefaults(request.design);
    if (reader.peek() != JsonReader::Kind::Object) {
        reader.skipValue();
        request.error = Error(Problem::NotADesignObject);
        return request;
    }
    reader.enterObject();
    GivenKeys given;
    while (reader.nextMember(key)) {
        if (!request.error)
            request.error = readMember(reader, request, key, given);
        else
            reader.skipValue(); // the first fault stands; the rest is still checked as JSON
    }
    if (!request.error)
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
        syntaxError_ = error;
    }
}

bool DesignJsonReader::next(DesignRequest& request) {
    if (done_)
        return false;
    // The designs before a syntax error stand; the error takes the place of the rest.
    const auto failWith = [&](const Error& error) {
        done_ = true;
        request = DesignRequest{};
        request.error = error;
        return true;
    };
    if (syntaxError_)
        return failWith(*syntaxError_);
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
        return failWith(error);
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

void appendDesignResultJson(std::string& out, const DesignResult& result, const Wording& words,
                            std::optional<int> rank, const DesignKeySelection* keys) {
    JsonWriter json(out);
    json.beginObject();
    if (rank) {
        json.key(kRankKey);
        json.integer(*rank);
    }
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (keys && !keys->has(i))
            continue;
        const Field& field = kFields[i];
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
        case FieldType::HookType:
        case FieldType::ToleranceGrade:
        case FieldType::Basis:
        case FieldType::ExtraInput:
        case FieldType::Result:
            if (field.writeWorded)
                field.writeWorded(json, result, words);
            else
                field.write(json, result);
            break;
        }
    }
    json.endObject();
}

DesignResult evaluateRequest(const DesignRequest& request, const MaterialLibrary& library,
                             const CoefficientSet& coefficients) {
    CoefficientSet chosen = coefficients;
    if (request.basis)
        setDesignBasis(chosen, *request.basis);
    return evaluateDesign(request.design, library, chosen, request.hookType, request.toleranceGrade,
                          request.inputs);
}

void appendDesignErrorJson(std::string& out, const Error& problem, const ProblemWording& words) {
    JsonWriter json(out);
    json.beginObject();
    json.key("error");
    json.string(words.problem(problem));
    json.endObject();
}

} // namespace hspring

namespace hspring {

std::span<const DesignKey> designKeys() {
    static const std::vector<DesignKey> keys = [] {
        std::vector<DesignKey> list;
        for (const Field& field : kFields)
            list.push_back({field.name, keyKindOf(field.type), field.unit});
        return list;
    }();
    return keys;
}

std::optional<DesignKeySelection> DesignKeySelection::fromList(std::string_view list,
                                                               std::string& unknown) {
    DesignKeySelection selection;
    selection.chosen_.assign(kFields.size(), false);
    for (std::size_t start = 0;;) {
        const std::size_t end = list.find(',', start);
        const std::string_view name = list.substr(start, end - start);
        const Field* field = findField(name);
        if (!field) {
            unknown = name;
            return std::nullopt;
        }
        selection.chosen_[static_cast<std::size_t>(field - kFields.data())] = true;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return selection;
}

} // namespace hspring
