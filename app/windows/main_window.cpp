// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/main_window.h"

#include "app/design_display.h"
#include "app/design_inputs.h"
#include "app/detail_page_text.h"
#include "app/history_rows.h"
#include "app/material_selection.h"
#include "app/windows/calculation_document.h"
#include "app/windows/calculation_file_menu.h"
#include "app/windows/clipboard_commands.h"
#include "app/windows/detail_page.h"
#include "app/windows/help_page.h"
#include "app/windows/main_window_form.h"
#include "app/windows/slot_selector.h"
#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/checks.h"
#include "calc/design_caption.h"
#include "calc/engine.h"
#include "calc/life.h"
#include "calc/recommendations.h"
#include "calc/spring_design.h"
#include "chart/windows/chart_page.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "data/windows/coefficient_editor.h"
#include "data/windows/material_editor.h"
#include "diagram/painting/fatigue_diagram.h"
#include "diagram/windows/diagram_view.h"
#include "drawing/windows/dxf_export.h"
#include "drawing/windows/shape_page.h"
#include "model/windows/model_save.h"
#include "printing/data_sheet_text.h"
#include "printing/windows/data_sheet_window.h"
#include "printing/windows/window_print.h"
#include "search/windows/design_search_window.h"
#include "toolkit/windows/centred_grid.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/error_text.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <stdexcept>

namespace hspring {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}
QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
std::string utf8(const QString& text) {
    return text.toStdString();
}
QString localPath(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}
std::filesystem::path localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

const QColor kErrorLineColour(0, 0, 255);
// The warnings about the hooks, below the check lines: red, apart from the blue errors and the
// success line in the window's text colour.
const QColor kWarningLineColour(204, 0, 0);

