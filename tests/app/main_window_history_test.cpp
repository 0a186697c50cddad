// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "tests/support/main_window_fixture.h"
#include "toolkit/windows/centred_grid.h"
#include "windows_test_registry.h"

#include <QCheckBox>
#include <QSpinBox>
#include <cstring>

using namespace hspring;
using namespace hspring::test;

namespace {

bool sameDesign(const SpringDesign& a, const SpringDesign& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void chooseSlot(const OpenWindow& w, const QString& text) {
    typeInto(w.control<QSpinBox>("SpinEdit1")->findChild<QLineEdit*>(), text);
}

void clickHistoryRow(const OpenWindow& w, int row) {
    auto* grid = w.control<CentredGrid>("sg1");
    grid->scrollTo(grid->model()->index(row, 1));
    const QRect cell = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class MainWindowHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void storesIntoTheChosenSlotWithinOneToThirty() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const auto* grid = w.control<CentredGrid>("sg1");
        w.clickButton("BitBtn2");

        chooseSlot(w, QStringLiteral("3"));
        w.clickButton("SpeedButton5");
        QVERIFY(sameDesign(w.state.designs[3], w.state.current()));
        QCOMPARE(w.control<QSpinBox>("SpinEdit1")->text(), QStringLiteral("3"));
        const QStringList row4 = [grid] {
            QStringList cells;
            for (int column = 0; column < 15; ++column)
                cells << grid->cellText(4, column);
            return cells;
        }();
        QCOMPARE(row4, (QStringList{"3", "SW-B", "1", "10", "20", "39", "0.6143", "1.115", "45",
                                    "55", "0.05003", "32.49", "55.8", "1000万", "0.3141"}));

        chooseSlot(w, QStringLiteral("45"));
        w.clickButton("SpeedButton5");
        QCOMPARE(w.state.designs[30].inUse, 1);
        QCOMPARE(grid->cellText(31, 1), QStringLiteral("SW-B"));
        QCOMPARE(w.control<QSpinBox>("SpinEdit1")->text(), QStringLiteral("30"));

        chooseSlot(w, QStringLiteral("x"));
        w.clickButton("SpeedButton5");
        QCOMPARE(w.state.designs[1].inUse, 1);
        QCOMPARE(grid->cellText(2, 4), QStringLiteral("20"));

        // A second store into the same slot keeps only the second design.
        typeInto(w.edit("Edit19"), QStringLiteral("25"));
        w.clickButton("BitBtn2");
        chooseSlot(w, QStringLiteral("3"));
        w.clickButton("SpeedButton5");
        QCOMPARE(grid->cellText(4, 4), QStringLiteral("25"));
        QCOMPARE(w.state.designs[2].inUse, 0);
        QCOMPARE(grid->cellText(3, 1), QString());
    }

    void recallsAStoredSlotWithTheUpButtonOrARowClick() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        chooseSlot(w, QStringLiteral("2"));
        w.clickButton("SpeedButton5");
        const SpringDesign stored = w.state.designs[2];

        typeInto(w.edit("Edit19"), QStringLiteral("30"));
        w.clickButton("BitBtn2");
        QCOMPARE(w.text("Edit19"), QStringLiteral("30"));
        chooseSlot(w, QStringLiteral("2"));
        w.clickButton("SpeedButton6");
        QVERIFY(sameDesign(w.state.current(), stored));
        QCOMPARE(w.text("Edit19"), QStringLiteral("20"));
        QCOMPARE(w.text("Edit8"), QStringLiteral("0.05003"));

        typeInto(w.edit("Edit19"), QStringLiteral("30"));
        w.clickButton("BitBtn2");
        clickHistoryRow(w, 3); // slot 2
        QVERIFY(sameDesign(w.state.current(), stored));
        QCOMPARE(w.text("Edit19"), QStringLiteral("20"));
        QCOMPARE(w.text("ComboBox6"), QStringLiteral("1"));
    }

