// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menus, and the windows they open: the design search, the editors of the
// material library and the coefficients, the help page.
#include "app/windows/help_page.h"
#include "app/windows/main_window.h"
#include "app/windows/main_window_form.h"
#include "chart/windows/chart_page.h"
#include "data/windows/coefficient_editor.h"
#include "data/windows/material_editor.h"
#include "drawing/windows/shape_page.h"
#include "search/windows/design_search_window.h"
#include "toolkit/windows/error_box.h"

#include <QDir>
#include <QFile>

namespace hspring {

namespace {

QString localPath(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

} // namespace

// ---- Design search ----------------------------------------------------------------------------

void MainWindow::openDesignSearch() {
    if (!calculatedForOutput())
        return;
    // The first opening starts from the requirement of the last run, else from the current
    // design; later ones keep the last requirement, and "現在の設計から" takes the current design
    // again.
    if (!designSearch_) {
        designSearch_ = new DesignSearchWindow(state_, this);
        designSearch_->setUnitSystem(units_);
        designSearch_->setApplyHandler(
            [this](const SearchCandidate& candidate) { applySearchCandidate(candidate); });
        const auto currentDesign = [this] {
            return std::optional(std::pair(state_.current(), ui_->shapePage->roundHookPageActive()
                                                                 ? HookType::Round
                                                                 : HookType::U));
        };
        designSearch_->setDesignSource(currentDesign);
        if (!designSearch_->requirementRestored()) {
            const auto [design, hookType] = *currentDesign();
            designSearch_->fillFromDesign(design, hookType);
        }
    }
    designSearch_->show();
    designSearch_->raise();
    designSearch_->activateWindow();
}

// The candidate's record holds every input as the window's fields take it (the coil diameter as
// the mean diameter in fifteen digits, the free length and the initial tension in four), so the
// calculation below gives the candidate's results exactly.
void MainWindow::applySearchCandidate(const SearchCandidate& candidate) {
    state_.current() = candidate.result.design;
    // The chart shows the requirement's windows beside the candidate, at the search's grade.
    const DesignRequirement& r = designSearch_->searchedRequirement();
    const auto window = [&r](double length, double load) {
        return ChartLoadWindow{length, load * (1 - r.loadTolerance / 100),
                               load * (1 + r.loadTolerance / 100)};
    };
    ui_->chartPage->setRequirementWindows({window(r.length1, r.load1), window(r.length2, r.load2)});
    setToleranceGrade(r.toleranceGrade);
    ui_->shapePage->showHookPage(candidate.result.hookType);
    showDesign();
    refreshReportingErrors();
    onCalculateClicked();
}

// Installed, the editors write the user's own copies, into a folder made for them at start-up
// (no save creates folders).
void MainWindow::prepareMenuWindows() {
    if (locations_.installed)
        QDir().mkpath(localPath(locations_.settings.write.parent_path()));
}

// The editors show the files as read at start-up: only the editors themselves change the library
// and the coefficients.
MaterialEditorDialog& MainWindow::materialEditor() {
    if (!materialEditor_) {
        materialEditor_ = new MaterialEditorDialog(state_.materials, this);
        // A saved library takes effect only where the next start reads it, so the save dialog
        // proposes that file.
        if (locations_.installed)
            materialEditor_->proposeSaveFile(localPath(locations_.materials.write));
    }
    return *materialEditor_;
}

CoefficientEditorDialog& MainWindow::coefficientEditor() {
    if (!coefficientEditor_)
        coefficientEditor_ = new CoefficientEditorDialog(
            state_.settings, localPath(locations_.settings.write), this);
    return *coefficientEditor_;
}

void MainWindow::connectMenu() {
    MainWindowControls& c = *ui_;
    const auto onMenu = [this](QAction* item, auto action) {
        connect(item, &QAction::triggered, this,
                [this, action] { runReportingErrors(this, action); });
    };
    connectOutputMenu();
    onMenu(c.lengthLoadSwitchItem, [this] { onLengthLoadSwitched(); });
    onMenu(c.siUnitsItem, [this] { setUnitSystem(UnitSystem::Si); });
    onMenu(c.gravitationalUnitsItem, [this] { setUnitSystem(UnitSystem::Gravitational); });
    onMenu(c.editMaterialsItem, [this] { materialEditor().exec(); });
    onMenu(c.editCoefficientsItem, [this] { coefficientEditor().exec(); });
    onMenu(c.helpItem, [this] { openHelpPage(dataFolder_, this); });
    onMenu(c.designSearchItem, [this] { openDesignSearch(); });
    connectFileMenu();
}

} // namespace hspring
