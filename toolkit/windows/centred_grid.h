// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QTableWidget>

namespace hspring {

// A string grid in the style of the history grid and the spring data sheet:
// - the first rows and columns can be fixed: they keep their place while the rest scrolls, are
//   filled with the fixed colour and cannot be selected, yet keep their indices (row 0 is
//   item(0, c) as for any other row);
// - every cell is filled with its colour and its text is drawn on one line, centred
//   horizontally, 2 pixels below the cell's top edge;
// - the grid keeps an "unfocused" flag, set when another control of the window takes the input
//   focus (not when a menu or another window does) and cleared when the grid gets it; while the
//   flag is set a selected cell is drawn in the grid's own colours, so a window printed after
//   another control took the focus shows no highlighted cell.
// Sizes are those of the cells; each cell has a one-pixel grid line on its right and bottom.
// By default the grid cannot be edited and selects single cells. A grid may instead set its text
// from the cell's left edge, and keep its selected cell drawn while another control has the focus
// (where the selection marks the place a button will act on).
// A grid that replaces a plain table can also keep that table's look: columns never narrower than
// the style's minimum header section, the cells below the fixed rows drawn by the style as item
// views draw theirs, and the fixed rows' lines in a colour of their own.
class CentredGrid : public QTableWidget {
    Q_OBJECT

public:
    explicit CentredGrid(QWidget* parent = nullptr);

    void setFixedRowCount(int count);
    int fixedRowCount() const { return fixedRows_; }
    void setFixedColumnCount(int count);
    int fixedColumnCount() const { return fixedColumns_; }

    void setFixedColour(const QColor& colour);
    QColor fixedColour() const { return fixedColour_; }

    // Height of every row, without its grid line.
    void setCellHeight(int pixels);
    int cellHeight() const { return cellHeight_; }
    // Widths of the columns from column 0 on, without their grid lines.
    void setCellWidths(const QList<int>& pixels);
    int cellWidth(int column) const;

    // Qt::AlignHCenter (the default) or Qt::AlignLeft: the text then starts 2 pixels right of the
    // cell's left edge.
    void setTextAlignment(Qt::Alignment horizontal);
    Qt::Alignment textAlignment() const { return textAlignment_; }
    // Whether the "unfocused" flag hides the selected cell (the default) or leaves it drawn.
    void setSelectionHiddenUnfocused(bool hidden);
    // Whether a column is at least as wide as the style's minimum header section (grid line
    // included), as a plain table's columns are, or takes its given width exactly (the default).
    void setHeaderMinimumWidthKept(bool kept);
    // Whether the grid draws as a plain table (the default is the grid's rule): the scrolling
    // cells by the table's item delegate and the style, so an item's own colours count and the
    // text is placed by the style's margins and centred vertically; the fixed rows as header
    // sections, whose text may run over their right line. Fixed columns keep the grid's rule.
    void setStyledCells(bool styled);
    // Colour of the fixed rows' grid lines; an invalid colour (the default) takes the table's.
    void setFixedRowsLineColour(const QColor& colour);

    // The text of a cell; an empty text for a cell never written or outside the grid.
    QString cellText(int row, int column) const;
    // Writes a cell, creating its item when needed. Cells outside the grid are ignored.
    void setCellText(int row, int column, const QString& text);

    // The cell's rectangle in the grid's own coordinates (grid line excluded), for fixed and
    // scrolling cells alike; empty when the cell is scrolled out of sight or outside the grid.
    QRect cellRect(int row, int column) const;

    bool unfocused() const { return unfocused_; }
    bool styledCells() const { return styledCells_; }
    // Whether a selected cell is drawn as selected now (see setSelectionHiddenUnfocused).
    bool selectionShown() const { return !(unfocused_ && selectionHiddenUnfocused_); }

    // Paints one cell by the grid's rule (a scrolling cell of a styled grid is drawn by the
    // table's delegate instead). `section` includes the grid line at its right and bottom.
    void paintCell(QPainter& painter, const QRect& section, int row, int column,
                   bool selected) const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void updateGeometries() override;
    void changeEvent(QEvent* event) override;

private:
    void applyFixedLayout();
    void paintGridLines(QPainter& painter, const QRect& section, int row) const;
    void updateAllCells();
    int fixedRowsHeight() const;
    int fixedColumnsWidth() const;

    int fixedRows_ = 0;
    int fixedColumns_ = 0;
    int cellHeight_ = 24;
    QList<int> cellWidths_;
    QColor fixedColour_{238, 238, 238};
    QColor fixedRowsLineColour_;
    bool unfocused_ = false;
    Qt::Alignment textAlignment_ = Qt::AlignHCenter;
    bool selectionHiddenUnfocused_ = true;
    bool headerMinimumWidthKept_ = false;
    bool styledCells_ = false;
    QWidget* corner_ = nullptr;
};

} // namespace hspring