// A focus that leaves for another control of the window, not for a box or another window.
bool leavesForAnotherControl(const QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

// The status line of an apply button whose recommended value is missing.
QString cannotApplyLine(const QString& value) {
    return value + QStringLiteral("が求められないため適用できません");
}

// Brings the pages that hold `field` to the front, gives it the focus and selects its text.
void focusField(QWidget* field) {
    for (QWidget* ancestor = field->parentWidget(); ancestor; ancestor = ancestor->parentWidget())
        if (auto* pages = qobject_cast<QTabWidget*>(ancestor))
            for (int page = 0; page < pages->count(); ++page)
                if (pages->widget(page)->isAncestorOf(field))
                    pages->setCurrentIndex(page);
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
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

MainWindow::MainWindow(ProgramState& state, const QString& dataFolder,
                       const std::vector<StartupNotice>& notices, QWidget* parent)
    : MainWindow(state, dataFilesIn(localPath(dataFolder)), notices, parent) {}

MainWindow::MainWindow(ProgramState& state, const DataLocations& locations,
                       const std::vector<StartupNotice>& notices, QWidget* parent)
    : QMainWindow(parent), state_(state), locations_(locations),
      dataFolder_(localPath(locations.defaultsFolder)),
      ui_(std::make_unique<MainWindowControls>(buildMainWindowForm(*this, state.current()))) {
    setObjectName(QStringLiteral("f_hip"));
    setWindowTitle(QStringLiteral("引張りコイルバネ計算"));
    connectHandlers();
    formCreate(notices);
    prepareMenuWindows();
    connectMenu();
}

MainWindow::~MainWindow() = default;

bool MainWindow::leftHanded() const {
    return ui_->leftHandedBox->isChecked();
}

// ---- Start-up ---------------------------------------------------------------------------------

void MainWindow::formCreate(const std::vector<StartupNotice>& notices) {
    showStartupNotices(notices);
    fillKindList();
    ui_->kindList->setCurrentIndex(0);
    fillGradeList(selectedKind());
    ui_->gradeList->setCurrentIndex(0);
    refillDiameterList(lookupMaterial(state_.kindIndex, selectedKind(), 0));
    selectDiameterPosition(0);
    resetDesignDefaults(state_.current());
    runReportingErrors(this, [this] {
        showDesign();
        readDesignInputs();
        initHistoryGrid();
        refreshRecommendations();
        ui_->shapePage->resetToFreeView();
    });
}

// The files were read before the window was made; what went wrong there is said now, before
// the window opens.
void MainWindow::showStartupNotices(const std::vector<StartupNotice>& notices) {
    for (const StartupNotice& notice : notices) {
        if (notice.kind == StartupNotice::Kind::Warning) {
            const QString text =
                QStringLiteral("設定ファイル %1 が見つかりません。\n標準の係数で続けます。")
                    .arg(qt(notice.file));
            QMessageBox box(QMessageBox::Warning, QStringLiteral("警告"), text, QMessageBox::Yes,
                            this);
            box.exec();
        } else {
            showErrorBox(this, errorText(notice.cause) +
                                   QStringLiteral("\n標準の材料データで続けます。"));
        }
    }
}

// Each entry carries its kind number, the one the lookups need.
void MainWindow::fillKindList() {
    ui_->kindList->clear();
    for (const KindListEntry& entry : kindList(state_.materials, state_.kindIndex))
        ui_->kindList->addItem(qt(entry.name), entry.kind);
}

void MainWindow::initHistoryGrid() {
    for (int column = 0; column < kHistoryColumnCount; ++column) {
        ui_->historyGrid->setCellText(0, column, qt(kHistoryItemNames[column]));
        ui_->historyGrid->setCellText(1, column, qt(kHistoryUnits[column]));
    }
    for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot) {
        ui_->historyGrid->setCellText(historyRowOfSlot(slot), 0, QString::number(slot));
        refreshHistoryRow(slot);
    }
}

// ---- Reading, calculating, showing -----------------------------------------------------------

void MainWindow::readDesignInputs() {
    const MainWindowControls& c = *ui_;
    DesignInputTexts texts;
    texts.kind = selectedKind();
    texts.grade = c.gradeList->currentIndex();
    texts.diameterPosition = c.wireDiameterList->currentIndex();
    texts.wireDiameter = utf8(c.wireDiameterList->currentText());
    texts.coilDiameter = utf8(c.coilDiameterField->text());
    texts.turns = utf8(c.turnsField->text());
    texts.initialTension = utf8(c.initialTensionField->text());
    texts.freeLength = utf8(c.freeLengthField->text());
    texts.length1 = utf8(c.length1Field->text());
    texts.length2 = utf8(c.length2Field->text());
    texts.load1 = utf8(c.load1Field->text());
    texts.load2 = utf8(c.load2Field->text());
    texts.lowTempAnnealed = c.lowTempAnnealedBox->isChecked();
    texts.autoInitialTension = c.autoInitialTensionBox->isChecked();
    texts.hookAngle = utf8(c.shapePage->hookAngleField()->text());
    texts.hookLength = utf8(c.shapePage->hookLengthField()->text());
    texts.hookOpening = utf8(c.shapePage->hookOpeningField()->text());
    texts.hookMinRadius = utf8(c.shapePage->minRadiusField()->text());
    try {
        hspring::readDesignInputs(state_.current(), state_.materials, state_.kindIndex, texts,
                                  [this](const std::string& label) {
                                      ui_->springIndexLabel->setText(qt(label));
                                      ui_->springIndexLabel->adjustSize();
                                  });
    } catch (const DesignInputError& failure) {
        focusAfterError(inputField(failure.input()));
        throw;
    }
}

QWidget* MainWindow::inputField(DesignInput input) const {
    const MainWindowControls& c = *ui_;
    switch (input) {
    case DesignInput::WireDiameter:
        return c.wireDiameterList;
    case DesignInput::CoilDiameter:
        return c.coilDiameterField;
    case DesignInput::Turns:
        return c.turnsField;
    case DesignInput::InitialTension:
        return c.initialTensionField;
    case DesignInput::FreeLength:
        return c.freeLengthField;
    case DesignInput::Length1:
        return c.length1Field;
    case DesignInput::Length2:
        return c.length2Field;
    case DesignInput::Load1:
        return c.load1Field;
    case DesignInput::Load2:
        return c.load2Field;
    case DesignInput::HookAngle:
        return c.shapePage->hookAngleField();
    case DesignInput::HookLength:
        return c.shapePage->hookLengthField();
    case DesignInput::HookOpening:
        return c.shapePage->hookOpeningField();
    case DesignInput::HookMinRadius:
        return c.shapePage->minRadiusField();
    }
    return nullptr;
}

// The error box about the field opens next. Once it has been answered and the action that
// failed has ended (a focus change that started it included, which would otherwise take the
// selection away again), the field takes the focus. Leaving the control the focus was in runs no
// handler then: its refresh would only stop at the same text with a second box.
void MainWindow::focusAfterError(QWidget* field) {
    if (!field)
        return;
    const auto focusNow = [this, field = QPointer<QWidget>(field)] {
        if (!field)
            return;
        movingFocusAfterError_ = true;
        focusField(field);
        movingFocusAfterError_ = false;
    };
    QTimer::singleShot(0, this, [this, focusNow] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            connect(box, &QDialog::finished, this,
                    [this, focusNow] { QTimer::singleShot(0, this, focusNow); });
        else
            focusNow();
    });
}

