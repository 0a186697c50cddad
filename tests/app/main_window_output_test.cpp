// SPDX-License-Identifier: GPL-3.0-or-later
// What leaves the main window describes the design it shows, and what it shows is judged: one
// scenario per fault a designer met (a sheet after typing without 計算, ▼ after reading a file,
// the detail page at start, a negative initial tension, a hook angle that cannot be drawn).

#include "app/detail_page_text.h"
#include "app/windows/calculation_file_menu.h"
#include "app/windows/detail_page.h"
#include "base/shift_jis.h"
#include "data/calculation_file.h"
#include "printing/windows/data_sheet_window.h"
#include "printing/windows/jis_sheet_window.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/printed_page.h"
#include "windows_test_registry.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <cmath>

using namespace hspring;
using namespace hspring::test;

namespace {

QString detailCell(const OpenWindow& w, int table, const char* caption) {
    const DetailPage& page = *w.control<DetailPage>("DetailPage");
    for (const DetailRow& row : page.texts().tables[std::size_t(table)].rows)
        if (row.cells.front() == caption)
            return QString::fromStdString(row.cells[1]);
    return QStringLiteral("<no row>");
}

double number(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : std::nan("");
}

} // namespace

class MainWindowOutputTest : public QObject {
    Q_OBJECT

private slots:
    // 計算, then 25 turns typed and left with Tab: the recommended free length follows into the
    // field, but slot 0 was never calculated with it. The sheet runs 計算 first, so the design it
    // prints is the one the window now shows.
    void theSheetAfterTypingWithoutCalculatingShowsTheWindowsDesign() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        typeInto(w.edit("Edit19"), QStringLiteral("25"));
        leaveField(w.edit("Edit19"), w.edit("Edit1"));
        SpringDesign printed{};
        const auto sheet = closeNextDialog([&](QDialog&) { printed = w.state.current(); });
        w.triggerMenu("N5");
        QVERIFY(*sheet);
        QCOMPARE(printed.totalTurns, 25.0);
        QCOMPARE(printed.freeLength, number(w.text("Edit1")));
        // Nothing typed since: the next output takes slot 0 as it stands.
        const double rate = w.state.current().springRate;
        w.state.current().springRate = 1234;
        const auto again = closeNextDialog([&](QDialog&) { printed = w.state.current(); });
        w.triggerMenu("N5");
        QVERIFY(*again);
        QCOMPARE(printed.springRate, 1234.0);
        w.state.current().springRate = rate;
    }

    // A file whose slot 0 differs from the window's design: reading it shows that slot, so ▼
    // stores what the fields show.
    void storingAfterReadingAFileStoresWhatTheWindowShows() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        DesignSlots saved = w.state.designs;
        saved[0].freeLength = 44;
        saved[0].totalTurns = 25;
        saved[0].activeTurns = 25;
        const QString path = folder.file(QStringLiteral("read.hbd"));
        saveDesignSlots(QFile::encodeName(path).toStdString(), saved);
        QVERIFY(readCalculationFile(*w.window, QFile::encodeName(path).toStdString()));
        QCOMPARE(w.text("Edit1"), QStringLiteral("44"));
        QCOMPARE(w.text("Edit19"), QStringLiteral("25"));
        w.clickButton("SpeedButton5"); // ▼ into slot 1
        QCOMPARE(w.state.designs[1].freeLength, number(w.text("Edit1")));
        QCOMPARE(w.state.designs[1].totalTurns, number(w.text("Edit19")));
    }

    // The detail page has nothing to show before the first 計算, and nothing stale after one that
    // failed on an input.
    void theDetailPageShowsValuesOnlyOfACalculatedDesign() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        for (const char* caption : {"固有振動数", "ばね質量", "期待寿命（ばね）"})
            QCOMPARE(detailCell(w, kDetailHookTable, caption), QStringLiteral("－"));
        QCOMPARE(detailCell(w, kDetailForceTable, "バネ定数"), QStringLiteral("－"));
        w.clickButton("BitBtn2");
        QCOMPARE(detailCell(w, kDetailForceTable, "バネ定数"), w.text("Edit8"));
        QVERIFY(detailCell(w, kDetailLimitTable, "最大荷重（フックねじり）") !=
                QStringLiteral("－"));
        typeInto(w.edit("Edit19"), QStringLiteral("x"));
        const auto error = answerNextMessageBox(QMessageBox::Ok);
        w.clickButton("BitBtn2");
        QVERIFY(error->seen);
        QCOMPARE(detailCell(w, kDetailForceTable, "バネ定数"), QStringLiteral("－"));
    }

    // A hand-entered initial tension of −3 kgf passes the six rules but is no design: 計算
    // refuses it at its field, and no line of a verdict is shown.
    void aNegativeInitialTensionIsRefused() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.control<QCheckBox>("CheckBox1")->click(); // the tension by hand
        typeInto(w.edit("Edit33"), QStringLiteral("-3"));
        const MessageBoxWatch boxes;
        w.clickButton("BitBtn2");
        QCOMPARE(boxes.texts().size(), 1);
        QVERIFY2(
            boxes.texts().front().endsWith(QStringLiteral("初張力は 0 以上を入力してください")),
            qPrintable(boxes.texts().front()));
        QCOMPARE(w.statusLines(), QStringList());
    }

    // A hook angle of 200° (the hint says 60～90) cannot be drawn: 計算 refuses it at its field,
    // nothing is drawn or written as DXF; back within the range, the hook is drawn and written.
    void aHookAngleThatCannotBeDrawnIsNeitherDrawnNorExported() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        typeInto(w.edit("Edit12"), QStringLiteral("200"));
        {
            const MessageBoxWatch boxes;
            w.clickButton("BitBtn2");
            QCOMPARE(boxes.texts().size(), 1);
            QVERIFY(boxes.texts().front().endsWith(
                QStringLiteral("フック角度が0～180°の範囲外のため形状を描けません")));
        }
        const QString dxf = folder.file(QStringLiteral("hook.dxf"));
        {
            const MessageBoxWatch boxes;
            const auto dialog = answerNextFileDialog(dxf);
            w.triggerMenu("dxf1");
            QVERIFY(!dialog->seen);
            QVERIFY(!QFile::exists(dxf));
        }
        // Nor as the dimensioned drawing of the spring view's menu.
        {
            const MessageBoxWatch boxes;
            const auto dialog = answerNextFileDialog(dxf);
            w.window->findChild<QAction*>(QStringLiteral("saveDimensionedDxf"))->trigger();
            QVERIFY(!dialog->seen);
            QVERIFY(!QFile::exists(dxf));
        }
        typeInto(w.edit("Edit12"), QStringLiteral("80"));
        const auto written = answerNextFileDialog(dxf);
        w.triggerMenu("dxf1"); // 計算 first: the angle was typed since
        QVERIFY(written->seen);
        QVERIFY(QFile::exists(dxf));
        QVERIFY(!w.statusLines().join('|').contains(QStringLiteral("描けません")));
    }

    // L2 80 mm overstresses the coil and the hooks. Before the JIS sheet, the question lists what
    // is wrong and "いいえ", its default, makes nothing; "はい" makes the sheet with the concerns
    // among its notes. The DXF asks too, and carries them as texts under the drawing.
    void documentsOfAFailingDesignAskFirstAndNameWhatIsWrong() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        typeInto(w.edit("Edit5"), QStringLiteral("80"));
        w.clickButton("BitBtn2");
        const QString rule = QStringLiteral("エラー:ねじり応力オーバー");
        const QString warning = QStringLiteral("警告:フックのねじり応力オーバー");
        QVERIFY2(w.statusLines().contains(rule) && w.statusLines().contains(warning),
                 qPrintable(w.statusLines().join('|')));

        // Enter takes the default answer. The sheet's watch is armed only once the question is
        // answered, so that it cannot take the question for the sheet.
        QMessageBox::StandardButton defaultAnswer = QMessageBox::NoButton;
        QString question;
        std::shared_ptr<bool> sheetOpened;
        const auto asked = answerNextDialog([&](QDialog& dialog) {
            auto& box = dynamic_cast<QMessageBox&>(dialog);
            question = box.text();
            defaultAnswer = box.standardButton(box.defaultButton());
            sheetOpened = closeNextDialog([](QDialog&) {});
            box.defaultButton()->click();
        });
        w.triggerMenu("JisSheet");
        QVERIFY(*asked);
        QCOMPARE(defaultAnswer, QMessageBox::No);
        QVERIFY2(question.contains(rule) && question.contains(warning), qPrintable(question));
        QVERIFY(!*sheetOpened);
        sheetOpened.reset(); // its watch would take the next question

        const QString pdf = folder.file(QStringLiteral("failing.pdf"));
        const auto yes = answerQuestionThenCloseDialog(QMessageBox::Yes, [&](QDialog& dialog) {
            dynamic_cast<JisSheetWindow&>(dialog).writePdf(pdf);
        });
        w.triggerMenu("JisSheet");
        QVERIFY(*yes.asked && yes.dialogSeen());
        const QString text = inspectPdf(pdf).text;
        QVERIFY2(text.contains(rule) && text.contains(warning), qPrintable(text));

        const QString dxf = folder.file(QStringLiteral("failing.dxf"));
        const auto no = answerNextMessageBox(QMessageBox::No);
        auto dialog = answerNextFileDialog(dxf);
        w.triggerMenu("dxf1");
        QVERIFY(no->seen && !dialog->seen);
        QVERIFY(!QFile::exists(dxf));
        dialog.reset();
        const auto drawAnyway = answerNextMessageBox(QMessageBox::Yes);
        const auto saved = answerNextFileDialog(dxf);
        w.triggerMenu("dxf1");
        QVERIFY(drawAnyway->seen && saved->seen);
        QFile file(dxf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (const QString& concern : {rule, warning})
            QVERIFY(bytes.contains(
                QByteArray::fromStdString(utf8ToShiftJis(concern.toStdString(), 250).bytes)));
    }
};

HSPRING_WINDOW_TEST(MainWindowOutputTest)
#include "main_window_output_test.moc"
