// SPDX-License-Identifier: GPL-3.0-or-later
// What belongs to the design beside its slots (its tolerance grade, the sheet's rate tolerance)
// travels with the calculation file; 新規 asks before it drops unsaved work; the U hook page
// recommends and refuses by the U hook's own geometry.
#include "app/windows/calculation_document.h"
#include "app/windows/calculation_file_menu.h"
#include "base/number_format.h"
#include "calc/spring_design.h"
#include "printing/windows/jis_sheet_window.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/printed_page.h"
#include "windows_test_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstring>
#include <functional>

using namespace hspring;
using namespace hspring::test;

namespace {

// The grade the window judges by: its list on the chart page and its evaluation.
int shownGrade(const OpenWindow& w) {
    const int listed = w.list("toleranceGradeList")->currentIndex();
    const DesignResult* evaluation = w.window->shownEvaluation();
    return evaluation && evaluation->tolerances.grade == listed ? listed : -1;
}

// Opens the JIS sheet's window, lets `inside` look and type, and closes it.
void throughJisSheet(const OpenWindow& w, const std::function<void(JisSheetWindow&)>& inside) {
    const auto closed =
        closeNextDialog([&](QDialog& dialog) { inside(dynamic_cast<JisSheetWindow&>(dialog)); });
    w.triggerMenu("JisSheet");
    QVERIFY(*closed);
}

} // namespace

class DesignDocumentTest : public QObject {
    Q_OBJECT

private slots:
    // Grade 1 chosen on the chart page is the sheet's grade; the sheet's window changes it and
    // ticks the rate tolerance; both are saved beside the file and come back with it, in this
    // window after 新規 and in another one. A changed grade is unsaved work that 新規 asks about.
    void theGradeBelongsToTheDesign() {
        const DataFolder data(referenceLibrary(), referenceSettings());
        const OpenWindow w(data);
        QTemporaryDir folder;
        const QString hbd = folder.filePath(QStringLiteral("grade.hbd"));
        const std::string hbdPath = QFile::encodeName(hbd).toStdString();
        w.clickButton("BitBtn2");
        copyDesignSlot(w.state.designs, 0, kFirstHistorySlot);
        w.window->refreshHistoryRow(kFirstHistorySlot);
        QCOMPARE(shownGrade(w), 2);
        pickInList(w.list("toleranceGradeList"), 1);
        QCOMPARE(shownGrade(w), 1);
        CalculationDocument& document = CalculationDocument::of(*w.window);
        QCOMPARE(document.toleranceGrade(), 1);

        const QString pdf = folder.filePath(QStringLiteral("sheet.pdf"));
        throughJisSheet(w, [&](JisSheetWindow& sheet) {
            auto* grade = sheet.findChild<QComboBox*>(QStringLiteral("toleranceGrade"));
            QCOMPARE(grade->currentIndex(), 1);
            QCOMPARE(sheet.subject().toleranceGrade, 1);
            sheet.writePdf(pdf);
            QVERIFY(!sheet.findChild<QCheckBox*>(QStringLiteral("rateTolerance"))->isChecked());
        });
        const PdfContents contents = inspectPdf(pdf);
        QVERIFY2(contents.error.isEmpty(), qPrintable(contents.error));
        QVERIFY2(contents.text.contains(QStringLiteral("1級")), qPrintable(contents.text));
        QVERIFY(!contents.text.contains(QStringLiteral("2級")));

        auto saved = answerNextFileDialog(hbd);
        saveCalculationFile(*w.window);
        QVERIFY(saved->seen);
        QCOMPARE(readTitleBlock(hbdPath).toleranceGrade, 1);
        QVERIFY(!readTitleBlock(hbdPath).rateTolerance);

        // Chosen in the sheet's window, the grade is the chart page's too and is kept at once.
        throughJisSheet(w, [](JisSheetWindow& sheet) {
            sheet.findChild<QComboBox*>(QStringLiteral("toleranceGrade"))->setCurrentIndex(3);
            sheet.findChild<QCheckBox*>(QStringLiteral("rateTolerance"))->setChecked(true);
        });
        QCOMPARE(shownGrade(w), 3);
        QCOMPARE(readTitleBlock(hbdPath).toleranceGrade, 3);
        QVERIFY(readTitleBlock(hbdPath).rateTolerance);
        document.refreshTitle();
        QVERIFY(!w.window->isWindowModified());

        // A grade chosen on the chart page waits for 保存, as slots do: 新規 asks about it.
        pickInList(w.list("toleranceGradeList"), 2);
        QVERIFY(w.window->isWindowModified());
        const SpringDesign before = w.state.current();
        auto cancel = answerNextMessageBox(QMessageBox::Cancel);
        w.triggerMenu("newFileItem");
        QVERIFY(cancel->seen);
        QCOMPARE(cancel->text,
                 QStringLiteral("計算結果の変更が保存されていません。保存しますか？"));
        QCOMPARE(document.path(), QFileInfo(hbd).absoluteFilePath());
        QCOMPARE(shownGrade(w), 2);
        auto discard = answerNextMessageBox(QMessageBox::Discard);
        w.triggerMenu("newFileItem");
        QVERIFY(discard->seen);
        QVERIFY(document.path().isEmpty());
        QCOMPARE(w.window->windowTitle(), mainWindowTitle(QString()));
        QCOMPARE(w.list("toleranceGradeList")->currentIndex(), 2);
        QVERIFY(document.titleBlock().empty());
        QVERIFY(!document.hasUnsavedChanges());
        for (int slot = kFirstHistorySlot; slot <= kLastHistorySlot; ++slot)
            QCOMPARE(w.state.designs[slot].inUse, 0);
        QCOMPARE(readTitleBlock(hbdPath).toleranceGrade, 3); // discarded, not written

        // Nothing to lose now: 新規 asks nothing.
        {
            const MessageBoxWatch boxes;
            w.triggerMenu("newFileItem");
            QVERIFY(boxes.texts().isEmpty());
        }

        QVERIFY(readCalculationFile(*w.window, hbdPath));
        QCOMPARE(shownGrade(w), 3);
        QCOMPARE(std::memcmp(&before, &w.state.current(), sizeof before), 0);
        QCOMPARE(w.state.designs[kFirstHistorySlot].inUse, 1);
        throughJisSheet(w, [](JisSheetWindow& sheet) {
            QCOMPARE(sheet.subject().toleranceGrade, 3);
            QVERIFY(sheet.findChild<QCheckBox*>(QStringLiteral("rateTolerance"))->isChecked());
        });
        const OpenWindow other(data);
        QVERIFY(readCalculationFile(*other.window, hbdPath));
        QCOMPARE(shownGrade(other), 3);
    }

