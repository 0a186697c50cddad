#include "app/windows/calculation_file_menu.h"

#include "app/windows/main_window.h"
#include "data/calculation_file.h"
#include "toolkit/windows/error_box.h"
#include "toolkit/windows/file_dialogs.h"

namespace hspring {

namespace {

const QString kCalculationFileFilter = QStringLiteral("引っ張りばねデーター (*.hbd)");
const QString kProposedName = QStringLiteral("hspring.hbd");
const QString kCalculationFileSuffix = QStringLiteral("hbd");

void readSlots(MainWindow& window, const std::string& path) {
    loadDesignSlots(path, window.state().designs);
    for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot)
        window.refreshHistoryRow(slot);
}

} // namespace

void saveCalculationFile(MainWindow& window) {
    runReportingErrors(&window, [&window] {
        // Slot 0 may hold a design just read from a file rather than what the fields show;
        // cancelling the dialog keeps it.
        SpringDesign& current = window.state().current();
        const SpringDesign beforeReading = current;
        window.readDesignInputs();
        const auto path =
            askSaveFile(&window, kCalculationFileFilter, kProposedName, kCalculationFileSuffix);
        if (!path) {
            current = beforeReading;
            return;
        }
        saveDesignSlots(*path, window.state().designs);
    });
}

void readCalculationFile(MainWindow& window) {
    runReportingErrors(&window, [&window] {
        const auto path = askOpenFile(&window, kCalculationFileFilter);
        if (!path)
            return;
        readSlots(window, *path);
    });
}

void readCalculationFile(MainWindow& window, const std::string& path) {
    runReportingErrors(&window, [&window, &path] { readSlots(window, path); });
}

} // namespace hspring
