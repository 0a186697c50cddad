// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/painting/fatigue_diagram.h"

#include "base/number_format.h"
#include "calc/life.h"
#include "toolkit/painting/fonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

namespace hspring {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kSilver(192, 192, 192);
const QColor kBlue(0, 0, 255);
const QColor kMagenta(255, 0, 255);

// Diagram frame: the origin (both coefficients 0) is the pixel (30, 380) and one unit of stress
// coefficient is 700 pixels, so the plot square 30..380 holds the coefficients 0 to 0.5.
constexpr int kOriginX = 30;
constexpr int kOriginY = 380;
constexpr int kFrameTop = 30;
constexpr int kFrameRight = 380;
constexpr int kPixelsPerUnit = 700;
constexpr double kAreaLimit = 0.5;
// The point on the diagonal towards which the drawn life lines run.
constexpr double kCommonPoint = 0.667;

// The diagram is defined to the pixel in the conventions of a Windows GDI canvas, and every
// primitive here places its pixels by those rules rather than by Qt's rasterizer, which breaks
// ties and ends lines differently. Pixel (x, y) is the unit square whose centre is the point
// (x, y) in GDI terms; on the painter it is the rectangle (x, y, 1, 1), so a scaled painter gets
// the same picture enlarged.
//
// For a painter that keeps drawing commands (SVG, PDF, an enlarged picture) the canvas draws the
// same lines as strokes instead: a one-pixel line from the centre of its first pixel to the
// centre of its last, a two-pixel line with round caps between the same centres, so that a
// diagram of a few hundred elements scales without staircases.
class PixelCanvas {
public:
    PixelCanvas(QPainter& painter, DiagramStrokes strokes)
        : painter_(painter), vectors_(strokes == DiagramStrokes::Vectors) {}

    // The brush changes only with the colour, so that a vector painter (SVG) groups the runs of
    // one colour instead of starting a new group for every pixel run.
    void fill(const QRect& pixels, const QColor& colour) {
        if (!filling_ || colour != fillColour_) {
            painter_.setPen(Qt::NoPen);
            painter_.setBrush(colour);
            fillColour_ = colour;
            filling_ = true;
        }
        painter_.drawRect(pixels);
    }

    // A one-pixel line from `from` to `to` by the grid-intersection diamond rule: the first pixel
    // drawn, the last one not, one pixel per step along the longer axis, and a point exactly
    // half-way between two pixels going to the upper or the left one.
    void line(QPoint from, QPoint to, const QColor& colour) {
        if (vectors_) {
            stroke(from, to, colour, 1, Qt::FlatCap);
            return;
        }
        const int dx = to.x() - from.x();
        const int dy = to.y() - from.y();
        const bool xMajor = std::abs(dx) >= std::abs(dy);
        const int steps = xMajor ? std::abs(dx) : std::abs(dy);
        const int majorSign = (xMajor ? dx : dy) > 0 ? 1 : -1;
        const int minorDelta = xMajor ? dy : dx;
        // Successive pixels with the same offset across the line form one run along it.
        const auto plotRun = [&](int first, int last, int minorOffset) {
            const int a = majorSign * first;
            const int b = majorSign * last;
            const int length = std::abs(b - a) + 1;
            if (xMajor)
                fill(QRect(from.x() + std::min(a, b), from.y() + minorOffset, length, 1), colour);
            else
                fill(QRect(from.x() + minorOffset, from.y() + std::min(a, b), 1, length), colour);
        };
        int runStart = 0;
        int runOffset = 0;
        for (int step = 0; step < steps; ++step) {
            const int offset = roundHalfDown(static_cast<long long>(minorDelta) * step, steps);
            if (step > 0 && offset != runOffset) {
                plotRun(runStart, step - 1, runOffset);
                runStart = step;
            }
            runOffset = offset;
        }
        if (steps > 0)
            plotRun(runStart, steps - 1, runOffset);
    }

