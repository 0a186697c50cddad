// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_json.h"

#include "base/error.h"
#include "base/json_reader.h"
#include "base/json_writer.h"
#include "calc/design_json.h"
#include "calc/wording.h"

#include <bitset>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace hspring {

namespace {

// What a read returns: why the value does not fit, or nothing when it was taken.
using Fault = std::optional<Error>;

// Reads the value of one member; the value is consumed either way.
class ValueReader {
public:
    ValueReader(JsonReader& reader, std::string_view key) : reader_(reader), key_(key) {}

    Fault number(double& value);
    Fault limit(std::optional<double>& value);
    Fault integer(int& value);
    Fault optionalInteger(std::optional<int>& value);
    Fault indices(std::vector<int>& values);
    Fault flag(bool& value);
    Fault text(std::string& value);
    Fault fault(Problem expected) const { return fieldError(expected, key_); }

private:
    Fault skip(Problem expected) {
        reader_.skipValue();
        return fault(expected);
    }

    JsonReader& reader_;
    std::string_view key_;
};

Fault ValueReader::number(double& value) {
    if (reader_.peek() != JsonReader::Kind::Number)
        return skip(Problem::ExpectedNumber);
    value = reader_.readNumber();
    return {};
}

Fault ValueReader::limit(std::optional<double>& value) {
    if (reader_.peek() == JsonReader::Kind::Null) {
        reader_.readNull();
        value.reset();
        return {};
    }
    double read = 0;
    Fault error = number(read);
    if (!error)
        value = read;
    return error;
}

// An integer within int32.
Fault ValueReader::integer(int& value) {
    if (reader_.peek() != JsonReader::Kind::Number)
        return skip(Problem::ExpectedInteger);
    const double read = reader_.readNumber();
    if (!(read >= std::numeric_limits<std::int32_t>::min() &&
          read <= std::numeric_limits<std::int32_t>::max() && std::trunc(read) == read))
        return fault(Problem::ExpectedInteger);
    value = static_cast<int>(read);
    return {};
}

Fault ValueReader::optionalInteger(std::optional<int>& value) {
    if (reader_.peek() == JsonReader::Kind::Null) {
        reader_.readNull();
        value.reset();
        return {};
    }
    int read = 0;
    Fault error = integer(read);
    if (!error)
        value = read;
    return error;
}

Fault ValueReader::indices(std::vector<int>& values) {
    if (reader_.peek() != JsonReader::Kind::Array)
        return skip(Problem::ExpectedIntegerArray);
    values.clear();
    reader_.enterArray();
    Fault error;
    while (reader_.nextElement()) {
        int value = 0;
        if (error) {
            reader_.skipValue();
            continue;
        }
        error = integer(value);
        if (!error)
            values.push_back(value);
        else
            error = fault(Problem::ExpectedIntegerArray);
    }
    return error;
}

Fault ValueReader::flag(bool& value) {
    if (reader_.peek() == JsonReader::Kind::Boolean) {
        value = reader_.readBoolean();
        return {};
    }
    if (reader_.peek() != JsonReader::Kind::Number)
        return skip(Problem::ExpectedFlag);
    const double read = reader_.readNumber();
    if (read != 0 && read != 1)
        return fault(Problem::ExpectedFlag);
    value = read == 1;
    return {};
}

Fault ValueReader::text(std::string& value) {
    if (reader_.peek() != JsonReader::Kind::String)
        return skip(Problem::ExpectedText);
    value = reader_.readString();
    return {};
}

Fault readHookType(ValueReader& in, DesignRequirement& r) {
    std::string name;
    Fault error = in.text(name);
    if (error)
        return error;
    const std::optional<HookType> type = hookTypeFromName(name);
    if (!type)
        return in.fault(Problem::ExpectedHookType);
    r.hookType = *type;
    return {};
}

Fault readDesignBasis(ValueReader& in, DesignRequirement& r) {
    std::string name;
    Fault error = in.text(name);
    if (error)
        return error;
    const std::optional<DesignBasis> basis = designBasisFromName(name);
    if (!basis)
        return in.fault(Problem::ExpectedDesignBasis);
    r.designBasis = *basis;
    return {};
}

Fault readObjective(ValueReader& in, DesignRequirement& r) {
    std::string name;
    Fault error = in.text(name);
    if (error)
        return error;
    const std::optional<SearchObjective> objective = searchObjectiveFromName(name);
    if (!objective)
        return in.fault(Problem::ExpectedObjective);
    r.objective = *objective;
    return {};
}

// How each key of a requirement is read, in the order of RequirementKey, whose names they take:
// the unit of its value (kgf units; "" for none), how it is read and whether it must be given.
// The reader reads this table alone; the tool's help names the units from it.
struct KeyReading {
    RequirementKey key;
    std::string_view unit;
    Fault (*read)(ValueReader&, DesignRequirement&);
    bool required = false;
};
using K = RequirementKey;
constexpr KeyReading kKeyReadings[] = {
    {K::Length1, "mm", [](ValueReader& in, DesignRequirement& r) { return in.number(r.length1); },
     true},
    {K::Load1, "kgf", [](ValueReader& in, DesignRequirement& r) { return in.number(r.load1); },
     true},
    {K::Length2, "mm", [](ValueReader& in, DesignRequirement& r) { return in.number(r.length2); },
     true},
    {K::Load2, "kgf", [](ValueReader& in, DesignRequirement& r) { return in.number(r.load2); },
     true},
    {K::LoadTolerance, "%",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.loadTolerance); }},
    {K::ToleranceGrade, "",
     [](ValueReader& in, DesignRequirement& r) { return in.integer(r.toleranceGrade); }},
    {K::MaxOuterDiameter, "mm",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.maxOuterDiameter); }},
    {K::MinInnerDiameter, "mm",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.minInnerDiameter); }},
    {K::MaxFreeLength, "mm",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.maxFreeLength); }},
    {K::RequiredLifeClass, "",
     [](ValueReader& in, DesignRequirement& r) { return in.optionalInteger(r.requiredLifeClass); }},
    {K::Materials, "",
     [](ValueReader& in, DesignRequirement& r) { return in.indices(r.materials); }},
    {K::Kinds, "", [](ValueReader& in, DesignRequirement& r) { return in.indices(r.kinds); }},
    {K::LowTempAnnealed, "",
     [](ValueReader& in, DesignRequirement& r) { return in.flag(r.lowTempAnnealed); }},
    {K::HookType, "", readHookType},
    {K::HookAngle, "degrees",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookAngle); }},
    {K::HookLength, "mm",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookLength); }},
    {K::HookOpening, "mm",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookOpening); }},
    {K::HookMinRadius, "mm",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.hookMinRadius); }},
    {K::HookBendRadius, "mm",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.hookBendRadius); }},
    {K::HookLoopRadius, "mm",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.hookLoopRadius); }},
    {K::OperatingFrequency, "Hz",
     [](ValueReader& in, DesignRequirement& r) { return in.limit(r.operatingFrequency); }},
    {K::DesignBasis, "", readDesignBasis},
    {K::DiameterStep, "mm",
     [](ValueReader& in, DesignRequirement& r) { return in.number(r.diameterStep); }},
    {K::Objective, "", readObjective},
    {K::Count, "", [](ValueReader& in, DesignRequirement& r) { return in.integer(r.count); }},

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
        request.error = Error(Problem::NotARequirementObject);
        return request;
    }
    reader.enterObject();
    // An unknown key fails at once, so only the known ones need remembering.
    std::bitset<kRequirementKeyCount> given;
    std::string name;
    while (reader.nextMember(name)) {
        if (request.error) {
            reader.skipValue(); // the first fault stands; the rest is still checked as JSON
            continue;
        }
        const std::optional<RequirementKey> key = requirementKeyFromName(name);
        const std::size_t index = key ? static_cast<std::size_t>(*key) : 0;
        if (key && given[index]) {
            reader.skipValue();
            request.error = fieldError(Problem::DuplicateKey, name);
        } else if (!key) {
            reader.skipValue();
            request.error = fieldError(Problem::UnknownKey, name);
        } else {
            given[index] = true;
            ValueReader in(reader, requirementKeyName(*key));
            request.error = kKeyReadings[index].read(in, request.requirement);
        }
    }
    for (const KeyReading& reading : kKeyReadings)
        if (!request.error && reading.required && !given[static_cast<std::size_t>(reading.key)])
            request.error = fieldError(Problem::MissingKey, requirementKeyName(reading.key));
    if (!request.error)
        request.rejected = checkRequirement(request.requirement, library);
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

} // namespace

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
        requests.requirements.push_back(RequirementRequest{{}, error, std::nullopt});
    }
    return requests;
}

int searchDesignsJson(std::string_view input, const MaterialLibrary& library,
                      const CoefficientSet& coefficients, const Wording& words,
                      const RequirementWording& problems, const TextSink& write, int threads) {
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
        std::optional<Error> error = request.error;
        SearchOutcome outcome;
        if (!request.failed()) {
            try {
                outcome = searchDesigns(request.requirement, library, coefficients, control);
            } catch (const Error& fault) {
                error = fault;
            }
        }
        if (request.rejected) {
            JsonWriter json(out);
            json.beginObject();
            json.key("error");
            json.string(problems.requirementProblem(*request.rejected));
            json.endObject();
            ++failed;
        } else if (error) {
            appendDesignErrorJson(out, *error, problems);
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

std::string_view requirementKeyUnit(RequirementKey key) {
    return kKeyReadings[static_cast<std::size_t>(key)].unit;
}

} // namespace hspring
