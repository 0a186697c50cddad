// SPDX-License-Identifier: GPL-3.0-or-later
// One design, one verdict: the main window, the fatigue diagram, the detail page and the chart
// tell the same story of the design shown.
#include "app/detail_page_text.h"
#include "app/windows/detail_page.h"
#include "base/number_format.h"
#include "chart/windows/chart_page.h"
#include "data/default_data.h"
#include "diagram/painting/fatigue_diagram.h"
#include "diagram/windows/diagram_view.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "windows_test_registry.h"
#include "wording/japanese.h"

#include <QFile>
#include <QListWidget>
#include <QScrollBar>
#include <cstring>

using namespace hspring;
using namespace hspring::test;

namespace {

QStringList rows(const DetailPage& page, int table, std::size_t column = 0) {
    QStringList cells;
    for (const DetailRow& row : page.texts().tables[std::size_t(table)].rows)
        cells << QString::fromStdString(row.cells[column]);
    return cells;
}

QString cell(const DetailPage& page, int table, const char* caption, std::size_t column = 1) {
    for (const DetailRow& row : page.texts().tables[std::size_t(table)].rows)
        if (row.cells.front() == caption)
            return QString::fromStdString(row.cells[column]);
    return QStringLiteral("<no row>");
}

void pickText(QComboBox* list, const QString& text) {
    const int index = list->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    pickInList(list, index);
}

} // namespace

class MainWindowVerdictTest : public QObject {
    Q_OBJECT

private slots:
    // SWP-B, d 1.2, D 5, N 12, L1 25 on the handbook's basis (its hook bending allowable is the
    // smaller share, and at this index the hook's bending stress is the highest), 計算: the
    // hook's bending governs. The
    // length the button puts in is the one with the hooks, the life field shows the spring's
    // life and names its part, the diagram's hook point is the detail page's, and the status list
    // holds every warning of the detail page and the chart, announced by its first line.
    void theExampleSpringHasOneVerdict() {
        const DataFolder folder(builtInMaterialLibrary(), builtInSettings());
        const OpenWindow w(folder);
        setDesignBasis(w.state.settings.coefficients, DesignBasis::Handbook);
        pickText(w.list("ComboBox5"), QStringLiteral("ピアノ線"));
        pickText(w.list("ComboBox7"), QStringLiteral("SWP-B"));
        pickText(w.list("ComboBox6"), QStringLiteral("1.2"));
        QCOMPARE(w.text("Label48"), QStringLiteral("平均径"));
        typeInto(w.edit("Edit18"), QStringLiteral("5"));
        typeInto(w.edit("Edit19"), QStringLiteral("12"));
        leaveField(w.edit("Edit19"), w.edit("Edit1"));
        typeInto(w.edit("Edit4"), QStringLiteral("25"));
        w.clickButton("BitBtn2");
        auto* page = w.control<DetailPage>("DetailPage");

        // The recommended maximum length is the hooks' (the coil alone would allow 28.95;
        // hspring-cli calc agrees).
        QCOMPARE(cell(*page, kDetailLimitTable, "支配部位"), QStringLiteral("フック曲げ"));
        const QString withHooks = cell(*page, kDetailLimitTable, "最大長さ（フック含む）");
        QCOMPARE(withHooks, QStringLiteral("28.25"));
        QCOMPARE(w.text("Label30"), QStringLiteral("最大長さ=28.25mm(フック)"));
        QCOMPARE(w.text("Label56"), QStringLiteral("最大荷重=") +
                                        cell(*page, kDetailLimitTable, "最大荷重（フック含む）") +
                                        QStringLiteral("kgf(フック)"));
        // At the coil's own maximum length the hook's bending is over its allowable: the life
        // field shows the spring's life, shorter than the coil's, and names the hook's bending.
        typeInto(w.edit("Edit5"), QStringLiteral("28.95"));
        w.clickButton("BitBtn2");
        const QString springLife = cell(*page, kDetailHookTable, "期待寿命（ばね）");
        QCOMPARE(w.text("Edit10"), springLife);
        QVERIFY(springLife != cell(*page, kDetailHookTable, "期待寿命（コイル）"));
        QCOMPARE(w.text("LifeGoverningLabel"), QStringLiteral("フック曲げ"));
        QCOMPARE(cell(*page, kDetailHookTable, "期待寿命（フック曲げ）"), springLife);
        QVERIFY(w.statusLines().contains(QStringLiteral("警告:フックの曲げ応力オーバー")));

        // ← puts in the length with the hooks; calculated, the bending is within its allowable.
        w.clickButton("SpeedButton7");
        QCOMPARE(w.text("Edit5"), withHooks);
        w.clickButton("BitBtn2");
        QVERIFY(!w.statusLines().contains(QStringLiteral("警告:フックの曲げ応力オーバー")));
        QCOMPARE(w.text("Edit10"), cell(*page, kDetailHookTable, "期待寿命（ばね）"));
        QCOMPARE(w.text("LifeGoverningLabel"),
                 QString::fromStdString(std::string(
                     governingPartText(lifeGoverningPart(*w.window->shownEvaluation())))));

        // The diagram's hook point: the detail page's hook stress coefficients.
        const DesignResult* shown = w.window->shownEvaluation();
        QVERIFY(shown);
        QCOMPARE(cell(*page, kDetailHookTable, "フック応力係数（上限）"),
                 QString::fromStdString(formatF4(shown->extras.hookCoefficients.upper)));
        QCOMPARE(w.control<DiagramView>("Image1")->image(),
                 renderFatigueDiagram(shown->coefficients.upper, shown->coefficients.lower,
                                      shown->extras.hookCoefficients.upper,
                                      shown->extras.hookCoefficients.lower)
                     .image);

        // The warnings: the detail page's (the hooks' and the tolerance conditions'), the chart
        // page's among them, below the check line and announced above it.
        const QStringList warnings = rows(*page, kDetailWarningTable);
        QVERIFY(warnings != QStringList{QStringLiteral("なし")});
        const QString chartWarnings = w.control<ChartPage>("ChartPage")->toleranceText();
        for (const QString& line : chartWarnings.split(QLatin1Char('\n')))
            if (line.startsWith(QStringLiteral("警告")))
                QVERIFY2(warnings.contains(line), qPrintable(line));
        const QStringList status = w.statusLines();
        QCOMPARE(status.first(), QStringLiteral("警告あり:%1件").arg(warnings.size()));
        QCOMPARE(status.mid(1, 1), QStringList{QStringLiteral("Calculation Success!")});
        QCOMPARE(status.mid(2, warnings.size()), warnings);

        // Every line readable without scrolling: nothing hidden across or below.
        auto* list = w.control<QListWidget>("ListBox1");
        QVERIFY(!list->horizontalScrollBar()->isVisible());
        QVERIFY(!list->verticalScrollBar()->isVisible());
        for (int row = 0; row < list->count(); ++row)
            QVERIFY2(list->viewport()->rect().contains(list->visualItemRect(list->item(row))),
                     qPrintable(list->item(row)->text()));
    }

