#pragma once

#include "data/design_record.h"
#include "data/material_library.h"
#include "printing/spec_sheet_text.h"

#include <QDialog>
#include <QString>

class QPrinter;
class QPushButton;

namespace hspring {

// The spring data sheet window ("要目表", prinform): the sheet as paintSpecSheet draws it, with the
// button "プリント" over it. Created once with the main window and opened modally: fillSpecSheet,
// then exec(). "プリント" prints the sheet on the default printer at its size on screen and closes
// the window; when printing fails the error box says why and the window stays. The button is a
// control of the window, not part of the sheet, so it never reaches the paper.
class SpecSheetWindow : public QDialog {
    Q_OBJECT

public:
    explicit SpecSheetWindow(QWidget* parent = nullptr);

    // Takes every cell and label from a design as it stands; nothing is read or calculated.
    // `leftHanded` is the main window's coiling direction ("左巻き").
    void fillSpecSheet(const SpringDesign& design, const MaterialLibrary& library, bool leftHanded);
    const SpecSheetTexts& texts() const { return texts_; }

    // Prints the sheet as "プリント" does onto `printer`; the window stays open. Throws Error when
    // the printer fails.
    void printSheet(QPrinter& printer);
    // The same page as a PDF file.
    void printSheetToPdf(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void onPrintClicked();

    SpecSheetTexts texts_;
    QPushButton* printButton_ = nullptr;
};

} // namespace hspring