    // A two-pixel line with round ends (what a pen of width 2 draws): the shape of all points
    // within one pixel of the segment, filled by the polygon rule: a pixel whose centre lies
    // inside, or on the shape's top or left boundary, is drawn; one on its right or bottom
    // boundary is not.
    void wideLine(QPoint from, QPoint to, const QColor& colour) {
        if (vectors_) {
            stroke(from, to, colour, 2, Qt::RoundCap);
            return;
        }
        const int top = std::min(from.y(), to.y()) - 1;
        const int bottom = std::max(from.y(), to.y()) + 1;
        for (int y = top; y < bottom; ++y) {
            Span span = roundEndSpan(from, y);
            span.unite(roundEndSpan(to, y));
            span.unite(bandSpan(from, to, y));
            if (span.empty())
                continue;
            const int first = ceilToPixel(span.left);
            const int end = ceilToPixel(span.right);
            if (end > first)
                fill(QRect(first, y, end - first, 1), colour);
        }
    }

    // The outline of a rectangle from (left, top) to (right, bottom) with a pen of width 2. As
    // for every GDI rectangle, right and bottom lie outside: the pen runs along right - 1 and
    // bottom - 1, and the corners are round.
    void wideRectangle(int left, int top, int right, int bottom, const QColor& colour) {
        const QPoint corners[] = {
            {left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
        for (int i = 0; i < 4; ++i)
            wideLine(corners[i], corners[(i + 1) % 4], colour);
    }

    // Text with its top-left corner at `topLeft` on the white background of its character cell.
    void text(QPoint topLeft, const QString& text, const QColor& colour) {
        const QFontMetrics metrics = painter_.fontMetrics();
        fill(QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height())), kWhite);
        painter_.setPen(colour);
        filling_ = false;
        painter_.drawText(topLeft + QPoint(0, metrics.ascent()), text);
    }

private:
    // A stroke between the centres of two pixels.
    void stroke(QPoint from, QPoint to, const QColor& colour, int width, Qt::PenCapStyle cap) {
        const QPointF centre(0.5, 0.5);
        painter_.setPen(QPen(colour, width, Qt::SolidLine, cap, Qt::RoundJoin));
        painter_.setBrush(Qt::NoBrush);
        filling_ = false;
        painter_.drawLine(QPointF(from) + centre, QPointF(to) + centre);
    }

    // The x-interval where one row crosses a convex shape; empty while left > right.
    struct Span {
        long double left = 1;
        long double right = 0;
        bool empty() const { return left > right; }
        void unite(const Span& other) {
            if (other.empty())
                return;
            if (empty()) {
                *this = other;
                return;
            }
            left = std::min(left, other.left);
            right = std::max(right, other.right);
        }
        // Keeps the part where k·x + m lies in [low, high].
        void restrict(long double k, long double m, long double low, long double high) {
            if (k == 0) {
                if (m < low || m > high)
                    *this = Span{};
                return;
            }
            const long double a = (low - m) / k;
            const long double b = (high - m) / k;
            left = std::max(left, std::min(a, b));
            right = std::min(right, std::max(a, b));
        }
    };

    // numerator / denominator (denominator > 0) rounded to the nearest integer, a half down.
    static int roundHalfDown(long long numerator, long long denominator) {
        const long long a = 2 * numerator - denominator;
        const long long b = 2 * denominator;
        return static_cast<int>(a >= 0 ? (a + b - 1) / b : -((-a) / b));
    }

    // Boundaries that fall on a pixel centre come out of the arithmetic as whole numbers or a
    // rounding error away from one; they must count as exactly on the centre.
    static int ceilToPixel(long double x) {
        const long double nearest = std::round(x);
        return static_cast<int>(std::fabs(x - nearest) < 1e-9L ? nearest : std::ceil(x));
    }

