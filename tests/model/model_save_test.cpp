// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/design_caption.h"
#include "data/calculation_file.h"
#include "diagram/windows/diagram_view.h"
#include "drawing/windows/shape_page.h"
#include "model/windows/model_save.h"
#include "tests/support/built_program.h"
#include "tests/support/example_design.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using hspring::ModelSubject;

namespace {

// The example spring (d = 1, D = 10, N = 20) free at 39 mm, with the hooks given.
ModelSubject subjectWith(hspring::HookType hookType, double hookLength) {
    ModelSubject subject;
    subject.design = hspring::test::exampleDesign();
    subject.design.freeLength = 39;
    subject.design.hookAngle = 80;
    subject.design.hookLength = hookLength;
    subject.design.hookOpening = 2;
    subject.design.hookMinRadius = 1.5;
    subject.hookType = hookType;
    subject.productName = "SW-A d1xD10xN20";
    subject.proposedStem = QStringLiteral("spring");
    return subject;
}

QAction* modelItem(hspring::ShapePage& page) {
    return page.findChild<QAction*>(QStringLiteral("saveModel"));
}

} // namespace

class ModelSaveTest : public QObject {
    Q_OBJECT

private slots:
    // The item of the spring view's menu saves the design it is given, in the file type the
    // name asks for; a U hook that cannot be formed says so and writes nothing.
    void savesTheSpringOrSaysWhyItCannot() {
        QTemporaryDir folder;
        const hspring::SpringDesign design = hspring::test::exampleDesign();
        hspring::ShapePage page(design);
        ModelSubject subject = subjectWith(hspring::HookType::Round, 0);
        hspring::addModelSaveItem(page, [&subject] { return subject; });
        QAction* item = modelItem(page);
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("3Dモデルを保存…"));

        const QString stl = folder.filePath(QStringLiteral("spring.stl"));
        const auto dialog = hspring::test::answerNextFileDialog(stl);
        item->trigger();
        QVERIFY(dialog->seen);
        QFile written(stl);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.startsWith("hspring 3D model: SW-A d1xD10xN20"));
        const quint32 triangles = *reinterpret_cast<const quint32*>(bytes.constData() + 80);
        QCOMPARE(bytes.size(), 84 + 50 * qsizetype(triangles));

        subject = subjectWith(hspring::HookType::U, 4); // shorter than its U
        const QString refused = folder.filePath(QStringLiteral("refused.stl"));
        const auto again = hspring::test::answerNextFileDialog(refused);
        hspring::test::MessageBoxWatch boxes;
        item->trigger();
        QTRY_COMPARE(boxes.texts().size(), 1);
        QVERIFY(boxes.texts().constFirst().contains(QStringLiteral("Uフックの寸法が合わない")));
        QVERIFY(!QFile::exists(refused));
    }

    // After 計算 what the main window saves names the design it shows: the spring view's STEP
    // file holds one solid, named after the design, the same the tool writes of that design; the
    // fatigue diagram, saved, carries the design in its caption and proposes a name from it.
    void theMainWindowSavesItsDesign() {
        using namespace hspring::test;
        using hspring::test::ProgramRun;
        const DataFolder data(referenceLibrary(), referenceSettings());
        const OpenWindow w(data);
        w.clickButton("BitBtn2");
        const hspring::SpringDesign design = w.state.current();
        const QString caption =
            QString::fromStdString(hspring::designCaption(design, w.state.materials));
        const QString stem =
            QString::fromStdString(hspring::designFileStem(design, w.state.materials));

        QTemporaryDir folder;
        const QString step = folder.filePath(QStringLiteral("spring.step"));
        if (!QFile::exists(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/hspring-model-writer.so"))) {
            // A build without the STEP writer (the sanitizer build): the save says why and
            // writes nothing.
            const auto dialog = answerNextFileDialog(step);
            const MessageBoxWatch boxes;
            modelItem(*w.control<hspring::ShapePage>("TabSheet2"))->trigger();
            QTRY_COMPARE(boxes.texts().size(), 1);
            QVERIFY(!QFile::exists(step));
        } else {
            const auto dialog = answerNextFileDialog(step);
            modelItem(*w.control<hspring::ShapePage>("TabSheet2"))->trigger();
            QVERIFY(dialog->seen);
            QFile written(step);
            QVERIFY2(written.open(QIODevice::ReadOnly), qPrintable(w.statusLines().join('\n')));
            const QString text = QString::fromUtf8(written.readAll());
            QVERIFY(text.startsWith(QStringLiteral("ISO-10303-21;")));
            QCOMPARE(text.count(QStringLiteral("MANIFOLD_SOLID_BREP(")), 1);
            // STEP writes a character beyond ASCII as its code: × is \X2\00D7\X0\.
            QString stepCaption = caption;
            stepCaption.replace(QStringLiteral("×"), QStringLiteral("\\X2\\00D7\\X0\\"));
            QVERIFY2(text.contains(QStringLiteral("PRODUCT('") + stepCaption),
                     qPrintable(stepCaption));
            // The same solid as the tool writes of the design from its calculation file, which the
            // model's tests read back with OpenCASCADE: the data after the header (its time) agree.
            const QString hbd = folder.filePath(QStringLiteral("spring.hbd"));
            hspring::saveDesignSlots(QFile::encodeName(hbd).toStdString(), w.state.designs);
            const ProgramRun tool = runBuiltProgram(
                QStringLiteral("hspring-cli"),
                {QStringLiteral("model"), QStringLiteral("--hbd"), hbd,
                 QStringLiteral("--materials"), data.file(QStringLiteral("zaidat.dst")),
                 QStringLiteral("-o"), QStringLiteral("-")});
            QVERIFY2(tool.exitCode == 0, tool.err.constData());
            const auto dataSection = [](const QString& file) {
                return file.mid(file.indexOf(QStringLiteral("\nDATA;")));
            };
            QVERIFY(text.contains(QStringLiteral("\nDATA;")));
            QVERIFY(dataSection(text) == dataSection(tool.output()));
        }

        // The dimensioned drawing and, with no printer, the screen print are proposed under the
        // design's name in the folder last used.
        const auto dimensioned = acceptNextFileDialogIn(folder.path());
        w.control<hspring::ShapePage>("TabSheet2")
            ->findChild<QAction*>(QStringLiteral("saveDimensionedDxf"))
            ->trigger();
        QVERIFY(dimensioned->seen);
        QCOMPARE(QFileInfo(dimensioned->text).fileName(),
                 QString::fromStdString(hspring::designFileStem(design, {})) +
                     QStringLiteral("_dim.dxf"));
        QVERIFY(QFile::exists(dimensioned->text));
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            const auto screen = acceptNextFileDialogIn(folder.path());
            w.triggerMenu("N1");
            QVERIFY(screen->seen);
            QCOMPARE(QFileInfo(screen->text).fileName(), stem + QStringLiteral("_screen.pdf"));
        }

        auto* diagram = w.control<hspring::DiagramView>("Image1");
        QVERIFY(diagram->caption().endsWith(caption));
        QCOMPARE(diagram->fileName(), stem + QStringLiteral("_diagram"));
        const QString svg = folder.filePath(QStringLiteral("diagram.svg"));
        diagram->savePicture(QFile::encodeName(svg).toStdString());
        QFile picture(svg);
        QVERIFY(picture.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(picture.readAll()).contains(QStringLiteral(">") + caption));
    }
};

HSPRING_WINDOW_TEST(ModelSaveTest)
#include "model_save_test.moc"
