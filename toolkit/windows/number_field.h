// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/error.h"

#include <QLineEdit>
#include <cstdint>
#include <optional>
#include <string_view>

namespace hspring {

// A field that holds one number, read as every input field is read (textToDouble: digits, one
// point, an optional exponent, blanks around allowed, the full-width forms an input method types
// read as ASCII), or, for a count or a percentage kept whole, as an integer (textToInt: digits
// only). A field may be optional: empty, it holds no value. A text that is no number raises the
// conversion Error after the field has taken the focus with its whole text selected (its page
// brought to the front), so that the error box's OK leaves the user on the text to correct. A
// field described by its caption raises a FieldConversionError, whose message names the field.
class NumberField : public QLineEdit {
    Q_OBJECT

public:
    enum class Presence { Required, Optional };

    explicit NumberField(QWidget* parent = nullptr, Presence presence = Presence::Required);

    Presence presence() const { return presence_; }

    // The caption the window shows beside the field ("巻き数"), which its error message names, and
    // the unit it shows after it ("mm"; empty for none). Both are the field's accessible name and
    // description too.
    void describe(const QString& caption, const QString& unit = {});
    QString caption() const { return caption_; }
    QString unit() const { return unit_; }

    // The number the field holds now, nullopt when its text is none; says nothing and leaves the
    // focus where it is (a field the program fills, which may show the missing-value mark).
    std::optional<double> heldNumber() const;

    // The number in the field; nullopt for an optional field left empty (or blank).
    std::optional<double> value();
    // The number of a required field.
    double number();
    // The same for a field that holds a whole number; a fraction or an exponent is no integer.
    std::optional<std::int32_t> integerValue();
    std::int32_t integer();

    // Refuses the number the field holds for a reason found after it was read (a count that is
    // not positive, a hook that cannot be drawn): takes the focus as for a text that is no number
    // and raises `refusal`, named by the caption when the field has one.
    [[noreturn]] void refuse(const Error& refusal);

    // Shows `value` in the general format with that many significant digits; nullopt (or a
    // missing value) empties the field.
    void setValue(std::optional<double> value, int significantDigits = 15);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    // Reads the text with `parse`, the empty optional text as no value; a text `parse` rejects,
    // or an empty required one, shows the error and raises `parse`'s Error.
    template <typename Number>
    std::optional<Number> read(Number (*parse)(std::string_view));
    template <typename Number>
    Number require(Number (*parse)(std::string_view));
    // Takes the focus and selects the text, now and whenever the focus comes back (from the
    // error box, which the user closes first) until the text is edited.
    void showError();
    // Shows the error and raises `conversion`, named by the caption when the field has one.
    [[noreturn]] void fail(const Error& conversion);

    Presence presence_;
    QString caption_;
    QString unit_;
    bool selectOnFocus_ = false;
};

} // namespace hspring
