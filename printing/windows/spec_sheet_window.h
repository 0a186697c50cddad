#pragma once

#include "data/design_record.h"
#include "data/material_library.h"

#include <QDialog>
#include <QString>
#include <array>

class QLabel;
class QPrinter;
class QPushButton;

namespace hspring {

class CentredGrid;

// The spring data sheet prinform ("要目表"): the spring figure with the main dimensions beside
// it and the table of sixteen items, on one page. Created once with the main window and opened
// modally: fillSpecSheet, then exec(). "プリント" prints the sheet on the default printer at its
// size on screen and closes it; when printing fails the error box says why and the sheet stays.
class SpecSheetWindow : public QDialog {
    Q_OBJECT

public:
    explicit SpecSheetWindow(QWidget* parent = nullptr);

    // Writes every cell and label from a design as it stands; nothing is read or calculated.
    // `leftHanded` is the main window's coiling direction ("左巻き").
    void fillSpecSheet(const SpringDesign& design, const MaterialLibrary& library, bool leftHanded);

    // Prints the sheet as "プリント" does, without its button, onto `printer`; the window stays
    // open. Throws Error when the printer fails.
    void printSheet(QPrinter& printer);
    // The same page as a PDF file (for the command-line tool).
    void printSheetToPdf(const QString& path);

private:
    void onPrintClicked();

    std::array<QLabel*, 6> labels_{};
    CentredGrid* grid_ = nullptr;
    QPushButton* printButton_ = nullptr;
};

} // namespace hspring
