// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagram/windows/diagram_view.h"
#include "drawing/windows/shape_page.h"
#include "printing/windows/data_sheet_window.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/printed_page.h"
#include "windows_test_registry.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <utility>
#include <vector>

using namespace hspring;
using namespace hspring::test;

namespace {

void chooseSlot(const OpenWindow& w, const QString& text) {
    typeInto(w.control<QSpinBox>("SpinEdit1")->findChild<QLineEdit*>(), text);
}

} // namespace

class MainWindowMenuTest : public QObject {
    Q_OBJECT

private slots:
    // Each menu window is made when first opened and the same one opens again, as it was left.
    void createsEachMenuWindowOnFirstUseAndKeepsIt() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        QVERIFY(w.window->findChildren<QDialog*>(Qt::FindDirectChildrenOnly).isEmpty());
        const std::vector<std::pair<const char*, QString>> menuWindows = {
            {"N7", "data_make"}, {"N8", "keisuu_make"}, {"N5", "prinform"}, {"N7", "data_make"}};
        QMap<QString, QDialog*> firstOpened;
        for (const auto& [item, name] : menuWindows) {
            QDialog* opened = nullptr;
            const auto seen = closeNextDialog([&opened](QDialog& d) { opened = &d; });
            w.triggerMenu(item);
            QVERIFY(*seen);
            QCOMPARE(opened->objectName(), name);
            QCOMPARE(firstOpened.value(name, opened), opened);
            firstOpened.insert(name, opened);
        }
        QCOMPARE(w.window->findChildren<QDialog*>(Qt::FindDirectChildrenOnly).size(), 3);
    }

    void theSheetShowsTheCurrentDesign() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        QString freeLength;
        const auto seen = closeNextDialog([&freeLength](QDialog& sheet) {
            freeLength =
                QString::fromStdString(qobject_cast<DataSheetWindow*>(&sheet)->texts().labels[2]);
        });
        w.triggerMenu("N5");
        QVERIFY(*seen);
        QCOMPARE(freeLength, QStringLiteral("自由長= 39mm"));
    }

    // "PDFに保存" writes the data sheet of slot 0 without opening the sheet window; "画面印刷"
    // with no printer installed offers a PDF file of the window.
    void theSheetAndTheWindowGoIntoPdfFiles() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        QTemporaryDir out;
        const auto sheetDialog = acceptNextFileDialogIn(out.path());
        w.triggerMenu("SheetPdf");
        QVERIFY(sheetDialog->seen);
        QCOMPARE(sheetDialog->title, QStringLiteral("PDFに保存"));
        // The file is proposed under the design's name and titled with it, not with a form name.
        QCOMPARE(sheetDialog->text, out.filePath(QStringLiteral("SW-B_d1_D10_N20.pdf")));
        QCOMPARE(pdfTitle(sheetDialog->text), QStringLiteral("要目表 SW-B d1×D10×N20"));
        const QString sheet = pdfText(sheetDialog->text);
        QVERIFY2(sheet.contains(QStringLiteral("SW-B")) && sheet.contains(QStringLiteral("39mm")) &&
                     sheet.contains(QStringLiteral("最大引っ張り長さ")),
                 qPrintable(sheet));

        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("this desktop has a printer");
        const QString windowPdf = out.filePath(QStringLiteral("window.pdf"));
        const auto windowDialog = answerNextFileDialog(windowPdf);
        w.triggerMenu("N1");
        QVERIFY(windowDialog->seen);
        const QString window = pdfText(windowPdf);
        QVERIFY2(window.contains(QStringLiteral("諸元入力")) &&
                     window.contains(QStringLiteral("Calculation Success!")),
                 qPrintable(window));
    }

    void copiesTheHistoryAndTheDiagram() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        chooseSlot(w, QStringLiteral("2"));
        w.clickButton("SpeedButton5");
        w.triggerMenu("N2");
        const QStringList lines = QGuiApplication::clipboard()->text().split("\r\n");
        QCOMPARE(lines.size(), 33); // 32 rows, each ending in CR LF
        QVERIFY(lines[0].startsWith(QStringLiteral("項目\t材質\t線径\tｺｲﾙ径")));
        QVERIFY(lines[3].startsWith(QStringLiteral("2\tSW-B\t1\t10\t20\t39\t")));
        QCOMPARE(lines[4], QStringLiteral("3") + QString(14, '\t'));

        w.triggerMenu("N4");
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                 w.control<DiagramView>("Image1")->image().convertToFormat(QImage::Format_RGB32));
    }

    void aRecalledDesignAboveTheDiagramLeavesItsNoticesUntilTheNextCalculation() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        OpenWindow w(folder);
        w.clickButton("BitBtn2");
        SpringDesign& stored = w.state.designs[4];
        stored = w.state.current();
        // A recalled slot is evaluated from its inputs, as calculated: stretched far enough its
        // stress is above half the tensile strength and neither marker fits the diagram.
        const QString lengthBefore = w.text("Edit5");
        stored.length2 = 300;
        chooseSlot(w, QStringLiteral("4"));
        w.clickButton("SpeedButton6");
        const QStringList recalled = w.statusLines();
        QCOMPARE(recalled.count(QStringLiteral("グラフエリアオーバー")), 2);
        QVERIFY(recalled.contains(QStringLiteral("エラー:ねじり応力オーバー")));
        QCOMPARE(w.text("Edit10"), QStringLiteral("1万以下"));
        // The notices go with the design: a length inside the diagram, calculated, has none.
        w.edit("Edit5")->setText(lengthBefore);
        w.clickButton("BitBtn2");
        QCOMPARE(w.statusLines().count(QStringLiteral("グラフエリアオーバー")), 0);
    }

    void calculateDrawsTheFreeSpringAndTheStateButtonRecalculates() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const auto* page = w.control<ShapePage>("TabSheet2");
        const QImage blank = page->image();
        w.clickButton("BitBtn2");
        QVERIFY(page->image() != blank);
        QCOMPARE(w.text("Label12"), QStringLiteral("フリー"));

        typeInto(w.edit("Edit19"), QStringLiteral("25"));
        w.clickButton("changb");
        QCOMPARE(w.text("Label12"), QStringLiteral("荷重１"));
        QCOMPARE(w.state.current().totalTurns, 25.0);
        QCOMPARE(w.text("Edit8"), QStringLiteral("0.04002"));
        w.clickButton("BitBtn2");
        QCOMPARE(w.text("Label12"), QStringLiteral("フリー"));

        // A hook field that is no number stops the calculation in the input reading.
        typeInto(w.edit("Edit12"), QStringLiteral("x"));
        const auto error = answerNextMessageBox(QMessageBox::Ok);
        w.clickButton("BitBtn2");
        QVERIFY(error->seen);
        QCOMPARE(error->text, QStringLiteral("フック角度: 'x' は浮動小数点数ではありません"));
    }

    void savesTheCalculationFileFromTheMenu() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const QString path = folder.file(QStringLiteral("saved.hbd"));
        const auto dialog = answerNextFileDialog(path);
        w.triggerMenu("N3");
        QVERIFY(dialog->seen);
        QCOMPARE(QFile(path).size(), 10416);
    }
};

HSPRING_WINDOW_TEST(MainWindowMenuTest)
#include "main_window_menu_test.moc"
