// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QApplication>
#include <QListWidget>
#include <QSpinBox>

using namespace hspring;
using namespace hspring::test;

namespace {

// Kind 0 with three grades for the nearest-diameter rule, and a second kind.
MaterialLibrary gradesLibrary() {
    return libraryOf({
        wireMaterial(0, "硬鋼線", "A", {{1.2, 2000, 0}, {1.3, 2000, 0}, {6.0, 1500, 0}}),
        wireMaterial(0, "硬鋼線", "B",
                     {{0.8, 2100, 0}, {1.0, 2050, 0}, {1.2, 2000, 0}, {1.4, 1950, 0}}),
        wireMaterial(0, "硬鋼線", "C",
                     {{1, 2000, 0}, {2, 1900, 0}, {3, 1800, 0}, {4, 1700, 0}, {5, 1600, 0}}),
        wireMaterial(1, "ピアノ線", "D", {{0.5, 2400, 0}, {2.0, 2000, 0}}),
    });
}

QColor statusColour(const OpenWindow& w) {
    return w.control<QListWidget>("ListBox1")->palette().color(QPalette::Text);
}

} // namespace

// The status list's lines of the six rules, without the warnings that may follow them.
QStringList ruleLines(const OpenWindow& w) {
    QStringList rules;
    for (const QString& line : w.statusLines())
        if (line.startsWith(QStringLiteral("エラー")))
            rules.append(line);
    return rules;
}

