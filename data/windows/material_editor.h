// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;
class QSpinBox;

namespace hspring {

class MaterialGrid;
class NumberField;

// The material editor data_make: shows one record of the material library at a time and edits it
// in place, so a stored record is what the next calculation reads. Created once, when first
// opened (after the library has been loaded); opened modally with exec() and hidden again when
// closed.
class MaterialEditorDialog : public QDialog {
    Q_OBJECT

public:
    // `materials` is the library the program calculates with; the editor changes it in place.
    explicit MaterialEditorDialog(MaterialLibrary& materials, QWidget* parent = nullptr);

    // The save dialog proposes `path` (zaidat.dst where the next start reads it). Without it the
    // dialog proposes nothing.
    void proposeSaveFile(const QString& path) { proposedSaveFile_ = path; }

    // The record on screen, 0..29.
    int editIndex() const { return editIndex_; }

    // Shows record `index` in every field and the grid.
    void showEditorRecord(int index);
    // Stores the fields and the grid into the record on screen; throws the conversion error of
    // the first field that does not convert, after storing the fields before it. A number field
    // that does not convert takes the focus with its text selected.
    void storeEditorRecord();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFields();
    void buildButtons();
    class FieldsInput;
    void showKindCount(bool warn);

    // Button and field handlers; each reports its failure in the error box.
    void nextRecord();
    void previousRecord();
    void saveLibrary();
    void loadLibrary();
    void clearRecord();
    void insertRow();
    void deleteRow();

    MaterialRecord& recordOnScreen() { return materials_[editIndex_]; }

    MaterialLibrary& materials_;
    QString proposedSaveFile_;
    int editIndex_ = 0;

    QLineEdit* recordNumberField_ = nullptr;   // Edit7
    QLineEdit* kindNameField_ = nullptr;       // Edit1
    QLineEdit* gradeSymbolField_ = nullptr;    // Edit2
    NumberField* shearModulusField_ = nullptr; // Edit3
    NumberField* youngModulusField_ = nullptr; // Edit5
    NumberField* torsionField_ = nullptr;      // Edit10
    NumberField* bendingField_ = nullptr;      // Edit11
    QLineEdit* diameterCountField_ = nullptr;  // Edit4
    QSpinBox* kindSpin_ = nullptr;             // SE1
    QLineEdit* kindCountField_ = nullptr;      // Edit9
    QListWidget* comments_ = nullptr;          // ListBox1
    MaterialGrid* grid_ = nullptr;             // SG1
};

} // namespace hspring