    // Row y of the round end (radius 1) at `centre`.
    static Span roundEndSpan(QPoint centre, int y) {
        const int dy = y - centre.y();
        if (std::abs(dy) > 1)
            return {};
        const int halfWidth = dy == 0 ? 1 : 0;
        return {static_cast<long double>(centre.x() - halfWidth),
                static_cast<long double>(centre.x() + halfWidth)};
    }

    // Row y of the band of half-width 1 along the segment from a to b.
    static Span bandSpan(QPoint a, QPoint b, int y) {
        const long double ux = b.x() - a.x();
        const long double uy = b.y() - a.y();
        const long double lengthSquared = ux * ux + uy * uy;
        if (lengthSquared == 0)
            return {};
        const long double length = std::sqrt(lengthSquared);
        const long double ry = y - a.y();
        Span span{-1e30L, 1e30L};
        // Distance across the segment: |cross(p - a, u)| <= |u|.
        span.restrict(uy, -uy * a.x() - ry * ux, -length, length);
        // Position along it: 0 <= dot(p - a, u) <= |u|^2.
        span.restrict(ux, -ux * a.x() + ry * uy, 0, lengthSquared);
        return span;
    }

    QPainter& painter_;
    bool vectors_ = false;
    bool filling_ = false; // the pen is off and the brush is fillColour_
    QColor fillColour_;
};

// Pixel offset of a stress coefficient from the origin, truncated toward zero. Evaluated with
// extended precision: 0.3 × 700 lies just below 210 there, which puts life line 0 on row 171.
int axisOffset(long double coefficient) {
    return static_cast<int>(coefficient * kPixelsPerUnit);
}

// The markers round to the nearest pixel. Far-off points are kept to a range that fits an int;
// they lie outside the picture and are clipped anyway.
int markerOffset(double coefficient) {
    const long double offset = coefficient * static_cast<long double>(kPixelsPerUnit) + 0.5L;
    return static_cast<int>(std::clamp(offset, -100000.0L, 100000.0L));
}

// Column where the life line with this intercept reaches the upper coefficient `level`.
int lifeLineColumn(double intercept, double level) {
    const long double c = intercept;
    return kOriginX + axisOffset((level - c) * kCommonPoint / (kCommonPoint - c));
}

int interceptRow(double intercept) {
    return kOriginY - axisOffset(intercept);
}

void drawLifeLines(PixelCanvas& canvas) {
    for (const double intercept : LifeLineIntercepts)
        canvas.line({lifeLineColumn(intercept, kAreaLimit), kFrameTop},
                    {kOriginX, interceptRow(intercept)}, kBlack);
}

// Rays of the stress ratio γ = τ1/τ2 = k/10 from the origin to the top of the frame.
void drawStressRatioRays(PixelCanvas& canvas) {
    for (int k = 1; k <= 10; ++k) {
        canvas.line({kOriginX, kOriginY - 1}, {kOriginX + 35 * k, kFrameTop - 1}, kSilver);
        const int labelColumn = static_cast<int>(k * static_cast<long double>(35.2)) + 25;
        canvas.text({labelColumn, 15}, QString::fromStdString(formatF15(k / 10.0)), kBlack);
    }
    canvas.text({30, 15}, QStringLiteral("γ="), kBlack);
}

// The region of the longest life (10^7 cycles): under life line 0, under the upper coefficient
// 0.45 and above the diagonal γ = 1, outlined in thick blue.
void drawLongestLifeOutline(PixelCanvas& canvas) {
    const double firstIntercept = LifeLineIntercepts[0];
    const QPoint lineAtLimit(lifeLineColumn(firstIntercept, 0.45), 65);
    canvas.wideLine(lineAtLimit, {kOriginX, interceptRow(firstIntercept)}, kBlue);
    // The level 0.45 left of life line 0 is a thin black line; the outline continues from its
    // end along the level, down the diagonal and up the vertical axis.
    const QPoint levelEnd(lineAtLimit.x(), 64);
    canvas.line({kOriginX, 64}, levelEnd, kBlack);
    const QPoint outline[] = {levelEnd, {345, 64}, {kOriginX, kOriginY - 1}, {kOriginX, 169}};
    for (int i = 0; i + 1 < 4; ++i)
        canvas.wideLine(outline[i], outline[i + 1], kBlue);
}

void drawFixedTexts(PixelCanvas& canvas) {
    struct FixedText {
        const char* text;
        int x;
        int y;
    };
    // The life-line labels at the vertical axis in units of 万 (10^4 cycles), the axis titles.
    static const FixedText texts[] = {
        {"0", 16, 380},
        {"1", 21, 62},
        {"2", 21, 85},
        {"3", 21, 100},
        {"4", 21, 112},
        {"6", 21, 123},
        {"10", 16, 135},
        {"100", 10, 147},
        {"1000", 5, 165},
        {"万", 16, 183},
        {"下限応力係数 τ1/σB", 180, 400},
        {"上", 10, 200},
        {"限", 10, 214},
        {"応", 10, 228},
        {"力", 10, 242},
        {"係", 10, 256},
        {"数", 10, 270},
        {"τ2", 5, 288},
        {"─", 10, 298},
        {"σB", 5, 308},
    };
    for (const FixedText& text : texts)
        canvas.text({text.x, text.y}, QString::fromUtf8(text.text), kBlack);
}

void drawGrid(PixelCanvas& canvas) {
    for (int k = 1; k <= 4; ++k) {
        const int column = kOriginX + 70 * k;
        canvas.line({column, kFrameTop}, {column, kOriginY}, kBlack);
        canvas.text({70 * k + 26, 385}, QString::fromStdString(formatF15(k / 10.0)), kBlack);
    }
    canvas.text({380, 385}, QStringLiteral("0.5"), kBlack);
    for (int k = 1; k <= 4; ++k) {
        const int row = kFrameTop + 70 * k;
        canvas.line({kOriginX, row}, {kFrameRight, row}, kBlack);
        canvas.text({382, 70 * k + 26}, QString::fromStdString(formatF15((5 - k) / 10.0)), kBlack);
    }
    canvas.text({382, 26}, QStringLiteral("0.5"), kBlack);
}

// A working point's marker: a square of about 7 pixels around the point, kept off the negative
// side of both axes, with its label to the upper right. Only the upper coefficient is held to
// the area; a lower coefficient beyond 0.5 lands right of the frame, where the picture ends.
void drawMarker(PixelCanvas& canvas, double upper, double lower, const QColor& colour,
                const QString& label) {
    const int x = markerOffset(lower);
    const int y = markerOffset(upper);
    const int x0 = std::max(x - 3, 0);
    const int y0 = std::max(y - 3, 0);
    // The polygon's four corners form an axis-parallel rectangle; filled and outlined with a
    // one-pixel pen it covers its corner pixels on all four sides.
    const int left = kOriginX + x0;
    const int right = kOriginX + 3 + x;
    const int bottom = kOriginY - y0;
    const int top = kOriginY - 3 - y;
    canvas.fill(QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                      QPoint(std::max(left, right), std::max(top, bottom))),
                colour);
    canvas.text({40 + x0, 373 - y0}, label, colour);
}