class MainWindowCalculateTest : public QObject {
    Q_OBJECT

private slots:
    void calculatesTheCompleteRunAndShowsItsResults() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        pickInList(w.list("ComboBox5"), 1); // piano wire
        QCOMPARE(w.text("ComboBox7"), QStringLiteral("SWP-A"));
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("1"));
        w.clickButton("BitBtn2");

        QCOMPARE(w.text("Edit8"), QStringLiteral("0.05003"));
        QCOMPARE(w.text("Edit9"), QStringLiteral("32.49"));
        QCOMPARE(w.text("Edit11"), QStringLiteral("57.43"));
        QCOMPARE(w.text("Edit6"), QStringLiteral("0.6143"));
        QCOMPARE(w.text("Edit7"), QStringLiteral("1.115"));
        QCOMPARE(w.text("Edit33"), QStringLiteral("0.3141"));
        QCOMPARE(w.text("Edit1"), QStringLiteral("39"));
        // 32.49 × 9.8 / 2200 lies below every life line.
        QCOMPARE(w.text("Edit10"), QStringLiteral("1000万"));
        QCOMPARE(w.statusLines(), QStringList{QStringLiteral("Calculation Success!")});
        QCOMPARE(statusColour(w), QApplication::palette().color(QPalette::WindowText));

        const SpringDesign& design = w.state.current();
        QCOMPARE(design.materialIndex, 1);
        QCOMPARE(design.lifeClass, 0);
        QVERIFY(qAbs(design.maxLength - 72.08) < 0.005);
        QVERIFY(qAbs(design.maxLoad - 1.969) < 0.0005);
        QVERIFY(qAbs(w.state.initialTension.high - 0.4348) < 0.00005);
    }

    void listsEveryFailedRuleInBlue() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        typeInto(w.edit("Edit1"), QStringLiteral("40"));
        typeInto(w.edit("Edit4"), QStringLiteral("45"));
        typeInto(w.edit("Edit5"), QStringLiteral("38"));
        w.clickButton("BitBtn2");
        QCOMPARE(ruleLines(w), (QStringList{QStringLiteral("エラー：L2が密着高さより短い"),
                                            QStringLiteral("エラー:バネ高さの順番が不適")}));
        QCOMPARE(statusColour(w), QColor(0, 0, 255));
        // The results stay on the window.
        QCOMPARE(w.text("Edit8"), QStringLiteral("0.05003"));

        typeInto(w.edit("Edit19"), QStringLiteral("2"));
        typeInto(w.edit("Edit18"), QStringLiteral("3.5"));
        w.clickButton("BitBtn2");
        QCOMPARE(ruleLines(w), (QStringList{QStringLiteral("エラー：バネ指数が４以下"),
                                            QStringLiteral("エラー：L2が密着高さより短い"),
                                            QStringLiteral("エラー:バネ高さの順番が不適"),
                                            QStringLiteral("エラー:有効巻き数が３以下です")}));
        QCOMPARE(w.state.current().activeTurns, 2.99);
    }

    void aFieldThatIsNoNumberStopsTheCalculationWhereItStands() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        const SpringDesign calculated = w.state.current();
        typeInto(w.edit("Edit19"), QStringLiteral("25"));
        typeInto(w.edit("Edit1"), QStringLiteral("abc"));
        typeInto(w.edit("Edit4"), QStringLiteral("50"));
        const auto error = answerNextMessageBox(QMessageBox::Ok);
        w.clickButton("BitBtn2");
        QVERIFY(error->seen);
        QCOMPARE(error->text, QStringLiteral("自由長さ: 'abc' は浮動小数点数ではありません"));
        const SpringDesign& design = w.state.current();
        QCOMPARE(design.totalTurns, 25.0); // read before the bad field
        QCOMPARE(design.freeLength, calculated.freeLength);
        QCOMPARE(design.length1, calculated.length1);       // never reached
        QCOMPARE(design.springRate, calculated.springRate); // nothing calculated
        QCOMPARE(w.text("Edit1"), QStringLiteral("abc"));
        QCOMPARE(w.text("Edit19"), QStringLiteral("25"));

        // The window stays usable.
        typeInto(w.edit("Edit1"), QStringLiteral("39"));
        w.clickButton("BitBtn2");
        QCOMPARE(w.state.current().length1, 50.0);
        QCOMPARE(w.text("Edit19"), QStringLiteral("25"));
    }

    void aWireDiameterOfZeroIsReportedAsADivisionByZero() {
        MaterialLibrary library = referenceLibrary();
        library[0].diameters[0] = 0; // a damaged library: listed, yet zero
        const DataFolder folder(library, referenceSettings());
        const OpenWindow w(folder);
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("1"));
        const auto error = answerNextMessageBox(QMessageBox::Ok);
        pickInList(w.list("ComboBox6"), 0);
        QVERIFY(error->seen);
        QCOMPARE(error->text, QStringLiteral("0 による浮動小数点数除算"));
    }

    void keepsTheWireDiameterAcrossGradesWhereTheNewGradeAllows() {
        const DataFolder folder(gradesLibrary(), referenceSettings());
        const OpenWindow w(folder);
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("1.2"));

        pickInList(w.list("ComboBox7"), 1); // B lists 1.2 too
        QCOMPARE(w.text("ComboBox7"), QStringLiteral("B"));
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("1.2"));
        QCOMPARE(w.state.current().materialIndex, 1);
        QCOMPARE(w.state.current().diameterIndex, 2);

        pickInList(w.list("ComboBox7"), 0);
        pickInList(w.list("ComboBox6"), 1); // 1.3
        pickInList(w.list("ComboBox7"), 1); // B: the next larger is 1.4
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("1.4"));

        pickInList(w.list("ComboBox7"), 0); // A: 6.0 is the first not below 1.4
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("6"));
        const auto error = answerNextMessageBox(QMessageBox::Ok);
        pickInList(w.list("ComboBox7"), 2); // C ends at 5.0
        QVERIFY(error->seen);
        QCOMPARE(error->text, QStringLiteral("線径: '' は浮動小数点数ではありません"));
        QCOMPARE(w.list("ComboBox6")->currentIndex(), -1);
        QCOMPARE(w.list("ComboBox6")->count(), 5);

        const auto again = answerNextMessageBox(QMessageBox::Ok);
        w.clickButton("BitBtn2");
        QVERIFY(again->seen);
        QCOMPARE(again->text, QStringLiteral("線径: '' は浮動小数点数ではありません"));

        pickInList(w.list("ComboBox6"), 2); // picking a diameter recovers
        w.clickButton("BitBtn2");
        QCOMPARE(w.state.current().wireDiameter, 3.0);
        QCOMPARE(w.state.current().materialIndex, 2);
    }

    void pickingAKindSelectsItsFirstGrade() {
        const DataFolder folder(gradesLibrary(), referenceSettings());
        const OpenWindow w(folder);
        pickInList(w.list("ComboBox7"), 2);
        pickInList(w.list("ComboBox5"), 1);
        QCOMPARE(w.text("ComboBox5"), QStringLiteral("ピアノ線"));
        QCOMPARE(w.list("ComboBox7")->count(), 1);
        QCOMPARE(w.text("ComboBox7"), QStringLiteral("D"));
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("2"));
        QCOMPARE(w.state.current().materialIndex, 3);
        pickInList(w.list("ComboBox5"), 0);
        QCOMPARE(w.text("ComboBox7"), QStringLiteral("A"));
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("6"));
    }

    void aRecalledDesignWithAMaterialOutsideTheLibraryShowsNoMaterialAndANote() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        OpenWindow w(folder);
        SpringDesign& foreign = w.state.designs[5];
        foreign = w.state.current();
        foreign.materialIndex = 45;
        foreign.diameterIndex = 70;
        foreign.lifeClass = 30;
        w.window->refreshHistoryRow(5);
        typeInto(w.control<QSpinBox>("SpinEdit1")->findChild<QLineEdit*>(), QStringLiteral("5"));
        w.clickButton("SpeedButton6");
        QCOMPARE(w.list("ComboBox5")->currentIndex(), -1);
        QCOMPARE(w.list("ComboBox7")->count(), 0);
        QCOMPARE(w.list("ComboBox6")->count(), 0);
        QVERIFY(w.statusLines().contains(QStringLiteral("材料番号 45 は材料リストにありません")));
        QCOMPARE(w.state.current().materialIndex, 45);

        const auto error = answerNextMessageBox(QMessageBox::Ok);
        w.clickButton("BitBtn2");
        QVERIFY(error->seen);
        QCOMPARE(error->text, QStringLiteral("線径: '' は浮動小数点数ではありません"));

        pickInList(w.list("ComboBox5"), 0); // picking a material recovers
        w.clickButton("BitBtn2");
        QCOMPARE(w.state.current().materialIndex, 0);
        QCOMPARE(w.statusLines(), QStringList{QStringLiteral("Calculation Success!")});
    }
};

HSPRING_WINDOW_TEST(MainWindowCalculateTest)
#include "main_window_calculate_test.moc"
