// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/painting/load_length_chart_painting.h"

#include "base/number_format.h"
#include "toolkit/painting/fonts.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace hspring {

namespace {

// Margins of the plot area, pixels: room for the scales and captions.
constexpr double kLeftMargin = 60;
constexpr double kRightMargin = 110; // the limits' names
constexpr double kTopMargin = 20;
constexpr double kBottomMargin = 45;
constexpr int kTextPixels = 11;

const QColor kLineColour(0, 0, 160);
const QColor kBandColour(120, 150, 255, 70);
const QColor kCoilLimitColour(200, 0, 0);
const QColor kHookLimitColour(200, 110, 0);
const QColor kWindowColour(0, 140, 0);

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// A tick step of 1, 2 or 5 times a power of ten giving about `count` ticks over the span.
double tickStep(double span, int count) {
    if (!(span > 0) || !std::isfinite(span))
        return 1;
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * power)
            return factor * power;
    return 10 * power;
}

void drawAxes(QPainter& painter, const ChartFrame& frame, UnitSystem units) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.plot);
    const QFontMetricsF metrics(painter.font());
    const double lengthStep = tickStep(frame.lengthRange[1] - frame.lengthRange[0], 8);
    for (double x = std::ceil(frame.lengthRange[0] / lengthStep) * lengthStep;
         x <= frame.lengthRange[1]; x += lengthStep) {
        const QPointF at = frame.toPicture({x, frame.loadRange[0]});
        painter.drawLine(at, at + QPointF(0, 4));
        const QString text = qt(formatF4(x));
        painter.drawText(QPointF(at.x() - metrics.horizontalAdvance(text) / 2, at.y() + 16), text);
    }
    const double loadStep = tickStep(frame.loadRange[1] - frame.loadRange[0], 6);
    for (double y = std::ceil(frame.loadRange[0] / loadStep) * loadStep; y <= frame.loadRange[1];
         y += loadStep) {
        const QPointF at = frame.toPicture({frame.lengthRange[0], y});
        painter.drawLine(at, at - QPointF(4, 0));
        const QString text = qt(formatF4(y));
        painter.drawText(QPointF(at.x() - 7 - metrics.horizontalAdvance(text), at.y() + 4), text);
    }
    painter.drawText(QPointF(frame.plot.center().x() - 30, frame.plot.bottom() + 36),
                     QStringLiteral("長さ mm"));
    painter.drawText(QPointF(4, frame.plot.top() - 6),
                     QStringLiteral("荷重 ") +
                         qt(std::string(unitText(ForceQuantity::Load, units))));
}

void drawBandAndLine(QPainter& painter, const ChartFrame& frame, const LoadLengthChart& chart) {
    if (chart.bandUpper && chart.bandLower) {
        QPolygonF band;
        band << frame.toPicture(chart.bandUpper->first) << frame.toPicture(chart.bandUpper->second)
             << frame.toPicture(chart.bandLower->second) << frame.toPicture(chart.bandLower->first);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kBandColour);
        painter.drawPolygon(band);
    }
    painter.setPen(QPen(kLineColour, 2));
    painter.drawLine(frame.toPicture(chart.lineStart), frame.toPicture(chart.lineEnd));
}

void drawLimits(QPainter& painter, const ChartFrame& frame, const LoadLengthChart& chart) {
    for (const ChartLimit& limit : chart.limits) {
        const bool coil = limit.kind == ChartLimit::Kind::Coil;
        QPen pen(coil ? kCoilLimitColour : kHookLimitColour, 1, Qt::DashLine);
        painter.setPen(pen);
        const QPointF left = frame.toPicture({frame.lengthRange[0], limit.load});
        const QPointF right = frame.toPicture({frame.lengthRange[1], limit.load});
        painter.drawLine(left, right);
        painter.drawText(right + QPointF(4, 4), coil ? QStringLiteral("コイル最大荷重")
                                                     : QStringLiteral("フック最大荷重"));
    }
}

// A vertical bar from low to high at a length, with short caps.
void drawBar(QPainter& painter, const ChartFrame& frame, double length, double low, double high,
             double cap) {
    const QPointF top = frame.toPicture({length, high});
    const QPointF bottom = frame.toPicture({length, low});
    painter.drawLine(top, bottom);
    painter.drawLine(top - QPointF(cap, 0), top + QPointF(cap, 0));
    painter.drawLine(bottom - QPointF(cap, 0), bottom + QPointF(cap, 0));
}

void drawPoints(QPainter& painter, const ChartFrame& frame, const LoadLengthChart& chart) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kWindowColour, 3));
    for (const ChartLoadWindow& window : chart.windows)
        drawBar(painter, frame, window.length, window.lowLoad, window.highLoad, 7);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    for (int i = 0; i < 2; ++i) {
        const ChartWorkingPoint& w = chart.working[i];
        if (w.tolerance > 0)
            drawBar(painter, frame, w.point.length, w.point.load - w.tolerance,
                    w.point.load + w.tolerance, 4);
        const QPointF at = frame.toPicture(w.point);
        painter.drawEllipse(at, 3, 3);
        painter.drawText(at + QPointF(6, 14), i == 0 ? QStringLiteral("P1") : QStringLiteral("P2"));
    }
}

} // namespace

QPointF ChartFrame::toPicture(ChartPoint point) const {
    const double lengthSpan = lengthRange[1] - lengthRange[0];
    const double loadSpan = loadRange[1] - loadRange[0];
    const double x = plot.left() + (point.length - lengthRange[0]) / lengthSpan * plot.width();
    const double y = plot.bottom() - (point.load - loadRange[0]) / loadSpan * plot.height();
    return {x, y};
}

ChartFrame chartFrame(const LoadLengthChart& chart, QSizeF size) {
    ChartFrame frame{};
    frame.plot = QRectF(kLeftMargin, kTopMargin, size.width() - kLeftMargin - kRightMargin,
                        size.height() - kTopMargin - kBottomMargin);
    for (int i = 0; i < 2; ++i) {
        frame.lengthRange[i] = chart.lengthRange[i];
        frame.loadRange[i] = chart.loadRange[i];
    }
    // An empty range (no line to draw) still gives a frame.
    if (!(frame.lengthRange[1] > frame.lengthRange[0]))
        frame.lengthRange[1] = frame.lengthRange[0] + 1;
    if (!(frame.loadRange[1] > frame.loadRange[0]))
        frame.loadRange[1] = frame.loadRange[0] + 1;
    return frame;
}

void drawLoadLengthChart(QPainter& painter, const LoadLengthChart& chart, QSizeF size) {
    painter.save();
    // On white, as the PNG is: an SVG viewer's ground may be anything.
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = windowFont(kTextPixels);
    painter.setFont(font);
    const ChartFrame frame = chartFrame(chart, size);
    painter.save();
    painter.setClipRect(frame.plot);
    drawBandAndLine(painter, frame, chart);
    painter.restore();
    drawLimits(painter, frame, chart);
    painter.save();
    painter.setClipRect(frame.plot.adjusted(-8, -8, 8, 8));
    drawPoints(painter, frame, chart);
    painter.restore();
    drawAxes(painter, frame, chart.units);
    painter.restore();
}

QImage renderLoadLengthChart(const LoadLengthChart& chart) {
    QImage image(kLoadLengthChartWidth, kLoadLengthChartHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawLoadLengthChart(painter, chart);
    return image;
}

} // namespace hspring
