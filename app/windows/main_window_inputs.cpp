// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's input handlers: the selection lists, the mode switches, the fields that act
// when left and the buttons that put a recommended value into its field.
#include "app/design_display.h"
#include "app/material_selection.h"
#include "app/windows/main_window.h"
#include "app/windows/main_window_form.h"
#include "base/number_format.h"
#include "calc/recommendations.h"
#include "calc/spring_design.h"
#include "toolkit/windows/error_box.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace hspring {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string utf8(const QString& text) {
    return text.toStdString();
}

// The user takes the focus to another control of the window: not to a box or another window, and
// not the program's move of the focus to a field whose text is no number (the refresh of the field
// left would only stop at the same text with a second box).
bool leavesForAnotherControl(const QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason && reason != Qt::OtherFocusReason;
}

// The status line of an apply button whose recommended value is missing.
QString cannotApplyLine(const QString& value) {
    return value + QStringLiteral("が求められないため適用できません");
}

// Puts `items` into a selection list, rebuilding it only when they differ from what it holds:
// a rebuilt list is repainted and loses its selection, and the results display selects the
// material it already shows at every calculation.
// Returns whether it rebuilt the list.
template <typename Texts>
bool setListItems(QComboBox& list, const Texts& items) {
    bool same = list.count() == static_cast<int>(items.size());
    for (int i = 0; same && i < list.count(); ++i)
        same = list.itemText(i) == qt(items[static_cast<std::size_t>(i)]);
    if (same)
        return false;
    list.clear();
    for (const auto& item : items)
        list.addItem(qt(item));
    return true;
}

bool isEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

// ---- Selection lists --------------------------------------------------------------------------

int MainWindow::selectedKind() const {
    const QComboBox& kinds = *ui_->kindList;
    return kinds.currentIndex() < 0 ? -1 : kinds.currentData().toInt();
}

// Fills the list without selecting a grade (a list that already holds the kind's grades keeps its
// selection); the caller chooses one.
void MainWindow::fillGradeList(int kind) {
    QComboBox& grades = *ui_->gradeList;
    if (setListItems(grades, gradeList(state_.materials, state_.kindIndex, kind)))
        grades.setCurrentIndex(-1);
}

void MainWindow::refillDiameterList(int materialIndex) {
    QComboBox& diameters = *ui_->wireDiameterList;
    const DiameterListRefill refill = hspring::refillDiameterList(
        state_.current(), state_.materials, state_.kindIndex,
        lookupMaterial(state_.kindIndex, selectedKind(), ui_->gradeList->currentIndex()),
        diameters.currentIndex(), materialIndex);
    setListItems(diameters, refill.diameters);
    diameters.setCurrentIndex(refill.selected);
}

void MainWindow::selectMaterialInLists(int materialIndex) {
    const auto place = findMaterialInIndex(state_.kindIndex, materialIndex);
    if (!place) {
        ui_->kindList->setCurrentIndex(-1);
        fillGradeList(-1);
        return;
    }
    ui_->kindList->setCurrentIndex(ui_->kindList->findData(place->kind));
    fillGradeList(place->kind);
    ui_->gradeList->setCurrentIndex(place->grade);
}

void MainWindow::selectDiameterPosition(int position) {
    QComboBox& diameters = *ui_->wireDiameterList;
    diameters.setCurrentIndex(position >= 0 && position < diameters.count() ? position : -1);
}

void MainWindow::onKindChanged() {
    const int kind = selectedKind();
    fillGradeList(kind);
    ui_->gradeList->setCurrentIndex(0);
    refillDiameterList(lookupMaterial(state_.kindIndex, kind, 0));
    refreshReportingErrors();
}

void MainWindow::onGradeChanged() {
    refillDiameterList(
        lookupMaterial(state_.kindIndex, selectedKind(), ui_->gradeList->currentIndex()));
    refreshReportingErrors();
}

void MainWindow::onWireDiameterChanged() {
    refreshReportingErrors();
}

