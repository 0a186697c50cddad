// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <functional>
#include <string>

namespace hspring {

// The pictures of the program (the fatigue diagram, the spring view) leave it as PNG or SVG
// files, each written in one piece: an existing file is replaced only by a complete new one.
enum class PictureFormat { Png, Svg };

// SVG for a name ending in ".svg" (in any case), PNG for any other.
PictureFormat pictureFormatOf(const std::string& path);

// The image as a PNG file. Throws Error when it cannot be written.
void writePngFile(const std::string& path, const QImage& image);

// The picture `paint` draws in its own pixels (top-left corner at the origin, `size` large) as an
// SVG file: lines, shapes and texts stay what they are. Throws Error when it cannot be written.
void writeSvgFile(const std::string& path, QSize size, const QString& title,
                  const std::function<void(QPainter&)>& paint);

} // namespace hspring
