// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/settings.h"

#include <QComboBox>
#include <QDialog>
#include <QString>
#include <array>

namespace hspring {

class NumberField;

// The coefficient editor keisuu_make: the seven design coefficients of the settings record and
// the design basis the allowables are taken from (ComboBasis).
// Created once, when first opened (after the settings have been read); its fields are filled then
// and keep what the user typed across later openings. "設定ボタン" stores them and writes the
// settings file.
class CoefficientEditorDialog : public QDialog {
    Q_OBJECT

public:
    // `settings` is the record the program calculates with; "設定ボタン" stores into it and writes
    // it to `settingsPath`.
    CoefficientEditorDialog(SettingsRecord& settings, const QString& settingsPath,
                            QWidget* parent = nullptr);

    // Converts Edit1..Edit7 in order into the coefficients in memory, takes the design basis,
    // then writes the whole
    // settings record. Throws the first conversion error (the coefficients before it keep their
    // new values and nothing is written) or the file error (the old file stays as it was).
    void saveCoefficients();

private:
    SettingsRecord& settings_;
    QString settingsPath_;
    std::array<NumberField*, 7> fields_{};
    QComboBox* basis_ = nullptr;
};

} // namespace hspring
