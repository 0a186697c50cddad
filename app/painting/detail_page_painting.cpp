// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/painting/detail_page_painting.h"

#include "printing/print_size.h"
#include "toolkit/painting/fonts.h"

#include <array>
#include <span>

namespace hspring {

namespace {

constexpr int kGridLine = 1;
constexpr int kRowPitch = kDetailRowHeight + kGridLine;
constexpr int kTableGap = 6;        // between the stress and the force table
constexpr int kCaptionPadding = 3;  // the caption column's text from the cell's left edge
constexpr int kHookTableLeft = 432; // the hook table, right of the other two

constexpr std::array kStressWidths{140, 62, 56, 62, 56, 42};
constexpr std::array kForceWidths{140, 56, 50, 56, 50};
constexpr std::array kHookWidths{150, 70, 40};
constexpr std::array kNoteWidths{262}; // the warnings and the basis, as wide as the hook table

std::span<const int> columnWidths(int tableIndex) {
    switch (tableIndex) {
    case kDetailStressTable:
        return kStressWidths;
    case kDetailForceTable:
    case kDetailLimitTable:
        return kForceWidths;
    case kDetailHookTable:
        return kHookWidths;
    default:
        return kNoteWidths;
    }
}

int rowCount(const DetailTable& table) {
    return static_cast<int>(table.headers.size() + table.rows.size());
}

// The outer size of a table with its frame lines.
QSize tableSize(const DetailTable& table, int tableIndex) {
    int width = kGridLine;
    for (const int column : columnWidths(tableIndex))
        width += column + kGridLine;
    return {width, kGridLine + rowCount(table) * kRowPitch};
}

QPoint tableOrigin(const DetailPageTexts& texts, int tableIndex) {
    switch (tableIndex) {
    case kDetailStressTable:
        return {0, 0};
    case kDetailHookTable:
        return {kHookTableLeft, 0};
    default:
        break;
    }
    // Each further table below the one before it: the force and the limit table under the
    // stresses, the warnings and the basis under the hook table.
    const int above = tableIndex == kDetailForceTable     ? kDetailStressTable
                      : tableIndex == kDetailLimitTable   ? kDetailForceTable
                      : tableIndex == kDetailWarningTable ? kDetailHookTable
                                                          : kDetailWarningTable;
    const QPoint origin = tableOrigin(texts, above);
    return {origin.x(),
            origin.y() + tableSize(texts.tables[std::size_t(above)], above).height() + kTableGap};
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

const std::string& cellText(const DetailTable& table, int row, int column) {
    static const std::string empty;
    const int headerRows = static_cast<int>(table.headers.size());
    const std::vector<std::string>& cells = row < headerRows
                                                ? table.headers[std::size_t(row)]
                                                : table.rows[std::size_t(row - headerRows)].cells;
    return std::size_t(column) < cells.size() ? cells[std::size_t(column)] : empty;
}

void paintTable(QPainter& painter, const DetailPageTexts& texts, int tableIndex) {
    const DetailTable& table = texts.tables[std::size_t(tableIndex)];
    const QRect frame(tableOrigin(texts, tableIndex), tableSize(table, tableIndex));
    // The grid lines are what the cells leave uncovered of the filled frame, so that each stays
    // one page pixel wide when scaled.
    painter.fillRect(frame, kDetailGridLineColour);
    const int headerRows = static_cast<int>(table.headers.size());
    const int columns = static_cast<int>(columnWidths(tableIndex).size());
    for (int row = 0; row < rowCount(table); ++row) {
        const bool header = row < headerRows;
        const bool over = !header && table.rows[std::size_t(row - headerRows)].overLimit;
        for (int column = 0; column < columns; ++column) {
            QRect cell = detailPageCellRect(texts, tableIndex, row, column);
            // A header cell spans the empty header cells after it.
            if (header) {
                if (column > 0 && cellText(table, row, column).empty())
                    continue;
                for (int next = column + 1; next < columns && cellText(table, row, next).empty();
                     ++next)
                    cell = cell.united(detailPageCellRect(texts, tableIndex, row, next));
            }
            const bool fixed = header || column == 0;
            painter.fillRect(cell, fixed ? kDetailFixedColour : QColor(Qt::white));
            painter.setPen(over ? kDetailOverLimitColour : QColor(Qt::black));
            const bool caption = column == 0 && !header;
            const QRect textPlace = caption ? cell.adjusted(kCaptionPadding, 0, 0, 0) : cell;
            painter.drawText(textPlace,
                             (caption ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter |
                                 Qt::TextSingleLine,
                             qt(cellText(table, row, column)));
        }
    }
}

} // namespace

QRect detailPageCellRect(const DetailPageTexts& texts, int tableIndex, int row, int column) {
    if (tableIndex < 0 || tableIndex >= kDetailTableCount)
        return {};
    const std::span<const int> widths = columnWidths(tableIndex);
    const DetailTable& table = texts.tables[std::size_t(tableIndex)];
    if (row < 0 || row >= rowCount(table) || column < 0 || column >= int(widths.size()))
        return {};
    const QPoint origin = tableOrigin(texts, tableIndex);
    int left = origin.x() + kGridLine;
    for (int c = 0; c < column; ++c)
        left += widths[std::size_t(c)] + kGridLine;
    return QRect(left, origin.y() + kGridLine + row * kRowPitch, widths[std::size_t(column)],
                 kDetailRowHeight);
}

void paintDetailPage(QPainter& painter, const DetailPageTexts& texts) {
    painter.save();
    painter.setFont(windowFont(kDetailPageFontPixels));
    for (int table = 0; table < kDetailTableCount; ++table)
        paintTable(painter, texts, table);
    painter.restore();
}

void printDetailPage(QPainter& pagePainter, const DetailPageTexts& texts,
                     const PrintHeader& header) {
    const QPaintDevice& page = *pagePainter.device();
    const qreal headerHeight = paintPrintHeader(pagePainter, header, page.width());
    const PixelSize size =
        printSize(PrintScaling::FitToPage, {kDetailPageSize.width(), kDetailPageSize.height()},
                  {page.width(), page.height()}, page.logicalDpiX(), page.logicalDpiY());
    pagePainter.save();
    pagePainter.translate(0, headerHeight);
    pagePainter.scale(double(size.width) / kDetailPageSize.width(),
                      double(size.height) / kDetailPageSize.height());
    paintDetailPage(pagePainter, texts);
    pagePainter.restore();
}

} // namespace hspring