// The layout of the labels assumes half-width characters 6 pixels wide at 12 pixels, as in the
// fixed-pitch Gothic faces: "1000" at column 5 must end before the axis at column 29. The
// proportional twin of the window face draws digits 7.5 pixels wide, and the labels' white
// background would cut the axis and the outline, so the diagram asks for the fixed-pitch face.
QFont diagramFont() {
    QFont font = windowFont(12);
    font.setFamilies({QStringLiteral("IPAGothic"), font.family()});
    return font;
}

bool missing(double upper, double lower) {
    return std::isnan(upper) || std::isnan(lower);
}

} // namespace

namespace {

// Steps 1 to 9: everything but the two markers, the same for every design.
void drawBackground(PixelCanvas& canvas) {
    canvas.fill(QRect(0, 0, kFatigueDiagramWidth, kFatigueDiagramHeight), kWhite);
    canvas.wideRectangle(kOriginX, kFrameTop, kFrameRight, kOriginY, kBlack);
    drawLifeLines(canvas);
    drawStressRatioRays(canvas);
    drawLongestLifeOutline(canvas);
    drawFixedTexts(canvas);
    drawGrid(canvas);
}

// The markers over the background, in order; returns the notices.
int drawMarkers(PixelCanvas& canvas, double upper, double lower, double hookUpper,
                double hookLower) {
    int notices = 0;
    bool coilDrawn = false;
    if (upper > kAreaLimit) {
        ++notices;
    } else if (!missing(upper, lower)) {
        drawMarker(canvas, upper, lower, kBlue, QStringLiteral("コイル部"));
        coilDrawn = true;
    }
    if (hookUpper > kAreaLimit)
        ++notices;
    else if (coilDrawn && !missing(hookUpper, hookLower))
        drawMarker(canvas, hookUpper, hookLower, kMagenta, QStringLiteral("フック部"));
    return notices;
}

// Runs `draw` on a canvas over `painter` with the diagram's font; pixels are placed without
// antialiasing, strokes keep the painter's choice.
template <typename Draw>
auto withCanvas(QPainter& painter, Draw draw, DiagramStrokes strokes = DiagramStrokes::Pixels) {
    painter.save();
    if (strokes == DiagramStrokes::Pixels)
        painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(diagramFont());
    PixelCanvas canvas(painter, strokes);
    const auto result = draw(canvas);
    painter.restore();
    return result;
}

// The background drawn once per run: its thousands of pixel runs are most of the diagram's
// cost, and every picture of the run starts from the same pixels.
const QImage& backgroundPicture() {
    static const QImage background = [] {
        QImage image(kFatigueDiagramWidth, kFatigueDiagramHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        withCanvas(painter, [](PixelCanvas& canvas) {
            drawBackground(canvas);
            return 0;
        });
        return image;
    }();
    return background;
}

} // namespace

int drawFatigueDiagram(QPainter& painter, double upper, double lower, double hookUpper,
                       double hookLower, DiagramStrokes strokes) {
    return withCanvas(
        painter,
        [&](PixelCanvas& canvas) {
            drawBackground(canvas);
            return drawMarkers(canvas, upper, lower, hookUpper, hookLower);
        },
        strokes);
}

int drawFatigueDiagram(QPainter& painter, double upper, double lower, double hookStressFactor,
                       DiagramStrokes strokes) {
    return drawFatigueDiagram(painter, upper, lower, upper * hookStressFactor,
                              lower * hookStressFactor, strokes);
}

// The first picture of a run is drawn whole; the background is kept from the second on. A run
// that shows one diagram (the command-line tool, the window as it opens) keeps no second image.
FatigueDiagramPicture renderFatigueDiagram(double upper, double lower, double hookUpper,
                                           double hookLower) {
    static std::atomic<bool> drawnBefore{false};
    FatigueDiagramPicture picture;
    if (!drawnBefore.exchange(true)) {
        picture.image = QImage(kFatigueDiagramWidth, kFatigueDiagramHeight, QImage::Format_RGB32);
        QPainter painter(&picture.image);
        picture.overAreaNotices = drawFatigueDiagram(painter, upper, lower, hookUpper, hookLower);
        return picture;
    }
    picture.image = backgroundPicture().copy();
    QPainter painter(&picture.image);
    picture.overAreaNotices = withCanvas(painter, [&](PixelCanvas& canvas) {
        return drawMarkers(canvas, upper, lower, hookUpper, hookLower);
    });
    return picture;
}

FatigueDiagramPicture renderFatigueDiagram(double upper, double lower, double hookStressFactor) {
    return renderFatigueDiagram(upper, lower, upper * hookStressFactor, lower * hookStressFactor);
}

} // namespace hspring
