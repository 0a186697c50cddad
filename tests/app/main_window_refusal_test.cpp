// SPDX-License-Identifier: GPL-3.0-or-later
// Nonsense typed into the main window is refused at the field that holds it, named in the box,
// and leaves nothing of the last design on show; correcting it calculates again.

#include "tests/support/main_window_fixture.h"
#include "tests/support/modal_dialogs.h"
#include "windows_test_registry.h"

#include <QApplication>
#include <QListWidget>

using namespace hspring;
using namespace hspring::test;

namespace {

// Presses 計算 as a user does, the focus leaving the field typed in; returns the boxes' texts.
QStringList calculate(const OpenWindow& w) {
    const MessageBoxWatch boxes;
    w.control<QWidget>("BitBtn2")->setFocus(Qt::MouseFocusReason);
    w.clickButton("BitBtn2");
    return boxes.texts();
}

// The fields a calculation fills: spring rate, stress, life, allowable stress.
const char* const kResultFields[] = {"Edit8", "Edit9", "Edit10", "Edit11"};

} // namespace

class MainWindowRefusalTest : public QObject {
    Q_OBJECT

private slots:
    void nonsenseIsRefusedAtItsFieldWithNoStaleResults() {
        const DataFolder folder(referenceLibrary(), referenceSettings());
        const OpenWindow w(folder);
        const struct {
            const char* field;
            const char* text;
            const char* start; // what the field held before
            QString box;
        } cases[] = {
            {"Edit19", "-5", "20",
             QStringLiteral("巻き数: 0 より大きい有限の数を入力してください")},
            {"Edit18", "-5", "10", QStringLiteral(": 0 より大きい有限の数を入力してください")},
            // Too large for the results: named, not a division by zero found on the way.
            {"Edit18", "1e300", "10",
             QStringLiteral(": 値が大きすぎる（または小さすぎる）ため計算結果があふれます")},
            {"Edit19", "1e300", "20",
             QStringLiteral("巻き数: 値が大きすぎる（または小さすぎる）ため計算結果があふれます")},
            {"Edit12", "200", "80",
             QStringLiteral(": フック角度が0～180°の範囲外のため形状を描けません")},
        };
        for (const auto& nonsense : cases) {
            QCOMPARE(calculate(w), QStringList());
            QVERIFY(!w.statusLines().isEmpty());
            for (const char* result : kResultFields)
                QVERIFY2(!w.text(result).isEmpty(), result);

            typeInto(w.edit(nonsense.field), QString::fromLatin1(nonsense.text));
            const QStringList boxes = calculate(w);
            QCOMPARE(boxes.size(), 1);
            QVERIFY2(boxes.front().endsWith(nonsense.box), qPrintable(boxes.front()));
            QTRY_COMPARE(w.window->focusWidget(), static_cast<QWidget*>(w.edit(nonsense.field)));
            // Nothing of the design before: no results, no verdict.
            for (const char* result : kResultFields)
                QVERIFY2(w.text(result).isEmpty(), result);
            QCOMPARE(w.statusLines(), QStringList());

            typeInto(w.edit(nonsense.field), QString::fromLatin1(nonsense.start));
        }
        QCOMPARE(calculate(w), QStringList());
        QVERIFY(!w.statusLines().isEmpty());
    }
};

HSPRING_WINDOW_TEST(MainWindowRefusalTest)
#include "main_window_refusal_test.moc"
