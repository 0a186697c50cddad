// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/windows/material_grid.h"

#include "data/material_library.h"

#include <QScrollBar>

namespace hspring {

namespace {

// Headings and units of the fixed rows. The spaces place the units under the right end of their
// columns.
const char* const kHeadings[] = {"No", "材料線径", "引張り強さ", "許容ねじり応力", "許容曲げ応力"};
const char* const kUnits[] = {"", "        mm", "           N/mm^2", "           N/mm^2",
                              "           N/mm^2"};
// Column widths with their grid lines; a column is never narrower than the header's minimum
// section, so "No" is drawn wider than given here. The window keeps its size from these widths.
constexpr int kColumnWidths[] = {20, 54, 101, 100, 107};
constexpr int kColumnCount = 5;

} // namespace

MaterialGrid::MaterialGrid(QWidget* parent) : CentredGrid(parent) {
    setColumnCount(kColumnCount);
    setRowCount(kFixedRows + kMaxDiameters);
    setFixedRowCount(kFixedRows);
    setCellHeight(kRowHeight - 1);
    QList<int> cellWidths;
    for (int width : kColumnWidths)
        cellWidths << width - 1;
    setCellWidths(cellWidths);
    setFixedColour(palette().color(QPalette::Button));
    setTextAlignment(Qt::AlignLeft);
    // The table keeps the look of a plain table: the narrow "No" column as wide as the header's
    // minimum section, the cells' texts placed by the style, and the headings and units ruled in
    // the darker line of header sections.
    setHeaderMinimumWidthKept(true);
    setStyledCells(true);
    setFixedRowsLineColour(palette().color(QPalette::Dark));
    setTextElideMode(Qt::ElideNone); // a narrow cell clips its text, as the fixed cells do
    setSelectionHiddenUnfocused(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);

    for (int column = 0; column < kColumnCount; ++column) {
        setCellText(0, column, QString::fromUtf8(kHeadings[column]));
        setCellText(1, column, QString::fromUtf8(kUnits[column]));
    }
    for (int entry = 0; entry < kMaxDiameters; ++entry) {
        // The entry numbers scroll sideways with the values, as in a plain table, yet look and act
        // fixed: not editable, not selectable, skipped by Tab.
        setCellText(kFixedRows + entry, 0, QString::number(entry));
        QTableWidgetItem* number = item(kFixedRows + entry, 0);
        number->setFlags(Qt::NoItemFlags);
        number->setBackground(palette().button());
        number->setForeground(palette().buttonText());
        for (int column = kFirstValueColumn; column < kColumnCount; ++column)
            setCellText(kFixedRows + entry, column, QStringLiteral("0"));
    }
    setCurrentCell(kFixedRows, kFirstValueColumn);
}

QSize MaterialGrid::sizeForRows(int visibleRows) const {
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int columnWidth : kColumnWidths)
        width += columnWidth;
    return {width, 2 * frameWidth() + (kFixedRows + visibleRows) * kRowHeight};
}

QString MaterialGrid::entryText(int entry, int valueColumn) const {
    return cellText(kFixedRows + entry, kFirstValueColumn + valueColumn);
}

void MaterialGrid::setEntryText(int entry, int valueColumn, const QString& text) {
    setCellText(kFixedRows + entry, kFirstValueColumn + valueColumn, text);
}

int MaterialGrid::currentEntry() const {
    return std::max(currentRow() - kFixedRows, 0);
}

void MaterialGrid::setCurrentEntry(int entry, int valueColumn) {
    setCurrentCell(kFixedRows + entry, kFirstValueColumn + valueColumn);
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
