// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/dxf_file.h"

#include "base/file_io.h"
#include "base/number_format.h"
#include "base/shift_jis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <stdexcept>

namespace hspring {

namespace {

constexpr std::array<DxfGroup, kDxfTemplateGroupCount> kTemplate{{
    {"  0", "SECTION"},
    {"  2", "HEADER"},
    {"  9", "$ACADVER"},
    {"  1", "AC1009"},
    {"  9", "$INSBASE"},
    {" 10", "0"},
    {" 20", "0"},
    {" 30", "0"},
    {"  9", "$EXTMIN"},
    {" 10", "0"},
    {" 20", "0"},
    {"  9", "$EXTMAX"},
    {" 10", "841"},
    {" 20", "594"},
    {"  9", "$LIMMIN"},
    {" 10", "0"},
    {" 20", "0"},
    {"  9", "$LIMMAX"},
    {" 10", "841"},
    {" 20", "594"},
    {"  9", "$LTSCALE"},
    {" 40", "1"},
    {"  0", "ENDSEC"},
    {"  0", "SECTION"},
    {"  2", "TABLES"},
    {"  0", "TABLE"},
    {"  2", "LTYPE"},
    {" 70", "     9"},
    {"  0", "LTYPE"},
    {"  2", "CONTINUOUS"},
    {" 70", "    64"},
    {"  3", "実線"},
    {" 72", "    65"},
    {" 73", "     0"},
    {" 40", "0.0"},
    {"  0", "LTYPE"},
    {"  2", "DASHED1"},
    {" 70", "    64"},
    {"  3", "--  --  --  --  --  --  --  --  "},
    {" 72", "    65"},
    {" 73", "     2"},
    {" 40", "2.5"},
    {" 49", "1.25"},
    {" 49", "-1.25"},
    {"  0", "ENDTAB"},
    {"  0", "TABLE"},
    {"  2", "STYLE"},
    {"  5", "3"},
    {"100", "AcDbSymbolTable"},
    {" 70", "     1"},
    {"  0", "STYLE"},
    {"  5", "10"},
    {"100", "AcDbSymbolTableRecord"},
    {"100", "AcDbTextStyleTableRecord"},
    {"  2", "STANDARD"},
    {" 70", "     0"},
    {" 40", "0.0"},
    {" 41", "1.0"},
    {" 50", "0.0"},
    {" 71", "     0"},
    {" 42", "0.2"},
    {"  3", "txt"},
    {"  4", "bigfont.shx"},
    {"  0", "STYLE"},
    {"  5", "26"},
    {"100", "AcDbSymbolTableRecord"},
    {"100", "AcDbTextStyleTableRecord"},
    {"  2", "TATEGAKI"},
    {" 70", "    68"},
    {" 40", "0.0"},
    {" 41", "1.0"},
    {" 50", "0.0"},
    {" 71", "     0"},
    {" 42", "1.0"},
    {"  3", "txt"},
    {"  4", "bigfont.shx"},
    {"  0", "ENDTAB"},
    {"  0", "TABLE"},
    {"  2", "LAYER"},
    {" 70", "    2"},
    {"  0", "LAYER"},
    {"  2", "_0-0_"},
    {" 70", "   64"},
    {" 62", "    7"},
    {"  6", "CONTINUOUS"},
    {"  0", "LAYER"},
    {"  2", "ADD_LINE"},
    {" 70", "   64"},
    {" 62", "    7"},
    {"  6", "CONTINUOUS"},
    {"  0", "ENDTAB"},
    {"  0", "ENDSEC"},
    {"  0", "SECTION"},
    {"  2", "BLOCKS"},
    {"  0", "ENDSEC"},
    {"  0", "SECTION"},
    {"  2", "ENTITIES"},
}};

constexpr std::string_view kLineEnd = "\r\n";

// The entities' common groups. The colour's code line has four characters ("  62", not " 62"):
// that is how the files have always been written, and the CAD programs in use read it.
constexpr std::array<DxfGroup, 3> kEntityStyle{{
    {"  8", "_0-0_"},
    {"  6", "CONTINUOUS"},
    {"  62", "    7"},
}};

class DxfText {
public:
    void add(std::string_view code, std::string_view value) {
        text_.append(code).append(kLineEnd).append(value).append(kLineEnd);
    }
    void add(std::string_view code, double value) { add(code, formatF15(value)); }

    void addEntity(std::string_view type) {
        add("  0", type);
        for (const DxfGroup& group : kEntityStyle)
            add(group.code, group.value);
    }

    void operator()(const DrawSegment& segment) {
        addEntity("LINE");
        add(" 10", segment.first.x);
        add(" 20", segment.first.y);
        add(" 11", segment.second.x);
        add(" 21", segment.second.y);
    }

    // A text with its bottom-left corner at (x, y).
    void text(double x, double y, double height, const std::string& utf8) {
        addEntity("TEXT");
        add(" 10", x);
        add(" 20", y);
        add(" 40", height);
        add("  1", utf8ToShiftJis(utf8, 250).bytes);
    }

    void operator()(const DrawArc& arc) {
        addEntity("ARC");
        add(" 10", arc.centre.x);
        add(" 20", arc.centre.y);
        add(" 40", arc.radius);
        add(" 50", arc.startAngle);
        add(" 51", arc.endAngle);
    }

    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

// The opening in the file's code page, encoded once.
const std::string& encodedTemplate() {
    static const std::string encoded = [] {
        DxfText text;
        for (const DxfGroup& group : kTemplate) {
            const ShiftJisText value = utf8ToShiftJis(group.value, group.value.size());
            if (!value.complete)
                throw std::logic_error("DXF template value without a Shift-JIS code");
            text.add(group.code, value.bytes);
        }
        return text.take();
    }();
    return encoded;
}

} // namespace

const std::array<DxfGroup, kDxfTemplateGroupCount>& dxfTemplate() {
    return kTemplate;
}

std::string dxfFileBytes(const Outline& outline, const std::vector<std::string>& notes) {
    DxfText entities;
    double left = std::numeric_limits<double>::infinity();
    double bottom = std::numeric_limits<double>::infinity();
    for (const OutlinePrimitive& primitive : outline) {
        std::visit(entities, primitive);
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            left = std::min({left, segment->first.x, segment->second.x});
            bottom = std::min({bottom, segment->first.y, segment->second.y});
        } else {
            const DrawArc& arc = std::get<DrawArc>(primitive);
            left = std::min(left, arc.centre.x - arc.radius);
            bottom = std::min(bottom, arc.centre.y - arc.radius);
        }
    }
    if (!std::isfinite(left) || !std::isfinite(bottom))
        left = bottom = 0;
    // Texts 2.5 mm high, as a drawing read at full size writes its notes (JIS B 0001).
    constexpr double kNoteHeight = 2.5;
    double y = bottom - 3 * kNoteHeight;
    for (const std::string& note : notes) {
        entities.text(left, y, kNoteHeight, note);
        y -= 1.6 * kNoteHeight;
    }
    entities.add("  0", "ENDSEC");
    entities.add("  0", "EOF");
    return encodedTemplate() + entities.take();
}

std::string roundHookDxf(const CoilShape& coil, double hookAngle) {
    return dxfFileBytes(roundHookOutline(coil, hookAngle));
}

std::string uHookDxf(const CoilShape& coil, const UHookShape& hook) {
    return dxfFileBytes(uHookOutline(coil, hook));
}

void writeDxfFile(const std::string& path, std::string_view bytes) {
    writeFileAtomically(path, std::as_bytes(std::span(bytes.data(), bytes.size())));
}

} // namespace hspring
