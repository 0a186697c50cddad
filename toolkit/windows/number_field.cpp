// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/number_field.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text_to_number.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <cmath>

namespace hspring {

NumberField::NumberField(QWidget* parent, Presence presence)
    : QLineEdit(parent), presence_(presence) {
    connect(this, &QLineEdit::textEdited, this, [this] { selectOnFocus_ = false; });
}

std::optional<double> NumberField::value() {
    const std::string content = text().toStdString();
    if (presence_ == Presence::Optional && text().trimmed().isEmpty())
        return std::nullopt;
    try {
        return textToDouble(content);
    } catch (const Error&) {
        showError();
        throw;
    }
}

double NumberField::number() {
    const std::optional<double> read = value();
    if (!read) { // an optional field asked for a number: empty is no number here
        showError();
        throw conversionError(text().toStdString());
    }
    return *read;
}

void NumberField::showError() {
    selectOnFocus_ = true;
    const auto focusNow = [field = QPointer<NumberField>(this)] {
        if (!field || !field->selectOnFocus_)
            return;
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
