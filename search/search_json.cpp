// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_json.h"

#include "base/error.h"
#include "base/json_reader.h"
#include "base/json_writer.h"
#include "base/number_format.h"
#include "base/text_fill.h"
#include "calc/design_json.h"
#include "calc/wording.h"
#include "calc/wording.h"

#include <bitset>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace hspring {

namespace {

// Reads the value of one member. Each read returns why the value does not fit, or "" when it was
// taken; the value is consumed either way.
class ValueReader {
public:
    ValueReader(JsonReader& reader, std::string_view key) : reader_(reader), key_(key) {}

    std::string number(double& value);
    std::string limit(std::optional<double>& value);
    std::string integer(int& value);
    std::string optionalInteger(std::optional<int>& value);
    std::string indices(std::vector<int>& values);
    std::string flag(bool& value);
    std::string text(std::string& value);

private:
    std::string fault(std::string_view expected) {
        return std::string(key_) + ": expected " + std::string(expected);
    }
    std::string skip(std::string_view expected) {
        reader_.skipValue();
        return fault(expected);
    }

    JsonReader& reader_;
    std::string_view key_;
};

std::string ValueReader::number(double& value) {
    if (reader_.peek() != JsonReader::Kind::Number)
        return skip("a number");
    value = reader_.readNumber();
    return {};
}

std::string ValueReader::limit(std::optional<double>& value) {
    if (reader_.peek() == JsonReader::Kind::Null) {
        reader_.readNull();
        value.reset();
        return {};
    }
    double read = 0;
    std::string error = number(read);
    if (error.empty())
        value = read;
    return error;
}

// An integer within int32.
std::string ValueReader::integer(int& value) {
    if (reader_.peek() != JsonReader::Kind::Number)
        return skip("an integer");
    const double read = reader_.readNumber();
    if (!(read >= std::numeric_limits<std::int32_t>::min() &&
          read <= std::numeric_limits<std::int32_t>::max() && std::trunc(read) == read))
        return fault("an integer");
    value = static_cast<int>(read);
    return {};
}

std::string ValueReader::optionalInteger(std::optional<int>& value) {
    if (reader_.peek() == JsonReader::Kind::Null) {
        reader_.readNull();
        value.reset();
        return {};
    }
    int read = 0;
    std::string error = integer(read);
    if (error.empty())
        value = read;
    return error;
}

std::string ValueReader::indices(std::vector<int>& values) {
    if (reader_.peek() != JsonReader::Kind::Array)
        return skip("an array of integers");
    values.clear();
    reader_.enterArray();
    std::string error;
    while (reader_.nextElement()) {
        int value = 0;
        if (!error.empty()) {
            reader_.skipValue();
            continue;
        }
        error = integer(value);
        if (error.empty())
            values.push_back(value);
        else
            error = fault("an array of integers");
    }
    return error;
}

std::string ValueReader::flag(bool& value) {
    if (reader_.peek() == JsonReader::Kind::Boolean) {
        value = reader_.readBoolean();
        return {};
    }
    if (reader_.peek() != JsonReader::Kind::Number)
        return skip("0, 1, true or false");
    const double read = reader_.readNumber();
    if (read != 0 && read != 1)
        return fault("0, 1, true or false");
    value = read == 1;
    return {};
}

std::string ValueReader::text(std::string& value) {
    if (reader_.peek() != JsonReader::Kind::String)
        return skip("a text");
    value = reader_.readString();
    return {};
}

std::string readHookType(ValueReader& in, DesignRequirement& r) {
    std::string name;
    std::string error = in.text(name);
    if (!error.empty())
        return error;
    const std::optional<HookType> type = hookTypeFromName(name);
    if (!type)
        return "hookType: expected \"round\" or \"u\"";
    r.hookType = *type;
    return {};
}

std::string readObjective(ValueReader& in, DesignRequirement& r) {
    std::string name;
    std::string error = in.text(name);
    if (!error.empty())
        return error;
    const std::optional<SearchObjective> objective = searchObjectiveFromName(name);
    if (!objective)
        return "objective: expected \"mass\", \"life\", \"margin\" or \"accuracy\"";
    r.objective = *objective;
    return {};
}

// How each key of a requirement is read and what it means, in the order of RequirementKey, whose
// names they take: its unit, its help (continuation lines after "\n"; a "{name}" in it stands for
// the default or limit requirementJsonKeysHelp fills in from DesignRequirement and the limits)
// and how it is read. The reader and the help text come from this table alone.
struct KeyReading {
    RequirementKey key;
    std::string_view unit;
    std::string_view help;
    std::string (*read)(ValueReader&, DesignRequirement&);
    bool required = false;
};
using K = RequirementKey;
constexpr KeyReading kKeyReadings[] = {
    {K::Length1, "mm", "the first working length L1 (required)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.length1); }, true},
    {K::Load1, "kgf", "the load P1 at L1 (required)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.load1); }, true},
    {K::Length2, "mm", "the second working length L2 > L1 (required)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.length2); }, true},
    {K::Load2, "kgf", "the load P2 > P1 > 0 at L2 (required)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.load2); }, true},
    {K::LoadTolerance, "%",
     "how far each load may lie from its target (default {loadTolerance}; above 0 and\nbelow 100)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.loadTolerance); }},
    {K::ToleranceGrade, "",
     "production tolerance grade of JIS B 2704-3, 1..{lastGrade} (default {toleranceGrade}): each\n"
     "load with its production tolerance must stay within loadTolerance; {noGrade}:\n"
     "the nominal loads alone",
     [](ValueReader& in, DesignRequirement& r) { return in.integer(r.toleranceGrade); }},
    {K::MaxOuterDiameter, "mm", "largest outer coil diameter Do (default, null: none)",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.maxOuterDiameter); }},
    {K::MinInnerDiameter, "mm", "smallest inner coil diameter Di (default, null: none)",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.minInnerDiameter); }},
    {K::MaxFreeLength, "mm", "largest free length L0 (default, null: none)",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.maxFreeLength); }},
    {K::RequiredLifeClass, "",
     "the coil's and the hook's expected-life class must be at most this:\n"
     "0 \"{longestLife}\" (the longest) .. {lastLifeClass} \"{lastLife}\" (default, null: none)",
     [](ValueReader& in, DesignRequirement& r) { return in.optionalInteger(r.requiredLifeClass); }},
    {K::Materials, "", "material record indices to try, an array (default: see kinds)",
     [](ValueReader& in, DesignRequirement& r) { return in.indices(r.materials); }},
    {K::Kinds, "",
     "material kinds to try when materials is not given, an array of 0..{lastKind}\n"
     "(default: every material of the material lists)",
     [](ValueReader& in, DesignRequirement& r) { return in.indices(r.kinds); }},
    {K::LowTempAnnealed, "",
     "true or 1: low-temperature annealed after coiling (default {lowTempAnnealed})",
     [](ValueReader& in, DesignRequirement& r) { return in.flag(r.lowTempAnnealed); }},
    {K::HookType, "", "{hookTypes}", readHookType},
    {K::HookAngle, "degrees", "round hook: hook angle (default {hookAngle})",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookAngle); }},
    {K::HookLength, "mm", "U hook: hook length (default {hookLength})",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookLength); }},
    {K::HookOpening, "mm",
     "U hook: opening between the cut end and the coil (default {hookOpening})",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookOpening); }},
    {K::HookMinRadius, "mm",
     "U hook: inner radius of the bend out of the coil (default {hookMinRadius})",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookMinRadius); }},
    {K::DiameterStep, "mm",
     "the mean coil diameters tried are the whole multiples of this\n"
     "(default {diameterStep}; {minStep} .. {maxStep})",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.diameterStep); }},
    {K::Objective, "", "{objectives}", readObjective},
    {K::Count, "", "how many candidates to return (default {count}; 1 .. {maxCount})",
     [](ValueReader& in, DesignRequirement& r) { return in.integer(r.count); }},
};
static_assert(std::size(kKeyReadings) == kRequirementKeyCount);
static_assert(
    [] {
        for (std::size_t i = 0; i < kRequirementKeyCount; ++i)
            if (kKeyReadings[i].key != static_cast<RequirementKey>(i))
                return false;
        return true;
    }(),
    "the readings follow RequirementKey");

