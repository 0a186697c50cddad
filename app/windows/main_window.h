// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/design_display.h"
#include "app/design_inputs.h"
#include "calc/design_result.h"
#include "calc/hook_type.h"
#include "calc/status_lines.h"
#include "calc/units.h"
#include "data/data_locations.h"
#include "startup/program_start.h"
#include "startup/program_state.h"

#include <QMainWindow>
#include <QString>

class QLineEdit;
#include <memory>
#include <optional>
#include <vector>

namespace hspring {

struct MainWindowControls;
class CoefficientEditorDialog;
class DesignSearchWindow;
struct SearchCandidate;
class MaterialEditorDialog;
class DataSheetWindow;

// The main window f_hip: the design inputs, the results, the fatigue diagram, the history and
// the spring view. It owns no design data of its own: slot 0 of the program state is the current
// design, and the handlers move values between the controls and that slot through the core.
//
// The window receives the state the start-up step (startProgram) has read from the places
// `locations` names, and the notices that step left: creating the window shows the notices in
// their boxes, fills the lists and shows the start design and the recommended values. The editor
// and sheet windows its menus open are made when first opened; the editors write changed files
// where `locations` says.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(ProgramState& state, const DataLocations& locations,
               const std::vector<StartupNotice>& notices = {}, QWidget* parent = nullptr);
    // All data files and the help page in `dataFolder`, read and rewritten there.
    MainWindow(ProgramState& state, const QString& dataFolder,
               const std::vector<StartupNotice>& notices = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    ProgramState& state() { return state_; }
    // The folder that holds the default data files and the help page.
    QString dataFolder() const { return dataFolder_; }

    // Copies the input controls into slot 0, in the fixed order. A field that is not a number
    // takes the focus and throws its conversion Error, which names it; the fields read before it
    // keep their new values.
    void readDesignInputs();
    // Writes slot 0 into every input and result control and shows the verdict of one evaluation
    // of it on every page: the life and the part that governs it, the fatigue diagram, the
    // recommended values, the status list, the detail page and the chart.
    void showDesign();
    // The evaluation every page shows; null before the first 計算 and after one that failed.
    const DesignResult* shownEvaluation() const {
        return evaluation_ && detailValid_ ? &*evaluation_ : nullptr;
    }
    // Rewrites the history grid's row of slot 1..30 (emptied when the slot is not in use).
    void refreshHistoryRow(int slot);
    // Shows slot 0 as just read from a calculation file, as a recall from the history shows a
    // slot: the fields, the results and the detail page then describe what ▼ and the sheet use.
    void showDesignRead();
    // Reads, calculates and shows the recommended values. Throws like readDesignInputs and the
    // engine.
    void refreshRecommendations();
    // 計算 with the spring view: what the button does. Returns false when it did not calculate
    // (the error box has said why).
    bool calculateAndDraw();
    // The check box "左巻き": the coiling direction the spring data sheet prints.
    bool leftHanded() const;
    // What the design is given beyond its record: the round hook's radii on the shape page, as
    // the pages use them (a field that holds no positive number counts as not given until 計算
    // refuses it); the operating frequency is not entered in the window.
    ExtraInputs givenInputs() const;
    // Shows a calculation file's or a candidate's radii in the shape page's fields.
    void showGivenInputs(const ExtraInputs& inputs);
    // The design's production tolerance grade (0 for none), the one every page judges it by:
    // the chart page's list shows it. Setting it keeps it with the calculation file's document
    // and shows the evaluation anew at that grade.
    int toleranceGrade() const;
    void setToleranceGrade(int grade);
    // 新規: after 保存 / 破棄 / キャンセル for unsaved changes, the window as a start shows it:
    // every slot empty, the start design, no file open, an empty title block, grade 2.
    void startNewCalculation();
    // "設計候補の探索": opens the search window with the current design's requirement filled in.
    void openDesignSearch();
    // Puts a candidate of the search into the fields (material, wire, coil diameter as the mean
    // diameter, turns, free length, initial tension, lengths, hook), refreshes the recommended
    // values and runs 計算, so the designer sees it with every check, the diagram and the shape.
    void applySearchCandidate(const SearchCandidate& candidate);

    // 表示 › 単位: every load, rate, stress and energy the window, its pages and the search show
    // and read is in `units` from now on, and the next run starts in them. The design itself
    // (kgf) does not change; a force typed and not yet calculated keeps its value.
    void setUnitSystem(UnitSystem units);
    UnitSystem unitSystem() const { return units_; }

    // The windows the menus open, each made when it is first needed (which spares the start-up
    // their building) and kept from then on, so an editor opens again as it was left.
    MaterialEditorDialog& materialEditor();
    CoefficientEditorDialog& coefficientEditor();
    DataSheetWindow& dataSheet();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Unsaved slots or title block: asks 保存 / 破棄 / キャンセル before the window closes.
    void closeEvent(QCloseEvent* event) override;

private:
    // Start-up.
    void formCreate(const std::vector<StartupNotice>& notices);
    void showStartupNotices(const std::vector<StartupNotice>& notices);
    void fillKindList();
    void initHistoryGrid();
    void connectHandlers();
    void prepareMenuWindows();
    void connectMenu();
    void connectOutputMenu();
    void connectFileMenu();

    // Selection lists.
    int selectedKind() const;
    void fillGradeList(int kind);
    void refillDiameterList(int materialIndex);
    void selectMaterialInLists(int materialIndex);
    void selectDiameterPosition(int position);
    void selectStartDesign();

    // Shared steps of the handlers.
    void calculate();
    bool recalculate();
    // Before slot 0 goes out of the window (the sheet, the screen print, ▼, DXF, the search): runs
    // 計算 first when an input was typed or chosen since the last one. Returns whether slot 0 is
    // now what the window shows.
    bool calculatedForOutput();
    // Before a document of slot 0 is made (`document` names it in the question):
    // calculatedForOutput, then, when the evaluation the window shows has a broken rule or a
    // warning, the question whether to make it anyway, answered "いいえ" by default. nullopt when
    // nothing is to be made; else the lines the document carries (none for a sound design).
    // `drawsTheSpring`: the document draws the spring, so a hook that cannot be drawn stops it
    // before the question (the screen print only shows the window, whose view is then empty).
    std::optional<std::vector<std::string>> concernsForDocument(const QString& document,
                                                                bool drawsTheSpring = true);
    // An input was typed or chosen: the next output calculates first.
    void markInputsChanged();
    void connectInputChanges();
    HookType shownHookType() const;
    // Shows slot 0; `justCalculated`: calculate() has just run on it, and its initial-tension
    // range is the one in the state (else the evaluation calculates the slot itself).
    void showDesign(bool justCalculated);
    // Evaluates slot 0 at the hook tab shown and the design's tolerance grade, once per refresh.
    void evaluateShown(bool justCalculated);
    // Everything of the evaluation: life, governing part, diagram, recommended values, verdict,
    // detail page and chart. A hook tab or a grade chosen evaluates again and shows it anew.
    void showEvaluation();
    void reevaluateShown();
    // The status list: the check lines, the warnings after them (those of the hooks, the initial
    // tension and the tolerance conditions), led by a line that says there are warnings.
    void showVerdict();
    void showRecommendedValues(const DesignResult& result);
    void showStatus(const StatusLines& status);
    void refreshDetailPage();
    void applyInputModeColours();
    void refreshReportingErrors();
    void showCoilDiameter(const CoilDiameterDisplay& diameter);
    // The unit captions and the field descriptions of the forces, and the menu's check mark.
    void showUnitCaptions();
    // Writes a recommended value into its field, or says in the status list why it cannot.
    bool applyValue(QLineEdit* field, long double value, const QString& valueName);

    // Handlers, named after what the user did (the form's own names in the trailing comments).
    void onCalculateClicked();           // BitBtn2Click
    void onDiameterKindClicked();        // BitBtn1Click
    void onLengthLoadSwitched();         // llchengClick
    void onKindChanged();                // ComboBox5Change
    void onGradeChanged();               // ComboBox7Change
    void onWireDiameterChanged();        // ComboBox6Change
    void onStoreClicked();               // SpeedButton5Click
    void onRecallClicked();              // SpeedButton6Click
    void onHistoryRowClicked(int row);   // sg1Click
    void onCoilDiameterConfirmed();      // Edit18: Enter or leaving the field
    void onInitialTensionConfirmed();    // Edit33: Enter or leaving the field
    void onTurnsLeft();                  // Edit19Exit
    void onCheckBoxClicked();            // cb2 and CheckBox1
    void onApplyFreeLengthClicked();     // SpeedButton2Click
    void onApplyMaxLengthClicked();      // SpeedButton7Click
    void onApplyMaxLoadClicked();        // SpeedButton1Click
    void onApplyInitialTensionClicked(); // SpeedButton3Click

    ProgramState& state_;
    DataLocations locations_;
    QString dataFolder_;
    std::unique_ptr<MainWindowControls> ui_;
    // The windows the menus open, null until first opened.
    MaterialEditorDialog* materialEditor_ = nullptr;       // data_make
    CoefficientEditorDialog* coefficientEditor_ = nullptr; // keisuu_make
    DataSheetWindow* dataSheet_ = nullptr;                 // prinform
    DesignSearchWindow* designSearch_ = nullptr;           // made when first opened
    // Raised while showDesign sets the two check boxes, so their handlers do nothing.
    bool restoringDisplay_ = false;
    // An input was typed or chosen since the last 計算 (and before the first one).
    bool inputsChanged_ = true;
    // Slot 0 holds a calculated design the window shows: the detail page has values to show.
    bool detailValid_ = false;
    // The one evaluation of slot 0 every page shows, and what the apply buttons of the maximum
    // length and load put in: the values their labels show.
    std::optional<DesignResult> evaluation_;
    RecommendedLimits recommendedLimits_{};
    // The units forces are shown and typed in (the user's setting).
    UnitSystem units_ = UnitSystem::Gravitational;
    // The notices of the fatigue diagram's last picture (a point above its area).
    int diagramNotices_ = 0;
};

} // namespace hspring
