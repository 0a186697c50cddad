// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's calculation files on the menu "ファイル".
#include "app/windows/calculation_document.h"
#include "app/windows/calculation_file_menu.h"
#include "app/windows/main_window.h"
#include "app/windows/main_window_form.h"
#include "calc/spring_design.h"
#include "chart/windows/chart_page.h"
#include "data/material_library.h"
#include "drawing/windows/shape_page.h"
#include "toolkit/windows/error_box.h"

#include <QCloseEvent>

namespace hspring {

// The calculation file reports its own failures.
void MainWindow::connectFileMenu() {
    MainWindowControls& c = *ui_;
    connect(c.newFileItem, &QAction::triggered, this, [this] { startNewCalculation(); });
    connect(c.readFileItem, &QAction::triggered, this, [this] { readCalculationFile(*this); });
    connect(c.saveFileItem, &QAction::triggered, this, [this] { saveCalculationFile(*this); });
    connectRecentFilesMenu(*this, *c.recentFilesMenu);
}

// The start's steps again, over emptied slots; the document goes last, so that its grade shows
// no evaluation of the design that was there before.
void MainWindow::startNewCalculation() {
    CalculationDocument& document = CalculationDocument::of(*this);
    if (!document.askToKeepChanges())
        return;
    evaluation_.reset();
    detailValid_ = false;
    inputsChanged_ = true;
    state_.designs = {};
    document.clear();
    ui_->chartPage->setRequirementWindows({});
    selectStartDesign();
    runReportingErrors(this, [this] {
        showDesign();
        readDesignInputs();
        for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot)
            refreshHistoryRow(slot);
        refreshRecommendations();
        ui_->shapePage->resetToFreeView();
    });
    document.refreshTitle();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (CalculationDocument::of(*this).askToKeepChanges())
        event->accept();
    else
        event->ignore();
}

} // namespace hspring
