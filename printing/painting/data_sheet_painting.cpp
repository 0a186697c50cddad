// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/painting/data_sheet_painting.h"

#include "printing/painting/data_sheet_figure.h"
#include "printing/print_size.h"
#include "toolkit/painting/fonts.h"
#include "toolkit/painting/pdf_page.h"
#include "toolkit/painting/utf8_text.h"
#include "wording/japanese.h"

#include <QFontMetrics>

namespace hspring {

namespace {

constexpr int kGridLine = 1;
constexpr int kTextDrop = 2; // the text starts this far below the cell's top edge

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// A one-pixel line as a filled rectangle, so that it stays one sheet pixel wide when scaled.
void fillLine(QPainter& painter, const QRect& line, const QColor& colour) {
    painter.fillRect(line, colour);
}

void paintCell(QPainter& painter, int row, int column, const QString& text) {
    const QRect cell = dataSheetCellRect(row, column);
    const bool fixed = row == 0 || column == 0;
    painter.fillRect(cell, fixed ? kDataSheetFixedColour : QColor(Qt::white));
    painter.save();
    painter.setClipRect(cell);
    painter.setPen(Qt::black);
    painter.drawText(cell.translated(0, kTextDrop),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.restore();
    fillLine(painter, QRect(cell.right() + 1, cell.top(), kGridLine, cell.height() + kGridLine),
             kDataSheetGridLineColour);
    fillLine(painter, QRect(cell.left(), cell.bottom() + 1, cell.width() + kGridLine, kGridLine),
             kDataSheetGridLineColour);
}

void paintTable(QPainter& painter, const DataSheetTexts& texts) {
    const QRect table = kDataSheetTablePlace;
    // Whatever the cells leave free inside the frame is white.
    painter.fillRect(table, Qt::white);
    fillLine(painter, QRect(table.left(), table.top(), table.width(), 1), kDataSheetFrameColour);
    fillLine(painter, QRect(table.left(), table.bottom(), table.width(), 1), kDataSheetFrameColour);
    fillLine(painter, QRect(table.left(), table.top(), 1, table.height()), kDataSheetFrameColour);
    fillLine(painter, QRect(table.right(), table.top(), 1, table.height()), kDataSheetFrameColour);
    painter.setFont(windowFont(kDataSheetTablePixels));
    for (int row = 0; row < kSheetRowCount; ++row)
        for (int column = 0; column < kSheetColumnCount; ++column)
            paintCell(painter, row, column, qt(texts.cells[row][column]));
}

// The heading and each concern on lines of their own, wrapped within the place: in the cells'
// size when they fit, else smaller until they do (a handful of lines always fits at 8 pixels).
void paintConcerns(QPainter& painter, const std::vector<std::string>& concerns) {
    if (concerns.empty())
        return;
    QStringList lines{utf8Text(kConcernsHeading)};
    for (const std::string& concern : concerns)
        lines << qt(concern);
    const QString text = lines.join(QLatin1Char('\n'));
    const QRect place = kDataSheetConcernsPlace;
    constexpr int kSmallestPixels = 8;
    QFont font = windowFont(kDataSheetTablePixels);
    for (int pixels = kDataSheetTablePixels; pixels > kSmallestPixels; --pixels) {
        font = windowFont(pixels);
        const QRect needed = QFontMetrics(font).boundingRect(
            QRect(0, 0, place.width(), 10 * place.height()), Qt::TextWordWrap, text);
        if (needed.height() <= place.height())
            break;
    }
    painter.save();
    painter.setFont(font);
    painter.setPen(kDataSheetConcernsColour);
    painter.drawText(place, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    painter.restore();
}

} // namespace

QRect dataSheetCellRect(int row, int column) {
    if (row < 0 || row >= kSheetRowCount || column < 0 || column >= kSheetColumnCount)
        return {};
    int left = kDataSheetTablePlace.left() + 1;
    for (int c = 0; c < column; ++c)
        left += kDataSheetCellWidths[c] + kGridLine;
    const int top = kDataSheetTablePlace.top() + 1 + row * (kDataSheetCellHeight + kGridLine);
    return QRect(left, top, kDataSheetCellWidths[column], kDataSheetCellHeight);
}

QRect dataSheetLabelRect(int label, const QString& text) {
    if (label < 0 || label >= kSheetLabelCount)
        return {};
    const QFontMetrics metrics(windowFont(kDataSheetLabelPixels));
    const QSize size = metrics.boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft, text).size();
    return QRect(kDataSheetLabelPositions[label], size);
}

void paintDataSheet(QPainter& painter, const DataSheetTexts& texts) {
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), kDataSheetSize), Qt::white);

    painter.save();
    painter.translate(kDataSheetFigurePosition);
    painter.setClipRect(QRect(QPoint(0, 0), kDataSheetFigureSize));
    paintDataSheetFigure(painter);
    painter.restore();

    painter.setFont(windowFont(kDataSheetLabelPixels));
    painter.setPen(Qt::black);
    for (int i = 0; i < kSheetLabelCount; ++i) {
        const QString text = qt(texts.labels[i]);
        painter.drawText(dataSheetLabelRect(i, text), Qt::AlignLeft | Qt::AlignVCenter, text);
    }

    paintTable(painter, texts);
    paintConcerns(painter, texts.concerns);
    painter.restore();
}

QImage renderDataSheet(const DataSheetTexts& texts) {
    QImage image(kDataSheetSize, QImage::Format_RGB32);
    QPainter painter(&image);
    paintDataSheet(painter, texts);
    painter.end();
    return image;
}

// The routine draws straight onto the page, scaled from screen pixels to the page's: lines stay
// lines and the texts stay text in their font, at the printer's resolution.
void printDataSheet(QPainter& pagePainter, const DataSheetTexts& texts) {
    const QPaintDevice& page = *pagePainter.device();
    pagePainter.save();
    pagePainter.scale(qreal(page.logicalDpiX()) / kScreenPixelsPerInch,
                      qreal(page.logicalDpiY()) / kScreenPixelsPerInch);
    paintDataSheet(pagePainter, texts);
    pagePainter.restore();
}

void writeDataSheetPdf(const std::string& path, const DataSheetTexts& texts) {
    writePdfPage(path, QString::fromStdString(texts.title),
                 [&](QPainter& painter) { printDataSheet(painter, texts); });
}

} // namespace hspring
