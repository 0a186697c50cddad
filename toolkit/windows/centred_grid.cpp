// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/centred_grid.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>
#include <algorithm>

namespace hspring {

namespace {

constexpr int kGridLine = 1;
constexpr int kDefaultCellWidth = 64;
constexpr int kTextDrop = 2;   // the text starts this far below the cell's top edge
constexpr int kTextIndent = 2; // and, set from the left, this far right of its left edge

// The scrolling cells: selected cells are highlighted unless the grid has lost the focus.
class CentredCellDelegate : public QStyledItemDelegate {
public:
    explicit CentredCellDelegate(CentredGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (grid_->styledCells()) {
            QStyleOptionViewItem styled = option;
            styled.displayAlignment = grid_->textAlignment() | Qt::AlignVCenter;
            if (!grid_->selectionShown())
                styled.state &= ~QStyle::State_Selected;
            QStyledItemDelegate::paint(painter, styled, index);
            return;
        }
        const QRect section = option.rect.adjusted(0, 0, kGridLine, kGridLine);
        grid_->paintCell(*painter, section, index.row(), index.column(),
                         option.state.testFlag(QStyle::State_Selected));
    }

private:
    CentredGrid* grid_;
};

// The fixed rows (as the horizontal header) or the fixed columns (as the vertical header).
// The header scrolls and sizes itself with the table, so the fixed cells stay aligned with the
// cells below or beside them.
class FixedCellsHeader : public QHeaderView {
public:
    FixedCellsHeader(Qt::Orientation orientation, CentredGrid* grid)
        : QHeaderView(orientation, grid), grid_(grid) {
        setSectionsClickable(false);
        setHighlightSections(false);
        setSectionResizeMode(QHeaderView::Fixed);
        setMinimumSectionSize(0);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        if (orientation() == Qt::Horizontal) {
            const int step = grid_->cellHeight() + kGridLine;
            for (int row = 0; row < grid_->fixedRowCount(); ++row)
                grid_->paintCell(*painter,
                                 QRect(rect.left(), rect.top() + row * step, rect.width(), step),
                                 row, logicalIndex, false);
        } else {
            int left = rect.left();
            for (int column = 0; column < grid_->fixedColumnCount(); ++column) {
                const int width = grid_->cellWidth(column) + kGridLine;
                grid_->paintCell(*painter, QRect(left, rect.top(), width, rect.height()),
                                 logicalIndex, column, false);
                left += width;
            }
        }
    }

private:
    CentredGrid* grid_;
};

// The cells where fixed rows and fixed columns meet; they never scroll.
class FixedCorner : public QWidget {
public:
    explicit FixedCorner(CentredGrid* grid) : QWidget(grid), grid_(grid) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int step = grid_->cellHeight() + kGridLine;
        for (int row = 0; row < grid_->fixedRowCount(); ++row) {
            int left = 0;
            for (int column = 0; column < grid_->fixedColumnCount(); ++column) {
                const int width = grid_->cellWidth(column) + kGridLine;
                grid_->paintCell(painter, QRect(left, row * step, width, step), row, column, false);
                left += width;
            }
        }
    }

private:
    CentredGrid* grid_;
};

} // namespace

CentredGrid::CentredGrid(QWidget* parent) : QTableWidget(parent) {
    setHorizontalHeader(new FixedCellsHeader(Qt::Horizontal, this));
    setVerticalHeader(new FixedCellsHeader(Qt::Vertical, this));
    setItemDelegate(new CentredCellDelegate(this));
    setCornerButtonEnabled(false);
    corner_ = new FixedCorner(this);

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);

    // Rows or columns added later must take the fixed layout too.
    connect(model(), &QAbstractItemModel::rowsInserted, this, &CentredGrid::applyFixedLayout);
    connect(model(), &QAbstractItemModel::columnsInserted, this, &CentredGrid::applyFixedLayout);
    applyFixedLayout();
}

void CentredGrid::setFixedRowCount(int count) {
    fixedRows_ = std::max(0, count);
    applyFixedLayout();
}

