// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/units_json.h"

#include "base/error.h"
#include "base/json_reader.h"
#include "base/json_writer.h"
#include "calc/design_json.h"

#include <algorithm>
#include <array>
#include <utility>

namespace hspring {

namespace {

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

// The forces are the keys the design key table gives a force unit; the requirement's loads and
// the tolerances' loads and rate carry the names of the design keys they stand for.
std::optional<ForceQuantity> forceKeyQuantity(std::string_view key) {
    for (const DesignKey& designKey : designKeys())
        if (designKey.name == key)
            return forceQuantityOfUnit(designKey.unit);
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
