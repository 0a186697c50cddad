// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/hook_type.h"
#include "calc/units.h"
#include "search/design_search.h"
#include "startup/program_state.h"

#include <QDialog>
#include <QFutureWatcher>
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace hspring {

class NumberField;

// The window "設計候補の探索": the designer's requirement (two working points, the room, the life),
// a search over the whole material library that runs on a worker thread with its progress and a
// cancel button, and the table of the candidates found. "メイン画面で計算" hands the chosen
// candidate to the main window, which puts it into its fields and calculates it. The requirement
// is kept in the user's settings from one run to the next; once it differs from the one searched,
// the list is greyed and a line says it is of the earlier requirement. When nothing fits, a line
// says which change to the requirement would help (fit_hints.h).
class DesignSearchWindow : public QDialog {
    Q_OBJECT

public:
    // `state` gives the material library (for the material list and the search) and the design
    // coefficients. A search works on copies taken when it starts, so the editors may change the
    // originals meanwhile.
    explicit DesignSearchWindow(const ProgramState& state, QWidget* parent = nullptr);
    // Stops a running search and waits for it.
    ~DesignSearchWindow() override;

    // Whether the fields were filled from the requirement kept from an earlier run.
    bool requirementRestored() const { return requirementRestored_; }
    // Whether the list shown is of a requirement other than the one the fields hold.
    bool listStale() const { return listStale_; }

    // Fills the requirement from a design: its working lengths and loads (ordered by length, and
    // only when they make a requirement: lengths and loads rising together), its material, its
    // annealing, and the hook type and hook fields given.
    void fillFromDesign(const SpringDesign& design, HookType hookType);

    // Where "現在の設計から" takes the design it fills the requirement from (none: the button does
    // nothing). The window keeps its requirement otherwise, also when it is opened again.
    void setDesignSource(std::function<std::optional<std::pair<SpringDesign, HookType>>()> source);

    // The units of the loads typed and shown (the main window's setting): the load fields keep
    // their values, converted, and the candidates show again in them.
    void setUnitSystem(UnitSystem units);

    // What "メイン画面で計算" does with the chosen candidate.
    void setApplyHandler(std::function<void(const SearchCandidate&)> apply);

    // The requirement as the fields hold it. Throws the conversion Error of a field that is not a
    // number, after that field has taken the focus with its text selected, or an Error with the
    // problem checkRequirement finds.
    DesignRequirement readRequirement() const;

    // "探索": reads the requirement and starts the search on a worker thread (a requirement that
    // cannot be read is shown in the error box). Nothing happens while a search runs.
    void startSearch();
    // "中止": asks the running search to stop.
    void cancelSearch();
    // From "探索" until the outcome is shown.
    bool searching() const;

    // The requirement of the last search started.
    const DesignRequirement& searchedRequirement() const { return searchedRequirement_; }

    // The candidates of the last finished search, best first.
    const std::vector<SearchCandidate>& candidates() const { return candidates_; }
    // The candidate of the selected table row, if any.
    const SearchCandidate* selectedCandidate() const;

signals:
    // A search has ended: finished, cancelled or failed.
    void searchEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Outcome {
        SearchOutcome outcome;
        std::string error;
    };

    void buildForm();
    QGroupBox* buildRequirement();
    void addMaterialAndHookRows(QGridLayout* grid, const DesignRequirement& defaults);
    QHBoxLayout* buildRunRow();
    QTableWidget* buildTable();
    QHBoxLayout* buildButtonRow();
    void fillMaterialList();
    void updateHookFields();
    void showProgress(std::uint64_t done, std::uint64_t total);
    void searchFinished();
    void showCandidates();
    void showColumnTitles();
    void applySelected();
    void stopAndWait();
    // Every field of the requirement as a text, by object name: what is kept between runs and
    // what tells whether the list shown is still of the requirement.
    QList<QWidget*> requirementWidgets() const;
    QStringList requirementTexts() const;
    void requirementEdited();
    void keepRequirement() const;
    bool restoreRequirement();

    const ProgramState& state_;
    std::function<void(const SearchCandidate&)> apply_;
    std::function<std::optional<std::pair<SpringDesign, HookType>>()> designSource_;
    std::vector<SearchCandidate> candidates_;
    DesignRequirement searchedRequirement_;
    // The library the candidates were found in: their table texts name its materials.
    std::shared_ptr<const MaterialLibrary> searchedLibrary_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    bool running_ = false; // from the start of a search until its end has been shown
    QFutureWatcher<Outcome> watcher_;

    NumberField* length1Field_ = nullptr;
    NumberField* load1Field_ = nullptr;
    NumberField* length2Field_ = nullptr;
    NumberField* load2Field_ = nullptr;
    std::array<QLabel*, 2> loadUnitLabels_{};
    UnitSystem units_ = UnitSystem::Gravitational;
    NumberField* toleranceField_ = nullptr;
    QComboBox* gradeList_ = nullptr;
    NumberField* maxOuterDiameterField_ = nullptr;
    NumberField* minInnerDiameterField_ = nullptr;
    NumberField* maxFreeLengthField_ = nullptr;
    QComboBox* lifeList_ = nullptr;
    QComboBox* materialList_ = nullptr;
    QCheckBox* annealedBox_ = nullptr;
    QComboBox* hookTypeList_ = nullptr;
    NumberField* hookAngleField_ = nullptr;
    NumberField* hookLengthField_ = nullptr;
    NumberField* hookOpeningField_ = nullptr;
    NumberField* hookMinRadiusField_ = nullptr;
    NumberField* diameterStepField_ = nullptr;
    QComboBox* objectiveList_ = nullptr;
    NumberField* countField_ = nullptr;
    QPushButton* fromDesignButton_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* explanationLabel_ = nullptr; // why nothing was feasible, and what would help
    QLabel* staleLabel_ = nullptr;       // the list is of an earlier requirement
    QStringList searchedTexts_;          // the fields when the list shown was searched
    bool listStale_ = false;
    bool requirementRestored_ = false;
    QTableWidget* table_ = nullptr;
    QPushButton* applyButton_ = nullptr;
};

} // namespace hspring
