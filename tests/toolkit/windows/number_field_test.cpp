// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "toolkit/windows/number_field.h"
#include "windows_test_registry.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace hspring;

class NumberFieldTest : public QObject {
    Q_OBJECT

    // The Error a reading raises, and where the focus and selection are left.
    template <typename Read>
    static std::optional<Error> failureOf(NumberField& field, Read read) {
        try {
            read();
        } catch (const Error& error) {
            return error;
        }
        return std::nullopt;
    }

private slots:
    // Read as every input field is; the empty text is a number only where it may be left out.
    void readsNumbersAndTheEmptyOptionalValue() {
        QWidget window;
        auto* required = new NumberField(&window);
        auto* optional = new NumberField(&window, NumberField::Presence::Optional);
        window.show();
        required->setText(QStringLiteral(" 1.5e2 "));
        QCOMPARE(required->number(), 150.0);
        optional->setText(QStringLiteral("  "));
        QCOMPARE(optional->value(), std::optional<double>());
        optional->setText(QStringLiteral("-0.25"));
        QCOMPARE(optional->value(), std::optional<double>(-0.25));

        optional->setValue(0.1);
        QCOMPARE(optional->text(), QStringLiteral("0.1"));
        optional->setValue(std::numeric_limits<double>::quiet_NaN());
        QCOMPARE(optional->text(), QString());
        optional->setValue(12345.678, 4);
        QCOMPARE(optional->text(), QStringLiteral("1.235E4"));
    }

    // A text that is no number, and an empty field that needs one, raise the conversion error
    // and leave the focus on the field with its text selected.
    void anErrorTakesTheFocusWithTheTextSelected() {
        QWidget window;
        auto* first = new NumberField(&window);
        auto* second = new NumberField(&window, NumberField::Presence::Optional);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const QString& text :
             {QStringLiteral("１２"), QStringLiteral("1,5"), QStringLiteral("nan")}) {
            first->setFocus();
            second->setText(text);
            const std::optional<Error> error = failureOf(*second, [&] { second->value(); });
            QVERIFY(error);
            QCOMPARE(error->problem(), Problem::NotANumber);
            QCOMPARE(QString::fromStdString(error->subject()), text);
            QTRY_VERIFY(second->hasFocus());
            QCOMPARE(second->selectedText(), text);
        }
        second->clear();
        first->setFocus();
        QVERIFY(failureOf(*second, [&] { second->number(); }));
        QTRY_VERIFY(second->hasFocus());
        first->clear();
        QVERIFY(failureOf(*first, [&] { first->value(); }));
        QTRY_VERIFY(first->hasFocus());
    }
};

HSPRING_WINDOW_TEST(NumberFieldTest)
#include "number_field_test.moc"