void CentredGrid::setFixedColumnCount(int count) {
    fixedColumns_ = std::max(0, count);
    applyFixedLayout();
}

void CentredGrid::setFixedColour(const QColor& colour) {
    fixedColour_ = colour;
    updateAllCells();
}

void CentredGrid::setCellHeight(int pixels) {
    cellHeight_ = std::max(0, pixels);
    applyFixedLayout();
}

void CentredGrid::setCellWidths(const QList<int>& pixels) {
    cellWidths_ = pixels;
    applyFixedLayout();
}

void CentredGrid::setTextAlignment(Qt::Alignment horizontal) {
    textAlignment_ = horizontal & Qt::AlignLeft ? Qt::AlignLeft : Qt::AlignHCenter;
    viewport()->update();
}

void CentredGrid::setSelectionHiddenUnfocused(bool hidden) {
    selectionHiddenUnfocused_ = hidden;
    viewport()->update();
}

void CentredGrid::setHeaderMinimumWidthKept(bool kept) {
    headerMinimumWidthKept_ = kept;
    applyFixedLayout();
}

void CentredGrid::setStyledCells(bool styled) {
    styledCells_ = styled;
    updateAllCells();
}

void CentredGrid::setFixedRowsLineColour(const QColor& colour) {
    fixedRowsLineColour_ = colour;
    updateAllCells();
}

void CentredGrid::updateAllCells() {
    viewport()->update();
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
    corner_->update();
}

int CentredGrid::cellWidth(int column) const {
    const int width =
        column >= 0 && column < cellWidths_.size() ? cellWidths_[column] : kDefaultCellWidth;
    // The header's own minimum is in force whenever it is kept (see applyFixedLayout).
    return headerMinimumWidthKept_
               ? std::max(width, horizontalHeader()->minimumSectionSize() - kGridLine)
               : width;
}

QString CentredGrid::cellText(int row, int column) const {
    return model()->index(row, column).data(Qt::DisplayRole).toString();
}

void CentredGrid::setCellText(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    if (QTableWidgetItem* existing = item(row, column))
        existing->setText(text);
    else
        setItem(row, column, new QTableWidgetItem(text));
}

QRect CentredGrid::cellRect(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const int step = cellHeight_ + kGridLine;
    int top = 0;
    if (row < fixedRows_) {
        top = horizontalHeader()->geometry().top() + row * step;
    } else {
        const int y = rowViewportPosition(row);
        if (y < 0 || y >= viewport()->height())
            return {};
        top = viewport()->geometry().top() + y;
    }
    int left = 0;
    if (column < fixedColumns_) {
        left = verticalHeader()->geometry().left();
        for (int c = 0; c < column; ++c)
            left += cellWidth(c) + kGridLine;
    } else {
        const int x = columnViewportPosition(column);
        if (x < 0 || x >= viewport()->width())
            return {};
        left = viewport()->geometry().left() + x;
    }
    return QRect(left, top, cellWidth(column), cellHeight_);
}

void CentredGrid::paintCell(QPainter& painter, const QRect& section, int row, int column,
                            bool selected) const {
    const bool fixed = row < fixedRows_ || column < fixedColumns_;
    const QRect cell = section.adjusted(0, 0, -kGridLine, -kGridLine);
    // Styled fixed rows are drawn as header sections: lines first, then a text that may run over
    // the line at its right.
    const bool textOverLines = styledCells_ && row < fixedRows_;
    QColor fill = fixed ? fixedColour_ : palette().color(QPalette::Base);
    QColor ink = palette().color(textOverLines ? QPalette::ButtonText : QPalette::Text);
    if (selected && !fixed && selectionShown()) {
        fill = palette().color(QPalette::Active, QPalette::Highlight);
        ink = palette().color(QPalette::Active, QPalette::HighlightedText);
    }
    painter.save();
    painter.setClipRect(textOverLines ? section : cell);
    painter.fillRect(cell, fill);
    if (textOverLines && showGrid())
        paintGridLines(painter, section, row);
    painter.setPen(ink);
    painter.setFont(font());
    const int indent = textAlignment_ == Qt::AlignLeft ? kTextIndent : 0;
    const QRect textBox = textOverLines ? section.adjusted(indent, kTextDrop, 0, 0)
                                        : cell.adjusted(indent, kTextDrop, 0, kTextDrop);
    painter.drawText(textBox, textAlignment_ | Qt::AlignTop | Qt::TextSingleLine,
                     cellText(row, column));
    painter.restore();

    // The table draws the lines of its scrolling cells itself; the fixed cells draw their own.
    if (fixed && showGrid() && !textOverLines)
        paintGridLines(painter, section, row);
}