// The engine reads the initial-tension field again when the tension is entered by hand.
void MainWindow::calculate() {
    calculateDesign(state_.current(), state_.materials, state_.settings.coefficients,
                    state_.initialTension,
                    [this] { return textToDouble(utf8(ui_->initialTensionField->text())); });
}

void MainWindow::showDesign() {
    MainWindowControls& c = *ui_;
    SpringDesign& design = state_.current();
    selectMaterialInLists(design.materialIndex);
    refillDiameterList(design.materialIndex);
    selectDiameterPosition(design.diameterIndex);
    if (const auto note = unlistedMaterialNote(design, state_.kindIndex))
        c.statusList->addItem(qt(*note));

    if (const auto diameter = coilDiameterDisplay(design)) {
        c.coilDiameterCaption->setText(qt(diameter->caption));
        c.coilDiameterCaption->adjustSize();
        c.coilDiameterField->setText(qt(diameter->text));
    }

    const StressCoefficients coefficients = stressCoefficients(design, state_.materials);
    const int notices = c.diagramView->showDiagram(coefficients.upper, coefficients.lower,
                                                   state_.settings.coefficients.hookStressFactor);
    for (int notice = 0; notice < notices; ++notice)
        c.statusList->addItem(graphAreaOverNotice());
    design.lifeClass = classifyLife(coefficients.upper, coefficients.lower);

    const DesignFieldTexts texts = designFieldTexts(design);
    c.turnsField->setText(qt(texts.turns));
    c.initialTensionField->setText(qt(texts.initialTension));
    c.freeLengthField->setText(qt(texts.freeLength));
    c.length1Field->setText(qt(texts.length1));
    c.length2Field->setText(qt(texts.length2));
    c.load1Field->setText(qt(texts.load1));
    c.load2Field->setText(qt(texts.load2));
    c.springRateField->setText(qt(texts.springRate));
    c.stress2Field->setText(qt(texts.stress2));
    c.expectedLifeField->setText(qt(texts.life));
    c.allowableStressField->setText(qt(texts.allowableStress));
    c.shapePage->hookAngleField()->setText(qt(texts.hookAngle));
    c.shapePage->hookLengthField()->setText(qt(texts.hookLength));
    c.shapePage->hookOpeningField()->setText(qt(texts.hookOpening));
    c.shapePage->minRadiusField()->setText(qt(texts.hookMinRadius));

    restoringDisplay_ = true;
    c.lowTempAnnealedBox->setChecked(design.lowTempAnnealed != 0);
    c.autoInitialTensionBox->setChecked(design.autoInitialTension != 0);
    restoringDisplay_ = false;
    applyInputModeColours();
    refreshDetailPage();
}

HookType MainWindow::shownHookType() const {
    return ui_->shapePage->roundHookPageActive() ? HookType::Round : HookType::U;
}

