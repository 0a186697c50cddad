// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/dimensioned_dxf.h"

#include "base/number_format.h"
#include "base/shift_jis.h"
#include "drawing/round_hook_loop.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hspring {

namespace {

constexpr const char* kOutlineLayer = "OUTLINE";
constexpr const char* kCentreLayer = "CENTER";
constexpr const char* kDimensionLayer = "DIMENSIONS";
constexpr const char* kTextLayer = "TEXT";
constexpr std::string_view kLineEnd = "\r\n";

// Dimension texts 2.5 mm high with arrows of 2.5 × 0.8 mm, as JIS B 0001 draws them on a
// drawing read at full size; they shrink with a spring much smaller than the texts.
struct Sizes {
    double text;
    double arrow;
    double gap;
};

struct Box {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();
    void add(double x, double y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
};

// An angle in [0, 360).
double normalAngle(double degrees) {
    double angle = std::fmod(degrees, 360.0);
    if (angle < 0)
        angle += 360;
    return angle >= 360 ? 0 : angle;
}

double sweepOf(const DrawArc& arc) {
    double sweep = std::fmod(arc.endAngle - arc.startAngle, 360.0);
    if (sweep <= 0)
        sweep += 360;
    return sweep;
}

class Writer {
public:
    void group(int code, std::string_view value) {
        std::string codeText = std::to_string(code);
        out_ += std::string(3 - std::min<std::size_t>(3, codeText.size()), ' ') + codeText;
        out_ += kLineEnd;
        out_ += value;
        out_ += kLineEnd;
    }
    void number(int code, double value) { group(code, formatF15(value)); }
    void point(int code, double x, double y) {
        number(code, x);
        number(code + 10, y);
        box_.add(x, y);
    }
    void entity(const char* type, const char* layer) {
        group(0, type);
        group(8, layer);
    }
    void line(const char* layer, DrawPoint a, DrawPoint b) {
        entity("LINE", layer);
        point(10, a.x, a.y);
        point(11, b.x, b.y);
    }
    void arc(const char* layer, const DrawArc& arc) {
        entity("ARC", layer);
        point(10, arc.centre.x, arc.centre.y);
        number(40, arc.radius);
        number(50, normalAngle(arc.startAngle));
        number(51, normalAngle(arc.startAngle + sweepOf(arc)));
        const double sweep = sweepOf(arc);
        const int steps = std::max(2, static_cast<int>(sweep / 5) + 1);
        for (int i = 0; i <= steps; ++i) {
            const DrawPoint p =
                pointOnCircle(arc.centre, arc.radius, arc.startAngle + sweep * i / steps);
            box_.add(p.x, p.y);
        }
        for (double angle = std::ceil(arc.startAngle / 90) * 90; angle <= arc.startAngle + sweep;
             angle += 90) {
            const DrawPoint p = pointOnCircle(arc.centre, arc.radius, angle);
            box_.add(p.x, p.y);
        }
    }
    // A filled arrow head with its tip at `tip`, pointing away from `from`.
    void arrow(DrawPoint tip, DrawPoint from, const Sizes& sizes) {
        const double dx = tip.x - from.x;
        const double dy = tip.y - from.y;
        const double length = std::hypot(dx, dy);
        if (!(length > 0))
            return;
        const double ux = dx / length;
        const double uy = dy / length;
        const double baseX = tip.x - ux * sizes.arrow;
        const double baseY = tip.y - uy * sizes.arrow;
        const double half = sizes.arrow / 6;
        entity("SOLID", kDimensionLayer);
        point(10, tip.x, tip.y);
        point(11, baseX - uy * half, baseY + ux * half);
        point(12, baseX + uy * half, baseY - ux * half);
        point(13, baseX + uy * half, baseY - ux * half);
    }
    // A text centred on (x, y).
    void text(const char* layer, double x, double y, double height, const std::string& utf8) {
        const std::string bytes = utf8ToShiftJis(utf8, 250).bytes;
        entity("TEXT", layer);
        point(10, x, y);
        number(40, height);
        group(1, bytes);
        group(72, "     1");
        group(73, "     2");
        point(11, x, y);
        // The extents hold the text's box, a character taken as wide as it is high.
        const double half = height * static_cast<double>(utf8.size()) / 2 * 0.6;
        box_.add(x - half, y - height / 2);
        box_.add(x + half, y + height / 2);
    }
    // A text's width as the extents count it.
    static double width(double height, const std::string& utf8) {
        return height * static_cast<double>(utf8.size()) * 0.6;
    }
    const Box& box() const { return box_; }
    std::string& out() { return out_; }

private:
    std::string out_;
    Box box_;
};

void writeTables(Writer& w) {
    w.group(0, "SECTION");
    w.group(2, "TABLES");
    w.group(0, "TABLE");
    w.group(2, "LTYPE");
    w.group(70, "     2");
    w.group(0, "LTYPE");
    w.group(2, "CONTINUOUS");
    w.group(70, "     0");
    w.group(3, "Solid line");
    w.group(72, "    65");
    w.group(73, "     0");
    w.group(40, "0.0");
    // Long dash, gap, dot, gap: the chain line of centre lines.
    w.group(0, "LTYPE");
    w.group(2, "CENTER");
    w.group(70, "     0");
    w.group(3, "Center ____ _ ____ _");
    w.group(72, "    65");
    w.group(73, "     4");
    w.group(40, "20.0");
    w.group(49, "12.0");
    w.group(49, "-3.0");
    w.group(49, "2.0");
    w.group(49, "-3.0");
    w.group(0, "ENDTAB");
    w.group(0, "TABLE");
    w.group(2, "LAYER");
    w.group(70, "     4");
    const struct {
        const char* name;
        const char* colour;
        const char* lineType;
    } layers[] = {{kOutlineLayer, "     7", "CONTINUOUS"},
                  {kCentreLayer, "     1", "CENTER"},
                  {kDimensionLayer, "     3", "CONTINUOUS"},
                  {kTextLayer, "     7", "CONTINUOUS"}};
    for (const auto& layer : layers) {
        w.group(0, "LAYER");
        w.group(2, layer.name);
        w.group(70, "     0");
        w.group(62, layer.colour);
        w.group(6, layer.lineType);
    }
    w.group(0, "ENDTAB");
    w.group(0, "TABLE");
    w.group(2, "STYLE");
    w.group(70, "     1");
    w.group(0, "STYLE");
    w.group(2, "STANDARD");
    w.group(70, "     0");
    w.group(40, "0.0");
    w.group(41, "1.0");
    w.group(50, "0.0");
    w.group(71, "     0");
    w.group(42, "2.5");
    w.group(3, "txt");
    w.group(4, "");
    w.group(0, "ENDTAB");
    w.group(0, "ENDSEC");
}

// An arrow head at the end `endAngle` of an arc dimension line about `centre`, pointing along
// the arc away from `inwardAngle`.
void arcArrow(Writer& w, DrawPoint centre, double radius, double endAngle, double inwardAngle,
              const Sizes& sizes) {
    const double step = sizes.arrow / radius * 180 / 3.14159265358979323846;
    const double back = endAngle + (inwardAngle > endAngle ? step : -step);
    w.arrow(pointOnCircle(centre, radius, endAngle), pointOnCircle(centre, radius, back), sizes);
}

// A radius: the line from the centre through the arc, its arrow on the arc, the value beyond
// `outside` on the same line.
void radiusDimension(Writer& w, DrawPoint centre, double radius, double angle, double outside,
                     const Sizes& sizes) {
    const std::string label = "R" + formatF4(radius);
    w.line(kDimensionLayer, centre, pointOnCircle(centre, outside + sizes.arrow, angle));
    w.arrow(pointOnCircle(centre, radius, angle), centre, sizes);
    const double reach = outside + sizes.arrow + sizes.gap / 2 +
                         Writer::width(sizes.text, label) / 2 +
                         sizes.text / 2 * std::fabs(std::sin(angle * 3.14159265358979323846 / 180));
    const DrawPoint at = pointOnCircle(centre, reach, angle);
    w.text(kDimensionLayer, at.x, at.y, sizes.text, label);
}

// A length along x between `from` and `to` at height `y`, with extension lines from the
// features' points; a length too short for its text gets its arrows from outside and its text
// beside it.
void lengthDimension(Writer& w, DrawPoint from, DrawPoint to, double y, const Sizes& sizes) {
    const std::string label = formatF4(std::fabs(to.x - from.x));
    const double reach = y < from.y ? -sizes.gap : sizes.gap;
    w.line(kDimensionLayer, from, {from.x, y + reach});
    w.line(kDimensionLayer, to, {to.x, y + (y < to.y ? -sizes.gap : sizes.gap)});
    const double left = std::min(from.x, to.x);
    const double right = std::max(from.x, to.x);
    const double textWidth = Writer::width(sizes.text, label);
    if (right - left > textWidth + 2 * sizes.arrow) {
        w.line(kDimensionLayer, {left, y}, {right, y});
        w.arrow({left, y}, {right, y}, sizes);
        w.arrow({right, y}, {left, y}, sizes);
        w.text(kDimensionLayer, (left + right) / 2, y + sizes.text * 0.8, sizes.text, label);
        return;
    }
    w.line(kDimensionLayer, {left - 2 * sizes.arrow, y}, {right + 2 * sizes.arrow, y});
    w.arrow({left, y}, {left - 1, y}, sizes);
    w.arrow({right, y}, {right + 1, y}, sizes);
    w.text(kDimensionLayer, left - 2 * sizes.arrow - sizes.gap - textWidth / 2, y, sizes.text,
           label);
}

// The left round hook: the loop's inner radius, and the hook angle from the axis to the cut end
// with the value beside the loop.
void roundHookDimensions(Writer& w, const CoilShape& coil, double hookAngle, const Sizes& sizes) {
    const RoundHookLoop loop = leftRoundHookLoop(coil.wireDiameter, coil.meanDiameter);
    const DrawPoint c = loop.centre;
    const double middle = (hookAngle + 360 - loop.tangentAngle) / 2;
    radiusDimension(w, c, loop.innerRadius, middle, loop.outerRadius + sizes.arrow, sizes);

    // The arc's arrows no longer than a third of the arc, so that both show.
    const double arcRadius = loop.innerRadius * 0.6;
    Sizes arcSizes = sizes;
    arcSizes.arrow = std::min(sizes.arrow, arcRadius * hookAngle * 3.14159265358979323846 / 540);
    w.line(kDimensionLayer, c, pointOnCircle(c, loop.innerRadius, hookAngle));
    w.arc(kDimensionLayer, DrawArc{c, arcRadius, 0, hookAngle});
    arcArrow(w, c, arcRadius, 0, hookAngle, arcSizes);
    arcArrow(w, c, arcRadius, hookAngle, 0, arcSizes);
    const std::string label = formatF4(hookAngle) + "°";
    const double side = middle - 60;
    const double reach = loop.outerRadius + 2 * sizes.arrow;
    w.line(kDimensionLayer, pointOnCircle(c, arcRadius, hookAngle / 2),
           pointOnCircle(c, reach, side));
    const DrawPoint at = pointOnCircle(c, reach + Writer::width(sizes.text, label) / 2, side);
    w.text(kDimensionLayer, at.x, at.y + sizes.text / 2, sizes.text, label);
}

// The left U hook: its length from the coil's end to the U's outer end (above the spring), its
// opening between the cut end and the coil (below), and the bend's inner radius (inside the
// hook). `outerEnd` is the outline's leftmost point, the U's outer end.
void uHookDimensions(Writer& w, const CoilShape& coil, const UHookShape& hook, DrawPoint outerEnd,
                     double above, double below, const Sizes& sizes) {
    const double r = coil.wireDiameter / 2;
    const double D = coil.meanDiameter;
    const double start = outerEnd.x + hook.hookLength;
    lengthDimension(w, outerEnd, {start, r}, above, sizes);
    lengthDimension(w, {-r - hook.hookOpening, -D - r}, {-r, -D}, below, sizes);
    const DrawPoint bend{start - hook.minRadius, -(r + hook.minRadius)};
    // From the bend's centre into the hook, between its legs, away from the wire.
    radiusDimension(w, bend, hook.minRadius, 190, hook.minRadius, sizes);
}

} // namespace

std::string dimensionedDxfBytes(const DimensionedDrawing& drawing) {
    const double d = drawing.coil.wireDiameter;
    const double D = drawing.coil.meanDiameter;
    Writer entities;
    DrawPoint leftmost{std::numeric_limits<double>::infinity(), 0};
    DrawPoint rightmost{-std::numeric_limits<double>::infinity(), 0};
    const auto extreme = [&](DrawPoint p) {
        if (p.x < leftmost.x)
            leftmost = p;
        if (p.x > rightmost.x)
            rightmost = p;
    };
    double topArcX = std::numeric_limits<double>::quiet_NaN();
    for (const OutlinePrimitive& primitive : drawing.outline) {
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            entities.line(kOutlineLayer, segment->first, segment->second);
            extreme(segment->first);
            extreme(segment->second);
            continue;
        }
        const DrawArc& arc = std::get<DrawArc>(primitive);
        entities.arc(kOutlineLayer, arc);
        const double sweep = sweepOf(arc);
        for (double angle = std::ceil(arc.startAngle / 90) * 90; angle <= arc.startAngle + sweep;
             angle += 90)
            extreme(pointOnCircle(arc.centre, arc.radius, angle));
        extreme(pointOnCircle(arc.centre, arc.radius, arc.startAngle));
        extreme(pointOnCircle(arc.centre, arc.radius, arc.startAngle + sweep));
        // A turn's top wire end: the place to show the wire's diameter.
        if (std::isnan(topArcX) && arc.centre.y == 0 && std::fabs(arc.radius - d / 2) < 1e-9)
            topArcX = arc.centre.x;
    }
    const Box outline = entities.box();
    const double size = std::max(outline.maxX - outline.minX, outline.maxY - outline.minY);
    const Sizes sizes{std::min(2.5, size / 12), std::min(2.5, size / 12), std::min(2.0, size / 20)};

