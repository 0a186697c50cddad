// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>
#include <optional>
#include <string>

namespace hspring {

// The open and save dialogs of the data files. Each returns the chosen path in the file system's
// encoding, or nothing when the user cancels. Each opens in the folder last used for its kind of
// file (named by the first extension of its filters: "hbd", "dst", "pdf", ...), remembered in
// the user's settings between runs; the first time, in the working folder.

// `nameFilters`: the file types, separated by ";;" ("材料のデーター (*.dst);;すべてのファイル
// (*.*)").
std::optional<std::string> askOpenFile(QWidget* parent, const QString& nameFilters);

// A name typed without an extension gets `defaultSuffix`; `proposedName` may be empty. The dialog
// is titled "名前を付けて保存" unless `title` says otherwise.
std::optional<std::string> askSaveFile(QWidget* parent, const QString& nameFilters,
                                       const QString& proposedName, const QString& defaultSuffix,
                                       const QString& title = {});

// The folder last used for files of `kind` ("hbd", "pdf", ...); empty when none was used yet or
// it no longer exists.
QString lastFolderFor(const QString& kind);
// Remembers the folder of `path` for files of `kind`.
void rememberFolderFor(const QString& kind, const QString& path);
// The kind of file a filter list is for: the extension of its first pattern ("hbd").
QString fileKindOf(const QString& nameFilters);

} // namespace hspring
