// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/painting/picture_files.h"

#include "base/error.h"
#include "base/file_io.h"

#include <QBuffer>
#include <QByteArray>
#include <QSvgGenerator>
#include <span>

namespace hspring {

namespace {

void writeBytes(const std::string& path, const QByteArray& bytes) {
    writeFileAtomically(path,
                        std::as_bytes(std::span(bytes.constData(), std::size_t(bytes.size()))));
}

} // namespace

PictureFormat pictureFormatOf(const std::string& path) {
    const QString name = QString::fromStdString(path);
    return name.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ? PictureFormat::Svg
                                                                      : PictureFormat::Png;
}

void writePngFile(const std::string& path, const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw fileCreateError(path, {});
    writeBytes(path, png);
}

void writeSvgFile(const std::string& path, QSize size, const QString& title,
                  const std::function<void(QPainter&)>& paint) {
    QByteArray svg;
    {
        QBuffer buffer(&svg);
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(title);
        // One picture pixel is one CSS pixel, as on a 96-dpi screen.
        generator.setResolution(96);
        QPainter painter;
        if (!painter.begin(&generator))
            throw fileCreateError(path, {});
        paint(painter);
        painter.end();
    }
    writeBytes(path, svg);
}

} // namespace hspring