    void anEmptySlotRecallsNothing() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        const SpringDesign current = w.state.current();
        chooseSlot(w, QStringLiteral("45")); // slot 30, empty
        w.clickButton("SpeedButton6");
        clickHistoryRow(w, 12);
        clickHistoryRow(w, 1); // the units row is no slot
        QVERIFY(sameDesign(w.state.current(), current));
        QCOMPARE(w.statusLines(), QStringList{QStringLiteral("Calculation Success!")});
    }

    void aRecalledLoadModeDesignBringsItsColours() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.triggerMenu("llcheng");
        w.clickButton("BitBtn2");
        w.clickButton("SpeedButton5"); // slot 1
        w.triggerMenu("llcheng");
        QVERIFY(w.edit("Edit4")->isEnabled());
        w.clickButton("SpeedButton6");
        QCOMPARE(w.state.current().lengthMode, kLoadsGiven);
        QVERIFY(!w.edit("Edit4")->isEnabled());
        QCOMPARE(fieldColour(w.edit("Edit7")), kAqua);
    }
};

class MainWindowModeTest : public QObject {
    Q_OBJECT

private slots:
    void theLengthLoadSwitchSwapsEnablingAndColours() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const auto lengthsGiven = [&w](bool given) {
            for (const char* length : {"Edit4", "Edit5"}) {
                QCOMPARE(w.edit(length)->isEnabled(), given);
                QCOMPARE(fieldColour(w.edit(length)), given ? kAqua : kWhite);
            }
            for (const char* load : {"Edit6", "Edit7"}) {
                QCOMPARE(w.edit(load)->isEnabled(), !given);
                QCOMPARE(fieldColour(w.edit(load)), given ? kWhite : kAqua);
            }
        };
        lengthsGiven(true);
        w.clickButton("BitBtn2");
        const QString springRate = w.text("Edit8");
        w.triggerMenu("llcheng");
        lengthsGiven(false);
        QCOMPARE(w.state.current().lengthMode, kLoadsGiven);
        QCOMPARE(w.text("Edit8"), springRate); // nothing recalculated