// The detail page follows the design shown and the hook tab chosen; before the first 計算 and
// after one that failed it shows no values.
void MainWindow::refreshDetailPage() {
    DetailPageTexts texts =
        detailPageTexts(state_.current(), state_.materials, state_.settings.coefficients,
                        shownHookType(), state_.initialTension);
    ui_->detailPage->showTexts(detailValid_ ? std::move(texts) : withoutValues(std::move(texts)));
    // The chart page: the design calculated again at the page's tolerance grade; a design the
    // engine stops on, or one not calculated yet, has no chart.
    if (!detailValid_) {
        ui_->chartPage->showResult(nullptr);
        return;
    }
    try {
        const DesignResult result =
            evaluateDesign(state_.current(), state_.materials, state_.settings.coefficients,
                           shownHookType(), ui_->chartPage->toleranceGrade());
        ui_->chartPage->showResult(&result);
    } catch (const Error&) {
        ui_->chartPage->showResult(nullptr);
    }
}

void MainWindow::addHookWarnings() {
    const SpringDesign& design = state_.current();
    const HookType hookType = shownHookType();
    const ExtraResults extras =
        calculateExtraResults(design, state_.materials, state_.settings.coefficients, hookType);
    for (const HookCheck& check : checkHooks(design, state_.initialTension, extras, hookType)) {
        auto* item = new QListWidgetItem(qt(std::string(hookCheckText(check.problem))));
        item->setForeground(kWarningLineColour);
        ui_->statusList->addItem(item);
    }
}

void MainWindow::refreshRecommendations() {
    readDesignInputs();
    calculate();
    const Recommendations recommended = recommendationsFor(state_.current(), state_.initialTension);
    if (recommended.indexInRange) {
        MainWindowControls& c = *ui_;
        c.recommendedFreeLengthLabel->setText(qt(recommended.freeLengthLabel));
        if (c.recommendedFreeLengthBox->isChecked())
            if (const auto text = inputFieldText(recommendedFreeLength(state_.current()), 4))
                c.freeLengthField->setText(qt(*text));
        c.maxLengthLabel->setText(qt(recommended.maxLengthLabel));
        c.maxLoadLabel->setText(qt(recommended.maxLoadLabel));
        c.initialTensionRangeLabel->setText(qt(recommended.initialTensionLabel));
        // Taken from the range, the tension is a result: a missing one shows as missing.
        if (c.autoInitialTensionBox->isChecked())
            c.initialTensionField->setText(qt(inputFieldText(state_.initialTension.mid, 4)
                                                  .value_or(std::string(kMissingValueText))));
    }
    showStatus(recommended.status);
}

void MainWindow::refreshReportingErrors() {
    runReportingErrors(this, [this] { refreshRecommendations(); });
}

// The whole list is drawn in one colour: blue for error lines, the window text otherwise.
void MainWindow::showStatus(const StatusLines& status) {
    QListWidget& list = *ui_->statusList;
    list.clear();
    for (const std::string& line : status.lines)
        list.addItem(qt(line));
    QPalette palette = list.palette();
    palette.setColor(QPalette::Text, status.colour == StatusColour::Error
                                         ? kErrorLineColour
                                         : QApplication::palette().color(QPalette::WindowText));
    list.setPalette(palette);
}

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

// ---- Calculate, history -----------------------------------------------------------------------

// Read, calculate, show and check: the calculation the Calculate button and the spring view's
// state button share. Returns false when it failed and the error box has said why.
bool MainWindow::recalculate() {
    const bool calculated = runReportingErrors(this, [this] {
        readDesignInputs();
        calculate();
        detailValid_ = true;
        showDesign();
        showStatus(checkDesign(state_.current()));
        addHookWarnings();
    });
    inputsChanged_ = !calculated;
    if (!calculated) {
        // Nothing stale: the page shows no values until the next 計算 that completes.
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
    return !inputsChanged_ || calculateAndDraw();
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
          c.shapePage->minRadiusField()})
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
    const auto texts = historyRowTexts(state_.designs[slot], state_.materials);
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
    if (const auto diameter = cycleDiameterKind(state_.current())) {
        ui_->coilDiameterCaption->setText(qt(diameter->caption));
        ui_->coilDiameterCaption->adjustSize();
        ui_->coilDiameterField->setText(qt(diameter->text));
    }
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
    const QString text = ui_->turnsField->text();
    if (text.isEmpty())
        return;
    runReportingErrors(this, [this, &text] {
        try {
            state_.current().totalTurns = textToDouble(utf8(text));
        } catch (const Error&) {
            focusAfterError(ui_->turnsField);
            throw;
        }
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
        applyValue(ui_->freeLengthField, recommendedFreeLength(state_.current()),
                   QStringLiteral("自由長さ"));
    });
}