void CentredGrid::paintGridLines(QPainter& painter, const QRect& section, int row) const {
    QStyleOptionViewItem option;
    option.initFrom(this);
    const QColor line = row < fixedRows_ && fixedRowsLineColour_.isValid()
                            ? fixedRowsLineColour_
                            : QColor::fromRgba(static_cast<QRgb>(style()->styleHint(
                                  QStyle::SH_Table_GridLineColor, &option, this)));
    painter.fillRect(QRect(section.right(), section.top(), kGridLine, section.height()), line);
    painter.fillRect(QRect(section.left(), section.bottom(), section.width(), kGridLine), line);
}

void CentredGrid::focusInEvent(QFocusEvent* event) {
    unfocused_ = false;
    QTableWidget::focusInEvent(event);
    viewport()->update();
}

void CentredGrid::focusOutEvent(QFocusEvent* event) {
    // Only another control taking the focus counts; a menu, a dialog or another window taking
    // over for a while leaves the grid as it was, so "画面印刷" from the menu prints the grid as
    // the user last saw it.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        unfocused_ = true;
    QTableWidget::focusOutEvent(event);
    viewport()->update();
}

void CentredGrid::updateGeometries() {
    QTableWidget::updateGeometries();
    // The corner cells cover the table's own corner button, which sits where the headers meet.
    const QRect view = viewport()->geometry();
    const int width = fixedColumnsWidth();
    const int height = fixedRowsHeight();
    corner_->setGeometry(view.left() - width, view.top() - height, width, height);
    corner_->setVisible(width > 0 && height > 0);
    corner_->raise();
}

void CentredGrid::changeEvent(QEvent* event) {
    QTableWidget::changeEvent(event);
    // The header's minimum follows the font and the style.
    if (headerMinimumWidthKept_ &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        applyFixedLayout();
}

void CentredGrid::applyFixedLayout() {
    QHeaderView* columns = horizontalHeader();
    QHeaderView* rows = verticalHeader();
    // -1 restores the minimum the style and font give the header.
    columns->setMinimumSectionSize(headerMinimumWidthKept_ ? -1 : 0);
    columns->setDefaultSectionSize(kDefaultCellWidth + kGridLine);
    rows->setDefaultSectionSize(cellHeight_ + kGridLine);
    for (int column = 0; column < columnCount(); ++column) {
        setColumnWidth(column, cellWidth(column) + kGridLine);
        setColumnHidden(column, column < fixedColumns_);
    }
    for (int row = 0; row < rowCount(); ++row) {
        setRowHeight(row, cellHeight_ + kGridLine);
        setRowHidden(row, row < fixedRows_);
    }
    columns->setFixedHeight(fixedRowsHeight());
    columns->setVisible(fixedRows_ > 0);
    rows->setFixedWidth(fixedColumnsWidth());
    rows->setVisible(fixedColumns_ > 0);
    updateGeometries();
    viewport()->update();
}

int CentredGrid::fixedRowsHeight() const {
    return std::min(fixedRows_, rowCount()) * (cellHeight_ + kGridLine);
}

int CentredGrid::fixedColumnsWidth() const {
    int width = 0;
    for (int column = 0; column < std::min(fixedColumns_, columnCount()); ++column)
        width += cellWidth(column) + kGridLine;
    return width;
}

} // namespace hspring
