// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/windows/centred_grid.h"

#include <QString>

namespace hspring {

// The material editor's table SG1: two fixed rows with the headings and the units, then one row
// per table entry 0..49 with the entry number in column 0 and the diameter, tensile
// strength, allowable torsion and allowable bending in columns 1 to 4. The fixed rows stay in view
// while the entries scroll. Every entry cell takes typed text, Tab moves from cell to cell, and
// the current cell stays marked while a button has the focus: it is the row the buttons insert
// and delete at.
class MaterialGrid : public CentredGrid {
    Q_OBJECT

public:
    static constexpr int kRowHeight = 20; // grid line included
    static constexpr int kFixedRows = 2;
    static constexpr int kFirstValueColumn = 1;

    explicit MaterialGrid(QWidget* parent = nullptr);

    // Width and height that show every column and `visibleRows` entries.
    QSize sizeForRows(int visibleRows) const;

    // The text of an entry's cell; valueColumn 0..3 counts from the diameter.
    QString entryText(int entry, int valueColumn) const;
    void setEntryText(int entry, int valueColumn, const QString& text);

    // The entry of the current cell; entry 0 when there is none.
    int currentEntry() const;
    // Makes an entry's cell the current one.
    void setCurrentEntry(int entry, int valueColumn);

    // Puts the text of an open cell editor into its cell, so that a button pressed while the
    // user is still typing reads what the user sees.
    void commitEditing();
};

} // namespace hspring
