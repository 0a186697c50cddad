// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_json.h"

#include "base/checked_float.h"
#include "base/json_reader.h"
#include "base/json_writer.h"
#include "base/text_fill.h"
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
// written, and its help lines. The reader, the writer, the key selection and the help text all
// come from this table. Record fields come first, in record order (the byte image is packed, so
// values are copied through their offsets rather than through member pointers); the results
// follow in the order they are written. A result key read again as a design is accepted and
// ignored, so the output of one run can be the input of the next.
enum class FieldType {
    Double,         // record field
    Int32,          // record field
    Flag,           // record field, 0 or 1 (true/false on input)
    HookType,       // "round" or "u": read, and written with the results
    ToleranceGrade, // 0..3: read, and written with the results
    Result,         // written only
};
using ResultWriter = void (*)(JsonWriter&, const DesignResult&);
// A result written in words: the check lines, the life texts, the labels.
using WordedWriter = void (*)(JsonWriter&, const DesignResult&, const Wording&);
struct Field {
    std::string_view name;
    FieldType type;
    std::size_t offset;          // record fields
    ResultWriter write;          // results
    std::string_view inputHelp;  // the line under "Input keys"; "" when not listed there
    std::string_view outputHelp; // the line under "Output keys"; "" when not listed there
    WordedWriter writeWorded;    // results written in words, in place of `write`
};

// A help line of kJoin puts the key on the line of the key before it ("load1, load2").
constexpr std::string_view kJoin = "+";

#define HSPRING_FIELD(type, name, inputHelp, outputHelp)                                           \
    Field {                                                                                        \
#name, FieldType::type, offsetof(SpringDesign, name), nullptr, inputHelp, outputHelp,      \
            nullptr                                                                                \
    }

constexpr Field result(std::string_view name, ResultWriter write, std::string_view help) {
    return Field{name, FieldType::Result, 0, write, "", help, nullptr};
}

