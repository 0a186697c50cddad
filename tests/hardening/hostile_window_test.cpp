// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile calculation files, material libraries and settings files through the main window:
// reading, recalling each slot from the history, calculating, drawing, exporting the DXF file,
// filling the spring data sheet and printing it and the window. Each step works or shows a
// clear message; the test itself would die at a crash, and the sanitizer build reports a read
// out of bounds.

#include "base/file_io.h"
#include "data/default_data.h"
#include "data/design_record.h"
#include "hostile_files.h"
#include "tests/support/modal_dialogs.h"
#include "window_steps.h"
#include "windows_test_registry.h"

#include <QAbstractButton>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

using namespace hspring;
using namespace hspring::test;

namespace {

QString hostilePath(const std::string& name) {
    return QStringLiteral(HSPRING_TEST_DATA_DIR "/hostile/") + QString::fromStdString(name);
}

// Every message must be one the user can read; `where` names the step for the failure text.
void expectClearMessages(const QStringList& texts, const QString& where) {
    for (const QString& text : texts)
        QVERIFY2(isClearMessage(text), qPrintable(where + QStringLiteral(": ") + text));
}

// The history slots of a file that hold something other than the ordinary design.
std::vector<int> hostileSlots(const DesignSlots& designs) {
    const SpringDesign ordinary = ordinaryDesign();
    std::vector<int> found;
    for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot)
        if (std::memcmp(&designs[slot], &ordinary, sizeof ordinary) != 0)
            found.push_back(slot);
    return found;
}

// The window afterwards still calculates an ordinary design without a word.
void expectStillWorking(OpenWindow& w) {
    w.state.designs[kLastHistorySlot] = ordinaryDesign();
    recallSlot(w, kLastHistorySlot);
    const QStringList texts = calculateAndDraw(w);
    QVERIFY2(texts.isEmpty(), qPrintable(texts.join('\n')));
    QVERIFY(!w.statusLines().isEmpty());
}

} // namespace

class HostileFilesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { output_ = std::make_unique<QTemporaryDir>(); }
    void cleanup() { output_.reset(); }

    // Slot 0 of a file is the current design until the next input reading: the DXF file and the
    // sheet show it as it stands. Every other slot is recalled with "▲" and calculated.
    void calculationFilesAreReadRecalledCalculatedDrawnExportedAndPrinted() {
        for (const HostileFile& file : hostileCalculationFiles()) {
            const QString name = QString::fromStdString(file.name);
            const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
            OpenWindow w(folder);
            {
                const MessageBoxWatch boxes;
                const auto dialog = answerNextFileDialog(hostilePath(file.name));
                w.triggerMenu("Edit2");
                QVERIFY2(dialog->seen, qPrintable(name));
                QVERIFY2(boxes.texts().isEmpty(), qPrintable(name + boxes.texts().join('\n')));
            }
            expectClearMessages(exportDxf(w, out("slot0.dxf")), name + " slot 0 DXF");
            expectClearMessages(printSheetAndWindow(w, out("sheet0.pdf"), out("window0.pdf")),
                                name + " slot 0 sheet");

            for (const int slot : hostileSlots(w.state.designs)) {
                const QString where = name + QStringLiteral(" slot %1").arg(slot);
                {
                    const MessageBoxWatch boxes;
                    recallSlot(w, slot);
                    expectClearMessages(boxes.texts(), where + " recall");
                }
                expectClearMessages(exportDxf(w, out("recalled.dxf")), where + " DXF");
                expectClearMessages(calculateAndDraw(w), where + " calculate");
            }
            expectClearMessages(printSheetAndWindow(w, out("sheet.pdf"), out("window.pdf")),
                                name + " sheet");
            expectStillWorking(w);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // A library as zaidat.dst at start-up, then every material its lists offer.
    void materialLibrariesStartAndCalculateEveryListedMaterial() {
        for (const HostileFile& file : hostileMaterialLibraries()) {
            const QString name = QString::fromStdString(file.name);
            const DataFolder folder(std::nullopt, builtInSettings());
            writeFileAtomically(folder.file(QStringLiteral("zaidat.dst")).toStdString(),
                                file.bytes);
            const MessageBoxWatch startBoxes;
            OpenWindow w(folder);
            expectClearMessages(startBoxes.texts(), name + " start");

            QComboBox* kinds = w.list("ComboBox5");
            QComboBox* grades = w.list("ComboBox7");
            for (int kind = 0; kind < kinds->count(); ++kind) {
                {
                    const MessageBoxWatch boxes;
                    pickEntry(kinds, kind);
                    expectClearMessages(boxes.texts(), name + " kind");
                }
                for (int grade = 0; grade < grades->count(); ++grade) {
                    const QString where =
                        name + QStringLiteral(" kind %1 grade %2").arg(kind).arg(grade);
                    const MessageBoxWatch boxes;
                    pickEntry(grades, grade);
                    expectClearMessages(boxes.texts(), where + " pick");
                    expectClearMessages(calculateAndDraw(w), where + " calculate");
                    expectClearMessages(exportDxf(w, out("material.dxf")), where + " DXF");
                }
            }
            expectClearMessages(printSheetAndWindow(w, out("sheet.pdf"), out("window.pdf")),
                                name + " sheet");
            if (QTest::currentTestFailed())
                return;
        }
    }

    // The editor loads a library over the one in use; the lists keep their start-up state, so
    // the material selected now reads the loaded record.
    void materialLibrariesLoadedInTheEditorAreCalculated() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        OpenWindow w(folder);
        for (const HostileFile& file : hostileMaterialLibraries()) {
            const QString name = QString::fromStdString(file.name);
            QStringList texts;
            const auto editor = closeNextDialog([&](QDialog& dialog) {
                const MessageBoxWatch boxes;
                const auto chosen = answerNextFileDialog(hostilePath(file.name));
                QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn1")),
                                  Qt::LeftButton);
                // Stepping through the records stores each one shown, as the user's "▲" does.
                for (int record = 0; record < kMaterialCount; ++record)
                    QTest::mouseClick(dialog.findChild<QAbstractButton*>(QStringLiteral("BitBtn3")),
                                      Qt::LeftButton);
                texts = boxes.texts();
            });
            w.triggerMenu("N7");
            QVERIFY2(*editor, qPrintable(name));
            expectClearMessages(texts, name + " editor");
            expectClearMessages(calculateAndDraw(w), name + " calculate");
            expectClearMessages(exportDxf(w, out("loaded.dxf")), name + " DXF");
            if (QTest::currentTestFailed())
                return;
        }
    }

    void settingsFilesStartAndCalculate() {
        for (const HostileFile& file : hostileSettingsFiles()) {
            const QString name = QString::fromStdString(file.name);
            const DataFolder folder(builtInMaterialLibrary(), std::nullopt);
            writeFileAtomically(folder.file(QString::fromLatin1(kSettingsFileName)).toStdString(),
                                file.bytes);
            const MessageBoxWatch startBoxes;
            OpenWindow w(folder);
            expectClearMessages(startBoxes.texts(), name + " start");
            expectClearMessages(calculateAndDraw(w), name + " calculate");
            expectClearMessages(printSheetAndWindow(w, out("sheet.pdf"), out("window.pdf")),
                                name + " sheet");
            expectStillWorking(w);
        }
    }

private:
    QString out(const char* name) const { return output_->filePath(QString::fromLatin1(name)); }

    std::unique_ptr<QTemporaryDir> output_;
};

HSPRING_SLOW_WINDOW_TEST(HostileFilesWindowTest)
#include "hostile_window_test.moc"
