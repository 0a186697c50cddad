// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <optional>

namespace hspring {

// A field that holds one number, read as every input field is read (textToDouble: ASCII digits,
// one point, an optional exponent; blanks around allowed). A field may be optional: empty, it
// holds no value. A text that is no number raises the conversion Error after the field has taken
// the focus with its whole text selected, so that the error box's OK leaves the user on the text
// to correct.
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
    // Shows `value` in the general format with that many significant digits; nullopt (or a
    // missing value) empties the field.
    void setValue(std::optional<double> value, int significantDigits = 15);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    // Takes the focus and selects the text, now and whenever the focus comes back (from the
    // error box, which the user closes first) until the text is edited.
    void showError();

    Presence presence_;
    bool selectOnFocus_ = false;
};

} // namespace hspring