constexpr Field worded(std::string_view name, WordedWriter write, std::string_view help) {
    return Field{name, FieldType::Result, 0, nullptr, "", help, write};
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
    HSPRING_FIELD(Int32, inUse, "", "1"),
    HSPRING_FIELD(Int32, materialIndex, "material record, 0..{lastMaterial}", ""),
    HSPRING_FIELD(Int32, diameterIndex,
                  "position in the material's wire-diameter list\n"
                  "(default: the first listed diameter not below wireDiameter)",
                  ""),
    HSPRING_FIELD(Double, wireDiameter,
                  "d, mm (default: the listed diameter at diameterIndex when that is given)", ""),
    HSPRING_FIELD(Double, innerDiameter, "Di, inner coil diameter, mm", ""),
    HSPRING_FIELD(Double, meanDiameter, "D, mean coil diameter, mm", ""),
    HSPRING_FIELD(Double, outerDiameter, "Do, outer coil diameter, mm", ""),
    HSPRING_FIELD(Int32, diameterKind,
                  "the coil diameter given: 0 innerDiameter, 1 meanDiameter, 2 outerDiameter;\n"
                  "the one it names is read, the other two follow from it and d",
                  ""),
    HSPRING_FIELD(Double, totalTurns,
                  "N, total number of turns (activeTurns follows: N, or 2.99 below 3)", ""),
    HSPRING_FIELD(Double, activeTurns, "", "Na, active turns"),
    HSPRING_FIELD(Double, hookedFreeLength, "",
                  "free length implied by the turns and two round hooks, (N + 1)·d + 2·Di, mm"),
    HSPRING_FIELD(Double, springIndex, "", "c = D/d"),
    HSPRING_FIELD(Double, initialTension, "Pi, initial tension, kgf",
                  "Pi, initial tension, kgf (the range's middle with autoInitialTension)"),
    HSPRING_FIELD(Flag, autoInitialTension,
                  "1 or true: initial tension from the recommended range;\n"
                  "0 or false: initialTension as given",
                  ""),
    HSPRING_FIELD(Flag, lowTempAnnealed, "1 or true: low-temperature annealed after coiling", ""),
    HSPRING_FIELD(Double, wahlFactor, "", "Wahl stress-correction factor"),
    HSPRING_FIELD(Double, freeLength, "L0, free length, mm", ""),
    HSPRING_FIELD(Double, maxLength, "", "recommended maximum length, mm"),
    HSPRING_FIELD(Double, maxLoad, "", "recommended maximum load, kgf (the coil's limit)"),
    HSPRING_FIELD(Int32, lengthMode,
                  "1: length1 and length2 given, loads calculated; 0: load1 and load2 given", ""),
    HSPRING_FIELD(Double, load1, "P1, P2, working loads, kgf",
                  "P1, P2, working loads, kgf: calculated when lengthMode is 1"),
    HSPRING_FIELD(Double, load2, kJoin, kJoin),
    HSPRING_FIELD(Double, length1, "L1, L2, working lengths, mm",
                  "L1, L2, working lengths, mm: calculated when lengthMode is 0"),
    HSPRING_FIELD(Double, length2, kJoin, kJoin),
    HSPRING_FIELD(Double, springRate, "", "spring rate, kgf/mm"),
    HSPRING_FIELD(Double, stress1, "",
                  "corrected torsional stress at working points 1 and 2, kgf/mm^2"),
    HSPRING_FIELD(Double, stress2, "", kJoin),
    HSPRING_FIELD(Double, allowableStress, "", "allowable torsional stress, kgf/mm^2"),
    HSPRING_FIELD(Int32, lifeClass, "",
                  "expected-life class of the coil, 0 (longest) .. {shortestLife} (shortest)"),
    HSPRING_FIELD(Double, hookAngle, "round hook: hook angle, degrees", ""),
    HSPRING_FIELD(Double, hookLength, "U hook: hook length, mm", ""),
    HSPRING_FIELD(Double, hookOpening, "U hook: opening between the cut end and the coil, mm", ""),
    HSPRING_FIELD(Double, hookMinRadius, "U hook: inner radius of the bend out of the coil, mm",
                  ""),
    result(
        "initialTensionLow", [](JsonWriter& j, R r) { writeNumber(j, r.range.low); },
        "recommended initial-tension range and its middle, kgf"),
    result(
        "initialTensionHigh", [](JsonWriter& j, R r) { writeNumber(j, r.range.high); }, kJoin),
    result(
        "initialTensionMid", [](JsonWriter& j, R r) { writeNumber(j, r.range.mid); }, kJoin),
    result(
        "upperStressCoefficient", [](JsonWriter& j, R r) { writeNumber(j, r.coefficients.upper); },
        "stress2 × 9.8 / σB and stress1 × 9.8 / σB, σB the wire's tensile\n"
        "strength in N/mm^2"),
    result(
        "lowerStressCoefficient", [](JsonWriter& j, R r) { writeNumber(j, r.coefficients.lower); },
        kJoin),
    worded(
        "lifeText",
        [](JsonWriter& j, R r, const Wording& w) { j.string(w.lifeClass(r.design.lifeClass)); },
        "expected life of the coil in load cycles (\"万\" = 10,000)"),
    worded("checks", writeChecks, "the design-rule lines"),
    worded("recommendations", writeRecommendations, "the recommended-value labels"),
    Field{"hookType", FieldType::HookType, 0,
          [](JsonWriter& j, R r) { j.string(hookTypeName(r.hookType)); },
          "\"round\" (default) or \"u\"", "the hook type the results below are for"},
    result(
        "hookBendingFactor", [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookBendingFactor); },
        "K1, stress factor of the hook loop (curved beam)"),
    result(
        "hookTorsionFactor", [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookTorsionFactor); },
        "K2, stress factor of the bend out of the coil"),
    result(
        "hookBendingStress1",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookBendingStress1); },
        "bending stress in the hook loop at P1 and P2, kgf/mm^2 (P1: the larger of\n"
        "initialTension and load1)"),
    result(
        "hookBendingStress2",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookBendingStress2); }, kJoin),
    result(
        "hookTorsionStress1",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookTorsionStress1); },
        "torsional stress in the hook's bend at P1 and P2, kgf/mm^2; judged\n"
        "against allowableStress"),
    result(
        "hookTorsionStress2",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookTorsionStress2); }, kJoin),
    result(
        "hookBendingAllowable",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookBendingAllowable); },
        "allowable bending stress of the hook, kgf/mm^2"),
    result(
        "hookUpperStressCoefficient",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookCoefficients.upper); },
        "hookTorsionStress2 × 9.8 / σB and hookTorsionStress1 × 9.8 / σB"),
    result(
        "hookLowerStressCoefficient",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookCoefficients.lower); }, kJoin),
    result(
        "hookLifeClass", [](JsonWriter& j, R r) { writeLifeClass(j, r.extras.hookLifeClass); },
        "expected life of the hook, class 0..8 and text: the shorter of its\n"
        "torsion life (the fatigue diagram at the hook's coefficients) and its\n"
        "bending life (hookBendingLifeClass)"),
    worded(
        "hookLifeText",
        [](JsonWriter& j, R r, const Wording& w) { writeLifeText(j, r.extras.hookLifeClass, w); },
        kJoin),
    result(
        "springLifeClass", [](JsonWriter& j, R r) { writeLifeClass(j, r.extras.springLifeClass); },
        "expected life of the spring: the shorter of coil and hook"),
    worded(
        "springLifeText",
        [](JsonWriter& j, R r, const Wording& w) { writeLifeText(j, r.extras.springLifeClass, w); },
        kJoin),
    result(
        "naturalFrequency", [](JsonWriter& j, R r) { writeNumber(j, r.extras.naturalFrequency); },
        "natural frequency, both ends fixed, Hz"),
    result(
        "bodyMass", [](JsonWriter& j, R r) { writeNumber(j, r.extras.bodyMass); },
        "mass of the coil body of N turns, g"),
    result(
        "wireLength", [](JsonWriter& j, R r) { writeNumber(j, r.extras.wireLength); },
        "wire length along its centre line, coil body and both hooks, mm"),
    result(
        "springMass", [](JsonWriter& j, R r) { writeNumber(j, r.extras.springMass); },
        "mass of the whole wire, g"),
    result(
        "energy12", [](JsonWriter& j, R r) { writeNumber(j, r.extras.energy12); },
        "energy stored from working point 1 to 2, kgf·mm"),
    result("si", writeSi,
           "the results in SI units: springRate (N/mm); initialTension, load1, load2,\n"
           "maxLoad (N); stress1, stress2, allowableStress, hookBendingStress1,\n"
           "hookBendingStress2, hookTorsionStress1, hookTorsionStress2,\n"
           "hookBendingAllowable (N/mm^2); energy12 (N·mm)"),
    result(
        "hookBendingLifeClass",
        [](JsonWriter& j, R r) { writeLifeClass(j, r.extras.hookBendingLifeClass); },
        "expected life of the hook's bending at the loop: class 0 (\"1000万\",\n"
        "10^7 cycles), 1 (10^6), 2 (10^5) or 8 (fewer), and text. Basis: the\n"
        "maximum bending stress at a hook end at stress ratio 0 is 45, 47 and 51 %\n"
        "of σB for 10^7, 10^6 and 10^5 cycles (music wire and 302 stainless, not\n"
        "shot-peened, low-temperature heat treated; Associated Spring, Design\n"
        "Handbook), with a Goodman line from there to σB for the mean stress:\n"
        "within a class when σA2 ≤ s·σB + (1 − s)·σA1"),
    worded(
        "hookBendingLifeText",
        [](JsonWriter& j, R r, const Wording& w) {
            writeLifeText(j, r.extras.hookBendingLifeClass, w);
        },
        kJoin),
    result(
        "hookTorsionLimitLoad",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookTorsionLimitLoad); },
        "load at which the hook's torsion reaches allowableStress, kgf"),
    result(
        "hookBendingLimitLoad",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.hookBendingLimitLoad); },
        "load at which the hook's bending reaches hookBendingAllowable, kgf"),
    result(
        "maxLoadWithHooks", [](JsonWriter& j, R r) { writeNumber(j, r.extras.maxLoadWithHooks); },
        "the smallest of maxLoad (the coil), hookTorsionLimitLoad and\n"
        "hookBendingLimitLoad, kgf; null when any of them is"),
    result(
        "maxLengthWithHooks",
        [](JsonWriter& j, R r) { writeNumber(j, r.extras.maxLengthWithHooks); },
        "length at maxLoadWithHooks, freeLength + (maxLoadWithHooks − initialTension)\n"
        "/ springRate, mm; null when the limit lies below the initial tension"),
    result(
        "governingPart",
        [](JsonWriter& j, R r) {
            if (r.extras.governingPart)
                j.string(governingPartName(*r.extras.governingPart));
            else
                j.null();
        },
        "the part that sets maxLoadWithHooks: \"coil\", \"hookTorsion\" or\n"
        "\"hookBending\""),
    worded(
        "hookChecks",
        [](JsonWriter& j, R r, const Wording& w) {
            j.beginArray();
            for (const HookCheck& check : r.hookChecks)
                j.string(w.hookProblem(check.problem));
            j.endArray();
        },
        "the warnings beside the design-rule lines (hook stresses over their\n"
        "allowables, a U hook's bend radius below 1.5·d or a U hook that cannot be\n"
        "formed, an initial tension below 0 or outside the recommended range, a hook\n"
        "angle outside 60..90°); empty when there are none"),
    Field{"toleranceGrade", FieldType::ToleranceGrade, 0,
          [](JsonWriter& j, R r) { j.integer(r.tolerances.grade); },
          "production tolerance grade of JIS B 2704-3 (cold-formed extension\n"
          "springs): 1, 2 (default) or 3; 0: none",
          "the tolerance grade the next two keys are for"},
    result("tolerances", writeTolerances,
           "what a maker may deliver at that grade, each ±: grade; load1, load2\n"
           "(kgf, ±(Pi·α + (P − Pi)·β), from 3 active turns); springRate (kgf/mm);\n"
           "freeLength (mm, a reference value once loads are given; D/d 3..22);\n"
           "outerDiameter (mm, D/d 4..22); null where the grade gives none"),
    worded(
        "toleranceChecks",
        [](JsonWriter& j, R r, const Wording& w) {
            j.beginArray();
            for (const ToleranceBreach& breach : r.toleranceChecks)
                j.string(w.toleranceBreach(breach));
            j.endArray();
        },
        "\"警告:\" lines for the conditions of specifying a load: its deflection\n"
        "L − L0 between 20 % and 80 % of the deflection at maxLengthWithHooks, and\n"
        "at least 4 mm"),
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

