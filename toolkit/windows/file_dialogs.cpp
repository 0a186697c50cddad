// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/windows/file_dialogs.h"

#include <QFile>
#include <QFileDialog>

namespace hspring {

namespace {

std::optional<std::string> chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

} // namespace

std::optional<std::string> askOpenFile(QWidget* parent, const QString& nameFilters) {
    QFileDialog dialog(parent, QStringLiteral("ファイルを開く"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters.split(QStringLiteral(";;")));
    return chosenFile(dialog);
}

std::optional<std::string> askSaveFile(QWidget* parent, const QString& nameFilters,
                                       const QString& proposedName, const QString& defaultSuffix,
                                       const QString& title) {
    QFileDialog dialog(parent, title.isEmpty() ? QStringLiteral("名前を付けて保存") : title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(defaultSuffix);
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    return chosenFile(dialog);
}

} // namespace hspring
