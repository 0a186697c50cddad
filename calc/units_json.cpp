// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/units_json.h"

#include "base/error.h"
#include "base/json_reader.h"
#include "base/json_writer.h"

#include <algorithm>
#include <array>
#include <utility>

namespace hspring {

namespace {

using Q = ForceQuantity;

// The forces of the design JSON's records and results, the search's requirement and the
// tolerances' object, by key; the units the calc help lists for them.
constexpr std::array<std::pair<std::string_view, ForceQuantity>, 21> kForceKeys = {{
    {"initialTension", Q::Load},
    {"maxLoad", Q::Load},
    {"load1", Q::Load},
    {"load2", Q::Load},
    {"springRate", Q::Rate},
    {"stress1", Q::Stress},
    {"stress2", Q::Stress},
    {"allowableStress", Q::Stress},
    {"initialTensionLow", Q::Load},
    {"initialTensionHigh", Q::Load},
    {"initialTensionMid", Q::Load},
    {"hookBendingStress1", Q::Stress},
    {"hookBendingStress2", Q::Stress},
    {"hookTorsionStress1", Q::Stress},
    {"hookTorsionStress2", Q::Stress},
    {"hookBendingAllowable", Q::Stress},
    {"hookTorsionAllowable", Q::Stress},
    {"energy12", Q::Energy},
    {"hookTorsionLimitLoad", Q::Load},
    {"hookBendingLimitLoad", Q::Load},
    {"maxLoadWithHooks", Q::Load},
}};

// The object whose members are SI already.
constexpr std::string_view kSiKey = "si";

// A key the writer can put as it is: nothing JSON must escape.
bool plainKey(std::string_view key) {
    return std::none_of(key.begin(), key.end(), [](char c) {
        return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
    });
}

struct KeyNotPlain {};

void copyValue(JsonReader& in, JsonWriter& out, bool force, bool convert, UnitSystem from,
               UnitSystem to) {
    switch (in.peek()) {
    case JsonReader::Kind::Object: {
        in.enterObject();
        out.beginObject();
        std::string key;
        while (in.nextMember(key)) {
            if (!plainKey(key))
                throw KeyNotPlain{};
            out.key(key);
            copyValue(in, out, convert && forceKeyQuantity(key).has_value(),
                      convert && key != kSiKey, from, to);
        }
        out.endObject();
        return;
    }
    case JsonReader::Kind::Array:
        in.enterArray();
        out.beginArray();
        while (in.nextElement())
            copyValue(in, out, force, convert, from, to);
        out.endArray();
        return;
    case JsonReader::Kind::Number: {
        const double value = in.readNumber();
        out.number(force ? shownValue(storedValue(value, from), to) : value);
        return;
    }
    case JsonReader::Kind::String:
        out.string(in.readString());
        return;
    case JsonReader::Kind::Boolean:
        out.boolean(in.readBoolean());
        return;
    case JsonReader::Kind::Null:
        in.readNull();
        out.null();
        return;
    }
}

std::string convertedValue(JsonReader& in, UnitSystem from, UnitSystem to) {
    std::string text;
    {
        JsonWriter out(text);
        copyValue(in, out, false, true, from, to);
    }
    return text;
}

} // namespace

std::optional<ForceQuantity> forceKeyQuantity(std::string_view key) {
    for (const auto& [name, quantity] : kForceKeys)
        if (name == key)
            return quantity;
    return std::nullopt;
}

std::string jsonInUnits(std::string_view text, UnitSystem from, UnitSystem to) {
    if (from == to)
        return std::string(text);
    try {
        JsonReader in(text);
        std::string result;
        if (in.peek() == JsonReader::Kind::Array) {
            in.enterArray();
            result = "[\n";
            bool first = true;
            while (in.nextElement()) {
                if (!first)
                    result += ",\n";
                first = false;
                result += convertedValue(in, from, to);
            }
            result += "\n]\n";
        } else {
            result = convertedValue(in, from, to) + "\n";
        }
        in.finish();
        return result;
    } catch (const Error&) {
        return std::string(text);
    } catch (const KeyNotPlain&) {
        return std::string(text);
    }
}

} // namespace hspring