// Reads the value of one record field. Returns why the value does not fit, or "" when it was
// stored; the value is consumed either way.
std::string readField(JsonReader& reader, SpringDesign& design, const Field& field) {
    const std::string name(field.name);
    const JsonReader::Kind kind = reader.peek();
    const bool isNumber = kind == JsonReader::Kind::Number;
    switch (field.type) {
    case FieldType::HookType:
    case FieldType::ToleranceGrade:
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
    default:
        break;
    }
    return name + ": expected 0, 1, true or false";
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
    const std::string error =
        std::string(kFields[kHookTypeField].name) + ": expected \"round\" or \"u\"";
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
    const std::string error = "toleranceGrade: expected 0, 1, 2 or 3";
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
                       GivenKeys& given) {
    const Field* field = findField(key);
    if (!field || field->type == FieldType::Result) {
        reader.skipValue();
        return field || key == kRankKey || key == kSearchKey ? std::string()
                                                             : "unknown key \"" + key + "\"";
    }
    const std::size_t index = static_cast<std::size_t>(field - kFields.data());
    if (given[index]) {
        reader.skipValue();
        return "duplicate key \"" + key + "\"";
    }
    given[index] = true;
    if (field->type == FieldType::HookType)
        return readHookType(reader, request.hookType);
    if (field->type == FieldType::ToleranceGrade)
        return readToleranceGrade(reader, request.toleranceGrade);
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
// Returns why it cannot be completed, or "".
std::string completeDesign(SpringDesign& design, const GivenKeys& given,
                           const MaterialLibrary& library) {
    const MaterialRecord* material = materialAt(library, design.materialIndex);
    if (!material)
        return "materialIndex " + std::to_string(design.materialIndex) +
               " is outside the material library (0.." + std::to_string(kMaterialCount - 1) + ")";
    const bool hasWireDiameter = given[kWireDiameterField];
    const bool hasDiameterIndex = given[kDiameterIndexField];
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
    GivenKeys given;
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

void appendDesignErrorJson(std::string& out, std::string_view message) {
    JsonWriter json(out);
    json.beginObject();
    json.key("error");
    json.string(message);
    json.endObject();
}

} // namespace hspring

namespace hspring {

namespace {

constexpr std::size_t kHelpColumn = 23;

// One key's or one group's entry: two spaces and the names, the help from kHelpColumn (on the
// next line when the names reach it), each further help line indented to it.
void appendHelpEntry(std::string& out, std::string_view names, std::string_view help) {
    out += "  ";
    out += names;
    const std::size_t width = 2 + names.size();
    if (width < kHelpColumn)
        out.append(kHelpColumn - width, ' ');
    else
        out.append("\n").append(kHelpColumn, ' ');
    for (std::size_t start = 0;;) {
        const std::size_t end = help.find('\n', start);
        out += help.substr(start, end - start);
        out += '\n';
        if (end == std::string_view::npos)
            break;
        out.append(kHelpColumn, ' ');
        start = end + 1;
    }
}

// The entries of the keys in [from, to) that have a help line of the section `helpOf` picks; a
// key whose line is kJoin goes onto the line of the key before it.
template <class HelpOf>
void appendHelpSection(std::string& out, std::size_t from, std::size_t to, HelpOf helpOf) {
    for (std::size_t i = from; i < to;) {
        const std::string_view help = helpOf(kFields[i]);
        if (help.empty() || help == kJoin) {
            ++i;
            continue;
        }
        std::string names(kFields[i].name);
        for (++i; i < to && helpOf(kFields[i]) == kJoin; ++i)
            names.append(", ").append(kFields[i].name);
        appendHelpEntry(out, names, help);
    }
}

std::string buildDesignKeysHelp() {
    std::size_t firstResult = 0;
    while (firstResult < kFields.size() && kFields[firstResult].type != FieldType::HookType &&
           kFields[firstResult].type != FieldType::Result)
        ++firstResult;
    const auto input = [](const Field& field) { return field.inputHelp; };
    const auto output = [](const Field& field) { return field.outputHelp; };
    std::string out =
        "Input keys of a design (each may be left out; a missing key takes the start value):\n";
    appendHelpSection(out, 0, kFields.size(), input);
    out +=
        "  Every output key below is accepted as well: the record fields the calculation fills\n"
        "  in are replaced by it and every other output key is ignored, so that an answer can\n"
        "  be read again.\n"
        "\n"
        "Output keys of each design, in this order (null: the value is missing). First the record\n"
        "fields as read, with what the calculation fills in:\n";
    appendHelpSection(out, 0, firstResult, output);
    out += "Then the other results:\n";
    appendHelpSection(out, firstResult, kFields.size(), output);
    out +=
        "A design that cannot be read or calculated is answered with {\"error\": message} in its "
        "place.\n";
    // The limits the help names, each from its constant.
    const TextValue limits[] = {
        {"lastMaterial", std::to_string(kMaterialCount - 1)},
        {"shortestLife", std::to_string(kShortestLifeClass)},
    };
    return filledIn(out, limits);
}

} // namespace

const std::string& designJsonKeysHelp() {
    static const std::string help = buildDesignKeysHelp();
    return help;
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
