// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures as SVG files, rendered by another program (librsvg's rsvg-convert), against the
// PNG the program writes; and the enlarged PNG.

#include "diagram/painting/fatigue_diagram.h"
#include "drawing/painting/shape_view_painting.h"
#include "toolkit/painting/picture_files.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace hspring {
namespace {

// The SVG rendered at its own size by rsvg-convert; a null image when the tool is missing.
QImage renderedByRsvg(const QString& svgPath) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (tool.isEmpty())
        return {};
    const QString png = svgPath + QStringLiteral(".png");
    QProcess process;
    process.start(
        tool, {QStringLiteral("-b"), QStringLiteral("white"), QStringLiteral("-o"), png, svgPath});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

bool inked(QRgb pixel) {
    return qGray(pixel) < 170;
}

bool inkNear(const QImage& image, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p(x + dx, y + dy);
            if (image.rect().contains(p) && qGray(image.pixel(p)) < 235)
                return true;
        }
    return false;
}

// The share of the inked pixels of `a` with no ink within one pixel in `b`: what a difference of
// antialiasing and rasteriser leaves is near zero, a line or text in another place is not.
double unmatchedInk(const QImage& a, const QImage& b) {
    int ink = 0;
    int unmatched = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (inked(a.pixel(x, y))) {
                ++ink;
                if (!inkNear(b, x, y))
                    ++unmatched;
            }
    return ink == 0 ? 1.0 : double(unmatched) / ink;
}

int elementCount(const QByteArray& svg) {
    return int(QString::fromUtf8(svg).count(
        QRegularExpression(QStringLiteral("<(path|rect|text|polyline|line|"
                                          "circle|ellipse|polygon|image)\\b"))));
}

struct SvgCase {
    const char* name;
    QSize size;
    std::function<void(QPainter&)> vectors;
    QImage png;
};

class VectorPictures : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        if (QStandardPaths::findExecutable(QStringLiteral("rsvg-convert")).isEmpty())
            GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    }
    QTemporaryDir folder_;
};

// The diagram with both markers and the free spring view: each SVG, rendered by rsvg-convert,
// puts its lines and texts where the program's PNG has them, in fonts another viewer finds, and
// inside its frame.
TEST_F(VectorPictures, SvgRendersLikeTheProgramsPng) {
    const CoilShape coil{1, 8, 12.5};
    QImage view(kShapeViewSize, QImage::Format_RGB32);
    {
        QPainter painter(&view);
        drawFreeRoundHook(painter, coil, 80, 40);
    }
    const SvgCase cases[] = {
        {"diagram",
         {kFatigueDiagramWidth, kFatigueDiagramHeight},
         [](QPainter& painter) {
             drawFatigueDiagram(painter, 0.35, 0.15, 1.25, DiagramStrokes::Vectors);
         },
         renderFatigueDiagram(0.35, 0.15, 1.25).image},
        {"spring view", kShapeViewSize,
         [&coil](QPainter& painter) { drawFreeRoundHook(painter, coil, 80, 40); }, view},
    };
    for (const SvgCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder_.filePath(QString::fromUtf8(c.name) + QStringLiteral(".svg"));
        writeSvgFile(path.toStdString(), c.size, QStringLiteral("t"), c.vectors);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray svg = file.readAll();
        EXPECT_FALSE(svg.contains("<image"));
        EXPECT_TRUE(svg.contains("<clipPath"));
        EXPECT_LE(elementCount(svg), 400);
        const QString text = QString::fromUtf8(svg);
        for (const auto& match :
             QRegularExpression(QStringLiteral("font-family=\"([^\"]*)\"")).globalMatch(text))
            EXPECT_TRUE(match.captured(1).endsWith(QStringLiteral(", sans-serif")))
                << match.captured(1).toStdString();

        const QImage rendered = renderedByRsvg(path);
        ASSERT_FALSE(rendered.isNull());
        ASSERT_EQ(rendered.size(), c.png.size());
        EXPECT_LT(unmatchedInk(c.png, rendered), 0.02);
        EXPECT_LT(unmatchedInk(rendered, c.png), 0.02);
    }
    // The diagram as strokes is a few hundred elements, not thousands of pixel runs.
    QByteArray pixelRuns;
    {
        const QString path = folder_.filePath(QStringLiteral("runs.svg"));
        writeSvgFile(path.toStdString(), {kFatigueDiagramWidth, kFatigueDiagramHeight},
                     QStringLiteral("t"),
                     [](QPainter& painter) { drawFatigueDiagram(painter, 0.35, 0.15, 1.25); });
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        pixelRuns = file.readAll();
    }
    EXPECT_GT(elementCount(pixelRuns), 1000);
}

// A view layer is clipped to its frame: a spring larger than the view is cut at its edge when
// another program renders the page.
TEST_F(VectorPictures, LayersAreClippedToTheirFrames) {
    const QSize page(300, 200);
    const QRect frame(50, 50, 100, 60);
    const QString path = folder_.filePath(QStringLiteral("layers.svg"));
    writeSvgFile(path.toStdString(), page, QStringLiteral("t"),
                 {SvgLayer{QRect(QPoint(0, 0), page),
                           [&](QPainter& painter) {
                               painter.fillRect(QRect({0, 0}, page), Qt::white);
                           }},
                  SvgLayer{frame, [](QPainter& painter) {
                               painter.setPen(QPen(Qt::blue, 4));
                               painter.drawLine(0, 80, 300, 80);
                               painter.drawLine(100, 0, 100, 200);
                           }}});
    const QImage rendered = renderedByRsvg(path);
    ASSERT_EQ(rendered.size(), page);
    EXPECT_TRUE(inked(rendered.pixel(100, 70)));  // inside the frame
    EXPECT_FALSE(inked(rendered.pixel(100, 20))); // the same line above the frame
    EXPECT_FALSE(inked(rendered.pixel(20, 80)));  // and left of it
    EXPECT_TRUE(inked(rendered.pixel(120, 80)));
}

// An enlarged PNG is the picture drawn anew at that size, antialiased; scale 1 is the screen's.
TEST(PictureScale, EnlargedPngIsDrawnAntialiased) {
    const auto paint = [](QPainter& painter) {
        drawFatigueDiagram(painter, 0.35, 0.15, 1.25, DiagramStrokes::Vectors);
    };
    const QSize size(kFatigueDiagramWidth, kFatigueDiagramHeight);
    const QImage twice = renderScaledPicture(size, 2, paint);
    ASSERT_EQ(twice.size(), size * 2);
    // Antialiased edges give greys between black and white along the sloping life lines.
    int greys = 0;
    for (int y = 100; y < 700; ++y)
        for (int x = 60; x < 700; ++x) {
            const int grey = qGray(twice.pixel(x, y));
            if (qRed(twice.pixel(x, y)) == qBlue(twice.pixel(x, y)) && grey > 40 && grey < 215)
                ++greys;
        }
    EXPECT_GT(greys, 500);
    // Halved again it lies on the program's own picture.
    const QImage halved = twice.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(unmatchedInk(renderFatigueDiagram(0.35, 0.15, 1.25).image, halved), 0.03);
    const QImage once = renderScaledPicture(
        size, 1, [](QPainter& painter) { drawFatigueDiagram(painter, 0.35, 0.15, 1.25); });
    EXPECT_EQ(once, renderFatigueDiagram(0.35, 0.15, 1.25).image);
}

} // namespace
} // namespace hspring
