// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its construction and start-up, the reading of the inputs into slot 0 and the
// showing of slot 0, and the wiring of the controls to their handlers (main_window_*.cpp).
#include "app/windows/main_window.h"

#include "app/design_display.h"
#include "app/design_inputs.h"
#include "app/detail_page_text.h"
#include "app/history_rows.h"
#include "app/material_selection.h"
#include "app/windows/calculation_document.h"
#include "app/windows/detail_page.h"
#include "app/windows/main_window_form.h"
#include "app/windows/unit_setting.h"
#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/checks.h"
#include "calc/design_caption.h"
#include "calc/design_refusal.h"
#include "calc/engine.h"
#include "calc/life.h"
#include "calc/recommendations.h"
#include "calc/spring_design.h"
#include "chart/windows/chart_page.h"
#include "data/settings.h"
#include "diagram/painting/fatigue_diagram.h"
#include "diagram/windows/diagram_view.h"
#include "drawing/windows/shape_page.h"
#include "search/windows/design_search_window.h"
#include "toolkit/windows/centred_grid.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/error_text.h"
#include "wording/japanese.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <limits>

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

// The window's controls as the reading of the inputs takes them: the wire diameter from its list,
// every other number from its field, which takes the focus and names itself when its text is no
// number.
class WindowInputFields : public DesignInputFields {
public:
    WindowInputFields(const MainWindowControls& controls, UnitSystem units)
        : c_(controls), units_(units) {}

    // A force is typed in the window's units and stored in kgf.
    double number(DesignInput input) override {
        if (input != DesignInput::WireDiameter)
            return isForce(input) ? storedValue(field(input)->number(), units_)
                                  : field(input)->number();
        try {
            return textToDouble(utf8(c_.wireDiameterList->currentText()));
        } catch (const Error&) {
            refuseWireDiameter();
        }
    }

    std::optional<double> shownNumber(DesignInput input) override {
        const std::optional<double> shown = field(input)->heldNumber();
        return isForce(input) ? storedValue(shown, units_) : shown;
    }

    [[noreturn]] void refuseWireDiameter() override {
        QComboBox& list = *c_.wireDiameterList;
        list.setFocus(Qt::OtherFocusReason);
        throw FieldConversionError(conversionError(utf8(list.currentText())),
                                   QStringLiteral("線径"));
    }

    // Refuses a design the core found to be no spring: the field it names takes the focus and the
    // error names the field.
    [[noreturn]] void refuse(const Error& refusal) {
        if (const std::optional<DesignInput> input = inputOfKey(refusal.subject()))
            field(*input)->refuse(refusal);
        QComboBox& list = *c_.wireDiameterList;
        list.setFocus(Qt::OtherFocusReason);
        throw FieldConversionError(refusal, QStringLiteral("線径"));
    }

private:
    // The input behind a design field's JSON key; nullopt for the wire diameter, read from its
    // list.
    static std::optional<DesignInput> inputOfKey(std::string_view key) {
        static const std::pair<std::string_view, DesignInput> inputs[] = {
            {"innerDiameter", DesignInput::CoilDiameter},
            {"meanDiameter", DesignInput::CoilDiameter},
            {"outerDiameter", DesignInput::CoilDiameter},
            {"totalTurns", DesignInput::Turns},
            {"initialTension", DesignInput::InitialTension},
            {"freeLength", DesignInput::FreeLength},
            {"length1", DesignInput::Length1},
            {"length2", DesignInput::Length2},
            {"load1", DesignInput::Load1},
            {"load2", DesignInput::Load2},
            {"hookAngle", DesignInput::HookAngle},
            {"hookLength", DesignInput::HookLength},
            {"hookOpening", DesignInput::HookOpening},
            {"hookMinRadius", DesignInput::HookMinRadius},
        };
        for (const auto& [name, input] : inputs)
            if (name == key)
                return input;
        return std::nullopt;
    }

    static bool isForce(DesignInput input) {
        return input == DesignInput::InitialTension || input == DesignInput::Load1 ||
               input == DesignInput::Load2;
    }

    NumberField* field(DesignInput input) const {
        switch (input) {
        case DesignInput::CoilDiameter:
            return c_.coilDiameterField;
        case DesignInput::Turns:
            return c_.turnsField;
        case DesignInput::InitialTension:
            return c_.initialTensionField;
        case DesignInput::FreeLength:
            return c_.freeLengthField;
        case DesignInput::Length1:
            return c_.length1Field;
        case DesignInput::Length2:
            return c_.length2Field;
        case DesignInput::Load1:
            return c_.load1Field;
        case DesignInput::Load2:
            return c_.load2Field;
        case DesignInput::HookAngle:
            return c_.shapePage->hookAngleField();
        case DesignInput::HookLength:
            return c_.shapePage->hookLengthField();
        case DesignInput::HookOpening:
            return c_.shapePage->hookOpeningField();
        case DesignInput::HookMinRadius:
            return c_.shapePage->minRadiusField();
        case DesignInput::WireDiameter: // a list, read by number() alone
            break;
        }
        return nullptr;
    }

