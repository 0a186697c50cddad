// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/calculation_file_menu.h"

#include "app/windows/calculation_document.h"
#include "app/windows/main_window.h"
#include "app/windows/recent_files.h"
#include "calc/design_caption.h"
#include "data/calculation_file.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/error_text.h"
#include "toolkit/windows/file_dialogs.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <memory>

namespace hspring {

namespace {

const QString kCalculationFileFilter = QStringLiteral("引っ張りばねデーター (*.hbd)");
const QString kCalculationFileSuffix = QStringLiteral("hbd");

// The menu's reading: the file goes to the front of the recent files once its slots are read.
void readSlots(MainWindow& window, const std::string& path) {
    openCalculationFile(window, path, [&path] { addRecentFile(QFile::decodeName(path.c_str())); });
}

// The open file's name, or one built from the design (material, d, D, N).
QString proposedName(MainWindow& window) {
    const QString open = CalculationDocument::of(window).fileName();
    if (!open.isEmpty())
        return open;
    const ProgramState& state = window.state();
    return QString::fromStdString(designFileStem(state.current(), state.materials)) +
           QStringLiteral(".hbd");
}

} // namespace

// The file's slot 0 is shown as a recall from the history shows a slot, so that the window, ▼ and
// the sheet describe the same design. A file whose slot 0 is not in use leaves the window's
// design in slot 0: there is nothing of the file to show there.
//
// All or nothing: the slots and the title block beside them are read before anything of the window
// changes, so a file or a side file that cannot be read leaves the slots, the title block and the
// title as they were.
void openCalculationFile(MainWindow& window, const std::string& path,
                         const std::function<void()>& slotsRead) {
    // A shorter file replaces only the slots it holds, so the copy starts as the window's slots.
    auto fileSlots = std::make_unique<DesignSlots>(window.state().designs);
    loadDesignSlots(path, *fileSlots);
    TitleBlock block;
    try {
        block = readTitleBlock(path);
    } catch (const Error& error) {
        throw WordedError(error, QStringLiteral("仕様書の表題欄ファイル %1 が壊れているため、"
                                                "計算ファイルを読み込みませんでした。")
                                     .arg(QFile::decodeName(titleBlockPath(path).c_str())));
    }
    SpringDesign& current = window.state().current();
    const SpringDesign shown = current;
    window.state().designs = *fileSlots;
    for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot)
        window.refreshHistoryRow(slot);
    if (slotsRead)
        slotsRead();
    CalculationDocument::of(window).read(path, block);
    if (current.inUse == 1)
        window.showDesignRead();
    else
        current = shown;
}

void saveCalculationFile(MainWindow& window) {
    runReportingErrors(&window, [&window] {
        // Slot 0 may hold a design just read from a file rather than what the fields show;
        // cancelling the dialog keeps it.
        SpringDesign& current = window.state().current();
        const SpringDesign beforeReading = current;
        window.readDesignInputs();
        const auto path = askSaveFile(&window, kCalculationFileFilter, proposedName(window),
                                      kCalculationFileSuffix);
        if (!path) {
            current = beforeReading;
            return;
        }
        saveDesignSlots(*path, window.state().designs);
        addRecentFile(QFile::decodeName(path->c_str()));
        CalculationDocument::of(window).saved(*path);
    });
}

void readCalculationFile(MainWindow& window) {
    if (!CalculationDocument::of(window).askToKeepChanges())
        return;
    runReportingErrors(&window, [&window] {
        const auto path = askOpenFile(&window, kCalculationFileFilter);
        if (!path)
            return;
        readSlots(window, *path);
    });
}

bool readCalculationFile(MainWindow& window, const std::string& path) {
    return runReportingErrors(&window, [&window, &path] { readSlots(window, path); });
}

void connectRecentFilesMenu(MainWindow& window, QMenu& menu) {
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&window, &menu] {
        menu.clear();
        const QStringList files = recentFiles();
        if (files.isEmpty())
            menu.addAction(QStringLiteral("（なし）"))->setEnabled(false);
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString file = files[i];
            // "&1" to "&8": the number chooses the entry from the keyboard.
            QAction* entry = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
                QDir::toNativeSeparators(file).replace(QLatin1Char('&'), QStringLiteral("&&"))));
            QObject::connect(entry, &QAction::triggered, &window, [&window, file] {
                if (!CalculationDocument::of(window).askToKeepChanges())
                    return;
                if (!readCalculationFile(window, QFile::encodeName(file).toStdString()) &&
                    !QFile::exists(file))
                    removeRecentFile(file);
            });
        }
    });
}

} // namespace hspring
