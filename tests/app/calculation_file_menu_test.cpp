// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/history_rows.h"
#include "app/windows/calculation_document.h"
#include "app/windows/calculation_file_menu.h"
#include "app/windows/recent_files.h"
#include "calc/design_caption.h"
#include "calc/spring_design.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "toolkit/windows/centred_grid.h"
#include "windows_test_registry.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <cstring>

using namespace hspring;
using namespace hspring::test;

namespace {

// The grade symbols of the history rows of slots 1..30: empty for a row that shows no design.
QStringList historyGrades(const OpenWindow& w) {
    const auto* grid = w.control<CentredGrid>("sg1");
    QStringList grades;
    for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot)
        grades << grid->cellText(historyRowOfSlot(slot), 1);
    return grades;
}

// Calculates the window's design and stores it into history slots first..last, rows included.
void fillHistory(OpenWindow& w, int first, int last) {
    w.clickButton("BitBtn2");
    for (int slot = first; slot <= last; ++slot) {
        copyDesignSlot(w.state.designs, 0, slot);
        w.window->refreshHistoryRow(slot);
    }
}

// Gives every reserved byte of every slot a value, so that a copy that skips them shows.
void markReservedBytes(DesignSlots& designs) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        std::memset(designs[slot].reserved200, 0x40 + slot, sizeof designs[slot].reserved200);
        std::memset(designs[slot].reserved288, 0x80 + slot, sizeof designs[slot].reserved288);
        designs[slot].reserved94[0] = static_cast<std::uint8_t>(slot);
    }
}

} // namespace

class CalculationFileMenuTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DataFolder> data_;
    std::unique_ptr<OpenWindow> w_;
    std::unique_ptr<QTemporaryDir> files_;

    QString fileAt(const char* name) const { return files_->filePath(QString::fromUtf8(name)); }

