// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/error.h"
#include "toolkit/windows/error_text.h"
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

        // The full-width forms an input method types, in every number field alike.
        required->setText(QStringLiteral("－２．５"));
        QCOMPARE(required->number(), -2.5);
        optional->setText(QStringLiteral("１２"));
        QCOMPARE(optional->integerValue(), std::optional<std::int32_t>(12));

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
             {QStringLiteral("１，２"), QStringLiteral("1,5"), QStringLiteral("nan")}) {
            first->setFocus();
            second->setText(text);
            const std::optional<Error> error = failureOf(*second, [&] { second->value(); });
            QVERIFY(error);
            QCOMPARE(error->problem(), Problem::NotANumber);
            QCOMPARE(QString::fromStdString(error->subject()), text);
            QTRY_VERIFY(second->hasFocus());
            QCOMPARE(second->selectedText(), text);
        }
        // Described by its caption, the field names itself in the message.
        second->describe(QStringLiteral("巻き数"));
        second->setText(QStringLiteral("1,5"));
        try {
            second->value();
            QFAIL("'1,5' was read");
        } catch (const Error& error) {
            QCOMPARE(errorText(error),
                     QStringLiteral("巻き数: '1,5' は浮動小数点数ではありません"));
        }
        second->clear();
        first->setFocus();
        QVERIFY(failureOf(*second, [&] { second->number(); }));
        QTRY_VERIFY(second->hasFocus());
        first->clear();
        QVERIFY(failureOf(*first, [&] { first->value(); }));
        QTRY_VERIFY(first->hasFocus());
    }

    // A whole-number field reads what textToInt reads; a fraction, an exponent or garbage is the
    // integer conversion error, with the focus on the field and its text selected.
    void anIntegerFieldTakesWholeNumbersOnly() {
        QWidget window;
        auto* other = new NumberField(&window);
        auto* count = new NumberField(&window, NumberField::Presence::Optional);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        count->setText(QStringLiteral(" -12 "));
        QCOMPARE(count->integer(), -12);
        count->setText(QString());
        QCOMPARE(count->integerValue(), std::optional<std::int32_t>());
        for (const QString& text : {QStringLiteral("2.5"), QStringLiteral("1e2"),
                                    QStringLiteral("7O"), QStringLiteral("2147483648")}) {
            other->setFocus();
            count->setText(text);
            const std::optional<Error> error = failureOf(*count, [&] { count->integerValue(); });
            QVERIFY2(error, qPrintable(text));
            QCOMPARE(error->problem(), Problem::NotAnInteger);
            QCOMPARE(QString::fromStdString(error->subject()), text);
            QTRY_VERIFY(count->hasFocus());
            QCOMPARE(count->selectedText(), text);
        }
        // Needed but left empty: the same error as the blank text gives.
        count->setText(QStringLiteral(" "));
        other->setFocus();
        const std::optional<Error> empty = failureOf(*count, [&] { count->integer(); });
        QVERIFY(empty);
        QCOMPARE(empty->problem(), Problem::NotAnInteger);
        QTRY_VERIFY(count->hasFocus());
    }
};

HSPRING_WINDOW_TEST(NumberFieldTest)
#include "number_field_test.moc"
