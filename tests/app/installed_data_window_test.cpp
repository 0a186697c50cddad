// SPDX-License-Identifier: GPL-3.0-or-later
// The program installed for every user: the defaults come from the shared folder, and the files
// the user changes go to the user's own data folder, from where the next start reads them.

#include "data/data_locations.h"
#include "data/windows/coefficient_editor.h"
#include "data/windows/material_editor.h"
#include "startup/program_start.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>

using namespace hspring;
using namespace hspring::test;

namespace {

std::filesystem::path local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class InstalledDataWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString bin_, share_, user_;

    // A start of the program as main() makes it; fails instead of waiting on a notice box.
    std::unique_ptr<MainWindow> start(ProgramStart& started) {
        const DataLocations locations =
            locateDataFiles(local(bin_), installedShareFolder(local(bin_)), local(user_));
        started = startProgram(DataFiles::from(locations), MissingDataFile::UseBuiltIn);
        for (const StartupNotice& notice : started.notices)
            qWarning("notice at start: %s: %s", notice.file.c_str(), notice.cause.what());
        if (!started.notices.empty())
            return nullptr;
        const auto box = answerNextMessageBox(QMessageBox::Ok);
        auto window = std::make_unique<MainWindow>(*started.state, locations);
        if (box->seen)
            qWarning("box at start: %s", qPrintable(box->text));
        return box->seen ? nullptr : std::move(window);
    }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        bin_ = root_.filePath(QStringLiteral("usr/bin"));
        share_ = root_.filePath(QStringLiteral("usr/share/hspring"));
        user_ = root_.filePath(QStringLiteral("home/.local/share/hspring"));
        QVERIFY(QDir().mkpath(bin_) && QDir().mkpath(share_));
        saveMaterialLibrary(local(share_ + "/zaidat.dst"), referenceLibrary());
        saveSettings(local(share_ + "/" + kSettingsFileName), referenceSettings());
    }

    void changesGoToTheUserFolderAndWinAtTheNextStart() {
        const QByteArray shippedSettings = fileBytes(share_ + "/" + kSettingsFileName);
        {
            ProgramStart started;
            const auto window = start(started);
            QVERIFY(window);
            const ProgramState& state = *started.state;
            QCOMPARE(state.settings.coefficients.hookStressFactor, 1.25);
            QCOMPARE(window->dataFolder(), share_);

            // The user's folder is made at the start, and the material editor's save dialog
            // starts at the user's copy there; cancelling it writes nothing.
            MaterialEditorDialog* materials = &window->materialEditor();
            QString proposedFolder, proposedName;
            const auto seen = closeNextDialog([&](QDialog& dialog) {
                auto& files = static_cast<QFileDialog&>(dialog);
                proposedFolder = files.directory().path();
                proposedName = files.findChild<QLineEdit*>("fileNameEdit")->text();
            });
            materials->findChild<QPushButton*>("BitBtn2")->click();
            QVERIFY(*seen);
            QCOMPARE(proposedFolder, user_);
            QCOMPARE(proposedName, QStringLiteral("zaidat.dst"));
            QVERIFY(QDir(user_).isEmpty());

            CoefficientEditorDialog* coefficients = &window->coefficientEditor();
            coefficients->findChild<QLineEdit*>("Edit3")->setText(QStringLiteral("1.4"));
            coefficients->saveCoefficients();
        }
        QCOMPARE(fileBytes(share_ + "/" + kSettingsFileName), shippedSettings);
        QCOMPARE(fileBytes(user_ + "/" + kSettingsFileName).size(), qsizetype(736));

        ProgramStart started;
        const auto window = start(started);
        QVERIFY(window);
        const ProgramState& state = *started.state;
        QCOMPARE(state.settings.coefficients.hookStressFactor, 1.4);
        QCOMPARE(state.settings.coefficients.compressionToMaterialRatio, 80.0);
        QCOMPARE(state.materials[1].diameterCount, 4); // still the shipped library
    }
};

HSPRING_WINDOW_TEST(InstalledDataWindowTest)
#include "installed_data_window_test.moc"
