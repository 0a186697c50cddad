// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/number_field.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"
#include "toolkit/windows/error_text.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>
#include <cmath>

namespace hspring {

NumberField::NumberField(QWidget* parent, Presence presence)
    : QLineEdit(parent), presence_(presence) {
    connect(this, &QLineEdit::textEdited, this, [this] { selectOnFocus_ = false; });
}

void NumberField::describe(const QString& caption, const QString& unit) {
    caption_ = caption;
    unit_ = unit;
    setAccessibleName(caption);
    setAccessibleDescription(unit);
}

std::optional<double> NumberField::heldNumber() const {
    try {
        return textToDouble(text().toStdString());
    } catch (const Error&) {
        return std::nullopt;
    }
}

void NumberField::fail(const Error& conversion) {
    showError();
    if (caption_.isEmpty())
        throw conversion;
    throw FieldConversionError(conversion, caption_);
}

void NumberField::refuse(const Error& refusal) {
    fail(refusal);
}

template <typename Number>
std::optional<Number> NumberField::read(Number (*parse)(std::string_view)) {
    if (presence_ == Presence::Optional && text().trimmed().isEmpty())
        return std::nullopt;
    try {
        return parse(text().toStdString());
    } catch (const Error& conversion) {
        fail(conversion);
    }
}

template <typename Number>
Number NumberField::require(Number (*parse)(std::string_view)) {
    if (const std::optional<Number> read = this->read(parse))
        return *read;
    // An optional field left empty where a number is needed: the blank text is no number to
    // `parse` either, so it raises the field's own conversion error.
    try {
        return parse(text().toStdString());
    } catch (const Error& conversion) {
        fail(conversion);
    }
}

std::optional<double> NumberField::value() {
    return read(&textToDouble);
}

double NumberField::number() {
    return require(&textToDouble);
}

std::optional<std::int32_t> NumberField::integerValue() {
    return read(&textToInt);
}

std::int32_t NumberField::integer() {
    return require(&textToInt);
}

void NumberField::showError() {
    selectOnFocus_ = true;
    const auto focusNow = [field = QPointer<NumberField>(this)] {
        if (!field || !field->selectOnFocus_)
            return;
        // A field on a page not shown (a hook field behind the history) brings its page to the
        // front first: a hidden field cannot take the focus.
        for (QWidget* ancestor = field->parentWidget(); ancestor;
             ancestor = ancestor->parentWidget())
            if (auto* pages = qobject_cast<QTabWidget*>(ancestor))
                for (int page = 0; page < pages->count(); ++page)
                    if (pages->widget(page)->isAncestorOf(field))
                        pages->setCurrentIndex(page);
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    };
    focusNow();
    // Again once the error box the caller shows is closed: the box took the focus and may have
    // cleared the selection.
    QTimer::singleShot(0, this, [this, focusNow] {
        if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            connect(box, &QDialog::finished, this,
                    [this, focusNow] { QTimer::singleShot(0, this, focusNow); });
    });
}

void NumberField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (selectOnFocus_)
        selectAll();
}

void NumberField::setValue(std::optional<double> value, int significantDigits) {
    if (value && std::isfinite(*value))
        setText(QString::fromStdString(formatGeneral(*value, significantDigits)));
    else
        clear();
}

} // namespace hspring
