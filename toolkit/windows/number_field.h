// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <optional>
#include <string_view>

namespace hspring {

// A field that holds one number, read as every input field is read (textToDouble: ASCII digits,
// one point, an optional exponent; blanks around allowed), or, for a count or a percentage kept
// whole, as an integer (textToInt: digits only). A field may be optional: empty, it holds no
// value. A text that is no number raises the conversion Error after the field has taken the focus
// with its whole text selected, so that the error box's OK leaves the user on the text to
// correct.
class NumberField : public QLineEdit {
    Q_OBJECT

public:
    enum class Presence { Required, Optional };

    explicit NumberField(QWidget* parent = nullptr, Presence presence = Presence::Required);

    Presence presence() const { return presence_; }

    // The number in the field; nullopt for an optional field left empty (or blank).
    std::optional<double> value();
    // The number of a required field.
    double number();
    // The same for a field that holds a whole number; a fraction or an exponent is no integer.
    std::optional<std::int32_t> integerValue();
    std::int32_t integer();

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

    Presence presence_;
    bool selectOnFocus_ = false;
};

} // namespace hspring