    // The axis, a little beyond the spring at both ends.
    entities.line(kCentreLayer, {outline.minX - 2 * sizes.gap, -D / 2},
                  {outline.maxX + 2 * sizes.gap, -D / 2});

    // The free length between the hooks' inner sides, one wire inside the outline's ends; below
    // the U hook's opening when there is one.
    const bool uHook = drawing.hook && !drawing.hook->round;
    const double below = outline.minY - (uHook ? 4.5 : 3) * sizes.text;
    const DrawPoint innerLeft{leftmost.x + d, leftmost.y};
    const DrawPoint innerRight{rightmost.x - d, rightmost.y};
    const double freeLength = innerRight.x - innerLeft.x;
    if (freeLength > 0) {
        entities.line(kDimensionLayer, innerLeft, {innerLeft.x, below - sizes.gap});
        entities.line(kDimensionLayer, innerRight, {innerRight.x, below - sizes.gap});
        entities.line(kDimensionLayer, {innerLeft.x, below}, {innerRight.x, below});
        entities.arrow({innerLeft.x, below}, {innerRight.x, below}, sizes);
        entities.arrow({innerRight.x, below}, {innerLeft.x, below}, sizes);
        entities.text(kDimensionLayer, (innerLeft.x + innerRight.x) / 2, below + sizes.text * 0.8,
                      sizes.text, "L0=" + formatF4(freeLength));
    }
    // The outer diameter at the middle of the coil, arrows from outside onto the wire.
    const double middle = (outline.minX + outline.maxX) / 2;
    const double top = d / 2;
    const double bottom = -D - d / 2;
    entities.line(kDimensionLayer, {middle, top}, {middle, top + 3 * sizes.arrow});
    entities.line(kDimensionLayer, {middle, bottom}, {middle, bottom - 1.5 * sizes.arrow});
    entities.arrow({middle, top}, {middle, top + 1}, sizes);
    entities.arrow({middle, bottom}, {middle, bottom - 1}, sizes);
    entities.text(kDimensionLayer, middle, top + 3 * sizes.arrow + sizes.text, sizes.text,
                  "Do=" + formatF4(D + d));
    // The wire's diameter across a turn's top wire end, arrows from outside.
    if (!std::isnan(topArcX)) {
        const double x = topArcX;
        entities.line(kDimensionLayer, {x, d / 2}, {x, d / 2 + 2 * sizes.arrow});
        entities.line(kDimensionLayer, {x, -d / 2}, {x, -d / 2 - 2 * sizes.arrow});
        entities.arrow({x, d / 2}, {x, d / 2 + 1}, sizes);
        entities.arrow({x, -d / 2}, {x, -d / 2 - 1}, sizes);
        entities.text(kDimensionLayer, x - 2 * sizes.text, d / 2 + 2 * sizes.arrow, sizes.text,
                      "d=" + formatF4(d));
    }
    // The hook's own dimensions, on the left hook: above the spring clear of d's value.
    if (drawing.hook && drawing.hook->round)
        roundHookDimensions(entities, drawing.coil, drawing.hook->hookAngle, sizes);
    else if (uHook)
        uHookDimensions(entities, drawing.coil, drawing.hook->uHook, leftmost,
                        d / 2 + 2 * sizes.arrow + 2.5 * sizes.text, outline.minY - 1.5 * sizes.text,
                        sizes);
    // The text block: the design's name and the hook's dimensions, below the free length.
    double y = below - 2.5 * sizes.text;
    for (const std::string& note : drawing.notes) {
        entities.text(kTextLayer, middle, y, sizes.text, note);
        y -= 1.6 * sizes.text;
    }

