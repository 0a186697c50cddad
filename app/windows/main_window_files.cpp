// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's calculation files on the menu "ファイル".
#include "app/windows/calculation_document.h"
#include "app/windows/calculation_file_menu.h"
#include "app/windows/main_window.h"
#include "app/windows/main_window_form.h"

#include <QCloseEvent>

namespace hspring {

// The calculation file reports its own failures.
void MainWindow::connectFileMenu() {
    MainWindowControls& c = *ui_;
    connect(c.readFileItem, &QAction::triggered, this, [this] { readCalculationFile(*this); });
    connect(c.saveFileItem, &QAction::triggered, this, [this] { saveCalculationFile(*this); });
    connectRecentFilesMenu(*this, *c.recentFilesMenu);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (CalculationDocument::of(*this).askToKeepChanges())
        event->accept();
    else
        event->ignore();
}

} // namespace hspring
