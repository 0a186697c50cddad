// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/windows/material_grid.h"

#include "data/material_library.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

namespace hspring {

namespace {

// Headings and units of the fixed rows, one line per row. The spaces place the units under the
// right end of their columns.
const char* const kHeadings[] = {
    "No\n",
    "材料線径\n        mm",
    "引張り強さ\n           N/mm^2",
    "許容ねじり応力\n           N/mm^2",
    "許容曲げ応力\n           N/mm^2",
};
constexpr int kColumnWidths[] = {20, 54, 101, 100, 107};
constexpr int kColumnCount = 5;

// A header of two fixed rows: each section draws the lines of its text into bands of one row
// height, like the fixed cells of a grid.
class FixedRowsHeader : public QHeaderView {
public:
    explicit FixedRowsHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
        setHighlightSections(false);
        setFixedHeight(MaterialGrid::kFixedRows * MaterialGrid::kRowHeight);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        const QStringList lines =
            model()->headerData(logicalIndex, Qt::Horizontal).toString().split(QLatin1Char('\n'));
        painter->save();
        for (int row = 0; row < MaterialGrid::kFixedRows; ++row) {
            const QRect cell(rect.left(), rect.top() + row * MaterialGrid::kRowHeight, rect.width(),
                             MaterialGrid::kRowHeight);
            painter->fillRect(cell, palette().button());
            painter->setPen(palette().color(QPalette::Dark));
            painter->drawLine(cell.topRight(), cell.bottomRight());
            painter->drawLine(cell.bottomLeft(), cell.bottomRight());
            painter->setPen(palette().color(QPalette::ButtonText));
            painter->drawText(cell.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                              lines.value(row));
        }
        painter->restore();
    }
};

} // namespace

MaterialGrid::MaterialGrid(QWidget* parent) : QTableWidget(kMaxDiameters, kColumnCount, parent) {
    setHorizontalHeader(new FixedRowsHeader(this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone); // a narrow cell clips its text, as the fixed cells do

    for (int column = 0; column < kColumnCount; ++column) {
        setColumnWidth(column, kColumnWidths[column]);
        setHorizontalHeaderItem(column, new QTableWidgetItem(QString::fromUtf8(kHeadings[column])));
    }
    for (int entry = 0; entry < kMaxDiameters; ++entry) {
        // The entry numbers are fixed cells: not editable, not reachable with Tab.
        auto* number = new QTableWidgetItem(QString::number(entry));
        number->setFlags(Qt::NoItemFlags);
        number->setBackground(palette().button());
        number->setForeground(palette().buttonText());
        setItem(entry, 0, number);
        for (int column = kFirstValueColumn; column < kColumnCount; ++column)
            setItem(entry, column, new QTableWidgetItem(QStringLiteral("0")));
    }
    setCurrentCell(0, kFirstValueColumn);
}

QSize MaterialGrid::sizeForRows(int visibleRows) const {
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int columnWidth : kColumnWidths)
        width += columnWidth;
    return {width, 2 * frameWidth() + (kFixedRows + visibleRows) * kRowHeight};
}

QString MaterialGrid::cellText(int entry, int valueColumn) const {
    return item(entry, kFirstValueColumn + valueColumn)->text();
}

void MaterialGrid::setCellText(int entry, int valueColumn, const QString& text) {
    item(entry, kFirstValueColumn + valueColumn)->setText(text);
}

int MaterialGrid::currentEntry() const {
    return std::max(currentRow(), 0);
}

void MaterialGrid::commitEditing() {
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

} // namespace hspring
