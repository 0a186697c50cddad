// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/load_length_chart.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace hspring {

// The load–length chart is drawn in a picture of this size (pixels), or scaled onto any painter.
inline constexpr int kLoadLengthChartWidth = 560;
inline constexpr int kLoadLengthChartHeight = 400;

// Where the chart's scene (mm, kgf) lands in the picture: the plot area inside the axes' margins.
struct ChartFrame {
    QRectF plot;
    double lengthRange[2];
    double loadRange[2];
    QPointF toPicture(ChartPoint point) const;
};
ChartFrame chartFrame(const LoadLengthChart& chart, QSizeF pictureSize);

// Draws the chart in picture pixels, its top-left corner at the painter's origin: axes with
// their scales and captions on white, the tolerance band (filled), the design's line, the maximum
// loads as dashed horizontal lines with their names, a requirement's windows as bars, and the
// working points with their tolerance bars. Everything is lines, shapes and text, so an SVG or PDF
// painter keeps it as vectors.
void drawLoadLengthChart(QPainter& painter, const LoadLengthChart& chart,
                         QSizeF pictureSize = QSizeF(kLoadLengthChartWidth,
                                                     kLoadLengthChartHeight));

// The chart drawn into a new image of the chart's size on white.
QImage renderLoadLengthChart(const LoadLengthChart& chart);

} // namespace hspring
