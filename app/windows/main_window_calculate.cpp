// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's 計算 and its history: the calculation the button and the spring view share,
// the check before an output, and the store to and recall from the 30 history slots.
#include "app/design_display.h"
#include "app/history_rows.h"
#include "app/windows/main_window.h"
#include "app/windows/main_window_form.h"
#include "app/windows/slot_selector.h"
#include "calc/checks.h"
#include "calc/design_refusal.h"
#include "calc/spring_design.h"
#include "drawing/windows/shape_page.h"
#include "toolkit/windows/centred_grid.h"
#include "toolkit/windows/error_box.h"
#include "wording/japanese.h"

namespace hspring {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

// ---- Calculate, history -----------------------------------------------------------------------

// Read, calculate, show and check: the calculation the Calculate button and the spring view's
// state button share. Returns false when it failed and the error box has said why.
bool MainWindow::recalculate() {
    const bool calculated = runReportingErrors(this, [this] {
        readDesignInputs();
        calculate();
        // The round hook's radii after the design's own inputs; a U hook does not use them.
        if (shownHookType() == HookType::Round)
            ui_->shapePage->readHookRadii();
        detailValid_ = true;
        showDesign(true);
    });
    inputsChanged_ = !calculated;
    if (!calculated) {
        // Nothing stale: the results, the check lines, the spring view and the detail page show
        // nothing until the next 計算 that completes, so the last design's values are never
        // taken for this one's.
        MainWindowControls& c = *ui_;
        for (QLineEdit* result : std::initializer_list<QLineEdit*>{
                 c.springRateField, c.stress2Field, c.expectedLifeField, c.allowableStressField})
            result->clear();
        for (QLineEdit* computed :
             state_.current().lengthMode == kLoadsGiven
                 ? std::initializer_list<QLineEdit*>{c.length1Field, c.length2Field}
                 : std::initializer_list<QLineEdit*>{c.load1Field, c.load2Field})
            computed->clear();
        c.statusList->clear();
        c.shapePage->showNoSpring();
        detailValid_ = false;
        refreshDetailPage();
    }
    return calculated;
}

bool MainWindow::calculateAndDraw() {
    if (!recalculate())
        return false;
    runReportingErrors(this, [this] {
        // A coil diameter of zero or below, or a hook that cannot be drawn, has no shape: the
        // checks already say what is wrong, the line says why the view stays empty.
        if (const auto note = undrawableHookNote(state_.current(), shownHookType())) {
            ui_->shapePage->showNoSpring();
            ui_->statusList->addItem(qt(*note));
        } else if (!ui_->shapePage->drawFreeSpring(state_.current())) {
            ui_->statusList->addItem(QStringLiteral("コイル径が０以下のため形状を描けません"));
        }
    });
    return true;
}

void MainWindow::onCalculateClicked() {
    calculateAndDraw();
}

bool MainWindow::calculatedForOutput() {
    // A design read from a file is not calculated again unless it is no spring: then 計算 refuses
    // it at its field, and no document shows it.
    if (!inputsChanged_ && !refusedInput(state_.current(), shownHookType()))
        return true;
    return calculateAndDraw();
}

void MainWindow::markInputsChanged() {
    inputsChanged_ = true;
}

// Typing into a field (textEdited: the user's edits only), a pick from a list or a click on a
// check box or a mode button: what the last 計算 did not see.
void MainWindow::connectInputChanges() {
    MainWindowControls& c = *ui_;
    const auto changed = [this] { markInputsChanged(); };
    for (QLineEdit* field :
         {c.coilDiameterField, c.turnsField, c.initialTensionField, c.freeLengthField,
          c.length1Field, c.length2Field, c.load1Field, c.load2Field, c.shapePage->hookAngleField(),
          c.shapePage->hookLengthField(), c.shapePage->hookOpeningField(),
          c.shapePage->minRadiusField(), c.shapePage->hookBendRadiusField(),
          c.shapePage->hookLoopRadiusField()})
        connect(field, &QLineEdit::textEdited, this, changed);
    for (QComboBox* list : {c.kindList, c.gradeList, c.wireDiameterList})
        connect(list, &QComboBox::activated, this, changed);
    for (QCheckBox* box : {c.lowTempAnnealedBox, c.autoInitialTensionBox})
        connect(box, &QCheckBox::clicked, this, changed);
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             c.diameterKindButton, c.applyFreeLengthButton, c.applyMaxLengthButton,
             c.applyMaxLoadButton, c.applyInitialTensionButton})
        connect(button, &QAbstractButton::clicked, this, changed);
}

void MainWindow::refreshHistoryRow(int slot) {
    if (slot < kFirstHistorySlot || slot > kLastHistorySlot)
        return;
    const auto texts =
        historyRowTexts(state_.designs[slot], state_.materials, japaneseWording(), units_);
    for (int column = 1; column < kHistoryColumnCount; ++column)
        ui_->historyGrid->setCellText(historyRowOfSlot(slot), column, qt(texts[column - 1]));
}

void MainWindow::onStoreClicked() {
    if (!calculatedForOutput())
        return;
    const int slot = ui_->slotSelector->takeSlot();
    copyDesignSlot(state_.designs, 0, slot);
    refreshHistoryRow(slot);
}

void MainWindow::onRecallClicked() {
    const int slot = ui_->slotSelector->takeSlot();
    if (state_.designs[slot].inUse == 0)
        return;
    copyDesignSlot(state_.designs, slot, 0);
    inputsChanged_ = false;
    detailValid_ = true;
    showDesign();
}

void MainWindow::showDesignRead() {
    inputsChanged_ = false;
    detailValid_ = true;
    showDesign();
}

void MainWindow::onHistoryRowClicked(int row) {
    const int slot = row - 1;
    if (slot < kFirstHistorySlot || slot > kLastHistorySlot || state_.designs[slot].inUse != 1)
        return;
    copyDesignSlot(state_.designs, slot, 0);
    selectDiameterPosition(state_.current().diameterIndex);
    inputsChanged_ = false;
    detailValid_ = true;
    showDesign();
}

} // namespace hspring
