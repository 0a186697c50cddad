// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/material_library.h"
#include "data/settings.h"
#include "printing/jis_sheet_text.h"

#include <QDialog>
#include <QString>
#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace hspring {

// The title block's one-line fields in the window (表面処理 included, 備考 a text box of its own).
inline constexpr std::size_t kTitleBlockLineFields = kRemarksField;

// The window of the JIS sheet (仕様書（JIS形式）): the title block's fields to fill in, and the
// buttons that print the sheet through the print preview and print dialog ("印刷…"; with no
// printer installed, into a PDF) and save it as a PDF ("PDFに保存…"). The fields start from the
// block kept with the calculation and are empty when none is kept; what is typed is the block
// the window hands back (titleBlock) when it closes. The design's tolerance grade and whether the
// rate is toleranced are chosen here too and travel in the block.
class JisSheetWindow : public QDialog {
    Q_OBJECT

public:
    JisSheetWindow(const MaterialLibrary& library, const CoefficientSet& coefficients,
                   QWidget* parent = nullptr);

    // The design to sheet and the block to start from.
    void setSubject(const JisSheetSubject& subject);
    // The subject with the block as the fields hold it now.
    JisSheetSubject subject() const;
    TitleBlock titleBlock() const;

    // The sheet as it stands, as a PDF file; throws Error when it cannot be written.
    void writePdf(const QString& path) const;
    // The name the save dialogs propose: the part number or name, else the design's.
    QString proposedPdfName() const;

private:
    void print();
    void savePdf();

    const MaterialLibrary& library_;
    const CoefficientSet& coefficients_;
    JisSheetSubject subject_;
    std::array<QLineEdit*, kTitleBlockLineFields> fields_{};
    QPlainTextEdit* remarks_ = nullptr;
    QComboBox* hookPosition_ = nullptr;
    QComboBox* toleranceGrade_ = nullptr;
    QCheckBox* rateTolerance_ = nullptr;
};

} // namespace hspring
