// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/painting/load_length_chart_painting.h"

#include <gtest/gtest.h>

namespace hspring {
namespace {

TEST(LoadLengthChartPainting, SceneMapsOntoThePlotAndTheLineIsDrawnThere) {
    LoadLengthChart chart;
    chart.lineStart = {30, 0.3};
    chart.lineEnd = {70, 2.3};
    chart.working[0] = {{45, 1.05}, 0.1};
    chart.working[1] = {{55, 1.55}, 0.15};
    chart.lengthRange[1] = 80;
    chart.loadRange[1] = 2.5;
    const QSizeF size(kLoadLengthChartWidth, kLoadLengthChartHeight);
    const ChartFrame frame = chartFrame(chart, size);
    // The ranges' corners are the plot's corners, loads upwards.
    EXPECT_EQ(frame.toPicture({0, 0}), frame.plot.bottomLeft());
    EXPECT_EQ(frame.toPicture({80, 2.5}), frame.plot.topRight());
    EXPECT_TRUE(QRectF(QPointF(0, 0), size).contains(frame.plot));

    // The line's colour where the scene puts the middle of the line, white well off it.
    const QImage image = renderLoadLengthChart(chart);
    const QPoint middle = frame.toPicture({50, 1.3}).toPoint();
    const QColor on = image.pixelColor(middle);
    EXPECT_GT(on.blue() - on.red(), 60) << on.name().toStdString(); // dark blue, antialiased
    const QPoint off = frame.toPicture({20, 2}).toPoint();
    EXPECT_EQ(image.pixelColor(off), QColor(Qt::white));
}

} // namespace
} // namespace hspring
