// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_steps.h"

#include "calc/design_refusal.h"
#include "calc/engine.h"
#include "printing/windows/data_sheet_window.h"
#include "printing/windows/window_print.h"
#include "tests/support/modal_dialogs.h"
#include "toolkit/windows/error_text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QSpinBox>

namespace hspring::test {

bool isClearMessage(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

void pickEntry(QComboBox* list, int index) {
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void recallSlot(const OpenWindow& w, int slot) {
    typeInto(w.control<QSpinBox>("SpinEdit1")->findChild<QLineEdit*>(), QString::number(slot));
    w.clickButton("SpeedButton6");
}

QStringList exportDxf(const OpenWindow& w, const QString& path) {
    QFile::remove(path); // no question whether to replace it
    const MessageBoxWatch boxes;
    const auto dialog = answerNextFileDialog(path);
    w.triggerMenu("dxf1");
    return boxes.texts();
}

// Whether 計算 can read the window's fields and calculate them. The sheet shows only a design
// the window has calculated: after a 計算 that failed it runs 計算 again and stays closed when
// that fails.
bool fieldsRead(const OpenWindow& w) {
    try {
        w.window->readDesignInputs();
        SpringDesign design = w.state.current();
        InitialTensionRange range;
        // As 計算 does, refusing what is no spring; these steps never leave the round hook.
        calculateGivenDesign(design, w.state.materials, w.state.settings.coefficients, range, {},
                             HookType::Round);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

QStringList printSheetAndWindow(const OpenWindow& w, const QString& sheetPdf,
                                const QString& windowPdf) {
    const MessageBoxWatch boxes;
    QString failure;
    const auto seen = closeNextDialog([&](QDialog& dialog) {
        try {
            qobject_cast<DataSheetWindow*>(&dialog)->printSheetToPdf(sheetPdf);
        } catch (const std::exception& error) {
            failure = hspring::errorText(error);
        }
    });
    w.triggerMenu("N5");
    QStringList texts = boxes.texts();
    if (!*seen)
        if (fieldsRead(w))
            texts << QStringLiteral("(the sheet did not open)");
    if (!failure.isEmpty())
        texts << failure;
    try {
        printWindowImageToPdf(*w.window, PrintScaling::FitToPage, windowPdf);
    } catch (const std::exception& error) {
        texts << hspring::errorText(error);
    }
    return texts;
}

QStringList calculateAndDraw(const OpenWindow& w) {
    const MessageBoxWatch boxes;
    w.clickButton("BitBtn2");
    for (int view = 0; view < 3; ++view)
        w.clickButton("changb");
    return boxes.texts();
}

} // namespace hspring::test
