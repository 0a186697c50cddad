// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/painting/data_sheet_figure.h"

#include <QImage>
#include <gtest/gtest.h>

namespace hspring {
namespace {

QImage figure() {
    QImage image(kDataSheetFigureSize, QImage::Format_RGB32);
    image.fill(Qt::black); // the figure must paint its own background
    QPainter painter(&image);
    paintDataSheetFigure(painter);
    return image;
}

bool isWhite(QRgb pixel) {
    return pixel == qRgb(255, 255, 255);
}

// Where the sheet's labels stand, in the figure's coordinates (their window positions less the
// figure's (192, 0)), with the height of a line of 19-pixel text and the width the figure covers.
struct LabelBand {
    const char* name;
    QRect rect;
};
const LabelBand kLabelBands[] = {
    {"L2", {48, 16, 140, 21}}, {"L1", {48, 48, 140, 21}},  {"L0", {48, 80, 140, 21}},
    {"P2", {288, 72, 81, 21}}, {"P1", {288, 104, 81, 21}},
};

TEST(DataSheetFigure, BlueLinesOnWhite) {
    const QImage image = figure();
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            // Antialiased blue on white: equal red and green, full blue.
            ASSERT_EQ(qRed(pixel), qGreen(pixel)) << x << "," << y;
            ASSERT_EQ(qBlue(pixel), 255) << x << "," << y;
            if (qRed(pixel) < 128)
                ++blue;
        }
    EXPECT_GT(blue, 1000);
}

// The labels stay readable: nothing is drawn where they stand, and the arrow or load level each
// one names runs just below it.
TEST(DataSheetFigure, LabelsHaveTheirPlaceAndTheirLine) {
    const QImage image = figure();
    for (const LabelBand& band : kLabelBands) {
        for (int y = band.rect.top(); y <= band.rect.bottom(); ++y)
            for (int x = band.rect.left(); x <= band.rect.right(); ++x)
                ASSERT_TRUE(isWhite(image.pixel(x, y))) << band.name << " at " << x << "," << y;

        bool lineBelow = false;
        for (int y = band.rect.bottom() + 1; y <= band.rect.bottom() + 6 && !lineBelow; ++y) {
            int inked = 0;
            for (int x = band.rect.left(); x <= band.rect.right(); ++x)
                inked += qRed(image.pixel(x, y)) < 128;
            lineBelow = inked >= band.rect.width() - 4;
        }
        EXPECT_TRUE(lineBelow) << band.name;
    }
}

// The coil diameter's label stands left of the figure, from y 152, and with a four-digit value
// reaches about 20 pixels into it: the dimension is a vertical line beside it, clear of its end.
TEST(DataSheetFigure, CoilDiameterBesideItsLabel) {
    const QImage image = figure();
    int column = -1;
    for (int x = 20; x < 40 && column < 0; ++x) {
        int inked = 0;
        for (int y = 152; y < 174; ++y)
            inked += qRed(image.pixel(x, y)) < 128;
        if (inked == 22)
            column = x;
    }
    EXPECT_GE(column, 0);
}

} // namespace
} // namespace hspring
