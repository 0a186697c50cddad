// SPDX-License-Identifier: GPL-3.0-or-later
// The main window never gets stuck: designs outside the tables, values the calculation cannot
// find and texts that are no number each end in a clear state from which the next calculation
// works, and the keyboard reaches every input in the order the calculation reads them.

#include "drawing/windows/shape_page.h"
#include "printing/windows/data_sheet_window.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "toolkit/windows/centred_grid.h"
#include "windows_test_registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <cmath>
#include <limits>

using namespace hspring;
using namespace hspring::test;

namespace {

const QString kMissing = QStringLiteral("－");

// SW-B with an allowable-torsion column that lists only 0.8 mm: at the 1.0 mm wire the window
// starts with, the allowable stress, the maximum load and the maximum length are missing.
MaterialLibrary libraryWithoutAllowableStressAtOneMillimetre() {
    return libraryOf(
        {wireMaterial(0, "硬鋼線", "SW-B", {{0.8, 2000, 700}, {1.0, 1900, 0}, {1.2, 1850, 0}})});
}

// Presses 計算 as a user does, the focus leaving the field typed in; returns the boxes' texts.
QStringList calculate(const OpenWindow& w) {
    const MessageBoxWatch boxes;
    w.control<QWidget>("BitBtn2")->setFocus(Qt::MouseFocusReason);
    w.clickButton("BitBtn2");
    return boxes.texts();
}

// The texts of the fields a calculation writes, as a row to compare.
QStringList resultTexts(const OpenWindow& w) {
    QStringList texts;
    for (const char* name : {"Edit33", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "Edit11"})
        texts << w.text(name);
    return texts;
}

// Types `text` as an input method commits it, one character at a time (keyClicks takes ASCII
// only), over what the field held.
void typeAsInputMethod(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
}

bool isNumber(const QString& text) {
    bool ok = false;
    return std::isfinite(text.toDouble(&ok)) && ok;
}

} // namespace

class MainWindowRobustnessTest : public QObject {
    Q_OBJECT

private slots:
    // A coil diameter that puts the spring index above 22 or below 4 is calculated and reported;
    // typing 10 back gives the same results as a fresh start.
    void diametersOutsideTheIndexRangeAreCalculatedAndCorrected() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        QStringList fresh;
        {
            const OpenWindow w(folder);
            QCOMPARE(calculate(w), QStringList());
            fresh = resultTexts(w);
        }
        // A spring index below 4 or above 22 is calculated and checked, without a box (a diameter
        // that is no coil at all is refused: main_window_refusal_test).
        const struct {
            const char* diameter;
            const char* check;
        } walks[] = {{"25", "エラー：バネ指数が２２以上"},
                     {"40", "エラー：バネ指数が２２以上"},
                     {"3", "エラー：バネ指数が４以下"}};
        for (const auto& walk : walks) {
            const OpenWindow w(folder);
            typeInto(w.edit("Edit18"), QString::fromLatin1(walk.diameter));
            QCOMPARE(calculate(w), QStringList());
            QVERIFY2(w.statusLines().contains(QString::fromUtf8(walk.check)), walk.diameter);
            QVERIFY(!w.statusLines().join('|').contains(QStringLiteral("描けません")));
            for (const char* field : {"Edit33", "Edit6", "Edit7"})
                QVERIFY2(isNumber(w.text(field)), qPrintable(w.text(field)));

            typeInto(w.edit("Edit18"), QStringLiteral("10"));
            QCOMPARE(calculate(w), QStringList());
            QCOMPARE(resultTexts(w), fresh);
            QCOMPARE(w.statusLines(), QStringList{QStringLiteral("Calculation Success!")});
        }