    const MainWindowControls& c_;
    UnitSystem units_;
};

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
    units_ = savedUnitSystem();
    showUnitCaptions();
    connectHandlers();
    formCreate(notices);
    prepareMenuWindows();
    connectMenu();
}

MainWindow::~MainWindow() = default;

bool MainWindow::leftHanded() const {
    return ui_->leftHandedBox->isChecked();
}

ExtraInputs MainWindow::givenInputs() const {
    return ui_->shapePage->heldHookRadii();
}

void MainWindow::showGivenInputs(const ExtraInputs& inputs) {
    ui_->shapePage->showHookRadii(inputs);
}

int MainWindow::toleranceGrade() const {
    return ui_->chartPage->toleranceGrade();
}

void MainWindow::setToleranceGrade(int grade) {
    ui_->chartPage->setToleranceGrade(grade);
    CalculationDocument::of(*this).setToleranceGrade(grade);
    runReportingErrors(this, [this] { reevaluateShown(); });
}

// ---- Start-up ---------------------------------------------------------------------------------

// The start design: the first kind, grade and wire diameter in the lists, slot 0 the start values.
void MainWindow::selectStartDesign() {
    ui_->kindList->setCurrentIndex(0);
    fillGradeList(selectedKind());
    ui_->gradeList->setCurrentIndex(0);
    refillDiameterList(lookupMaterial(state_.kindIndex, selectedKind(), 0));
    selectDiameterPosition(0);
    resetDesignDefaults(state_.current());
}

void MainWindow::formCreate(const std::vector<StartupNotice>& notices) {
    showStartupNotices(notices);
    fillKindList();
    selectStartDesign();
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
        ui_->historyGrid->setCellText(1, column, qt(historyUnits(units_)[std::size_t(column)]));
    }
    for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot) {
        ui_->historyGrid->setCellText(historyRowOfSlot(slot), 0, QString::number(slot));
        refreshHistoryRow(slot);
    }
}

// ---- Reading, calculating, showing -----------------------------------------------------------

void MainWindow::readDesignInputs() {
    const MainWindowControls& c = *ui_;
    const DesignInputChoices choices{
        .kind = selectedKind(),
        .grade = c.gradeList->currentIndex(),
        .diameterPosition = c.wireDiameterList->currentIndex(),
        .lowTempAnnealed = c.lowTempAnnealedBox->isChecked(),
        .autoInitialTension = c.autoInitialTensionBox->isChecked(),
    };
    WindowInputFields fields(c, units_);
    hspring::readDesignInputs(state_.current(), state_.materials, state_.kindIndex, choices, fields,
                              [this](const std::string& label) {
                                  ui_->springIndexLabel->setText(qt(label));
                                  ui_->springIndexLabel->adjustSize();
                              });
}

// The engine reads the initial-tension field again when the tension is entered by hand. A design
// that is no spring is refused at the field that makes it so.
void MainWindow::calculate() {
    try {
        calculateGivenDesign(
            state_.current(), state_.materials, state_.settings.coefficients, state_.initialTension,
            [this] { return storedValue(ui_->initialTensionField->number(), units_); },
            shownHookType());
    } catch (const Error& refusal) {
        if (refusal.kind() != Error::Kind::Refused)
            throw;
        WindowInputFields(*ui_, units_).refuse(refusal);
    }
}

void MainWindow::showDesign() {
    showDesign(false);
}

void MainWindow::showDesign(bool justCalculated) {
    MainWindowControls& c = *ui_;
    SpringDesign& design = state_.current();
    selectMaterialInLists(design.materialIndex);
    refillDiameterList(design.materialIndex);
    selectDiameterPosition(design.diameterIndex);

    if (const auto diameter = coilDiameterDisplay(design))
        showCoilDiameter(*diameter);

    const DesignFieldTexts texts = designFieldTexts(design, japaneseWording(), units_);
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

    evaluateShown(justCalculated);
    showEvaluation();
    if (const auto note = unlistedMaterialNote(design, state_.kindIndex))
        c.statusList->addItem(qt(*note));
}

