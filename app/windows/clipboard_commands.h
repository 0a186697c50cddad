// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTableWidget;

namespace hspring {

class DiagramView;

// "全データーコピー": replaces the clipboard's contents with the text of the grid's cells from
// (left, top) to (right, bottom), as shown (gridText: TAB between cells, CR LF after every row).
// A rectangle outside the grid puts the empty text on the clipboard.
void copyGridToClipboard(const QTableWidget& grid, int left, int top, int right, int bottom);

// "寿命グラフコピー": replaces the clipboard's contents with the diagram last drawn, as a bitmap,
// unchanged; nothing is redrawn.
void copyDiagramToClipboard(const DiagramView& view);

} // namespace hspring
