// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/detail_page_text.h"
#include "toolkit/painting/print_header.h"
#include "toolkit/windows/print_dialog.h"

#include <QString>
#include <QWidget>
#include <functional>

class QAction;
class QPrinter;
class QPushButton;

namespace hspring {

// The lower page "＜ 詳細計算 ＞": the detailed results of the current design as
// paintDetailPage draws them, with the buttons "コピー", "プリント" and "PDFに保存" at its right
// edge and the same three commands on its context menu. The page holds only the texts it was
// last given; the main window gives it new ones whenever it shows a design.
class DetailPage : public QWidget {
    Q_OBJECT

public:
    explicit DetailPage(QWidget* parent = nullptr);

    void showTexts(DetailPageTexts texts);

    // What a print of the page says it is: the header above the tables and the stem of the PDF
    // name the save dialog proposes. Asked for at each print, so it names the design and file
    // as they are then; without it the page prints without a header.
    struct PrintedDesign {
        PrintHeader header;
        QString fileStem;
    };
    void describePrintsBy(std::function<PrintedDesign()> describe);
    const DetailPageTexts& texts() const { return texts_; }

    // "コピー": the page as tab-separated text (detailPageClipboardText) on the clipboard.
    void copyToClipboard() const;
    // Prints the page onto `printer` (printDetailPage). Throws Error when the printer fails.
    void printOn(QPrinter& printer) const;
    // "プリント": the print preview and print dialog, or with no printer installed a PDF file
    // (printWithDialog); a failure is shown in the error box.
    void printPage();
    // "PDFに保存": asks for a file and writes the page there as a one-page PDF; cancelling
    // writes nothing, a failure is shown in the error box.
    void savePdf();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The printed page of the texts shown.
    PagePainter pagePainter() const;

    QString proposedPdfName() const;

    DetailPageTexts texts_;
    std::function<PrintedDesign()> describe_;
};

} // namespace hspring
