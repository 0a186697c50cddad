// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/painting/jis_sheet_painting.h"

#include "printing/print_size.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/painting/pdf_page.h"
#include "toolkit/painting/utf8_text.h"
#include "wording/japanese.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace hspring {

namespace {

// Tenths of a millimetre.
constexpr int kMargin = 50;
constexpr int kContentWidth = 1900;
constexpr int kHeadingTop = 40;
constexpr int kHeadingPixels = 60;
constexpr QRect kFigureFrame{kMargin, 140, kContentWidth, 760};
// The spring is fitted into this part of the frame; the rest holds the dimensions.
constexpr QRectF kFigureArea{170, 300, 1660, 360};
constexpr int kFigurePixels = 34;
constexpr int kTableTop = 920;
constexpr int kTablePixels = 30;
constexpr int kHeaderHeight = 60;
constexpr int kRowHeight = 48;
// Space kept between the table and what stands below it.
constexpr int kTableGap = 30;
// The title block stands in the bottom-right corner, the notes left of it, the file name below.
constexpr int kTitleBlockLeft = 850;
constexpr int kTitleBlockBottom = 2790;
constexpr int kTitleColumns = 5;
constexpr int kTitleColumnWidth = (kMargin + kContentWidth - kTitleBlockLeft) / kTitleColumns;
constexpr int kTitleRowHeight = 90;
constexpr int kTitleCaptionPixels = 20;
constexpr int kTitleValuePixels = 28;
constexpr int kTitleValueLines = 2; // more than this moves the text into the notes
constexpr int kFooterTop = 2800;
constexpr int kFooterPixels = 22;
constexpr int kNotesPixels = 26;
constexpr int kSmallestNotesPixels = 10;
constexpr int kCellPadding = 12;
constexpr QColor kJisSheetConcernsColour{200, 0, 0};

struct Column {
    const char* caption;
    int width;
};
constexpr Column kColumns[] = {
    {"No.", 90}, {"項目", 640}, {"単位", 180}, {"値", 590}, {"許容差", 400}};

constexpr qreal kThickLine = 5;
constexpr qreal kOutlineLine = 3.5;
constexpr qreal kThinLine = 1.5;
constexpr qreal kArrowLength = 28;
constexpr qreal kArrowHalfWidth = 8;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The lines `text` takes at `width` in `font`: broken between words where it can, anywhere
// where a word is wider than the line (a long part number), and at every line break typed.
QStringList wrappedLines(const QFont& font, const QString& text, qreal width) {
    QStringList lines;
    QString prepared = text;
    prepared.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(prepared, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max<qreal>(width, 1));
        lines << prepared.mid(line.textStart(), line.textLength())
                     .remove(QChar::LineSeparator)
                     .trimmed();
    }
    layout.endLayout();
    if (lines.isEmpty())
        lines << QString();
    return lines;
}

int lineSpacingOf(const QFont& font) {
    return QFontMetrics(font).lineSpacing();
}

// Lines stacked from the top of `box`, each aligned by `align` (Qt::AlignLeft, AlignRight or
// AlignHCenter), the block centred vertically.
void drawLines(QPainter& painter, const QRectF& box, const QStringList& lines, int align) {
    const int spacing = lineSpacingOf(painter.font());
    const qreal height = spacing * lines.size();
    qreal top = box.top() + (box.height() - height) / 2;
    for (const QString& line : lines) {
        painter.drawText(QRectF(box.left(), top, box.width(), spacing),
                         align | Qt::AlignVCenter | Qt::TextSingleLine, line);
        top += spacing;
    }
}

// ---- the figure --------------------------------------------------------------------------

// Counterclockwise sweep of an arc in degrees, (0, 360].
double sweepOf(const DrawArc& arc) {
    double sweep = std::fmod(arc.endAngle - arc.startAngle, 360.0);
    if (sweep <= 0)
        sweep += 360;
    return sweep;
}

