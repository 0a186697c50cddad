// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the calculation file, the DXF file, the material library and the settings into a
// write-protected folder, onto a full file system and into a folder that is not there: each save
// shows its error, leaves the previous file byte for byte and leaves nothing behind.

#include "base/file_io.h"
#include "data/default_data.h"
#include "mounts.h"
#include "tests/support/file_bytes.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/modal_dialogs.h"
#include "window_steps.h"
#include "windows_test_registry.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <optional>

using namespace hspring;
using namespace hspring::test;

namespace {

// One of the four files the program writes, saved through its own window.
struct Save {
    QString fileName;
    // Runs the save into `folder`; returns the texts of the boxes it showed.
    std::function<QStringList(const OpenWindow&, const QString& folder)> run;
};

// A save that asks for the file in a save dialog, started from the main menu.
QStringList saveFromMenu(const OpenWindow& w, const char* item, const QString& path) {
    const MessageBoxWatch boxes;
    const auto dialog = answerNextFileDialog(path);
    w.triggerMenu(item);
    return boxes.texts();
}

// A save started by a button of an editor window opened from the main menu.
QStringList saveFromEditor(const OpenWindow& w, const char* menuItem, const char* button,
                           const QString& path) {
    const MessageBoxWatch boxes;
    const auto editor = closeNextDialog([&](QDialog& dialog) {
        const auto chosen = answerNextFileDialog(path);
        QTest::mouseClick(dialog.findChild<QAbstractButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    });
    w.triggerMenu(menuItem);
    QStringList texts = boxes.texts();
    if (!*editor)
        texts << QStringLiteral("(the editor did not open)");
    return texts;
}

// The settings file has its fixed place in the data folder: `folder` is that folder.
const QString kSettingsName = QString::fromLatin1(kSettingsFileName);

std::vector<Save> theFourSaves() {
    const auto in = [](const QString& folder, const QString& name) {
        return QDir(folder).filePath(name);
    };
    return {
        {QStringLiteral("work.hbd"),
         [in](const OpenWindow& w, const QString& folder) {
             return saveFromMenu(w, "N3", in(folder, QStringLiteral("work.hbd")));
         }},
        {QStringLiteral("spring.dxf"),
         [in](const OpenWindow& w, const QString& folder) {
             return saveFromMenu(w, "dxf1", in(folder, QStringLiteral("spring.dxf")));
         }},
        {QStringLiteral("library.dst"),
         [in](const OpenWindow& w, const QString& folder) {
             return saveFromEditor(w, "N7", "BitBtn2", in(folder, QStringLiteral("library.dst")));
         }},
        {kSettingsName,
         [](const OpenWindow& w, const QString&) {
             return saveFromEditor(w, "N8", "BitBtn1", QString());
         }},
    };
}

// Distinct old contents, so that a file replaced by anything shows. The settings file is read
// at the start, so its old contents are the shipped coefficients with marked bytes around them.
QByteArray previousContents(const QString& name) {
    if (name == kSettingsName) {
        SettingsRecord settings = builtInSettings();
        std::fill(std::begin(settings.trailing), std::end(settings.trailing), std::uint8_t{0xA5});
        return imageOf(settings);
    }
    return QByteArray("previous ") + name.toUtf8() + QByteArray(3000, '\xA5');
}

// The one error box of a failed save names the file; a replace question may come before it,
// the editor's restart note (shown after a save that worked) may not.
void expectCreateError(const QStringList& texts, const QString& path) {
    const QStringList errors = texts.filter(QStringLiteral("を作成できません"));
    QVERIFY2(errors.size() == 1, qPrintable(texts.join('\n')));
    QVERIFY2(errors.front().contains(path), qPrintable(errors.front()));
    QVERIFY2(texts.filter(QStringLiteral("ソフトを一度終了")).isEmpty(),
             qPrintable(texts.join('\n')));
}

enum class Fault { ReadOnly, Full };

} // namespace

class DiskFaultsWindowTest : public QObject {
    Q_OBJECT

private slots:
    void savesIntoAWriteProtectedFolderKeepThePreviousFiles() { savesInto(Fault::ReadOnly); }
    void savesOntoAFullFileSystemKeepThePreviousFiles() { savesInto(Fault::Full); }

    // The data folder is moved away after the start, so the settings file has no folder either.
    void savesIntoAMissingFolderCreateNothing() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        const QByteArray settingsBefore = fileBytes(folder.file(kSettingsName));
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        const QString missing = folder.file(QStringLiteral("no-such-folder"));
        const QString moved = folder.path() + QStringLiteral("-moved");
        for (const Save& save : theFourSaves()) {
            const bool settings = save.fileName == kSettingsName;
            if (settings)
                QVERIFY(QDir().rename(folder.path(), moved));
            const QStringList texts = save.run(w, missing);
            expectCreateError(texts, settings ? folder.file(kSettingsName)
                                              : QDir(missing).filePath(save.fileName));
            QVERIFY(!QFileInfo::exists(missing));
            if (settings) {
                QVERIFY(!QFileInfo::exists(folder.path()));
                QVERIFY(QDir().rename(moved, folder.path()));
                QCOMPARE(fileBytes(folder.file(kSettingsName)), settingsBefore);
            }
        }
    }

private:
    // On a small tmpfs where mounting is allowed; otherwise the full disk is a file-size limit
    // of this process and the protected folder loses its write permission.
    void savesInto(Fault fault) {
        const QString noMountReason = mountingUnavailableReason();
        const bool mounting = noMountReason.isEmpty();
        if (!mounting)
            qInfo("no tmpfs here (%s): the faults are made without mounting",
                  qPrintable(noMountReason));
        const DataFolder folder(std::nullopt, std::nullopt);
        std::optional<SmallTmpfs> disk;
        if (mounting) {
            disk.emplace(folder.path(), 256 * 1024);
            QVERIFY(disk->mounted());
        }
        // The program's data files and the previous version of every file it will save.
        writeTableImage(folder.file(QStringLiteral("zaidat.dst")).toStdString(),
                        builtInMaterialLibrary());
        const std::vector<Save> saves = theFourSaves();
        for (const Save& save : saves)
            QVERIFY(writeBytes(folder.file(save.fileName), previousContents(save.fileName)));

        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        std::optional<FileSizeLimit> sizeLimit;
        std::optional<WriteProtectedFolder> protection;
        if (mounting) {
            QVERIFY(fault == Fault::Full ? disk->fill() : disk->makeReadOnly());
        } else if (fault == Fault::Full) {
            sizeLimit.emplace(0);
        } else {
            protection.emplace(folder.path());
            QVERIFY(protection->protectedNow());
        }
        const QStringList namesBefore = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);

        for (const Save& save : saves) {
            const QString path = folder.file(save.fileName);
            expectCreateError(save.run(w, folder.path()), path);
            QCOMPARE(fileBytes(path), previousContents(save.fileName));
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), namesBefore);
    }
};

HSPRING_WINDOW_TEST(DiskFaultsWindowTest)
#include "disk_faults_window_test.moc"