    // Reading a file: the 推奨値 follow the file's design; with the open file changed (the title
    // marked) it asks first, and キャンセル keeps everything; a damaged side file is reported in
    // Japanese and changes nothing, neither the slots nor the title.
    void readingAFileAsksFirstAndIsAllOrNothing() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const auto saveAs = [&w](const QString& path) {
            auto dialog = answerNextFileDialog(path);
            w.triggerMenu("N3");
            QVERIFY(dialog->seen);
        };
        typeInto(w.edit("Edit19"), QStringLiteral("25"));
        w.clickButton("BitBtn2");
        saveAs(folder.file("b.hbd"));
        typeInto(w.edit("Edit19"), QStringLiteral("20"));
        w.clickButton("BitBtn2");
        saveAs(folder.file("a.hbd"));
        const QString savedLabel = w.text("Label30");

        typeInto(w.edit("Edit19"), QStringLiteral("30"));
        w.clickButton("BitBtn2");
        QVERIFY(w.text("Label30") != savedLabel);
        QTRY_VERIFY(w.window->isWindowModified());
        auto asked = answerNextMessageBox(QMessageBox::Cancel);
        w.triggerMenu("Edit2");
        QVERIFY(asked->seen);
        QCOMPARE(w.text("Edit19"), QStringLiteral("30"));

        auto discard = answerNextMessageBox(QMessageBox::Discard);
        auto dialog = answerNextFileDialog(folder.file("a.hbd"));
        w.triggerMenu("Edit2");
        QVERIFY(discard->seen && dialog->seen);
        QCOMPARE(w.text("Edit19"), QStringLiteral("20"));
        QCOMPARE(w.text("Label30"), savedLabel);

        QFile side(folder.file("b.jis-sheet.json"));
        QVERIFY(side.open(QIODevice::WriteOnly));
        side.write("{\"partName\": ");
        side.close();
        const DesignSlots before = w.state.designs;
        const QString title = w.window->windowTitle();
        auto error = answerNextMessageBox(QMessageBox::Ok);
        dialog = answerNextFileDialog(folder.file("b.hbd"));
        w.triggerMenu("Edit2");
        QVERIFY(error->seen);
        QVERIFY2(error->text.contains(QStringLiteral("b.jis-sheet.json が壊れている")),
                 qPrintable(error->text));
        QVERIFY(std::memcmp(&before, &w.state.designs, sizeof(DesignSlots)) == 0);
        QCOMPARE(w.window->windowTitle(), title);
    }
};

HSPRING_WINDOW_TEST(MainWindowVerdictTest)
#include "main_window_verdict_test.moc"
