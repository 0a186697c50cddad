// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windows/recent_files.h"

#include "toolkit/windows/user_settings.h"

#include <QFileInfo>
#include <QSettings>

namespace hspring {

namespace {

const QString kRecentFilesKey = QStringLiteral("recentFiles");

void storeRecentFiles(QStringList files) {
    while (files.size() > kRecentFileCount)
        files.removeLast();
    QSettings settings = userSettings();
    settings.setValue(kRecentFilesKey, files);
}

} // namespace

QStringList recentFiles() {
    QStringList files = userSettings().value(kRecentFilesKey).toStringList();
    files.removeAll(QString());
    while (files.size() > kRecentFileCount)
        files.removeLast();
    return files;
}

void addRecentFile(const QString& path) {
    const QString file = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(file);
    files.prepend(file);
    storeRecentFiles(files);
}

void removeRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.removeAll(QFileInfo(path).absoluteFilePath());
    storeRecentFiles(files);
}

} // namespace hspring
