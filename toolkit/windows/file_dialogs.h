// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>

namespace hspring {

// The open and save dialogs of the data files. Each returns the chosen path in the file system's
// encoding, or nothing when the user cancels.

// `nameFilters`: the file types, separated by ";;" ("材料のデーター (*.dst);;すべてのファイル
// (*.*)").
std::optional<std::string> askOpenFile(QWidget* parent, const QString& nameFilters);

// A name typed without an extension gets `defaultSuffix`; `proposedName` may be empty. The dialog
// is titled "名前を付けて保存" unless `title` says otherwise.
std::optional<std::string> askSaveFile(QWidget* parent, const QString& nameFilters,
                                       const QString& proposedName, const QString& defaultSuffix,
                                       const QString& title = {});

} // namespace hspring
