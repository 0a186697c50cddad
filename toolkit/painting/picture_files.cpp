// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/painting/picture_files.h"

#include "base/error.h"
#include "base/file_io.h"
#include "toolkit/painting/fonts.h"

#include <QBuffer>
#include <QByteArray>
#include <QFontInfo>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <algorithm>
#include <map>
#include <span>

namespace hspring {

namespace {

void writeBytes(const std::string& path, const QByteArray& bytes) {
    writeFileAtomically(path,
                        std::as_bytes(std::span(bytes.constData(), std::size_t(bytes.size()))));
}

// One layer as Qt's SVG generator writes it: the whole document.
QByteArray generatedSvg(QSize size, const QString& title, const SvgLayer& layer) {
    QByteArray svg;
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
        throw fileCreateError("SVG", {});
    layer.paint(painter);
    painter.end();
    return svg;
}

// The generator writes one family, the one asked for, which other viewers replace by a face of
// other widths (the Japanese window face does not exist outside Windows): name the face Qt
// resolved it to, then the generic family.
QByteArray withResolvableFonts(QByteArray svg) {
    static const QRegularExpression family(QStringLiteral("font-family=\"([^\"]*)\""));
    std::map<QString, QString> resolved;
    QString text = QString::fromUtf8(svg);
    QString out;
    qsizetype last = 0;
    for (auto it = family.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString asked = match.captured(1);
        auto known = resolved.find(asked);
        if (known == resolved.end()) {
            const QString face = QFontInfo(QFont(asked)).family();
            QString list = QStringLiteral("'%1'").arg(face);
            if (face != asked)
                list += QStringLiteral(", '%1'").arg(asked);
            known = resolved.emplace(asked, list + QStringLiteral(", sans-serif")).first;
        }
        out += QStringView(text).mid(last, match.capturedStart() - last);
        out += QStringLiteral("font-family=\"%1\"").arg(known->second);
        last = match.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out.toUtf8();
}

// What lies between the generator's header (up to its description) and the closing tag.
QByteArray svgBody(const QByteArray& svg) {
    const qsizetype descEnd = svg.indexOf("</desc>");
    const qsizetype start = descEnd < 0 ? svg.indexOf('>', svg.indexOf("<svg")) + 1 : descEnd + 7;
    const qsizetype end = svg.lastIndexOf("</svg>");
    return svg.mid(start, end - start);
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

QImage renderScaledPicture(QSize size, int scale, const std::function<void(QPainter&)>& paint) {
    scale = std::clamp(scale, 1, kLargestPictureScale);
    QImage image(size * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, scale > 1);
    painter.setRenderHint(QPainter::TextAntialiasing, scale > 1);
    painter.scale(scale, scale);
    paint(painter);
    painter.end();
    return image;
}

QByteArray svgPicture(QSize size, const QString& title, const std::vector<SvgLayer>& layers) {
    QByteArray document;
    QByteArray clips;
    QByteArray bodies;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        const QByteArray svg = generatedSvg(size, title, layers[i]);
        if (document.isEmpty()) {
            // The picture's size in CSS pixels, as it is drawn, rather than the generator's
            // millimetres, which a viewer rounds to one pixel more.
            document = svg.left(svg.indexOf("</desc>") + 7);
            static const QRegularExpression rootSize(
                QStringLiteral("<svg width=\"[^\"]*\" height=\"[^\"]*\""));
            document = QString::fromUtf8(document)
                           .replace(rootSize, QStringLiteral("<svg width=\"%1\" height=\"%2\"")
                                                  .arg(size.width())
                                                  .arg(size.height()))
                           .toUtf8();
        }
        const QRect& clip = layers[i].clip;
        const QByteArray id = "frame" + QByteArray::number(qulonglong(i));
        clips += "<clipPath id=\"" + id + "\"><rect x=\"" + QByteArray::number(clip.x()) +
                 "\" y=\"" + QByteArray::number(clip.y()) + "\" width=\"" +
                 QByteArray::number(clip.width()) + "\" height=\"" +
                 QByteArray::number(clip.height()) + "\"/></clipPath>\n";
        bodies += "<g clip-path=\"url(#" + id + ")\">" + svgBody(svg) + "</g>\n";
    }
    document += "\n<defs>\n" + clips + "</defs>\n" + bodies + "</svg>\n";
    return withResolvableFonts(document);
}

void writeSvgFile(const std::string& path, QSize size, const QString& title,
                  const std::function<void(QPainter&)>& paint) {
    writeSvgFile(path, size, title, {SvgLayer{QRect(QPoint(0, 0), size), paint}});
}

void writeSvgFile(const std::string& path, QSize size, const QString& title,
                  const std::vector<SvgLayer>& layers) {
    QByteArray svg;
    try {
        svg = svgPicture(size, title, layers);
    } catch (const Error&) {
        throw fileCreateError(path, {});
    }
    writeBytes(path, svg);
}

QSize captionedSize(QSize size, const QString& caption) {
    return caption.isEmpty() ? size : QSize(size.width(), size.height() + kCaptionHeight);
}

std::function<void(QPainter&)> withCaption(QSize size, const QString& caption,
                                           std::function<void(QPainter&)> paint) {
    return [size, caption, paint = std::move(paint)](QPainter& painter) {
        painter.save();
        painter.fillRect(QRect(QPoint(0, 0), captionedSize(size, caption)), Qt::white);
        painter.setClipRect(QRect(QPoint(0, 0), size));
        paint(painter);
        painter.restore();
        if (caption.isEmpty())
            return;
        painter.save();
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(QPointF(0, size.height() + 0.5),
                         QPointF(size.width(), size.height() + 0.5));
        painter.setFont(windowFont(12));
        painter.drawText(QRect(6, size.height(), size.width() - 12, kCaptionHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
        painter.restore();
    };
}

} // namespace hspring
