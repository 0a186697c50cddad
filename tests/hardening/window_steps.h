// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Steps of the hardening window tests that drive the main window as a user would, whatever the
// data: every message box that opens is answered and its text kept, so a test can go on and see
// what the program said.

#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"

#include <QString>
#include <QStringList>

namespace hspring::test {

// A message that tells the user what went wrong in the program's own words: not empty, and
// Japanese (every error text of the program is).
bool isClearMessage(const QString& text);

// Selects a list entry as a pick by the user does (the handlers listen to "activated").
void pickEntry(QComboBox* list, int index);

// Types the slot number into SpinEdit1 and presses "▲".
void recallSlot(const OpenWindow& w, int slot);

// "dxf出力" into `path`, which is removed first. Returns the texts of the boxes it showed.
QStringList exportDxf(const OpenWindow& w, const QString& path);

// "要目表印刷", printed into `sheetPdf` from the open sheet, and the main window printed into
// `windowPdf`. Returns the texts of the boxes the steps showed.
QStringList printSheetAndWindow(const OpenWindow& w, const QString& sheetPdf,
                                const QString& windowPdf);

// "計算", then the spring view's state button through the two loaded views and back to the free
// one. Returns the texts of the boxes they showed.
QStringList calculateAndDraw(const OpenWindow& w);

} // namespace hspring::test
