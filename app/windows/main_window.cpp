#include "app/windows/main_window.h"

#include "app/design_display.h"
#include "app/design_inputs.h"
#include "app/history_rows.h"
#include "app/material_selection.h"
#include "app/painting/fatigue_diagram.h"
#include "app/windows/calculation_file_menu.h"
#include "app/windows/clipboard_commands.h"
#include "app/windows/diagram_view.h"
#include "app/windows/help_page.h"
#include "app/windows/main_window_form.h"
#include "app/windows/slot_selector.h"
#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "calc/checks.h"
#include "calc/engine.h"
#include "calc/life.h"
#include "calc/recommendations.h"
#include "calc/spring_design.h"
#include "data/default_data.h"
#include "data/material_library.h"
#include "data/settings.h"
#include "data/windows/coefficient_editor.h"
#include "data/windows/material_editor.h"
#include "drawing/windows/dxf_export.h"
#include "drawing/windows/shape_page.h"
#include "printing/windows/spec_sheet_window.h"
#include "printing/windows/window_print.h"
#include "toolkit/windows/centred_grid.h"
#include "toolkit/windows/error_box.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMessageBox>

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

const QColor kErrorLineColour(0, 0, 255);

// A focus that leaves for another control of the window, not for a box or another window.
bool leavesForAnotherControl(const QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

bool isEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

MainWindow::MainWindow(ProgramState& state, const QString& dataFolder, QWidget* parent)
    : QMainWindow(parent), state_(state), dataFolder_(dataFolder),
      ui_(std::make_unique<MainWindowControls>(buildMainWindowForm(*this, state.current()))) {
    setObjectName(QStringLiteral("f_hip"));
    setWindowTitle(QStringLiteral("引張りコイルバネ計算"));
    connectHandlers();
    formCreate();
    createMenuWindows();
    connectMenu();
}

MainWindow::~MainWindow() = default;

bool MainWindow::leftHanded() const {
    return ui_->cb1->isChecked();
}

// ---- Start-up ---------------------------------------------------------------------------------

void MainWindow::formCreate() {
    loadSettingsFile();
    loadMaterialFile();
    state_.kindIndex = buildKindIndex(state_.materials);
    fillKindList();
    ui_->ComboBox5->setCurrentIndex(0);
    fillGradeList(selectedKind());
    ui_->ComboBox7->setCurrentIndex(0);
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

// Without its settings file the program still works: it says so and takes the coefficients
// that ship with it.
void MainWindow::loadSettingsFile() {
    const QString path = QDir(dataFolder_).filePath(QString::fromLatin1(kSettingsFileName));
    try {
        loadSettings(utf8(path), state_.settings);
    } catch (const Error&) {
        state_.settings = builtInSettings();
        QMessageBox box(QMessageBox::Warning, QStringLiteral("警告"),
                        QStringLiteral("設定ファイル %1 が見つかりません。\n"
                                       "標準の係数で続けます。")
                            .arg(QDir::toNativeSeparators(path)),
                        QMessageBox::Yes, this);
        box.exec();
    }
}

void MainWindow::loadMaterialFile() {
    const QString path = QDir(dataFolder_).filePath(QStringLiteral("zaidat.dst"));
    try {
        loadMaterialLibrary(utf8(path), state_.materials);
    } catch (const Error& failure) {
        state_.materials = builtInMaterialLibrary();
        showErrorBox(this, Error(failure.kind(),
                                 std::string(failure.what()) + "\n標準の材料データで続けます。"));
    }
}

// Each entry carries its kind number, the one the lookups need.
void MainWindow::fillKindList() {
    ui_->ComboBox5->clear();
    for (const KindListEntry& entry : kindList(state_.materials, state_.kindIndex))
        ui_->ComboBox5->addItem(qt(entry.name), entry.kind);
}

void MainWindow::initHistoryGrid() {
    for (int column = 0; column < kHistoryColumnCount; ++column) {
        ui_->sg1->setCellText(0, column, qt(kHistoryItemNames[column]));
        ui_->sg1->setCellText(1, column, qt(kHistoryUnits[column]));
    }
    for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot) {
        ui_->sg1->setCellText(historyRowOfSlot(slot), 0, QString::number(slot));
        refreshHistoryRow(slot);
    }
}

// ---- Reading, calculating, showing -----------------------------------------------------------

void MainWindow::readDesignInputs() {
    const MainWindowControls& c = *ui_;
    DesignInputTexts texts;
    texts.kind = selectedKind();
    texts.grade = c.ComboBox7->currentIndex();
    texts.diameterPosition = c.ComboBox6->currentIndex();
    texts.wireDiameter = utf8(c.ComboBox6->currentText());
    texts.coilDiameter = utf8(c.Edit18->text());
    texts.turns = utf8(c.Edit19->text());
    texts.initialTension = utf8(c.Edit33->text());
    texts.freeLength = utf8(c.Edit1->text());
    texts.length1 = utf8(c.Edit4->text());
    texts.length2 = utf8(c.Edit5->text());
    texts.load1 = utf8(c.Edit6->text());
    texts.load2 = utf8(c.Edit7->text());
    texts.lowTempAnnealed = c.cb2->isChecked();
    texts.autoInitialTension = c.CheckBox1->isChecked();
    texts.hookAngle = utf8(c.shapePage->hookAngleField()->text());
    texts.hookLength = utf8(c.shapePage->hookLengthField()->text());
    texts.hookOpening = utf8(c.shapePage->hookOpeningField()->text());
    texts.hookMinRadius = utf8(c.shapePage->minRadiusField()->text());
    hspring::readDesignInputs(state_.current(), state_.materials, state_.kindIndex, texts,
                              [this](const std::string& label) {
                                  ui_->Label28->setText(qt(label));
                                  ui_->Label28->adjustSize();
                              });
}

// The engine reads the initial-tension field again when the tension is entered by hand.
void MainWindow::calculate() {
    calculateDesign(state_.current(), state_.materials, state_.settings.coefficients,
                    state_.initialTension,
                    [this] { return textToDouble(utf8(ui_->Edit33->text())); });
}

void MainWindow::showDesign() {
    MainWindowControls& c = *ui_;
    SpringDesign& design = state_.current();
    selectMaterialInLists(design.materialIndex);
    refillDiameterList(design.materialIndex);
    selectDiameterPosition(design.diameterIndex);
    if (const auto note = unlistedMaterialNote(design, state_.kindIndex))
        c.ListBox1->addItem(qt(*note));

    if (const auto diameter = coilDiameterDisplay(design)) {
        c.Label48->setText(qt(diameter->caption));
        c.Label48->adjustSize();
        c.Edit18->setText(qt(diameter->text));
    }

    const StressCoefficients coefficients = stressCoefficients(design, state_.materials);
    const int notices = c.Image1->showDiagram(coefficients.upper, coefficients.lower,
                                              state_.settings.coefficients.hookStressFactor);
    for (int notice = 0; notice < notices; ++notice)
        c.ListBox1->addItem(graphAreaOverNotice());
    design.lifeClass = classifyLife(coefficients.upper, coefficients.lower);

    const DesignFieldTexts texts = designFieldTexts(design);
    c.Edit19->setText(qt(texts.turns));
    c.Edit33->setText(qt(texts.initialTension));
    c.Edit1->setText(qt(texts.freeLength));
    c.Edit4->setText(qt(texts.length1));
    c.Edit5->setText(qt(texts.length2));
    c.Edit6->setText(qt(texts.load1));
    c.Edit7->setText(qt(texts.load2));
    c.Edit8->setText(qt(texts.springRate));
    c.Edit9->setText(qt(texts.stress2));
    c.Edit10->setText(qt(texts.life));
    c.Edit11->setText(qt(texts.allowableStress));
    c.shapePage->hookAngleField()->setText(qt(texts.hookAngle));
    c.shapePage->hookLengthField()->setText(qt(texts.hookLength));
    c.shapePage->hookOpeningField()->setText(qt(texts.hookOpening));
    c.shapePage->minRadiusField()->setText(qt(texts.hookMinRadius));

    restoringDisplay_ = true;
    c.cb2->setChecked(design.lowTempAnnealed != 0);
    c.CheckBox1->setChecked(design.autoInitialTension != 0);
    restoringDisplay_ = false;
    applyInputModeColours();
}

void MainWindow::refreshRecommendations() {
    readDesignInputs();
    calculate();
    const Recommendations recommended = recommendationsFor(state_.current(), state_.initialTension);
    if (recommended.indexInRange) {
        MainWindowControls& c = *ui_;
        c.Label36->setText(qt(recommended.freeLengthLabel));
        if (c.CheckBox2->isChecked())
            c.Edit1->setText(qt(recommended.freeLengthField));
        c.Label30->setText(qt(recommended.maxLengthLabel));
        c.Label56->setText(qt(recommended.maxLoadLabel));
        c.Label45->setText(qt(recommended.initialTensionLabel));
        if (c.CheckBox1->isChecked())
            c.Edit33->setText(qt(recommended.initialTensionField));
    }
    showStatus(recommended.status);
}

void MainWindow::refreshReportingErrors() {
    runReportingErrors(this, [this] { refreshRecommendations(); });
}

// The whole list is drawn in one colour: blue for error lines, the window text otherwise.
void MainWindow::showStatus(const StatusLines& status) {
    QListWidget& list = *ui_->ListBox1;
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
    const QComboBox& kinds = *ui_->ComboBox5;
    return kinds.currentIndex() < 0 ? -1 : kinds.currentData().toInt();
}

// Fills the list without selecting a grade; the caller chooses one.
void MainWindow::fillGradeList(int kind) {
    QComboBox& grades = *ui_->ComboBox7;
    grades.clear();
    for (const std::string& grade : gradeList(state_.materials, state_.kindIndex, kind))
        grades.addItem(qt(grade));
    grades.setCurrentIndex(-1);
}

void MainWindow::refillDiameterList(int materialIndex) {
    QComboBox& diameters = *ui_->ComboBox6;
    const DiameterListRefill refill = hspring::refillDiameterList(
        state_.current(), state_.materials, state_.kindIndex,
        lookupMaterial(state_.kindIndex, selectedKind(), ui_->ComboBox7->currentIndex()),
        diameters.currentIndex(), materialIndex);
    diameters.clear();
    for (const std::string& diameter : refill.diameters)
        diameters.addItem(qt(diameter));
    diameters.setCurrentIndex(refill.selected);
}

void MainWindow::selectMaterialInLists(int materialIndex) {
    const auto place = findMaterialInIndex(state_.kindIndex, materialIndex);
    if (!place) {
        ui_->ComboBox5->setCurrentIndex(-1);
        fillGradeList(-1);
        return;
    }
    ui_->ComboBox5->setCurrentIndex(ui_->ComboBox5->findData(place->kind));
    fillGradeList(place->kind);
    ui_->ComboBox7->setCurrentIndex(place->grade);
}

void MainWindow::selectDiameterPosition(int position) {
    QComboBox& diameters = *ui_->ComboBox6;
    diameters.setCurrentIndex(position >= 0 && position < diameters.count() ? position : -1);
}

void MainWindow::ComboBox5Change() {
    const int kind = selectedKind();
    fillGradeList(kind);
    ui_->ComboBox7->setCurrentIndex(0);
    refillDiameterList(lookupMaterial(state_.kindIndex, kind, 0));
    refreshReportingErrors();
}

void MainWindow::ComboBox7Change() {
    refillDiameterList(
        lookupMaterial(state_.kindIndex, selectedKind(), ui_->ComboBox7->currentIndex()));
    refreshReportingErrors();
}

void MainWindow::ComboBox6Change() {
    refreshReportingErrors();
}

// ---- Calculate, history -----------------------------------------------------------------------

// Read, calculate, show and check: the calculation the Calculate button and the spring view's
// state button share. Returns false when it failed and the error box has said why.
bool MainWindow::recalculate() {
    return runReportingErrors(this, [this] {
        readDesignInputs();
        calculate();
        showDesign();
        showStatus(checkDesign(state_.current()));
    });
}

void MainWindow::BitBtn2Click() {
    if (recalculate())
        runReportingErrors(this, [this] { ui_->shapePage->drawFreeSpring(state_.current()); });
}

void MainWindow::refreshHistoryRow(int slot) {
    if (slot < kFirstHistorySlot || slot > kLastHistorySlot)
        return;
    const auto texts = historyRowTexts(state_.designs[slot], state_.materials);
    for (int column = 1; column < kHistoryColumnCount; ++column)
        ui_->sg1->setCellText(historyRowOfSlot(slot), column, qt(texts[column - 1]));
}

void MainWindow::SpeedButton5Click() {
    const int slot = ui_->SpinEdit1->takeSlot();
    copyDesignSlot(state_.designs, 0, slot);
    refreshHistoryRow(slot);
}

void MainWindow::SpeedButton6Click() {
    const int slot = ui_->SpinEdit1->takeSlot();
    if (state_.designs[slot].inUse == 0)
        return;
    copyDesignSlot(state_.designs, slot, 0);
    showDesign();
}

void MainWindow::sg1Click(int row) {
    const int slot = row - 1;
    if (slot < kFirstHistorySlot || slot > kLastHistorySlot || state_.designs[slot].inUse != 1)
        return;
    copyDesignSlot(state_.designs, slot, 0);
    selectDiameterPosition(state_.current().diameterIndex);
    showDesign();
}

// ---- Mode switches and field handlers ---------------------------------------------------------

void MainWindow::applyInputModeColours() {
    const bool lengthsGiven = state_.current().lengthMode != kLoadsGiven;
    for (QLineEdit* length : {ui_->Edit4, ui_->Edit5}) {
        length->setEnabled(lengthsGiven);
        setFieldColour(*length, lengthsGiven);
    }
    for (QLineEdit* load : {ui_->Edit6, ui_->Edit7}) {
        load->setEnabled(!lengthsGiven);
        setFieldColour(*load, !lengthsGiven);
    }
}

void MainWindow::llchengClick() {
    SpringDesign& design = state_.current();
    design.lengthMode = design.lengthMode == kLoadsGiven ? kLengthsGiven : kLoadsGiven;
    applyInputModeColours();
}

void MainWindow::BitBtn1Click() {
    if (const auto diameter = cycleDiameterKind(state_.current())) {
        ui_->Label48->setText(qt(diameter->caption));
        ui_->Label48->adjustSize();
        ui_->Edit18->setText(qt(diameter->text));
    }
}

void MainWindow::Edit18Confirm() {
    const QString text = ui_->Edit18->text();
    if (!text.isEmpty() && text != ui_->ComboBox6->currentText())
        refreshReportingErrors();
}

// Typing an initial tension switches the automatic one off. Unchecking the box runs its own
// handler, which refreshes; a second refresh would only repeat it, and its error box.
void MainWindow::Edit33Confirm() {
    if (ui_->CheckBox1->isChecked())
        ui_->CheckBox1->setChecked(false);
    else
        refreshReportingErrors();
}

void MainWindow::Edit19Exit() {
    const QString text = ui_->Edit19->text();
    if (text.isEmpty())
        return;
    runReportingErrors(this, [this, &text] {
        state_.current().totalTurns = textToDouble(utf8(text));
        refreshRecommendations();
    });
}

void MainWindow::checkBoxClick() {
    if (!restoringDisplay_)
        refreshReportingErrors();
}

void MainWindow::SpeedButton2Click() {
    runReportingErrors(this, [this] {
        ui_->Edit1->setText(qt(formatF4(recommendedFreeLength(state_.current()))));
    });
}

void MainWindow::SpeedButton7Click() {
    runReportingErrors(this, [this] {
        ui_->Edit5->setText(qt(formatF4(state_.current().maxLength)));
        readDesignInputs();
        calculate();
    });
}

void MainWindow::SpeedButton1Click() {
    ui_->Edit7->setText(qt(formatF4(state_.current().maxLoad)));
}

void MainWindow::SpeedButton3Click() {
    runReportingErrors(this, [this] {
        ui_->Edit33->setText(qt(formatF4(state_.initialTension.mid)));
        refreshRecommendations();
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const MainWindowControls& c = *ui_;
    if (watched == c.Edit18 && (isEnterKey(event) || leavesForAnotherControl(event)))
        Edit18Confirm();
    else if (watched == c.Edit33 && (isEnterKey(event) || leavesForAnotherControl(event)))
        Edit33Confirm();
    else if (watched == c.Edit19 && leavesForAnotherControl(event))
        Edit19Exit();
    return QMainWindow::eventFilter(watched, event);
}

// ---- Wiring -----------------------------------------------------------------------------------

void MainWindow::connectHandlers() {
    MainWindowControls& c = *ui_;
    connect(c.BitBtn2, &QPushButton::clicked, this, &MainWindow::BitBtn2Click);
    c.shapePage->setRecalculation([this] { return recalculate(); });
    connect(c.BitBtn1, &QPushButton::clicked, this, &MainWindow::BitBtn1Click);
    // activated: a pick by the user; selecting from code starts nothing.
    connect(c.ComboBox5, &QComboBox::activated, this, &MainWindow::ComboBox5Change);
    connect(c.ComboBox7, &QComboBox::activated, this, &MainWindow::ComboBox7Change);
    connect(c.ComboBox6, &QComboBox::activated, this, &MainWindow::ComboBox6Change);
    // toggled: a click and a change made by the program alike, hence restoringDisplay.
    connect(c.cb2, &QCheckBox::toggled, this, &MainWindow::checkBoxClick);
    connect(c.CheckBox1, &QCheckBox::toggled, this, &MainWindow::checkBoxClick);
    connect(c.SpeedButton5, &QToolButton::clicked, this, &MainWindow::SpeedButton5Click);
    connect(c.SpeedButton6, &QToolButton::clicked, this, &MainWindow::SpeedButton6Click);
    connect(c.sg1, &QTableWidget::cellClicked, this, &MainWindow::sg1Click);
    connect(c.SpeedButton2, &QToolButton::clicked, this, &MainWindow::SpeedButton2Click);
    connect(c.SpeedButton7, &QToolButton::clicked, this, &MainWindow::SpeedButton7Click);
    connect(c.SpeedButton1, &QToolButton::clicked, this, &MainWindow::SpeedButton1Click);
    connect(c.SpeedButton3, &QToolButton::clicked, this, &MainWindow::SpeedButton3Click);
    for (QLineEdit* edit : {c.Edit18, c.Edit33, c.Edit19})
        edit->installEventFilter(this);
}

// After the main window has read its files, as the editors show what was read.
void MainWindow::createMenuWindows() {
    materialEditor_ = new MaterialEditorDialog(state_.materials, this);
    const QString settingsPath = QDir(dataFolder_).filePath(QString::fromLatin1(kSettingsFileName));
    coefficientEditor_ = new CoefficientEditorDialog(state_.settings, settingsPath, this);
    specSheet_ = new SpecSheetWindow(this);
}

void MainWindow::connectMenu() {
    MainWindowControls& c = *ui_;
    const auto onMenu = [this](QAction* item, auto action) {
        connect(item, &QAction::triggered, this,
                [this, action] { runReportingErrors(this, action); });
    };
    onMenu(c.N5, [this] {
        specSheet_->fillSpecSheet(state_.current(), state_.materials, leftHanded());
        specSheet_->exec();
    });
    onMenu(c.N1, [this] { printWindowImage(*this, PrintScaling::FitToPage); });
    onMenu(c.dxf1, [this] { exportDxf(this, state_.current(), *ui_->shapePage); });
    onMenu(c.N2, [this] {
        copyGridToClipboard(*ui_->sg1, 0, 0, kHistoryColumnCount - 1, kHistoryRowCount - 1);
    });
    onMenu(c.N4, [this] { copyDiagramToClipboard(*ui_->Image1); });
    onMenu(c.llcheng, [this] { llchengClick(); });
    onMenu(c.N7, [this] { materialEditor_->exec(); });
    onMenu(c.N8, [this] { coefficientEditor_->exec(); });
    onMenu(c.Help2, [this] { openHelpPage(dataFolder_); });
    // The calculation file reports its own failures.
    connect(c.Edit2, &QAction::triggered, this, [this] { readCalculationFile(*this); });
    connect(c.N3, &QAction::triggered, this, [this] { saveCalculationFile(*this); });
}

} // namespace hspring
