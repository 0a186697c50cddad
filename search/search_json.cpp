// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_json.h"

#include "base/error.h"
#include "base/json_reader.h"
#include "base/json_writer.h"
#include "base/number_format.h"
#include "calc/design_json.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <set>

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

// Every key of a requirement, once: its name, its unit, what it means (continuation lines after
// "\n") and how it is read. The reader and the help text come from this table alone.
struct RequirementKey {
    std::string_view name;
    std::string_view unit;
    std::string_view help;
    std::string (*read)(ValueReader&, DesignRequirement&);
    bool required = false;
};
constexpr RequirementKey kRequirementKeys[] = {
    {"length1", "mm", "the first working length L1 (required)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.length1); }, true},
    {"load1", "kgf", "the load P1 at L1 (required)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.load1); }, true},
    {"length2", "mm", "the second working length L2 > L1 (required)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.length2); }, true},
    {"load2", "kgf", "the load P2 > P1 > 0 at L2 (required)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.load2); }, true},
    {"loadTolerance", "%",
     "how far each load may lie from its target (default 10; above 0 and\nbelow 100)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.loadTolerance); }},
    {"toleranceGrade", "",
     "production tolerance grade of JIS B 2704-3, 1..3 (default 2): each\n"
     "load with its production tolerance must stay within loadTolerance; 0:\n"
     "the nominal loads alone",
     [](ValueReader& in, DesignRequirement& r) { return in.integer(r.toleranceGrade); }},
    {"maxOuterDiameter", "mm", "largest outer coil diameter Do (default, null: none)",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.maxOuterDiameter); }},
    {"minInnerDiameter", "mm", "smallest inner coil diameter Di (default, null: none)",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.minInnerDiameter); }},
    {"maxFreeLength", "mm", "largest free length L0 (default, null: none)",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.maxFreeLength); }},
    {"requiredLifeClass", "",
     "the coil's and the hook's expected-life class must be at most this:\n"
     "0 \"1000万\" (the longest) .. 8 \"1万以下\" (default, null: none)",
     [](ValueReader& in, DesignRequirement& r) { return in.optionalInteger(r.requiredLifeClass); }},
    {"materials", "", "material record indices to try, an array (default: see kinds)",
     [](ValueReader& in, DesignRequirement& r) { return in.indices(r.materials); }},
    {"kinds", "",
     "material kinds to try when materials is not given, an array of 0..9\n"
     "(default: every material of the material lists)",
     [](ValueReader& in, DesignRequirement& r) { return in.indices(r.kinds); }},
    {"lowTempAnnealed", "", "true or 1: low-temperature annealed after coiling (default false)",
     [](ValueReader& in, DesignRequirement& r) { return in.flag(r.lowTempAnnealed); }},
    {"hookType", "", "\"round\" (default) or \"u\"", readHookType},
    {"hookAngle", "degrees", "round hook: hook angle (default 80)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookAngle); }},
    {"hookLength", "mm", "U hook: hook length (default 10)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookLength); }},
    {"hookOpening", "mm", "U hook: opening between the cut end and the coil (default 3)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookOpening); }},
    {"hookMinRadius", "mm", "U hook: inner radius of the bend out of the coil (default 3)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookMinRadius); }},
    {"diameterStep", "mm",
     "the mean coil diameters tried are the whole multiples of this\n(default 0.1; 0.001 .. 100)",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.diameterStep); }},
    {"objective", "",
     "\"mass\" (default): the lightest first; \"life\": the longest spring life\n"
     "first, then the lightest; \"margin\": the largest smallest margin of the\n"
     "coil, hook-torsion and hook-bending stresses at the top of P2's\n"
     "tolerance band first; \"accuracy\": the smallest worst-case deviation\n"
     "of the loads first, then the lightest",
     readObjective},
    {"count", "", "how many candidates to return (default 20; 1 .. 1000)",
     [](ValueReader& in, DesignRequirement& r) { return in.integer(r.count); }},
};

const RequirementKey* findKey(std::string_view name) {
    for (const RequirementKey& key : kRequirementKeys)
        if (key.name == name)
            return &key;
    return nullptr;
}

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
    std::set<std::string> given;
    std::string name;
    while (reader.nextMember(name)) {
        if (!request.error.empty()) {
            reader.skipValue(); // the first fault stands; the rest is still checked as JSON
            continue;
        }
        const RequirementKey* key = findKey(name);
        if (!given.insert(name).second) {
            reader.skipValue();
            request.error = "duplicate key \"" + name + "\"";
        } else if (!key) {
            reader.skipValue();
            request.error = "unknown key \"" + name + "\"";
        } else {
            ValueReader in(reader, key->name);
            request.error = key->read(in, request.requirement);
        }
    }
    for (const RequirementKey& key : kRequirementKeys)
        if (request.error.empty() && key.required && !given.count(std::string(key.name)))
            request.error = std::string(key.name) + ": missing";
    if (request.error.empty())
        if (const std::optional<RequirementProblem> problem =
                checkRequirement(request.requirement, library))
            request.error = requirementProblemText(*problem);
    return request;
}

// A candidate: the calc answer with its rank first, and what ranks it last.
void appendCandidateJson(std::string& out, const SearchCandidate& candidate) {
    appendDesignResultJson(out, candidate.result, candidate.rank);
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
    json.string(stressLimitName(candidate.nearestLimit));
    json.endObject();
    out += "\"search\":" + search + "}";
}

// Why nothing is feasible.
void appendExplanationJson(std::string& out, const SearchOutcome& outcome) {
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
    appendDesignResultJson(design, why.nearestMiss->result);
    json.json(design);
    json.endObject();
    json.endObject();
}

std::string numberText(double value) {
    return formatGeneral(value, 15);
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
                      const CoefficientSet& coefficients, const TextSink& write, int threads) {
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
            appendExplanationJson(out, outcome);
        } else {
            out += "[\n";
            for (const SearchCandidate& candidate : outcome.candidates) {
                if (candidate.rank > 1)
                    out += ",\n";
                appendCandidateJson(out, candidate);
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

std::string requirementJsonKeysHelp() {
    std::string help = "Keys of a requirement (lengths in mm, loads in kgf):\n";
    constexpr std::size_t kHelpColumn = 23;
    for (const RequirementKey& key : kRequirementKeys) {
        std::string line = "  " + std::string(key.name);
        if (!key.unit.empty())
            line += " (" + std::string(key.unit) + ")";
        line += line.size() + 1 < kHelpColumn ? std::string(kHelpColumn - line.size(), ' ')
                                              : "\n" + std::string(kHelpColumn, ' ');
        std::string_view text = key.help;
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