// ---- Mode switches and field handlers ---------------------------------------------------------

void MainWindow::applyInputModeColours() {
    const bool lengthsGiven = state_.current().lengthMode != kLoadsGiven;
    for (QLineEdit* length : {ui_->length1Field, ui_->length2Field}) {
        length->setEnabled(lengthsGiven);
        setFieldColour(*length, lengthsGiven);
    }
    for (QLineEdit* load : {ui_->load1Field, ui_->load2Field}) {
        load->setEnabled(!lengthsGiven);
        setFieldColour(*load, !lengthsGiven);
    }
}

void MainWindow::onLengthLoadSwitched() {
    markInputsChanged();
    SpringDesign& design = state_.current();
    design.lengthMode = design.lengthMode == kLoadsGiven ? kLengthsGiven : kLoadsGiven;
    applyInputModeColours();
}

void MainWindow::onDiameterKindClicked() {
    if (const auto diameter = cycleDiameterKind(state_.current()))
        showCoilDiameter(*diameter);
}

void MainWindow::onCoilDiameterConfirmed() {
    const QString text = ui_->coilDiameterField->text();
    if (!text.isEmpty() && text != ui_->wireDiameterList->currentText())
        refreshReportingErrors();
}

// Typing an initial tension switches the automatic one off. Unchecking the box runs its own
// handler, which refreshes; a second refresh would only repeat it, and its error box.
void MainWindow::onInitialTensionConfirmed() {
    if (ui_->autoInitialTensionBox->isChecked())
        ui_->autoInitialTensionBox->setChecked(false);
    else
        refreshReportingErrors();
}

void MainWindow::onTurnsLeft() {
    if (ui_->turnsField->text().isEmpty())
        return;
    runReportingErrors(this, [this] {
        state_.current().totalTurns = ui_->turnsField->number();
        refreshRecommendations();
    });
}

void MainWindow::onCheckBoxClicked() {
    if (!restoringDisplay_)
        refreshReportingErrors();
}

// An apply button whose value is missing changes nothing and says why in the status list.
bool MainWindow::applyValue(QLineEdit* field, long double value, const QString& valueName) {
    const auto text = inputFieldText(value, 4);
    if (!text) {
        showStatus(StatusLines{{utf8(cannotApplyLine(valueName))}, StatusColour::Error});
        return false;
    }
    field->setText(qt(*text));
    return true;
}

void MainWindow::onApplyFreeLengthClicked() {
    runReportingErrors(this, [this] {
        applyValue(ui_->freeLengthField, recommendedFreeLength(state_.current(), shownHookType()),
                   QStringLiteral("自由長さ"));
    });
}

void MainWindow::onApplyMaxLengthClicked() {
    runReportingErrors(this, [this] {
        // The value its label shows: with the hooks, where one of them reaches its allowable first.
        if (!applyValue(ui_->length2Field, recommendedLimits_.maxLength,
                        QStringLiteral("最大長さ")))
            return;
        readDesignInputs();
        calculate();
    });
}

void MainWindow::onApplyMaxLoadClicked() {
    applyValue(ui_->load2Field, shownValue(recommendedLimits_.maxLoad, units_),
               QStringLiteral("最大荷重"));
}

void MainWindow::onApplyInitialTensionClicked() {
    runReportingErrors(this, [this] {
        if (applyValue(ui_->initialTensionField, shownValue(state_.initialTension.mid, units_),
                       QStringLiteral("初張力")))
            refreshRecommendations();
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const MainWindowControls& c = *ui_;
    if (watched == c.coilDiameterField && (isEnterKey(event) || leavesForAnotherControl(event)))
        onCoilDiameterConfirmed();
    else if (watched == c.initialTensionField &&
             (isEnterKey(event) || leavesForAnotherControl(event)))
        onInitialTensionConfirmed();
    else if (watched == c.turnsField && leavesForAnotherControl(event))
        onTurnsLeft();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace hspring
