// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace hspring {

// The pictures of the program (the fatigue diagram, the spring view) leave it as PNG or SVG
// files, each written in one piece: an existing file is replaced only by a complete new one.
enum class PictureFormat { Png, Svg };

// SVG for a name ending in ".svg" (in any case), PNG for any other.
PictureFormat pictureFormatOf(const std::string& path);

// The image as a PNG file. Throws Error when it cannot be written.
void writePngFile(const std::string& path, const QImage& image);

// The scales a PNG export offers: 1 is the picture as the screen shows it, pixel for pixel.
inline constexpr int kLargestPictureScale = 4;

// The picture `paint` draws in its own pixels (`size` large) enlarged `scale` times on white,
// with antialiased lines: the PNG of a report. Scale 1 draws it as the screen does, without
// antialiasing.
QImage renderScaledPicture(QSize size, int scale, const std::function<void(QPainter&)>& paint);

// One part of an SVG picture: what `paint` draws (in the picture's pixels from its top-left
// corner) is clipped to `clip`.
struct SvgLayer {
    QRect clip;
    std::function<void(QPainter&)> paint;
};

// The picture `paint` draws in its own pixels (top-left corner at the origin, `size` large) as an
// SVG file: lines, shapes and texts stay what they are, clipped to the picture's frame, and each
// text names the face the program really draws with, then the generic sans-serif, so that any
// viewer finds Japanese glyphs of the same widths. Throws Error when it cannot be written.
void writeSvgFile(const std::string& path, QSize size, const QString& title,
                  const std::function<void(QPainter&)>& paint);

// The same for a picture of several layers, each clipped to its own frame (a view inside a
// page): painted in order, one over the other.
void writeSvgFile(const std::string& path, QSize size, const QString& title,
                  const std::vector<SvgLayer>& layers);

// A saved picture names what it shows in a caption line below it (the design's material and
// size, or the part name), so that the file says what it is on its own; the screen shows the
// picture without it. A picture with no caption keeps its size.
inline constexpr int kCaptionHeight = 22;
QSize captionedSize(QSize size, const QString& caption);
// What `paint` draws in its `size` on white, with the caption in the strip below.
std::function<void(QPainter&)> withCaption(QSize size, const QString& caption,
                                           std::function<void(QPainter&)> paint);

// The SVG text itself.
QByteArray svgPicture(QSize size, const QString& title, const std::vector<SvgLayer>& layers);

} // namespace hspring
