// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/painting/print_header.h"

#include "toolkit/painting/fonts.h"

#include <QFontMetricsF>
#include <QPen>

namespace hspring {

qreal paintPrintHeader(QPainter& painter, const PrintHeader& header, qreal width) {
    if (header.empty())
        return 0;
    const QPaintDevice& device = *painter.device();
    // 10 pt text and a line a quarter of a point thick, at the device's resolution.
    const int pixels = std::max(1, device.logicalDpiY() * 10 / 72);
    painter.save();
    painter.setFont(windowFont(pixels));
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font(), &device);
    const qreal lineHeight = metrics.height();
    QStringList right;
    if (!header.date.isEmpty())
        right << header.date;
    if (!header.fileName.isEmpty())
        right << header.fileName;
    painter.drawText(QRectF(0, 0, width, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     header.title);
    painter.drawText(QRectF(0, 0, width, lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                     right.join(QStringLiteral("   ")));
    const qreal rule = lineHeight * 1.2;
    painter.setPen(QPen(Qt::black, std::max<qreal>(1, device.logicalDpiY() / 288.0)));
    painter.drawLine(QPointF(0, rule), QPointF(width, rule));
    painter.restore();
    return rule + lineHeight * 0.8;
}

} // namespace hspring