    const Box& box = entities.box();
    Writer file;
    file.group(0, "SECTION");
    file.group(2, "HEADER");
    file.group(9, "$ACADVER");
    file.group(1, "AC1009");
    file.group(9, "$DWGCODEPAGE");
    file.group(3, "ANSI_932");
    file.group(9, "$INSBASE");
    file.number(10, 0);
    file.number(20, 0);
    file.number(30, 0);
    file.group(9, "$EXTMIN");
    file.number(10, box.minX);
    file.number(20, box.minY);
    file.number(30, 0);
    file.group(9, "$EXTMAX");
    file.number(10, box.maxX);
    file.number(20, box.maxY);
    file.number(30, 0);
    file.group(9, "$LIMMIN");
    file.number(10, box.minX);
    file.number(20, box.minY);
    file.group(9, "$LIMMAX");
    file.number(10, box.maxX);
    file.number(20, box.maxY);
    file.group(9, "$LTSCALE");
    file.number(40, std::max(0.05, size / 100));
    file.group(0, "ENDSEC");
    writeTables(file);
    file.group(0, "SECTION");
    file.group(2, "BLOCKS");
    file.group(0, "ENDSEC");
    file.group(0, "SECTION");
    file.group(2, "ENTITIES");
    std::string bytes = std::move(file.out());
    bytes += entities.out();
    Writer end;
    end.group(0, "ENDSEC");
    end.group(0, "EOF");
    bytes += end.out();
    return bytes;
}

} // namespace hspring
