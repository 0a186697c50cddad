// SPDX-License-Identifier: GPL-3.0-or-later
// What goes out of the main window: the data sheet, its PDF, the screen print, the DXF drawing,
// the JIS sheet and the clipboard copies.
#include "app/design_display.h"
#include "app/history_rows.h"
#include "app/windows/calculation_document.h"
#include "app/windows/clipboard_commands.h"
#include "app/windows/detail_page.h"
#include "app/windows/main_window.h"
#include "app/windows/main_window_form.h"
#include "calc/design_caption.h"
#include "drawing/windows/dxf_export.h"
#include "drawing/windows/shape_page.h"
#include "model/windows/model_save.h"
#include "printing/data_sheet_text.h"
#include "printing/windows/data_sheet_window.h"
#include "printing/windows/window_print.h"
#include "toolkit/windows/centred_grid.h"
#include "toolkit/windows/error_box.h"

namespace hspring {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

DataSheetWindow& MainWindow::dataSheet() {
    if (!dataSheet_)
        dataSheet_ = new DataSheetWindow(this);
    return *dataSheet_;
}

void MainWindow::connectOutputMenu() {
    MainWindowControls& c = *ui_;
    const auto onMenu = [this](QAction* item, auto action) {
        connect(item, &QAction::triggered, this,
                [this, action] { runReportingErrors(this, action); });
    };
    // What goes out is what the window shows: each of these runs 計算 first when an input
    // changed since the last one, and does nothing when it could not calculate.
    onMenu(c.printSheetItem, [this] {
        if (!calculatedForOutput())
            return;
        dataSheet().fillDataSheet(state_.current(), state_.materials, leftHanded());
        dataSheet().exec();
    });
    onMenu(c.saveSheetPdfItem, [this] {
        if (calculatedForOutput())
            saveDataSheetPdf(this,
                             dataSheetTexts(state_.current(), state_.materials, leftHanded()));
    });
    onMenu(c.printWindowItem, [this] {
        if (calculatedForOutput())
            printWindowWithDialog(*this, PrintScaling::FitToPage,
                                  describePrintedDesign(*this).fileStem +
                                      QStringLiteral("_screen.pdf"));
    });
    onMenu(c.exportDxfItem, [this] {
        if (!calculatedForOutput())
            return;
        // A hook that cannot be drawn is not written either.
        if (const auto note = undrawableHookNote(state_.current(), shownHookType())) {
            ui_->statusList->addItem(qt(*note));
            return;
        }
        exportDxf(this, state_.current(), *ui_->shapePage,
                  describePrintedDesign(*this).fileStem + QStringLiteral(".dxf"));
    });
    // 「3Dモデルを保存…」 in the spring view's menu: the design as it goes out, as for DXF.
    addModelSaveItem(*c.shapePage, [this]() -> std::optional<ModelSubject> {
        if (!calculatedForOutput())
            return std::nullopt;
        const SpringDesign& design = state_.current();
        return ModelSubject{design, shownHookType(), leftHanded(),
                            designCaption(design, state_.materials),
                            describePrintedDesign(*this).fileStem};
    });
    onMenu(c.jisSheetItem, [this] {
        if (calculatedForOutput())
            openJisSheet(*this, shownHookType());
    });
    c.detailPage->describePrintsBy([this] { return describePrintedDesign(*this); });
    onMenu(c.copyHistoryItem, [this] {
        copyGridToClipboard(*ui_->historyGrid, 0, 0, kHistoryColumnCount - 1, kHistoryRowCount - 1);
    });
    onMenu(c.copyDiagramItem, [this] { copyDiagramToClipboard(*ui_->diagramView); });
}

} // namespace hspring
