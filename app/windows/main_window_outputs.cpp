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
#include "toolkit/painting/utf8_text.h"
#include "toolkit/windows/centred_grid.h"
#include "toolkit/windows/error_box.h"
#include "wording/japanese.h"

#include <QMessageBox>
#include <QPushButton>

namespace hspring {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The question before a document of a design with concerns: the concerns listed, "いいえ" (make
// nothing) the default, so that Enter never makes a document by mistake.
bool makeDocumentAnyway(QWidget* parent, const QString& document,
                        const std::vector<std::string>& concerns) {
    QStringList lines;
    for (const std::string& concern : concerns)
        lines << qt(concern);
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("確認"),
        utf8Text(kConcernsHeading) + QStringLiteral("。\n\n") + lines.join(QLatin1Char('\n')) +
            QStringLiteral("\n\nそれでも%1を作成しますか？\n作成すると、これらを%1に記載します。")
                .arg(document),
        QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

// The concerns as a drawing's texts: the heading, then a line each.
std::vector<std::string> drawingNotes(const std::vector<std::string>& concerns) {
    std::vector<std::string> notes;
    if (concerns.empty())
        return notes;
    notes.emplace_back(kConcernsHeading);
    notes.insert(notes.end(), concerns.begin(), concerns.end());
    return notes;
}

} // namespace

std::optional<std::vector<std::string>> MainWindow::concernsForDocument(const QString& document,
                                                                        bool drawsTheSpring) {
    if (!calculatedForOutput())
        return std::nullopt;
    // A hook that cannot be drawn goes on no drawing, whatever the answer would be; the line
    // says why nothing was made.
    if (drawsTheSpring)
        if (const auto note = undrawableHookNote(state_.current(), shownHookType())) {
            ui_->statusList->addItem(qt(*note));
            return std::nullopt;
        }
    const DesignResult* result = shownEvaluation();
    if (!result || !hasConcerns(*result))
        return std::vector<std::string>{};
    std::vector<std::string> concerns = concernLines(*result);
    if (!makeDocumentAnyway(this, document, concerns))
        return std::nullopt;
    return concerns;
}

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
        const auto concerns = concernsForDocument(QStringLiteral("要目表"));
        if (!concerns)
            return;
        dataSheet().fillDataSheet(state_.current(), state_.materials, leftHanded(), *concerns);
        dataSheet().exec();
    });
    onMenu(c.saveSheetPdfItem, [this] {
        const auto concerns = concernsForDocument(QStringLiteral("要目表のPDF"));
        if (!concerns)
            return;
        DataSheetTexts texts = dataSheetTexts(state_.current(), state_.materials, leftHanded());
        texts.concerns = *concerns;
        saveDataSheetPdf(this, texts);
    });
    // The status list in the picture carries the concerns.
    onMenu(c.printWindowItem, [this] {
        if (concernsForDocument(QStringLiteral("画面印刷"), false))
            printWindowWithDialog(*this, PrintScaling::FitToPage,
                                  describePrintedDesign(*this).fileStem +
                                      QStringLiteral("_screen.pdf"));
    });
    onMenu(c.exportDxfItem, [this] {
        const auto concerns = concernsForDocument(QStringLiteral("DXF"));
        if (!concerns)
            return;
        exportDxf(this, state_.current(), *ui_->shapePage,
                  describePrintedDesign(*this).fileStem + QStringLiteral(".dxf"),
                  drawingNotes(*concerns));
    });
    c.shapePage->setDimensionedDxfGate([this]() -> std::optional<std::vector<std::string>> {
        const auto concerns = concernsForDocument(QStringLiteral("寸法付きDXF"));
        if (!concerns)
            return std::nullopt;
        return drawingNotes(*concerns);
    });
    // 「3Dモデルを保存…」 in the spring view's menu: the design as it goes out, as for DXF.
    addModelSaveItem(*c.shapePage, [this]() -> std::optional<ModelSubject> {
        if (!concernsForDocument(QStringLiteral("3Dモデル")))
            return std::nullopt;
        const SpringDesign& design = state_.current();
        return ModelSubject{design, shownHookType(), leftHanded(),
                            designCaption(design, state_.materials),
                            describePrintedDesign(*this).fileStem};
    });
    onMenu(c.jisSheetItem, [this] {
        if (const auto concerns = concernsForDocument(QStringLiteral("仕様書")))
            openJisSheet(*this, shownHookType(), *concerns);
    });
    c.detailPage->describePrintsBy([this] { return describePrintedDesign(*this); });
    onMenu(c.copyHistoryItem, [this] {
        copyGridToClipboard(*ui_->historyGrid, 0, 0, kHistoryColumnCount - 1, kHistoryRowCount - 1);
    });
    onMenu(c.copyDiagramItem, [this] { copyDiagramToClipboard(*ui_->diagramView); });
}

} // namespace hspring
