// SPDX-License-Identifier: GPL-3.0-or-later
// The round hook's radii typed on the shape page: they enter the window's one evaluation (the
// detail page, the limits, the warnings), nonsense is refused at its field, and they travel with
// the calculation file in its side file while the file's record stays as it is.

#include "app/detail_page_text.h"
#include "app/windows/calculation_document.h"
#include "app/windows/calculation_file_menu.h"
#include "app/windows/detail_page.h"
#include "base/number_format.h"
#include "chart/windows/chart_page.h"
#include "drawing/windows/shape_page.h"
#include "tests/support/file_bytes.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QFile>
#include <QTemporaryDir>

using namespace hspring;
using namespace hspring::test;

namespace {

QString cell(const DetailPage& page, int table, const char* caption) {
    for (const DetailRow& row : page.texts().tables[std::size_t(table)].rows)
        if (row.cells.front() == caption)
            return QString::fromStdString(row.cells[1]);
    return QStringLiteral("<no row>");
}

// Presses 計算 as a user does; returns the texts of the boxes it opened.
QStringList calculate(const OpenWindow& w) {
    const MessageBoxWatch boxes;
    w.control<QWidget>("BitBtn2")->setFocus(Qt::MouseFocusReason);
    w.clickButton("BitBtn2");
    return boxes.texts();
}

const char* const kTorsionWarning = "警告:フックのねじり応力オーバー";

} // namespace

class HookRadiiWindowTest : public QObject {
    Q_OBJECT

private slots:
    void theRadiiEnterTheVerdictAndTravelWithTheFile() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        auto* page = w.control<DetailPage>("DetailPage");
        QCOMPARE(calculate(w), QStringList());
        const DesignResult plain = *w.window->shownEvaluation();
        const CoefficientSet& coefficients = w.state.settings.coefficients;
        QCOMPARE(plain.extras.hookTorsionFactor, coefficients.hookStressFactor);
        QVERIFY(!w.statusLines().contains(QString::fromUtf8(kTorsionWarning)));
        const double d = plain.design.wireDiameter;

        // A bend as tight as the wire allows (C2 = 1.2) and a loop half the coil's: the window's
        // evaluation is the core's with those radii, on the detail page and in the warnings.
        const QString bendText = QString::number(0.6 * d, 'g', 6);
        const QString loopText = QString::number(plain.design.meanDiameter / 4, 'g', 6);
        ExtraInputs radii;
        radii.hookBendRadius = bendText.toDouble();
        radii.hookLoopRadius = loopText.toDouble();
        typeInto(w.edit("hookBendRadius"), bendText);
        typeInto(w.edit("hookLoopRadius"), loopText);
        QCOMPARE(calculate(w), QStringList());
        const DesignResult* shown = w.window->shownEvaluation();
        QVERIFY(shown);
        const DesignResult expected =
            evaluateDesign(shown->design, w.state.materials, coefficients, HookType::Round,
                           w.control<ChartPage>("ChartPage")->toleranceGrade(), radii);
        QCOMPARE(shown->extras.hookTorsionFactor, expected.extras.hookTorsionFactor);
        QCOMPARE(shown->extras.hookBendingFactor, expected.extras.hookBendingFactor);
        QCOMPARE(shown->extras.maxLoadWithHooks, expected.extras.maxLoadWithHooks);
        QVERIFY(shown->extras.hookTorsionFactor > 2 * coefficients.hookStressFactor);
        QVERIFY(shown->extras.hookBendingFactor > plain.extras.hookBendingFactor);
        QCOMPARE(cell(*page, kDetailHookTable, "フックねじり修正係数（Ｋ２）"),
                 QString::fromStdString(formatF4(expected.extras.hookTorsionFactor)));
        QVERIFY(w.statusLines().contains(QString::fromUtf8(kTorsionWarning)));

        // Nonsense is refused at its field, named by its caption; a U hook does not read them.
        typeInto(w.edit("hookBendRadius"), QStringLiteral("0"));
        QStringList boxes = calculate(w);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(
            boxes.front().startsWith(QStringLiteral("曲げ半径r2")) &&
                boxes.front().endsWith(QStringLiteral("0 より大きい有限の数を入力してください")),
            qPrintable(boxes.front()));
        QTRY_COMPARE(w.window->focusWidget(), static_cast<QWidget*>(w.edit("hookBendRadius")));
        QVERIFY(!w.window->shownEvaluation());
        typeInto(w.edit("hookBendRadius"), QStringLiteral("r"));
        auto* shape = w.control<ShapePage>("TabSheet2");
        shape->showHookPage(HookType::U);
        QCOMPARE(calculate(w), QStringList());
        shape->showHookPage(HookType::Round);
        boxes = calculate(w);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.front().contains(QStringLiteral("曲げ半径r2")), qPrintable(boxes.front()));
        typeInto(w.edit("hookBendRadius"), bendText);
        QCOMPARE(calculate(w), QStringList());

        // Saved, the radii go into the side file and the record is the slots as before; another
        // window reads them back into its fields and its verdict.
        QTemporaryDir files;
        const QString path = files.filePath(QStringLiteral("radii.hbd"));
        auto dialog = answerNextFileDialog(path);
        saveCalculationFile(*w.window);
        QVERIFY(dialog->seen);
        QCOMPARE(fileBytes(path), imageOf(w.state.designs));
        const std::string hbd = QFile::encodeName(path).toStdString();
        const TitleBlock side = readTitleBlock(hbd);
        QCOMPARE(side.hookBendRadius, std::optional(radii.hookBendRadius));
        QCOMPARE(side.hookLoopRadius, std::optional(radii.hookLoopRadius));
        CalculationDocument& document = CalculationDocument::of(*w.window);
        document.refreshTitle();
        QVERIFY(!w.window->isWindowModified());
        typeInto(w.edit("hookLoopRadius"), QString());
        document.refreshTitle();
        QVERIFY(w.window->isWindowModified()); // a radius changed is unsaved work

        OpenWindow other(folder);
        QVERIFY(readCalculationFile(*other.window, hbd));
        QCOMPARE(other.edit("hookBendRadius")->text().toDouble(), radii.hookBendRadius);
        QCOMPARE(other.window->shownEvaluation()->extras.hookTorsionFactor,
                 expected.extras.hookTorsionFactor);
        QVERIFY(other.statusLines().contains(QString::fromUtf8(kTorsionWarning)));

        // A side file of before, without radii, leaves the fields empty and the factors as the
        // settings give them.
        writeTitleBlock(hbd, TitleBlock{.partName = "ばねC"});
        QVERIFY(readCalculationFile(*other.window, hbd));
        QCOMPARE(other.edit("hookBendRadius")->text(), QString());
        QCOMPARE(other.edit("hookLoopRadius")->text(), QString());
        QCOMPARE(other.window->shownEvaluation()->extras.hookTorsionFactor,
                 coefficients.hookStressFactor);
    }
};

HSPRING_WINDOW_TEST(HookRadiiWindowTest)
#include "hook_radii_window_test.moc"