// Reads one element of the input: a requirement object, or something that fails as one. A syntax
// error is thrown.
RequirementRequest readRequirement(JsonReader& reader, const MaterialLibrary& library) {
    RequirementRequest request;
    if (reader.peek() != JsonReader::Kind::Object) {
        reader.skipValue();
        request.error = "expected a requirement object";
        return request;
    }
    reader.enterObject();
    // An unknown key fails at once, so only the known ones need remembering.
    std::bitset<kRequirementKeyCount> given;
    std::string name;
    while (reader.nextMember(name)) {
        if (!request.error.empty()) {
            reader.skipValue(); // the first fault stands; the rest is still checked as JSON
            continue;
        }
        const std::optional<RequirementKey> key = requirementKeyFromName(name);
        const std::size_t index = key ? static_cast<std::size_t>(*key) : 0;
        if (key && given[index]) {
            reader.skipValue();
            request.error = "duplicate key \"" + name + "\"";
        } else if (!key) {
            reader.skipValue();
            request.error = "unknown key \"" + name + "\"";
        } else {
            given[index] = true;
            ValueReader in(reader, requirementKeyName(*key));
            request.error = kKeyReadings[index].read(in, request.requirement);
        }
    }
    for (const KeyReading& reading : kKeyReadings)
        if (request.error.empty() && reading.required &&
            !given[static_cast<std::size_t>(reading.key)])
            request.error = std::string(requirementKeyName(reading.key)) + ": missing";
    if (request.error.empty())
        if (const std::optional<RequirementProblem> problem =
                checkRequirement(request.requirement, library))
            request.error = requirementProblemText(*problem);
    return request;
}

