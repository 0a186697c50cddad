// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/slot_selector.h"

#include "app/history_rows.h"

#include <QLineEdit>

namespace hspring {

SlotSelector::SlotSelector(QWidget* parent) : QSpinBox(parent) {
    setRange(kFirstHistorySlot, kLastHistorySlot);
    setValue(kFirstHistorySlot);
}

int SlotSelector::takeSlot() {
    const int slot = valueFromText(lineEdit()->text());
    setValue(slot);
    lineEdit()->setText(textFromValue(slot));
    return slot;
}

QValidator::State SlotSelector::validate(QString& input, int&) const {
    // Every text may stand while typing; the slot rule interprets it when it is used.
    bool isNumber = false;
    const int number = input.trimmed().toInt(&isNumber);
    return isNumber && number >= minimum() && number <= maximum() ? QValidator::Acceptable
                                                                  : QValidator::Intermediate;
}

int SlotSelector::valueFromText(const QString& text) const {
    return historySlotFromText(text.toStdString());
}

void SlotSelector::fixup(QString& input) const {
    input = textFromValue(valueFromText(input));
}

} // namespace hspring