void MainWindow::evaluateShown(bool justCalculated) {
    evaluation_.reset();
    if (!detailValid_)
        return;
    SpringDesign& design = state_.current();
    const HookType hookType = shownHookType();
    const int grade = ui_->chartPage->toleranceGrade();
    try {
        evaluation_ = justCalculated
                          ? evaluateCalculatedDesign(design, state_.initialTension,
                                                     state_.materials, state_.settings.coefficients,
                                                     hookType, grade, givenInputs())
                          : evaluateDesign(design, state_.materials, state_.settings.coefficients,
                                           hookType, grade, givenInputs());
    } catch (const Error&) {
        // A recalled design the engine stops on: shown as stored, with no verdict.
        return;
    }
    // The range of the design shown is what the initial tension's apply button takes.
    state_.initialTension = evaluation_->range;
    // The slot keeps the life its field shows, for the history and the sheet; a slot only shown
    // (recalled, read) keeps what it holds, so that showing it changes no file.
    if (justCalculated)
        design.lifeClass = springLifeClass(*evaluation_);
}

void MainWindow::showEvaluation() {
    MainWindowControls& c = *ui_;
    const SpringDesign& design = state_.current();
    // A saved diagram names the design it belongs to, and the save dialog proposes a name from it.
    c.diagramView->setCaption(qt(kFatigueDiagramTitle) + QStringLiteral("  ") +
                              qt(designCaption(design, state_.materials)));
    c.diagramView->setFileName(qt(designFileStem(design, state_.materials)) +
                               QStringLiteral("_diagram"));
    if (evaluation_) {
        const DesignResult& result = *evaluation_;
        diagramNotices_ = c.diagramView->showDiagram(
            result.coefficients.upper, result.coefficients.lower,
            result.extras.hookCoefficients.upper, result.extras.hookCoefficients.lower);
        c.expectedLifeField->setText(qt(lifeClassText(springLifeClass(result))));
        c.lifeGoverningLabel->setText(qt(governingPartText(lifeGoverningPart(result))));
        showRecommendedValues(result);
    } else {
        // Not calculated yet: the diagram of the coil alone, no verdict.
        const StressCoefficients coefficients = stressCoefficients(design, state_.materials);
        diagramNotices_ = c.diagramView->showDiagram(coefficients.upper, coefficients.lower,
                                                     std::numeric_limits<double>::quiet_NaN(),
                                                     std::numeric_limits<double>::quiet_NaN());
        c.lifeGoverningLabel->clear();
    }
    showVerdict();
    refreshDetailPage();
}

void MainWindow::reevaluateShown() {
    if (!evaluation_)
        return;
    evaluation_ = evaluateCalculatedDesign(
        evaluation_->design, evaluation_->range, state_.materials, state_.settings.coefficients,
        shownHookType(), ui_->chartPage->toleranceGrade(), givenInputs());
    showEvaluation();
}

void MainWindow::showRecommendedValues(const DesignResult& result) {
    MainWindowControls& c = *ui_;
    const Recommendations& recommended = result.recommendations;
    if (!recommended.indexInRange)
        return;
    recommendedLimits_ = recommendedLimits(result);
    const RecommendationLabels labels = recommendationLabels(recommended, units_);
    const RecommendedLimitLabels limits = recommendedLimitLabels(recommendedLimits_, units_);
    c.recommendedFreeLengthLabel->setText(qt(labels.freeLength));
    c.maxLengthLabel->setText(qt(limits.maxLength));
    c.maxLoadLabel->setText(qt(limits.maxLoad));
    for (QLabel* label : {c.maxLengthLabel, c.maxLoadLabel})
        label->setToolTip(qt(limits.toolTip));
    c.initialTensionRangeLabel->setText(qt(labels.initialTension));
}

void MainWindow::showVerdict() {
    QListWidget& list = *ui_->statusList;
    if (!evaluation_) {
        list.clear();
    } else {
        const VerdictLines verdict = verdictLines(*evaluation_);
        showStatus(StatusLines{{}, verdict.ruleColour});
        for (std::size_t i = 0; i < verdict.lines.size(); ++i) {
            auto* item = new QListWidgetItem(qt(verdict.lines[i]));
            // The warnings, and the line that announces them, in their own colour.
            if (i >= verdict.warningsFrom || (i == 0 && verdict.announced))
                item->setForeground(kWarningLineColour);
            list.addItem(item);
        }
    }
    for (int notice = 0; notice < diagramNotices_; ++notice)
        list.addItem(graphAreaOverNotice());
}

// The field's caption says which diameter it holds; its error message names that one.
void MainWindow::showCoilDiameter(const CoilDiameterDisplay& diameter) {
    MainWindowControls& c = *ui_;
    c.coilDiameterCaption->setText(qt(diameter.caption));
    c.coilDiameterCaption->adjustSize();
    c.coilDiameterField->describe(c.coilDiameterCaption->text(), c.coilDiameterField->unit());
    c.coilDiameterField->setText(qt(diameter.text));
}

