// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/file_dialogs.h"

#include "toolkit/windows/user_settings.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace hspring {

namespace {

QString folderKey(const QString& kind) {
    return QStringLiteral("lastFolders/") + (kind.isEmpty() ? QStringLiteral("any") : kind);
}

std::optional<std::string> chosenFile(QFileDialog& dialog, const QString& kind) {
    const QString folder = lastFolderFor(kind);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    rememberFolderFor(kind, chosen);
    return QFile::encodeName(chosen).toStdString();
}

} // namespace

QString lastFolderFor(const QString& kind) {
    const QString folder = userSettings().value(folderKey(kind)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void rememberFolderFor(const QString& kind, const QString& path) {
    QSettings settings = userSettings();
    settings.setValue(folderKey(kind), QFileInfo(path).absolutePath());
}

QString fileKindOf(const QString& nameFilters) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch match = pattern.match(nameFilters);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

std::optional<std::string> askOpenFile(QWidget* parent, const QString& nameFilters) {
    QFileDialog dialog(parent, QStringLiteral("ファイルを開く"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters.split(QStringLiteral(";;")));
    return chosenFile(dialog, fileKindOf(nameFilters));
}

std::optional<std::string> askSaveFile(QWidget* parent, const QString& nameFilters,
                                       const QString& proposedName, const QString& defaultSuffix,
                                       const QString& title) {
    QFileDialog dialog(parent, title.isEmpty() ? QStringLiteral("名前を付けて保存") : title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(defaultSuffix);
    const QString kind = defaultSuffix.isEmpty() ? fileKindOf(nameFilters) : defaultSuffix;
    const QString folder = lastFolderFor(kind);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!proposedName.isEmpty())
        dialog.selectFile(folder.isEmpty() ? proposedName : QDir(folder).filePath(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    rememberFolderFor(kind, chosen);
    return QFile::encodeName(chosen).toStdString();
}

} // namespace hspring
