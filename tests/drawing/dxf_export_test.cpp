// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "drawing/dxf_file.h"
#include "drawing/windows/dxf_export.h"
#include "drawing/windows/shape_page.h"
#include "tests/support/example_design.h"
#include "tests/support/file_bytes.h"
#include "tests/support/modal_dialogs.h"
#include "toolkit/windows/error_text.h"
#include "windows_test_registry.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using hspring::ShapePage;
using hspring::test::asBytes;
using hspring::test::fileBytes;

namespace {

// The example spring with a hook angle in the record other than the field's: the fields, not
// the record, give the hooks.
hspring::SpringDesign exampleDesign() {
    hspring::SpringDesign design = hspring::test::exampleDesign();
    design.hookAngle = 60;
    return design;
}

QString errorMessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const hspring::Error& error) {
        return hspring::errorText(error);
    }
    return {};
}

// Watches for save dialogs while it lives: lets `inspect` look at each one, then cancels it.
class SaveDialogWatch {
public:
    explicit SaveDialogWatch(std::function<void(QFileDialog&)> inspect = {}) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this, inspect] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                ++opened;
                if (inspect)
                    inspect(*dialog);
                dialog->reject();
            }
        });
        timer_.start();
    }
    int opened = 0;

private:
    QTimer timer_;
};

} // namespace

class DxfExportTest : public QObject {
    Q_OBJECT

private slots:
    void writesTheRoundHookFileWithTheAngleOfTheField() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("spring.dxf"));
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        page.hookAngleField()->setText(QStringLiteral("75"));
        const auto dialog = hspring::test::answerNextFileDialog(path);
        hspring::exportDxf(&page, design, page);
        QVERIFY(dialog->seen);
        QVERIFY(dialog->text.contains(QStringLiteral("*.dxf")));
        QCOMPARE(fileBytes(path), asBytes(hspring::roundHookDxf({1, 10, 20}, 75)));
    }

    void writesTheUHookFileWhenItsPageIsShown() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("u.dxf"));
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        page.findChild<QTabWidget*>(QStringLiteral("PageControl2"))->setCurrentIndex(1);
        page.hookOpeningField()->setText(QStringLiteral("4"));
        const auto saveDialog = hspring::test::answerNextFileDialog(path);
        hspring::exportDxf(&page, design, page);
        QVERIFY(saveDialog->seen);
        QCOMPARE(fileBytes(path), asBytes(hspring::uHookDxf({1, 10, 20}, {10, 4, 2})));
    }

    void proposesSspring1InTheSaveDialog() {
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        QString proposed;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QStringList filters;
        const SaveDialogWatch watch([&](QFileDialog& dialog) {
            proposed = QFileInfo(dialog.selectedFiles().value(0)).fileName();
            mode = dialog.acceptMode();
            filters = dialog.nameFilters();
        });
        hspring::exportDxf(&page, design, page);
        QCOMPARE(watch.opened, 1);
        QCOMPARE(proposed, QStringLiteral("sspring1.dxf"));
        QCOMPARE(mode, QFileDialog::AcceptSave);
        QCOMPARE(filters, QStringList{QStringLiteral("dxf (*.dxf)")});
    }

    void replacesAnExistingFileOnceConfirmed() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sspring1.dxf"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        const auto saveDialog = hspring::test::answerNextFileDialog(path);
        const auto confirmation = hspring::test::answerNextMessageBox(QMessageBox::Yes);
        hspring::exportDxf(&page, design, page);
        QVERIFY(saveDialog->seen);
        QVERIFY(confirmation->seen);
        QCOMPARE(fileBytes(path), asBytes(hspring::roundHookDxf({1, 10, 20}, 80)));
    }

    void cancelWritesNothing() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sspring1.dxf"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        const auto dialog = hspring::test::answerNextFileDialog(QString());
        hspring::exportDxf(&page, design, page);
        QVERIFY(dialog->seen);
        QCOMPARE(fileBytes(path), QByteArray("old"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("sspring1.dxf")});
    }

    void badHookFieldStopsBeforeTheDialog() {
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        page.hookAngleField()->setText(QString());
        const SaveDialogWatch watch;
        QCOMPARE(errorMessageOf([&] { hspring::exportDxf(&page, design, page); }),
                 QStringLiteral("フック角度: '' は浮動小数点数ではありません"));
        QCOMPARE(watch.opened, 0);

        // So does a design whose geometry cannot be computed.
        hspring::SpringDesign flat = design;
        flat.meanDiameter = 0;
        page.hookAngleField()->setText(QStringLiteral("80"));
        QCOMPARE(errorMessageOf([&] { hspring::exportDxf(&page, flat, page); }),
                 QStringLiteral("0 による浮動小数点数除算"));
        QCOMPARE(watch.opened, 0);
    }

    void failedWriteIsReported() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("missing/sspring1.dxf"));
        const hspring::SpringDesign design = exampleDesign();
        ShapePage page(design);
        const auto saveDialog = hspring::test::answerNextFileDialog(path);
        const QString message = errorMessageOf([&] { hspring::exportDxf(&page, design, page); });
        QVERIFY(saveDialog->seen);
        QVERIFY2(message.startsWith(QStringLiteral("ファイル ") + path +
                                    QStringLiteral(" を作成できません")),
                 qPrintable(message));
        QVERIFY(!QFile::exists(path));
    }
};

HSPRING_WINDOW_TEST(DxfExportTest)
#include "dxf_export_test.moc"