HookType MainWindow::shownHookType() const {
    return ui_->shapePage->roundHookPageActive() ? HookType::Round : HookType::U;
}

// The detail page and the chart show the window's evaluation; before the first 計算 and after one
// that failed the page shows no values and the chart nothing.
void MainWindow::refreshDetailPage() {
    const DesignResult* result = shownEvaluation();
    if (result) {
        ui_->detailPage->showTexts(detailPageTexts(*result, japaneseWording(), units_));
    } else {
        // The tables' rows and captions without values, from the design as it stands.
        DesignResult empty{};
        empty.design = state_.current();
        empty.hookType = shownHookType();
        ui_->detailPage->showTexts(
            withoutValues(detailPageTexts(empty, japaneseWording(), units_)));
    }
    ui_->chartPage->showResult(result);
}

void MainWindow::refreshRecommendations() {
    readDesignInputs();
    calculate();
    // The labels of the inputs as typed, from their own evaluation (the pages keep showing the
    // last 計算 until the next one).
    const DesignResult typed = evaluateCalculatedDesign(
        state_.current(), state_.initialTension, state_.materials, state_.settings.coefficients,
        shownHookType(), ui_->chartPage->toleranceGrade(), givenInputs());
    const Recommendations& recommended = typed.recommendations;
    if (recommended.indexInRange) {
        MainWindowControls& c = *ui_;
        showRecommendedValues(typed);
        if (c.recommendedFreeLengthBox->isChecked())
            if (const auto text =
                    inputFieldText(recommendedFreeLength(state_.current(), shownHookType()), 4))
                c.freeLengthField->setText(qt(*text));
        // Taken from the range, the tension is a result: a missing one shows as missing.
        if (c.autoInitialTensionBox->isChecked())
            c.initialTensionField->setText(
                qt(inputFieldText(shownValue(state_.initialTension.mid, units_), 4)
                       .value_or(std::string(kMissingValueText))));
    }
    showStatus(recommended.indexInRange ? StatusLines{}
                                        : StatusLines{{std::string(kIndexOutOfRangeText)}});
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
    // Another hook or grade changes the verdict: every page shows the evaluation anew.
    connect(c.shapePage, &ShapePage::hookTypeChanged, this,
            [this] { runReportingErrors(this, [this] { reevaluateShown(); }); });
    connect(c.chartPage, &ChartPage::toleranceGradeChanged, this,
            [this] { setToleranceGrade(ui_->chartPage->toleranceGrade()); });
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

} // namespace hspring

namespace hspring {

void MainWindow::showUnitCaptions() {
    MainWindowControls& c = *ui_;
    for (const MainWindowControls::ForceUnit& force : c.forceUnits) {
        const QString unit = qt(unitText(force.quantity, units_));
        force.field->describe(force.field->caption(), unit);
        force.unitLabel->setText(unit);
        force.unitLabel->adjustSize();
    }
    (units_ == UnitSystem::Si ? c.siUnitsItem : c.gravitationalUnitsItem)->setChecked(true);
    c.chartPage->setUnitSystem(units_);
}

void MainWindow::setUnitSystem(UnitSystem units) {
    if (units == units_)
        return;
    MainWindowControls& c = *ui_;
    const SpringDesign& design = state_.current();
    // A force field still showing the design's value takes it exactly; one typed since is
    // converted from what it holds. Either way switching back shows the same digits.
    // The design's value comes copied: the record is packed, a member pointer would read it
    // misaligned.
    const auto convert = [this](NumberField* field, double designValue, UnitSystem to) {
        const std::optional<double> held = field->heldNumber();
        if (!held)
            return;
        const std::string fromDesign = formatF4(shownValue(designValue, units_));
        const bool unchanged = field->text().trimmed() == qt(fromDesign);
        const double stored = unchanged ? designValue : storedValue(*held, units_);
        if (const auto text = inputFieldText(shownValue(stored, to), 4))
            field->setText(qt(*text));
    };
    convert(c.initialTensionField, design.initialTension, units);
    convert(c.load1Field, design.load1, units);
    convert(c.load2Field, design.load2, units);
    units_ = units;
    saveUnitSystem(units);
    showUnitCaptions();

    const DesignFieldTexts texts = designFieldTexts(design, japaneseWording(), units_);
    c.springRateField->setText(qt(texts.springRate));
    c.stress2Field->setText(qt(texts.stress2));
    c.allowableStressField->setText(qt(texts.allowableStress));
    initHistoryGrid();
    if (evaluation_)
        showRecommendedValues(*evaluation_);
    refreshDetailPage();
    if (designSearch_)
        designSearch_->setUnitSystem(units_);
}

} // namespace hspring
