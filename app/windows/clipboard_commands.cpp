// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/clipboard_commands.h"

#include "app/grid_text.h"
#include "diagram/windows/diagram_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTableWidget>

namespace hspring {

void copyGridToClipboard(const QTableWidget& grid, int left, int top, int right, int bottom) {
    const auto shownText = [&grid](int row, int column) {
        const QTableWidgetItem* item = grid.item(row, column);
        return item ? item->text().toStdString() : std::string();
    };
    const std::string text =
        gridText(grid.rowCount(), grid.columnCount(), shownText, left, top, right, bottom);
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void copyDiagramToClipboard(const DiagramView& view) {
    QGuiApplication::clipboard()->setImage(view.image());
}

} // namespace hspring