    // On the U hook page the recommended free length is the U hooks' (N + 1)·d + 2·hookLength,
    // also where a refresh (CheckBox1 clicked) writes it into the field under CheckBox2; a U hook
    // too short for its coil is calculated and warned of, never drawn.
    void aUHookTakesItsOwnFreeLengthAndMustFit() {
        const DataFolder data(referenceLibrary(), referenceSettings());
        const OpenWindow w(data);
        w.control<QTabWidget>("PageControl2")->setCurrentIndex(1);
        typeInto(w.edit("Edit14"), QStringLiteral("12"));
        QVERIFY(w.control<QCheckBox>("CheckBox2")->isChecked());
        auto* autoTension = w.control<QCheckBox>("CheckBox1");
        autoTension->click();
        autoTension->click();
        const SpringDesign& design = w.state.current();
        const double uHooks = (design.totalTurns + 1) * design.wireDiameter + 2 * 12.0;
        const double roundHooks =
            (design.totalTurns + 1) * design.wireDiameter + 2 * design.innerDiameter;
        QVERIFY(std::abs(uHooks - roundHooks) > 1);
        QCOMPARE(w.text("Edit1"), QString::fromStdString(formatF4(uHooks)));
        QCOMPARE(w.text("Label36"), QStringLiteral("自由長さ=") +
                                        QString::fromStdString(formatF4(uHooks)) +
                                        QStringLiteral("mm"));
        w.control<QTabWidget>("PageControl2")->setCurrentIndex(0);
        autoTension->click();
        autoTension->click();
        QCOMPARE(w.text("Edit1"), QString::fromStdString(formatF4(roundHooks)));

        // A hook shorter than half the coil leaves no leg: the coil is still calculated, the
        // checks say the hook cannot be formed, and no shape is drawn of it.
        w.control<QTabWidget>("PageControl2")->setCurrentIndex(1);
        typeInto(w.edit("Edit14"), QString::fromStdString(formatF4(design.meanDiameter / 4)));
        const MessageBoxWatch boxes;
        w.clickButton("BitBtn2");
        QCOMPARE(boxes.texts(), QStringList());
        const QStringList status = w.statusLines();
        QVERIFY2(status.contains(QStringLiteral("警告:Uフックの寸法が成形できない")),
                 qPrintable(status.join('\n')));
        QVERIFY2(status.contains(QStringLiteral("Uフックの寸法が合わないため形状を描けません")),
                 qPrintable(status.join('\n')));
    }
};

HSPRING_WINDOW_TEST(DesignDocumentTest)
#include "design_document_test.moc"
