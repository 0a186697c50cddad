// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSpinBox>

namespace hspring {

// The history slot selector SpinEdit1: arrows step through 1..30, and any text may be typed.
// The slot it names follows the slot rule of historySlotFromText: a whole number limited to
// 1..30, anything else slot 1. The store and recall buttons take the focus from nothing, so
// they read the text exactly as typed.
class SlotSelector : public QSpinBox {
    Q_OBJECT

public:
    explicit SlotSelector(QWidget* parent = nullptr);

    // The slot the current text names; shows it, so the text always matches the slot used.
    int takeSlot();

protected:
    QValidator::State validate(QString& input, int& position) const override;
    int valueFromText(const QString& text) const override;
    void fixup(QString& input) const override;
};

} // namespace hspring
