#include "app/windows/help_page.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace hspring {

QString helpPagePath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("help/helphelp.htm"));
}

void openHelpPage(const QString& programFolder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(helpPagePath(programFolder)));
}

} // namespace hspring