// A candidate: the calc answer with its rank first, and what ranks it last.
void appendCandidateJson(std::string& out, const SearchCandidate& candidate, const Wording& words) {
    appendDesignResultJson(out, candidate.result, words, candidate.rank);
    out.pop_back(); // the answer's closing brace: the search's member goes inside
    out += ',';
    std::string search;
    JsonWriter json(search);
    json.beginObject();
    json.key("worstDeviation1");
    json.number(candidate.worstDeviation1);
    json.key("worstDeviation2");
    json.number(candidate.worstDeviation2);
    json.key("coilStressUse");
    json.number(candidate.coilStressUse);
    json.key("hookStressUse");
    json.number(candidate.hookStressUse);
    json.key("nearestLimit");
    json.string(governingPartName(candidate.nearestLimit));
    json.endObject();
    out += "\"search\":" + search + "}";
}

// Why nothing is feasible.
void appendExplanationJson(std::string& out, const SearchOutcome& outcome, const Wording& words) {
    const SearchExplanation& why = *outcome.explanation;
    JsonWriter json(out);
    json.beginObject();
    json.key("calculated");
    json.integer(static_cast<std::int64_t>(outcome.calculated));
    json.key("rejected");
    json.beginObject();
    for (int c = 0; c < kSearchConstraintCount; ++c) {
        json.key(searchConstraintName(static_cast<SearchConstraint>(c)));
        json.integer(static_cast<std::int64_t>(why.rejected[static_cast<std::size_t>(c)]));
    }
    json.endObject();
    json.key("nearestMiss");
    if (!why.nearestMiss) {
        json.null();
        json.endObject();
        return;
    }
    json.beginObject();
    json.key("broken");
    json.beginArray();
    for (const SearchConstraint c : why.nearestMiss->broken)
        json.string(searchConstraintName(c));
    json.endArray();
    json.key("design");
    std::string design;
    appendDesignResultJson(design, why.nearestMiss->result, words);
    json.json(design);
    json.endObject();
    json.endObject();
}

std::string numberText(double value) {
    return formatGeneral(value, 15);
}

// What each objective ranks first, in the order of SearchObjective.
constexpr std::string_view kObjectiveHelp[] = {
    "the lightest first",
    "the longest spring life\nfirst, then the lightest",
    "the largest smallest margin of the\n"
    "coil, hook-torsion and hook-bending stresses at the top of P2's\n"
    "tolerance band first",
    "the smallest worst-case deviation\nof the loads first, then the lightest",
};

// The choices of a key, each quoted, the default marked.
template <class Choice, std::size_t count>
std::string choicesHelp(const Choice (&choices)[count], Choice chosen,
                        std::string_view (*name)(Choice), std::string_view separator,
                        const std::string_view* explanations = nullptr) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            text += separator;
        text += "\"" + std::string(name(choices[i])) + "\"";
        if (choices[i] == chosen)
            text += " (default)";
        if (explanations)
            text += ": " + std::string(explanations[i]);
    }
    return text;
}

} // namespace

