// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/search_json.h"

#include "base/error.h"
#include "base/json_reader.h"
#include "calc/design_json.h"

#include <cmath>
#include <limits>
#include <optional>
#include <set>

namespace hspring {

namespace {

// Reads a requirement's members, one key at a time. Each read returns why the value does not fit,
// or "" when it was taken; the value is consumed either way.
class RequirementReader {
public:
    RequirementReader(JsonReader& reader, DesignRequirement& requirement)
        : reader_(reader), r_(requirement) {}

    std::string member(const std::string& key);
    std::string missingKey() const;

private:
    std::string number(const std::string& key, double& value);
    std::string limit(const std::string& key, std::optional<double>& value);
    std::string integer(const std::string& key, int& value, bool allowNull,
                        std::optional<int>* optional);
    std::string indices(const std::string& key, std::vector<int>& values);
    std::string flag(const std::string& key, bool& value);
    std::string text(const std::string& key, std::string& value);
    std::string skip(std::string message) {
        reader_.skipValue();
        return message;
    }

    JsonReader& reader_;
    DesignRequirement& r_;
    std::set<std::string> given_;
};

std::string RequirementReader::number(const std::string& key, double& value) {
    if (reader_.peek() != JsonReader::Kind::Number)
        return skip(key + ": expected a number");
    value = reader_.readNumber();
    return {};
}

std::string RequirementReader::limit(const std::string& key, std::optional<double>& value) {
    if (reader_.peek() == JsonReader::Kind::Null) {
        reader_.readNull();
        value.reset();
        return {};
    }
    double number = 0;
    std::string error = this->number(key, number);
    if (error.empty())
        value = number;
    return error;
}

// An integer within int32; null allowed only where `optional` is given.
std::string RequirementReader::integer(const std::string& key, int& value, bool allowNull,
                                       std::optional<int>* optional) {
    if (allowNull && reader_.peek() == JsonReader::Kind::Null) {
        reader_.readNull();
        optional->reset();
        return {};
    }
    if (reader_.peek() != JsonReader::Kind::Number)
        return skip(key + ": expected an integer");
    const double number = reader_.readNumber();
    if (!(number >= std::numeric_limits<std::int32_t>::min() &&
          number <= std::numeric_limits<std::int32_t>::max() && std::trunc(number) == number))
        return key + ": expected an integer";
    value = static_cast<int>(number);
    if (optional)
        *optional = value;
    return {};
}

std::string RequirementReader::indices(const std::string& key, std::vector<int>& values) {
    if (reader_.peek() != JsonReader::Kind::Array)
        return skip(key + ": expected an array of integers");
    values.clear();
    reader_.enterArray();
    std::string error;
    while (reader_.nextElement()) {
        int value = 0;
        if (!error.empty()) {
            reader_.skipValue();
            continue;
        }
        error = integer(key, value, false, nullptr);
        if (error.empty())
            values.push_back(value);
        else
            error = key + ": expected an array of integers";
    }
    return error;
}

std::string RequirementReader::flag(const std::string& key, bool& value) {
    if (reader_.peek() == JsonReader::Kind::Boolean) {
        value = reader_.readBoolean();
        return {};
    }
    if (reader_.peek() == JsonReader::Kind::Number) {
        const double number = reader_.readNumber();
        if (number == 0 || number == 1) {
            value = number == 1;
            return {};
        }
        return key + ": expected 0, 1, true or false";
    }
    return skip(key + ": expected 0, 1, true or false");
}

std::string RequirementReader::text(const std::string& key, std::string& value) {
    if (reader_.peek() != JsonReader::Kind::String)
        return skip(key + ": expected a text");
    value = reader_.readString();
    return {};
}

std::string RequirementReader::member(const std::string& key) {
    if (!given_.insert(key).second)
        return skip("duplicate key \"" + key + "\"");
    const struct {
        std::string_view key;
        double* value;
    } numbers[] = {
        {"length1", &r_.length1},
        {"load1", &r_.load1},
        {"length2", &r_.length2},
        {"load2", &r_.load2},
        {"loadTolerance", &r_.loadTolerance},
        {"hookAngle", &r_.hookAngle},
        {"hookLength", &r_.hookLength},
        {"hookOpening", &r_.hookOpening},
        {"hookMinRadius", &r_.hookMinRadius},
        {"diameterStep", &r_.diameterStep},
    };
    for (const auto& entry : numbers)
        if (entry.key == key)
            return number(key, *entry.value);
    if (key == "maxOuterDiameter")
        return limit(key, r_.maxOuterDiameter);
    if (key == "minInnerDiameter")
        return limit(key, r_.minInnerDiameter);
    if (key == "maxFreeLength")
        return limit(key, r_.maxFreeLength);
    if (key == "requiredLifeClass") {
        int value = 0;
        return integer(key, value, true, &r_.requiredLifeClass);
    }
    if (key == "count")
        return integer(key, r_.count, false, nullptr);
    if (key == "materials")
        return indices(key, r_.materials);
    if (key == "kinds")
        return indices(key, r_.kinds);
    if (key == "lowTempAnnealed")
        return flag(key, r_.lowTempAnnealed);
    if (key == "hookType" || key == "objective") {
        std::string name;
        std::string error = text(key, name);
        if (!error.empty())
            return error;
        if (key == "hookType") {
            const std::optional<HookType> type = hookTypeFromName(name);
            if (!type)
                return "hookType: expected \"round\" or \"u\"";
            r_.hookType = *type;
        } else {
            const std::optional<SearchObjective> objective = searchObjectiveFromName(name);
            if (!objective)
                return "objective: expected \"mass\", \"life\" or \"margin\"";
            r_.objective = *objective;
        }
        return {};
    }
    return skip("unknown key \"" + key + "\"");
}

std::string RequirementReader::missingKey() const {
    for (const char* key : {"length1", "load1", "length2", "load2"})
        if (!given_.count(key))
            return std::string(key) + ": missing";
    return {};
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
    RequirementReader members(reader, request.requirement);
    std::string key;
    while (reader.nextMember(key)) {
        if (request.error.empty())
            request.error = members.member(key);
        else
            reader.skipValue(); // the first fault stands; the rest is still checked as JSON
    }
    if (request.error.empty())
        request.error = members.missingKey();
    if (request.error.empty())
        if (const std::optional<RequirementProblem> problem =
                checkRequirement(request.requirement, library))
            request.error = problem->message;
    return request;
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
        } else if (outcome.candidates.empty()) {
            out += "[]";
        } else {
            out += "[\n";
            for (const SearchCandidate& candidate : outcome.candidates) {
                if (candidate.rank > 1)
                    out += ",\n";
                appendDesignResultJson(out, candidate.result, candidate.rank);
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

} // namespace hspring