void MainWindow::onApplyMaxLengthClicked() {
    runReportingErrors(this, [this] {
        if (!applyValue(ui_->length2Field, state_.current().maxLength, QStringLiteral("最大長さ")))
            return;
        readDesignInputs();
        calculate();
    });
}

void MainWindow::onApplyMaxLoadClicked() {
    applyValue(ui_->load2Field, state_.current().maxLoad, QStringLiteral("最大荷重"));
}

void MainWindow::onApplyInitialTensionClicked() {
    runReportingErrors(this, [this] {
        if (applyValue(ui_->initialTensionField, state_.initialTension.mid,
                       QStringLiteral("初張力")))
            refreshRecommendations();
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const MainWindowControls& c = *ui_;
    if (movingFocusAfterError_)
        return QMainWindow::eventFilter(watched, event);
    if (watched == c.coilDiameterField && (isEnterKey(event) || leavesForAnotherControl(event)))
        onCoilDiameterConfirmed();
    else if (watched == c.initialTensionField &&
             (isEnterKey(event) || leavesForAnotherControl(event)))
        onInitialTensionConfirmed();
    else if (watched == c.turnsField && leavesForAnotherControl(event))
        onTurnsLeft();
    return QMainWindow::eventFilter(watched, event);
}

// ---- Wiring -----------------------------------------------------------------------------------

void MainWindow::connectHandlers() {
    MainWindowControls& c = *ui_;
    connect(c.calculateButton, &QPushButton::clicked, this, &MainWindow::onCalculateClicked);
    // The shape page's state views draw the hook too: one that cannot be drawn is not shown.
    c.shapePage->setRecalculation([this] {
        if (!recalculate())
            return false;
        if (const auto note = undrawableHookNote(state_.current(), shownHookType())) {
            ui_->shapePage->showNoSpring();
            ui_->statusList->addItem(qt(*note));
            return false;
        }
        return true;
    });
    connect(c.shapePage, &ShapePage::hookTypeChanged, this, &MainWindow::refreshDetailPage);
    connect(c.chartPage, &ChartPage::toleranceGradeChanged, this, &MainWindow::refreshDetailPage);
    connect(c.diameterKindButton, &QPushButton::clicked, this, &MainWindow::onDiameterKindClicked);
    // activated: a pick by the user; selecting from code starts nothing.
    connect(c.kindList, &QComboBox::activated, this, &MainWindow::onKindChanged);
    connect(c.gradeList, &QComboBox::activated, this, &MainWindow::onGradeChanged);
    connect(c.wireDiameterList, &QComboBox::activated, this, &MainWindow::onWireDiameterChanged);
    // toggled: a click and a change made by the program alike, hence restoringDisplay.
    connect(c.lowTempAnnealedBox, &QCheckBox::toggled, this, &MainWindow::onCheckBoxClicked);
    connect(c.autoInitialTensionBox, &QCheckBox::toggled, this, &MainWindow::onCheckBoxClicked);
    connect(c.storeButton, &QToolButton::clicked, this, &MainWindow::onStoreClicked);
    connect(c.recallButton, &QToolButton::clicked, this, &MainWindow::onRecallClicked);
    connect(c.historyGrid, &QTableWidget::cellClicked, this, &MainWindow::onHistoryRowClicked);
    connect(c.applyFreeLengthButton, &QToolButton::clicked, this,
            &MainWindow::onApplyFreeLengthClicked);
    connect(c.applyMaxLengthButton, &QToolButton::clicked, this,
            &MainWindow::onApplyMaxLengthClicked);
    connect(c.applyMaxLoadButton, &QToolButton::clicked, this, &MainWindow::onApplyMaxLoadClicked);
    connect(c.applyInitialTensionButton, &QToolButton::clicked, this,
            &MainWindow::onApplyInitialTensionClicked);
    for (QLineEdit* edit : {c.coilDiameterField, c.initialTensionField, c.turnsField})
        edit->installEventFilter(this);
    connectInputChanges();
}

// ---- Design search ----------------------------------------------------------------------------

void MainWindow::openDesignSearch() {
    if (!calculatedForOutput())
        return;
    // The first opening starts from the current design; later ones keep the last requirement,
    // and "現在の設計から" takes the current design again.
    if (!designSearch_) {
        designSearch_ = new DesignSearchWindow(state_, this);
        designSearch_->setApplyHandler(
            [this](const SearchCandidate& candidate) { applySearchCandidate(candidate); });
        const auto currentDesign = [this] {
            return std::optional(std::pair(state_.current(), ui_->shapePage->roundHookPageActive()
                                                                 ? HookType::Round
                                                                 : HookType::U));
        };
        designSearch_->setDesignSource(currentDesign);
        const auto [design, hookType] = *currentDesign();
        designSearch_->fillFromDesign(design, hookType);
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
    ui_->chartPage->setToleranceGrade(r.toleranceGrade);
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

DataSheetWindow& MainWindow::dataSheet() {
    if (!dataSheet_)
        dataSheet_ = new DataSheetWindow(this);
    return *dataSheet_;
}

void MainWindow::connectMenu() {
    MainWindowControls& c = *ui_;
    const auto onMenu = [this](QAction* item, auto action) {
        connect(item, &QAction::triggered, this,
                [this, action] { runReportingErrors(this, action); });
    };
    // What goes out is what the window shows: each of these runs 計算 first when an input
    // changed since the last one, and does nothing when it could not calculate.
    onMenu(c.printSheetItem, [this] {
        if (!calculatedForOutput())
            return;
        dataSheet().fillDataSheet(state_.current(), state_.materials, leftHanded());
        dataSheet().exec();
    });
    onMenu(c.saveSheetPdfItem, [this] {
        if (calculatedForOutput())
            saveDataSheetPdf(this,
                             dataSheetTexts(state_.current(), state_.materials, leftHanded()));
    });
    onMenu(c.printWindowItem, [this] {
        if (calculatedForOutput())
            printWindowWithDialog(*this, PrintScaling::FitToPage);
    });
    onMenu(c.exportDxfItem, [this] {
        if (!calculatedForOutput())
            return;
        // A hook that cannot be drawn is not written either.
        if (const auto note = undrawableHookNote(state_.current(), shownHookType())) {
            ui_->statusList->addItem(qt(*note));
            return;
        }
        exportDxf(this, state_.current(), *ui_->shapePage,
                  describePrintedDesign(*this).fileStem + QStringLiteral(".dxf"));
    });
    // 「3Dモデルを保存…」 in the spring view's menu: the design as it goes out, as for DXF.
    addModelSaveItem(*c.shapePage, [this]() -> std::optional<ModelSubject> {
        if (!calculatedForOutput())
            return std::nullopt;
        const SpringDesign& design = state_.current();
        return ModelSubject{design, shownHookType(), leftHanded(),
                            designCaption(design, state_.materials),
                            describePrintedDesign(*this).fileStem};
    });
    onMenu(c.jisSheetItem, [this] {
        if (calculatedForOutput())
            openJisSheet(*this, shownHookType());
    });
    c.detailPage->describePrintsBy([this] { return describePrintedDesign(*this); });
    onMenu(c.copyHistoryItem, [this] {
        copyGridToClipboard(*ui_->historyGrid, 0, 0, kHistoryColumnCount - 1, kHistoryRowCount - 1);
    });
    onMenu(c.copyDiagramItem, [this] { copyDiagramToClipboard(*ui_->diagramView); });
    onMenu(c.lengthLoadSwitchItem, [this] { onLengthLoadSwitched(); });
    onMenu(c.editMaterialsItem, [this] { materialEditor().exec(); });
    onMenu(c.editCoefficientsItem, [this] { coefficientEditor().exec(); });
    onMenu(c.helpItem, [this] { openHelpPage(dataFolder_, this); });
    onMenu(c.designSearchItem, [this] { openDesignSearch(); });
    // The calculation file reports its own failures.
    connect(c.readFileItem, &QAction::triggered, this, [this] { readCalculationFile(*this); });
    connect(c.saveFileItem, &QAction::triggered, this, [this] { saveCalculationFile(*this); });
    connectRecentFilesMenu(*this, *c.recentFilesMenu);
}

} // namespace hspring
