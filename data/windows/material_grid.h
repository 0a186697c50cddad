// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTableWidget>

namespace hspring {

// The material editor's table SG1: one row per table entry 0..49, the entry number in column 0 and
// the diameter, tensile strength, allowable torsion and allowable bending in columns 1 to 4. The
// two fixed rows with the headings and the units are the header, drawn as two 20-pixel bands, so
// they stay in view while the entries scroll, as fixed rows do. Every cell except the entry
// numbers takes typed text, and Tab moves from cell to cell.
class MaterialGrid : public QTableWidget {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 20;
    static constexpr int kFixedRows = 2;
    static constexpr int kFirstValueColumn = 1;

    explicit MaterialGrid(QWidget* parent = nullptr);

    // Width and height that show every column and `visibleRows` entries.
    QSize sizeForRows(int visibleRows) const;

    QString cellText(int entry, int valueColumn) const; // valueColumn 0..3
    void setCellText(int entry, int valueColumn, const QString& text);

    // The entry of the current cell; entry 0 when there is none.
    int currentEntry() const;

    // Puts the text of an open cell editor into its cell, so that a button pressed while the
    // user is still typing reads what the user sees.
    void commitEditing();
};

} // namespace hspring
