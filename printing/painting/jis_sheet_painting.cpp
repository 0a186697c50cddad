// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/painting/jis_sheet_painting.h"

#include "printing/print_size.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/painting/pdf_page.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace hspring {

namespace {

// Tenths of a millimetre.
constexpr int kMargin = 50;
constexpr int kHeadingTop = 40;
constexpr int kHeadingPixels = 60;
constexpr QRect kFigureFrame{kMargin, 140, 1900, 860};
// The spring is fitted into this part of the frame; the rest holds the dimensions.
constexpr QRectF kFigureArea{170, 260, 1660, 420};
constexpr int kFigurePixels = 34;
constexpr int kTableTop = 1030;
constexpr int kTablePixels = 30;
constexpr int kHeaderHeight = 60;
constexpr int kRowHeight = 52;
// Space kept between the table and the title block.
constexpr int kTableGap = 40;
constexpr int kTitleBlockTop = 2520;
constexpr int kTitleBlockLeft = 950;
constexpr int kTitleRowHeight = 100;
constexpr int kCellPadding = 15;

struct Column {
    const char* caption;
    int width;
};
constexpr Column kColumns[] = {
    {"No.", 100}, {"項目", 700}, {"単位", 220}, {"値", 480}, {"許容差", 400}};

constexpr qreal kThickLine = 5;
constexpr qreal kOutlineLine = 3.5;
constexpr qreal kThinLine = 1.5;
constexpr qreal kArrowLength = 28;
constexpr qreal kArrowHalfWidth = 8;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

void drawCellText(QPainter& painter, const QRect& cell, const QString& text, int flags) {
    const QRect inner = cell.adjusted(kCellPadding, 0, -kCellPadding, 0);
    const QString shown =
        painter.fontMetrics().elidedText(text, Qt::ElideRight, std::max(inner.width(), 0));
    painter.drawText(inner, flags | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

// ---- the figure --------------------------------------------------------------------------

struct Extent {
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();
    void add(DrawPoint p) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    bool valid() const { return minX < maxX && minY < maxY && std::isfinite(maxX - minX); }
};

// Counterclockwise sweep of an arc in degrees, (0, 360].
double sweepOf(const DrawArc& arc) {
    double sweep = std::fmod(arc.endAngle - arc.startAngle, 360.0);
    if (sweep <= 0)
        sweep += 360;
    return sweep;
}

Extent extentOf(const Outline& outline) {
    Extent extent;
    for (const OutlinePrimitive& primitive : outline) {
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            extent.add(segment->first);
            extent.add(segment->second);
            continue;
        }
        const DrawArc& arc = std::get<DrawArc>(primitive);
        const double sweep = sweepOf(arc);
        const int steps = std::max(2, static_cast<int>(sweep / 5) + 1);
        for (int i = 0; i <= steps; ++i)
            extent.add(pointOnCircle(arc.centre, arc.radius, arc.startAngle + sweep * i / steps));
    }
    return extent;
}

// Millimetres of the model (y up) to sheet units (y down).
struct FigureMap {
    double scale = 1;
    double left = 0;
    double top = 0;
    Extent extent;
    QPointF operator()(double x, double y) const {
        return {left + (x - extent.minX) * scale, top + (extent.maxY - y) * scale};
    }
    QPointF operator()(DrawPoint p) const { return (*this)(p.x, p.y); }
};

FigureMap fitFigure(const Extent& extent) {
    FigureMap map;
    map.extent = extent;
    const double width = extent.maxX - extent.minX;
    const double height = extent.maxY - extent.minY;
    map.scale = std::min(kFigureArea.width() / width, kFigureArea.height() / height);
    map.left = kFigureArea.left() + (kFigureArea.width() - width * map.scale) / 2;
    map.top = kFigureArea.top() + (kFigureArea.height() - height * map.scale) / 2;
    return map;
}

QPainterPath outlinePath(const Outline& outline, const FigureMap& map) {
    QPainterPath path;
    for (const OutlinePrimitive& primitive : outline) {
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            path.moveTo(map(segment->first));
            path.lineTo(map(segment->second));
            continue;
        }
        const DrawArc& arc = std::get<DrawArc>(primitive);
        const QPointF centre = map(arc.centre);
        const double r = arc.radius * map.scale;
        const QRectF box(centre.x() - r, centre.y() - r, 2 * r, 2 * r);
        // The model's counterclockwise (y up) stays counterclockwise on the sheet (y down), as
        // Qt measures arc angles.
        path.arcMoveTo(box, arc.startAngle);
        path.arcTo(box, arc.startAngle, sweepOf(arc));
    }
    return path;
}

void drawArrowHead(QPainter& painter, QPointF tip, QPointF towards) {
    const QPointF along = towards - tip;
    const double length = std::hypot(along.x(), along.y());
    if (length <= 0)
        return;
    const QPointF unit = along / length;
    const QPointF across(-unit.y(), unit.x());
    const QPointF base = tip + unit * kArrowLength;
    painter.drawPolygon(
        QPolygonF{tip, base + across * kArrowHalfWidth, base - across * kArrowHalfWidth});
}

// A dimension line from a to b with arrow heads at both ends, and its text beside its middle on
// a white ground, so that it stays readable where it crosses the drawing.
void drawDimension(QPainter& painter, QPointF a, QPointF b, const QString& text,
                   QPointF textOffset) {
    painter.setPen(QPen(Qt::black, kThinLine));
    painter.setBrush(Qt::black);
    painter.drawLine(a, b);
    drawArrowHead(painter, a, b);
    drawArrowHead(painter, b, a);
    if (text.isEmpty())
        return;
    const QFontMetrics metrics = painter.fontMetrics();
    const QPointF middle = (a + b) / 2 + textOffset;
    QRectF box(0, 0, metrics.horizontalAdvance(text) + 12, metrics.height());
    box.moveCenter(middle);
    painter.fillRect(box, Qt::white);
    painter.drawText(box, Qt::AlignCenter, text);
}

void paintFigure(QPainter& painter, const JisSheetTexts& texts,
                 const std::optional<JisSheetFigure>& figure) {
    painter.setPen(QPen(Qt::black, kThickLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(kFigureFrame);
    if (!figure)
        return;
    const Extent extent = extentOf(figure->outline);
    if (!extent.valid())
        return;
    painter.save();
    painter.setClipRect(kFigureFrame);
    const FigureMap map = fitFigure(extent);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::black, kOutlineLine, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outlinePath(figure->outline, map));

    painter.setFont(windowFont(kFigurePixels));
    const double d = figure->wireDiameter;
    // Free length: between the insides of the two hooks, one wire inside the drawing's ends.
    if (!texts.figure.freeLength.empty() && extent.maxX - extent.minX > 2 * d) {
        const double below = map(0, extent.minY).y() + 90;
        const QPointF a(map(extent.minX + d, 0).x(), below);
        const QPointF b(map(extent.maxX - d, 0).x(), below);
        painter.setPen(QPen(Qt::black, kThinLine));
        painter.drawLine(QPointF(a.x(), below - 80), QPointF(a.x(), below + 15));
        painter.drawLine(QPointF(b.x(), below - 80), QPointF(b.x(), below + 15));
        drawDimension(painter, a, b, qt(texts.figure.freeLength), QPointF(0, 45));
    }
    // Outer diameter: across the coil at the middle of its body, from the top of the wire on the
    // upper side to the bottom of the wire on the lower side.
    if (!texts.figure.outerDiameter.empty()) {
        const double bodyMiddle = (extent.minX + extent.maxX) / 2;
        const QPointF top = map(bodyMiddle, d / 2);
        const QPointF bottom = map(bodyMiddle, -figure->meanDiameter - d / 2);
        const QString text = qt(texts.figure.outerDiameter);
        const double half = painter.fontMetrics().horizontalAdvance(text) / 2.0 + 30;
        drawDimension(painter, top, bottom, text, QPointF(half, 0));
    }
    painter.setPen(Qt::black);
    int line = 0;
    for (const std::string& hookText : texts.figure.hook) {
        painter.drawText(QPointF(kFigureFrame.left() + 40, kFigureFrame.top() + 60 + line * 45),
                         qt(hookText));
        ++line;
    }
    painter.restore();
}

// ---- the table and the title block --------------------------------------------------------

void paintTable(QPainter& painter, const JisSheetTexts& texts) {
    painter.setFont(windowFont(kTablePixels));
    const int rows = static_cast<int>(texts.rows.size());
    // A design with more rows (a U hook's dimensions) gets lower rows, so the table always ends
    // above the title block.
    const int rowHeight = std::min(
        kRowHeight, (kTitleBlockTop - kTableGap - kTableTop - kHeaderHeight) / std::max(rows, 1));
    const int width = kFigureFrame.width();
    const int height = kHeaderHeight + rows * rowHeight;
    const QRect table(kMargin, kTableTop, width, height);
    painter.fillRect(QRect(kMargin, kTableTop, width, kHeaderHeight), QColor(235, 235, 235));

    painter.setPen(QPen(Qt::black, kThinLine));
    for (int row = 0; row <= rows; ++row) {
        const int y = kTableTop + kHeaderHeight + row * rowHeight;
        painter.drawLine(kMargin, y, kMargin + width, y);
    }
    int x = kMargin;
    for (const Column& column : kColumns) {
        painter.drawText(QRect(x, kTableTop, column.width, kHeaderHeight), Qt::AlignCenter,
                         QString::fromUtf8(column.caption));
        x += column.width;
        if (x < kMargin + width)
            painter.drawLine(x, kTableTop, x, kTableTop + height);
    }
    for (int row = 0; row < rows; ++row) {
        const JisSheetRow& item = texts.rows[row];
        const int y = kTableTop + kHeaderHeight + row * rowHeight;
        const QString cells[] = {QString::number(row + 1), qt(item.item), qt(item.unit),
                                 qt(item.value), qt(item.tolerance)};
        int left = kMargin;
        for (int column = 0; column < 5; ++column) {
            const QRect cell(left, y, kColumns[column].width, rowHeight);
            const int align = column == 1   ? Qt::AlignLeft
                              : column == 3 ? Qt::AlignRight
                                            : Qt::AlignHCenter;
            drawCellText(painter, cell, cells[column], align);
            left += kColumns[column].width;
        }
    }
    painter.setPen(QPen(Qt::black, kThickLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(table);
}

void paintTitleBlock(QPainter& painter, const JisSheetTexts& texts) {
    painter.setFont(windowFont(kTablePixels));
    const int fields = static_cast<int>(texts.titleBlock.size());
    const int rows = (fields + 1) / 2;
    const int width = kMargin + kFigureFrame.width() - kTitleBlockLeft;
    const int half = width / 2;
    constexpr int kCaptionWidth = 130;
    painter.setPen(QPen(Qt::black, kThinLine));
    for (int i = 0; i < fields; ++i) {
        const int left = kTitleBlockLeft + (i % 2) * half;
        const int top = kTitleBlockTop + (i / 2) * kTitleRowHeight;
        const QRect caption(left, top, kCaptionWidth, kTitleRowHeight);
        const QRect value(left + kCaptionWidth, top, half - kCaptionWidth, kTitleRowHeight);
        painter.fillRect(caption.adjusted(1, 1, 0, 0), QColor(235, 235, 235));
        painter.drawRect(caption);
        painter.drawRect(value);
        drawCellText(painter, caption, qt(texts.titleBlock[i].caption), Qt::AlignHCenter);
        drawCellText(painter, value, qt(texts.titleBlock[i].value), Qt::AlignLeft);
    }
    painter.setPen(QPen(Qt::black, kThickLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(kTitleBlockLeft, kTitleBlockTop, width, rows * kTitleRowHeight));

    // What the numbers are in, left of the block.
    painter.setPen(Qt::black);
    painter.drawText(QRect(kMargin, kTitleBlockTop, kTitleBlockLeft - kMargin - 40, 200),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("寸法の単位 mm、荷重 N、応力 N/mm²\n"
                                    "荷重と応力は 1 kgf = 9.80665 N で換算"));
}

} // namespace

void paintJisSheet(QPainter& painter, const JisSheetTexts& texts,
                   const std::optional<JisSheetFigure>& figure) {
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), kJisSheetSize), Qt::white);
    painter.setPen(QPen(Qt::black, kThickLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(0, 0), kJisSheetSize).adjusted(10, 10, -10, -10));

    painter.setFont(windowFont(kHeadingPixels));
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, kHeadingTop, kJisSheetSize.width(), kHeadingPixels + 30),
                     Qt::AlignCenter, qt(texts.heading));

    paintFigure(painter, texts, figure);
    paintTable(painter, texts);
    paintTitleBlock(painter, texts);
    painter.restore();
}

void printJisSheet(QPainter& pagePainter, const JisSheetTexts& texts,
                   const std::optional<JisSheetFigure>& figure) {
    const QPaintDevice& page = *pagePainter.device();
    constexpr qreal kUnitsPerInch = 254; // tenths of a millimetre
    pagePainter.save();
    pagePainter.scale(page.logicalDpiX() / kUnitsPerInch, page.logicalDpiY() / kUnitsPerInch);
    paintJisSheet(pagePainter, texts, figure);
    pagePainter.restore();
}

void writeJisSheetPdf(const std::string& path, const JisSheetTexts& texts,
                      const std::optional<JisSheetFigure>& figure) {
    writePdfPage(path, {qt(texts.documentTitle), qt(texts.author)},
                 [&](QPainter& painter) { printJisSheet(painter, texts, figure); });
}

} // namespace hspring