std::string requirementProblemText(const RequirementProblem& p) {
    const std::string field(p.field);
    switch (p.code) {
    case RequirementProblemCode::NotANumber:
        return field + ": expected a finite number";
    case RequirementProblemCode::NotAboveZero:
        return field + " must be above 0";
    case RequirementProblemCode::Length1NotBelowLength2:
        return "length1 must be below length2";
    case RequirementProblemCode::Load1NotBelowLoad2:
        return "load1 must be below load2";
    case RequirementProblemCode::ToleranceOutOfRange:
        return "loadTolerance must lie above 0 and below 100 (per cent)";
    case RequirementProblemCode::GradeOutOfRange:
        return "toleranceGrade must be 0, 1, 2 or 3";
    case RequirementProblemCode::LifeClassOutOfRange:
        return "requiredLifeClass must lie within 0.." + std::to_string(kMaxRequiredLifeClass);
    case RequirementProblemCode::StepOutOfRange:
        return "diameterStep must lie within " + numberText(kMinDiameterStep) + ".." +
               numberText(kMaxDiameterStep) + " mm";
    case RequirementProblemCode::CountOutOfRange:
        return "count must lie within 1.." + std::to_string(kMaxCandidateCount);
    case RequirementProblemCode::MaterialNotListed:
        return "materials: " + std::to_string(p.value) + " is not a material of the lists";
    case RequirementProblemCode::KindOutOfRange:
        return "kinds: " + std::to_string(p.value) + " is outside 0..9";
    case RequirementProblemCode::NoMaterial:
        return "no material of the library to search";
    case RequirementProblemCode::HookAngleNotDrawable:
        return "hookAngle must lie within 0..180 degrees: the hook cannot be drawn";
    }
    return "the requirement cannot be searched";
}

RequirementRequests readRequirementsJson(std::string_view text, const MaterialLibrary& library) {
    RequirementRequests requests;
    JsonReader reader(text);
    try {
        requests.wasArray = reader.peek() == JsonReader::Kind::Array;
        if (requests.wasArray) {
            reader.enterArray();
            while (reader.nextElement())
                requests.requirements.push_back(readRequirement(reader, library));
        } else {
            requests.requirements.push_back(readRequirement(reader, library));
        }
        reader.finish();
    } catch (const JsonSyntaxError& error) {
        requests = RequirementRequests{};
        requests.requirements.push_back(RequirementRequest{{}, error.what()});
    }
    return requests;
}

int searchDesignsJson(std::string_view input, const MaterialLibrary& library,
                      const CoefficientSet& coefficients, const Wording& words,
                      const TextSink& write, int threads) {
    const RequirementRequests requests = readRequirementsJson(input, library);
    int failed = 0;
    std::string out;
    if (requests.wasArray)
        out += "[\n";
    SearchControl control;
    control.threads = threads;
    for (std::size_t i = 0; i < requests.requirements.size(); ++i) {
        const RequirementRequest& request = requests.requirements[i];
        if (i > 0)
            out += ",\n";
        std::string error = request.error;
        SearchOutcome outcome;
        if (error.empty()) {
            try {
                outcome = searchDesigns(request.requirement, library, coefficients, control);
            } catch (const Error& fault) {
                error = fault.what();
            }
        }
        if (!error.empty()) {
            appendDesignErrorJson(out, error);
            ++failed;
        } else if (outcome.candidates.empty() && outcome.explanation) {
            appendExplanationJson(out, outcome, words);
        } else {
            out += "[\n";
            for (const SearchCandidate& candidate : outcome.candidates) {
                if (candidate.rank > 1)
                    out += ",\n";
                appendCandidateJson(out, candidate, words);
            }
            out += "\n]";
        }
        write(out);
        out.clear();
    }
    out += requests.wasArray ? "\n]\n" : "\n";
    write(out);
    return failed;
}