        typeInto(w.edit("Edit6"), QStringLiteral("0.1")); // below the initial tension
        typeInto(w.edit("Edit7"), QStringLiteral("1.5"));
        w.clickButton("BitBtn2");
        QCOMPARE(w.text("Edit4"), QStringLiteral("39"));
        QCOMPARE(w.state.current().length2,
                 39 + (1.5 - w.state.current().initialTension) / w.state.current().springRate);
        w.triggerMenu("llcheng");
        lengthsGiven(true);
    }

    void theDiameterButtonCyclesMeanOuterInner() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const auto shows = [&w](const QString& caption, const QString& value) {
            QCOMPARE(w.text("Label48"), caption);
            QCOMPARE(w.text("Edit18"), value);
        };
        shows(QStringLiteral("平均径"), QStringLiteral("10"));
        w.clickButton("BitBtn1");
        shows(QStringLiteral("外径"), QStringLiteral("11"));
        QCOMPARE(w.state.current().diameterKind, kOuterDiameter);
        w.clickButton("BitBtn1");
        shows(QStringLiteral("内径"), QStringLiteral("9"));
        QCOMPARE(w.state.current().diameterKind, kInnerDiameter);
        w.clickButton("BitBtn1");
        shows(QStringLiteral("平均径"), QStringLiteral("10"));
        QCOMPARE(w.state.current().diameterKind, kMeanDiameter);
    }

    void aDiameterTypedBeforeTheButtonIsReadUnderTheOldKind() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        QLineEdit* diameter = w.edit("Edit18");
        diameter->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(diameter->hasFocus());
        typeInto(diameter, QStringLiteral("12"));
        w.clickButton("BitBtn1"); // takes the focus: the field's exit handler reads 12 first
        QCOMPARE(w.text("Label48"), QStringLiteral("外径"));
        QCOMPARE(w.text("Edit18"), QStringLiteral("13"));
    }

    void theFieldHandlersRefreshTheRecommendedValues() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        QCOMPARE(w.text("Label36"), QStringLiteral("自由長さ=39mm"));

        // Without CheckBox2 the recommended free length changes, the field does not.
        QTest::mouseClick(w.control<QCheckBox>("CheckBox2"), Qt::LeftButton);
        QVERIFY(!w.control<QCheckBox>("CheckBox2")->isChecked());
        typeInto(w.edit("Edit19"), QStringLiteral("30"));
        leaveField(w.edit("Edit19"), w.edit("Edit4"));
        QCOMPARE(w.text("Label36"), QStringLiteral("自由長さ=49mm"));
        QCOMPARE(w.text("Edit1"), QStringLiteral("39"));
        QCOMPARE(w.state.current().totalTurns, 30.0);

        // Confirming an initial tension switches the automatic one off.
        QLineEdit* tension = w.edit("Edit33");
        tension->setFocus(Qt::TabFocusReason);
        typeInto(tension, QStringLiteral("0.5"));
        QTest::keyClick(tension, Qt::Key_Return);
        QVERIFY(!w.control<QCheckBox>("CheckBox1")->isChecked());
        QCOMPARE(w.state.current().autoInitialTension, 0);
        QCOMPARE(w.state.current().initialTension, 0.5);
        QCOMPARE(w.text("Edit33"), QStringLiteral("0.5"));

        // Checking it again takes the middle of the range.
        QTest::mouseClick(w.control<QCheckBox>("CheckBox1"), Qt::LeftButton);
        QCOMPARE(w.text("Edit33"), QString::fromStdString(formatF4(w.state.initialTension.mid)));
    }

    void anEmptyOrUnchangedFieldRefreshesNothing() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.edit("Edit19")->clear();
        leaveField(w.edit("Edit19"), w.edit("Edit4"));
        QCOMPARE(w.state.current().totalTurns, 20.0);
        typeInto(w.edit("Edit19"), QStringLiteral("20"));

        // The diameter field showing the wire diameter's text: Enter does nothing.
        typeInto(w.edit("Edit18"), QStringLiteral("1"));
        QTest::keyClick(w.edit("Edit18"), Qt::Key_Return);
        QCOMPARE(w.state.current().meanDiameter, 10.0);
        typeInto(w.edit("Edit18"), QStringLiteral("12"));
        QTest::keyClick(w.edit("Edit18"), Qt::Key_Return);
        QCOMPARE(w.state.current().meanDiameter, 12.0);
        QCOMPARE(w.text("Label28"), QStringLiteral("バネ指数=12"));
    }

    void theApplyButtonsCopyTheRecommendedValues() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.clickButton("BitBtn2");
        const SpringDesign calculated = w.state.current();
        w.clickButton("SpeedButton1");
        QCOMPARE(w.text("Edit7"), QString::fromStdString(formatF4(calculated.maxLoad)));
        w.clickButton("SpeedButton7");
        QCOMPARE(w.text("Edit5"), QString::fromStdString(formatF4(calculated.maxLength)));
        QCOMPARE(w.state.current().length2, textToDouble(formatF4(calculated.maxLength)));

        typeInto(w.edit("Edit1"), QStringLiteral("50"));
        w.clickButton("SpeedButton2");
        QCOMPARE(w.text("Edit1"), QStringLiteral("39"));

        QTest::mouseClick(w.control<QCheckBox>("CheckBox1"), Qt::LeftButton);
        typeInto(w.edit("Edit33"), QStringLiteral("1"));
        w.clickButton("SpeedButton3");
        QCOMPARE(w.text("Edit33"), QString::fromStdString(formatF4(w.state.initialTension.mid)));
    }

    void theRefreshReportsAnIndexOutOfRangeAndKeepsTheLabels() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const QString maxLength = w.text("Label30");
        typeInto(w.edit("Edit18"), QStringLiteral("2.5"));
        QTest::keyClick(w.edit("Edit18"), Qt::Key_Return);
        QCOMPARE(w.statusLines(), QStringList{QStringLiteral("エラー：バネ指数が範囲外")});
        QCOMPARE(w.text("Label30"), maxLength);
    }
};

HSPRING_WINDOW_TEST(MainWindowHistoryTest)
HSPRING_WINDOW_TEST(MainWindowModeTest)
#include "main_window_history_test.moc"