        // The pair the mode leaves open is the calculation's: what it holds never stops it.
        const OpenWindow w(folder);
        w.edit("Edit6")->setText(QStringLiteral("NAN"));
        w.edit("Edit7")->setText(kMissing);
        QCOMPARE(calculate(w), QStringList());
        QCOMPARE(resultTexts(w), fresh);
        w.triggerMenu("llcheng");
        w.edit("Edit4")->setText(QStringLiteral("abc"));
        w.edit("Edit7")->setText(QStringLiteral("1.115"));
        QCOMPARE(calculate(w), QStringList());
        QVERIFY(isNumber(w.text("Edit4")));
    }

    // Values the calculation cannot find show as missing everywhere they are shown; an apply
    // button without a value changes nothing and says why; the window keeps calculating.
    void missingValuesShowAsMissingAndCannotBeApplied() {
        const DataFolder folder(libraryWithoutAllowableStressAtOneMillimetre(),
                                referenceSettings());
        OpenWindow w(folder);
        QCOMPARE(calculate(w), QStringList());
        QCOMPARE(w.text("Edit11"), kMissing);
        QCOMPARE(w.text("Label30"), QStringLiteral("最大長さ=－mm"));
        QCOMPARE(w.text("Label56"), QStringLiteral("最大荷重=－kgf"));

        const QString length2 = w.text("Edit5");
        w.clickButton("SpeedButton7");
        QCOMPARE(w.text("Edit5"), length2);
        QCOMPARE(w.statusLines(),
                 QStringList{QStringLiteral("最大長さが求められないため適用できません")});
        w.triggerMenu("llcheng");
        const QString load2 = w.text("Edit7");
        w.clickButton("SpeedButton1");
        QCOMPARE(w.text("Edit7"), load2);
        QCOMPARE(w.statusLines(),
                 QStringList{QStringLiteral("最大荷重が求められないため適用できません")});
        w.triggerMenu("llcheng");

        // The history row, the copied history and the spring data sheet.
        w.clickButton("SpeedButton5");
        QCOMPARE(w.control<CentredGrid>("sg1")->cellText(2, 12), kMissing);
        w.triggerMenu("N2");
        QCOMPARE(
            QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"))[2].split('\t')[12],
            kMissing);
        // The design has a warning: the sheet is asked for anyway.
        QString maxLength;
        const auto sheet =
            answerQuestionThenCloseDialog(QMessageBox::Yes, [&maxLength](QDialog& dialog) {
                maxLength = QString::fromStdString(
                    qobject_cast<DataSheetWindow*>(&dialog)->texts().cells[16][3]);
            });
        w.triggerMenu("N5");
        QVERIFY(sheet.dialogSeen());
        QCOMPARE(maxLength, kMissing);

        // A damaged coefficient leaves the initial tension taken from the range missing: the
        // field shows it as missing, and neither it nor the loads it leaves missing stop the
        // calculation.
        w.state.settings.coefficients.annealedHardSteelReduction =
            std::numeric_limits<double>::quiet_NaN();
        w.control<QCheckBox>("cb2")->click();
        QCOMPARE(w.text("Edit33"), kMissing);
        QCOMPARE(calculate(w), QStringList());
        QCOMPARE(w.text("Edit33"), kMissing);
        QCOMPARE(w.text("Edit6"), kMissing);
        QCOMPARE(w.text("Edit7"), kMissing);
        w.clickButton("SpeedButton3");
        QCOMPARE(w.text("Edit33"), kMissing);
        QCOMPARE(w.statusLines(),
                 QStringList{QStringLiteral("初張力が求められないため適用できません")});
        w.control<QCheckBox>("cb2")->click();
        QCOMPARE(calculate(w), QStringList());
        for (const char* field : {"Edit33", "Edit6", "Edit7", "Edit8"})
            QVERIFY2(isNumber(w.text(field)), qPrintable(w.text(field)));

        // A recalled slot (from a damaged file) with values missing: the user's fields are left
        // empty, the calculation's show the mark, and 計算 asks for the first empty one.
        SpringDesign damaged = w.state.current();
        damaged.length1 = std::numeric_limits<double>::quiet_NaN();
        damaged.load1 = std::numeric_limits<double>::infinity();
        damaged.hookAngle = std::numeric_limits<double>::quiet_NaN();
        w.state.designs[5] = damaged;
        w.window->refreshHistoryRow(5);
        w.control<CentredGrid>("sg1")->setCurrentCell(6, 1);
        emit w.control<CentredGrid>("sg1")->cellClicked(6, 1);
        QCOMPARE(w.text("Edit4"), QString());
        QCOMPARE(w.text("Edit6"), kMissing);
        QCOMPARE(w.text("Edit12"), QString());
        QCOMPARE(calculate(w),
                 QStringList{QStringLiteral("長さ（Ｌ１）: '' は浮動小数点数ではありません")});
        QTRY_COMPARE(w.window->focusWidget(), static_cast<QWidget*>(w.edit("Edit4")));
    }

    // The error box's text stays the toolkit's; closing it leaves the offending field focused with
    // its text selected, on whatever page it lies.
    void aConversionErrorFocusesTheFieldThatHoldsTheText() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const auto expectFocusedAndSelected = [&w](const char* name, const QString& text) {
            QLineEdit* field = w.edit(name);
            QTRY_COMPARE(w.window->focusWidget(), static_cast<QWidget*>(field));
            // The offscreen platform leaves the window inactive after a box; a desktop
            // activates it again, and the field then has the focus.
            w.window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
            QVERIFY(field->hasFocus());
            QCOMPARE(field->selectedText(), text);
        };

        typeInto(w.edit("Edit5"), QStringLiteral("abc"));
        QCOMPARE(calculate(w),
                 QStringList{QStringLiteral("長さ（Ｌ２）: 'abc' は浮動小数点数ではありません")});
        expectFocusedAndSelected("Edit5", QStringLiteral("abc"));
        typeInto(w.edit("Edit5"), QStringLiteral("55"));

        // A hook field on the page not shown: the shape page comes to the front.
        w.control<QTabWidget>("PageControl1")->setCurrentIndex(0);
        w.edit("Edit12")->setText(QStringLiteral("x"));
        QCOMPARE(calculate(w),
                 QStringList{QStringLiteral("フック角度: 'x' は浮動小数点数ではありません")});
        expectFocusedAndSelected("Edit12", QStringLiteral("x"));
        QCOMPARE(w.control<QTabWidget>("PageControl1")->currentWidget()->objectName(),
                 QStringLiteral("TabSheet2"));
        w.edit("Edit12")->setText(QStringLiteral("80"));

        // Leaving the turns field for the diameter field: one box, and the focus comes back
        // without the diameter field's own refresh asking again. Each box is answered as a
        // desktop does it, the main window active again at once.
        typeInto(w.edit("Edit19"), QStringLiteral("2x"));
        w.edit("Edit19")->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(w.edit("Edit19")->hasFocus());
        QStringList boxes;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->text();
                box->button(QMessageBox::Ok)->click();
                QApplication::setActiveWindow(w.window.get());
            }
        });
        int ticks = 0;
        connect(&answer, &QTimer::timeout, [&] { ++ticks; });
        answer.start(10);
        w.edit("Edit18")->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.edit("Edit19")));
        // Ten more rounds of the answering timer: a second box would have been answered by now.
        const int settled = ticks;
        QTRY_VERIFY(ticks >= settled + 10);
        QCOMPARE(boxes, QStringList{QStringLiteral("巻き数: '2x' は浮動小数点数ではありません")});
        QCOMPARE(w.edit("Edit19")->selectedText(), QStringLiteral("2x"));
    }

    // What a Japanese input method types is read as its ASCII form: the design and its results
    // are those of the same numbers typed in ASCII. A text that is still no number (a comma, a
    // unit) names its field in the box, by the caption shown now, and keeps the focus there.
    void fullWidthInputIsReadAndOtherTextsNameTheirField() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const QStringList ascii = {QStringLiteral("15"), QStringLiteral("45.5"),
                                   QStringLiteral("52.5"), QStringLiteral("75")};
        const QStringList fullWidth = {QStringLiteral("１５"), QStringLiteral("４５．５"),
                                       QStringLiteral("＋５２．５"), QStringLiteral("７５")};
        const char* fields[] = {"Edit19", "Edit1", "Edit4", "Edit12"};
        QStringList asciiResults;
        for (const QStringList& texts : {ascii, fullWidth}) {
            for (int i = 0; i < 4; ++i)
                typeAsInputMethod(w.edit(fields[i]), texts[i]);
            QCOMPARE(calculate(w), QStringList());
            const SpringDesign& design = w.state.current();
            QCOMPARE(design.totalTurns, 15.0);
            QCOMPARE(design.freeLength, 45.5);
            QCOMPARE(design.length1, 52.5);
            QCOMPARE(design.hookAngle, 75.0);
            if (asciiResults.isEmpty())
                asciiResults = resultTexts(w) << w.statusLines();
            else
                QCOMPARE(resultTexts(w) << w.statusLines(), asciiResults);
        }

        typeAsInputMethod(w.edit("Edit19"), QStringLiteral("1,5"));
        QCOMPARE(calculate(w),
                 QStringList{QStringLiteral("巻き数: '1,5' は浮動小数点数ではありません")});
        QTRY_COMPARE(w.window->focusWidget(), static_cast<QWidget*>(w.edit("Edit19")));
        QCOMPARE(w.edit("Edit19")->selectedText(), QStringLiteral("1,5"));
        QCOMPARE(w.state.current().totalTurns, 15.0);
        typeAsInputMethod(w.edit("Edit19"), QStringLiteral("１５"));

        w.clickButton("BitBtn1");
        typeAsInputMethod(w.edit("Edit18"), QStringLiteral("１１ｍｍ"));
        QCOMPARE(calculate(w),
                 QStringList{QStringLiteral("外径: '１１ｍｍ' は浮動小数点数ではありません")});
        QTRY_COMPARE(w.window->focusWidget(), static_cast<QWidget*>(w.edit("Edit18")));
        typeAsInputMethod(w.edit("Edit18"), QStringLiteral("１１"));
        QCOMPARE(calculate(w), QStringList());
        QCOMPARE(w.state.current().outerDiameter, 11.0);
    }

    // Tab runs through the inputs in the order they are read, passes the results by and leaves
    // the history grid; the disabled pair of the mode drops out.
    void tabFollowsTheReadingOrder() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        w.list("ComboBox5")->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int step = 0; step < 24; ++step) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            visited << focused->objectName();
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        // One round, from the kind list back to it, passes the history grid once.
        const qsizetype round = visited.indexOf(QStringLiteral("ComboBox5"), 1);
        QVERIFY(round > 0);
        const QStringList tabOrder = visited.mid(0, round);
        QCOMPARE(tabOrder.count(QStringLiteral("sg1")), 1);
        for (const char* result : {"Edit8", "Edit9", "Edit10", "Edit11"})
            QVERIFY(!visited.contains(QString::fromLatin1(result)));

        // The fields a calculation reads, in the order it reads them, found by the calculation
        // itself: with every field unreadable, each text its own, each "計算" stops at the
        // first one still unreadable and names its text.
        w.control<QWidget>("BitBtn2")->setFocus(Qt::MouseFocusReason);
        QMap<QString, QString> fieldOfText, texts;
        for (const QString& name : tabOrder) {
            auto* field = w.window->findChild<QLineEdit*>(name);
            if (field && field->isEnabled() && !field->isReadOnly()) {
                const QString bad = QStringLiteral("x%1").arg(texts.size());
                texts[name] = field->text();
                fieldOfText[QStringLiteral("%1: '%2' は浮動小数点数ではありません")
                                .arg(field->accessibleName(), bad)] = name;
                field->setText(bad);
            }
        }
        QStringList readOrder;
        for (QStringList boxes = calculate(w); !boxes.isEmpty(); boxes = calculate(w)) {
            const QString name = fieldOfText.value(boxes.front());
            QVERIFY2(texts.contains(name) && !readOrder.contains(name), qPrintable(boxes.front()));
            readOrder << name;
            w.edit(name.toLatin1().constData())->setText(texts[name]);
        }
        QCOMPARE(readOrder.size(), texts.size());
        QStringList tabbedFields = tabOrder;
        tabbedFields.removeIf([&](const QString& name) { return !texts.contains(name); });
        QCOMPARE(tabbedFields, readOrder);
        // Each check box comes right before the field it sets, the Calculate button after every
        // input.
        QCOMPARE(tabOrder.indexOf(QStringLiteral("CheckBox2")) + 1,
                 tabOrder.indexOf(QStringLiteral("Edit1")));
        QVERIFY(tabOrder.indexOf(QStringLiteral("BitBtn2")) > tabOrder.indexOf(readOrder.back()));
    }

    // A loaded view that cannot be drawn keeps the picture but is passed on: the next press shows
    // the following state. The Calculate button still returns to the free view.
    void aLoadedViewThatCannotBeDrawnIsPassedOn() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        typeInto(w.edit("Edit4"), QStringLiteral("19")); // L1 = 2(D - d) + d: no room for the coils
        QCOMPARE(calculate(w), QStringList());
        auto* page = w.control<ShapePage>("TabSheet2");
        const QImage free = page->image();
        {
            const MessageBoxWatch boxes;
            w.clickButton("changb");
            QCOMPARE(boxes.texts().size(), 1);
        }
        QCOMPARE(page->image(), free);
        QCOMPARE(w.text("Label12"), QStringLiteral("フリー"));
        {
            const MessageBoxWatch boxes;
            w.clickButton("changb");
            QCOMPARE(boxes.texts(), QStringList());
        }
        QCOMPARE(w.text("Label12"), QStringLiteral("荷重２"));
        QVERIFY(page->image() != free);
        QCOMPARE(calculate(w), QStringList());
        QCOMPARE(w.text("Label12"), QStringLiteral("フリー"));
    }
};

HSPRING_WINDOW_TEST(MainWindowRobustnessTest)
#include "main_window_robustness_test.moc"