std::string requirementJsonKeysHelp(const Wording& wording) {
    const DesignRequirement defaults;
    constexpr HookType kHookTypes[] = {HookType::Round, HookType::U};
    constexpr SearchObjective kObjectives[] = {SearchObjective::Mass, SearchObjective::Life,
                                               SearchObjective::Margin, SearchObjective::Accuracy};
    const auto lifeText = [&wording](int lifeClass) {
        return std::string(wording.lifeClass(lifeClass));
    };
    const TextValue values[] = {
        {"loadTolerance", numberText(defaults.loadTolerance)},
        {"lastGrade", std::to_string(kToleranceGradeCount)},
        {"toleranceGrade", std::to_string(defaults.toleranceGrade)},
        {"noGrade", std::to_string(kNoToleranceGrade)},
        {"longestLife", lifeText(0)},
        {"lastLifeClass", std::to_string(kMaxRequiredLifeClass)},
        {"lastLife", lifeText(kMaxRequiredLifeClass)},
        {"lastKind", std::to_string(kKindCount - 1)},
        {"lowTempAnnealed", defaults.lowTempAnnealed ? "true" : "false"},
        {"hookTypes", choicesHelp(kHookTypes, defaults.hookType, hookTypeName, " or ")},
        {"hookAngle", numberText(defaults.hookAngle)},
        {"hookLength", numberText(defaults.hookLength)},
        {"hookOpening", numberText(defaults.hookOpening)},
        {"hookMinRadius", numberText(defaults.hookMinRadius)},
        {"diameterStep", numberText(defaults.diameterStep)},
        {"minStep", numberText(kMinDiameterStep)},
        {"maxStep", numberText(kMaxDiameterStep)},
        {"objectives",
         choicesHelp(kObjectives, defaults.objective, searchObjectiveName, "; ", kObjectiveHelp)},
        {"count", std::to_string(defaults.count)},
        {"maxCount", std::to_string(kMaxCandidateCount)},
    };
    std::string help = "Keys of a requirement (lengths in mm, loads in kgf):\n";
    constexpr std::size_t kHelpColumn = 23;
    for (const KeyReading& key : kKeyReadings) {
        std::string line = "  " + std::string(requirementKeyName(key.key));
        if (!key.unit.empty())
            line += " (" + std::string(key.unit) + ")";
        line += line.size() + 1 < kHelpColumn ? std::string(kHelpColumn - line.size(), ' ')
                                              : "\n" + std::string(kHelpColumn, ' ');
        const std::string filled = filledIn(key.help, values);
        std::string_view text = filled;
        for (std::size_t end = text.find('\n'); end != std::string_view::npos;
             end = text.find('\n')) {
            line += std::string(text.substr(0, end)) + "\n" + std::string(kHelpColumn, ' ');
            text.remove_prefix(end + 1);
        }
        help += line + std::string(text) + "\n";
    }
    help += R"(
The candidates: every material allowed, every wire diameter of its list, every mean coil
diameter D that is a whole multiple of diameterStep with 4 <= D/d <= 22, every number of total
turns N in quarter turns from 3. Each is calculated as the main window calculates it: lengths
given (L1, L2); the free length of the spring drawn with its hooks in four significant digits,
L0 = (N + 1)·d + 2·Di with round hooks and (N + 1)·d + 2·hookLength with U hooks, at most L1;
and the initial tension of four significant digits within the recommended range that centres
the loads: the larger worst-case deviation (|P − T| + ΔP)/T of the two loads smallest, ΔP the
load's production tolerance ±(Pi·α + (P − Pi)·β) of the grade (0 at grade 0). A candidate is
feasible when both loads and, at a grade, both loads ± ΔP lie within the tolerance; Pi lies
within its range; the limits given hold; the checks give "Calculation Success!"; the load at
the top of P2's band (P2 + ΔP2) is at most the coil's maxLoad, hookTorsionLimitLoad and
hookBendingLimitLoad (the last unless the material gives no bending allowable), the limits
whose smallest is maxLoadWithHooks; and the life class given holds. Ties of the objective go
by material index, wire diameter, D and N.

Each candidate is the calc command's answer for its design with "rank" (1 for the best) first
and toleranceGrade as asked; it reads back through calc as the same design. Its last key,
"search", holds what ranks it: worstDeviation1, worstDeviation2 (the worst-case relative
deviations of the loads, fractions), coilStressUse, hookStressUse (the shares of the coil's and
the hooks' limit loads used at the top of P2's band, which are the shares of their allowable
stresses) and nearestLimit ("coil", "hookTorsion" or
"hookBending": the largest share).

When no candidate is feasible the answer is an object instead of the array: calculated (the
candidates calculated), rejected (for each constraint the candidates it removed, each counted
once under the first it breaks: outerDiameter, innerDiameter, freeLength, loads,
worstCaseLoads, initialTension, designRules, coilStress, hookTorsion, hookBending, life; those
the search's bounds removed without calculating are counted under the bound's constraint) and
nearestMiss (null when nothing was calculated, else the candidate that broke the fewest
constraints: broken, the names of what it broke, and design, its calc answer).
)";
    return help;
}

} // namespace hspring