// Points along the outline: every segment's ends, every arc every few degrees and at each of
// its quarter points it passes (where a circle reaches its extremes).
std::vector<DrawPoint> outlinePoints(const Outline& outline) {
    std::vector<DrawPoint> points;
    for (const OutlinePrimitive& primitive : outline) {
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            points.push_back(segment->first);
            points.push_back(segment->second);
            continue;
        }
        const DrawArc& arc = std::get<DrawArc>(primitive);
        const double sweep = sweepOf(arc);
        const int steps = std::max(2, static_cast<int>(sweep / 5) + 1);
        for (int i = 0; i <= steps; ++i)
            points.push_back(
                pointOnCircle(arc.centre, arc.radius, arc.startAngle + sweep * i / steps));
        const double first = std::ceil(arc.startAngle / 90) * 90;
        for (double angle = first; angle <= arc.startAngle + sweep; angle += 90)
            points.push_back(pointOnCircle(arc.centre, arc.radius, angle));
    }
    return points;
}

} // namespace

QPainterPath jisSheetOutlinePath(const Outline& outline, const FigureMap& map) {
    QPainterPath path;
    for (const OutlinePrimitive& primitive : outline) {
        if (const auto* segment = std::get_if<DrawSegment>(&primitive)) {
            path.moveTo(map(segment->first));
            path.lineTo(map(segment->second));
            continue;
        }
        const DrawArc& arc = std::get<DrawArc>(primitive);
        const QPointF centre = map(arc.centre);
        const double rx = arc.radius * map.scaleX;
        const double ry = arc.radius * map.scale;
        const QRectF box(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
        // The model's counterclockwise (y up) stays counterclockwise on the sheet (y down), as
        // Qt measures arc angles; on a box stretched along x the angle is the parametric one,
        // which is where the stretched circle's point lies.
        path.arcMoveTo(box, arc.startAngle);
        path.arcTo(box, arc.startAngle, sweepOf(arc));
    }
    return path;
}

std::optional<FigurePlacement> placeJisSheetFigure(const JisSheetFigure& figure,
                                                   double freeLength) {
    const std::vector<DrawPoint> points = outlinePoints(figure.outline);
    if (points.empty())
        return std::nullopt;
    FigureExtent extent{points[0].x, points[0].x, points[0].y,
                        points[0].y, points[0].y, points[0].y};
    for (const DrawPoint& p : points) {
        if (p.x < extent.minX)
            extent.minX = p.x, extent.yAtMinX = p.y;
        if (p.x > extent.maxX)
            extent.maxX = p.x, extent.yAtMaxX = p.y;
        extent.minY = std::min(extent.minY, p.y);
        extent.maxY = std::max(extent.maxY, p.y);
    }
    const double width = extent.maxX - extent.minX;
    const double height = extent.maxY - extent.minY;
    if (!(width > 0 && height > 0 && std::isfinite(width) && std::isfinite(height)))
        return std::nullopt;

    FigurePlacement placement;
    const double d = figure.wireDiameter;
    // The free length is measured between the hooks' inner sides: one wire inside the ends.
    const double drawn = width - 2 * d;
    double stretch = 1;
    if (std::isfinite(freeLength) && freeLength > 0) {
        const double wanted = drawn > 0 ? freeLength / drawn : 0;
        if (drawn > 0 && std::fabs(wanted - 1) <= kMaxFigureStretch)
            stretch = wanted;
        else
            placement.forReference = true;
    }
    FigureMap& map = placement.map;
    map.extent = extent;
    map.scale = std::min(kFigureArea.width() / (width * stretch), kFigureArea.height() / height);
    map.scaleX = map.scale * stretch;
    map.left = kFigureArea.left() + (kFigureArea.width() - width * map.scaleX) / 2;
    map.top = kFigureArea.top() + (kFigureArea.height() - height * map.scale) / 2;

    placement.innerLeft = map(extent.minX + d, extent.yAtMinX);
    placement.innerRight = map(extent.maxX - d, extent.yAtMaxX);
    // The coil's top and bottom at its middle: the outline's highest and lowest points there.
    const double middle = (extent.minX + extent.maxX) / 2;
    double top = -std::numeric_limits<double>::infinity();
    double bottom = std::numeric_limits<double>::infinity();
    double topX = middle;
    double bottomX = middle;
    for (const DrawPoint& p : points) {
        if (std::fabs(p.x - middle) > std::max(d, figure.meanDiameter / 4))
            continue;
        if (p.y > top)
            top = p.y, topX = p.x;
        if (p.y < bottom)
            bottom = p.y, bottomX = p.x;
    }
    if (!std::isfinite(top) || !std::isfinite(bottom))
        top = extent.maxY, bottom = extent.minY;
    placement.coilTop = map(topX, top);
    placement.coilBottom = map(bottomX, bottom);
    return placement;
}

namespace {

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

// A text centred on `middle` on a white ground.
void drawLabel(QPainter& painter, QPointF middle, const QString& text) {
    const QFontMetrics metrics = painter.fontMetrics();
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
    const std::optional<FigurePlacement> placement = placeJisSheetFigure(*figure, texts.freeLength);
    if (!placement)
        return;
    const FigureMap& map = placement->map;
    const FigureExtent& extent = map.extent;
    painter.save();
    painter.setClipRect(kFigureFrame);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::black, kOutlineLine, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(jisSheetOutlinePath(figure->outline, map));

    painter.setFont(windowFont(kFigurePixels));
    const QPen thin(Qt::black, kThinLine);
    // Free length: between the inner sides of the hooks, the extension lines from the points
    // of the hooks the length is measured to (JIS B 0001: a dimension ends on its feature).
    if (!texts.figure.freeLength.empty() && placement->innerRight.x() > placement->innerLeft.x()) {
        const double below = map(0, extent.minY).y() + 90;
        const QPointF left(placement->innerLeft.x(), below);
        const QPointF right(placement->innerRight.x(), below);
        painter.setPen(thin);
        painter.setBrush(Qt::black);
        painter.drawLine(placement->innerLeft, left + QPointF(0, 15));
        painter.drawLine(placement->innerRight, right + QPointF(0, 15));
        painter.drawLine(left, right);
        drawArrowHead(painter, left, right);
        drawArrowHead(painter, right, left);
        drawLabel(painter, (left + right) / 2 + QPointF(0, 45), qt(texts.figure.freeLength));
    }
    // Outer diameter: arrows from outside onto the top and the bottom of the coil's wire, the
    // text above, so that neither the line nor the text crosses the wires.
    if (!texts.figure.outerDiameter.empty()) {
        const QPointF top = placement->coilTop;
        const QPointF bottom = placement->coilBottom;
        painter.setPen(thin);
        painter.setBrush(Qt::black);
        painter.drawLine(top, top - QPointF(0, 110));
        painter.drawLine(bottom, bottom + QPointF(0, 70));
        drawArrowHead(painter, top, top - QPointF(0, 1));
        drawArrowHead(painter, bottom, bottom + QPointF(0, 1));
        const QString text = qt(texts.figure.outerDiameter);
        const double half = painter.fontMetrics().horizontalAdvance(text) / 2.0 + 20;
        drawLabel(painter, top - QPointF(-half, 90), text);
    }
    painter.setPen(Qt::black);
    int line = 0;
    for (const std::string& hookText : texts.figure.hook) {
        painter.drawText(QPointF(kFigureFrame.left() + 40, kFigureFrame.top() + 60 + line * 45),
                         qt(hookText));
        ++line;
    }
    if (placement->forReference) {
        painter.drawText(
            QRect(kFigureFrame.left(), kFigureFrame.top() + 20, kFigureFrame.width() - 40, 60),
            Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8(kFigureForReference));
    }
    painter.restore();
}

// ---- the table, the title block and the notes ----------------------------------------------

constexpr int kTableColumns = 5;
using RowLines = std::array<QStringList, kTableColumns>;

// Where the title block's fields stand: row, first column and columns spanned, in the order of
// JisSheetTexts::titleBlock. The last cell of the bottom row holds the projection symbol.
struct TitlePlace {
    int row;
    int column;
    int span;
};
constexpr TitlePlace kTitlePlaces[] = {
    {0, 0, 3}, {0, 3, 2},                       // 品名, 品番
    {1, 0, 3}, {1, 3, 1}, {1, 4, 1},            // 図番, 改訂, 尺度
    {2, 0, 1}, {2, 1, 1}, {2, 2, 1}, {2, 3, 1}, // 設計, 検図, 承認, 日付
};
constexpr int kTitleRows = 3;
constexpr TitlePlace kProjectionPlace{2, 4, 1};

// The sheet worked out before anything is drawn: every text broken into the lines it takes, the
// heights that makes, and the texts too long for their place moved into the notes.
struct SheetLayout {
    std::vector<RowLines> rows;
    std::vector<int> rowHeights;
    std::vector<QStringList> titleValues;
    std::array<int, kTitleRows> titleRowHeights{};
    QStringList notes;
    int concernNotes = 0; // the first notes: the concerns with their heading, drawn in red
    int marks = 0;        // texts moved into the notes so far
    int tableBottom = 0;
    int titleBlockTop = 0;
};

QFont tableFont() {
    return windowFont(kTablePixels);
}
QFont titleValueFont() {
    return windowFont(kTitleValuePixels);
}
QFont titleCaptionFont() {
    return windowFont(kTitleCaptionPixels);
}

int cellTextWidth(int cellWidth) {
    return cellWidth - 2 * kCellPadding;
}

QString noteMark(int number) {
    return QStringLiteral("※%1").arg(number);
}

// A text moved out of its place: the place keeps the mark, the notes the whole text.
QStringList moveToNotes(SheetLayout& layout, const QString& caption, const QString& text) {
    const QString mark = noteMark(++layout.marks);
    layout.notes << mark + QLatin1Char(' ') + caption + QStringLiteral("：") + text;
    return {mark + QStringLiteral("（注記）")};
}

int rowHeightOf(const RowLines& lines, int spacing) {
    int most = 1;
    for (const QStringList& cell : lines)
        most = std::max(most, static_cast<int>(cell.size()));
    return std::max(kRowHeight, most * spacing + 8);
}

SheetLayout layOut(const JisSheetTexts& texts) {
    SheetLayout layout;
    if (!texts.concerns.empty()) {
        layout.notes << utf8Text(kConcernsHeading);
        for (const std::string& concern : texts.concerns)
            layout.notes << qt(concern);
        layout.concernNotes = static_cast<int>(layout.notes.size());
    }
    layout.notes << QStringLiteral("注記") << QStringLiteral("寸法の単位 mm、荷重 N、応力 N/mm²")
                 << QStringLiteral("荷重と応力は 1 kgf = 9.80665 N で換算");

    // The title block: each value in at most two lines of its cell.
    const QFont valueFont = titleValueFont();
    const int valueSpacing = lineSpacingOf(valueFont);
    const int captionHeight = lineSpacingOf(titleCaptionFont());
    layout.titleRowHeights.fill(kTitleRowHeight);
    const std::size_t fields = std::min(texts.titleBlock.size(), std::size(kTitlePlaces));
    for (std::size_t i = 0; i < fields; ++i) {
        const TitlePlace place = kTitlePlaces[i];
        const QString value = qt(texts.titleBlock[i].value);
        QStringList lines =
            wrappedLines(valueFont, value, cellTextWidth(place.span * kTitleColumnWidth));
        if (lines.size() > kTitleValueLines)
            lines = moveToNotes(layout, qt(texts.titleBlock[i].caption), value);
        layout.titleValues.push_back(lines);
        int& height = layout.titleRowHeights[place.row];
        height = std::max(height, captionHeight + static_cast<int>(lines.size()) * valueSpacing +
                                      kCellPadding);
    }
    int titleHeight = 0;
    for (int height : layout.titleRowHeights)
        titleHeight += height;
    layout.titleBlockTop = kTitleBlockBottom - titleHeight;

    // The table: rows grow with their texts; while the table would reach the title block, the
    // tallest row's longest text moves into the notes.
    const QFont font = tableFont();
    const int spacing = lineSpacingOf(font);
    for (const JisSheetRow& row : texts.rows) {
        const QString cells[kTableColumns] = {QString(), qt(row.item), qt(row.unit), qt(row.value),
                                              qt(row.tolerance)};
        RowLines lines;
        for (int column = 0; column < kTableColumns; ++column)
            lines[column] =
                wrappedLines(font, cells[column], cellTextWidth(kColumns[column].width));
        layout.rows.push_back(lines);
        layout.rowHeights.push_back(rowHeightOf(lines, spacing));
    }
    const int room = layout.titleBlockTop - kTableGap - kTableTop - kHeaderHeight;
    const auto tableHeight = [&] {
        int sum = 0;
        for (int height : layout.rowHeights)
            sum += height;
        return sum;
    };
    while (tableHeight() > room) {
        const auto tallest = std::max_element(layout.rowHeights.begin(), layout.rowHeights.end());
        if (*tallest <= kRowHeight)
            break;
        const std::size_t index = static_cast<std::size_t>(tallest - layout.rowHeights.begin());
        RowLines& lines = layout.rows[index];
        int longest = 1;
        for (int column = 2; column < kTableColumns; ++column)
            if (lines[column].size() > lines[longest].size())
                longest = column;
        const JisSheetRow& row = texts.rows[index];
        const std::string& whole = longest == 1   ? row.item
                                   : longest == 2 ? row.unit
                                   : longest == 3 ? row.value
                                                  : row.tolerance;
        lines[longest] = moveToNotes(layout, qt(row.item), qt(whole));
        *tallest = rowHeightOf(lines, spacing);
    }
    // Rows only as low as the room needs, should the moves not be enough (never taller).
    const int total = tableHeight();
    if (total > room && total > 0)
        for (int& height : layout.rowHeights)
            height = height * room / total;
    layout.tableBottom = kTableTop + kHeaderHeight + tableHeight();
    return layout;
}

void paintTable(QPainter& painter, const SheetLayout& layout) {
    painter.setFont(tableFont());
    const int rows = static_cast<int>(layout.rows.size());
    const int width = kContentWidth;
    const int height = layout.tableBottom - kTableTop;
    painter.fillRect(QRect(kMargin, kTableTop, width, kHeaderHeight), QColor(235, 235, 235));

    painter.setPen(QPen(Qt::black, kThinLine));
    int x = kMargin;
    for (const Column& column : kColumns) {
        painter.drawText(QRect(x, kTableTop, column.width, kHeaderHeight), Qt::AlignCenter,
                         QString::fromUtf8(column.caption));
        x += column.width;
        if (x < kMargin + width)
            painter.drawLine(x, kTableTop, x, kTableTop + height);
    }
    int y = kTableTop + kHeaderHeight;
    painter.drawLine(kMargin, y, kMargin + width, y);
    for (int row = 0; row < rows; ++row) {
        const int rowHeight = layout.rowHeights[row];
        RowLines lines = layout.rows[row];
        lines[0] = QStringList{QString::number(row + 1)};
        int left = kMargin;
        for (int column = 0; column < kTableColumns; ++column) {
            const QRect cell(left + kCellPadding, y, kColumns[column].width - 2 * kCellPadding,
                             rowHeight);
            // Numbers stand right, a text of several lines from the left.
            const int align = column == 1 || lines[column].size() > 1 ? Qt::AlignLeft
                              : column == 3                           ? Qt::AlignRight
                                                                      : Qt::AlignHCenter;
            drawLines(painter, cell, lines[column], align);
            left += kColumns[column].width;
        }
        y += rowHeight;
        painter.drawLine(kMargin, y, kMargin + width, y);
    }
    painter.setPen(QPen(Qt::black, kThickLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(kMargin, kTableTop, width, height));
}

// The third-angle projection symbol (JIS B 0001, ISO 5456-2): a truncated cone seen from the
// side, its small end towards the two circles of its view from that end, with centre lines.
void drawThirdAngleSymbol(QPainter& painter, const QRectF& box) {
    const qreal h = std::min(box.height() * 0.55, box.width() / 3.2);
    const qreal big = h / 2;
    const qreal small = h / 4;
    const qreal length = h * 1.1;
    const qreal gap = h * 0.45;
    const qreal total = length + gap + h;
    const qreal left = box.center().x() - total / 2;
    const qreal cy = box.center().y();
    painter.save();
    painter.setPen(QPen(Qt::black, kThinLine * 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(QPolygonF{QPointF(left, cy - big), QPointF(left + length, cy - small),
                                  QPointF(left + length, cy + small), QPointF(left, cy + big)});
    const QPointF centre(left + length + gap + big, cy);
    painter.drawEllipse(centre, big, big);
    painter.drawEllipse(centre, small, small);
    painter.setPen(QPen(Qt::black, kThinLine, Qt::DashDotLine));
    painter.drawLine(QPointF(left - h * 0.15, cy), QPointF(centre.x() + big + h * 0.15, cy));
    painter.drawLine(QPointF(centre.x(), cy - big - h * 0.15),
                     QPointF(centre.x(), cy + big + h * 0.15));
    painter.restore();
}

void paintTitleBlock(QPainter& painter, const JisSheetTexts& texts, const SheetLayout& layout) {
    const QFont captionFont = titleCaptionFont();
    const QFont valueFont = titleValueFont();
    const int captionHeight = lineSpacingOf(captionFont);
    std::array<int, kTitleRows + 1> rowTop{};
    rowTop[0] = layout.titleBlockTop;
    for (int row = 0; row < kTitleRows; ++row)
        rowTop[row + 1] = rowTop[row] + layout.titleRowHeights[row];
    const auto cellOf = [&](const TitlePlace& place) {
        return QRect(kTitleBlockLeft + place.column * kTitleColumnWidth, rowTop[place.row],
                     place.span * kTitleColumnWidth, layout.titleRowHeights[place.row]);
    };
    painter.setPen(QPen(Qt::black, kThinLine));
    painter.setBrush(Qt::NoBrush);
    for (std::size_t i = 0; i < layout.titleValues.size(); ++i) {
        const QRect cell = cellOf(kTitlePlaces[i]);
        painter.drawRect(cell);
        painter.setFont(captionFont);
        painter.drawText(QRect(cell.left() + 8, cell.top() + 2, cell.width() - 16, captionHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         qt(texts.titleBlock[i].caption));
        painter.setFont(valueFont);
        drawLines(painter,
                  QRectF(cell.left() + kCellPadding, cell.top() + captionHeight,
                         cell.width() - 2 * kCellPadding, cell.height() - captionHeight),
                  layout.titleValues[i], Qt::AlignLeft);
    }
    const QRect projection = cellOf(kProjectionPlace);
    painter.drawRect(projection);
    painter.setFont(captionFont);
    painter.drawText(
        QRect(projection.left() + 8, projection.top() + 2, projection.width() - 16, captionHeight),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QStringLiteral("第三角法"));
    drawThirdAngleSymbol(painter, QRectF(projection.left(), projection.top() + captionHeight,
                                         projection.width(), projection.height() - captionHeight));
    painter.setPen(QPen(Qt::black, kThickLine));
    painter.drawRect(QRect(kTitleBlockLeft, layout.titleBlockTop,
                           kMargin + kContentWidth - kTitleBlockLeft,
                           kTitleBlockBottom - layout.titleBlockTop));
}

// The notes, left of the title block below the table: in the largest size that holds them all.
void paintNotes(QPainter& painter, const SheetLayout& layout) {
    const QRectF area(kMargin, layout.tableBottom + kTableGap, kTitleBlockLeft - kMargin - 30,
                      kTitleBlockBottom - layout.tableBottom - kTableGap);
    QFont font = windowFont(kNotesPixels);
    std::vector<QStringList> paragraphs;
    for (int pixels = kNotesPixels; pixels >= kSmallestNotesPixels; --pixels) {
        font = windowFont(pixels);
        paragraphs.clear();
        int lines = 0;
        for (const QString& note : layout.notes) {
            paragraphs.push_back(wrappedLines(font, note, area.width()));
            lines += static_cast<int>(paragraphs.back().size());
        }
        if (lines * lineSpacingOf(font) <= area.height())
            break;
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int spacing = lineSpacingOf(font);
    qreal top = area.top();
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        painter.setPen(static_cast<int>(i) < layout.concernNotes ? kJisSheetConcernsColour
                                                                 : QColor(Qt::black));
        for (const QString& line : paragraphs[i]) {
            painter.drawText(QRectF(area.left(), top, area.width(), spacing),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, line);
            top += spacing;
        }
    }
}

void paintFooter(QPainter& painter, const JisSheetTexts& texts) {
    if (texts.footer.empty())
        return;
    painter.setFont(windowFont(kFooterPixels));
    painter.setPen(Qt::black);
    painter.drawText(QRect(kMargin, kFooterTop, kContentWidth, kFooterPixels + 14),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, qt(texts.footer));
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

    const SheetLayout layout = layOut(texts);
    paintFigure(painter, texts, figure);
    paintTable(painter, layout);
    paintTitleBlock(painter, texts, layout);
    paintNotes(painter, layout);
    paintFooter(painter, texts);
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