private slots:
    void init() {
        data_ = std::make_unique<DataFolder>(referenceLibrary(), referenceSettings());
        w_ = std::make_unique<OpenWindow>(*data_);
        files_ = std::make_unique<QTemporaryDir>();
        QVERIFY(files_->isValid());
    }

    void cleanup() {
        w_.reset();
        data_.reset();
        files_.reset();
    }

    void savedSlotsReadBackByteForByte() {
        fillHistory(*w_, 1, 4);
        markReservedBytes(w_->state.designs);
        w_->edit("Edit18")->setText(QStringLiteral("12")); // read into slot 0 by the save

        const QString path = fileAt("work.hbd");
        auto dialog = answerNextFileDialog(path);
        saveCalculationFile(*w_->window);
        QVERIFY(dialog->seen);
        QCOMPARE(dialog->text, QStringLiteral("引っ張りばねデーター (*.hbd)"));
        QCOMPARE(w_->state.current().meanDiameter, 12.0);
        const QByteArray saved = imageOf(w_->state.designs);
        QCOMPARE(fileBytes(path).size(), 10416);
        QCOMPARE(fileBytes(path), saved);

        // Change everything, then read the file back.
        for (SpringDesign& design : w_->state.designs)
            std::memset(&design, 0x33, sizeof design);
        const QString fieldBefore = w_->text("Edit18");
        // The slots differ from the saved file, so reading asks first; 破棄 lets the file in.
        const auto question = answerNextMessageBox(QMessageBox::Discard);
        dialog = answerNextFileDialog(path);
        readCalculationFile(*w_->window);
        QVERIFY(question->seen);
        QCOMPARE(question->text,
                 QStringLiteral("計算結果の変更が保存されていません。保存しますか？"));
        QVERIFY(dialog->seen);
        QCOMPARE(dialog->text, QStringLiteral("引っ張りばねデーター (*.hbd)"));
        QCOMPARE(imageOf(w_->state.designs), saved);
        QCOMPARE(historyGrades(*w_).mid(0, 5),
                 (QStringList{"SW-B", "SW-B", "SW-B", "SW-B", QString()}));
        QCOMPARE(w_->text("Edit18"), fieldBefore); // no input field is refreshed
    }

    // The first save proposes a name built from the design; once saved, the window's title names
    // the file, a change to the slots marks it, and the next save proposes the same file. The
    // JIS sheet's title block goes beside the file and comes back with it.
    void theSaveDialogProposesTheDesignsNameAndTheTitleNamesTheFile() {
        auto proposed = acceptNextFileDialogIn(files_->path());
        saveCalculationFile(*w_->window);
        QVERIFY(proposed->seen);
        const QString designName =
            QString::fromStdString(designFileStem(w_->state.current(), w_->state.materials)) +
            QStringLiteral(".hbd");
        QVERIFY(designName.startsWith(QStringLiteral("SW")) && designName.contains("_N"));
        QCOMPARE(proposed->text, files_->filePath(designName));
        QCOMPARE(fileBytes(files_->filePath(designName)), imageOf(w_->state.designs));

        CalculationDocument& document = CalculationDocument::of(*w_->window);
        document.refreshTitle();
        QCOMPARE(w_->window->windowTitle(),
                 QStringLiteral("引張りコイルバネ計算 — ") + designName + QStringLiteral("[*]"));
        QVERIFY(!w_->window->isWindowModified());
        fillHistory(*w_, 3, 3);
        document.refreshTitle();
        QVERIFY(w_->window->isWindowModified());

        TitleBlock block;
        block.partName = "ばねB";
        block.designer = "佐藤";
        document.setTitleBlock(block);
        const QString sideFile = QString::fromStdString(
            titleBlockPath(QFile::encodeName(files_->filePath(designName)).toStdString()));
        QVERIFY(QFile::exists(sideFile));
        const auto header = describePrintedDesign(*w_->window).header;
        QCOMPARE(header.title, QStringLiteral("ばねB"));
        QCOMPARE(header.fileName, designName);
        QVERIFY(!header.date.isEmpty());

        auto again = acceptNextFileDialogIn(files_->path());
        const auto replace = answerNextMessageBox(QMessageBox::Yes); // the file exists
        saveCalculationFile(*w_->window);
        QVERIFY(replace->seen);
        QCOMPARE(again->text, files_->filePath(designName));
        document.refreshTitle();
        QVERIFY(!w_->window->isWindowModified());

        // The open dialog starts in the folder last used for calculation files.
        QString openedIn;
        const auto cancelled = closeNextDialog([&openedIn](QDialog& dialog) {
            openedIn = dynamic_cast<QFileDialog&>(dialog).directory().absolutePath();
        });
        readCalculationFile(*w_->window);
        QVERIFY(*cancelled);
        QCOMPARE(openedIn, QDir(files_->path()).absolutePath());

        // Another window reads the file: the title and the title block come with it.
        OpenWindow other(*data_);
        QVERIFY(readCalculationFile(*other.window,
                                    QFile::encodeName(files_->filePath(designName)).toStdString()));
        QCOMPARE(CalculationDocument::of(*other.window).titleBlock(), block);
        QVERIFY(other.window->windowTitle().contains(designName));

        auto typed = answerNextFileDialog(fileAt("typed"));
        saveCalculationFile(*w_->window);
        QVERIFY(typed->seen);
        QCOMPARE(fileBytes(fileAt("typed.hbd")), imageOf(w_->state.designs));
    }

    void readingReplacesTheHistoryRows() {
        // A file in which only slots 1, 2 and 5 are in use.
        fillHistory(*w_, 1, 10);
        DesignSlots stored = w_->state.designs;
        for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot)
            stored[slot].inUse = slot == 1 || slot == 2 || slot == 5;
        stored[2].materialIndex = 1; // SWP-A
        const QString path = fileAt("three.hbd");
        QVERIFY(writeBytes(path, imageOf(stored)));
        QCOMPARE(historyGrades(*w_).count(QStringLiteral("SW-B")), 10);

        auto dialog = answerNextFileDialog(path);
        readCalculationFile(*w_->window);
        QVERIFY(dialog->seen);
        QStringList expected(30, QString());
        expected[0] = QStringLiteral("SW-B");
        expected[1] = QStringLiteral("SWP-A");
        expected[4] = QStringLiteral("SW-B");
        QCOMPARE(historyGrades(*w_), expected);
        const auto* grid = w_->control<CentredGrid>("sg1");
        QCOMPARE(grid->cellText(historyRowOfSlot(3), 2), QString()); // the whole row is cleared
        QCOMPARE(grid->cellText(historyRowOfSlot(3), 0), QStringLiteral("3"));
    }

    // The file named on the command line: read as the menu reads it, or the same error box.
    void aNamedFileIsReadWithoutTheDialog() {
        fillHistory(*w_, 1, 2);
        DesignSlots stored = w_->state.designs;
        stored[1].inUse = 0;
        stored[2].materialIndex = 1; // SWP-A
        const QString path = fileAt("named.hbd");
        QVERIFY(writeBytes(path, imageOf(stored)));

        auto dialog = answerNextFileDialog(QString());
        readCalculationFile(*w_->window, QFile::encodeName(path).toStdString());
        QCOMPARE(imageOf(w_->state.designs), imageOf(stored));
        QCOMPARE(historyGrades(*w_).mid(0, 3), (QStringList{QString(), "SWP-A", QString()}));

        const QString missing = fileAt("missing.hbd");
        auto error = answerNextMessageBox(QMessageBox::Ok);
        readCalculationFile(*w_->window, QFile::encodeName(missing).toStdString());
        QVERIFY(error->seen);
        QCOMPARE(error->text, QStringLiteral("ファイル %1 は開けません").arg(missing));
        QCOMPARE(imageOf(w_->state.designs), imageOf(stored));
        QVERIFY(!dialog->seen);
    }

    void aFileOfOneSlotReplacesSlotZeroOnly() {
        fillHistory(*w_, 1, 3);
        const DesignSlots before = w_->state.designs;
        SpringDesign other = before[0];
        other.freeLength = 77;
        other.materialIndex = 1;
        const QString path = fileAt("one.hbd");
        QVERIFY(writeBytes(path, QByteArray(reinterpret_cast<const char*>(&other), sizeof other)));
        const QString freeLengthField = w_->text("Edit1");

        auto dialog = answerNextFileDialog(path);
        readCalculationFile(*w_->window);
        QVERIFY(dialog->seen);
        QCOMPARE(std::memcmp(&w_->state.designs[0], &other, sizeof other), 0);
        QCOMPARE(std::memcmp(&w_->state.designs[1], &before[1], sizeof before[1] * 30), 0);
        // The window shows the file's slot 0, as a recall from the history would.
        QVERIFY(freeLengthField != QStringLiteral("77"));
        QCOMPARE(w_->text("Edit1"), QStringLiteral("77"));
        QCOMPARE(historyGrades(*w_).mid(0, 4), (QStringList{"SW-B", "SW-B", "SW-B", QString()}));
    }

    void cancellingChangesNothing() {
        fillHistory(*w_, 1, 2);
        const QByteArray before = imageOf(w_->state.designs);
        const QStringList rows = historyGrades(*w_);

        auto open = answerNextFileDialog(QString());
        readCalculationFile(*w_->window);
        QVERIFY(open->seen);
        QCOMPARE(imageOf(w_->state.designs), before);
        QCOMPARE(historyGrades(*w_), rows);

        auto save = answerNextFileDialog(QString());
        saveCalculationFile(*w_->window);
        QVERIFY(save->seen);
        QCOMPARE(imageOf(w_->state.designs), before);
        QVERIFY(QDir(files_->path()).isEmpty());
    }

    void aFieldThatIsNoNumberStopsTheSaveBeforeTheDialog() {
        w_->edit("Edit19")->setText(QStringLiteral("3，9"));
        auto dialog = answerNextFileDialog(QString());
        auto error = answerNextMessageBox(QMessageBox::Ok);
        saveCalculationFile(*w_->window);
        QVERIFY(error->seen);
        QCOMPARE(error->text, QStringLiteral("巻き数: '3，9' は浮動小数点数ではありません"));
        QVERIFY(!dialog->seen);
        dialog.reset(); // withdraws the answer
        QVERIFY(QDir(files_->path()).isEmpty());
    }

    // "最近使ったファイル": the files last saved or read, newest first, without repeats; choosing
    // one reads it, and one that has gone since shows its error box and leaves the list.
    void recentFilesListTheFilesLastSavedOrRead() {
        for (const QString& file : recentFiles())
            removeRecentFile(file);
        auto* menu = w_->control<QMenu>("RecentFiles");
        const auto entries = [menu] {
            emit menu->aboutToShow();
            QStringList texts;
            for (const QAction* action : menu->actions())
                texts << (action->isEnabled() ? action->text() : QStringLiteral("(disabled)"));
            return texts;
        };
        QCOMPARE(entries(), QStringList{QStringLiteral("(disabled)")});

        fillHistory(*w_, 1, 2);
        const QString first = fileAt("first.hbd");
        const QString second = fileAt("second.hbd");
        for (const QString& path : {first, second}) {
            auto dialog = answerNextFileDialog(path);
            saveCalculationFile(*w_->window);
            QVERIFY(dialog->seen);
        }
        QCOMPARE(recentFiles(), (QStringList{second, first}));
        auto dialog = answerNextFileDialog(first);
        readCalculationFile(*w_->window);
        QVERIFY(dialog->seen);
        QCOMPARE(recentFiles(), (QStringList{first, second}));
        QCOMPARE(entries(),
                 (QStringList{QStringLiteral("&1 ") + first, QStringLiteral("&2 ") + second}));

        // Choosing an entry reads its file, once the changed slots may be dropped.
        const QByteArray stored = imageOf(w_->state.designs);
        w_->state.designs[1].inUse = 0;
        const auto question = answerNextMessageBox(QMessageBox::Discard);
        menu->actions().at(1)->trigger();
        QVERIFY(question->seen);
        QCOMPARE(imageOf(w_->state.designs), stored);
        QCOMPARE(recentFiles(), (QStringList{second, first}));

        QVERIFY(QFile::remove(second));
        entries();
        auto error = answerNextMessageBox(QMessageBox::Ok);
        menu->actions().at(0)->trigger();
        QVERIFY(error->seen);
        QCOMPARE(error->text, QStringLiteral("ファイル %1 は開けません").arg(second));
        QCOMPARE(recentFiles(), QStringList{first});

        // Eight at the most: the oldest go.
        QStringList added;
        for (int i = 1; i <= 10; ++i) {
            added.prepend(fileAt(qPrintable(QStringLiteral("f%1.hbd").arg(i))));
            addRecentFile(added.constFirst());
        }
        QCOMPARE(recentFiles(), added.mid(0, 8));
        QCOMPARE(entries().size(), 8);
    }

    void failuresKeepTheFileAndTheSlotsAndAreReported() {
        // A folder that does not exist.
        auto missing = answerNextFileDialog(fileAt("no-such-folder/work.hbd"));
        auto error = answerNextMessageBox(QMessageBox::Ok);
        saveCalculationFile(*w_->window);
        QVERIFY(missing->seen);
        QVERIFY(error->seen);
        QVERIFY2(error->text.contains(QStringLiteral("を作成できません")), qPrintable(error->text));

        // A full disk while an existing file is replaced.
        const QString path = fileAt("kept.hbd");
        const QByteArray previous(10416, '\x11');
        QVERIFY(writeBytes(path, previous));
        {
            const FileSizeLimit fullDisk(4096);
            auto dialog = answerNextFileDialog(path);
            const auto boxes = answerMessageBoxesInTurn({QMessageBox::Yes, QMessageBox::Ok});
            saveCalculationFile(*w_->window);
            QVERIFY(dialog->seen);
            QCOMPARE(boxes->size(), std::size_t(2));
            QVERIFY(boxes->at(1)->seen);
            QVERIFY2(boxes->at(1)->text.contains(path), qPrintable(boxes->at(1)->text));
        }
        QCOMPARE(fileBytes(path), previous);
        QCOMPARE(QDir(files_->path()).entryList(QDir::Files), QStringList{"kept.hbd"});

        // A file that cannot be read leaves the slots as they were. (Tests run as root, so
        // permissions cannot make a file unreadable; this process's memory image at offset 0
        // cannot be read.)
        const QByteArray designs = imageOf(w_->state.designs);
        auto unreadable = answerNextFileDialog(QStringLiteral("/proc/self/mem"));
        auto readError = answerNextMessageBox(QMessageBox::Ok);
        readCalculationFile(*w_->window);
        QVERIFY(unreadable->seen);
        QVERIFY(readError->seen);
        QCOMPARE(readError->text, QStringLiteral("ファイル /proc/self/mem は開けません"));
        QCOMPARE(imageOf(w_->state.designs), designs);
    }
};

HSPRING_WINDOW_TEST(CalculationFileMenuTest)
#include "calculation_file_menu_test.moc"
