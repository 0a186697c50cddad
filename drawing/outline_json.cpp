// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/outline_json.h"

#include "base/json_writer.h"

namespace hspring {

namespace {

void writePoint(JsonWriter& json, std::string_view name, DrawPoint p) {
    json.key(name);
    json.beginArray();
    json.number(p.x);
    json.number(p.y);
    json.endArray();
}

} // namespace

std::string outlineJson(std::string_view hookType, const Outline& outline) {
    std::string text;
    JsonWriter json(text);
    json.beginObject();
    json.key("hook");
    json.string(hookType);
    json.key("primitives");
    json.beginArray();
    for (const OutlinePrimitive& primitive : outline) {
        json.beginObject();
        json.key("type");
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            json.string("segment");
            writePoint(json, "first", segment->first);
            writePoint(json, "second", segment->second);
        } else {
            const auto& arc = std::get<DrawArc>(primitive);
            json.string("arc");
            writePoint(json, "centre", arc.centre);
            json.key("radius");
            json.number(arc.radius);
            json.key("startAngle");
            json.number(arc.startAngle);
            json.key("endAngle");
            json.number(arc.endAngle);
        }
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return text;
}

} // namespace hspring
