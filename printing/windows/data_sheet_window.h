// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/design_record.h"
#include "data/material_library.h"
#include "printing/data_sheet_text.h"

#include <QDialog>
#include <QString>

class QPrinter;
class QPushButton;

namespace hspring {

// The spring data sheet window ("要目表", prinform): the sheet as paintDataSheet draws it, with the
// button "プリント" over it. Created once, when first opened, and opened
// modally: fillDataSheet,
// then exec(). "プリント" opens the print preview and print dialog (with no printer installed, a
// save dialog for a PDF instead); once the sheet is printed or saved the window closes, and when
// printing fails the error box says why and the window stays. The button is a control of the
// window, not part of the sheet, so it never reaches the paper.
class DataSheetWindow : public QDialog {
    Q_OBJECT

public:
    explicit DataSheetWindow(QWidget* parent = nullptr);

    // Takes every cell and label from a design as it stands; nothing is read or calculated.
    // `leftHanded` is the main window's coiling direction ("左巻き"); `concerns` the broken rules
    // and warnings the sheet names under its table.
    void fillDataSheet(const SpringDesign& design, const MaterialLibrary& library, bool leftHanded,
                       const std::vector<std::string>& concerns = {});
    const DataSheetTexts& texts() const { return texts_; }

    // Prints the sheet as "プリント" does onto `printer`, without a dialog; the window stays open.
    // Throws Error when the printer fails.
    void printSheet(QPrinter& printer);
    // The same page as a PDF file.
    void printSheetToPdf(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void onPrintClicked();

    DataSheetTexts texts_;
    QPushButton* printButton_ = nullptr;
};

// "PDFに保存" of the main window: the sheet of `texts` into a PDF file the save dialog asks for
// (proposing hspring.pdf), without the sheet window. Returns false when cancelled; a failure
// shows in the error box.
bool saveDataSheetPdf(QWidget* parent, const DataSheetTexts& texts);

} // namespace hspring
